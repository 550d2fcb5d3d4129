#pragma once

#include "canvas/DesignDrawing.h"
#include "model/AxisValues.h"
#include "model/Design.h"
#include "model/Placing.h"
#include "model/RocketElement.h"
#include "support/RecordingSurface.h"

#include <memory>

namespace vantor::test {

// Builds a design the way the insertion commands leave one: each element with its
// outline points, the root nose with its tip at OriginX on the centre line. `draw()`
// redraws as the design window does, which fills every element's Corners.
class RocketFixture {
public:
    RocketFixture(float originX, float axisY) {
        OriginX = originX;
        AxisY = axisY;
    }

    template <class T> T& add(TRocketElement* parent = nullptr) {
        auto element = std::make_unique<T>();
        T& result = *element;
        element->Points.resize(element->OutlinePointCount());
        if (parent == nullptr)
            element->Points[0] = {OriginX, AxisY};
        design.addElement(std::move(element),
                          parent != nullptr ? design.tree.nodeOf(parent) : nullptr);
        return result;
    }

    void draw() {
        PlaceDesign(design);
        DrawDesign(design, surface);
    }

    Design design;
    RecordingSurface surface;
};

} // namespace vantor::test
