#include "model/FinSet.h"

#include "model/AxisValues.h"
#include "model/Kinds.h"
#include "model/RecordSink.h"

#include <array>
#include <cmath>
#include <limits>

namespace vantor {

TStatecznik::TStatecznik() {
    AdoptKind(*this, "TStatecznik");
}

namespace {

template <class Point> void DrawFinOutline(DrawingSurface& surface, Argb colour, const Point& at) {
    for (std::size_t i = 0; i < 4; ++i) {
        const auto& a = at[i];
        const auto& b = at[(i + 1) % 4];
        surface.drawLine(colour, {a.x, a.y}, {b.x, b.y});
    }
}

} // namespace

void TStatecznik::PlaceFromParent() {
    double x0;
    if (!StartAlongParent(x0))
        return;
    // A fin is four points. Further points (only a damaged file has them) would be
    // mirrored about another line at every redraw, so the picture and the summary
    // would change from one redraw to the next.
    Points.resize(4);
    const double tubeDiameter = Parent != nullptr ? Parent->DiameterA : 0.0;
    const double root = AxisY - tubeDiameter / 2.0;
    Points[0] = {x0, root};
    Points[1] = {x0 + FinB, root - FinD};
    Points[2] = {Points[1].x + FinC, Points[1].y};
    Points[3] = {x0 + FinA, root};
    for (std::size_t i = 0; i < 4; ++i)
        Corners[i] = {Points[i].x, Points[i].y};
    FlipVertical();
    Translate(0, tubeDiameter);
    // The outline holds the mirrored fin however often it is placed.
    Flipped = true;
}

void TStatecznik::Draw(DrawingSurface& surface) const {
    if (!Placeable())
        return;
    // The upper fin is kept in Corners, the lower in the outline.
    const Argb colour = OutlineColour(surface, BlackColour);
    DrawFinOutline(surface, colour, Corners);
    DrawFinOutline(surface, colour, Points);
    DrawHandles(surface);
}

bool TStatecznik::AnswersPointer(double x, double y) const {
    if (TRocketElement::AnswersPointer(x, y))
        return true;
    std::array<TPoints, 4> upper;
    for (std::size_t i = 0; i < upper.size(); ++i)
        upper[i] = {Corners[i].x, Corners[i].y};
    return OutlineContains(upper, x, y);
}

void TStatecznik::RefreshDerived() {
    CP = static_cast<float>(ComputeCP());
    CG = static_cast<float>(ComputeCG());
}

void TStatecznik::SaveElement(RecordSink& out, std::int32_t parentIndex) const {
    TRocketElement::SaveElement(out, parentIndex);
    for (float value : {FinA, FinB, FinC, FinD, FinSpare})
        out.writeFloat(value);
    out.writeInt32(FinCount);
}

double TStatecznik::ComputeArea() const {
    return ShapeArea() * FinCount;
}

double TStatecznik::ComputeCP() const {
    const double x0 = OriginX + static_cast<float>(FirstX() - OriginX);
    const double a = FinA, b = FinB, c = FinC;
    const double chords = a + c;
    const double cp =
        x0 + DivideOrNaN((2 * c + a) * b, 3 * chords) + (chords - DivideOrNaN(a * c, chords)) / 6;
    if (!std::isfinite(cp))
        return std::numeric_limits<double>::quiet_NaN();
    return static_cast<float>(cp);
}

} // namespace vantor
