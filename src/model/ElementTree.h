#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <vector>

namespace vantor {

class TRocketElement;

// The deepest a design's tree may be: the nose is level 1, a component attached to it
// level 2, and so on. Real rockets stay within a dozen levels; the bound keeps every
// walk over the tree, ours and the tree view's, far from exhausting the stack. Files
// with deeper trees are refused and nothing is attached below the last level.
inline constexpr std::size_t MaxTreeDepth = 256;

// The design's structure: one node per element, each child under the element it was
// attached to, children in attachment order. Nodes are numbered depth-first from 0
// ("absolute index"), each parent before its children.
class ElementTree {
public:
    struct Node {
        // Releases the descendants one by one, so that a very deep tree (a long chain
        // read from a file) cannot exhaust the stack.
        ~Node();

        TRocketElement* element = nullptr; // owned by the design's element list
        Node* parent = nullptr;
        std::vector<std::unique_ptr<Node>> children;
    };

    Node* addRoot(TRocketElement* element);
    // Adds a node for `element` as the last child of `parent`.
    Node* addChild(Node* parent, TRocketElement* element);

    std::size_t nodeCount() const { return count_; }
    bool empty() const { return count_ == 0; }
    // The node at the given absolute index, or null.
    Node* nodeAt(std::size_t absoluteIndex) const;
    // The absolute index of the node, or -1 when it is not in this tree.
    int absoluteIndex(const Node* node) const;
    Node* nodeOf(const TRocketElement* element) const;
    // The level of the node: 1 for a root, its parent's level plus one below.
    static std::size_t depth(const Node* node);
    // Whether a child may still be attached below the node without passing MaxTreeDepth.
    static bool canAttachBelow(const Node* node) { return depth(node) < MaxTreeDepth; }
    // Every node, depth-first.
    std::vector<Node*> nodesInOrder() const;
    const std::vector<std::unique_ptr<Node>>& roots() const { return roots_; }

    // Removes the node with its descendants; returns their elements, the node's own
    // first, then the descendants depth-first.
    std::vector<TRocketElement*> removeSubtree(Node* node);
    void clear();

    // A subtree taken out of the tree with its nodes intact, and where it was.
    struct Detached {
        std::unique_ptr<Node> node;
        Node* parent = nullptr;
        std::size_t position = 0; // among the parent's children, or the roots
    };
    // Takes the node with its descendants out of the tree; the nodes keep their
    // addresses. An empty result when the node is not in the tree.
    Detached detach(Node* node);
    // Puts a detached subtree back where it was taken from.
    Node* reattach(Detached detached);

private:
    void visit(const std::function<bool(Node*)>& visitor) const;

    std::vector<std::unique_ptr<Node>> roots_;
    std::size_t count_ = 0;
};

} // namespace vantor
