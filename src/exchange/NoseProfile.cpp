#include "exchange/NoseProfile.h"

#include <algorithm>
#include <cmath>

namespace vantor {

namespace {
constexpr double Pi = 3.141592653589793;
constexpr int Steps = 400; // Simpson panels; profiles are smooth except at the tip
} // namespace

double NoseProfile(ImportedNoseShape shape, double k, double t, double aspect) {
    t = std::clamp(t, 0.0, 1.0);
    switch (shape) {
    case ImportedNoseShape::Conical:
        return t;
    case ImportedNoseShape::Ogive: {
        // Tangent ogive of length 1 and radius R: rho = (R^2 + L^2) / 2R.
        const double R = aspect > 0 ? aspect : 1.0 / 8, L = 1.0;
        const double rho = (R * R + L * L) / (2 * R);
        const double u = L - t * L;
        return (std::sqrt(std::max(0.0, rho * rho - u * u)) + R - rho) / R;
    }
    case ImportedNoseShape::Parabolic:
        return std::sqrt(t);
    case ImportedNoseShape::Ellipsoid:
        return std::sqrt(std::max(0.0, 1 - (1 - t) * (1 - t)));
    case ImportedNoseShape::Power:
        return k > 0 ? std::pow(t, k) : 1.0;
    case ImportedNoseShape::ParabolicSeries:
        return (2 * t - k * t * t) / (2 - k);
    case ImportedNoseShape::Haack: {
        const double theta = std::acos(1 - 2 * t);
        const double v = theta - std::sin(2 * theta) / 2 + k * std::pow(std::sin(theta), 3);
        return std::sqrt(std::max(0.0, v / Pi));
    }
    }
    return t;
}

RevolvedVolume RevolveProfile(ImportedNoseShape shape, double k, double length, double narrow,
                              double wide, double wall) {
    RevolvedVolume out;
    if (!(length > 0))
        return out;
    const double h = length / Steps;
    double volume = 0, moment = 0;
    for (int i = 0; i <= Steps; ++i) {
        const double x = i * h;
        const double r =
            narrow + (wide - narrow) * NoseProfile(shape, k, x / length, (wide - narrow) / length);
        const double inner = wall > 0 ? std::max(0.0, r - wall) : 0.0;
        const double area = Pi * (r * r - inner * inner);
        const double w = (i == 0 || i == Steps) ? 1 : (i % 2 == 1 ? 4 : 2);
        volume += w * area;
        moment += w * area * x;
    }
    out.volume = volume * h / 3;
    out.centroid = volume > 0 ? moment / volume : length / 2;
    return out;
}

double NoseVolumeFraction(ImportedNoseShape shape, double k, double aspect) {
    const RevolvedVolume v = RevolveProfile(shape, k, 1.0, 0.0, aspect, 0.0);
    return aspect > 0 ? v.volume / (Pi * aspect * aspect) : 0.0;
}

const char* NoseShapeName(ImportedNoseShape shape) {
    switch (shape) {
    case ImportedNoseShape::Conical: return "conical";
    case ImportedNoseShape::Ogive: return "ogive";
    case ImportedNoseShape::Parabolic: return "parabolic";
    case ImportedNoseShape::Ellipsoid: return "elliptical";
    case ImportedNoseShape::Power: return "power series";
    case ImportedNoseShape::ParabolicSeries: return "parabolic series";
    case ImportedNoseShape::Haack: return "Haack series";
    }
    return "unknown";
}

} // namespace vantor
