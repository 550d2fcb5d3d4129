#pragma once

#include "canvas/DrawingSurface.h"

namespace vantor {

class Design;

// Draws the design as a full redraw does: every element is placed first in tree order,
// each from a parent already placed, then drawn from the last to the first; then every
// dimension from the last to the first, the newest (index 0) on top. A failure while drawing one
// object skips that object. Each shape's Canvas points at the surface only while it draws.
void DrawDesign(Design& design, DrawingSurface& surface);

// Redraws the design on a surface that draws nowhere until no element moves any more.
// A parent's move reaches its children only at the next redraw, so a design whose
// stored outlines disagree with its tree (a hand-made or damaged file) needs as many
// redraws as the tree is deep before its summary stops changing. Gives up after as
// many redraws as the tree may be deep (or as there are elements), plus one. Returns
// the number of redraws made.
int SettlePlacement(Design& design);

} // namespace vantor
