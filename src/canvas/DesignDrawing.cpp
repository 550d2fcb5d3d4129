#include "canvas/DesignDrawing.h"

#include "model/Design.h"

#include <exception>

namespace vantor {

namespace {

void DrawGuarded(const TShaped& shape, DrawingSurface& surface) {
    try {
        shape.Draw(surface);
    } catch (const std::exception&) {
        // One object that cannot be drawn must not stop the others.
    }
}

} // namespace

void DrawDesign(const Design& design, DrawingSurface& surface) {
    for (auto it = design.Elements.rbegin(); it != design.Elements.rend(); ++it)
        DrawGuarded(**it, surface);
    for (auto it = design.Dimensions.rbegin(); it != design.Dimensions.rend(); ++it)
        DrawGuarded(**it, surface);
}

} // namespace vantor
