// Runs every design the decoder accepts through what opening it in the program does:
// placement and drawing on the surface that draws nowhere, and the summary with its
// markers. Aborts when passes over the same placed design give another summary.
#include "analysis/Summary.h"
#include "canvas/DesignDrawing.h"
#include "designfile/DesignFile.h"
#include "model/Design.h"
#include "model/NullSurface.h"
#include "model/Placing.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

bool SameRows(const vantor::Summary& a, const vantor::Summary& b) {
    if (a.failed != b.failed || a.rows.size() != b.rows.size())
        return false;
    for (std::size_t i = 0; i < a.rows.size(); ++i)
        if (a.rows[i].label != b.rows[i].label || a.rows[i].value != b.rows[i].value)
            return false;
    return true;
}

// The same rows but for the decimal separator.
bool SameValues(const vantor::Summary& a, const vantor::Summary& b) {
    vantor::Summary comma = b;
    for (vantor::SummaryRow& row : comma.rows)
        for (char& c : row.value)
            if (c == '.')
                c = ',';
    return SameRows(a, comma);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vantor::Design design;
    if (!vantor::DecodeDesign({data, size}, design).ok)
        return 0;
    // Once placed, every placing and redraw gives the same summary, whatever the separator
    // and the markers, the first one included: nothing derived may depend on what was
    // placed, drawn or summarised before.
    vantor::NullSurface surface;
    vantor::PlaceDesign(design, ',');
    vantor::DrawDesign(design, surface);
    const vantor::Summary first = vantor::ComputeSummary(design, &surface, ',');
    vantor::PlaceDesign(design, '.');
    vantor::DrawDesign(design, surface);
    const vantor::Summary second = vantor::ComputeSummary(design, &surface, ',');
    vantor::PlaceDesign(design, ',');
    vantor::DrawDesign(design, surface);
    const vantor::Summary third = vantor::ComputeSummary(design, nullptr, ',');
    const vantor::Summary fourth = vantor::ComputeSummary(design, &surface, '.');
    if (!SameRows(first, second) || !SameRows(second, third) || !SameValues(third, fourth)) {
        for (const vantor::Summary* summary : {&first, &second, &third, &fourth}) {
            std::fprintf(stderr, "summary%s:", summary->failed ? " (failed)" : "");
            for (const vantor::SummaryRow& row : summary->rows)
                std::fprintf(stderr, " %s", row.value.c_str());
            std::fprintf(stderr, "\n");
        }
        std::abort();
    }
    return 0;
}
