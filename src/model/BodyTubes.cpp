#include "model/BodyTubes.h"

#include "model/AxisValues.h"
#include "model/Kinds.h"

namespace vantor {

TKorpus::TKorpus() {
    AdoptKind(*this, "TKorpus");
    Length = 500;
}

void TKorpus::PlaceRectangle(double x0) {
    const double y = AxisY;
    const double halfD = DiameterA / 2.0;
    Points[0] = {x0, y - halfD};
    Points[1] = {x0 + Length, y - halfD};
    Points[2] = {x0 + Length, y + halfD};
    Points[3] = {x0, y + halfD};
}

void TKorpus::PlaceFromParent() {
    double x0;
    if (!StartBehindParent(x0))
        return;
    PlaceRectangle(x0);
    const double top = AxisY - DiameterA / 2.0;
    Corners = {PointD{x0, top}, PointD{x0, top}, PointD{x0 + Length, top},
               PointD{x0 + Length, top}};
}

void TKorpus::Draw(DrawingSurface& surface) const {
    if (!Placeable())
        return;
    DrawPolygonRoutine(surface, BlackColour, false);
    DrawHandles(surface);
}

double TKorpus::ShapeArea() const {
    return static_cast<double>(Length) * DiameterA;
}

double TKorpus::ComputeArea() const {
    return static_cast<float>(Pi * DiameterA * Length);
}

TLozysko::TLozysko() {
    AdoptKind(*this, "TLozysko");
}

TEngine::TEngine() {
    AdoptKind(*this, "TEngine");
    Length = 100;
    DiameterA = 27;
}

void TEngine::PlaceFromParent() {
    double x0;
    if (StartAlongParent(x0))
        PlaceRectangle(x0);
}

void TEngine::Draw(DrawingSurface& surface) const {
    if (!Placeable())
        return;
    DrawPolygonRoutine(surface, MotorColour, true);
    DrawHandles(surface);
}

} // namespace vantor
