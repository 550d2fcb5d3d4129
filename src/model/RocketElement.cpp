#include "model/RocketElement.h"

#include "model/AxisValues.h"
#include "model/RecordSink.h"

#include <cmath>
#include <limits>

namespace vantor {

double DivideOrNaN(double numerator, double denominator) {
    if (denominator == 0)
        return std::numeric_limits<double>::quiet_NaN();
    const double quotient = numerator / denominator;
    return std::isfinite(quotient) ? quotient : std::numeric_limits<double>::quiet_NaN();
}

TRocketElement::TRocketElement() {
    ClassName = "TRocketElement";
    Caption = "TRocketElement";
}

double TRocketElement::FirstX() const {
    return Points.empty() ? 0.0 : Points[0].x;
}

bool TRocketElement::Placeable() const {
    if (!Visible || !HasOutline())
        return false;
    return FollowsParent() && Parent != nullptr ? !Parent->Points.empty() : !Points.empty();
}

void TRocketElement::Place(char) {
    if (Placeable())
        PlaceFromParent();
    RefreshDerived();
}

void TRocketElement::RefreshDerived() {
    Area = static_cast<float>(ComputeArea());
    CP = static_cast<float>(ComputeCP());
    CG = static_cast<float>(ComputeCG());
}

bool TRocketElement::StartBehindParent(double& x0) const {
    if (Parent == nullptr) {
        x0 = FirstX();
        return !Points.empty();
    }
    if (Parent->Points.empty())
        return false;
    x0 = Parent->Points[0].x + Parent->Length;
    return true;
}

bool TRocketElement::StartAlongParent(double& x0) const {
    if (Parent == nullptr) {
        x0 = FirstX();
        return !Points.empty();
    }
    if (Parent->Points.empty())
        return false;
    x0 = Parent->Points[0].x + Offset;
    return true;
}

void TRocketElement::SaveElement(RecordSink& out, std::int32_t parentIndex) const {
    out.writeText(ClassName);
    out.writeInt32(static_cast<std::int32_t>(Points.size()));
    out.writeText(Caption);
    out.writeText(Material);
    out.writeInt32(parentIndex);
    out.writeFloat(AxisY);
    for (float value : {Weight, Density, Length, DiameterA, DiameterB, Thickness, Offset})
        out.writeFloat(value);
    for (const TPoints& p : Points) {
        out.writeDouble(p.x);
        out.writeDouble(p.y);
    }
}

double TRocketElement::ComputeCG() const {
    return static_cast<float>(FirstX() + Length * 0.5);
}

double TRocketElement::StoreWeight(double weight) {
    if (const auto stored = static_cast<float>(weight); std::isfinite(stored))
        Weight = stored;
    return Weight;
}

double TRocketElement::ComputeWeight() {
    return StoreWeight(ComputeArea() * Thickness * Density);
}

double TRocketElement::ComputeCP() const {
    return 0.0;
}

void TRocketElement::DrawPolygonRoutine(DrawingSurface& surface, Argb colour, bool fill) const {
    if (Points.empty())
        return;
    const Argb pen = OutlineColour(surface, colour);
    const std::size_t n = Points.size();
    // The fill covers exactly the rectangle the outline encloses, in drawing units, and
    // goes first so that the outline stays visible on top of it at every scale.
    if (fill)
        surface.fillRectangle(MotorFillColour,
                              RectF{Points[0].x, Points[0].y, Length, DiameterA});
    for (std::size_t i = 0; i + 1 < n; ++i)
        surface.drawLine(pen, {Points[i].x, Points[i].y}, {Points[i + 1].x, Points[i + 1].y});
    surface.drawLine(pen, {Points[0].x, Points[0].y}, {Points[n - 1].x, Points[n - 1].y});
}

} // namespace vantor
