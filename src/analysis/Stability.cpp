#include "analysis/Stability.h"

#include "model/AxisValues.h"
#include "model/Design.h"
#include "model/DrawingSurface.h"
#include "model/FinSet.h"
#include "model/Kinds.h"
#include "model/NumberFormat.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <span>

namespace vantor {

namespace {

using Maybe = std::optional<double>;

// A ballast is drawn as a dot of this radius from its front: its centre of gravity.
constexpr double BallastRadius = 6;

Maybe Finite(double value) {
    return std::isfinite(value) ? Maybe(value) : std::nullopt;
}

Maybe Quotient(double numerator, double denominator) {
    if (denominator == 0)
        return std::nullopt;
    return Finite(numerator / denominator);
}

bool IsNose(const std::string& kind) {
    return KindNamed(kind).nose;
}

// Abscissa of the element's first outline point: the tip of a nose, the front of a tube or
// transition, the leading edge of a fin root, the left edge of the ballast's dot.
Maybe Front(const TRocketElement& e) {
    if (e.Points.empty())
        return std::nullopt;
    return Finite(e.Points[0].x);
}

// Centroid from the tip of a tangent ogive's lateral surface (length L, base radius R):
// r(x) = sqrt(rho^2 - (L - x)^2) + R - rho with rho = (R^2 + L^2) / 2R. The surface element
// is proportional to r * sqrt(1 + r'^2) = sqrt(r^2 + (r r')^2), smooth over the whole
// length, so composite Gauss-Legendre quadrature converges fast.
Maybe OgiveCentroid(double length, double radius) {
    if (!(length > 0) || !(radius > 0))
        return std::nullopt;
    const double rho = (radius * radius + length * length) / (2 * radius);
    const auto weight = [&](double x) {
        const double u = length - x;
        const double s = std::sqrt(std::max(0.0, rho * rho - u * u));
        const double r = s + radius - rho;
        const double slope = s > 0 ? r * u / s : 0.0; // r * r'
        return std::sqrt(r * r + slope * slope);
    };
    // Eight-point Gauss-Legendre nodes and weights on [-1, 1].
    static constexpr std::array<double, 4> nodes{0.1834346424956498, 0.5255324099163290,
                                                 0.7966664774136267, 0.9602898564975363};
    static constexpr std::array<double, 4> weights{0.3626837833783620, 0.3137066458778873,
                                                   0.2223810344533745, 0.1012285362903763};
    // Panels shrink towards the tip, where a blunt ogive's profile turns fastest.
    constexpr int panels = 12;
    double area = 0, moment = 0;
    for (int p = 0; p < panels; ++p) {
        const double from = length * std::pow(double(p) / panels, 2);
        const double to = length * std::pow(double(p + 1) / panels, 2);
        const double half = (to - from) / 2, mid = (from + to) / 2;
        for (std::size_t i = 0; i < nodes.size(); ++i)
            for (double x : {mid - half * nodes[i], mid + half * nodes[i]}) {
                const double w = weights[i] * half * weight(x);
                area += w;
                moment += w * x;
            }
    }
    return Quotient(moment, area);
}

// Centroid from the tip of the lateral surface of y = R sqrt(x / L). Here
// r * sqrt(1 + r'^2) = (R / sqrt(L)) * sqrt(x + c) with c = R^2 / 4L, integrated exactly;
// the powers are taken through expm1/log1p so that a slender nose loses no digits.
Maybe ParabolicCentroid(double length, double radius) {
    if (!(length > 0) || !std::isfinite(radius))
        return std::nullopt;
    const double c = radius * radius / (4 * length);
    if (c == 0)
        return Finite(0.6 * length);
    const double t = std::log1p(length / c);
    return Finite(c * (0.6 * std::expm1(2.5 * t) / std::expm1(1.5 * t) - 1));
}

struct Contribution {
    double cna = 0;
    Maybe cp; // absolute abscissa
};

// Every normal-force slope is referred to the one reference area of diameter d, so the
// nose's slope of 2 on its own base area becomes 2 (d_nose / d)^2. A nose as wide as the
// widest part (all sizes zero included) keeps 2 exactly.
Contribution NoseForce(const TRocketElement& e, double x0, double d) {
    double k = 0.5;
    if (KindOf(e).shape == Shape3d::Cone)
        k = 2.0 / 3.0;
    else if (KindOf(e).shape == Shape3d::Ogive)
        k = 0.466;
    const double base = e.DiameterA;
    const Maybe ratio = base == d ? Maybe(1.0) : Quotient(base, d);
    if (!ratio || d < 0)
        return {};
    const Maybe cna = Finite(2 * *ratio * *ratio);
    const Maybe cp = Finite(x0 + k * e.Length);
    return cna && cp ? Contribution{*cna, cp} : Contribution{};
}

Contribution TransitionForce(const TRocketElement& e, double x0, double d) {
    const double front = e.DiameterA, rear = e.DiameterB;
    const Maybe ratio = Quotient(front, rear);
    const Maybe cna = Finite(2 * (std::pow(rear / d, 2) - std::pow(front / d, 2)));
    if (!ratio || !cna || d <= 0)
        return {};
    const Maybe share = Quotient(1, 1 + *ratio);
    if (!share)
        return {};
    const Maybe cp = Finite(x0 + (e.Length / 3.0) * (1 + *share));
    return cp ? Contribution{*cna, cp} : Contribution{};
}

// Fins interfere with each other once there are more than four: the slope of N fins is
// N/2 times one fin's, reduced by these factors for five to eight fins and by 0.75 beyond.
double FinCountFactor(double count) {
    if (count <= 4)
        return 1.0;
    if (count > 8)
        return 0.75;
    static constexpr std::array<double, 4> factors{0.948, 0.913, 0.854, 0.810};
    return factors[std::size_t(std::lround(count)) - 5];
}

Contribution FinForce(const TStatecznik& f, double x0, double d) {
    const double n = f.FinCount, cr = f.FinA, xr = f.FinB, ct = f.FinC, s = f.FinD;
    const double r = f.Parent != nullptr ? f.Parent->DiameterA / 2.0 : 0.0;
    if (n < 1 || d <= 0)
        return {};
    const double chords = cr + ct;
    const double midChord = std::hypot(s, xr + ct / 2 - cr / 2);
    const Maybe interference = Quotient(r, s + r);
    const Maybe spread = Quotient(2 * midChord, chords);
    if (!interference || !spread)
        return {};
    const double cna = (1 + *interference) * 4 * n * FinCountFactor(n) * std::pow(s / d, 2) /
                       (1 + std::sqrt(1 + *spread * *spread));
    const Maybe sweepTerm = Quotient(xr * (cr + 2 * ct), 3 * chords);
    const Maybe product = Quotient(cr * ct, chords);
    if (!sweepTerm || !product || !std::isfinite(cna))
        return {};
    const Maybe cp = Finite(x0 + *sweepTerm + (chords - *product) / 6);
    return cp ? Contribution{cna, cp} : Contribution{};
}

// The component's centre of gravity (absolute abscissa) from its own geometry.
Maybe CentreOfGravity(const TRocketElement& e, double x0) {
    const std::string& kind = e.ClassName;
    if (IsNose(kind)) {
        const Maybe centroid = NoseSurfaceCentroid(kind, e.Length, e.DiameterA);
        return centroid ? Finite(x0 + *centroid) : std::nullopt;
    }
    if (KindNamed(kind).transition) {
        const double rf = e.DiameterA / 2.0, rr = e.DiameterB / 2.0;
        const Maybe share = Quotient(e.Length * (rf + 2 * rr), 3 * (rf + rr));
        return share ? Finite(x0 + *share) : std::nullopt;
    }
    if (KindNamed(kind).finSet) {
        const auto& f = static_cast<const TStatecznik&>(e);
        const double cr = f.FinA, ct = f.FinC, xr = f.FinB;
        const Maybe share =
            Quotient(cr * cr + cr * ct + ct * ct + xr * (cr + 2 * ct), 3 * (cr + ct));
        return share ? Finite(x0 + *share) : std::nullopt;
    }
    if (KindNamed(kind).ballast)
        return Finite(x0 + BallastRadius);
    return Finite(x0 + e.Length / 2.0);
}

std::string Named(const TRocketElement& e) {
    return "\"" + (e.Caption.empty() ? e.ClassName : e.Caption) + "\"";
}

// A size as a message quotes it: short, whatever its magnitude.
std::string Number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", value);
    return text;
}

// What makes the component's sizes unusable for a position: a size that is not finite,
// negative, beyond any rocket, or zero where a nose or transition needs it for its share
// of the normal force. Empty when the sizes are sound.
std::string SizeFault(const TRocketElement& e) {
    struct Size {
        const char* name;
        double value;
        bool positive;
    };
    const std::string& kind = e.ClassName;
    const bool nose = IsNose(kind), transition = KindNamed(kind).transition;
    std::array<Size, 5> sizes{{{"length", e.Length, nose || transition},
                               {"diameter", e.DiameterA, nose},
                               {"rear diameter", e.DiameterB, false},
                               {"", 0, false},
                               {"", 0, false}}};
    std::size_t count = 3;
    if (KindNamed(kind).finSet) {
        const auto& f = static_cast<const TStatecznik&>(e);
        // Fins without a chord or a span are not sized yet and add nothing.
        sizes = {{{"root chord", f.FinA, false},
                  {"sweep", std::abs(f.FinB), false},
                  {"tip chord", f.FinC, false},
                  {"span", f.FinD, false},
                  {"fin count", double(f.FinCount), false}}};
        count = sizes.size();
    }
    for (const Size& size : std::span(sizes).first(count)) {
        if (!std::isfinite(size.value))
            return Named(e) + ": the " + size.name + " is not a number";
        if (size.value < 0 || (size.positive && size.value == 0))
            return Named(e) + ": the " + size.name + " is " + Number(size.value);
        if (size.value > MaxPlausibleLength)
            return Named(e) + ": the " + size.name + " is larger than any rocket";
    }
    return {};
}

std::string WeightFault(const TRocketElement& e) {
    if (!std::isfinite(e.Weight))
        return Named(e) + ": the weight is not a number";
    if (e.Weight < 0)
        return Named(e) + ": the weight is " + Number(e.Weight);
    if (e.Weight > MaxPlausibleWeight)
        return Named(e) + ": the weight is larger than any rocket's";
    return {};
}

// Leaves a result out, with the reason, when it lies beyond any rocket.
void Bound(Maybe& value, double limit, const char* name, std::vector<std::string>& errors) {
    if (value && std::abs(*value) > limit) {
        errors.push_back(std::string("the ") + name + " lies beyond any rocket");
        value.reset();
    }
}

double ReferenceDiameter(const std::vector<ElementTree::Node*>& nodes) {
    double d = 0;
    for (const ElementTree::Node* node : nodes) {
        const TRocketElement& e = *node->element;
        const std::string& kind = e.ClassName;
        if (IsNose(kind) || KindNamed(kind).tube)
            d = std::max(d, double(e.DiameterA));
        else if (KindNamed(kind).transition)
            d = std::max({d, double(e.DiameterA), double(e.DiameterB)});
    }
    return std::isfinite(d) ? d : 0.0;
}

} // namespace

std::optional<double> NoseSurfaceCentroid(const std::string& kind, double length, double diameter) {
    const ElementKind& named = KindNamed(kind);
    if (!named.nose)
        return std::nullopt;
    if (named.shape == Shape3d::Cone)
        return Finite(length * 2.0 / 3.0);
    if (named.shape == Shape3d::Ogive)
        return OgiveCentroid(length, diameter / 2.0);
    if (named.shape == Shape3d::Paraboloid)
        return ParabolicCentroid(length, diameter / 2.0);
    return std::nullopt;
}

StabilityAnalysis AnalyseStability(const Design& design, double targetCalibers,
                                   std::optional<double> referenceDiameter) {
    StabilityAnalysis result;
    const std::vector<ElementTree::Node*> nodes = design.tree.nodesInOrder();
    double d = referenceDiameter && *referenceDiameter > 0 && std::isfinite(*referenceDiameter)
                   ? *referenceDiameter
                   : ReferenceDiameter(nodes);
    if (d > MaxPlausibleLength || (d > 0 && d < MinPlausibleDiameter)) {
        result.errors.push_back("the reference diameter " + Number(d) + " mm fits no rocket");
        d = 0;
    }
    if (d > 0)
        result.referenceDiameter = d;
    const double origin = OriginX;

    double forceMoment = 0, weight = 0, weightMoment = 0;
    Maybe noseTip;
    bool positionsSound = true, weightsSound = true;
    result.components.reserve(nodes.size());
    for (const ElementTree::Node* node : nodes) {
        const TRocketElement& e = *node->element;
        StabilityComponent row{e.ClassName, e.Caption, 0, {}, {}};
        if (std::string fault = SizeFault(e); !fault.empty()) {
            result.errors.push_back(std::move(fault));
            positionsSound = false;
        } else if (const Maybe x0 = Front(e); !x0 || std::abs(*x0 - origin) > MaxPlausibleLength) {
            result.errors.push_back(Named(e) + ": lies beyond any rocket");
            positionsSound = false;
        }
        if (std::string fault = WeightFault(e); !fault.empty()) {
            result.errors.push_back(std::move(fault));
            weightsSound = false;
        }
        if (const Maybe x0 = Front(e)) {
            Contribution force;
            if (IsNose(e.ClassName))
                force = NoseForce(e, *x0, d);
            else if (KindOf(e).transition)
                force = TransitionForce(e, *x0, d);
            else if (KindOf(e).finSet) {
                const auto& fins = static_cast<const TStatecznik&>(e);
                force = FinForce(fins, *x0, d);
                if (force.cp && fins.FinCount < 3)
                    result.finsPlaneOnly = true;
            }
            if (force.cp) {
                row.cna = force.cna;
                row.cp = *force.cp - origin;
                result.cna += force.cna;
                forceMoment += force.cna * *row.cp;
            }
            const Maybe cg = CentreOfGravity(e, *x0);
            if (cg && std::isfinite(e.Weight)) {
                row.cg = *cg - origin;
                weight += e.Weight;
                weightMoment += e.Weight * *row.cg;
                if (IsNose(e.ClassName) && !noseTip)
                    noseTip = *x0 - origin;
            }
        }
        // A component's own figures beyond any rocket follow from sizes the errors name;
        // they are left out rather than shown.
        for (Maybe* own : {&row.cp, &row.cg})
            if (*own && !(std::abs(**own) <= MaxPlausibleLength))
                own->reset();
        result.components.push_back(std::move(row));
    }

    result.totalWeight = std::isfinite(weight) ? weight : 0.0;
    if (result.cna > 0 && positionsSound)
        result.cp = Quotient(forceMoment, result.cna);
    if (weight > 0 && positionsSound && weightsSound)
        result.cg = Quotient(weightMoment, weight);
    Bound(result.cp, MaxPlausibleLength, "centre of pressure", result.errors);
    Bound(result.cg, MaxPlausibleLength, "centre of gravity", result.errors);
    if (result.cp && result.cg && result.referenceDiameter)
        result.calibers = Quotient(*result.cp - *result.cg, *result.referenceDiameter);
    Bound(result.calibers, MaxPlausibleCalibers, "margin", result.errors);
    result.stable = result.calibers && *result.calibers >= 1.0;

    if (result.calibers && std::isfinite(targetCalibers)) {
        if (*result.calibers >= targetCalibers) {
            result.ballastNeeded = 0.0;
        } else if (noseTip) {
            // The mass m of a ballast put where the ballast command puts one, at the nose
            // tip, that moves the CG to CP - target * d.
            const double at = *noseTip + BallastRadius;
            const double wanted = *result.cp - targetCalibers * *result.referenceDiameter;
            if (at < wanted) {
                result.ballastNeeded = Quotient(weight * (*result.cg - wanted), wanted - at);
                result.ballastPosition = at;
            }
        }
    }
    return result;
}

void DrawStabilityCpMarker(DrawingSurface& surface, double cp) {
    constexpr Argb colour = MakeArgb(255, 0, 102, 204);
    const double scale = surface.worldScale();
    if (!std::isfinite(cp) || !(scale > 0))
        return;
    const double half = 7 / scale, stroke = 14 / scale, y = AxisY;
    const std::array<PointF, 4> diamond{PointF{cp - half, y}, PointF{cp, y - half},
                                        PointF{cp + half, y}, PointF{cp, y + half}};
    surface.fillPolygon(colour, diamond);
    surface.drawLine(colour, {cp, y - stroke}, {cp, y + stroke});
}

std::vector<StabilityRow> StabilityRows(const StabilityAnalysis& analysis, char decimalSeparator,
                                        int cnaDecimals, UnitChoice units) {
    const auto number = [&](const Maybe& value, int decimals) -> std::string {
        return value ? FormatFixed(*value, decimals, decimalSeparator) : "-";
    };
    const auto length = [&](const Maybe& value) -> std::string {
        return value ? FormatLength(*value, units.length, 2, decimalSeparator) : "-";
    };
    const auto weight = [&](const Maybe& value) -> std::string {
        return value ? FormatWeight(*value, units.weight, 2, decimalSeparator) : "-";
    };
    return {
        {"CNa", number(analysis.cna, cnaDecimals)},
        {"CP", length(analysis.cp)},
        {"CG", length(analysis.cg)},
        {"Reference diameter", length(analysis.referenceDiameter)},
        {"Calibers", number(analysis.calibers, 2)},
        {"Rocket", analysis.stable           ? "Stable"
                   : analysis.errors.empty() ? "Unstable"
                                             : "-"},
        {"Ballast needed", weight(analysis.ballastNeeded)},
        {"Ballast position", length(analysis.ballastPosition)},
    };
}

} // namespace vantor
