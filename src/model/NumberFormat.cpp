#include "model/NumberFormat.h"

#include <cmath>
#include <cstdio>

namespace vantor {

std::string FormatFixed(double value, int decimals, char decimalSeparator) {
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value > 0 ? "INF" : "-INF";
    long double scale = 1;
    for (int i = 0; i < decimals; ++i)
        scale *= 10;
    const long double rounded = std::round(static_cast<long double>(value) * scale);
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, "%.*Lf", decimals, rounded / scale);
    std::string text = buffer;
    if (rounded == 0 && !text.empty() && text[0] == '-')
        text.erase(0, 1);
    if (const auto dot = text.find('.'); dot != std::string::npos)
        text[dot] = decimalSeparator;
    return text;
}

std::string DataNumber(double value, int decimals) {
    if (!std::isfinite(value))
        return "null";
    char text[400];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

} // namespace vantor
