#pragma once

namespace vantor {

class Design;

// Puts every element where its parent says, parents before children in tree order, and
// refreshes every value derived from the inputs: outlines, corners, the cached Area, CP
// and CG, and each dimension's caption (its measure written with `decimalSeparator`).
// The result depends only on the design's fields, offsets, tree and the axis values,
// never on what was placed or drawn before; drawing, the analyses and every output read
// a placed design. A shape that fails to place is skipped.
void PlaceDesign(Design& design, char decimalSeparator = '.');

} // namespace vantor
