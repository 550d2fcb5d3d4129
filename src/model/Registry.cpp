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

// The parents of a body tube, a transition, an engine mount and a ballast.
constexpr std::string_view FrontSection =
    "TGlowicaParabolic;TGlowicaOgive;TGlowicaStozek;TKorpus;TStozekSciety";

// Every property of every kind, in the order of the factory's entries.
constexpr std::array<ElementKind, 9> Kinds{{
    {.className = "TGlowicaStozek",
     .caption = "Nose",
     .plainName = "conical nose",
     .nose = true,
     .shape = Shape3d::Cone},
    {.className = "TGlowicaOgive",
     .caption = "Nose",
     .plainName = "ogive nose",
     .nose = true,
     .shape = Shape3d::Ogive},
    {.className = "TGlowicaParabolic",
     .caption = "Nose",
     .plainName = "parabolic nose",
     .nose = true,
     .shape = Shape3d::Paraboloid},
    {.className = "TKorpus",
     .caption = "Body",
     .allowedParents = FrontSection,
     .plainName = "body tube",
     .tube = true,
     .shape = Shape3d::Tube},
    {.className = "TLozysko",
     .caption = "Mocowanie silnika",
     .allowedParents = FrontSection,
     .plainName = "engine mount",
     .tube = true,
     .shape = Shape3d::Tube,
     .inner = true},
    {.className = "TEngine",
     .caption = "Engine",
     .allowedParents = "TKorpus;TStozekSciety",
     .plainName = "motor",
     .motor = true},
    {.className = "TStozekSciety",
     .caption = "Conical",
     .allowedParents = FrontSection,
     .plainName = "transition",
     .transition = true,
     .shape = Shape3d::Frustum},
    {.className = "TStatecznik",
     .caption = "Fins",
     .allowedParents = "TKorpus",
     .plainName = "fin set",
     .finSet = true,
     .shape = Shape3d::Fins},
    {.className = "TBalast",
     .caption = "Ballast",
     .allowedParents = FrontSection,
     .plainName = "ballast",
     .ballast = true},
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

void AdoptKind(TRocketElement& element, std::string_view className) {
    const ElementKind* kind = FindKind(className);
    element.ClassName = className;
    if (kind == nullptr)
        return;
    element.Caption = kind->caption;
    element.AllowedParents = kind->allowedParents;
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
