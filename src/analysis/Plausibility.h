#pragma once

namespace vantor {

// Sizes and results beyond these lie beyond any rocket: 10 km, 1,000 tonnes, a margin of
// ten thousand calibers, a rocket thinner than a hundredth of a millimetre.
inline constexpr double MinPlausibleDiameter = 1e-2; // mm
inline constexpr double MaxPlausibleLength = 1e7;    // mm
inline constexpr double MaxPlausibleWeight = 1e9;    // g
inline constexpr double MaxPlausibleCalibers = 1e4;

} // namespace vantor
