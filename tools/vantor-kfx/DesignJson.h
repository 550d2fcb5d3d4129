#pragma once

#include <ostream>
#include <vector>

namespace vantor {
class Design;
struct StabilityAnalysis;
} // namespace vantor

namespace vantor::kfx {

// Writes the design as JSON: its elements in file order with every stored field and
// the axis value each record carried, then its dimensions.
void WriteDesignJson(const Design& design, const std::vector<float>& axisValues, std::ostream& out);

// Writes the stability analysis as JSON: the totals under the labels of the stability rows
// (null where a value does not exist) and every component's kind, caption, CNa, CP and CG.
void WriteStabilityJson(const StabilityAnalysis& analysis, std::ostream& out);

} // namespace vantor::kfx
