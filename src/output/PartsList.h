#pragma once

#include "analysis/Summary.h"
#include "model/Quantities.h"
#include "output/OutputTexts.h"

#include <string>
#include <vector>

namespace vantor {

class Design;

// One component's row of the parts list; sizes and weight in the chosen units (by default
// millimetres and grams), each already written out ("-" where the kind has no such size).
struct PartsListRow {
    int recordIndex = 0;
    int depth = 0; // levels below a root, for indenting
    std::string kind;
    std::string caption;
    std::string material;
    std::string length;
    std::string diameterA;
    std::string diameterB;
    std::string wall;
    std::string weight;
};

// Every component in tree order, kinds named in the language of `texts`.
std::vector<PartsListRow> BuildPartsList(const Design& design, const OutputTexts& texts = {});

// The rows below the components: the rocket's summary, then the standard stability
// analysis (labels "Barrowman CNa", "Barrowman CP", ...) of a placed design; labels and
// verdicts in the language of `texts`.
std::vector<SummaryRow> PartsListSummaryRows(const Design& design, const Summary& summary,
                                             const OutputTexts& texts = {});

// A plain name for an element class ("TKorpus" -> "body tube"), in the language of `texts`.
std::string KindName(const std::string& className, const OutputTexts& texts = {});

} // namespace vantor
