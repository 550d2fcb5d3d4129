#include "exchange/OrkReader.h"

#include "exchange/NoseProfile.h"
#include "exchange/XmlSupport.h"

#include <zip.h>
#include <zlib.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <optional>

namespace vantor {

namespace {

constexpr double Pi = 3.141592653589793;
// The file is in SI units: metres, kilograms, kg/m3, kg/m2, kg/m.
constexpr double Mm = 1000;             // m -> mm
constexpr double Grams = 1000;          // kg -> g
constexpr double BulkDensity = 1e-6;    // kg/m3 -> g/mm3
constexpr double SurfaceDensity = 1e-3; // kg/m2 -> g/mm2
constexpr double LineDensity = 1;       // kg/m -> g/mm

struct ZipFree {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
struct ZipFileClose {
    void operator()(zip_file_t* file) const { zip_fclose(file); }
};

// A length in metres turned into millimetres; "auto" values give their resolved number
// when the file carries one ("auto 0.03175"), else nothing.
std::optional<double> LengthOf(const pugi::xml_node& parent, const char* child) {
    const pugi::xml_node node = parent.child(child);
    if (!node)
        return std::nullopt;
    std::string_view text = node.child_value();
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    if (text.substr(0, 4) == "auto") {
        text.remove_prefix(4);
        if (text.find_first_not_of(" \t\r\n") == std::string_view::npos)
            return std::nullopt;
    }
    return ParseNumber(text, child) * Mm;
}

double MetresOr(const pugi::xml_node& parent, const char* child, double fallback) {
    return LengthOf(parent, child).value_or(fallback);
}

struct MaterialInfo {
    std::string name;
    double density = 0; // in the unit of its type, converted
};

MaterialInfo MaterialOf(const pugi::xml_node& parent, const char* child = "material") {
    const pugi::xml_node node = parent.child(child);
    MaterialInfo m;
    if (!node)
        return m;
    m.name = node.child_value();
    const std::string type = node.attribute("type").as_string("bulk");
    const double raw = ParseNumber(node.attribute("density").as_string("0"), "material density");
    m.density = type == "surface" ? raw * SurfaceDensity
                : type == "line"  ? raw * LineDensity
                                  : raw * BulkDensity;
    return m;
}

// Where the component lies relative to its parent: the method and the offset in mm.
struct Placement {
    std::string method = "after";
    double offset = 0;
};

Placement PlacementOf(const pugi::xml_node& node) {
    Placement p;
    if (const pugi::xml_node axial = node.child("axialoffset")) {
        p.method = axial.attribute("method").as_string("top");
        p.offset = ParseNumber(axial.child_value(), "axialoffset") * Mm;
    } else if (const pugi::xml_node pos = node.child("position")) {
        p.method = pos.attribute("type").as_string("top");
        p.offset = ParseNumber(pos.child_value(), "position") * Mm;
    }
    return p;
}

// The front of a component of `length` placed in a parent spanning [parentFront,
// parentFront + parentLength]; `after` is where the previous sibling ends.
double ResolveFront(const Placement& p, double length, double parentFront, double parentLength,
                    double after) {
    if (p.method == "top")
        return parentFront + p.offset;
    if (p.method == "middle")
        return parentFront + (parentLength - length) / 2 + p.offset;
    if (p.method == "bottom")
        return parentFront + parentLength - length + p.offset;
    if (p.method == "absolute")
        return p.offset;
    return after + p.offset; // "after"
}

ImportedNoseShape ShapeOf(const std::string& name) {
    if (name == "conical" || name.empty())
        return ImportedNoseShape::Conical;
    if (name == "ogive") // a secant ogive (parameter below 1) is taken as tangent
        return ImportedNoseShape::Ogive;
    if (name == "ellipsoid")
        return ImportedNoseShape::Ellipsoid;
    if (name == "power")
        return ImportedNoseShape::Power;
    if (name == "parabolic")
        return ImportedNoseShape::ParabolicSeries;
    if (name == "haack")
        return ImportedNoseShape::Haack;
    throw ImportError("unknown nose or transition shape \"" + name + "\"");
}

int ClusterCount(const std::string& configuration) {
    if (configuration.empty() || configuration == "single")
        return 1;
    if (configuration == "double")
        return 2;
    const int n = std::atoi(configuration.c_str());
    return std::clamp(n, 1, 64);
}

double Ring(double outer, double inner) {
    return Pi * (outer * outer - inner * inner);
}

// Mass and moment of what a subtree of the source holds, to apply overrides.
struct MassSum {
    double mass = 0, moment = 0;
    void add(double m, double cg) {
        mass += m;
        moment += m * cg;
    }
};

// The geometry a component inside another one needs from it.
struct Host {
    int index = -1;   // the outer part it sits in (nose, tube, transition)
    double front = 0; // mm from the nose tip
    double length = 0;
    double innerRadius = 0; // the free space inside
    double outerRadius = 0;
};

// An inner tube's span and radius, for rings that fit around it.
struct TubeSpan {
    double front = 0, length = 0, outerRadius = 0;
};

class OrkWalker {
public:
    OrkWalker(ImportedRocket& rocket, std::string defaultConfig)
        : rocket_(rocket), defaultConfig_(std::move(defaultConfig)) {}

    // The stage's outer components, stacked from `stageFront`. Returns where it ends.
    double stage(const pugi::xml_node& stageNode, double stageFront) {
        const pugi::xml_node children = stageNode.child("subcomponents");
        const std::size_t first = rocket_.parts.size();
        resolveRadii(children);
        double cursor = stageFront;
        std::size_t outer = 0;
        for (const pugi::xml_node& child : children.children()) {
            const std::string kind = child.name();
            if (kind == "nosecone" || kind == "bodytube" || kind == "transition") {
                const Radii radii = outer < radii_.size() ? radii_[outer] : Radii{};
                ++outer;
                const Placement p = PlacementOf(child);
                const double length = MetresOr(child, "length", 0);
                const double front = ResolveFront(p, length, stageFront, 0, cursor);
                component(child, kind, front, length, radii, 1);
                cursor = front + length;
            } else if (kind == "podset" || kind == "parallelstage") {
                leaveOut(child, ImportEvent::SideBoostersAndPods);
            } else {
                leaveOut(child, ImportEvent::PartOutsideBody);
            }
        }
        applyOverrides(stageNode, first, -1, 0);
        return cursor;
    }

    // Records an element that is not carried over, with the mass the source gives it.
    void leaveOut(const pugi::xml_node& node, ImportEvent why) {
        ImportedRocket scratch;
        OrkWalker walker(scratch, defaultConfig_);
        double mass = 0;
        try {
            if (std::string(node.name()) == "stage") {
                walker.stage(node, 0);
            } else {
                walker.insideAll(node, Host{-1, 0, 0, 0, 0}, 1);
            }
            for (const ImportedPart& part : scratch.parts)
                mass += part.mass;
            if (const auto m = NumberOf(node, "overridemass"))
                mass = *m * Grams;
        } catch (const ImportError&) {
            mass = 0;
        }
        std::string name = TextOf(node, "name");
        if (name.empty())
            name = node.name();
        rocket_.notes.push_back(ImportNote{name, why, {}, mass, true});
    }

private:
    struct Radii {
        std::optional<double> fore, aft;
        bool tube = false; // one radius for both ends
    };

    // Outer radii of the stage's external parts, "auto" ones taken from the neighbours.
    void resolveRadii(const pugi::xml_node& children) {
        radii_.clear();
        for (const pugi::xml_node& child : children.children()) {
            const std::string kind = child.name();
            if (kind == "nosecone")
                radii_.push_back({0.0, LengthOf(child, "aftradius")});
            else if (kind == "bodytube") {
                const auto r = LengthOf(child, "radius");
                radii_.push_back({r, r, true});
            } else if (kind == "transition")
                radii_.push_back({LengthOf(child, "foreradius"), LengthOf(child, "aftradius")});
        }
        for (int pass = 0; pass < 2; ++pass)
            for (std::size_t i = 0; i < radii_.size(); ++i) {
                Radii& r = radii_[i];
                if (!r.fore && i > 0 && radii_[i - 1].aft)
                    r.fore = radii_[i - 1].aft;
                if (!r.aft && i + 1 < radii_.size() && radii_[i + 1].fore)
                    r.aft = radii_[i + 1].fore;
                if (r.tube && (r.fore || r.aft))
                    r.fore = r.aft = r.fore ? r.fore : r.aft;
                if (!r.aft && r.fore && i + 1 == radii_.size())
                    r.aft = r.fore;
            }
    }

    void component(const pugi::xml_node& node, const std::string& kind, double front, double length,
                   const Radii& radii, int depth) {
        if (depth > MaxComponentDepth)
            throw ImportError("components are nested more than " +
                              std::to_string(MaxComponentDepth) + " deep");
        const std::size_t first = rocket_.parts.size();
        ImportedPart part;
        part.name = TextOf(node, "name");
        part.sourceKind = kind;
        part.front = front;
        part.length = length;
        const MaterialInfo material = MaterialOf(node);
        part.material = material.name;
        part.density = material.density;
        if (!(length >= 0))
            throw ImportError("\"" + part.name + "\" has a negative length");

        if (kind == "bodytube") {
            const double r = radii.fore.value_or(radii.aft.value_or(0));
            if (!(r > 0))
                throw ImportError("the body tube \"" + part.name + "\" has no radius");
            const double wall = std::min(r, MetresOr(node, "thickness", 0));
            part.kind = ImportedKind::BodyTube;
            part.foreDiameter = part.aftDiameter = 2 * r;
            part.thickness = wall;
            part.mass = Ring(r, r - wall) * length * material.density;
            part.cg = front + length / 2;
        } else {
            const double fore = kind == "nosecone" ? 0.0 : radii.fore.value_or(0);
            const double aft = radii.aft.value_or(fore);
            if (!(aft > 0) && !(fore > 0))
                throw ImportError("\"" + part.name + "\" has no radius");
            double parameter = NumberOr(node, "shapeparameter", 0);
            part.shape = ShapeOf(TextOf(node, "shape"));
            part.shapeParameter = parameter;
            part.kind = kind == "nosecone" ? ImportedKind::Nose : ImportedKind::Transition;
            part.foreDiameter = 2 * fore;
            part.aftDiameter = 2 * aft;
            const std::string thicknessText = TextOf(node, "thickness");
            const bool filled = thicknessText == "filled" || TextOf(node, "filled") == "true";
            const double wall = filled ? 0.0 : MetresOr(node, "thickness", 0);
            part.thickness = wall;
            // The profile runs from the narrow to the wide end.
            const double narrow = std::min(fore, aft), wide = std::max(fore, aft);
            const RevolvedVolume body =
                RevolveProfile(part.shape, parameter, length, narrow, wide, wall);
            const double bodyCg =
                fore <= aft ? front + body.centroid : front + length - body.centroid;
            MassSum sum;
            sum.add(body.volume * material.density, bodyCg);
            shoulder(node, "aft", front + length, +1, material.density, sum);
            shoulder(node, "fore", front, -1, material.density, sum);
            part.mass = sum.mass;
            part.cg = sum.mass > 0 ? sum.moment / sum.mass : front + length / 2;
            if (sum.mass > body.volume * material.density + 1e-9)
                part.notes.push_back({ImportEvent::ShoulderInNose, {}});
        }
        rocket_.parts.push_back(part);
        const int index = static_cast<int>(rocket_.parts.size() - 1);
        const double outerRadius = std::max(part.foreDiameter, part.aftDiameter) / 2;
        const double inner = kind == "bodytube"   ? outerRadius - part.thickness
                             : part.thickness > 0 ? outerRadius - part.thickness
                                                  : outerRadius;
        if (kind == "bodytube")
            motors(node, front, length, index);
        insideAll(node, Host{index, front, length, inner, outerRadius}, depth + 1);
        applyOverrides(node, first, index, depth);
    }

    // A shoulder of a nose or transition: a tube of its own radius and wall (also for a
    // filled nose), capped or not, behind the aft end (`direction` +1) or ahead of the front (-1).
    void shoulder(const pugi::xml_node& node, const std::string& end, double at, int direction,
                  double density, MassSum& sum) {
        const double length = MetresOr(node, (end + "shoulderlength").c_str(), 0);
        const double radius = MetresOr(node, (end + "shoulderradius").c_str(), 0);
        if (!(length > 0) || !(radius > 0))
            return;
        const double wall =
            std::min(radius, MetresOr(node, (end + "shoulderthickness").c_str(), 0));
        sum.add(Ring(radius, radius - wall) * length * density, at + direction * length / 2);
        if (TextOf(node, (end + "shouldercapped").c_str()) == "true" && wall < radius) {
            const double capWall = std::min(wall, length);
            sum.add(Ring(radius - wall, 0) * capWall * density,
                    at + direction * (length - capWall / 2));
        }
    }

    void insideAll(const pugi::xml_node& node, const Host& host, int depth) {
        if (depth > MaxComponentDepth)
            throw ImportError("components are nested more than " +
                              std::to_string(MaxComponentDepth) + " deep");
        const pugi::xml_node children = node.child("subcomponents");
        // Inner tubes first, so that rings with an automatic hole fit around them.
        std::vector<TubeSpan> tubes;
        for (const pugi::xml_node& child : children.children())
            if (std::string(child.name()) == "innertube") {
                const double length = MetresOr(child, "length", 0);
                const double front =
                    ResolveFront(PlacementOf(child), length, host.front, host.length, host.front);
                tubes.push_back({front, length, MetresOr(child, "outerradius", 0)});
            }
        double after = host.front;
        for (const pugi::xml_node& child : children.children())
            after = inside(child, host, tubes, after, depth);
    }

    // One component inside or on `host`; returns where it ends.
    double inside(const pugi::xml_node& node, const Host& host, const std::vector<TubeSpan>& tubes,
                  double after, int depth) {
        const std::string kind = node.name();
        const std::size_t first = rocket_.parts.size();
        ImportedPart part;
        part.name = TextOf(node, "name");
        part.sourceKind = kind;
        part.host = host.index;
        const MaterialInfo material = MaterialOf(node);
        part.material = material.name;
        part.density = material.density;
        const Placement placement = PlacementOf(node);
        // Fin counts and clusters are counted where their masses are; other parts repeat
        // as instances along the axis.
        const bool counted = kind == "tubefinset" || kind == "innertube";
        const int instances =
            counted ? 1 : std::clamp(WholeNumberOr(node, "instancecount", 1), 1, 1000);
        const double separation = MetresOr(node, "instanceseparation", 0);

        double length = MetresOr(node, "length", 0);
        double unitMass = 0;
        Host inner = host; // what this component's own children sit in

        if (kind == "trapezoidfinset" || kind == "ellipticalfinset" || kind == "freeformfinset") {
            finSet(node, kind, part, material.density);
            length = part.rootChord;
            part.front = ResolveFront(placement, length, host.front, host.length, after);
            part.length = length;
            part.cg += part.front;
            rocket_.parts.push_back(part);
            applyOverrides(node, first, static_cast<int>(first), depth);
            return part.front + length;
        }
        if (kind == "bodytube" || kind == "nosecone" || kind == "transition") {
            // An outer part nested where only inner parts belong (a pod's body) is
            // counted as a weight.
            leaveOut(node, ImportEvent::BodyPartInsidePart);
            return after;
        }
        if (kind == "podset" || kind == "parallelstage") {
            leaveOut(node, ImportEvent::SideBoostersAndPods);
            return after;
        }

        const double hostInner = host.innerRadius;
        if (kind == "innertube" || kind == "tubecoupler" || kind == "launchlug" ||
            kind == "tubefinset") {
            double outer = kind == "tubecoupler"
                               ? MetresOr(node, "outerradius", hostInner)
                               : MetresOr(node, "outerradius", MetresOr(node, "radius", 0));
            const int tubeCount =
                std::clamp(WholeNumberOr(node, "fincount", 6), 1, 64);
            if (kind == "tubefinset" && !LengthOf(node, "radius") &&
                !LengthOf(node, "outerradius")) {
                // Automatic: the tubes around the body touch one another.
                const double s = std::sin(Pi / tubeCount);
                outer = tubeCount > 1 ? host.outerRadius * s / (1 - s) : host.outerRadius;
            }
            const double wall = std::min(outer, MetresOr(node, "thickness", 0));
            int count =
                kind == "innertube" ? ClusterCount(TextOf(node, "clusterconfiguration")) : 1;
            if (kind == "tubefinset")
                count = tubeCount;
            unitMass = Ring(outer, outer - wall) * length * material.density * count;
            inner = Host{host.index, 0, length, outer - wall, outer};
            if (kind == "tubefinset")
                part.notes.push_back({ImportEvent::TubeFinsAsWeight, {}});
        } else if (kind == "centeringring" || kind == "bulkhead" || kind == "engineblock") {
            const double outer = MetresOr(node, "outerradius", hostInner);
            double holeRadius = 0;
            if (kind != "bulkhead") {
                if (const auto given = LengthOf(node, "innerradius")) {
                    holeRadius = *given;
                } else if (const auto wall = LengthOf(node, "thickness")) {
                    // Newer files give the ring's wall instead of its hole.
                    holeRadius = std::max(0.0, outer - *wall);
                } else {
                    const double front =
                        ResolveFront(placement, length, host.front, host.length, after);
                    for (const TubeSpan& t : tubes)
                        if (front + length > t.front && front < t.front + t.length)
                            holeRadius = std::max(holeRadius, t.outerRadius);
                }
            }
            unitMass = Ring(outer, std::min(outer, holeRadius)) * length * material.density;
        } else if (kind == "parachute") {
            length = MetresOr(node, "packedlength", 0);
            const double d = MetresOr(node, "diameter", 0);
            const MaterialInfo lines = MaterialOf(node, "linematerial");
            unitMass = Pi * d * d / 4 * material.density + NumberOr(node, "linecount", 0) *
                                                               MetresOr(node, "linelength", 0) *
                                                               lines.density;
        } else if (kind == "streamer") {
            length = MetresOr(node, "packedlength", 0);
            unitMass = MetresOr(node, "striplength", 0) * MetresOr(node, "stripwidth", 0) *
                       material.density;
        } else if (kind == "shockcord") {
            length = MetresOr(node, "packedlength", 0);
            unitMass = MetresOr(node, "cordlength", 0) * material.density;
        } else if (kind == "masscomponent") {
            length = MetresOr(node, "packedlength", length);
            unitMass = NumberOr(node, "mass", 0) * Grams;
        } else if (kind == "railbutton") {
            const double outer = MetresOr(node, "outerdiameter", 0) / 2;
            const double innerR = MetresOr(node, "innerdiameter", 0) / 2;
            const double height = MetresOr(node, "height", 0);
            const double base = MetresOr(node, "baseheight", 0);
            const double flange = MetresOr(node, "flangeheight", 0);
            const double neck = std::max(0.0, height - base - flange);
            unitMass =
                (Ring(outer, 0) * (base + flange) + Ring(innerR, 0) * neck) * material.density;
            length = 2 * outer;
        } else {
            leaveOut(node, ImportEvent::UnknownElement);
            return after;
        }
        if (!(length >= 0) || !std::isfinite(unitMass) || unitMass < 0)
            throw ImportError("\"" + part.name + "\" has sizes that give no mass");

        const double span = length + separation * (instances - 1);
        const double front = ResolveFront(placement, span, host.front, host.length, after);
        part.kind = ImportedKind::MassOnly;
        part.front = front;
        part.length = span;
        part.mass = unitMass * instances;
        part.cg = front + span / 2;
        rocket_.parts.push_back(part);
        const int index = static_cast<int>(rocket_.parts.size() - 1);

        if (kind == "innertube" || kind == "bodytube")
            motors(node, front, length, host.index);
        if (kind == "innertube" || kind == "tubecoupler") {
            inner.front = front;
            insideAll(node, inner, depth + 1);
        }
        applyOverrides(node, first, index, depth);
        return front + span;
    }

    void finSet(const pugi::xml_node& node, const std::string& kind, ImportedPart& part,
                double density) {
        part.kind = ImportedKind::FinSet;
        part.finCount =
            WholeNumberOr(node, "fincount", WholeNumberOr(node, "instancecount", 3));
        if (part.finCount < 1 || part.finCount > 64)
            throw ImportError("the fin set \"" + part.name + "\" has " +
                              std::to_string(part.finCount) + " fins");
        part.cant = NumberOr(node, "cant", 0);
        const double thickness = MetresOr(node, "thickness", 0);
        part.thickness = thickness;
        double area = 0, centroidX = 0;
        if (kind == "trapezoidfinset") {
            part.rootChord = MetresOr(node, "rootchord", 0);
            part.tipChord = MetresOr(node, "tipchord", 0);
            part.sweep = MetresOr(node, "sweeplength", 0);
            part.span = MetresOr(node, "height", 0);
            area = (part.rootChord + part.tipChord) / 2 * part.span;
            const double cr = part.rootChord, ct = part.tipChord, xr = part.sweep;
            centroidX = cr + ct > 0
                            ? (cr * cr + cr * ct + ct * ct + xr * (cr + 2 * ct)) / (3 * (cr + ct))
                            : 0;
        } else {
            std::vector<std::pair<double, double>> outline;
            if (kind == "ellipticalfinset") {
                const double cr = MetresOr(node, "rootchord", 0), s = MetresOr(node, "height", 0);
                constexpr int n = 64;
                for (int i = 0; i <= n; ++i) {
                    const double a = Pi * i / n;
                    outline.emplace_back(cr / 2 - cr / 2 * std::cos(a), s * std::sin(a));
                }
                part.notes.push_back({ImportEvent::EllipticalFins, {}});
            } else {
                for (const pugi::xml_node& point : node.child("finpoints").children("point")) {
                    if (outline.size() > 10000)
                        throw ImportError("the fin set \"" + part.name + "\" has too many points");
                    outline.emplace_back(
                        ParseNumber(point.attribute("x").as_string(), "fin point") * Mm,
                        ParseNumber(point.attribute("y").as_string(), "fin point") * Mm);
                }
                part.notes.push_back({ImportEvent::FreeFormFins, {}});
            }
            if (outline.size() < 3)
                throw ImportError("the fin set \"" + part.name + "\" has no outline");
            // Shoelace area and centroid of the closed outline.
            double a2 = 0, cx = 0, top = 0;
            for (std::size_t i = 0; i < outline.size(); ++i) {
                const auto [x0, y0] = outline[i];
                const auto [x1, y1] = outline[(i + 1) % outline.size()];
                const double cross = x0 * y1 - x1 * y0;
                a2 += cross;
                cx += (x0 + x1) * cross;
                top = std::max(top, y0);
            }
            area = std::abs(a2) / 2;
            centroidX = a2 != 0 ? cx / (3 * a2) : 0;
            const double root = outline.back().first - outline.front().first;
            part.span = top;
            if (!(top > 0) || !(area > 0) || !(root > 0))
                throw ImportError("the fin set \"" + part.name + "\" has an empty outline");
            // Same span and area; root chord kept unless the area asks for a shorter one.
            double cr = root, ct = 2 * area / top - cr;
            if (ct < 0) {
                cr = 2 * area / top;
                ct = 0;
            }
            // Sweep that puts the trapezoid's centroid where the source's is.
            const double xr =
                (3 * (cr + ct) * centroidX - (cr * cr + cr * ct + ct * ct)) / (cr + 2 * ct);
            part.rootChord = cr;
            part.tipChord = ct;
            part.sweep = xr;
        }
        if (!(part.rootChord > 0) || !(part.span > 0))
            throw ImportError("the fin set \"" + part.name + "\" has no root chord or span");
        if (part.cant != 0)
            part.notes.push_back({ImportEvent::CantOfIgnored,
                                  {ImportArg::Text(std::to_string(part.cant).substr(0, 4))}});
        // Tabs hang below the root, inside the body.
        const double tabArea = MetresOr(node, "tabheight", 0) * MetresOr(node, "tablength", 0);
        const double finMass = area * thickness * density;
        const double tabMass = tabArea * thickness * density;
        part.mass = (finMass + tabMass) * part.finCount;
        // Centroid from the root's leading edge; the tab taken at the root's middle.
        part.cg = finMass + tabMass > 0
                      ? (finMass * centroidX + tabMass * part.rootChord / 2) / (finMass + tabMass)
                      : part.rootChord / 2;
    }

    // The motors of the default configuration held by a mount spanning [front, front + length].
    void motors(const pugi::xml_node& node, double front, double length, int host) {
        const pugi::xml_node mount = node.child("motormount");
        if (!mount)
            return;
        const double overhang = MetresOr(mount, "overhang", 0);
        const int count = ClusterCount(TextOf(node, "clusterconfiguration"));
        pugi::xml_node chosen;
        for (const pugi::xml_node& motor : mount.children("motor"))
            if (!chosen || motor.attribute("configid").as_string() == defaultConfig_)
                chosen = motor;
        if (!chosen)
            return;
        for (const pugi::xml_node& motor : mount.children("motor"))
            if (motor.attribute("configid").as_string() == defaultConfig_)
                chosen = motor;
        ImportedPart m;
        m.kind = ImportedKind::Motor;
        m.sourceKind = "motor";
        m.host = host;
        m.maker = TextOf(chosen, "manufacturer");
        m.designation = TextOf(chosen, "designation");
        m.foreDiameter = m.aftDiameter = MetresOr(chosen, "diameter", 0);
        m.length = MetresOr(chosen, "length", 0);
        const std::string delay = TextOf(chosen, "delay");
        if (!delay.empty() && delay != "none")
            m.delay = ParseNumber(delay, "delay");
        m.front = front + length + overhang - m.length;
        m.cg = m.front + m.length / 2;
        m.name = m.maker + " " + m.designation;
        for (int i = 0; i < count; ++i)
            rocket_.parts.push_back(m);
    }

    // Override masses and centres of gravity. `first` is the first part the component
    // added, `own` the component's own part; the parts after it are its subcomponents.
    void applyOverrides(const pugi::xml_node& node, std::size_t first, int own, int) {
        const auto mass = NumberOf(node, "overridemass");
        const auto cg = LengthOf(node, "overridecg");
        const bool whole = TextOf(node, "overridesubcomponentsmass") == "true" ||
                           TextOf(node, "overridesubcomponents") == "true";
        std::vector<ImportedPart>& parts = rocket_.parts;
        if (own < 0) {
            // A whole stage: its override covers everything in it.
            if (mass && whole)
                scale(first, *mass * Grams, parts.empty() ? std::string() : TextOf(node, "name"));
            if (cg)
                rocket_.notes.push_back(ImportNote{
                    TextOf(node, "name"), ImportEvent::StageOverrideCgNotDrawable, {}, 0, false});
            return;
        }
        ImportedPart& self = parts[static_cast<std::size_t>(own)];
        if (mass) {
            const double target = *mass * Grams;
            if (target < 0)
                throw ImportError("\"" + self.name + "\" has a negative override mass");
            if (whole) {
                double sum = 0;
                for (std::size_t i = first; i < parts.size(); ++i)
                    if (parts[i].kind != ImportedKind::Motor)
                        sum += parts[i].mass;
                if (sum > 0) {
                    for (std::size_t i = first; i < parts.size(); ++i)
                        if (parts[i].kind != ImportedKind::Motor)
                            parts[i].mass *= target / sum;
                } else {
                    self.mass = target;
                }
                if (parts.size() - first > 1)
                    self.notes.push_back({ImportEvent::OverrideMassShared, {}});
            } else {
                self.mass = target;
            }
        }
        if (cg) {
            self.cg = self.front + *cg;
            if (self.kind != ImportedKind::MassOnly)
                self.notes.push_back({ImportEvent::OverrideCgNotDrawable, {}});
        }
    }

    // Shares an override mass among the parts from `first` on in proportion to their own
    // masses, which keeps their common centre of gravity.
    void scale(std::size_t first, double target, const std::string& name) {
        if (target < 0)
            throw ImportError("\"" + name + "\" has a negative override mass");
        std::vector<ImportedPart>& parts = rocket_.parts;
        double sum = 0;
        for (std::size_t i = first; i < parts.size(); ++i)
            if (parts[i].kind != ImportedKind::Motor)
                sum += parts[i].mass;
        if (!(sum > 0))
            return;
        for (std::size_t i = first; i < parts.size(); ++i)
            if (parts[i].kind != ImportedKind::Motor)
                parts[i].mass *= target / sum;
        rocket_.notes.push_back(
            ImportNote{name, ImportEvent::OverrideMassSharedAmong, {}, target, false});
    }

    ImportedRocket& rocket_;
    std::string defaultConfig_;
    std::vector<Radii> radii_;
};

void ReadSimulations(const pugi::xml_node& root, const std::string& defaultConfig,
                     ImportedRocket& rocket) {
    std::vector<StoredFlightPoint> others;
    for (const pugi::xml_node& sim : root.child("simulations").children("simulation")) {
        const pugi::xml_node branch = sim.child("flightdata").child("databranch");
        if (!branch)
            continue;
        std::vector<std::string> columns;
        {
            const std::string types = branch.attribute("types").as_string();
            std::size_t start = 0;
            while (start <= types.size() && columns.size() < 1000) {
                const std::size_t comma = std::min(types.find(',', start), types.size());
                columns.push_back(types.substr(start, comma - start));
                start = comma + 1;
            }
        }
        const auto column = [&](const char* name) -> int {
            for (std::size_t i = 0; i < columns.size(); ++i)
                if (columns[i] == name)
                    return static_cast<int>(i);
            return -1;
        };
        const int massColumn = column("Mass"), cgColumn = column("CG location"),
                  cpColumn = column("CP location"), motorColumn = column("Motor mass"),
                  angleColumn = column("Angle of attack"), machColumn = column("Mach number");
        if (massColumn < 0 || cgColumn < 0)
            continue;
        StoredFlightPoint point;
        point.simulation = TextOf(sim, "name");
        bool first = true;
        int scanned = 0;
        for (const pugi::xml_node& dp : branch.children("datapoint")) {
            std::vector<std::string_view> values;
            const std::string_view text = dp.child_value();
            std::size_t start = 0;
            while (start <= text.size() && values.size() < columns.size()) {
                const std::size_t comma = std::min(text.find(',', start), text.size());
                values.push_back(text.substr(start, comma - start));
                start = comma + 1;
            }
            const auto value = [&](int c) -> std::optional<double> {
                if (c < 0 || static_cast<std::size_t>(c) >= values.size() || values[c] == "NaN")
                    return std::nullopt;
                try {
                    return ParseNumber(values[c], "simulation data");
                } catch (const ImportError&) {
                    return std::nullopt;
                }
            };
            if (first) {
                const auto m = value(massColumn), c = value(cgColumn);
                if (!m || !c)
                    break;
                point.mass = *m * Grams;
                point.cg = *c * Mm;
                point.motorMass = value(motorColumn).value_or(0) * Grams;
                first = false;
            }
            if (const auto cp = value(cpColumn)) {
                if (!point.cp)
                    point.cp = *cp * Mm;
                const auto angle = value(angleColumn);
                const auto mach = value(machColumn);
                if (angle && mach && *mach < 0.3 &&
                    (!point.cpLevel || std::abs(*angle) < point.cpLevelAngle)) {
                    point.cpLevel = *cp * Mm;
                    point.cpLevelAngle = std::abs(*angle);
                }
            }
            if (++scanned > 1000000)
                break;
        }
        if (first)
            continue;
        point.configuration = TextOf(sim.child("conditions"), "configid");
        (point.configuration == defaultConfig ? rocket.flights : others).push_back(point);
    }
    rocket.flights.insert(rocket.flights.end(), others.begin(), others.end());
}

// Inflates a gzip stream in chunks, refusing it past MaxUnpackedBytes.
std::string Gunzip(std::span<const std::uint8_t> bytes) {
    z_stream stream{};
    if (inflateInit2(&stream, 16 + MAX_WBITS) != Z_OK)
        throw ImportError("the gzip stream cannot be read");
    stream.next_in = const_cast<Bytef*>(bytes.data());
    stream.avail_in = static_cast<uInt>(std::min<std::size_t>(bytes.size(), UINT32_MAX));
    std::string text;
    char chunk[65536];
    int status = Z_OK;
    while (status != Z_STREAM_END) {
        stream.next_out = reinterpret_cast<Bytef*>(chunk);
        stream.avail_out = sizeof chunk;
        status = inflate(&stream, Z_NO_FLUSH);
        if (status != Z_OK && status != Z_STREAM_END) {
            inflateEnd(&stream);
            throw ImportError("the gzip stream is damaged");
        }
        const std::size_t got = sizeof chunk - stream.avail_out;
        if (text.size() + got > MaxUnpackedBytes) {
            inflateEnd(&stream);
            throw ImportError("the design document unpacks to more than " +
                              std::to_string(MaxUnpackedBytes >> 20) + " MB");
        }
        text.append(chunk, got);
        if (status == Z_OK && got == 0 && stream.avail_in == 0) {
            inflateEnd(&stream);
            throw ImportError("the gzip stream is damaged (it ends early)");
        }
    }
    inflateEnd(&stream);
    return text;
}

} // namespace

std::string UnpackOrk(std::span<const std::uint8_t> bytes) {
    const auto isSpace = [](std::uint8_t c) {
        return c == ' ' || c == '\n' || c == '\r' || c == '\t';
    };
    std::size_t start = 0;
    if (bytes.size() >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF)
        start = 3;
    while (start < bytes.size() && isSpace(bytes[start]))
        ++start;
    if (start < bytes.size() && bytes[start] == '<') {
        if (bytes.size() > MaxDesignXmlBytes)
            throw ImportError("the design document is larger than " +
                              std::to_string(MaxDesignXmlBytes >> 20) + " MB");
        return std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    }
    // Early versions of the other program wrote the document gzip-compressed.
    if (bytes.size() >= 2 && bytes[0] == 0x1f && bytes[1] == 0x8b)
        return Gunzip(bytes);
    if (bytes.size() < 4 || bytes[0] != 'P' || bytes[1] != 'K')
        throw ImportError("the file is neither a zip package nor an XML document");

    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
    if (source == nullptr) {
        zip_error_fini(&error);
        throw ImportError("the zip package cannot be read");
    }
    std::unique_ptr<zip_t, ZipFree> archive(
        zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &error));
    if (!archive) {
        const std::string why = zip_error_strerror(&error);
        zip_source_free(source);
        zip_error_fini(&error);
        throw ImportError("the zip package is damaged (" + why + ")");
    }
    zip_error_fini(&error);
    // The design document: "rocket.ork", else the first entry ending in ".ork".
    zip_int64_t entry = zip_name_locate(archive.get(), "rocket.ork", ZIP_FL_NOCASE);
    const zip_int64_t count = zip_get_num_entries(archive.get(), 0);
    for (zip_int64_t i = 0; entry < 0 && i < count; ++i) {
        const char* name = zip_get_name(archive.get(), static_cast<zip_uint64_t>(i), 0);
        const std::size_t n = name != nullptr ? std::strlen(name) : 0;
        if (n > 4 && std::strcmp(name + n - 4, ".ork") == 0)
            entry = i;
    }
    if (entry < 0)
        throw ImportError("the zip package holds no rocket.ork document");
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(archive.get(), static_cast<zip_uint64_t>(entry), 0, &stat) != 0)
        throw ImportError("the zip package is damaged (its directory cannot be read)");
    if ((stat.valid & ZIP_STAT_SIZE) != 0 && stat.size > MaxUnpackedBytes)
        throw ImportError("the design document would unpack to more than " +
                          std::to_string(MaxUnpackedBytes >> 20) + " MB");
    std::unique_ptr<zip_file_t, ZipFileClose> file(
        zip_fopen_index(archive.get(), static_cast<zip_uint64_t>(entry), 0));
    if (!file)
        throw ImportError(std::string("the zip package is damaged (") +
                          zip_strerror(archive.get()) + ")");
    // Read in chunks and stop at the limit, whatever the directory claims.
    std::string text;
    char chunk[65536];
    for (;;) {
        const zip_int64_t got = zip_fread(file.get(), chunk, sizeof chunk);
        if (got < 0)
            throw ImportError(std::string("the zip package is damaged (") +
                              zip_file_strerror(file.get()) + ")");
        if (got == 0)
            break;
        if (text.size() + static_cast<std::size_t>(got) > MaxUnpackedBytes)
            throw ImportError("the design document unpacks to more than " +
                              std::to_string(MaxUnpackedBytes >> 20) + " MB");
        text.append(chunk, static_cast<std::size_t>(got));
    }
    return text;
}

ImportedRocket ReadOrkDocument(std::string_view xml, const std::string& configuration) {
    pugi::xml_document doc;
    ParseDesignXml(doc, xml);
    const pugi::xml_node root = doc.child("openrocket");
    if (!root)
        throw ImportError("the document is not an OpenRocket design (no <openrocket> element)");
    const pugi::xml_node rocketNode = root.child("rocket");
    if (!rocketNode)
        throw ImportError("the document holds no rocket");
    ImportedRocket rocket;
    rocket.name = TextOf(rocketNode, "name");
    rocket.format = std::string("OpenRocket ") + root.attribute("version").as_string("?");
    std::string defaultConfig;
    for (const pugi::xml_node& config : rocketNode.children("motorconfiguration"))
        if (defaultConfig.empty() || config.attribute("default").as_bool())
            defaultConfig = config.attribute("configid").as_string();
    for (const pugi::xml_node& config : rocketNode.children("motorconfiguration"))
        if (config.attribute("default").as_bool())
            defaultConfig = config.attribute("configid").as_string();
    for (const pugi::xml_node& config : rocketNode.children("motorconfiguration"))
        if (!configuration.empty() && configuration == config.attribute("configid").as_string())
            defaultConfig = configuration;
    rocket.configuration = defaultConfig;

    OrkWalker walker(rocket, defaultConfig);
    bool first = true;
    rocket.stageCount = 0;
    for (const pugi::xml_node& stage : rocketNode.child("subcomponents").children()) {
        if (std::string(stage.name()) != "stage")
            continue;
        ++rocket.stageCount;
        if (first) {
            walker.stage(stage, 0);
            first = false;
        } else {
            walker.leaveOut(stage, ImportEvent::LowerStage);
        }
    }
    if (first)
        throw ImportError("the rocket has no stage");
    bool hasNose = false;
    for (const ImportedPart& part : rocket.parts)
        hasNose = hasNose || part.kind == ImportedKind::Nose;
    if (!hasNose)
        throw ImportError("the sustainer has no nose cone");
    ReadSimulations(root, defaultConfig, rocket);
    return rocket;
}

} // namespace vantor
