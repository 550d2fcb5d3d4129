#pragma once

#include "model/RocketElement.h"

namespace vantor {

// What the three nose cones share: three outline points from the tip to the base, the
// surface of a cone, and a centre of gravity two thirds of the way to the base.
class NoseCone : public TRocketElement {
public:
    NoseCone();
    double ComputeArea() override;
    double ComputeCG() override;
    std::size_t OutlinePointCount() const override { return 3; }

protected:
    // Sets p0's ordinate to the axis and the base points p1, p2 from the sizes.
    void PlaceOutline(double& x0, double& y, double& halfD);
};

// Conical nose cone: a triangle from the tip to the base.
class TGlowicaStozek : public NoseCone {
public:
    TGlowicaStozek();
    void Draw() override;
    double ComputeCP() override;
};

// Ogive nose cone: two cubic Bezier curves whose first control point lies at the
// stored centre of gravity divided by the shape factor.
class TGlowicaOgive : public NoseCone {
public:
    TGlowicaOgive();
    void Draw() override;
    double ComputeWeight() override;
    double ComputeCG() override;
    double ComputeCP() override;

    float ShapeFactor = 1.0f;

protected:
    virtual double ControlAbscissa(double x0) const;
    // Whether the corners are taken from the lower curve (the parabolic nose).
    virtual bool CornersFromLowerCurve() const { return false; }
};

// Parabolic nose cone: the ogive's curves with the control point at the tip.
class TGlowicaParabolic : public TGlowicaOgive {
public:
    TGlowicaParabolic();
    double ComputeWeight() override;
    double ComputeCG() override;
    double ComputeCP() override;

protected:
    double ControlAbscissa(double x0) const override { return x0; }
    bool CornersFromLowerCurve() const override { return true; }
};

} // namespace vantor
