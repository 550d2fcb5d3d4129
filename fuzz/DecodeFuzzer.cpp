// Feeds arbitrary bytes to the design file decoder. Besides the sanitizers' checks it
// aborts when a refused file leaves anything behind, or when a design the decoder
// accepted does not save and load back to the same bytes.
#include "canvas/DesignDrawing.h"
#include "designfile/DesignFile.h"
#include "model/AxisValues.h"
#include "model/Design.h"
#include "model/NullSurface.h"
#include "model/Placing.h"

#include <bit>
#include <cstdint>
#include <cstdlib>

namespace {

void Check(bool condition) {
    if (!condition)
        std::abort();
}

bool SameBits(float a, float b) {
    return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const float originX = vantor::OriginX;
    const float axisY = vantor::AxisY;
    vantor::Design design;
    const vantor::LoadResult result = vantor::DecodeDesign({data, size}, design);
    if (!result.ok) {
        Check(!result.message.empty());
        Check(design.empty() && design.tree.empty());
        Check(SameBits(vantor::OriginX, originX) && SameBits(vantor::AxisY, axisY));
        return 0;
    }
    Check(design.tree.nodeCount() == design.Elements.size());
    Check(result.axisValues.size() == design.Elements.size());

    const std::vector<std::uint8_t> once = vantor::EncodeDesign(design);
    Check(once.size() == size - result.trailingBytes);
    vantor::Design again;
    Check(vantor::DecodeDesign(once, again).ok);
    Check(vantor::EncodeDesign(again) == once);

    vantor::PlaceDesign(again);
    vantor::NullSurface surface;
    vantor::DrawDesign(again, surface);
    return 0;
}
