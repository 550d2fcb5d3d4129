#include "model/Design.h"

#include <algorithm>

namespace vantor {

Design::Design() = default;

Design::~Design() {
    clear();
}

ElementTree::Node* Design::addElement(std::unique_ptr<TRocketElement> element,
                                      ElementTree::Node* parentNode) {
    TRocketElement* raw = element.get();
    raw->Parent = parentNode != nullptr ? parentNode->element : nullptr;
    Elements.push_back(std::move(element));
    return parentNode != nullptr ? tree.addChild(parentNode, raw) : tree.addRoot(raw);
}

void Design::deleteSubtree(ElementTree::Node* node) {
    for (TRocketElement* gone : tree.removeSubtree(node)) {
        std::erase_if(Elements, [gone](const auto& element) { return element.get() == gone; });
    }
}

Design::DetachedSubtree Design::detachSubtree(ElementTree::Node* node) {
    DetachedSubtree detached;
    detached.tree = tree.detach(node);
    if (!detached.tree.node)
        return detached;
    std::vector<const TRocketElement*> gone;
    std::vector<ElementTree::Node*> pending{detached.tree.node.get()};
    while (!pending.empty()) {
        ElementTree::Node* current = pending.back();
        pending.pop_back();
        gone.push_back(current->element);
        for (const auto& child : current->children)
            pending.push_back(child.get());
    }
    std::sort(gone.begin(), gone.end());
    std::vector<std::unique_ptr<TRocketElement>> kept;
    kept.reserve(Elements.size());
    for (std::size_t i = 0; i < Elements.size(); ++i) {
        if (std::binary_search(gone.begin(), gone.end(), Elements[i].get()))
            detached.elements.emplace_back(i, std::move(Elements[i]));
        else
            kept.push_back(std::move(Elements[i]));
    }
    Elements = std::move(kept);
    return detached;
}

ElementTree::Node* Design::restoreSubtree(DetachedSubtree detached) {
    for (auto& [index, element] : detached.elements) {
        const std::size_t at = std::min(index, Elements.size());
        Elements.insert(Elements.begin() + static_cast<std::ptrdiff_t>(at), std::move(element));
    }
    return tree.reattach(std::move(detached.tree));
}

std::unique_ptr<TShaped> Design::takeDimension(std::size_t index) {
    if (index >= Dimensions.size())
        return nullptr;
    std::unique_ptr<TShaped> taken = std::move(Dimensions[index]);
    Dimensions.erase(Dimensions.begin() + static_cast<std::ptrdiff_t>(index));
    return taken;
}

void Design::putDimension(std::size_t index, std::unique_ptr<TShaped> dimension) {
    const std::size_t at = std::min(index, Dimensions.size());
    Dimensions.insert(Dimensions.begin() + static_cast<std::ptrdiff_t>(at), std::move(dimension));
}

void Design::insertDimension(std::unique_ptr<TShaped> dimension) {
    Dimensions.insert(Dimensions.begin(), std::move(dimension));
}

void Design::appendDimension(std::unique_ptr<TShaped> dimension) {
    Dimensions.push_back(std::move(dimension));
}

void Design::removeDimension(std::size_t index) {
    if (index < Dimensions.size())
        Dimensions.erase(Dimensions.begin() + static_cast<std::ptrdiff_t>(index));
}

void Design::clear() {
    tree.clear();
    Elements.clear();
    Dimensions.clear();
}

} // namespace vantor
