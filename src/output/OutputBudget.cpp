#include "output/OutputBudget.h"

#include "model/Design.h"
#include "output/TemplateSheets.h"

namespace vantor {

long long SideViewItems(const Design& design) {
    return static_cast<long long>(design.Elements.size() + design.Dimensions.size());
}

void CheckBudget(OutputBudget& budget) {
    if (budget.pages > MaxOutputPages)
        budget.refusal = "the output would take " + std::to_string(budget.pages) +
                         " pages, more than the limit of " + std::to_string(MaxOutputPages);
    else if (budget.drawnItems > MaxDrawnItems)
        budget.refusal = "the output would draw " + std::to_string(budget.drawnItems) +
                         " elements and dimensions over its pages, more than the limit of " +
                         std::to_string(MaxDrawnItems);
}

OutputBudget EstimateSideViewDrawing(const Design& design) {
    OutputBudget budget;
    budget.pages = 1;
    budget.drawnItems = SideViewItems(design);
    CheckBudget(budget);
    return budget;
}

OutputBudget EstimateTemplateSheets(const SheetLayout& layout) {
    OutputBudget budget;
    budget.pages = layout.sheets;
    budget.drawnItems = static_cast<long long>(layout.placed.size());
    CheckBudget(budget);
    for (const SheetSize& sheet : layout.sizes)
        if (budget.ok() && !(sheet.width <= MaxSheetSide && sheet.height <= MaxSheetSide))
            budget.refusal = "a template would need a sheet larger than the limit of " +
                             std::to_string(static_cast<int>(MaxSheetSide / 1000)) + " m";
    return budget;
}

} // namespace vantor
