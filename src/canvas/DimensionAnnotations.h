#pragma once

#include "model/Shaped.h"

namespace vantor {

// Aligned linear dimension: measures the distance from P0 to P1, its dimension line
// passing through P2 parallel to P0P1.
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
    PointI GetCentre() const override;
};

} // namespace vantor
