#include "analysis/Summary.h"

#include "analysis/Plausibility.h"
#include "model/AxisValues.h"
#include "model/Design.h"
#include "model/NumberFormat.h"

#include <cmath>
#include <vector>

namespace vantor {

namespace {

// Ends the computation the way a floating-point fault would.
struct SummaryFault {};

float Checked(long double value) {
    const auto stored = static_cast<float>(value);
    if (!std::isfinite(stored))
        throw SummaryFault{};
    return stored;
}

// A position, length or weight beyond any rocket is no result either.
float Within(long double value, double limit) {
    const float stored = Checked(value);
    if (std::abs(stored) > limit)
        throw SummaryFault{};
    return stored;
}

long double Divide(long double numerator, long double denominator) {
    if (denominator == 0)
        throw SummaryFault{};
    return numerator / denominator;
}

constexpr Argb MarkerColour = MakeArgb(255, 0, 0, 0);

void DrawCpMarker(DrawingSurface& surface, double cp) {
    const double y = AxisY;
    surface.drawEllipse(MarkerColour, RectF{cp - 3, y - 3, 6, 6});
    surface.drawEllipse(MarkerColour, RectF{cp - 6, y - 6, 12, 12});
}

void DrawCgMarker(DrawingSurface& surface, double cg) {
    const RectF box{cg - 6, AxisY - 6.0, 12, 12};
    surface.drawEllipse(MarkerColour, box);
    surface.fillPie(MarkerColour, box, 180, 90);
    surface.fillPie(MarkerColour, box, 0, 90);
}

} // namespace

void DrawSummaryMarkers(DrawingSurface& surface, const Summary& summary) {
    if (summary.cpKnown)
        DrawCpMarker(surface, summary.cp);
    if (summary.cgKnown)
        DrawCgMarker(surface, summary.cg);
}

Summary ComputeSummary(const Design& design, DrawingSurface* markers, char decimalSeparator) {
    Summary summary = ComputeSummary(design, decimalSeparator);
    if (markers != nullptr)
        DrawSummaryMarkers(*markers, summary);
    return summary;
}

Summary ComputeSummary(const Design& design, char decimalSeparator) {
    Summary summary;
    const std::size_t n = design.tree.nodeCount();
    // The elements are visited in tree order, the order a design file keeps: the sums are
    // rounded as they go, so visiting in list order would give a design another weight
    // once saved and opened again whenever its list is not in tree order.
    std::vector<const TRocketElement*> visited;
    visited.reserve(n);
    for (const ElementTree::Node* node : design.tree.nodesInOrder())
        visited.push_back(node->element);
    auto element = [&](std::size_t i) -> const TRocketElement& {
        if (i >= design.Elements.size() || i >= visited.size() || visited[i] == nullptr)
            throw SummaryFault{};
        return *visited[i];
    };

    try {
        long double numerator = 0, denominator = 0;
        std::size_t contributors = 0;
        for (std::size_t i = 0; i < n; ++i) {
            const TRocketElement& e = element(i);
            if (e.DiameterA > summary.referenceDiameter)
                summary.referenceDiameter = e.DiameterA;
            const double x = e.ComputeCP();
            const double a = e.ComputeArea();
            if (!std::isfinite(x) || !std::isfinite(a))
                throw SummaryFault{};
            numerator += static_cast<long double>(a) * x;
            if (x != 0.0) {
                denominator += a; // a fin set's area is sampled once
                ++contributors;
            }
        }
        if (contributors != 0)
            summary.cp = Within(Divide(numerator / contributors, denominator / contributors),
                                MaxPlausibleLength);
        summary.cpKnown = true;

        float weight = 0;
        long double moment = 0;
        for (std::size_t i = 0; i < n; ++i)
            weight = Checked(weight + static_cast<long double>(element(i).Weight));
        for (std::size_t i = 0; i < n; ++i)
            moment += static_cast<long double>(element(i).ComputeCG()) * element(i).Weight;
        summary.weight = Within(weight, MaxPlausibleWeight);
        if (n != 0)
            summary.cg = Within(Divide(moment / n, static_cast<long double>(weight) / n),
                                MaxPlausibleLength);
        summary.cgKnown = true;

        if (summary.referenceDiameter != 0)
            summary.margin = Checked(Divide(static_cast<long double>(summary.cp) - summary.cg,
                                            summary.referenceDiameter));

        double furthest = 0;
        for (std::size_t i = 0; i < n; ++i)
            for (const TPoints& p : element(i).Points)
                if (p.x > furthest)
                    furthest = p.x;
        summary.length = Within(static_cast<long double>(furthest) - OriginX, MaxPlausibleLength);
        summary.stable = summary.margin >= 1.0f;

        auto row = [&](const char* label, std::string value) {
            summary.rows.push_back({label, std::move(value)});
        };
        row("Weight", FormatFixed(summary.weight, 2, decimalSeparator));
        row("Calibers", FormatFixed(summary.margin, 2, decimalSeparator));
        row("CP", FormatFixed(summary.cp, 2, decimalSeparator));
        row("CG", FormatFixed(summary.cg, 2, decimalSeparator));
        row("Length", FormatFixed(summary.length, 2, decimalSeparator));
        row("Rocket", summary.stable ? "Stable" : "Unstable");
    } catch (const SummaryFault&) {
        summary.failed = true;
    }
    return summary;
}

std::vector<SummaryRow> RowsInUnits(const Summary& summary, UnitChoice units,
                                    char decimalSeparator) {
    std::vector<SummaryRow> rows = summary.rows;
    for (SummaryRow& row : rows) {
        const auto length = [&](float value) {
            row.value = FormatLength(value, units.length, 2, decimalSeparator);
        };
        if (row.label == "Weight")
            row.value = FormatWeight(summary.weight, units.weight, 2, decimalSeparator);
        else if (row.label == "CP")
            length(summary.cp);
        else if (row.label == "CG")
            length(summary.cg);
        else if (row.label == "Length")
            length(summary.length);
    }
    return rows;
}

} // namespace vantor
