#pragma once

#include <string_view>

namespace vantor {

class TRocketElement;

// How a kind takes part in the 3D view and the printable solids.
enum class Shape3d { None, Cone, Ogive, Paraboloid, Tube, Frustum, Fins };

// What the program knows of one element kind, kept in one table beside the factory
// (model/Registry.h), so that no caller compares class names of its own.
struct ElementKind {
    std::string_view className;
    std::string_view caption = {};        // a new element's Caption, which the object tree shows
    std::string_view allowedParents = {}; // class names separated by ";": the attachment rule
    std::string_view plainName = {};      // what the kind is called in plain English ("body tube")
    bool nose = false;                    // starts a design, placed at its own first point
    bool tube = false;                    // a straight section: body tube or engine mount
    bool transition = false;              // its rear diameter is DiameterB
    bool finSet = false;
    bool ballast = false; // weight typed, never computed
    bool motor = false;
    Shape3d shape = Shape3d::None;
    // Inside another section, so the 3D view shows no surface of its own.
    bool inner = false;
};

// Gives a newly constructed element the class name, caption and allowed parents of its
// kind; an unknown name sets the class name only.
void AdoptKind(TRocketElement& element, std::string_view className);

// The kind of that class name; null for a name that is no element kind.
const ElementKind* FindKind(std::string_view className);
// The kind of that class name, or a kind with every property false for an unknown name.
const ElementKind& KindNamed(std::string_view className);
// The kind of the element, or a kind with every property false for an unknown name.
const ElementKind& KindOf(const TRocketElement& element);

inline bool IsNoseClass(std::string_view className) {
    const ElementKind* kind = FindKind(className);
    return kind != nullptr && kind->nose;
}

} // namespace vantor
