#include "model/Registry.h"

#include "model/Ballast.h"
#include "model/BodyTubes.h"
#include "model/FinSet.h"
#include "model/Kinds.h"
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

// Every property of every kind, in the order of the factory's entries.
constexpr std::array<ElementKind, 9> Kinds{{
    {.className = "TGlowicaStozek", .nose = true, .shape = Shape3d::Cone},
    {.className = "TGlowicaOgive", .nose = true, .shape = Shape3d::Ogive},
    {.className = "TGlowicaParabolic", .nose = true, .shape = Shape3d::Paraboloid},
    {.className = "TKorpus", .tube = true, .shape = Shape3d::Tube},
    {.className = "TLozysko", .tube = true, .shape = Shape3d::Tube, .inner = true},
    {.className = "TEngine", .motor = true},
    {.className = "TStozekSciety", .transition = true, .shape = Shape3d::Frustum},
    {.className = "TStatecznik", .finSet = true, .shape = Shape3d::Fins},
    {.className = "TBalast", .ballast = true},
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

const ElementKind* FindKind(std::string_view className) {
    for (const ElementKind& kind : Kinds)
        if (kind.className == className)
            return &kind;
    return nullptr;
}

const ElementKind& KindNamed(std::string_view className) {
    static constexpr ElementKind unknown{};
    const ElementKind* kind = FindKind(className);
    return kind != nullptr ? *kind : unknown;
}

const ElementKind& KindOf(const TRocketElement& element) {
    return KindNamed(element.ClassName);
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
