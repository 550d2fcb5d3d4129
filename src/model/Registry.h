#pragma once

#include "model/RocketElement.h"

#include <memory>
#include <string_view>

namespace vantor {

// Creates an element from its class name, one of the nine element kinds, with its
// constructor defaults. The comparison is exact and case-sensitive; any other name gives
// no object. (The dimension kinds and the factory of every shape: model/ShapeKinds.h.)
std::unique_ptr<TRocketElement> CreateElement(std::string_view className);

bool IsElementClassName(std::string_view className);

// Whether `element` may be attached to `parent`: the parent's class name must occur in
// the element's allowed-parent list (a plain substring search).
bool IsAttachmentAllowed(const TRocketElement& element, const TRocketElement& parent);

} // namespace vantor
