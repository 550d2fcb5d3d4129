#pragma once

#include "model/Shaped.h"

namespace vantor {

// Where the dimension line of a linear dimension runs (F1 opposite P1, F0 opposite P0),
// the angles of the arrowheads at its ends, and the measured value.
struct DimensionLine {
    PointF f1;
    PointF f0;
    bool arrows = true;
    double angleAtF1 = 0;
    double angleAtF0 = 0;
    double value = 0;
};

// Aligned linear dimension: measures the distance from P0 to P1, its dimension line
// passing through P2 parallel to P0P1.
//
// Placing a dimension sets its Caption to the measured value; drawing writes the same
// value with the surface's decimal separator. The linear kinds measure once they have
// three points, the angle with exactly three; before that, while hidden, or with a
// coordinate that is not a finite number, nothing is drawn and the caption stays as it
// was.
class TWymiar : public TShaped {
public:
    TWymiar();
    void Draw(DrawingSurface& surface) const override;
    void Place(char decimalSeparator) override;

protected:
    // The line and value from the first three points, which are finite.
    virtual DimensionLine Line() const;
};

// Horizontal dimension: measures |x1 - x0| on a horizontal line through P2.
class TWymiarPoziomy : public TWymiar {
public:
    TWymiarPoziomy();

protected:
    DimensionLine Line() const override;
};

// Vertical dimension: measures |y1 - y0| on a vertical line through P2.
class TWymiarPionowy : public TWymiar {
public:
    TWymiarPionowy();

protected:
    DimensionLine Line() const override;
};

// Angle dimension: the angle swept from the arm V-A to the arm V-B, V = P0.
class TAngleWymiar : public TShaped {
public:
    TAngleWymiar();
    void Draw(DrawingSurface& surface) const override;
    void Place(char decimalSeparator) override;
    // The vertex P0, truncated; (0, 0) while there is no point.
    PointI GetCentre() const override;

private:
    // The vertex, both arm ends, the arms' directions and the sweep between them; false
    // while the angle cannot be measured.
    bool Arms(PointF& v, PointF& a, PointF& b, double& alpha, double& beta, double& sweep) const;
};

} // namespace vantor
