#include "model/NoseCones.h"

#include "model/AxisValues.h"
#include "model/Kinds.h"
#include "model/Numeric.h"

namespace vantor {

NoseCone::NoseCone() {
    Length = 200;
}

void NoseCone::Frame(double& x0, double& y, double& halfD) const {
    x0 = Points[0].x;
    y = AxisY;
    halfD = DiameterA / 2.0;
}

void NoseCone::PlaceFromParent() {
    double x0, y, halfD;
    Frame(x0, y, halfD);
    Points[0].y = y;
    Points[1].x = x0 + Length;
    Points[1].y = y - halfD;
    Points[2].x = x0 + Length;
    Points[2].y = y + halfD;
    PlaceCorners(x0, y, halfD);
}

void NoseCone::PlaceCorners(double x0, double y, double halfD) {
    Corners = {PointD{x0, y}, PointD{x0, y}, PointD{x0 + Length, y - halfD},
               PointD{x0 + Length, y - halfD}};
}

double NoseCone::ComputeArea() const {
    return static_cast<float>(Pi * (DiameterA / 2.0) * Length);
}

double NoseCone::ConeCG() const {
    return static_cast<float>(FirstX() + Length * 2.0 / 3.0);
}

double NoseCone::ComputeCG() const {
    return ConeCG();
}

TGlowicaStozek::TGlowicaStozek() {
    AdoptKind(*this, "TGlowicaStozek");
}

void TGlowicaStozek::Draw(DrawingSurface& surface) const {
    if (!Placeable())
        return;
    DrawPolygonRoutine(surface, BlackColour, false);
    DrawHandles(surface);
}

double TGlowicaStozek::ComputeCP() const {
    return static_cast<float>(OriginX + Length * 2.0 / 3.0);
}

TGlowicaOgive::TGlowicaOgive() {
    AdoptKind(*this, "TGlowicaOgive");
}

double TGlowicaOgive::ControlAbscissa(double) const {
    // In single precision, as the curve has always been drawn.
    return static_cast<float>(ConeCG()) / ShapeFactor;
}

void TGlowicaOgive::PlaceCorners(double x0, double y, double halfD) {
    const double k = ControlAbscissa(x0);
    const double rear = x0 + Length;
    const double edge = CornersFromLowerCurve() ? y + halfD : y - halfD;
    Corners = {PointD{x0, y}, PointD{k, edge}, PointD{rear, edge}, PointD{rear, edge}};
}

void TGlowicaOgive::Draw(DrawingSurface& surface) const {
    if (!Placeable())
        return;
    double x0, y, halfD;
    Frame(x0, y, halfD);
    const double k = ControlAbscissa(x0);
    const double rear = x0 + Length;
    const Argb pen = OutlineColour(surface, BlackColour);
    for (double side : {-halfD, halfD}) {
        const double edge = y + side;
        surface.drawBezier(pen, {TruncToInt(x0), TruncToInt(y)}, {TruncToInt(k), TruncToInt(edge)},
                           {TruncToInt(rear), TruncToInt(edge)},
                           {TruncToInt(rear), TruncToInt(edge)});
    }
    surface.drawLine(pen, {rear, y - halfD}, {rear, y + halfD});
    DrawHandles(surface);
}

double TGlowicaOgive::ComputeWeight() {
    return StoreWeight(ComputeArea() * Thickness * Density * 1.15);
}

double TGlowicaOgive::ComputeCG() const {
    return ConeCG() * 1.15;
}

double TGlowicaOgive::ComputeCP() const {
    return static_cast<float>(OriginX + Length * 0.466);
}

TGlowicaParabolic::TGlowicaParabolic() {
    AdoptKind(*this, "TGlowicaParabolic");
    ShapeFactor = 1.7f;
}

double TGlowicaParabolic::ComputeWeight() {
    return StoreWeight(ComputeArea() * Thickness * Density * 1.2);
}

double TGlowicaParabolic::ComputeCG() const {
    return ConeCG() * 1.07;
}

double TGlowicaParabolic::ComputeCP() const {
    return static_cast<float>(OriginX + Length * 0.5);
}

} // namespace vantor
