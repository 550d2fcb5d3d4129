#pragma once

#include "canvas/DrawingSurface.h"

namespace vantor {

class Design;

// Draws the design as a full redraw does: every element is placed first in tree order,
// each from a parent already placed, then drawn from the last to the first; then every
// dimension from the last to the first, the newest (index 0) on top. A failure while drawing one
// object skips that object. Each shape's Canvas points at the surface only while it draws.
void DrawDesign(Design& design, DrawingSurface& surface);

} // namespace vantor
