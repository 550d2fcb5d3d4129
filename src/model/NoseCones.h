#pragma once

#include "model/RocketElement.h"

namespace vantor {

// What the three nose cones share: three outline points from the tip to the base, the
// surface of a cone, and a centre of gravity two thirds of the way to the base.
class NoseCone : public TRocketElement {
public:
    NoseCone();
    double ComputeArea() const override;
    double ComputeCG() const override;
    std::size_t OutlinePointCount() const override { return 3; }
    void PlaceFromParent() override;

protected:
    bool FollowsParent() const override { return false; }
    // The tip's abscissa, the axis ordinate and half the base diameter.
    void Frame(double& x0, double& y, double& halfD) const;
    // The centre of gravity of a cone of the nose's length.
    double ConeCG() const;
    // Sets the corners from the placed outline.
    virtual void PlaceCorners(double x0, double y, double halfD);
};

// Conical nose cone: a triangle from the tip to the base.
class TGlowicaStozek : public NoseCone {
public:
    TGlowicaStozek();
    void Draw(DrawingSurface& surface) const override;
    double ComputeCP() const override;
};

// Ogive nose cone: two cubic Bezier curves whose first control point lies at the
// cone's centre of gravity divided by the shape factor.
class TGlowicaOgive : public NoseCone {
public:
    TGlowicaOgive();
    void Draw(DrawingSurface& surface) const override;
    double ComputeWeight() override;
    double ComputeCG() const override;
    double ComputeCP() const override;

    float ShapeFactor = 1.0f;

protected:
    void PlaceCorners(double x0, double y, double halfD) override;
    virtual double ControlAbscissa(double x0) const;
    // Whether the corners are taken from the lower curve (the parabolic nose).
    virtual bool CornersFromLowerCurve() const { return false; }
};

// Parabolic nose cone: the ogive's curves with the control point at the tip.
class TGlowicaParabolic : public TGlowicaOgive {
public:
    TGlowicaParabolic();
    double ComputeWeight() override;
    double ComputeCG() const override;
    double ComputeCP() const override;

protected:
    double ControlAbscissa(double x0) const override { return x0; }
    bool CornersFromLowerCurve() const override { return true; }
};

} // namespace vantor
