#pragma once

#include "output/Templates.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace vantor {

// A sheet of material or paper, in millimetres.
struct SheetSize {
    double width = 210; // A4, portrait
    double height = 297;
};

// Free border along a sheet's edges and the least room between two templates, in
// millimetres: a laser's head and a cutter's hand both need some.
inline constexpr double SheetBorder = 5;
inline constexpr double TemplateSpacing = 5;

// Cut lines are pure red hairlines, engraving (scored lines and texts) pure blue, the
// colours laser drivers take for "cut" and "engrave" by default.
inline constexpr char CutStroke[] = "#FF0000";
inline constexpr char EngraveColour[] = "#0000FF";
// A hairline in millimetres: thin enough for every laser driver's "cut" threshold.
inline constexpr double HairlineWidth = 0.01;

struct TemplateSvgOptions {
    SheetSize sheet;
    // Texts as filled outlines, for a laser or cutter that knows no fonts.
    bool textAsOutlines = false;
    // The language of the titles and marks.
    OutputTexts texts;
};

// Where one template sits: on which sheet, its top-left corner, and whether it is turned
// a quarter turn clockwise to fit.
struct PlacedTemplate {
    std::size_t index = 0; // into the templates given
    int sheet = 0;
    double x = 0;
    double y = 0;
    bool turned = false;
};

struct SheetLayout {
    bool ok = false;
    // Why the templates could not be placed, in plain words; empty when ok.
    std::string reason;
    int sheets = 0;
    std::vector<SheetSize> sizes;       // one per sheet
    std::vector<PlacedTemplate> placed; // one per template, in the templates' order
    // Templates larger than the sheet either way, each on a larger sheet of its own.
    std::vector<std::size_t> oversize;
};

// Nests the templates on as few sheets as a shelf packing finds: tallest first, each on
// the first shelf with room, upright where it fits and turned where only that fits. A
// template too large for the sheet either way is not lost: it goes on a sheet of its
// own, as much larger as it needs, after the others. Fails only for a sheet with no
// room inside its border.
SheetLayout NestTemplates(const std::vector<CutTemplate>& templates, SheetSize sheet);

struct TemplateSheets {
    bool ok = false;
    std::string reason;
    std::vector<QByteArray> sheets; // one SVG document per sheet
    // Names the templates that had to go on larger sheets; empty when none did.
    std::string note;
};

// The templates as laser-ready SVG, one document per sheet of the given size, in
// millimetres: a "cut" group of red hairline outlines and an "engrave" group of blue
// lines and texts, each template's parts named by its id ("fin-3", "fin-3-engrave").
TemplateSheets TemplateSheetsSvg(const std::vector<CutTemplate>& templates, const QString& title,
                                 const TemplateSvgOptions& options);

// The files the sheets go to: the given path for one sheet; for more, the path's name
// with "-1", "-2", ... before its extension.
std::vector<std::filesystem::path> SheetPaths(const std::filesystem::path& path, int sheets);

} // namespace vantor
