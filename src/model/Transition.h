#pragma once

#include "model/RocketElement.h"

namespace vantor {

// Transition: a truncated cone from DiameterA at the front to DiameterB at the rear.
class TStozekSciety : public TRocketElement {
public:
    TStozekSciety();
    void PlaceFromParent() override;
    void Draw(DrawingSurface& surface) const override;
    void RefreshDerived() override;
    double ComputeArea() const override;
    double ComputeCP() const override;
    // The length of the cone's side, from the sizes.
    double Slant() const;
    std::size_t OutlinePointCount() const override { return 4; }

    float SlantLength = 0; // cached by the last placing
};

} // namespace vantor
