#pragma once

#include "model/DrawingSurface.h"

namespace vantor {

class Design;

// Paints a placed design (see PlaceDesign) as a full redraw does: the elements from the
// last to the first, then every dimension from the last to the first, the newest (index
// 0) on top. A failure while drawing one object skips that object. Changes nothing.
void DrawDesign(const Design& design, DrawingSurface& surface);

} // namespace vantor
