#pragma once

#include "model/DrawingSurface.h"
#include "model/Quantities.h"

#include <string>
#include <vector>

namespace vantor {

class Design;

struct SummaryRow {
    std::string label;
    std::string value;
};

// The rocket's summary: total weight, static margin in calibers, centre of pressure,
// centre of gravity, length and the verdict.
struct Summary {
    // The rows written, in grid order; all six unless the computation failed.
    std::vector<SummaryRow> rows;
    // A division by zero, a result that is not a finite number or one beyond any rocket
    // ended the computation.
    bool failed = false;

    float weight = 0;
    float margin = 0;
    float cp = 0;
    float cg = 0;
    float length = 0;
    float referenceDiameter = 0;
    bool stable = false;
    // How far the computation came: the CP marker is drawn once CP is known, the CG
    // marker once CG is, even when a later step fails.
    bool cpKnown = false;
    bool cgKnown = false;
};

// Computes the summary of a placed design's elements (as many as the tree has nodes).
// Changes nothing.
Summary ComputeSummary(const Design& design, char decimalSeparator);
// Draws the centre-of-pressure and centre-of-gravity markers the summary came to.
void DrawSummaryMarkers(DrawingSurface& surface, const Summary& summary);
// Both: computes the summary and draws its markers on `markers` when given.
Summary ComputeSummary(const Design& design, DrawingSurface* markers, char decimalSeparator);

// The summary's rows with its weight, CP, CG and length written in `units`; with the
// default units exactly `summary.rows`.
std::vector<SummaryRow> RowsInUnits(const Summary& summary, UnitChoice units,
                                    char decimalSeparator);

// The message a failed summary shows.
inline constexpr const char* SummaryErrorMessage = "Error in LiczParametry";

} // namespace vantor
