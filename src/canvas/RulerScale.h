#pragma once

#include <functional>
#include <string>
#include <vector>

namespace vantor {

// One tick of a ruler: where it is, in pixels from the ruler's start, and, for a labelled
// tick, its number.
struct RulerTick {
    double position = 0;
    bool labelled = false;
    std::string label;
};

// The ticks of a ruler `length` pixels long whose pixel 0 stands for `startValue` and that
// advances `pixelsPerUnit` pixels per unit (negative where the values fall along it).
// Labelled ticks fall on round numbers (1, 2 or 5 times a power of ten) far enough apart
// that no two labels overlap: each label, `labelWidth(text)` pixels wide, keeps `gap`
// pixels to the next. Unlabelled ticks divide the steps where they stay 4 pixels apart.
std::vector<RulerTick> PlanRuler(double startValue, double pixelsPerUnit, int length,
                                 const std::function<double(const std::string&)>& labelWidth,
                                 char decimalSeparator, double gap = 6);

} // namespace vantor
