#pragma once

#include "model/Quantities.h"
#include "output/PageSetup.h"
#include "output/TemplateSheets.h"
#include "output/Templates.h"

#include <QByteArray>
#include <QString>

#include <filesystem>
#include <string>
#include <vector>

namespace vantor {

class Design;

struct OutputResult {
    bool ok = false;
    // Why nothing was written, in plain words; empty when ok.
    std::string reason;
    int pages = 0;
    // What the user should know of a file that was written; empty when nothing.
    std::string note;
};

// Every design handed to these functions is placed (PlaceDesign) and drawn unselected.

// The side view at 1:1 as SVG: width and height in millimetres and a view box in
// millimetres, so one drawing unit is one millimetre wherever it is opened.
QByteArray SideViewSvg(const Design& design, const QString& title);

// The PDF document of every page (side view, templates, parts list) at 1200 dpi.
// Labels, lists and templates are in the language of `texts`.
QByteArray DesignPdf(const Design& design, const QString& title, const PageSetup& setup,
                     OutputResult& result, const OutputTexts& texts = {});

// The same written to a file safely: a failure leaves any earlier file as it was and no
// partial file behind.
OutputResult WriteDesignPdf(const Design& design, const QString& title, const PageSetup& setup,
                            const std::filesystem::path& path, const OutputTexts& texts = {});
OutputResult WriteSideViewSvg(const Design& design, const QString& title,
                              const std::filesystem::path& path);
// The templates nested on sheets, one SVG file per sheet (see SheetPaths); `pages` is
// the number of sheets. Refuses a design with nothing to cut, and templates larger than
// the sheet.
OutputResult WriteTemplatesSvg(const Design& design, const QString& title,
                               const std::filesystem::path& path,
                               const TemplateSvgOptions& options = {});

} // namespace vantor
