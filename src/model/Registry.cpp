#include "model/Registry.h"

#include "canvas/DimensionAnnotations.h"
#include "model/Ballast.h"
#include "model/BodyTubes.h"
#include "model/FinSet.h"
#include "model/NoseCones.h"
#include "model/Transition.h"

#include <array>

namespace vantor {

namespace {

struct Entry {
    std::string_view className;
    bool isElement;
    std::unique_ptr<TShaped> (*create)();
};

template <class T> std::unique_ptr<TShaped> Make() {
    return std::make_unique<T>();
}

// Tried in this order; the first equal name wins.
constexpr std::array<Entry, 13> Entries{{
    {"TWymiar", false, Make<TWymiar>},
    {"TAngleWymiar", false, Make<TAngleWymiar>},
    {"TWymiarPoziomy", false, Make<TWymiarPoziomy>},
    {"TWymiarPionowy", false, Make<TWymiarPionowy>},
    {"TGlowicaStozek", true, Make<TGlowicaStozek>},
    {"TGlowicaOgive", true, Make<TGlowicaOgive>},
    {"TGlowicaParabolic", true, Make<TGlowicaParabolic>},
    {"TKorpus", true, Make<TKorpus>},
    {"TLozysko", true, Make<TLozysko>},
    {"TEngine", true, Make<TEngine>},
    {"TStozekSciety", true, Make<TStozekSciety>},
    {"TStatecznik", true, Make<TStatecznik>},
    {"TBalast", true, Make<TBalast>},
}};

const Entry* Find(std::string_view className) {
    for (const Entry& entry : Entries)
        if (entry.className == className)
            return &entry;
    return nullptr;
}

} // namespace

std::unique_ptr<TShaped> CreateShape(std::string_view className) {
    const Entry* entry = Find(className);
    return entry != nullptr ? entry->create() : nullptr;
}

std::unique_ptr<TRocketElement> CreateElement(std::string_view className) {
    const Entry* entry = Find(className);
    if (entry == nullptr || !entry->isElement)
        return nullptr;
    return std::unique_ptr<TRocketElement>(static_cast<TRocketElement*>(entry->create().release()));
}

bool IsElementClassName(std::string_view className) {
    const Entry* entry = Find(className);
    return entry != nullptr && entry->isElement;
}

bool IsDimensionClassName(std::string_view className) {
    const Entry* entry = Find(className);
    return entry != nullptr && !entry->isElement;
}

bool IsAttachmentAllowed(const TRocketElement& element, const TRocketElement& parent) {
    if (parent.ClassName.empty())
        return false;
    return element.AllowedParents.find(parent.ClassName) != std::string::npos;
}

} // namespace vantor
