#pragma once

#include <cmath>
#include <limits>

namespace vantor {

// Truncates toward zero into an int, saturating at the int range (NaN gives 0), so that
// no outline coordinate, however large, makes the conversion undefined.
inline int TruncToInt(double value) {
    if (std::isnan(value))
        return 0;
    if (value >= static_cast<double>(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (value <= static_cast<double>(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return static_cast<int>(value);
}

} // namespace vantor
