// Feeds arbitrary bytes to the RockSim reader and the mapping behind it.
// Besides the sanitizers' checks it aborts when a refused file leaves a design or no
// reason, or an accepted one gives a component whose weight or size is not a finite
// number; the standard analysis then runs over the imported design.
#include "analysis/Stability.h"
#include "exchange/DesignImport.h"
#include "model/Design.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <span>

namespace {

void Check(bool condition) {
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vantor::Design design;
    const vantor::ImportResult result = vantor::ImportForeignBytes(
        std::span(data, size), vantor::ForeignFormat::RockSim, design, {});
    if (!result.ok) {
        Check(!result.reason.empty() && design.Elements.empty());
        return 0;
    }
    Check(!design.Elements.empty());
    for (const auto& element : design.Elements)
        Check(std::isfinite(element->Weight) && std::isfinite(element->Length) &&
              std::isfinite(element->DiameterA));
    const vantor::StabilityAnalysis analysis = vantor::AnalyseStability(design);
    Check(std::isfinite(analysis.totalWeight));
    return 0;
}
