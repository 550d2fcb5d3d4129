#pragma once

#include "model/DrawingSurface.h"

#include <QPainter>

class QImage;

namespace vantor {

// The decimal separator of the system's locale when it is one ASCII character, else '.'.
char SystemDecimalSeparator();

// The drawing surface on a QImage: anti-aliased, world-scaled by the zoom, hairline
// pens. Pixel centres sit on whole drawing coordinates, so a line at an integer
// coordinate covers one pixel column at zoom 1.
//
// `origin` is the image pixel that the QImage's top-left pixel shows: a design window
// keeps only its visible part of the image in memory.
//
// The second constructor draws with a painter the caller has set up (a PDF page, an SVG
// document, a printer): its current transform maps drawing units onto the device, and
// hairlines are `penWidth` device pixels wide, so paper gets lines it can show. With
// `PenWidth::InPainterUnits` the width is in the painter's units instead (millimetres on
// a printed page), so the lines scale with the page wherever it is shown: a print
// preview draws its pages at the screen's size, not the printer's.
class QtDrawingSurface final : public DrawingSurface {
public:
    enum class PenWidth { InDevicePixels, InPainterUnits };
    QtDrawingSurface(QImage& image, double scale, QPoint origin = {});
    QtDrawingSurface(QPainter& painter, double scale, double penWidth,
                     PenWidth unit = PenWidth::InDevicePixels);
    ~QtDrawingSurface() override;

    double worldScale() const override { return scale_; }
    // The system's decimal separator.
    char decimalSeparator() const override;
    // A painter handed over draws paper or a file, where every shape shows unselected.
    bool showsSelection() const override { return !external_; }
    void drawLine(Argb colour, PointF from, PointF to) override;
    void drawBezier(Argb colour, PointI p0, PointI p1, PointI p2, PointI p3) override;
    void drawPolygon(Argb colour, std::span<const PointI> points) override;
    void drawEllipse(Argb colour, RectF bounds) override;
    void fillPie(Argb colour, RectF bounds, double startAngle, double sweepAngle) override;
    void fillRectangle(Argb colour, RectF rect) override;
    void fillPolygon(Argb colour, std::span<const PointF> points) override;
    void drawText(Argb colour, std::string_view text, PointF topLeft) override;
    void fillPixelRect(Argb colour, RectI rect) override;
    void framePixelRect(Argb colour, RectI rect) override;

    QPainter& painter() { return *painter_; }

private:
    void usePen(Argb colour);
    void useBrush(Argb colour);
    // Switches to device pixels of the whole image for the pixel operations.
    void usePixels();

    QPainter ownPainter_;
    QPainter* painter_;
    double scale_;
    QPoint origin_;
    double penWidth_ = 1.0;
    PenWidth penUnit_ = PenWidth::InDevicePixels;
    // The painter's transform and smoothing as handed over; the pixel operations draw
    // from them, and they are restored when the surface ends.
    QTransform baseTransform_;
    bool external_ = false;
};

} // namespace vantor
