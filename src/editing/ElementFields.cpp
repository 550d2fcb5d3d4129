#include "editing/ElementFields.h"

#include "model/Design.h"
#include "model/FinSet.h"
#include "model/Kinds.h"
#include "model/Numeric.h"
#include "model/Registry.h"

#include <cmath>
#include <initializer_list>
#include <memory>

namespace vantor {

namespace {

TStatecznik* AsFinSet(TRocketElement& element) {
    return KindOf(element).finSet ? dynamic_cast<TStatecznik*>(&element) : nullptr;
}

} // namespace

ElementFields FieldsOf(const TRocketElement& e) {
    ElementFields fields;
    fields.caption = e.Caption;
    fields.material = e.Material;
    fields.length = e.Length;
    fields.diameterA = e.DiameterA;
    fields.diameterB = e.DiameterB;
    fields.thickness = e.Thickness;
    fields.weight = e.Weight;
    fields.density = e.Density;
    fields.offset = e.Offset;
    if (const auto* fins = dynamic_cast<const TStatecznik*>(&e)) {
        fields.finA = fins->FinA;
        fields.finB = fins->FinB;
        fields.finC = fins->FinC;
        fields.finD = fins->FinD;
        fields.finCount = fins->FinCount;
    }
    return fields;
}

void WriteFields(TRocketElement& e, const ElementFields& fields) {
    e.Caption = fields.caption;
    e.Material = fields.material;
    e.Length = fields.length;
    e.DiameterA = fields.diameterA;
    e.DiameterB = fields.diameterB;
    e.Thickness = fields.thickness;
    e.Weight = fields.weight;
    e.Density = fields.density;
    e.Offset = fields.offset;
    if (auto* fins = dynamic_cast<TStatecznik*>(&e)) {
        fins->FinA = fields.finA;
        fins->FinB = fields.finB;
        fins->FinC = fields.finC;
        fins->FinD = fields.finD;
        fins->FinCount = fields.finCount;
        if (AsFinSet(e) != nullptr && fins->Parent != nullptr)
            fins->Place('.'); // rebuilds the outline the fin area is sampled from
    }
}

double ComputedWeight(const TRocketElement& element, const ElementFields& fields) {
    const std::unique_ptr<TRocketElement> copy = CreateElement(element.ClassName);
    if (!copy)
        return fields.weight;
    // What the weight rule and a fin set's outline read besides the fields.
    copy->Points = element.Points;
    copy->Corners = element.Corners;
    copy->Visible = element.Visible;
    copy->Parent = element.Parent;
    WriteFields(*copy, fields);
    return copy->ComputeWeight();
}

float JoiningDiameter(const TRocketElement& parent) {
    return KindOf(parent).transition ? parent.DiameterB : parent.DiameterA;
}

std::optional<SizeField> UnusableSize(std::string_view kind, const ElementFields& fields) {
    struct Size {
        SizeField field;
        float value;
        bool zeroAllowed;
    };
    const auto firstUnusable = [](std::initializer_list<Size> sizes) -> std::optional<SizeField> {
        for (const Size& size : sizes)
            if (!std::isfinite(size.value) || size.value < 0 ||
                (size.value == 0 && !size.zeroAllowed))
                return size.field;
        return std::nullopt;
    };
    const ElementKind& named = KindNamed(kind);
    if (named.ballast)
        return std::nullopt; // its page shows the weight only
    if (named.finSet) {
        if (!std::isfinite(fields.finB))
            return SizeField::FinB;
        return firstUnusable({{SizeField::FinA, fields.finA, false},
                              {SizeField::FinC, fields.finC, true},
                              {SizeField::FinD, fields.finD, false},
                              {SizeField::Thickness, fields.thickness, false}});
    }
    if (named.transition)
        return firstUnusable({{SizeField::Length, fields.length, false},
                              {SizeField::DiameterA, fields.diameterA, false},
                              {SizeField::DiameterB, fields.diameterB, false},
                              {SizeField::Thickness, fields.thickness, false}});
    return firstUnusable({{SizeField::Length, fields.length, false},
                          {SizeField::DiameterA, fields.diameterA, false},
                          {SizeField::Thickness, fields.thickness, false}});
}

FieldsRefusal CheckDialogSizes(const TRocketElement& e, const DialogSizes& sizes, float shownLength,
                               bool hasChildNodes) {
    if (e.Parent == nullptr)
        return FieldsRefusal::None;
    // Compared as the floats they become: two sizes that are stored equal are equal.
    if (KindOf(e).transition &&
        static_cast<float>(sizes.diameterB) == static_cast<float>(sizes.diameterA))
        return FieldsRefusal::EqualDiameters;
    // Measured against the length the field was loaded with, as "oblicz" may already
    // have written a shorter one; compared as the float the length becomes.
    if (hasChildNodes && static_cast<float>(sizes.length) < shownLength)
        return FieldsRefusal::ShortenedWithChildren;
    // The pages of fin sets and ballasts show no diameter: a value the user can neither
    // see nor change (say, after the parent was narrowed) must not block their OK.
    if (KindOf(e).finSet || KindOf(e).ballast)
        return FieldsRefusal::None;
    if (!(static_cast<double>(sizes.diameterA) <= static_cast<double>(JoiningDiameter(*e.Parent))))
        return FieldsRefusal::WiderThanParent;
    return FieldsRefusal::None;
}

bool IsNoseKind(std::string_view kind) {
    return IsNoseClass(kind);
}

bool PlacedAlongParent(std::string_view kind) {
    const ElementKind& named = KindNamed(kind);
    return named.motor || named.finSet || named.ballast;
}

bool PositionFits(const ElementFields& fields, const TRocketElement* parent) {
    if (!std::isfinite(fields.offset))
        return false;
    return parent == nullptr || (fields.offset >= 0 && fields.offset <= parent->Length);
}

std::optional<float> FlushWithRearOffset(std::string_view kind, const ElementFields& fields,
                                         const TRocketElement& parent) {
    // A fin set's extent along the tube is its root chord; a ballast is a point.
    const ElementKind& named = KindNamed(kind);
    const float extent = named.finSet ? fields.finA : named.ballast ? 0.0f : fields.length;
    const float offset = parent.Length - extent;
    if (!std::isfinite(offset) || offset < 0)
        return std::nullopt;
    return offset;
}

InsertionRefusal CheckInsertion(const Design& design, std::string_view kind,
                                const TRocketElement* parent) {
    if (IsNoseKind(kind))
        return design.tree.empty() ? InsertionRefusal::None : InsertionRefusal::Silent;
    if (design.tree.empty())
        return InsertionRefusal::Silent;
    const std::unique_ptr<TRocketElement> probe = CreateElement(kind);
    // Attaching needs a component to attach to; nothing selected, and a component at the
    // deepest level a design may have, are refused like a component that may not be a
    // parent.
    if (!probe || parent == nullptr || !IsAttachmentAllowed(*probe, *parent) ||
        !ElementTree::canAttachBelow(design.tree.nodeOf(parent)))
        return InsertionRefusal::NotAllowed;
    return InsertionRefusal::None;
}

} // namespace vantor
