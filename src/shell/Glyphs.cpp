#include "shell/Glyphs.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QStyle>
#include <QStyleOption>

namespace vantor {

namespace {

constexpr int Size = 32;

void DrawArrow(QPainter& p, QPointF from, QPointF to) {
    p.drawLine(from, to);
    const QPointF d = (to - from) / std::hypot(to.x() - from.x(), to.y() - from.y());
    const QPointF n(-d.y(), d.x());
    p.drawLine(to, to - d * 5 + n * 3);
    p.drawLine(to, to - d * 5 - n * 3);
}

void Paint(QPainter& p, Glyph glyph) {
    const QPen outline(QColor(30, 30, 30), 1.5);
    p.setPen(outline);
    switch (glyph) {
    case Glyph::ConicalNose:
        p.drawPolygon(QPolygonF{{4, 16}, {28, 8}, {28, 24}});
        break;
    case Glyph::OgiveNose:
    case Glyph::ParabolicNose: {
        const double control = glyph == Glyph::OgiveNose ? 16 : 4;
        QPainterPath path({4, 16});
        path.cubicTo({control, 8}, {28, 8}, {28, 8});
        path.lineTo(28, 24);
        path.cubicTo({28, 24}, {control, 24}, {4, 16});
        p.drawPath(path);
        break;
    }
    case Glyph::BodyTube:
        p.drawRect(QRectF(3, 9, 26, 14));
        break;
    case Glyph::Motor:
        p.setBrush(QColor(200, 0, 0));
        p.drawRect(QRectF(6, 11, 20, 10));
        break;
    case Glyph::Transition:
        p.drawPolygon(QPolygonF{{4, 10}, {28, 5}, {28, 27}, {4, 22}});
        break;
    case Glyph::FinSet:
        p.drawRect(QRectF(2, 13, 28, 6));
        p.drawPolygon(QPolygonF{{8, 13}, {16, 3}, {24, 3}, {26, 13}});
        p.drawPolygon(QPolygonF{{8, 19}, {16, 29}, {24, 29}, {26, 19}});
        break;
    case Glyph::Ballast:
        p.drawLine(QPointF(2, 16), QPointF(30, 16));
        p.setBrush(Qt::black);
        p.drawEllipse(QPointF(16, 16), 6, 6);
        break;
    case Glyph::LinearDimension:
        DrawArrow(p, {16, 16}, {4, 28});
        DrawArrow(p, {16, 16}, {28, 4});
        break;
    case Glyph::HorizontalDimension:
        p.drawLine(QPointF(3, 6), QPointF(3, 26));
        p.drawLine(QPointF(29, 6), QPointF(29, 26));
        DrawArrow(p, {16, 16}, {4, 16});
        DrawArrow(p, {16, 16}, {28, 16});
        break;
    case Glyph::VerticalDimension:
        p.drawLine(QPointF(6, 3), QPointF(26, 3));
        p.drawLine(QPointF(6, 29), QPointF(26, 29));
        DrawArrow(p, {16, 16}, {16, 4});
        DrawArrow(p, {16, 16}, {16, 28});
        break;
    case Glyph::AngleDimension:
        p.drawLine(QPointF(4, 28), QPointF(28, 28));
        p.drawLine(QPointF(4, 28), QPointF(24, 6));
        p.drawArc(QRectF(-10, 14, 28, 28), 0, 48 * 16);
        break;
    case Glyph::DefaultMode:
        p.setBrush(Qt::white);
        p.drawPolygon(QPolygonF{{8, 4}, {8, 26}, {13, 21}, {17, 29}, {20, 28}, {16, 20}, {23, 20}});
        break;
    case Glyph::SelectMode:
        DrawArrow(p, {16, 16}, {16, 3});
        DrawArrow(p, {16, 16}, {16, 29});
        DrawArrow(p, {16, 16}, {3, 16});
        DrawArrow(p, {16, 16}, {29, 16});
        break;
    case Glyph::Zoom:
        p.drawEllipse(QPointF(13, 13), 8, 8);
        p.setPen(QPen(QColor(30, 30, 30), 3));
        p.drawLine(QPointF(19, 19), QPointF(28, 28));
        break;
    case Glyph::Preview3d: {
        QFont font = p.font();
        font.setBold(true);
        font.setPixelSize(14);
        p.setFont(font);
        p.drawText(QRectF(0, 0, Size, Size), Qt::AlignCenter, QStringLiteral("3D"));
        break;
    }
    }
}

// Draws a glyph afresh at whatever size and pixel density it is asked for, so that
// buttons stay sharp on high-density screens.
class GlyphEngine final : public QIconEngine {
public:
    explicit GlyphEngine(Glyph glyph) : glyph_(glyph) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode, QIcon::State) override {
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->translate(rect.topLeft());
        painter->scale(rect.width() / double(Size), rect.height() / double(Size));
        Paint(*painter, glyph_);
        painter->restore();
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        QPixmap pixmap(size);
        pixmap.fill(Qt::transparent);
        {
            QPainter painter(&pixmap);
            paint(&painter, QRect(QPoint(0, 0), size), mode, state);
        }
        if (mode == QIcon::Disabled || mode == QIcon::Selected) {
            QStyleOption option;
            option.palette = QApplication::palette();
            return QApplication::style()->generatedIconPixmap(mode, pixmap, &option);
        }
        return pixmap;
    }
    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override { return size; }
    QIconEngine* clone() const override { return new GlyphEngine(glyph_); }

private:
    Glyph glyph_;
};

} // namespace

QIcon MakeGlyph(Glyph glyph) {
    return QIcon(new GlyphEngine(glyph));
}

} // namespace vantor
