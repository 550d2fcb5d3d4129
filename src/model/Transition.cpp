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

void TStozekSciety::PlaceFromParent() {
    double x0;
    if (!StartBehindParent(x0))
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
}

void TStozekSciety::Draw(DrawingSurface& surface) const {
    if (!Placeable())
        return;
    DrawPolygonRoutine(surface, BlackColour, false);
    DrawHandles(surface);
}

void TStozekSciety::RefreshDerived() {
    TRocketElement::RefreshDerived();
    SlantLength = static_cast<float>(Slant());
}

double TStozekSciety::Slant() const {
    const double halfA = DiameterA / 2.0;
    const double halfB = DiameterB / 2.0;
    return std::sqrt(double(Length) * Length + (halfA - halfB) * (halfA - halfB));
}

double TStozekSciety::ComputeArea() const {
    const double halfA = DiameterA / 2.0;
    const double halfB = DiameterB / 2.0;
    return static_cast<float>(Slant() * Pi * (halfA + halfB));
}

double TStozekSciety::ComputeCP() const {
    // The front is taken relative to the nose tip in single precision and added back.
    const double x0 = OriginX + static_cast<float>(FirstX() - OriginX);
    const double q = DivideOrNaN(DiameterA, DiameterB);
    const double ratio = DivideOrNaN(1 - q, 1 - q * q);
    const double cp = x0 + (Length / 3.0) * (1 + ratio);
    if (!std::isfinite(cp))
        return std::numeric_limits<double>::quiet_NaN();
    return static_cast<float>(cp);
}

} // namespace vantor
