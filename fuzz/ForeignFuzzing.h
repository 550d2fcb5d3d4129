#pragma once

// The checks both foreign-design fuzz targets make: besides the sanitizers' checks it
// aborts when a refused file leaves a design or no reason, or an accepted one gives a
// component whose weight or size is not a finite number; the standard analysis then runs
// over the imported design.
#include "analysis/Stability.h"
#include "exchange/DesignImport.h"
#include "model/Design.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <span>

inline void Check(bool condition) {
    if (!condition)
        std::abort();
}

inline int FuzzForeignDesign(const std::uint8_t* data, std::size_t size,
                             vantor::ForeignFormat format) {
    vantor::Design design;
    const vantor::ImportResult result =
        vantor::ImportForeignBytes(std::span(data, size), format, design, {});
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
