#include "canvas/RulerScale.h"

#include "model/NumberFormat.h"

#include <algorithm>
#include <cmath>

namespace vantor {

namespace {

constexpr double MinimumTickSpacing = 4; // pixels
constexpr int MaximumTicks = 4000;

} // namespace

std::vector<RulerTick> PlanRuler(double startValue, double pixelsPerUnit, int length,
                                 const std::function<double(const std::string&)>& labelWidth,
                                 char decimalSeparator, double gap) {
    std::vector<RulerTick> ticks;
    const double pixels = std::abs(pixelsPerUnit);
    const double endValue = startValue + length / pixelsPerUnit;
    if (length <= 0 || !(pixels > 0) || !std::isfinite(pixels) || !std::isfinite(startValue) ||
        !std::isfinite(endValue))
        return ticks;
    const double low = std::min(startValue, endValue), high = std::max(startValue, endValue);
    const auto positionOf = [&](double value) {
        return (value - startValue) * pixelsPerUnit;
    };

    // Steps of 1, 2 and 5 times a power of ten, from the first whose ticks are 8 pixels
    // apart, until the labels fit between their ticks.
    int exponent = static_cast<int>(std::floor(std::log10(8 / pixels)));
    for (int attempt = 0; attempt < 60; ++attempt) {
        for (const int mantissa : {1, 2, 5}) {
            const double step = mantissa * std::pow(10.0, exponent);
            const double spacing = step * pixels;
            if (spacing < 8)
                continue;
            const long long first = static_cast<long long>(std::ceil(low / step - 1e-9));
            const long long last = static_cast<long long>(std::floor(high / step + 1e-9));
            if (last - first > MaximumTicks)
                continue;
            const int decimals = std::max(0, -exponent);
            std::vector<RulerTick> labelled;
            bool fits = true;
            for (long long k = first; k <= last && fits; ++k) {
                const double value = static_cast<double>(k) * step;
                RulerTick tick{positionOf(value), true,
                               FormatFixed(value, decimals, decimalSeparator)};
                fits = labelWidth(tick.label) + gap <= spacing;
                labelled.push_back(std::move(tick));
            }
            if (!fits)
                continue;
            // Minor ticks: fifths (quarters of a step of 2), else halves, where they stay
            // apart.
            int parts = mantissa == 2 ? 4 : 5;
            if (spacing / parts < MinimumTickSpacing)
                parts = mantissa == 2 ? 2 : (spacing / 2 >= MinimumTickSpacing ? 2 : 1);
            if (spacing / parts < MinimumTickSpacing)
                parts = 1;
            for (long long k = first - 1; k <= last; ++k)
                for (int part = 1; part < parts; ++part) {
                    const double position =
                        positionOf((static_cast<double>(k) + double(part) / parts) * step);
                    if (position >= 0 && position <= length)
                        ticks.push_back({position, false, {}});
                }
            ticks.insert(ticks.end(), labelled.begin(), labelled.end());
            std::sort(ticks.begin(), ticks.end(), [](const RulerTick& a, const RulerTick& b) {
                return a.position < b.position;
            });
            return ticks;
        }
        ++exponent;
    }
    return ticks;
}

} // namespace vantor
