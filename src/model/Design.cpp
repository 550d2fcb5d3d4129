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
