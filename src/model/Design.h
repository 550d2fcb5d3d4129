#pragma once

#include "model/ElementTree.h"
#include "model/RocketElement.h"

#include <memory>
#include <utility>
#include <vector>

namespace vantor {

// One rocket design: the elements in insertion order, their parent/child tree, and
// the dimension annotations (the newest at index 0). It owns all of them.
class Design {
public:
    Design();
    ~Design();
    Design(const Design&) = delete;
    Design& operator=(const Design&) = delete;

    // Appends the element to Elements and gives it a node: a root when `parentNode` is
    // null, else the last child of `parentNode`. Sets the element's Parent accordingly.
    ElementTree::Node* addElement(std::unique_ptr<TRocketElement> element,
                                  ElementTree::Node* parentNode);
    // Removes the node's subtree from the tree and destroys its elements.
    void deleteSubtree(ElementTree::Node* node);

    // A subtree taken out of the design, its elements kept alive with the places they
    // held in Elements (ascending).
    struct DetachedSubtree {
        ElementTree::Detached tree;
        std::vector<std::pair<std::size_t, std::unique_ptr<TRocketElement>>> elements;
    };
    // Takes the node's subtree out of the tree and its elements out of Elements without
    // destroying anything; restoreSubtree puts everything back where it was.
    DetachedSubtree detachSubtree(ElementTree::Node* node);
    ElementTree::Node* restoreSubtree(DetachedSubtree detached);

    void insertDimension(std::unique_ptr<TShaped> dimension); // at index 0
    void appendDimension(std::unique_ptr<TShaped> dimension);
    void removeDimension(std::size_t index);
    // Takes the dimension out of Dimensions without destroying it; null when absent.
    std::unique_ptr<TShaped> takeDimension(std::size_t index);
    // Puts a dimension back at the index (clamped to the end).
    void putDimension(std::size_t index, std::unique_ptr<TShaped> dimension);

    void clear();
    bool empty() const { return Elements.empty() && Dimensions.empty(); }

    std::vector<std::unique_ptr<TRocketElement>> Elements;
    std::vector<std::unique_ptr<TShaped>> Dimensions;
    ElementTree tree;
};

} // namespace vantor
