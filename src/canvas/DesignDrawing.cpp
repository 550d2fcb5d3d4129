#include "canvas/DesignDrawing.h"

#include "model/Design.h"

#include <exception>

namespace vantor {

namespace {

// The surface lives for one redraw only, so the shape holds it just while it draws;
// drawing later (the parameters dialog rebuilds a fin set's outline) only computes.
void DrawGuarded(TShaped& shape, DrawingSurface& surface) {
    shape.Canvas = &surface;
    try {
        shape.Draw();
    } catch (const std::exception&) {
        // One object that cannot be drawn must not stop the others.
    }
    shape.Canvas = nullptr;
}

} // namespace

void DrawDesign(Design& design, DrawingSurface& surface) {
    for (auto it = design.Elements.rbegin(); it != design.Elements.rend(); ++it)
        DrawGuarded(**it, surface);
    for (auto it = design.Dimensions.rbegin(); it != design.Dimensions.rend(); ++it)
        DrawGuarded(**it, surface);
}

} // namespace vantor
