#pragma once

#include "analysis/Plausibility.h"

#include <cmath>
#include <optional>
#include <string>
#include <string_view>

namespace vantor {

// How far a figure of a motor or a flight may go before it belongs to no rocket: such a
// number follows from a size, mass or thrust curve beyond any rocket (a damaged or
// hostile file) and is shown as "-" with the reason instead.
namespace figure_limit {
inline constexpr double MassGrams = MaxPlausibleWeight;
inline constexpr double LengthMm = MaxPlausibleLength;
inline constexpr double Calibers = MaxPlausibleCalibers;
inline constexpr double Speed = 1e5;        // m/s, far above orbital speed
inline constexpr double Acceleration = 1e7; // m/s²
inline constexpr double Distance = 1e7;     // m: altitudes, drift
inline constexpr double Time = 1e7;         // s
inline constexpr double Mach = 300;
inline constexpr double Ratio = 1e6;   // thrust to weight, drag coefficients
inline constexpr double Impulse = 1e9; // N·s
inline constexpr double Thrust = 1e8;  // N, above any rocket ever flown
// No figure of a rocket reaches this in the units shown (grams, millimetres, metres,
// seconds): a bound for any figure at all.
inline constexpr double AnyFigure = 1e9;
} // namespace figure_limit

// Why the figure named `name` is not shown as a number: it is not finite, lies beyond
// `limit` either way, or, for a quantity that must be `positive`, is not above zero.
// Nothing when it can be shown.
inline std::optional<std::string> FigureFault(std::string_view name, double value, double limit,
                                              bool positive = false) {
    const std::string what(name);
    if (!std::isfinite(value))
        return "the " + what + " is not a number";
    if (std::abs(value) > limit)
        return "the " + what + " is beyond any rocket's";
    if (positive && !(value > 0))
        return "the " + what + " is not above zero";
    return std::nullopt;
}

} // namespace vantor
