#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vantor {

class Design;
class TRocketElement;

// What the parameters dialog can write into an element: caption, material, sizes,
// weight and density, the position along the parent, and a fin set's fin data.
struct ElementFields {
    std::string caption;
    std::string material;
    float length = 0, diameterA = 0, diameterB = 0, thickness = 0, weight = 0, density = 0;
    float offset = 0; // from the parent's front, for the kinds placed along their parent
    float finA = 0, finB = 0, finC = 0, finD = 0;
    std::int32_t finCount = 0;

    friend bool operator==(const ElementFields&, const ElementFields&) = default;
};

ElementFields FieldsOf(const TRocketElement& element);
// Writes the fields; a fin set with a parent rebuilds the outline its area is sampled
// from. Fin data is ignored for other kinds.
void WriteFields(TRocketElement& element, const ElementFields& fields);

// The weight the weight rule gives the element once `fields` are written into it,
// computed on a detached copy (its kind, outline and parent) so the element itself is
// left alone: what "oblicz" shows before OK writes anything. A computation out of the
// weight's range gives the fields' own weight.
double ComputedWeight(const TRocketElement& element, const ElementFields& fields);

// The diameter an element attached to `parent` meets: a transition's rear diameter,
// every other kind's (front) diameter.
float JoiningDiameter(const TRocketElement& parent);

// The sizes the dialog's fields stand for when OK is pressed.
struct DialogSizes {
    double length = 0;
    double diameterA = 0;
    double diameterB = 0;
};

enum class FieldsRefusal {
    None,
    EqualDiameters,        // a transition with the same diameter at both ends
    ShortenedWithChildren, // shorter than shown while components hang on the element
    WiderThanParent,       // wider than where it meets its parent
};

// A size field of the parameters dialog.
enum class SizeField { Length, DiameterA, DiameterB, Thickness, FinA, FinB, FinC, FinD };

// The first size among those the dialog shows for an element of `kind` that no part can
// have: zero, negative or not a number where a part needs a size (a fin's tip chord may
// be zero, its sweep any finite value). Nothing when every shown size is usable.
std::optional<SizeField> UnusableSize(std::string_view kind, const ElementFields& fields);

// Whether OK may write these sizes into the element. `shownLength` is the length the
// dialog showed (a child-bearing element may not become shorter than it);
// `hasChildNodes` whether components are attached to the element. An element without a
// parent is never refused.
FieldsRefusal CheckDialogSizes(const TRocketElement& element, const DialogSizes& sizes,
                               float shownLength, bool hasChildNodes);

enum class InsertionRefusal {
    None,
    Silent,     // nothing happens: a nose on a started design, a part on an empty one
    NotAllowed, // "Not allowed": no parent selected, a parent of the wrong kind, or one
                // at the deepest level a design may have
};

// Whether a component of `kind` may be inserted into `design` under the element
// `parent` (null when nothing is selected). Noses start a design; every other kind
// attaches to a component that its kind allows as parent.
InsertionRefusal CheckInsertion(const Design& design, std::string_view kind,
                                const TRocketElement* parent);

bool IsNoseKind(std::string_view kind);

// Whether an element of `kind` sits along its parent at a position the user chooses (a
// motor, a fin set, a ballast) rather than behind the parent's rear end.
bool PlacedAlongParent(std::string_view kind);

// Whether the fields' offset is a position the component may take on `parent`: from the
// parent's front to its rear end, the same range the pointer may slide it in (a motor
// may stand out behind its tube). Without a parent any finite position fits.
bool PositionFits(const ElementFields& fields, const TRocketElement* parent);

// The position that puts the component's rear end at its parent's rear end (a ballast,
// which is a point, at the rear end itself); nothing without a parent or where the
// component is longer than its parent.
std::optional<float> FlushWithRearOffset(std::string_view kind, const ElementFields& fields,
                                         const TRocketElement& parent);

} // namespace vantor
