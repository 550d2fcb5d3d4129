#pragma once

#include "model/DrawingSurface.h"

namespace vantor {

// Draws nowhere: for placing elements (their drawing rebuilds their outlines) when no
// picture is wanted, and a base for surfaces that record only some calls.
class NullSurface : public DrawingSurface {
public:
    double worldScale() const override { return 1.0; }
    void drawLine(Argb, PointF, PointF) override {}
    void drawBezier(Argb, PointI, PointI, PointI, PointI) override {}
    void drawPolygon(Argb, std::span<const PointI>) override {}
    void drawEllipse(Argb, RectF) override {}
    void fillPie(Argb, RectF, double, double) override {}
    void fillRectangle(Argb, RectF) override {}
    void fillPolygon(Argb, std::span<const PointF>) override {}
    void drawText(Argb, std::string_view, PointF) override {}
    void fillPixelRect(Argb, RectI) override {}
    void framePixelRect(Argb, RectI) override {}
};

} // namespace vantor
