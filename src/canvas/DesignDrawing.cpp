#include "canvas/DesignDrawing.h"

#include "canvas/NullSurface.h"
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
    // An element places itself from its parent's outline as it draws, and the elements
    // are drawn from the last to the first, children before their parents: drawn so, a
    // child would take the place its parent had before the change being shown, and every
    // level of a deep tree would lag one redraw more. So every element is placed first,
    // parents before children, on a surface that draws nowhere.
    NullSurface placing;
    for (ElementTree::Node* node : design.tree.nodesInOrder())
        if (node->element != nullptr)
            DrawGuarded(*node->element, placing);
    for (auto it = design.Elements.rbegin(); it != design.Elements.rend(); ++it)
        DrawGuarded(**it, surface);
    for (auto it = design.Dimensions.rbegin(); it != design.Dimensions.rend(); ++it)
        DrawGuarded(**it, surface);
}

} // namespace vantor
