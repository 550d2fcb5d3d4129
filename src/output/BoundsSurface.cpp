#include "output/BoundsSurface.h"

#include "analysis/Summary.h"
#include "canvas/DesignDrawing.h"

#include <QFont>
#include <QFontMetricsF>

#include <algorithm>
#include <cmath>

namespace vantor {

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

PointF MeasureSurfaceText(std::string_view text) {
    static const QFontMetricsF metrics = [] {
        QFont font(QStringLiteral("Times New Roman"));
        font.setPixelSize(10);
        return QFontMetricsF(font);
    }();
    const QRectF box =
        metrics.boundingRect(QRectF(0, 0, 1e6, 1e6), Qt::AlignLeft | Qt::AlignTop,
                             QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    return PointF{box.width(), box.height()};
}

std::optional<RectF> MeasureDesignDrawing(const Design& design, const Summary& summary) {
    BoundsSurface bounds(MeasureSurfaceText);
    DrawDesign(design, bounds);
    DrawSummaryMarkers(bounds, summary);
    return bounds.bounds();
}

} // namespace vantor
