#pragma once

#include "model/DrawingSurface.h"

#include <functional>
#include <optional>

namespace vantor {

class Design;

// Collects the extent, in drawing units, of everything drawn on it.
class BoundsSurface final : public DrawingSurface {
public:
    // The width and height of a text as the picture will draw it.
    using TextMeasure = std::function<PointF(std::string_view)>;

    explicit BoundsSurface(TextMeasure measure) : measure_(std::move(measure)) {}

    // Nothing drawn yet: no bounds.
    std::optional<RectF> bounds() const;

    double worldScale() const override { return 1.0; }
    // Paper and files show every shape unselected, so selection handles take no room.
    bool showsSelection() const override { return false; }
    void drawLine(Argb, PointF from, PointF to) override;
    void drawBezier(Argb, PointI p0, PointI p1, PointI p2, PointI p3) override;
    void drawPolygon(Argb, std::span<const PointI> points) override;
    void drawEllipse(Argb, RectF bounds) override { add(bounds); }
    void fillPie(Argb, RectF bounds, double, double) override { add(bounds); }
    void fillRectangle(Argb, RectF rect) override { add(rect); }
    void fillPolygon(Argb, std::span<const PointF> points) override;
    void drawText(Argb, std::string_view text, PointF topLeft) override;
    // Pixel operations belong to the vertex highlight, which no output draws.
    void fillPixelRect(Argb, RectI) override {}
    void framePixelRect(Argb, RectI) override {}

private:
    void add(double x, double y);
    void add(RectF rect);

    TextMeasure measure_;
    bool any_ = false;
    double minX_ = 0, minY_ = 0, maxX_ = 0, maxY_ = 0;
};

// The size of a text as the Qt drawing surface lays it out ("Times New Roman", 10 units
// high, from its top-left corner). Needs a QGuiApplication.
PointF MeasureSurfaceText(std::string_view text);

struct Summary;

// Draws the placed design with the summary's markers on a bounds surface, as a full
// redraw does, and returns where the drawing lies; nothing when nothing is drawn.
std::optional<RectF> MeasureDesignDrawing(const Design& design, const Summary& summary);

} // namespace vantor
