#include "canvas/DesignDrawing.h"

#include "canvas/NullSurface.h"
#include "model/Design.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <vector>

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

std::vector<double> OutlineCoordinates(const Design& design) {
    std::vector<double> coordinates;
    for (const auto& element : design.Elements)
        for (const TPoints& point : element->Points) {
            coordinates.push_back(point.x);
            coordinates.push_back(point.y);
        }
    return coordinates;
}

// Compared as bits, so that an outline holding a NaN counts as unchanged when it is.
bool SameBits(const std::vector<double>& a, const std::vector<double>& b) {
    return a.size() == b.size() &&
           (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(double)) == 0);
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

int SettlePlacement(Design& design) {
    NullSurface surface;
    // Each redraw settles at least one more level of the tree, and one more shows it.
    const std::size_t limit = std::min(design.Elements.size(), MaxTreeDepth) + 1;
    std::vector<double> before = OutlineCoordinates(design);
    std::size_t redraws = 0;
    while (redraws < limit) {
        DrawDesign(design, surface);
        ++redraws;
        std::vector<double> after = OutlineCoordinates(design);
        if (SameBits(before, after))
            break;
        before = std::move(after);
    }
    return static_cast<int>(redraws);
}

} // namespace vantor
