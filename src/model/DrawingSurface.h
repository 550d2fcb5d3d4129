#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace vantor {

// A 32-bit colour: alpha in bits 24..31, red 16..23, green 8..15, blue 0..7.
using Argb = std::uint32_t;

constexpr Argb MakeArgb(std::uint8_t a, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return (Argb(a) << 24) | (Argb(r) << 16) | (Argb(g) << 8) | Argb(b);
}

struct PointF {
    double x = 0;
    double y = 0;
};

struct PointI {
    int x = 0;
    int y = 0;
};

struct RectF {
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;
};

// Edges in device pixels; right and bottom are inclusive, as the vertex highlight uses them.
struct RectI {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// The vector drawing operations every shape, dimension and marker is drawn with.
//
// Coordinates are drawing units. The surface maps them to image pixels through its
// world scale (the design window's zoom), smooths edges, and strokes every line with a
// hairline pen that stays one device pixel wide at every zoom. Text is "Times New Roman",
// 10 units high, so it grows with the zoom. Angles are in degrees, turning clockwise on
// the screen (y grows downwards), starting from the positive x axis.
class DrawingSurface {
public:
    virtual ~DrawingSurface() = default;

    virtual double worldScale() const = 0;
    // The decimal separator numbers drawn on this surface are written with.
    virtual char decimalSeparator() const { return '.'; }
    // Whether selected shapes are drawn in the selection colour with their handles; paper
    // and files show every shape unselected.
    virtual bool showsSelection() const { return true; }

    virtual void drawLine(Argb colour, PointF from, PointF to) = 0;
    // One cubic Bezier curve from p0 to p3 with the control points p1 and p2.
    virtual void drawBezier(Argb colour, PointI p0, PointI p1, PointI p2, PointI p3) = 0;
    // A closed outline through the points.
    virtual void drawPolygon(Argb colour, std::span<const PointI> points) = 0;
    virtual void drawEllipse(Argb colour, RectF bounds) = 0;
    virtual void fillPie(Argb colour, RectF bounds, double startAngle, double sweepAngle) = 0;
    virtual void fillRectangle(Argb colour, RectF rect) = 0;
    // A filled polygon through the points, without an outline.
    virtual void fillPolygon(Argb colour, std::span<const PointF> points) = 0;
    // Text in UTF-8 whose layout box has its top-left corner at the given point.
    virtual void drawText(Argb colour, std::string_view text, PointF topLeft) = 0;

    // Device-pixel operations without zoom or smoothing, used by the vertex highlight.
    virtual void fillPixelRect(Argb colour, RectI rect) = 0;
    virtual void framePixelRect(Argb colour, RectI rect) = 0;
};

} // namespace vantor
