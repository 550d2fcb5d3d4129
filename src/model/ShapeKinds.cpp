#include "model/ShapeKinds.h"

#include "model/DimensionAnnotations.h"
#include "model/Registry.h"

#include <array>

namespace vantor {

namespace {

struct Entry {
    std::string_view className;
    std::unique_ptr<TShaped> (*create)();
};

template <class T> std::unique_ptr<TShaped> Make() {
    return std::make_unique<T>();
}

constexpr std::array<Entry, 4> Dimensions{{
    {"TWymiar", Make<TWymiar>},
    {"TAngleWymiar", Make<TAngleWymiar>},
    {"TWymiarPoziomy", Make<TWymiarPoziomy>},
    {"TWymiarPionowy", Make<TWymiarPionowy>},
}};

const Entry* Find(std::string_view className) {
    for (const Entry& entry : Dimensions)
        if (entry.className == className)
            return &entry;
    return nullptr;
}

} // namespace

std::unique_ptr<TShaped> CreateDimension(std::string_view className) {
    const Entry* entry = Find(className);
    return entry != nullptr ? entry->create() : nullptr;
}

bool IsDimensionClassName(std::string_view className) {
    return Find(className) != nullptr;
}

std::unique_ptr<TShaped> CreateShape(std::string_view className) {
    if (std::unique_ptr<TShaped> dimension = CreateDimension(className))
        return dimension;
    return CreateElement(className);
}

} // namespace vantor
