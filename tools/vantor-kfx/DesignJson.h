#pragma once

#include <ostream>
#include <vector>

namespace vantor {
class Design;
}

namespace vantor::kfx {

// Writes the design as JSON: its elements in file order with every stored field and
// the axis value each record carried, then its dimensions.
void WriteDesignJson(const Design& design, const std::vector<float>& axisValues, std::ostream& out);

} // namespace vantor::kfx
