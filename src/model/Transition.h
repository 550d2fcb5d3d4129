#pragma once

#include "model/RocketElement.h"

namespace vantor {

// Transition: a truncated cone from DiameterA at the front to DiameterB at the rear.
class TStozekSciety : public TRocketElement {
public:
    TStozekSciety();
    void Draw() override;
    double ComputeArea() override;
    double ComputeCP() override;
    std::size_t OutlinePointCount() const override { return 4; }

    float SlantLength = 0;
};

} // namespace vantor
