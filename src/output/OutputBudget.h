#pragma once

#include <string>

namespace vantor {

class Design;
struct SheetLayout;

// What a document, drawing or picture of the design will take, decided from the design
// before any of it is made, so that a hostile design is refused at once instead of
// taking minutes and hundreds of megabytes.
struct OutputBudget {
    long long pages = 0;
    // Elements and dimensions drawn, counted once for every page or sheet they are
    // drawn on: the work of the output.
    long long drawnItems = 0;
    // The limit the output would break, in plain words; empty when it keeps them all.
    std::string refusal;
    bool ok() const { return refusal.empty(); }
};

// The most pages (or sheets) one document may take.
inline constexpr long long MaxOutputPages = 500;
// The most elements and dimensions one document may draw, over all its pages.
inline constexpr long long MaxDrawnItems = 200'000;

// The largest sheet a template may be given, in millimetres (100 m).
inline constexpr double MaxSheetSide = 1e5;

// The elements and dimensions one drawing of the side view draws.
long long SideViewItems(const Design& design);

// Checks the pages and drawn items against their limits and sets the refusal.
void CheckBudget(OutputBudget& budget);

// The side view as one drawing (an SVG file or a picture).
OutputBudget EstimateSideViewDrawing(const Design& design);

// Cutting templates already nested on sheets: one file a sheet.
OutputBudget EstimateTemplateSheets(const SheetLayout& layout);

} // namespace vantor
