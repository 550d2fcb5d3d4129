#include "model/ElementTree.h"

#include <algorithm>
#include <iterator>

namespace vantor {

namespace {

// Visits `node` and its descendants depth-first until the visitor returns false. Uses an
// explicit stack: a tree read from a file may be a chain many thousands of nodes deep.
bool VisitFrom(ElementTree::Node* node, const std::function<bool(ElementTree::Node*)>& visitor) {
    std::vector<ElementTree::Node*> pending{node};
    while (!pending.empty()) {
        ElementTree::Node* current = pending.back();
        pending.pop_back();
        if (!visitor(current))
            return false;
        for (auto it = current->children.rbegin(); it != current->children.rend(); ++it)
            pending.push_back(it->get());
    }
    return true;
}

std::size_t CountFrom(ElementTree::Node* node) {
    std::size_t n = 0;
    VisitFrom(node, [&n](ElementTree::Node*) {
        ++n;
        return true;
    });
    return n;
}

} // namespace

ElementTree::Node::~Node() {
    std::vector<std::unique_ptr<Node>> pending = std::move(children);
    while (!pending.empty()) {
        std::unique_ptr<Node> node = std::move(pending.back());
        pending.pop_back();
        std::move(node->children.begin(), node->children.end(), std::back_inserter(pending));
        node->children.clear();
    }
}

void ElementTree::visit(const std::function<bool(Node*)>& visitor) const {
    for (const auto& root : roots_)
        if (!VisitFrom(root.get(), visitor))
            return;
}

std::size_t ElementTree::depth(const Node* node) {
    std::size_t levels = 0;
    for (; node != nullptr; node = node->parent)
        ++levels;
    return levels;
}

ElementTree::Node* ElementTree::addRoot(TRocketElement* element) {
    auto node = std::make_unique<Node>();
    node->element = element;
    roots_.push_back(std::move(node));
    ++count_;
    return roots_.back().get();
}

ElementTree::Node* ElementTree::addChild(Node* parent, TRocketElement* element) {
    auto node = std::make_unique<Node>();
    node->element = element;
    node->parent = parent;
    parent->children.push_back(std::move(node));
    ++count_;
    return parent->children.back().get();
}

ElementTree::Node* ElementTree::nodeAt(std::size_t absoluteIndex) const {
    Node* found = nullptr;
    std::size_t index = 0;
    visit([&](Node* node) {
        if (index++ == absoluteIndex) {
            found = node;
            return false;
        }
        return true;
    });
    return found;
}

int ElementTree::absoluteIndex(const Node* node) const {
    int result = -1;
    int index = 0;
    visit([&](Node* candidate) {
        if (candidate == node) {
            result = index;
            return false;
        }
        ++index;
        return true;
    });
    return result;
}

ElementTree::Node* ElementTree::nodeOf(const TRocketElement* element) const {
    Node* found = nullptr;
    visit([&](Node* node) {
        if (node->element == element) {
            found = node;
            return false;
        }
        return true;
    });
    return found;
}

std::vector<ElementTree::Node*> ElementTree::nodesInOrder() const {
    std::vector<Node*> nodes;
    nodes.reserve(count_);
    visit([&](Node* node) {
        nodes.push_back(node);
        return true;
    });
    return nodes;
}

std::vector<TRocketElement*> ElementTree::removeSubtree(Node* node) {
    std::vector<TRocketElement*> elements;
    if (node == nullptr)
        return elements;
    VisitFrom(node, [&](Node* n) {
        elements.push_back(n->element);
        return true;
    });
    auto& siblings = node->parent != nullptr ? node->parent->children : roots_;
    const auto it = std::find_if(siblings.begin(), siblings.end(),
                                 [node](const auto& sibling) { return sibling.get() == node; });
    if (it == siblings.end())
        return {};
    count_ -= CountFrom(node);
    siblings.erase(it);
    return elements;
}

ElementTree::Detached ElementTree::detach(Node* node) {
    Detached detached;
    if (node == nullptr)
        return detached;
    auto& siblings = node->parent != nullptr ? node->parent->children : roots_;
    const auto it = std::find_if(siblings.begin(), siblings.end(),
                                 [node](const auto& sibling) { return sibling.get() == node; });
    if (it == siblings.end())
        return detached;
    detached.parent = node->parent;
    detached.position = static_cast<std::size_t>(it - siblings.begin());
    detached.node = std::move(*it);
    siblings.erase(it);
    count_ -= CountFrom(node);
    return detached;
}

ElementTree::Node* ElementTree::reattach(Detached detached) {
    Node* node = detached.node.get();
    if (node == nullptr)
        return nullptr;
    auto& siblings = detached.parent != nullptr ? detached.parent->children : roots_;
    const std::size_t at = std::min(detached.position, siblings.size());
    node->parent = detached.parent;
    count_ += CountFrom(node);
    siblings.insert(siblings.begin() + static_cast<std::ptrdiff_t>(at), std::move(detached.node));
    return node;
}

void ElementTree::clear() {
    roots_.clear();
    count_ = 0;
}

} // namespace vantor
