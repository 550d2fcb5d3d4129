#include "DesignJson.h"

#include "analysis/Stability.h"
#include "model/Design.h"
#include "model/FinSet.h"

#include <charconv>
#include <cstdio>
#include <string>
#include <string_view>

namespace vantor::kfx {

namespace {

std::string JsonString(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char escape[8];
                std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned char>(c));
                out += escape;
            } else {
                out += c;
            }
        }
    }
    return out + "\"";
}

// The shortest text that reads back as the same value.
template <class T> std::string JsonNumber(T value) {
    char buffer[64];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    return std::string(buffer, end);
}

class JsonObjectWriter {
public:
    JsonObjectWriter(std::ostream& out, int indent) : out_(out), indent_(indent) { out_ << "{"; }
    void field(std::string_view key, const std::string& json) {
        out_ << (first_ ? "\n" : ",\n") << std::string(indent_ + 2, ' ') << JsonString(key) << ": "
             << json;
        first_ = false;
    }
    void close() { out_ << "\n" << std::string(indent_, ' ') << "}"; }

private:
    std::ostream& out_;
    int indent_;
    bool first_ = true;
};

std::string JsonPoints(const std::vector<TPoints>& points) {
    std::string out = "[";
    for (std::size_t i = 0; i < points.size(); ++i)
        out +=
            (i == 0 ? "[" : ", [") + JsonNumber(points[i].x) + ", " + JsonNumber(points[i].y) + "]";
    return out + "]";
}

void WriteElement(const TRocketElement& e, float axisValue, std::ostream& out) {
    JsonObjectWriter object(out, 4);
    object.field("ClassName", JsonString(e.ClassName));
    object.field("Caption", JsonString(e.Caption));
    object.field("Material", JsonString(e.Material));
    object.field("ParentIndex", std::to_string(e.ParentIndex));
    object.field("AxisY", JsonNumber(axisValue));
    object.field("Weight", JsonNumber(e.Weight));
    object.field("Density", JsonNumber(e.Density));
    object.field("Length", JsonNumber(e.Length));
    object.field("DiameterA", JsonNumber(e.DiameterA));
    object.field("DiameterB", JsonNumber(e.DiameterB));
    object.field("Thickness", JsonNumber(e.Thickness));
    object.field("Offset", JsonNumber(e.Offset));
    object.field("Points", JsonPoints(e.Points));
    if (const auto* fins = dynamic_cast<const TStatecznik*>(&e)) {
        object.field("FinA", JsonNumber(fins->FinA));
        object.field("FinB", JsonNumber(fins->FinB));
        object.field("FinC", JsonNumber(fins->FinC));
        object.field("FinD", JsonNumber(fins->FinD));
        object.field("FinSpare", JsonNumber(fins->FinSpare));
        object.field("FinCount", std::to_string(fins->FinCount));
    }
    object.close();
}

void WriteDimension(const TShaped& d, std::ostream& out) {
    JsonObjectWriter object(out, 4);
    object.field("ClassName", JsonString(d.ClassName));
    object.field("Caption", JsonString(d.Caption));
    object.field("Points", JsonPoints(d.Points));
    object.close();
}

std::string JsonOptional(const std::optional<double>& value) {
    return value ? JsonNumber(*value) : "null";
}

} // namespace

void WriteStabilityJson(const StabilityAnalysis& analysis, std::ostream& out) {
    JsonObjectWriter totals(out, 0);
    totals.field("CNa", JsonNumber(analysis.cna));
    totals.field("CP", JsonOptional(analysis.cp));
    totals.field("CG", JsonOptional(analysis.cg));
    totals.field("Reference diameter", JsonOptional(analysis.referenceDiameter));
    totals.field("Calibers", JsonOptional(analysis.calibers));
    totals.field("Rocket", JsonString(analysis.stable ? "Stable" : "Unstable"));
    totals.field("Ballast needed", JsonOptional(analysis.ballastNeeded));
    totals.field("Ballast position", JsonOptional(analysis.ballastPosition));
    totals.field("fins_plane_only", analysis.finsPlaneOnly ? "true" : "false");
    std::string errors = "[";
    for (const std::string& error : analysis.errors)
        errors += (errors.size() == 1 ? "" : ", ") + JsonString(error);
    totals.field("errors", errors + "]");
    std::string components = "[";
    for (const StabilityComponent& c : analysis.components) {
        components += components.size() == 1 ? "\n    {" : ",\n    {";
        components += "\"kind\": " + JsonString(c.kind) +
                      ", \"caption\": " + JsonString(c.caption) +
                      ", \"CNa\": " + JsonNumber(c.cna) + ", \"CP\": " + JsonOptional(c.cp) +
                      ", \"CG\": " + JsonOptional(c.cg) + "}";
    }
    totals.field("components", components + (analysis.components.empty() ? "]" : "\n  ]"));
    totals.close();
    out << "\n";
}

void WriteDesignJson(const Design& design, const std::vector<float>& axisValues,
                     std::ostream& out) {
    out << "{\n  \"elements\": [";
    for (std::size_t i = 0; i < design.Elements.size(); ++i) {
        out << (i == 0 ? "\n    " : ",\n    ");
        WriteElement(*design.Elements[i], i < axisValues.size() ? axisValues[i] : 0.0f, out);
    }
    out << (design.Elements.empty() ? "],\n" : "\n  ],\n") << "  \"dimensions\": [";
    for (std::size_t i = 0; i < design.Dimensions.size(); ++i) {
        out << (i == 0 ? "\n    " : ",\n    ");
        WriteDimension(*design.Dimensions[i], out);
    }
    out << (design.Dimensions.empty() ? "]\n" : "\n  ]\n") << "}\n";
}

} // namespace vantor::kfx
