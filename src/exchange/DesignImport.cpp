#include "exchange/DesignImport.h"

#include "analysis/Stability.h"
#include "editing/DesignEdits.h"
#include "editing/ElementFields.h"
#include "exchange/NoseProfile.h"
#include "exchange/OrkReader.h"
#include "exchange/RktReader.h"
#include "exchange/XmlSupport.h"
#include "model/Design.h"
#include "model/FinSet.h"
#include "model/Kinds.h"
#include "model/Placing.h"
#include "model/Registry.h"
#include "motors/MotorLibrary.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <sstream>

namespace vantor {

namespace {

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// The kind of this program's nose nearest to the source's shape. A nose's Barrowman
// centre of pressure lies at L (1 - V / (pi R^2 L)), so matching the volume fraction
// matches the centre of pressure and the volume at once.
struct NoseChoice {
    std::string kind;
    bool exact = false;
};

NoseChoice ChooseNose(const ImportedPart& nose) {
    const double aspect = nose.length > 0 ? nose.aftDiameter / 2 / nose.length : 0.125;
    switch (nose.shape) {
    case ImportedNoseShape::Conical:
        return {"TGlowicaStozek", true};
    case ImportedNoseShape::Ogive:
        return {"TGlowicaOgive", nose.shapeParameter == 0 || nose.shapeParameter == 1};
    case ImportedNoseShape::Power:
        if (std::abs(nose.shapeParameter - 0.5) < 1e-9)
            return {"TGlowicaParabolic", true};
        if (std::abs(nose.shapeParameter - 1) < 1e-9)
            return {"TGlowicaStozek", true};
        break;
    default:
        break;
    }
    const double fraction = NoseVolumeFraction(nose.shape, nose.shapeParameter, aspect);
    struct Candidate {
        const char* kind;
        double fraction;
    };
    const Candidate candidates[] = {
        {"TGlowicaStozek", 1.0 / 3},
        {"TGlowicaOgive", NoseVolumeFraction(ImportedNoseShape::Ogive, 1, aspect)},
        {"TGlowicaParabolic", 0.5},
    };
    const Candidate* best = &candidates[0];
    for (const Candidate& c : candidates)
        if (std::abs(c.fraction - fraction) < std::abs(best->fraction - fraction))
            best = &c;
    return {best->kind, false};
}

ImportWord KindWord(const std::string& kind) {
    switch (KindNamed(kind).shape) {
    case Shape3d::Cone:
        return ImportWord::Conical;
    case Shape3d::Ogive:
        return ImportWord::Ogive;
    default:
        return ImportWord::Parabolic;
    }
}

ImportWord NoseShapeWord(ImportedNoseShape shape) {
    switch (shape) {
    case ImportedNoseShape::Conical:
        return ImportWord::Conical;
    case ImportedNoseShape::Ogive:
        return ImportWord::Ogive;
    case ImportedNoseShape::Parabolic:
        return ImportWord::Parabolic;
    case ImportedNoseShape::Ellipsoid:
        return ImportWord::Elliptical;
    case ImportedNoseShape::Power:
        return ImportWord::PowerSeries;
    case ImportedNoseShape::ParabolicSeries:
        return ImportWord::ParabolicSeries;
    case ImportedNoseShape::Haack:
        return ImportWord::Haack;
    }
    return ImportWord::Conical;
}

class Builder {
public:
    Builder(Design& design, ImportReport& report) : design_(design), report_(report) {}

    // Adds an element of `kind` under `parent`, through the insertion the user would make
    // where it is allowed and as a design-file record where it is not; then writes the
    // fields, the weight included, as the parameters dialog does.
    TRocketElement& add(const std::string& kind, TRocketElement* parent,
                        const ElementFields& fields, float offset) {
        ElementTree::Node* node = parent != nullptr ? design_.tree.nodeOf(parent) : nullptr;
        TRocketElement* element = nullptr;
        if (CheckInsertion(design_, kind, parent) == InsertionRefusal::None) {
            const std::unique_ptr<DesignEdit> insertion =
                InsertElement(design_, node, NewElement{kind, fields});
            element = InsertedElement(*insertion);
        } else {
            std::unique_ptr<TRocketElement> made = CreateElement(kind);
            made->Points.assign(made->OutlinePointCount(), TPoints{});
            element = made.get();
            design_.addElement(std::move(made), node);
        }
        WriteFields(*element, fields);
        element->Offset = offset;
        return *element;
    }

    void note(const std::string& part, ImportEvent event, double mass,
              std::vector<ImportArg> args = {}) {
        report_.entries.push_back({part, event, std::move(args), mass, LeavesOut(event)});
    }

private:
    Design& design_;
    ImportReport& report_;
};

ElementFields Fields(const std::string& kind, const ImportedPart& part) {
    ElementFields f = DefaultFields(kind);
    if (!part.name.empty())
        f.caption = part.name;
    f.material = part.material;
    f.length = static_cast<float>(part.length);
    f.diameterA = static_cast<float>(part.foreDiameter);
    f.diameterB = static_cast<float>(part.aftDiameter);
    if (part.thickness > 0)
        f.thickness = static_cast<float>(part.thickness);
    if (part.density > 0)
        f.density = static_cast<float>(part.density);
    f.weight = static_cast<float>(part.mass);
    return f;
}

} // namespace

ForeignFormat ForeignFormatOf(const std::filesystem::path& path) {
    const std::string ext = Lower(path.extension().string());
    if (ext == ".ork")
        return ForeignFormat::OpenRocket;
    if (ext == ".rkt")
        return ForeignFormat::RockSim;
    return ForeignFormat::None;
}

std::string MotorCaption(const std::string& maker, const std::string& designation,
                         std::optional<double> delay) {
    const std::string caption = maker.empty() ? designation : maker + " " + designation;
    // Designs write a plugged motor as no delay or as a very long one.
    if (!delay || *delay < 0 || *delay >= 99)
        return caption + "-P";
    return caption + "-" + DelayText(*delay);
}

namespace {

// The designation without the letters that name the propellant or the case: "G80" of
// "G80T" and of "G80NBT".
std::string CoreDesignation(const std::string& designation) {
    std::size_t end = 0;
    while (end < designation.size() && std::isalpha(static_cast<unsigned char>(designation[end])))
        ++end;
    while (end < designation.size() &&
           (std::isdigit(static_cast<unsigned char>(designation[end])) || designation[end] == '.'))
        ++end;
    return Lower(designation.substr(0, end));
}

} // namespace

MotorLookup LookupInLibrary(const MotorLibrary& library) {
    return [&library](const std::string& maker,
                      const std::string& designation) -> std::optional<Motor> {
        const auto sameMaker = [&](const Motor& m) {
            return maker.empty() || m.maker.empty() || Lower(m.maker) == Lower(maker);
        };
        for (const Motor& m : library.motors)
            if (sameMaker(m) && Lower(m.designation) == Lower(designation))
                return m;
        const std::string core = CoreDesignation(designation);
        if (core.empty())
            return std::nullopt;
        for (const Motor& m : library.motors)
            if (sameMaker(m) && CoreDesignation(m.designation) == core)
                return m;
        return std::nullopt;
    };
}

void MapImportedRocket(const ImportedRocket& rocket, Design& design, const MotorLookup& motors,
                       ImportReport& report) {
    design.clear();
    // Real rockets have tens of parts; the bounds keep a hostile file from building a
    // design too deep for the tree or too large to edit.
    std::size_t outer = 0;
    for (const ImportedPart& part : rocket.parts)
        if (part.kind == ImportedKind::Nose || part.kind == ImportedKind::BodyTube ||
            part.kind == ImportedKind::Transition)
            ++outer;
    if (outer + 2 >= MaxTreeDepth)
        throw ImportError("the rocket has " + std::to_string(outer) +
                          " body parts in a row; at most " + std::to_string(MaxTreeDepth - 3) +
                          " are read");
    // Sizes and masses beyond any rocket (a kilometre-sized file value) would not even fit
    // the fields of a design file.
    for (const ImportedPart& part : rocket.parts) {
        const double sizes[] = {part.front,     part.length, part.foreDiameter, part.aftDiameter,
                                part.thickness, part.cg,     part.rootChord,    part.tipChord,
                                part.sweep,     part.span,   part.density};
        bool sane = std::isfinite(part.mass) && std::abs(part.mass) <= 1e9;
        for (double size : sizes)
            sane = sane && std::isfinite(size) && std::abs(size) <= 1e7;
        if (!sane)
            throw ImportError("\"" + (part.name.empty() ? part.sourceKind : part.name) +
                              "\" has a size or mass beyond any rocket");
    }
    if (rocket.parts.size() > MaxImportedParts)
        throw ImportError("the rocket has " + std::to_string(rocket.parts.size()) +
                          " parts; at most " + std::to_string(MaxImportedParts) + " are read");
    Builder builder(design, report);
    report.rocketName = rocket.name;
    report.format = rocket.format;
    report.stageCount = rocket.stageCount;
    report.flights = rocket.flights;
    report.configuration = rocket.configuration;
    for (const ImportNote& n : rocket.notes)
        report.entries.push_back(n);

    std::vector<TRocketElement*> elementOf(rocket.parts.size(), nullptr);
    std::vector<double> frontOf(rocket.parts.size(), 0);
    TRocketElement* last = nullptr; // the outer part the next one follows
    double lastEnd = 0, lastFront = 0;
    for (std::size_t i = 0; i < rocket.parts.size(); ++i) {
        const ImportedPart& part = rocket.parts[i];
        const std::string name = part.name.empty() ? part.sourceKind : part.name;
        for (const ImportFinding& n : part.notes)
            builder.note(name, n.event, part.mass, n.args);
        TRocketElement* host = part.host >= 0 && static_cast<std::size_t>(part.host) < i
                                   ? elementOf[static_cast<std::size_t>(part.host)]
                                   : nullptr;
        const double hostFront = part.host >= 0 && static_cast<std::size_t>(part.host) < i
                                     ? frontOf[static_cast<std::size_t>(part.host)]
                                     : 0;
        switch (part.kind) {
        case ImportedKind::Nose: {
            if (last != nullptr) {
                builder.note(name, ImportEvent::SecondNose, part.mass);
                break;
            }
            const NoseChoice choice = ChooseNose(part);
            ImportedPart nose = part;
            nose.foreDiameter = part.aftDiameter;
            ElementFields f = Fields(choice.kind, nose);
            f.diameterB = 0;
            // The standard analysis puts a nose's centre of gravity at its surface's
            // centroid; a filled nose or a heavy shoulder has it elsewhere. The nose's mass
            // is then shared between the nose and a weight so that together they have the
            // source's mass and centre of gravity.
            const std::optional<double> drawnCg =
                NoseSurfaceCentroid(choice.kind, part.length, part.aftDiameter);
            double share = 0, shareAt = 0;
            if (drawnCg && part.mass > 0) {
                const double drawn = part.front + *drawnCg;
                if (std::abs(part.cg - drawn) > 0.5) {
                    shareAt =
                        part.cg > drawn ? std::max(part.front + part.length, part.cg) : part.front;
                    share = std::clamp(part.mass * (part.cg - drawn) / (shareAt - drawn), 0.0,
                                       part.mass);
                    f.weight = static_cast<float>(part.mass - share);
                }
            }
            TRocketElement& e = builder.add(choice.kind, nullptr, f, 0);
            if (share > 0) {
                ElementFields w = DefaultFields("TBalast");
                w.caption = name + " (centre of gravity)";
                w.weight = static_cast<float>(share);
                w.length = 12;
                builder.add("TBalast", &e, w, static_cast<float>(shareAt - 6 - part.front));
                builder.note(
                    name, ImportEvent::NoseWeightShared, part.mass,
                    {ImportArg::Number(share, 1), ImportArg::Number(shareAt - part.front, 1)});
            }
            if (!choice.exact)
                builder.note(name, ImportEvent::NoseShapeNearest, part.mass,
                             {ImportArg::Word(NoseShapeWord(part.shape)),
                              ImportArg::Word(KindWord(choice.kind))});
            elementOf[i] = last = &e;
            frontOf[i] = lastFront = part.front;
            lastEnd = part.front + part.length;
            break;
        }
        case ImportedKind::BodyTube:
        case ImportedKind::Transition: {
            if (last == nullptr) {
                builder.note(name, ImportEvent::BodyPartAheadOfNose, part.mass);
                break;
            }
            const bool straight = part.kind == ImportedKind::BodyTube ||
                                  std::abs(part.foreDiameter - part.aftDiameter) < 1e-6;
            const std::string kind = straight ? "TKorpus" : "TStozekSciety";
            if (part.kind == ImportedKind::Transition && straight)
                builder.note(name, ImportEvent::TransitionEqualDiameters, part.mass);
            if (part.kind == ImportedKind::Transition && !straight &&
                part.shape != ImportedNoseShape::Conical)
                builder.note(name, ImportEvent::TransitionShapeAsCone, part.mass,
                             {ImportArg::Word(NoseShapeWord(part.shape))});
            if (std::abs(part.front - lastEnd) > 0.01)
                builder.note(name, ImportEvent::GapClosed, 0,
                             {ImportArg::Number(part.front - lastEnd, 1)});
            TRocketElement& e = builder.add(kind, last, Fields(kind, part), 0);
            elementOf[i] = last = &e;
            frontOf[i] = lastFront = lastEnd;
            lastEnd += part.length;
            break;
        }
        case ImportedKind::FinSet: {
            if (host == nullptr) {
                builder.note(name, ImportEvent::FinSetOnNoBody, part.mass);
                break;
            }
            ElementFields f = Fields("TStatecznik", part);
            f.diameterA = host->DiameterA;
            f.diameterB = 0;
            f.finA = static_cast<float>(part.rootChord);
            f.finB = static_cast<float>(part.sweep);
            f.finC = static_cast<float>(part.tipChord);
            f.finD = static_cast<float>(part.span);
            f.finCount = std::clamp(part.finCount, 2, 8);
            if (f.finCount != part.finCount)
                builder.note(
                    name, ImportEvent::FinCountChanged, part.mass,
                    {ImportArg::Number(part.finCount, 0), ImportArg::Number(f.finCount, 0)});
            elementOf[i] =
                &builder.add("TStatecznik", host, f, static_cast<float>(part.front - hostFront));
            frontOf[i] = part.front;
            break;
        }
        case ImportedKind::Motor: {
            if (host == nullptr) {
                builder.note(name, ImportEvent::MotorOutsideBody, 0);
                break;
            }
            ImportedPart motor = part;
            std::optional<Motor> data;
            if (motors)
                data = motors(part.maker, part.designation);
            if (data && data->loadedMass > 0) {
                motor.mass = data->loadedMass;
                if (Lower(data->designation) != Lower(part.designation))
                    builder.note(MotorCaption(part.maker, part.designation, part.delay),
                                 ImportEvent::MotorDataSubstituted, data->loadedMass,
                                 {ImportArg::Text(data->maker + " " + data->designation),
                                  ImportArg::Number(data->loadedMass, 1)});
            } else
                builder.note(MotorCaption(part.maker, part.designation, part.delay),
                             ImportEvent::MotorDataNotFound, 0);
            // A motor the file gives no length sits with its aft end at `front`; without its
            // data it is drawn as a stub three diameters long.
            if (motor.length <= 0) {
                const double diameter = motor.foreDiameter > 0 ? motor.foreDiameter
                                        : data                 ? data->diameter
                                                               : 0;
                motor.length =
                    data && data->length > 0 ? data->length : 3 * std::max(diameter, 10.0);
                motor.front = part.front - motor.length;
            }
            if (motor.foreDiameter <= 0 && data)
                motor.foreDiameter = data->diameter;
            ElementFields f = Fields("TEngine", motor);
            f.caption = MotorCaption(part.maker, part.designation, part.delay);
            f.diameterB = 0;
            elementOf[i] =
                &builder.add("TEngine", host, f, static_cast<float>(motor.front - hostFront));
            frontOf[i] = part.front;
            break;
        }
        case ImportedKind::MassOnly: {
            if (host == nullptr)
                host = last;
            if (host == nullptr) {
                builder.note(name, ImportEvent::PartAheadOfNose, part.mass);
                break;
            }
            ElementFields f = DefaultFields("TBalast");
            f.caption = name;
            f.material = part.material;
            f.weight = static_cast<float>(part.mass);
            // The dot is 12 units wide; its middle marks the part's centre of gravity.
            f.length = 12;
            const double front = part.host >= 0 ? hostFront : lastFront;
            builder.add("TBalast", host, f, static_cast<float>(part.cg - 6 - front));
            if (part.notes.empty())
                builder.note(name, ImportEvent::DrawnAsWeight, part.mass);
            break;
        }
        }
    }
    PlaceDesign(design);
}

ImportResult ImportForeignBytes(std::span<const std::uint8_t> bytes, ForeignFormat format,
                                Design& design, const MotorLookup& motors,
                                const ImportOptions& options) {
    ImportResult result;
    design.clear();
    try {
        ImportedRocket rocket;
        if (format == ForeignFormat::OpenRocket)
            rocket = ReadOrkDocument(UnpackOrk(bytes), options.motorConfiguration);
        else if (format == ForeignFormat::RockSim)
            rocket = ReadRktDocument(
                std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
        else
            throw ImportError("the file is neither an OpenRocket nor a RockSim design");
        MapImportedRocket(rocket, design, motors, result.report);
        result.ok = true;
    } catch (const ImportError& error) {
        design.clear();
        result.reason = error.what();
    } catch (const std::exception& error) {
        design.clear();
        result.reason = std::string("the file cannot be read (") + error.what() + ")";
    }
    result.message = result.reason;
    return result;
}

ImportResult ImportForeignDesign(const std::filesystem::path& path, Design& design,
                                 const MotorLookup& motors, const ImportOptions& options) {
    ImportResult result;
    const std::string name = path.filename().string();
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    std::vector<std::uint8_t> bytes;
    if (error) {
        result.reason = "the file cannot be opened";
    } else if (size > MaxForeignFileBytes) {
        result.reason =
            "the file is larger than " + std::to_string(MaxForeignFileBytes >> 20) + " MB";
    } else {
        std::ifstream in(path, std::ios::binary);
        bytes.resize(static_cast<std::size_t>(size));
        if (!in ||
            !in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size)))
            result.reason = "the file cannot be read";
    }
    if (result.reason.empty())
        result = ImportForeignBytes(bytes, ForeignFormatOf(path), design, motors, options);
    else
        design.clear();
    result.report.source = name;
    if (!result.ok)
        result.message = path.string() + "\n" + result.reason;
    return result;
}

std::vector<std::string> ImportReportLines(const ImportReport& report,
                                           const ImportReportTexts& texts) {
    std::vector<std::string> lines;
    for (bool leftOut : {true, false})
        for (const ImportReportEntry& e : report.entries)
            if (e.leftOut == leftOut)
                lines.push_back(ImportNoteLine(e, texts));
    return lines;
}

} // namespace vantor
