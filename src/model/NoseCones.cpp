#include "model/NoseCones.h"

#include "model/AxisValues.h"
#include "model/Kinds.h"
#include "model/Numeric.h"

namespace vantor {

NoseCone::NoseCone() {
    Length = 200;
}

void NoseCone::PlaceOutline(double& x0, double& y, double& halfD) {
    x0 = Points[0].x;
    y = AxisY;
    halfD = DiameterA / 2.0;
    Points[0].y = y;
    Points[1].x = x0 + Length;
    Points[1].y = y - halfD;
    Points[2].x = x0 + Length;
    Points[2].y = y + halfD;
}

double NoseCone::ComputeArea() {
    Area = static_cast<float>(Pi * (DiameterA / 2.0) * Length);
    return Area;
}

double NoseCone::ComputeCG() {
    CG = static_cast<float>(FirstX() + Length * 2.0 / 3.0);
    return CG;
}

TGlowicaStozek::TGlowicaStozek() {
    AdoptKind(*this, "TGlowicaStozek");
}

void TGlowicaStozek::Draw() {
    if (!Visible || !HasOutline())
        return;
    double x0, y, halfD;
    PlaceOutline(x0, y, halfD);
    Corners = {PointD{x0, y}, PointD{x0, y}, PointD{x0 + Length, y - halfD},
               PointD{x0 + Length, y - halfD}};
    DrawPolygonRoutine(BlackColour, false);
    DrawHandles();
}

double TGlowicaStozek::ComputeCP() {
    CP = static_cast<float>(OriginX + Length * 2.0 / 3.0);
    return CP;
}

TGlowicaOgive::TGlowicaOgive() {
    AdoptKind(*this, "TGlowicaOgive");
}

double TGlowicaOgive::ControlAbscissa(double) const {
    return CG / ShapeFactor;
}

void TGlowicaOgive::Draw() {
    if (!Visible || !HasOutline())
        return;
    double x0, y, halfD;
    PlaceOutline(x0, y, halfD);
    const double k = ControlAbscissa(x0);
    const double rear = x0 + Length;
    const Argb pen = OutlineColour(BlackColour);
    for (double side : {-halfD, halfD}) {
        const double edge = y + side;
        if (side < 0 || CornersFromLowerCurve())
            Corners = {PointD{x0, y}, PointD{k, edge}, PointD{rear, edge}, PointD{rear, edge}};
        if (Canvas != nullptr)
            Canvas->drawBezier(
                pen, {TruncToInt(x0), TruncToInt(y)}, {TruncToInt(k), TruncToInt(edge)},
                {TruncToInt(rear), TruncToInt(edge)}, {TruncToInt(rear), TruncToInt(edge)});
    }
    if (Canvas != nullptr)
        Canvas->drawLine(pen, {rear, y - halfD}, {rear, y + halfD});
    DrawHandles();
}

double TGlowicaOgive::ComputeWeight() {
    return StoreWeight(ComputeArea() * Thickness * Density * 1.15);
}

double TGlowicaOgive::ComputeCG() {
    return NoseCone::ComputeCG() * 1.15;
}

double TGlowicaOgive::ComputeCP() {
    CP = static_cast<float>(OriginX + Length * 0.466);
    return CP;
}

TGlowicaParabolic::TGlowicaParabolic() {
    AdoptKind(*this, "TGlowicaParabolic");
    ShapeFactor = 1.7f;
}

double TGlowicaParabolic::ComputeWeight() {
    return StoreWeight(ComputeArea() * Thickness * Density * 1.2);
}

double TGlowicaParabolic::ComputeCG() {
    return NoseCone::ComputeCG() * 1.07;
}

double TGlowicaParabolic::ComputeCP() {
    CP = static_cast<float>(OriginX + Length * 0.5);
    return CP;
}

} // namespace vantor
