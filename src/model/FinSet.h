#pragma once

#include "model/RocketElement.h"

#include <cstdint>

namespace vantor {

// Fin set: FinCount flat fins around a body tube, drawn in side view as an upper and
// a mirrored lower fin. Once placed, the outline holds the lower fin.
class TStatecznik : public TRocketElement {
public:
    TStatecznik();
    // Places the upper fin in Corners and the lower, mirrored fin in the outline.
    void PlaceFromParent() override;
    void Draw(DrawingSurface& surface) const override;
    // CP and CG only: the fin area is sampled from the outline whenever it is asked for,
    // so placing, which undo and every redraw run, stays cheap; Area caches nothing.
    void RefreshDerived() override;
    // The element record followed by the fin block.
    void SaveElement(RecordSink& out, std::int32_t parentIndex) const override;
    double ComputeArea() const override;
    double ComputeCP() const override;
    std::size_t OutlinePointCount() const override { return 4; }
    // The outline holds the lower fin half; the upper half, kept in Corners, answers
    // the pointer too.
    bool AnswersPointer(double x, double y) const override;

    float FinA = 0; // root chord
    float FinB = 0; // sweep: from the root's front to the tip's front
    float FinC = 0; // tip chord
    float FinD = 0; // span above the tube
    float FinSpare = 0;
    std::int32_t FinCount = 3;
};

} // namespace vantor
