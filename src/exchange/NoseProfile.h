#pragma once

#include "exchange/ImportedRocket.h"

namespace vantor {

// The radius fraction of a body of revolution of the given shape at t = x / L (0 at
// the narrow end, 1 at the wide end): r = R * NoseProfile(t).
// `aspect` is R / L; only the ogive's profile depends on it.
double NoseProfile(ImportedNoseShape shape, double parameter, double t, double aspect);

// Volume and axial centroid of a body of revolution whose radius goes from `narrow` to
// `wide` along `length` with the shape's profile (the narrow end at x = 0). With
// `wall` > 0 only a shell of that wall thickness is counted.
struct RevolvedVolume {
    double volume = 0;   // mm3
    double centroid = 0; // mm from the narrow end
};
RevolvedVolume RevolveProfile(ImportedNoseShape shape, double parameter, double length,
                              double narrow, double wide, double wall);

// The volume of a nose of this shape as a fraction of the cylinder of its base; the
// Barrowman centre of pressure of a nose lies at L * (1 - fraction) from its tip.
double NoseVolumeFraction(ImportedNoseShape shape, double parameter, double aspect);

const char* NoseShapeName(ImportedNoseShape shape);

} // namespace vantor
