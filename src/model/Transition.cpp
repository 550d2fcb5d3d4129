#include "model/Transition.h"

#include "model/AxisValues.h"
#include "model/Kinds.h"

#include <cmath>
#include <limits>

namespace vantor {

TStozekSciety::TStozekSciety() {
    AdoptKind(*this, "TStozekSciety");
    DiameterB = 70;
}

void TStozekSciety::Draw() {
    double x0;
    if (!Visible || !HasOutline() || !StartBehindParent(x0))
        return;
    const double y = AxisY;
    const double halfA = DiameterA / 2.0;
    const double halfB = DiameterB / 2.0;
    Points[0] = {x0, y - halfA};
    Points[1] = {x0 + Length, y - halfB};
    Points[2] = {x0 + Length, y + halfB};
    Points[3] = {x0, y + halfA};
    Corners = {PointD{x0, y - halfA}, PointD{x0, y - halfA}, PointD{x0 + Length, y - halfB},
               PointD{x0 + Length, y - halfB}};
    DrawPolygonRoutine(BlackColour, false);
    DrawHandles();
}

double TStozekSciety::ComputeArea() {
    const double halfA = DiameterA / 2.0;
    const double halfB = DiameterB / 2.0;
    const double slant = std::sqrt(double(Length) * Length + (halfA - halfB) * (halfA - halfB));
    SlantLength = static_cast<float>(slant);
    Area = static_cast<float>(slant * Pi * (halfA + halfB));
    return Area;
}

double TStozekSciety::ComputeCP() {
    // The front is taken relative to the nose tip in single precision and added back.
    const double x0 = OriginX + static_cast<float>(FirstX() - OriginX);
    const double q = DivideOrNaN(DiameterA, DiameterB);
    const double ratio = DivideOrNaN(1 - q, 1 - q * q);
    const double cp = x0 + (Length / 3.0) * (1 + ratio);
    if (!std::isfinite(cp))
        return std::numeric_limits<double>::quiet_NaN();
    CP = static_cast<float>(cp);
    return CP;
}

} // namespace vantor
