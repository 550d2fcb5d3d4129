#include "model/Placing.h"

#include "model/Design.h"

#include <exception>
#include <unordered_set>

namespace vantor {

namespace {

void PlaceGuarded(TShaped& shape, char decimalSeparator) {
    try {
        shape.Place(decimalSeparator);
    } catch (const std::exception&) {
        // One shape that cannot be placed must not stop the others.
    }
}

} // namespace

void PlaceDesign(Design& design, char decimalSeparator) {
    const std::vector<ElementTree::Node*> nodes = design.tree.nodesInOrder();
    for (ElementTree::Node* node : nodes)
        if (node->element != nullptr)
            PlaceGuarded(*node->element, decimalSeparator);
    // Every element has a node when the design is built through its own functions; an
    // element without one is placed after the tree, from the last to the first.
    if (nodes.size() != design.Elements.size()) {
        std::unordered_set<const TRocketElement*> placed;
        for (const ElementTree::Node* node : nodes)
            placed.insert(node->element);
        for (auto it = design.Elements.rbegin(); it != design.Elements.rend(); ++it)
            if (!placed.contains(it->get()))
                PlaceGuarded(**it, decimalSeparator);
    }
    for (const auto& dimension : design.Dimensions)
        PlaceGuarded(*dimension, decimalSeparator);
}

} // namespace vantor
