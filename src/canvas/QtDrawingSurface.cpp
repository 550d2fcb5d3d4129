#include "canvas/QtDrawingSurface.h"

#include <QFont>
#include <QImage>
#include <QLocale>
#include <QPainterPath>
#include <QPolygon>

namespace vantor {

namespace {

QColor ToQColor(Argb colour) {
    return QColor::fromRgba(colour);
}

QRectF ToQRectF(RectF rect) {
    return QRectF(rect.x, rect.y, rect.width, rect.height);
}

} // namespace

QtDrawingSurface::QtDrawingSurface(QImage& image, double scale, QPoint origin)
    : ownPainter_(&image), painter_(&ownPainter_), scale_(scale), origin_(origin) {
    painter_->setRenderHint(QPainter::Antialiasing);
    painter_->setRenderHint(QPainter::TextAntialiasing);
    painter_->translate(-origin);
    // Qt puts pixel centres at +0.5; shifting by half a device pixel puts them on whole
    // coordinates, so hairlines on integer coordinates stay one device pixel wide at
    // any pixel ratio.
    const double half = 0.5 / image.devicePixelRatio();
    painter_->translate(half, half);
    painter_->scale(scale, scale);
}

QtDrawingSurface::QtDrawingSurface(QPainter& painter, double scale, double penWidth, PenWidth unit)
    : painter_(&painter), scale_(scale), penWidth_(penWidth), penUnit_(unit), external_(true) {
    painter_->save();
    baseTransform_ = painter_->transform();
    painter_->setRenderHint(QPainter::Antialiasing);
    painter_->setRenderHint(QPainter::TextAntialiasing);
    painter_->scale(scale, scale);
}

QtDrawingSurface::~QtDrawingSurface() {
    if (external_)
        painter_->restore();
}

char SystemDecimalSeparator() {
    const QString point = QLocale::system().decimalPoint();
    return point.size() == 1 && point.at(0).unicode() < 128 ? point.at(0).toLatin1() : '.';
}

char QtDrawingSurface::decimalSeparator() const {
    return SystemDecimalSeparator();
}

void QtDrawingSurface::usePen(Argb colour) {
    QPen pen(ToQColor(colour));
    if (penUnit_ == PenWidth::InPainterUnits) {
        // Drawn through the zoom, which the width must not grow with.
        pen.setCosmetic(false);
        pen.setWidthF(scale_ > 0 ? penWidth_ / scale_ : penWidth_);
    } else {
        pen.setCosmetic(true);
        pen.setWidthF(penWidth_);
    }
    painter_->setPen(pen);
    painter_->setBrush(Qt::NoBrush);
}

void QtDrawingSurface::useBrush(Argb colour) {
    painter_->setPen(Qt::NoPen);
    painter_->setBrush(ToQColor(colour));
}

void QtDrawingSurface::drawLine(Argb colour, PointF from, PointF to) {
    usePen(colour);
    painter_->drawLine(QPointF(from.x, from.y), QPointF(to.x, to.y));
}

void QtDrawingSurface::drawBezier(Argb colour, PointI p0, PointI p1, PointI p2, PointI p3) {
    usePen(colour);
    QPainterPath path(QPointF(p0.x, p0.y));
    path.cubicTo(QPointF(p1.x, p1.y), QPointF(p2.x, p2.y), QPointF(p3.x, p3.y));
    painter_->drawPath(path);
}

void QtDrawingSurface::drawPolygon(Argb colour, std::span<const PointI> points) {
    usePen(colour);
    QPolygon polygon;
    polygon.reserve(static_cast<qsizetype>(points.size()));
    for (const PointI& p : points)
        polygon << QPoint(p.x, p.y);
    painter_->drawPolygon(polygon);
}

void QtDrawingSurface::drawEllipse(Argb colour, RectF bounds) {
    usePen(colour);
    painter_->drawEllipse(ToQRectF(bounds));
}

void QtDrawingSurface::fillPie(Argb colour, RectF bounds, double startAngle, double sweepAngle) {
    useBrush(colour);
    // Qt turns counter-clockwise on the screen in sixteenths of a degree.
    painter_->drawPie(ToQRectF(bounds), qRound(-startAngle * 16), qRound(-sweepAngle * 16));
}

void QtDrawingSurface::fillRectangle(Argb colour, RectF rect) {
    painter_->fillRect(ToQRectF(rect), ToQColor(colour));
}

void QtDrawingSurface::fillPolygon(Argb colour, std::span<const PointF> points) {
    QPolygonF polygon;
    polygon.reserve(qsizetype(points.size()));
    for (const PointF& p : points)
        polygon << QPointF(p.x, p.y);
    useBrush(colour);
    painter_->drawPolygon(polygon);
}

void QtDrawingSurface::drawText(Argb colour, std::string_view text, PointF topLeft) {
    QFont font(QStringLiteral("Times New Roman"));
    font.setPixelSize(10);
    painter_->setFont(font);
    painter_->setPen(ToQColor(colour));
    const QString string = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    painter_->drawText(QRectF(topLeft.x, topLeft.y, 1e6, 1e6), Qt::AlignLeft | Qt::AlignTop,
                       string);
}

void QtDrawingSurface::usePixels() {
    painter_->setTransform(baseTransform_);
    painter_->translate(-origin_);
    painter_->setRenderHint(QPainter::Antialiasing, false);
}

void QtDrawingSurface::fillPixelRect(Argb colour, RectI rect) {
    painter_->save();
    usePixels();
    painter_->fillRect(QRect(QPoint(rect.left, rect.top), QPoint(rect.right, rect.bottom)),
                       ToQColor(colour));
    painter_->restore();
}

void QtDrawingSurface::framePixelRect(Argb colour, RectI rect) {
    painter_->save();
    usePixels();
    painter_->setPen(ToQColor(colour));
    painter_->setBrush(Qt::NoBrush);
    painter_->drawRect(QRect(QPoint(rect.left, rect.top), QPoint(rect.right, rect.bottom)));
    painter_->restore();
}

} // namespace vantor
