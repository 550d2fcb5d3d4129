#include "canvas/DisplayUnits.h"

#include "model/NumberFormat.h"

namespace vantor {

namespace {

constexpr double InchesPerCentimetre = 0.3937007874015748;

} // namespace

double ToDisplayUnits(double v, int unitIndex, double scale, double ppi) {
    switch (unitIndex) {
    case 0:
        return v / scale;
    case 1:
        return v / scale / ppi * 2.54 * 10;
    case 2:
        return v / scale / ppi * 2.54;
    case 3:
        return v / scale / ppi;
    default:
        return v;
    }
}

double FromDisplayUnits(double v, int unitIndex, double scale, double ppi) {
    switch (unitIndex) {
    case 0:
        return v * scale;
    case 1:
        return v * scale * ppi * InchesPerCentimetre * 0.1;
    case 2:
        return v * scale * ppi * InchesPerCentimetre;
    case 3:
        return v * scale * ppi;
    default:
        return v;
    }
}

std::optional<std::string> PointerReadout(double a, double b, int unitIndex, double scale,
                                          double ppi, char separator) {
    static constexpr struct {
        int decimals;
        const char* suffix;
    } Patterns[] = {{0, " [px]"}, {1, " [mm]"}, {2, " [cm]"}, {2, " [inch]"}};
    if (unitIndex < 0 || unitIndex > 3)
        return std::nullopt;
    const auto& pattern = Patterns[unitIndex];
    const double x = ToDisplayUnits(a, unitIndex, scale, ppi);
    const double y = ToDisplayUnits(b, unitIndex, scale, ppi);
    return "X: " + FormatFixed(x, pattern.decimals, separator) +
           "   Y: " + FormatFixed(y, pattern.decimals, separator) + pattern.suffix;
}

} // namespace vantor
