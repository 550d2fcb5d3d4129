#pragma once

#include "model/Quantities.h"

#include <array>
#include <functional>
#include <initializer_list>
#include <map>
#include <string>
#include <string_view>

namespace vantor {

// The words printed pages, PDF files and SVG templates carry, and the units their lengths
// and weights are written in. The defaults are English, millimetres and grams, as the
// command-line tool writes them; the program hands in its language and display units.
// Patterns take their values for %1, %2 and %3 in order.
struct OutputTexts {
    UnitChoice units;
    std::string pageLabel = "%1 - page %2 - %3";
    std::string tileLabel = ", row %1, column %2";
    std::string sideViewPage = "side view 1:1";
    std::string templatePage = "template %1";
    std::string templatesPage = "templates 1:1";
    std::string partsListPage = "parts list (sizes in %1)"; // the length unit
    // The last column's heading takes the weight unit.
    std::array<std::string, 9> partsListHeader{
        "#", "kind", "caption", "material", "length", "diam. A", "diam. B", "wall", "weight %1"};
    std::string sheetTitle = "%1, sheet %2 of %3";
    std::string finSetTemplate = "Fin set";
    std::string markingGuideTemplate = "Fin marking guide";
    std::string noseWrapTemplate = "Nose cone wrap";
    std::string transitionWrapTemplate = "Transition wrap";
    std::string materialAndCount = "material: %1, cut %2";
    std::string glueTab = "glue tab";
    std::string rootEdge = "root edge";
    std::string tubeFront = "tube front";
    std::string largerThanSheet =
        "the template \"%1\" is larger than the sheet: it is on a %2 x %3 mm sheet of its own";
    // Kind names, the summary's and the analysis' labels and verdicts, by their English
    // word; a word not listed stays English.
    std::map<std::string, std::string, std::less<>> words;

    std::string word(std::string_view english) const;
};

// `pattern` with %1, %2, ... replaced by the values in order; a number without a value
// stays as it is.
std::string FillPattern(std::string_view pattern, std::initializer_list<std::string_view> values);

} // namespace vantor
