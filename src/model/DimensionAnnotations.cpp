#include "model/DimensionAnnotations.h"

#include "model/NumberFormat.h"
#include "model/Numeric.h"

#include <array>
#include <charconv>
#include <cmath>
#include <numbers>
#include <string>
#include <string_view>

namespace vantor {

namespace {

// Every line, arrowhead and label of a dimension is drawn in this opaque mid grey.
constexpr Argb DimensionColour = MakeArgb(255, 100, 100, 100);

constexpr double DegreesPerRadian = 180.0 / std::numbers::pi;

bool IsFinite(PointF p) {
    return std::isfinite(p.x) && std::isfinite(p.y);
}

PointF At(const TPoints& p) {
    return {p.x, p.y};
}

PointF Midpoint(PointF a, PointF b) {
    return {(a.x + b.x) / 2, (a.y + b.y) / 2};
}

// The shape can be measured: it is shown and its first three points are real coordinates
// (a damaged design file may carry NaN or infinities).
bool CanDraw(const TShaped& shape, bool enoughPoints) {
    if (!shape.Visible || !enoughPoints)
        return false;
    for (std::size_t i = 0; i < 3; ++i)
        if (!IsFinite(At(shape.Points[i])))
            return false;
    return true;
}

struct Turn {
    double cos;
    double sin;
};

// Exact at multiples of 90 degrees: with the rounded cosine of 90 degrees a corner that
// lies on a whole coordinate would truncate one pixel off, making arrowheads along the
// axes lopsided.
Turn TurnBy(double degrees) {
    double reduced = std::fmod(degrees, 360.0);
    if (reduced < 0)
        reduced += 360.0;
    if (reduced == 0)
        return {1, 0};
    if (reduced == 90)
        return {0, 1};
    if (reduced == 180)
        return {-1, 0};
    if (reduced == 270)
        return {0, -1};
    const double radians = degrees / DegreesPerRadian;
    return {std::cos(radians), std::sin(radians)};
}

// (x, y) turned about `centre`; positive angles turn clockwise on the screen.
PointF Rotated(double x, double y, PointF centre, Turn turn) {
    return {centre.x + (x - centre.x) * turn.cos - (y - centre.y) * turn.sin,
            centre.y + (x - centre.x) * turn.sin + (y - centre.y) * turn.cos};
}

// The arrowhead triangle with its tip at `at`, its body lying along +x at angle 0.
std::array<PointI, 3> ArrowheadPoints(PointF at, double angle) {
    const Turn turn = TurnBy(angle);
    const std::array<PointF, 3> corners{{{at.x, at.y}, {at.x + 8, at.y - 2}, {at.x + 8, at.y + 2}}};
    std::array<PointI, 3> result;
    for (std::size_t i = 0; i < corners.size(); ++i) {
        const PointF turned = Rotated(TruncToInt(corners[i].x), TruncToInt(corners[i].y), at, turn);
        result[i] = {TruncToInt(turned.x), TruncToInt(turned.y)};
    }
    return result;
}

// The value as it reads back from its shortest decimal text (15 significant digits).
double ViaShortestText(double value) {
    std::array<char, 64> text;
    const auto written = std::to_chars(text.data(), text.data() + text.size(), value,
                                       std::chars_format::general, 15);
    double result = value;
    // On a value that no longer fits a double the original stays.
    std::from_chars(text.data(), written.ptr, result);
    return result;
}

// Direction of the arm from `vertex` to `end` in degrees, clockwise from straight up.
double ArmDirection(PointF vertex, PointF end) {
    const double slope = end.x == vertex.x ? 0.0 : (end.y - vertex.y) / (end.x - vertex.x);
    double angle = std::atan(slope) * DegreesPerRadian;
    if (vertex.x < end.x && end.y < vertex.y)
        angle += 90;
    if (end.x < vertex.x && end.y < vertex.y)
        angle += 270;
    if (end.x < vertex.x && vertex.y < end.y)
        angle += 270;
    if (vertex.x < end.x && vertex.y < end.y)
        angle += 90;
    // Arms along an axis. A slope that merely underflows to 0 belongs to an oblique arm,
    // which the quadrant rules above have already placed.
    if (slope == 0 && (end.x == vertex.x || end.y == vertex.y)) {
        if (end.y == vertex.y && vertex.x < end.x)
            angle = 90;
        else if (vertex.y < end.y)
            angle = 180;
        else if (end.y == vertex.y && end.x < vertex.x)
            angle = 270;
        // An arm straight up (or of no length) stays at 0.
    }
    return angle;
}

// Draws in the dimension colour; pieces whose coordinates overflowed to infinity or NaN
// are left out instead of reaching the surface.
class DimensionPainter {
public:
    explicit DimensionPainter(DrawingSurface& surface) : surface_(surface) {}

    void line(PointF from, PointF to) {
        if (IsFinite(from) && IsFinite(to))
            surface_.drawLine(DimensionColour, from, to);
    }

    void arrowhead(PointF at, double angle) {
        if (!IsFinite(at) || !std::isfinite(angle))
            return;
        const std::array<PointI, 3> points = ArrowheadPoints(at, angle);
        surface_.drawPolygon(DimensionColour, points);
    }

    void label(std::string_view text, PointF topLeft) {
        if (IsFinite(topLeft))
            surface_.drawText(DimensionColour, text, topLeft);
    }

    std::string format(double value, int decimals) const {
        return FormatFixed(value, decimals, surface_.decimalSeparator());
    }

private:
    DrawingSurface& surface_;
};

// The part every linear dimension shares: arrowheads, the extension lines and the
// dimension line, and the value as label.
void DrawLinear(DrawingSurface& surface, const TShaped& shape, const DimensionLine& line) {
    DimensionPainter painter(surface);
    const PointF p0 = At(shape.Points[0]);
    const PointF p1 = At(shape.Points[1]);
    if (line.arrows) {
        painter.arrowhead(line.f1, line.angleAtF1);
        painter.arrowhead(line.f0, line.angleAtF0);
    }
    painter.line(p1, line.f1);
    painter.line(line.f1, line.f0);
    painter.line(line.f0, p0);
    painter.label(painter.format(line.value, 2), Midpoint(line.f1, line.f0));
}

} // namespace

void TWymiar::Draw(DrawingSurface& surface) const {
    if (CanDraw(*this, Points.size() >= 3))
        DrawLinear(surface, *this, Line());
}

void TWymiar::Place(char decimalSeparator) {
    if (CanDraw(*this, Points.size() >= 3))
        Caption = FormatFixed(Line().value, 2, decimalSeparator);
}

TWymiar::TWymiar() {
    ClassName = "TWymiar";
    Caption = "Wymiar";
}

DimensionLine TWymiar::Line() const {
    const PointF p0 = At(Points[0]);
    const PointF p1 = At(Points[1]);
    const PointF p2 = At(Points[2]);
    DimensionLine line;
    if (p0.x != p1.x && p0.y != p1.y) {
        // F1 is P1 moved along the normal of P0P1 until it meets the line through P2
        // parallel to P0P1. Projecting on the unit normal stays accurate for nearly
        // vertical segments, where intersecting by slopes multiplies rounding errors.
        const double dx = p1.x - p0.x;
        const double dy = p1.y - p0.y;
        const double length = std::hypot(dx, dy);
        const PointF normal{-dy / length, dx / length};
        const double offset = (p2.x - p1.x) * normal.x + (p2.y - p1.y) * normal.y;
        const PointF g{normal.x * offset, normal.y * offset};
        line.f1 = {p1.x + g.x, p1.y + g.y};
        line.f0 = {p0.x + g.x, p0.y + g.y};
        const double phi = std::atan(dy / dx) * DegreesPerRadian;
        if (line.f1.x > line.f0.x) {
            line.angleAtF1 = phi - 180;
            line.angleAtF0 = phi;
        } else {
            line.angleAtF1 = phi;
            line.angleAtF0 = phi + 180;
        }
    } else if (p0.x == p1.x && p0.y == p1.y) {
        // Nothing to measure: the extension line runs to P2's height and the dimension
        // line shrinks to a point, which takes no arrowheads.
        line.f1 = {p1.x, p2.y};
        line.f0 = line.f1;
        line.arrows = false;
    } else if (p0.x == p1.x) {
        line.f1 = {p2.x, p1.y};
        line.f0 = {p0.x + p2.x - p1.x, p0.y};
        // Fixed angles whatever the direction from P0 to P1: with P1 below P0 the
        // arrowheads open outwards, as the aligned dimension has always drawn them.
        line.angleAtF1 = 90;
        line.angleAtF0 = -90;
    } else {
        line.f1 = {p1.x, p2.y};
        line.f0 = {p0.x, p0.y + p2.y - p1.y};
        // Fixed as for the vertical segment: outwards when P1 lies right of P0.
        line.angleAtF1 = 0;
        line.angleAtF0 = 180;
    }
    line.value = std::hypot(p1.x - p0.x, p1.y - p0.y);
    return line;
}

TWymiarPoziomy::TWymiarPoziomy() {
    ClassName = "TWymiarPoziomy";
    Caption = "WymiarPoziomy";
}

DimensionLine TWymiarPoziomy::Line() const {
    const PointF p0 = At(Points[0]);
    const PointF p1 = At(Points[1]);
    const PointF p2 = At(Points[2]);
    DimensionLine line;
    line.f1 = {p1.x, p2.y};
    line.f0 = {p0.x, p2.y};
    line.angleAtF1 = p1.x > p0.x ? -180 : 0;
    line.angleAtF0 = p1.x > p0.x ? 0 : 180;
    line.value = std::trunc(std::fabs(p1.x - p0.x));
    return line;
}

TWymiarPionowy::TWymiarPionowy() {
    ClassName = "TWymiarPionowy";
    Caption = "WymiarPionowy";
}

DimensionLine TWymiarPionowy::Line() const {
    const PointF p0 = At(Points[0]);
    const PointF p1 = At(Points[1]);
    const PointF p2 = At(Points[2]);
    DimensionLine line;
    line.f1 = {p2.x, p1.y};
    line.f0 = {p2.x, p0.y};
    line.angleAtF1 = p1.y > p0.y ? -90 : 90;
    line.angleAtF0 = p1.y > p0.y ? 90 : 270;
    line.value = std::trunc(std::fabs(p1.y - p0.y));
    return line;
}

TAngleWymiar::TAngleWymiar() {
    ClassName = "TAngleWymiar";
    Caption = "Wymiar";
}

bool TAngleWymiar::Arms(PointF& v, PointF& a, PointF& b, double& alpha, double& beta,
                        double& sweep) const {
    if (!CanDraw(*this, Points.size() == 3))
        return false;
    v = At(Points[0]);
    a = {ViaShortestText(Points[1].x), ViaShortestText(Points[1].y)};
    b = At(Points[2]);
    alpha = ArmDirection(v, a);
    beta = ArmDirection(v, b);
    sweep = alpha <= beta ? beta - alpha : (360 - alpha) + beta;
    // Arms too long for a double have no direction; there is nothing to measure then.
    return std::isfinite(sweep);
}

void TAngleWymiar::Place(char decimalSeparator) {
    PointF v, a, b;
    double alpha, beta, sweep;
    if (Arms(v, a, b, alpha, beta, sweep))
        Caption = FormatFixed(sweep, 0, decimalSeparator);
}

void TAngleWymiar::Draw(DrawingSurface& surface) const {
    PointF v, a, b;
    double alpha, beta, sweep;
    if (!Arms(v, a, b, alpha, beta, sweep))
        return;

    DimensionPainter painter(surface);
    // The arc starts a quarter of the way along the first arm and turns clockwise by
    // whole degrees; its middle point carries the label.
    const PointF start{v.x + (a.x - v.x) / 4, v.y + (a.y - v.y) / 4};
    const int lastStep = TruncToInt(sweep);
    const int labelStep = TruncToInt(sweep * 0.5);
    PointF previous{};
    PointF labelAt{};
    for (int k = 0; k <= lastStep; ++k) {
        const PointF turned = Rotated(start.x, start.y, v, TurnBy(k));
        const PointF q{std::trunc(turned.x), std::trunc(turned.y)};
        if (k == 0)
            previous = q;
        painter.line(previous, q);
        if (k == labelStep)
            labelAt = q;
        if (k == 0)
            painter.arrowhead(q, alpha);
        previous = q;
    }
    painter.arrowhead(previous, beta - 180);
    painter.line(v, b);
    painter.line(v, a);
    painter.label(painter.format(sweep, 0), labelAt);
    DrawHandles(surface);
}

PointI TAngleWymiar::GetCentre() const {
    if (Points.empty())
        return {};
    return {TruncToInt(Points[0].x), TruncToInt(Points[0].y)};
}

} // namespace vantor
