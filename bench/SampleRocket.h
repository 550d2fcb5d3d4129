#pragma once

#include "editing/DesignEdits.h"
#include "model/AxisValues.h"
#include "model/Design.h"
#include "model/ElementTree.h"
#include "model/FinSet.h"
#include "model/Kinds.h"
#include "model/Placing.h"
#include "model/Registry.h"

#include <string_view>

namespace vantor::bench {

// How many parts each body tube of LayOutRocket carries: three, or more where a rocket of
// that many components would otherwise chain its tubes deeper than a design may nest (each
// tube hangs from the one before it).
constexpr int PartsPerTube(int components) {
    const int deepestTubes = int(MaxTreeDepth) - 2; // the nose above, the parts below
    int parts = 3;
    while ((components - 1 + parts) / (parts + 1) > deepestTubes)
        ++parts;
    return parts;
}

// Lays out a rocket of exactly `components` elements through `add(kind, parent, set)`:
// a nose, then body tubes one behind the other, each carrying fin sets, motors and
// ballasts in turn (one of each, more in a rocket too long for that), with the sizes the
// dialog would give.
template <class Add> void LayOutRocket(int components, float tubeLength, Add add) {
    TRocketElement* tube = &add("TGlowicaOgive", nullptr, [](ElementFields& f) { f.length = 120; });
    const std::string_view extras[] = {"TStatecznik", "TEngine", "TBalast"};
    const int partsPerTube = PartsPerTube(components);
    int made = 1;
    for (int extra = 0; made < components; ++made) {
        if (!KindOf(*tube).tube || extra == partsPerTube) {
            tube = &add("TKorpus", tube, [tubeLength](ElementFields& f) { f.length = tubeLength; });
            extra = 0;
            continue;
        }
        add(extras[extra % 3], tube, [kind = extras[extra % 3]](ElementFields& f) {
            if (kind == "TStatecznik") {
                f.finA = 40;
                f.finB = 15;
                f.finC = 20;
                f.finD = 30;
            } else if (kind == "TEngine") {
                f.diameterA = 20;
                f.length = 30;
            } else {
                f.weight = 5; // a ballast keeps the weight it is given
            }
        });
        ++extra;
    }
}

// The rocket of LayOutRocket, placed. Weights are computed, so
// the summary has something to add up.
inline void BuildRocket(Design& design, int components, float tubeLength = 60) {
    // Inserted as the insertion commands insert.
    LayOutRocket(components, tubeLength,
                 [&](std::string_view kind, TRocketElement* parent, auto set) -> TRocketElement& {
                     ElementFields fields = DefaultFields(kind);
                     set(fields);
                     const auto inserted = InsertElement(
                         design, parent != nullptr ? design.tree.nodeOf(parent) : nullptr,
                         NewElement{std::string(kind), fields});
                     return *InsertedElement(*inserted);
                 });
    PlaceDesign(design);
    // The weight rule needs the placed outlines (a fin set's area is sampled from its own).
    for (auto& element : design.Elements)
        if (!KindOf(*element).ballast)
            element->ComputeWeight();
}

} // namespace vantor::bench
