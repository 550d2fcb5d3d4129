#pragma once

#include "canvas/DesignDrawing.h"
#include "canvas/NullSurface.h"
#include "model/AxisValues.h"
#include "model/Design.h"
#include "model/Registry.h"

#include <memory>
#include <string_view>

namespace vantor::test {

// Builds designs in tests the way the insertion commands do: each element gets as many
// outline points as its kind draws with, is moved behind its parent, and the whole design
// is redrawn, so every element is placed from a parent already placed.
class DesignBuilder {
public:
    explicit DesignBuilder(Design& design) : design_(design) {}

    // A nose cone with its tip at (x, axis) that sets OriginX and AxisY.
    template <class T = TRocketElement>
    T& nose(std::string_view kind, float length, float diameter, double x = 50, float axis = 275) {
        auto element = CreateElement(kind);
        element->Length = length;
        element->DiameterA = diameter;
        element->Points.assign(element->OutlinePointCount(), TPoints{x, axis});
        AxisY = axis;
        OriginX = static_cast<float>(x);
        auto* raw = element.get();
        design_.addElement(std::move(element), nullptr);
        place();
        return static_cast<T&>(*raw);
    }

    // An element of the given kind attached under `parent`.
    template <class T = TRocketElement> T& attach(std::string_view kind, TRocketElement& parent) {
        auto element = CreateElement(kind);
        element->Points.assign(element->OutlinePointCount(), TPoints{});
        element->Translate(parent.Points[0].x + parent.Length, AxisY);
        auto* raw = element.get();
        design_.addElement(std::move(element), design_.tree.nodeOf(&parent));
        place();
        return static_cast<T&>(*raw);
    }

    // Places every element as a full redraw does, drawing on `surface`.
    void place(DrawingSurface& surface) { DrawDesign(design_, surface); }
    void place() { place(scratch_); }

private:
    Design& design_;
    NullSurface scratch_;
};

} // namespace vantor::test
