#include "output/PartsList.h"

#include "analysis/Stability.h"
#include "model/Design.h"
#include "model/FinSet.h"
#include "model/Kinds.h"
#include "model/NumberFormat.h"

#include <cmath>

namespace vantor {

namespace {

// Millimetres and grams with one decimal; inches and ounces, ten times larger, with two.
std::string Size(double value, double perUnit) {
    return std::isfinite(value) ? FormatFixed(value / perUnit, perUnit == 1 ? 1 : 2, '.')
                                : std::string("?");
}

} // namespace

std::string KindName(const std::string& className, const OutputTexts& texts) {
    const ElementKind* kind = FindKind(className);
    return kind != nullptr ? texts.word(kind->plainName) : className;
}

std::vector<PartsListRow> BuildPartsList(const Design& design, const OutputTexts& texts) {
    const auto Length = [perUnit = MillimetresIn(texts.units.length)](double value) {
        return Size(value, perUnit);
    };
    std::vector<PartsListRow> rows;
    const std::vector<ElementTree::Node*> nodes = design.tree.nodesInOrder();
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        const TRocketElement& e = *nodes[i]->element;
        PartsListRow row;
        row.recordIndex = static_cast<int>(i);
        for (const ElementTree::Node* up = nodes[i]->parent; up != nullptr; up = up->parent)
            ++row.depth;
        row.kind = KindName(e.ClassName, texts);
        row.caption = e.Caption;
        row.material = e.Material.empty() ? "-" : e.Material;
        row.length = row.diameterA = row.diameterB = "-";
        row.wall = Length(e.Thickness);
        row.weight = Size(e.Weight, GramsIn(texts.units.weight));
        if (KindOf(e).finSet) {
            // A fin set's length is its root chord; it has no diameter.
            row.length = Length(static_cast<const TStatecznik&>(e).FinA);
        } else if (KindOf(e).ballast) {
            row.wall = "-";
        } else {
            row.length = Length(e.Length);
            row.diameterA = Length(e.DiameterA);
            if (KindOf(e).transition)
                row.diameterB = Length(e.DiameterB);
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

std::vector<SummaryRow> PartsListSummaryRows(const Design& design, const Summary& summary,
                                             const OutputTexts& texts) {
    std::vector<SummaryRow> rows = RowsInUnits(summary, texts.units, '.');
    for (SummaryRow& row : rows)
        row = {texts.word(row.label), texts.word(row.value)};
    if (summary.failed)
        rows.push_back({texts.word("Summary"), SummaryErrorMessage});
    // The standard analysis, its positions from the nose tip.
    for (const StabilityRow& row : StabilityRows(AnalyseStability(design), '.', 3, texts.units))
        rows.push_back({"Barrowman " + texts.word(row.label), texts.word(row.value)});
    return rows;
}

} // namespace vantor
