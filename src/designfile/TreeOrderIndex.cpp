#include "designfile/TreeOrderIndex.h"

#include <stdexcept>
#include <string>

namespace vantor {

std::int32_t TreeOrderIndex::newMarker(ElementTree::Node* node, bool opens) {
    Marker marker;
    marker.node = node;
    marker.opens = opens;
    marker.openCount = opens ? 1 : 0;
    marker.priority = static_cast<std::uint32_t>(random_());
    markers_.push_back(marker);
    return static_cast<std::int32_t>(markers_.size() - 1);
}

void TreeOrderIndex::update(std::int32_t m) {
    Marker& marker = markers_[m];
    marker.size = 1 + sizeOf(marker.left) + sizeOf(marker.right);
    marker.openCount = (marker.opens ? 1 : 0) + opensOf(marker.left) + opensOf(marker.right);
    if (marker.left != None)
        markers_[marker.left].parent = m;
    if (marker.right != None)
        markers_[marker.right].parent = m;
}

std::int32_t TreeOrderIndex::merge(std::int32_t a, std::int32_t b) {
    if (a == None)
        return b;
    if (b == None)
        return a;
    if (markers_[a].priority >= markers_[b].priority) {
        markers_[a].right = merge(markers_[a].right, b);
        update(a);
        return a;
    }
    markers_[b].left = merge(a, markers_[b].left);
    update(b);
    return b;
}

void TreeOrderIndex::split(std::int32_t m, std::size_t count, std::int32_t& first,
                           std::int32_t& rest) {
    if (m == None) {
        first = rest = None;
        return;
    }
    if (sizeOf(markers_[m].left) >= count) {
        split(markers_[m].left, count, first, markers_[m].left);
        rest = m;
    } else {
        split(markers_[m].right, count - sizeOf(markers_[m].left) - 1, markers_[m].right, rest);
        first = m;
    }
    update(m);
    if (first != None)
        markers_[first].parent = None;
    if (rest != None)
        markers_[rest].parent = None;
}

std::size_t TreeOrderIndex::positionOf(std::int32_t m) const {
    std::size_t position = sizeOf(markers_[m].left);
    for (std::int32_t parent = markers_[m].parent; parent != None;
         m = parent, parent = markers_[m].parent)
        if (markers_[parent].right == m)
            position += sizeOf(markers_[parent].left) + 1;
    return position;
}

void TreeOrderIndex::insertPair(std::size_t position, ElementTree::Node* node) {
    const std::int32_t opening = newMarker(node, true);
    const std::int32_t closing = newMarker(node, false);
    std::int32_t first = None;
    std::int32_t rest = None;
    split(root_, position, first, rest);
    root_ = merge(merge(first, merge(opening, closing)), rest);
    markers_[root_].parent = None;
    ++nodeCount_;
}

std::int32_t TreeOrderIndex::openingMarker(std::size_t absoluteIndex) const {
    std::int32_t m = root_;
    while (m != None) {
        const Marker& marker = markers_[m];
        const std::size_t before = opensOf(marker.left);
        if (absoluteIndex < before) {
            m = marker.left;
            continue;
        }
        if (marker.opens && absoluteIndex == before)
            return m;
        absoluteIndex -= before + (marker.opens ? 1 : 0);
        m = marker.right;
    }
    return None;
}

ElementTree::Node* TreeOrderIndex::nodeAt(std::size_t absoluteIndex) const {
    const std::int32_t m = openingMarker(absoluteIndex);
    return m == None ? nullptr : markers_[m].node;
}

void TreeOrderIndex::addRoot(ElementTree::Node* node) {
    insertPair(sizeOf(root_), node);
}

void TreeOrderIndex::addChild(std::size_t parentIndex, ElementTree::Node* node) {
    const std::int32_t opening = openingMarker(parentIndex);
    if (opening == None)
        throw std::out_of_range("no node at index " + std::to_string(parentIndex));
    // The new subtree goes right before the parent's closing marker, which was created
    // right after its opening one.
    insertPair(positionOf(opening + 1), node);
}

} // namespace vantor
