#pragma once

#include "model/ElementTree.h"

#include <cstddef>
#include <cstdint>
#include <random>
#include <vector>

namespace vantor {

// Finds a tree's node by its absolute index while the tree grows one node at a time, each
// new node a root after the others or the last child of an existing node. The tree's order
// is kept as a sequence of markers, one where each node's subtree opens and one where it
// closes, in a balanced search tree sized by position, so that both lookups and
// insertions take logarithmic time even for a chain hundreds of thousands of nodes deep.
class TreeOrderIndex {
public:
    // The node at the absolute index; the index must be below count().
    ElementTree::Node* nodeAt(std::size_t absoluteIndex) const;
    std::size_t count() const { return nodeCount_; }

    // Records a node just added as the last root.
    void addRoot(ElementTree::Node* node);
    // Records a node just added as the last child of the node at `parentIndex`; throws
    // std::out_of_range when there is no such node.
    void addChild(std::size_t parentIndex, ElementTree::Node* node);

private:
    static constexpr std::int32_t None = -1;

    struct Marker {
        ElementTree::Node* node = nullptr;
        bool opens = false;
        std::uint32_t priority = 0;
        std::int32_t left = None;
        std::int32_t right = None;
        std::int32_t parent = None;
        std::size_t size = 1;      // markers in this subtree of the search tree
        std::size_t openCount = 0; // opening markers among them
    };

    std::int32_t newMarker(ElementTree::Node* node, bool opens);
    std::size_t sizeOf(std::int32_t m) const { return m == None ? 0 : markers_[m].size; }
    std::size_t opensOf(std::int32_t m) const { return m == None ? 0 : markers_[m].openCount; }
    void update(std::int32_t m);
    std::int32_t merge(std::int32_t a, std::int32_t b);
    // Splits into the first `count` markers and the rest.
    void split(std::int32_t m, std::size_t count, std::int32_t& first, std::int32_t& rest);
    std::size_t positionOf(std::int32_t m) const;
    // The opening marker of the node at the absolute index, or None.
    std::int32_t openingMarker(std::size_t absoluteIndex) const;
    void insertPair(std::size_t position, ElementTree::Node* node);

    // A node's opening marker is directly followed by its closing one in this vector.
    std::vector<Marker> markers_;
    std::int32_t root_ = None;
    std::size_t nodeCount_ = 0;
    std::minstd_rand random_{20261208u};
};

} // namespace vantor
