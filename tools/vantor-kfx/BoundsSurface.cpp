#include "Surfaces.h"

#include <algorithm>
#include <cmath>

namespace vantor::kfx {

std::optional<RectF> BoundsSurface::bounds() const {
    if (!any_)
        return std::nullopt;
    return RectF{minX_, minY_, maxX_ - minX_, maxY_ - minY_};
}

void BoundsSurface::add(double x, double y) {
    // A coordinate that is not a number draws nothing anywhere.
    if (!std::isfinite(x) || !std::isfinite(y))
        return;
    if (!any_) {
        minX_ = maxX_ = x;
        minY_ = maxY_ = y;
        any_ = true;
        return;
    }
    minX_ = std::min(minX_, x);
    maxX_ = std::max(maxX_, x);
    minY_ = std::min(minY_, y);
    maxY_ = std::max(maxY_, y);
}

void BoundsSurface::add(RectF rect) {
    add(rect.x, rect.y);
    add(rect.x + rect.width, rect.y + rect.height);
}

void BoundsSurface::drawLine(Argb, PointF from, PointF to) {
    add(from.x, from.y);
    add(to.x, to.y);
}

// A Bezier curve lies inside the hull of its four points.
void BoundsSurface::drawBezier(Argb, PointI p0, PointI p1, PointI p2, PointI p3) {
    for (const PointI& p : {p0, p1, p2, p3})
        add(p.x, p.y);
}

void BoundsSurface::drawPolygon(Argb, std::span<const PointI> points) {
    for (const PointI& p : points)
        add(p.x, p.y);
}

void BoundsSurface::fillPolygon(Argb, std::span<const PointF> points) {
    for (const PointF& p : points)
        add(p.x, p.y);
}

void BoundsSurface::drawText(Argb, std::string_view text, PointF topLeft) {
    const PointF size = measure_ ? measure_(text) : PointF{};
    add(RectF{topLeft.x, topLeft.y, size.x, size.y});
}

} // namespace vantor::kfx
