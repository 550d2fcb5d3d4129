#pragma once

#include "model/RocketElement.h"

namespace vantor {

// Body tube: a rectangle that starts at its parent's rear end.
class TKorpus : public TRocketElement {
public:
    TKorpus();
    void PlaceFromParent() override;
    void Draw(DrawingSurface& surface) const override;
    double ShapeArea() const override;
    double ComputeArea() const override;
    std::size_t OutlinePointCount() const override { return 4; }

protected:
    // Puts the four corners of the tube's rectangle from x0 into the outline.
    void PlaceRectangle(double x0);
};

// Engine mount: a body tube that only design files bring.
class TLozysko : public TKorpus {
public:
    TLozysko();
};

// Rocket motor: a red rectangle placed along its parent by its Offset.
class TEngine : public TKorpus {
public:
    TEngine();
    void PlaceFromParent() override;
    void Draw(DrawingSurface& surface) const override;
};

} // namespace vantor
