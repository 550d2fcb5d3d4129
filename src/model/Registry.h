#pragma once

#include "model/RocketElement.h"

#include <memory>
#include <string_view>

namespace vantor {

// Creates a shape from its class name: one of the nine element kinds or the four
// dimension kinds, with its constructor defaults. The comparison is exact and
// case-sensitive; an unknown name gives no object.
std::unique_ptr<TShaped> CreateShape(std::string_view className);

// The same for element class names only; a dimension or unknown name gives no object.
std::unique_ptr<TRocketElement> CreateElement(std::string_view className);

bool IsElementClassName(std::string_view className);
bool IsDimensionClassName(std::string_view className);

// Whether `element` may be attached to `parent`: the parent's class name must occur in
// the element's allowed-parent list (a plain substring search).
bool IsAttachmentAllowed(const TRocketElement& element, const TRocketElement& parent);

} // namespace vantor
