#pragma once

#include "model/Shaped.h"

#include <memory>
#include <string_view>

namespace vantor {

// Creates a dimension from its class name, one of the four dimension kinds, with its
// constructor defaults; any other name gives no object.
std::unique_ptr<TShaped> CreateDimension(std::string_view className);
bool IsDimensionClassName(std::string_view className);

// Creates any shape a design holds from its class name: an element kind of the model's
// registry or a dimension kind. Exact, case-sensitive; an unknown name gives no object.
std::unique_ptr<TShaped> CreateShape(std::string_view className);

} // namespace vantor
