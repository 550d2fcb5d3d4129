#pragma once

#include "model/Shaped.h"

namespace vantor {

// Aligned linear dimension: measures the distance from P0 to P1, its dimension line
// passing through P2 parallel to P0P1.
//
// Drawing a dimension also sets its Caption to the measured value. The linear kinds draw
// once they have three points, the angle with exactly three; before that, while hidden,
// without a canvas, or with a coordinate that is not a finite number, nothing is drawn
// and the caption stays as it was.
class TWymiar : public TShaped {
public:
    TWymiar();
    void Draw() override;
};

// Horizontal dimension: measures |x1 - x0| on a horizontal line through P2.
class TWymiarPoziomy : public TWymiar {
public:
    TWymiarPoziomy();
    void Draw() override;
};

// Vertical dimension: measures |y1 - y0| on a vertical line through P2.
class TWymiarPionowy : public TWymiar {
public:
    TWymiarPionowy();
    void Draw() override;
};

// Angle dimension: the angle swept from the arm V-A to the arm V-B, V = P0.
class TAngleWymiar : public TShaped {
public:
    TAngleWymiar();
    void Draw() override;
    // The vertex P0, truncated; (0, 0) while there is no point.
    PointI GetCentre() const override;
};

} // namespace vantor
