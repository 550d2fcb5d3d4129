#include "editing/ElementDefaults.h"

#include "model/Kinds.h"
#include "model/Registry.h"

#include <memory>

namespace vantor {

namespace {

constexpr float NewBallastWeight = 40;

} // namespace

ElementFields DefaultFields(std::string_view kind) {
    const std::unique_ptr<TRocketElement> element = CreateElement(kind);
    return element ? FieldsOf(*element) : ElementFields{};
}

ElementFields NewElementFields(std::string_view kind) {
    ElementFields fields = DefaultFields(kind);
    const ElementKind& named = KindNamed(kind);
    if (named.ballast)
        fields.weight = NewBallastWeight;
    if (named.finSet) {
        fields.finA = 90;
        fields.finB = 50;
        fields.finC = 50;
        fields.finD = 40;
    }
    return fields;
}

} // namespace vantor
