#include "aero/Drag.h"

#include "analysis/Stability.h"
#include "model/Design.h"
#include "model/FinSet.h"
#include "model/Kinds.h"
#include "model/RocketElement.h"

#include <algorithm>
#include <cmath>

namespace vantor {

namespace {

constexpr double Mm = 0.001;

bool IsNose(const std::string& kind) {
    return KindNamed(kind).nose;
}

Shape3d ShapeOf(const std::string& kind) {
    return KindNamed(kind).shape;
}

// Radius of a nose of the given kind at distance x from its tip.
double NoseRadius(const std::string& kind, double length, double radius, double x) {
    if (length <= 0)
        return radius;
    x = std::clamp(x, 0.0, length);
    if (ShapeOf(kind) == Shape3d::Ogive) {
        const double rho = (radius * radius + length * length) / (2 * radius);
        const double u = length - x;
        return std::max(0.0, std::sqrt(std::max(0.0, rho * rho - u * u)) + radius - rho);
    }
    if (ShapeOf(kind) == Shape3d::Paraboloid)
        return radius * std::sqrt(x / length);
    return radius * x / length;
}

// Lateral surface of a nose by its profile in short frusta.
double NoseWetArea(const std::string& kind, double length, double radius) {
    constexpr int pieces = 200;
    double area = 0, x0 = 0, r0 = NoseRadius(kind, length, radius, 0);
    for (int i = 1; i <= pieces; ++i) {
        const double x1 = length * i / pieces, r1 = NoseRadius(kind, length, radius, x1);
        area += Pi * (r0 + r1) * std::hypot(x1 - x0, r1 - r0);
        x0 = x1;
        r0 = r1;
    }
    return area;
}

// Turbulent skin friction of the whole body at Reynolds number `re` with relative
// roughness `relative`, corrected for compressibility.
double SkinFriction(double re, double relative, double mach) {
    double smooth = re < 1e4 ? 1.48e-2 : 1 / std::pow(1.50 * std::log(re) - 5.6, 2);
    double rough = relative > 0 ? 0.032 * std::pow(relative, 0.2) : 0;
    if (mach < 1) {
        smooth *= 1 - 0.1 * mach * mach;
        rough *= 1 - 0.1 * mach * mach;
    } else {
        smooth /= std::pow(1 + 0.15 * mach * mach, 0.58);
        rough /= 1 + 0.18 * mach * mach;
    }
    // Beyond the critical Reynolds number the roughness sets the friction.
    const double critical = relative > 0 ? 51 * std::pow(relative, -1.039) : INFINITY;
    return re > critical ? std::max(smooth, rough) : smooth;
}

// Base drag coefficient on the base area.
double BaseDrag(double mach) {
    return mach < 1 ? 0.12 + 0.13 * mach * mach : 0.25 / mach;
}

// Stagnation pressure over dynamic pressure, the drag of a blunt face.
double Stagnation(double mach) {
    const double m2 = mach * mach;
    if (mach < 1)
        return 0.85 * (1 + m2 / 4 + m2 * m2 / 40);
    return 0.85 * (1.84 - 0.76 / m2 + 0.166 / (m2 * m2) + 0.035 / (m2 * m2 * m2));
}

// Pressure drag of a rounded leading edge on its frontal area.
double RoundedEdge(double mach) {
    if (mach < 0.9)
        return std::pow(1 - mach * mach, -0.417) - 1;
    if (mach < 1)
        return 1 - 1.785 * (mach - 0.9);
    const double m2 = mach * mach;
    return 1.214 - 0.502 / m2 + 0.1095 / (m2 * m2);
}

// Pressure drag of a cone of half-angle phi on its base area: the subsonic value below
// Mach 0.8, the supersonic slender-cone value from Mach 1.3, blended in between.
double ConePressure(double phi, double mach) {
    const double s = std::sin(phi);
    const double subsonic = 0.8 * s * s;
    const auto supersonic = [&](double m) {
        return 2.1 * s * s + 0.5 * s / std::sqrt(m * m - 1);
    };
    if (mach <= 0.8)
        return subsonic;
    if (mach >= 1.3)
        return supersonic(mach);
    const double f = (mach - 0.8) / 0.5;
    return subsonic + f * (supersonic(1.3) - subsonic);
}

// Rounded noses shed less pressure drag than a cone of the same fineness: none below
// Mach 0.8 and a share of the cone's above.
double NosePressure(const std::string& kind, double length, double diameter, double mach) {
    if (length <= 0 || diameter <= 0)
        return 0;
    const double phi = std::atan(diameter / 2 / length);
    if (ShapeOf(kind) == Shape3d::Cone)
        return ConePressure(phi, mach);
    const double share = ShapeOf(kind) == Shape3d::Ogive ? 0.7 : 0.5;
    if (mach <= 0.8)
        return 0;
    return share * ConePressure(phi, mach);
}

// Pressure drag of a boat tail (rear smaller than front) on the area it closes: the base
// drag, fully for a short one, none for one longer than three times its step in diameter.
double BoattailFactor(double length, double front, double rear) {
    const double step = front - rear;
    if (step <= 0)
        return 0;
    const double gamma = length / step;
    return gamma < 1 ? 1.0 : gamma > 3 ? 0.0 : (3 - gamma) / 2;
}

} // namespace

double RoughnessOf(SurfaceFinish finish) {
    switch (finish) {
    case SurfaceFinish::Rough:
        return 500e-6;
    case SurfaceFinish::Unfinished:
        return 150e-6;
    case SurfaceFinish::RegularPaint:
        return 60e-6;
    case SurfaceFinish::SmoothPaint:
        return 20e-6;
    case SurfaceFinish::Polished:
        return 2e-6;
    }
    return 60e-6;
}

DragGeometry DragGeometryOf(const Design& design, const StabilityAnalysis& analysis) {
    DragGeometry g;
    if (analysis.referenceDiameter) {
        g.referenceDiameter = *analysis.referenceDiameter * Mm;
        g.referenceArea = Pi * g.referenceDiameter * g.referenceDiameter / 4;
    }
    double front = INFINITY, rear = -INFINITY;
    double rearDiameter = 0;
    for (const auto* node : design.tree.nodesInOrder()) {
        const TRocketElement& e = *node->element;
        const std::string& kind = e.ClassName;
        if (e.Points.empty() || !std::isfinite(e.Points[0].x))
            continue;
        const double x0 = e.Points[0].x * Mm, length = e.Length * Mm;
        const double d = e.DiameterA * Mm;
        if (!(length > 0) || !std::isfinite(length) || !std::isfinite(d) || d < 0)
            continue;
        double end = x0 + length, endDiameter = d;
        if (IsNose(kind)) {
            g.bodyWetArea += NoseWetArea(kind, length, d / 2);
            if (g.noseKind.empty()) {
                g.noseKind = kind;
                g.noseLength = length;
                g.noseDiameter = d;
            }
        } else if (KindNamed(kind).tube && !KindNamed(kind).inner) {
            g.bodyWetArea += Pi * d * length;
        } else if (KindNamed(kind).transition) {
            const double d2 = e.DiameterB * Mm;
            if (!std::isfinite(d2) || d2 < 0)
                continue;
            g.bodyWetArea += Pi * (d + d2) / 2 * std::hypot(length, (d - d2) / 2);
            g.transitions.push_back({length, d, d2});
            endDiameter = d2;
            g.maxDiameter = std::max(g.maxDiameter, d2);
        } else if (KindNamed(kind).finSet) {
            const auto& f = static_cast<const TStatecznik&>(e);
            DragGeometry::Fins fins;
            fins.count = f.FinCount;
            fins.rootChord = f.FinA * Mm;
            fins.sweep = f.FinB * Mm;
            fins.tipChord = f.FinC * Mm;
            fins.span = f.FinD * Mm;
            fins.thickness = f.Thickness * Mm;
            const bool usable = fins.count > 0 && fins.count < 64 && fins.rootChord > 0 &&
                                fins.span > 0 &&
                                std::isfinite(fins.rootChord + fins.tipChord + fins.span +
                                              fins.sweep + fins.thickness);
            if (usable)
                g.finSets.push_back(fins);
            continue;
        } else {
            continue; // motors, mounts and ballast are inside
        }
        g.maxDiameter = std::max(g.maxDiameter, d);
        front = std::min(front, x0);
        if (end >= rear) {
            rear = end;
            rearDiameter = endDiameter;
        }
    }
    if (std::isfinite(front) && std::isfinite(rear))
        g.length = rear - front;
    g.baseDiameter = rearDiameter;
    return g;
}

DragBreakdown EstimateDragAt(const DragGeometry& g, double roughness, double mach,
                             double reynoldsPerMetre) {
    DragBreakdown b;
    if (!(g.referenceArea > 0) || !(g.length > 0))
        return b;
    mach = std::max(0.0, mach);
    const double re = reynoldsPerMetre * g.length;
    const double cf = SkinFriction(re, roughness / g.length, mach);
    const double fineness = g.maxDiameter > 0 ? g.length / g.maxDiameter : 10;
    double wet = (1 + 1 / (2 * fineness)) * g.bodyWetArea;
    for (const auto& f : g.finSets) {
        const double meanChord = (f.rootChord + f.tipChord) / 2;
        const double area = meanChord * f.span;
        wet += (1 + 2 * f.thickness / std::max(meanChord, 1e-9)) * 2 * area * f.count;
        // The leading edges face the flow as blunt plates, with their sweep; the trailing
        // edges leave a base behind them.
        const double edge = std::hypot(f.span, f.sweep);
        const double cosSweep = edge > 0 ? f.span / edge : 1;
        const double edgeArea = f.span * f.thickness * f.count;
        const double leading = f.roundedEdges ? RoundedEdge(mach) : Stagnation(mach);
        const double trailing = f.roundedEdges ? BaseDrag(mach) / 2 : BaseDrag(mach);
        b.fins += (leading * cosSweep * cosSweep + trailing) * edgeArea / g.referenceArea;
    }
    b.friction = cf * wet / g.referenceArea;
    if (!g.noseKind.empty())
        b.nose = NosePressure(g.noseKind, g.noseLength, g.noseDiameter, mach) *
                 (g.noseDiameter * g.noseDiameter) / (g.referenceDiameter * g.referenceDiameter);
    for (const auto& t : g.transitions) {
        const double a1 = t.front * t.front, a2 = t.rear * t.rear,
                     ar = g.referenceDiameter * g.referenceDiameter;
        if (a2 > a1) // a shoulder: pressure drag as a cone over the ring it adds
            b.transitions +=
                ConePressure(std::atan((t.rear - t.front) / 2 / std::max(t.length, 1e-9)), mach) *
                (a2 - a1) / ar;
        else
            b.transitions +=
                BoattailFactor(t.length, t.front, t.rear) * BaseDrag(mach) * (a1 - a2) / ar;
    }
    b.base = BaseDrag(mach) * (g.baseDiameter * g.baseDiameter) /
             (g.referenceDiameter * g.referenceDiameter);
    return b;
}

std::vector<std::pair<double, double>> EstimateDrag(const DragGeometry& geometry,
                                                    const DragConditions& conditions) {
    std::vector<std::pair<double, double>> table;
    if (!(geometry.referenceArea > 0) || !(geometry.length > 0))
        return table;
    const double roughness = RoughnessOf(conditions.finish);
    const double nu = conditions.kinematicViscosity > 0 ? conditions.kinematicViscosity : 1.4607e-5;
    const double sound = conditions.speedOfSound > 0 ? conditions.speedOfSound : 340.294;
    for (int i = 0; i <= 125; ++i) {
        const double mach = i * 0.02;
        // Reynolds number of the speed this Mach number means in the site's air; at rest
        // the smallest flight speed stands in.
        const double speed = std::max(mach * sound, 1.0);
        table.emplace_back(mach, EstimateDragAt(geometry, roughness, mach, speed / nu).total());
    }
    return table;
}

std::vector<std::pair<double, double>> EstimateDrag(const Design& design,
                                                    const StabilityAnalysis& analysis,
                                                    const DragConditions& conditions) {
    return EstimateDrag(DragGeometryOf(design, analysis), conditions);
}

double InterpolateTable(const std::vector<std::pair<double, double>>& table, double mach) {
    if (table.empty())
        return 0;
    if (mach <= table.front().first)
        return table.front().second;
    if (mach >= table.back().first)
        return table.back().second;
    auto after = std::upper_bound(
        table.begin(), table.end(), mach,
        [](double m, const std::pair<double, double>& row) { return m < row.first; });
    const auto& b = *after;
    const auto& a = *(after - 1);
    const double span = b.first - a.first;
    return span > 0 ? a.second + (mach - a.first) / span * (b.second - a.second) : b.second;
}

std::function<double(double)> DragCurve(std::vector<std::pair<double, double>> table) {
    if (table.empty())
        return {};
    return [table = std::move(table)](double mach) {
        return InterpolateTable(table, mach);
    };
}

} // namespace vantor
