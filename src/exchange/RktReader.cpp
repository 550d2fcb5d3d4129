#include "exchange/RktReader.h"

#include "exchange/DesignImport.h"
#include "exchange/XmlSupport.h"

#include <algorithm>
#include <cmath>
#include <sstream>

namespace vantor {

namespace {

// RockSim keeps sizes in millimetres, masses in grams and bulk densities in kg/m3.
constexpr double BulkDensity = 1e-6; // kg/m3 -> g/mm3

ImportedNoseShape ShapeOf(int code) {
    switch (code) {
    case 0:
        return ImportedNoseShape::Conical;
    case 1:
        return ImportedNoseShape::Ogive;
    case 2:
        return ImportedNoseShape::Power; // the parabola y ~ sqrt(x)
    case 3:
        return ImportedNoseShape::Ellipsoid;
    case 4:
        return ImportedNoseShape::Power;
    case 5:
        return ImportedNoseShape::ParabolicSeries;
    case 6:
        return ImportedNoseShape::Haack;
    default:
        throw ImportError("unknown nose or transition shape code " + std::to_string(code));
    }
}

class RktWalker {
public:
    explicit RktWalker(ImportedRocket& rocket) : rocket_(rocket) {}

    double stage(const pugi::xml_node& parts) {
        double end = 0;
        for (const pugi::xml_node& node : parts.children()) {
            const std::string kind = node.name();
            if (kind == "NoseCone" || kind == "BodyTube" || kind == "Transition")
                end = outer(node, kind, end, 1);
            else if (!kind.empty())
                leaveOut(node, ImportEvent::PartOutsideBody);
        }
        return end;
    }

    void leaveOut(const pugi::xml_node& node, ImportEvent why) {
        std::string name = TextOf(node, "Name");
        if (name.empty())
            name = node.name();
        rocket_.notes.push_back(ImportNote{name, why, {}, subtreeMass(node, 0), true});
    }

    // The mass of a part with everything attached to it.
    double subtreeMass(const pugi::xml_node& node, int depth) {
        if (depth > MaxComponentDepth)
            throw ImportError("parts are nested more than " + std::to_string(MaxComponentDepth) +
                              " deep");
        double mass = ownMass(node);
        for (const pugi::xml_node& child : node.child("AttachedParts").children())
            mass += subtreeMass(child, depth + 1);
        return mass;
    }

    // Puts the motors of a simulation's engine sets into the mounts they name, each set's
    // motors (several for a cluster) with their aft end where the mount's end and the
    // overhang put it. Mounts left without a motor are reported.
    void motors(const pugi::xml_node& engines) {
        for (const pugi::xml_node& set : engines.children("EngineSet")) {
            const std::string designation = TextOf(set, "EngineCode");
            if (designation.empty())
                continue;
            const double motorCount = NumberOr(set, "EngineCount", 1);
            if (!(motorCount >= 1 && motorCount <= 64))
                throw ImportError("an engine set holds " + TextOf(set, "EngineCount") + " motors");
            const int count = static_cast<int>(motorCount);
            ImportedPart m;
            m.kind = ImportedKind::Motor;
            m.sourceKind = "EngineSet";
            m.maker = TextOf(set, "EngineMfg");
            m.designation = designation;
            if (const auto delay = NumberOf(set, "EjectionDelay"))
                m.delay = *delay;
            m.name = m.maker.empty() ? designation : m.maker + " " + designation;
            const std::string caption = MotorCaption(m.maker, designation, m.delay);
            const std::string serial = TextOf(set, "MountSerialNo");
            Mount* target = nullptr;
            for (Mount& candidate : mounts_)
                if (!serial.empty() && candidate.serial == serial)
                    target = &candidate;
            if (target == nullptr) {
                for (Mount& candidate : mounts_)
                    if (target == nullptr && !candidate.filled)
                        target = &candidate;
                if (target == nullptr) {
                    rocket_.notes.push_back(ImportNote{caption,
                                                       ImportEvent::MotorWithoutMount,
                                                       {ImportArg::Text(serial)},
                                                       0,
                                                       true});
                    continue;
                }
                rocket_.notes.push_back(
                    ImportNote{caption,
                               ImportEvent::MotorPutInMount,
                               {ImportArg::Text(serial), ImportArg::Text(target->name)},
                               0,
                               false});
            }
            target->filled = true;
            m.host = target->host;
            m.foreDiameter = m.aftDiameter = target->motorDiameter;
            // The file gives no motor length: the motor's front is its aft end until the
            // mapping knows the motor.
            m.front =
                target->front + target->length + NumberOr(set, "EngineOverhang", target->overhang);
            m.cg = m.front;
            for (int i = 0; i < count; ++i)
                rocket_.parts.push_back(m);
        }
        for (const Mount& unfilled : mounts_)
            if (!unfilled.filled)
                rocket_.notes.push_back(
                    ImportNote{unfilled.name, ImportEvent::MountWithoutMotor, {}, 0, false});
    }

private:
    // A body tube that holds motors, and the outer part the motors are drawn in.
    struct Mount {
        std::string serial;
        std::string name;
        int host = -1;
        double front = 0, length = 0, overhang = 0, motorDiameter = 0;
        bool filled = false;
    };

    void mount(const pugi::xml_node& node, const ImportedPart& tube, int host) {
        if (NumberOr(node, "IsMotorMount", 0) == 0)
            return;
        mounts_.push_back(Mount{TextOf(node, "SerialNo"),
                                tube.name.empty() ? "motor mount" : tube.name, host, tube.front,
                                tube.length, NumberOr(node, "EngineOverhang", 0),
                                std::max(0.0, NumberOr(node, "MotorDia", 0)), false});
    }

    static double ownMass(const pugi::xml_node& node) {
        const bool known =
            NumberOr(node, "UseKnownCG", 0) != 0 || std::string(node.name()) == "MassObject";
        return known ? NumberOr(node, "KnownMass", 0) : NumberOr(node, "CalcMass", 0);
    }

    // The part's front from the nose tip: its station where the file gives it.
    static double frontOf(const pugi::xml_node& node, double hostFront, double hostLength,
                          double length) {
        if (const auto station = NumberOf(node, "Station"))
            return *station;
        const double xb = NumberOr(node, "Xb", 0);
        switch (WholeNumberOr(node, "LocationMode", 0)) {
        case 1:
            return xb; // from the nose tip
        case 2:
            return hostFront + hostLength - length + xb; // from the parent's rear
        default:
            return hostFront + xb; // from the parent's front
        }
    }

    void common(const pugi::xml_node& node, ImportedPart& part, double front, double length) {
        part.name = TextOf(node, "Name");
        part.sourceKind = node.name();
        part.material = TextOf(node, "Material");
        if (NumberOr(node, "DensityType", 0) == 0)
            part.density = NumberOr(node, "Density", 0) * BulkDensity;
        part.front = front;
        part.length = length;
        part.mass = ownMass(node);
        const bool knownCg = NumberOr(node, "UseKnownCG", 0) != 0;
        part.cg = front + (knownCg ? NumberOr(node, "KnownCG", length / 2)
                                   : NumberOr(node, "CalcCG", length / 2));
        if (!(part.mass >= 0) || !(length >= 0))
            throw ImportError("\"" + part.name + "\" has a negative mass or length");
    }

    // An outer part at its station, or right behind the part ahead (`after`) where the
    // file gives no station.
    double outer(const pugi::xml_node& node, const std::string& kind, double after, int depth) {
        ImportedPart part;
        const double length = NumberOr(node, "Len", 0);
        const double front = NumberOf(node, "Station").value_or(after);
        common(node, part, front, length);
        if (kind == "NoseCone") {
            part.kind = ImportedKind::Nose;
            part.aftDiameter = NumberOr(node, "BaseDia", 0);
            part.shape = ShapeOf(WholeNumberOr(node, "ShapeCode", 0));
            part.shapeParameter = NumberOr(node, "ShapeParameter", 0);
            if (WholeNumberOr(node, "ShapeCode", 0) == 2)
                part.shapeParameter = 0.5;
            part.thickness = NumberOr(node, "WallThickness", 0);
            if (NumberOr(node, "ShoulderLen", 0) > 0)
                part.notes.push_back({ImportEvent::ShoulderInNose, {}});
        } else if (kind == "BodyTube") {
            part.kind = ImportedKind::BodyTube;
            const double od = NumberOr(node, "OD", 0), id = NumberOr(node, "ID", 0);
            part.foreDiameter = part.aftDiameter = od;
            part.thickness = std::max(0.0, (od - id) / 2);
        } else {
            part.kind = ImportedKind::Transition;
            part.foreDiameter = NumberOr(node, "FrontDia", 0);
            part.aftDiameter = NumberOr(node, "RearDia", 0);
            part.shape = ShapeOf(WholeNumberOr(node, "ShapeCode", 0));
            part.thickness = NumberOr(node, "WallThickness", 0);
        }
        if (!(std::max(part.foreDiameter, part.aftDiameter) > 0) || !(length > 0))
            throw ImportError("\"" + part.name + "\" has no length or diameter");
        rocket_.parts.push_back(part);
        const int index = static_cast<int>(rocket_.parts.size() - 1);
        if (kind == "BodyTube")
            mount(node, part, index);
        double end = front + length;
        // A nose's cylindrical base extension is a tube of its base diameter; its mass is
        // in the nose's.
        if (kind == "NoseCone") {
            if (const double extension = NumberOr(node, "BaseExtensionLen", 0); extension > 0) {
                ImportedPart tube;
                tube.kind = ImportedKind::BodyTube;
                tube.name = part.name + " base extension";
                tube.sourceKind = "NoseCone";
                tube.front = end;
                tube.length = extension;
                tube.foreDiameter = tube.aftDiameter = part.aftDiameter;
                tube.thickness = part.thickness;
                tube.cg = end + extension / 2;
                tube.notes.push_back({ImportEvent::BaseExtensionAsTube, {}});
                rocket_.parts.push_back(tube);
                end += extension;
            }
        }
        attached(node, index, front, length, depth + 1);
        return end;
    }

    void attached(const pugi::xml_node& host, int hostIndex, double hostFront, double hostLength,
                  int depth) {
        if (depth > MaxComponentDepth)
            throw ImportError("parts are nested more than " + std::to_string(MaxComponentDepth) +
                              " deep");
        for (const pugi::xml_node& node : host.child("AttachedParts").children()) {
            const std::string kind = node.name();
            if (kind.empty())
                continue;
            ImportedPart part;
            part.host = hostIndex;
            if (kind == "FinSet" || kind == "CustomFinSet") {
                finSet(node, kind, part, hostFront, hostLength);
                rocket_.parts.push_back(part);
                attached(node, hostIndex, part.front, part.length, depth + 1);
                continue;
            }
            if (kind == "ExternalPod" || kind == "TubeFinSet" || kind == "RingTail") {
                if (kind == "TubeFinSet") {
                    const double length = NumberOr(node, "Len", 0);
                    common(node, part, frontOf(node, hostFront, hostLength, length), length);
                    part.notes.push_back({ImportEvent::TubeFinsAsWeight, {}});
                    rocket_.parts.push_back(part);
                } else {
                    leaveOut(node,
                             kind == "ExternalPod" ? ImportEvent::Pods : ImportEvent::RingTail);
                }
                continue;
            }
            if (kind == "NoseCone" || kind == "Transition") {
                leaveOut(node, ImportEvent::BodyPartInsidePart);
                continue;
            }
            double length = NumberOr(node, "Len", 0);
            if (kind == "Parachute" || kind == "Streamer")
                length = NumberOr(node, "Len", 0);
            const double front = frontOf(node, hostFront, hostLength, length);
            common(node, part, front, length);
            rocket_.parts.push_back(part);
            if (kind == "BodyTube")
                mount(node, part, hostIndex);
            attached(node, hostIndex, front, length, depth + 1);
        }
    }

    void finSet(const pugi::xml_node& node, const std::string& kind, ImportedPart& part,
                double hostFront, double hostLength) {
        part.kind = ImportedKind::FinSet;
        part.finCount = WholeNumberOr(node, "FinCount", 3);
        if (part.finCount < 1 || part.finCount > 64)
            throw ImportError("the fin set has " + std::to_string(part.finCount) + " fins");
        part.cant = NumberOr(node, "CantAngle", 0);
        part.thickness = NumberOr(node, "Thickness", 0);
        const int shape = WholeNumberOr(node, "ShapeCode", 0);
        if (kind == "CustomFinSet" || shape == 2) {
            std::vector<std::pair<double, double>> outline;
            std::stringstream list(TextOf(node, "PointList"));
            std::string item;
            while (std::getline(list, item, '|')) {
                const auto comma = item.find(',');
                if (comma == std::string::npos)
                    continue;
                if (outline.size() > 10000)
                    throw ImportError("the fin set has too many points");
                outline.emplace_back(ParseNumber(item.substr(0, comma), "fin point"),
                                     ParseNumber(item.substr(comma + 1), "fin point"));
            }
            trapezoidFrom(outline, part);
            part.notes.push_back({ImportEvent::FreeFormFins, {}});
        } else {
            part.rootChord = NumberOr(node, "RootChord", 0);
            part.tipChord = NumberOr(node, "TipChord", 0);
            part.span = NumberOr(node, "SemiSpan", 0);
            part.sweep = NumberOr(node, "SweepDistance", 0);
            if (shape == 1) {
                // An elliptical fin: area pi/4 cr s, centroid at half the root.
                std::vector<std::pair<double, double>> outline;
                for (int i = 0; i <= 64; ++i) {
                    const double a = 3.141592653589793 * i / 64;
                    outline.emplace_back(part.rootChord / 2 * (1 - std::cos(a)),
                                         part.span * std::sin(a));
                }
                std::reverse(outline.begin(), outline.end());
                trapezoidFrom(outline, part);
                part.notes.push_back({ImportEvent::EllipticalFins, {}});
            }
        }
        if (!(part.rootChord > 0) || !(part.span > 0))
            throw ImportError("the fin set has no root chord or span");
        if (part.cant != 0)
            part.notes.push_back({ImportEvent::CantIgnored, {}});
        common(node, part, frontOf(node, hostFront, hostLength, part.rootChord), part.rootChord);
    }

    // A trapezoid of the same span, area and chordwise centroid as the outline, which
    // runs from the root's trailing edge (or leading edge) over the tip back to the root.
    static void trapezoidFrom(std::vector<std::pair<double, double>> outline, ImportedPart& part) {
        if (outline.size() < 3)
            throw ImportError("the fin outline has fewer than three points");
        double a2 = 0, cx = 0, top = 0, minX = outline[0].first, maxRootX = outline[0].first;
        for (std::size_t i = 0; i < outline.size(); ++i) {
            const auto [x0, y0] = outline[i];
            const auto [x1, y1] = outline[(i + 1) % outline.size()];
            const double cross = x0 * y1 - x1 * y0;
            a2 += cross;
            cx += (x0 + x1) * cross;
            top = std::max(top, y0);
            if (y0 == 0) {
                minX = std::min(minX, x0);
                maxRootX = std::max(maxRootX, x0);
            }
        }
        const double area = std::abs(a2) / 2;
        const double centroid = a2 != 0 ? cx / (3 * a2) - minX : 0;
        const double root = maxRootX - minX;
        if (!(top > 0) || !(area > 0) || !(root > 0))
            throw ImportError("the fin outline is empty");
        double cr = root, ct = 2 * area / top - cr;
        if (ct < 0) {
            cr = 2 * area / top;
            ct = 0;
        }
        part.rootChord = cr;
        part.tipChord = ct;
        part.span = top;
        part.sweep = (3 * (cr + ct) * centroid - (cr * cr + cr * ct + ct * ct)) / (cr + 2 * ct);
    }

    ImportedRocket& rocket_;
    std::vector<Mount> mounts_;
};

// The first simulation's motors and the launch figures every simulation stored (RockSim
// keeps masses in kilograms and positions in metres there).
pugi::xml_node ReadSimulations(const pugi::xml_node& root, ImportedRocket& rocket) {
    pugi::xml_node engines;
    for (const pugi::xml_node& sim :
         root.child("SimulationResultsList").children("SimulationResults")) {
        std::string name = TextOf(sim, "SimulationName");
        while (!name.empty() && name.back() == ' ')
            name.pop_back();
        if (!engines && sim.child("Stage3Engines").child("EngineSet")) {
            engines = sim.child("Stage3Engines");
            rocket.configuration = name;
        }
        const auto mass = NumberOf(sim, "Mass0");
        const auto cg = NumberOf(sim, "CG0");
        if (mass && cg && *mass > 0)
            rocket.flights.push_back(
                StoredFlightPoint{name, name, *mass * 1000, *cg * 1000, {}, {}, 0, 0});
    }
    // The simulation whose motors are put in comes first.
    std::stable_partition(
        rocket.flights.begin(), rocket.flights.end(),
        [&](const StoredFlightPoint& f) { return f.configuration == rocket.configuration; });
    return engines;
}

} // namespace

ImportedRocket ReadRktDocument(std::string_view xml) {
    pugi::xml_document doc;
    ParseDesignXml(doc, xml);
    const pugi::xml_node root = doc.child("RockSimDocument");
    if (!root)
        throw ImportError("the document is not a RockSim design (no <RockSimDocument> element)");
    const int version = WholeNumberOr(root, "FileVersion", 0);
    if (version < 3 || version > 4)
        throw ImportError("RockSim file version " + std::to_string(version) +
                          " is not read (versions 3 and 4 are)");
    const pugi::xml_node design = root.child("DesignInformation").child("RocketDesign");
    if (!design)
        throw ImportError("the document holds no rocket design");
    ImportedRocket rocket;
    rocket.name = TextOf(design, "Name");
    rocket.format = "RockSim " + std::to_string(version);
    rocket.stageCount = std::clamp(WholeNumberOr(design, "StageCount", 1), 1, 3);
    RktWalker walker(rocket);
    // Stage 3 is the sustainer, the stage with the nose; 2 and 1 are boosters below it.
    walker.stage(design.child("Stage3Parts"));
    walker.motors(ReadSimulations(root, rocket));
    for (const char* lower : {"Stage2Parts", "Stage1Parts"}) {
        const pugi::xml_node parts = design.child(lower);
        if (!parts || !parts.first_child())
            continue;
        double mass = 0;
        for (const pugi::xml_node& node : parts.children())
            mass += walker.subtreeMass(node, 0);
        if (rocket.stageCount > 1)
            rocket.notes.push_back(
                ImportNote{std::string(lower) == "Stage2Parts" ? "stage 2" : "stage 1",
                           ImportEvent::LowerStage,
                           {},
                           mass,
                           true});
    }
    bool hasNose = false;
    for (const ImportedPart& part : rocket.parts)
        hasNose = hasNose || part.kind == ImportedKind::Nose;
    if (!hasNose)
        throw ImportError("the sustainer has no nose cone");
    return rocket;
}

} // namespace vantor
