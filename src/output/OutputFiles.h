#pragma once

#include "output/PageSetup.h"
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
};

// The side view at 1:1 as SVG: width and height in millimetres and a view box in
// millimetres, so one drawing unit is one millimetre wherever it is opened.
QByteArray SideViewSvg(Design& design, const QString& title);

// The templates side by side on one sheet, as plain SVG in millimetres: one group per
// template whose id names it ("fin-3"), each cut outline one closed path.
QByteArray TemplatesSvg(const std::vector<CutTemplate>& templates, const QString& title);

// The PDF document of every page (side view, templates, parts list) at 1200 dpi.
QByteArray DesignPdf(Design& design, const QString& title, const PageSetup& setup,
                     OutputResult& result);

// The same written to a file safely: a failure leaves any earlier file as it was and no
// partial file behind.
OutputResult WriteDesignPdf(Design& design, const QString& title, const PageSetup& setup,
                            const std::filesystem::path& path);
OutputResult WriteSideViewSvg(Design& design, const QString& title,
                              const std::filesystem::path& path);
// Refuses a design with nothing to cut.
OutputResult WriteTemplatesSvg(Design& design, const QString& title,
                               const std::filesystem::path& path);

} // namespace vantor
