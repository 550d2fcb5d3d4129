#pragma once

#include "canvas/DesignDrawing.h"
#include "canvas/NullSurface.h"
#include "editing/DesignEdits.h"
#include "model/AxisValues.h"
#include "model/Design.h"
#include "model/FinSet.h"
#include "model/Registry.h"

#include <string_view>

namespace vantor::bench {

// A rocket of exactly `components` elements: a nose, then body tubes one behind the
// other, each carrying a fin set, a motor and a ballast in turn, placed as a few
// redraws leave them. Weights are computed, so the summary has something to add up.
inline void BuildRocket(Design& design, int components, float tubeLength = 60) {
    OriginX = 50;
    AxisY = 300;
    // Inserted as the insertion commands insert, with each kind's own sizes.
    auto add = [&](std::string_view kind, TRocketElement* parent) -> TRocketElement& {
        const auto inserted =
            InsertElement(design, parent != nullptr ? design.tree.nodeOf(parent) : nullptr,
                          NewElement{std::string(kind), DefaultFields(kind)});
        return *InsertedElement(*inserted);
    };
    TRocketElement* tube = &add("TGlowicaOgive", nullptr);
    tube->Length = 120;
    const std::string_view extras[] = {"TStatecznik", "TEngine", "TBalast"};
    int made = 1;
    for (int extra = 0; made < components; ++made) {
        if (tube->ClassName != "TKorpus" || extra == 3) {
            tube = &add("TKorpus", tube);
            tube->Length = tubeLength;
            extra = 0;
            continue;
        }
        TRocketElement& leaf = add(extras[extra++], tube);
        if (auto* fins = dynamic_cast<TStatecznik*>(&leaf)) {
            fins->FinA = 40;
            fins->FinB = 15;
            fins->FinC = 20;
            fins->FinD = 30;
        } else if (leaf.ClassName == "TEngine") {
            leaf.DiameterA = 20;
            leaf.Length = 30;
        }
    }
    NullSurface surface;
    DrawDesign(design, surface);
    DrawDesign(design, surface);
    for (auto& element : design.Elements)
        if (element->ClassName == "TBalast")
            element->Weight = 5;
        else
            element->ComputeWeight();
}

} // namespace vantor::bench
