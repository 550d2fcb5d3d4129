#pragma once

#include "model/RocketElement.h"

namespace vantor {

// Ballast: a weight drawn as a small filled circle on the axis. Its weight is typed,
// never computed.
class TBalast : public TRocketElement {
public:
    TBalast();
    void PlaceFromParent() override;
    void Draw(DrawingSurface& surface) const override;
    double ComputeArea() const override { return 1; }
    double ComputeWeight() override { return Weight; }
    std::size_t OutlinePointCount() const override { return 1; }
};

} // namespace vantor
