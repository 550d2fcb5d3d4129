#pragma once

namespace vantor {

// The two process-wide values every element and every design window shares: the
// abscissa of the nose tip and the ordinate of the rocket's centre line, in drawing
// units. The nose insertion commands and the design loader set them.
extern float OriginX;
extern float AxisY;

} // namespace vantor
