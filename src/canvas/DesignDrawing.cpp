#include "canvas/DesignDrawing.h"

#include "model/Design.h"

#include <exception>

namespace vantor {

namespace {

void DrawGuarded(TShaped& shape, DrawingSurface& surface) {
    try {
        shape.Canvas = &surface;
        shape.Draw();
    } catch (const std::exception&) {
        // One object that cannot be drawn must not stop the others.
    }
}

} // namespace

void DrawDesign(Design& design, DrawingSurface& surface) {
    for (auto it = design.Elements.rbegin(); it != design.Elements.rend(); ++it)
        DrawGuarded(**it, surface);
    for (auto it = design.Dimensions.rbegin(); it != design.Dimensions.rend(); ++it)
        DrawGuarded(**it, surface);
}

} // namespace vantor
