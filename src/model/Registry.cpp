#include "model/Registry.h"

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
    std::unique_ptr<TRocketElement> (*create)();
};

template <class T> std::unique_ptr<TRocketElement> Make() {
    return std::make_unique<T>();
}

// The element kinds; the dimension kinds are registered beside their drawing code.
constexpr std::array<Entry, 9> Entries{{
    {"TGlowicaStozek", Make<TGlowicaStozek>},
    {"TGlowicaOgive", Make<TGlowicaOgive>},
    {"TGlowicaParabolic", Make<TGlowicaParabolic>},
    {"TKorpus", Make<TKorpus>},
    {"TLozysko", Make<TLozysko>},
    {"TEngine", Make<TEngine>},
    {"TStozekSciety", Make<TStozekSciety>},
    {"TStatecznik", Make<TStatecznik>},
    {"TBalast", Make<TBalast>},
}};

const Entry* Find(std::string_view className) {
    for (const Entry& entry : Entries)
        if (entry.className == className)
            return &entry;
    return nullptr;
}

} // namespace

std::unique_ptr<TRocketElement> CreateElement(std::string_view className) {
    const Entry* entry = Find(className);
    return entry != nullptr ? entry->create() : nullptr;
}

bool IsElementClassName(std::string_view className) {
    return Find(className) != nullptr;
}

bool IsAttachmentAllowed(const TRocketElement& element, const TRocketElement& parent) {
    if (parent.ClassName.empty())
        return false;
    return element.AllowedParents.find(parent.ClassName) != std::string::npos;
}

} // namespace vantor
