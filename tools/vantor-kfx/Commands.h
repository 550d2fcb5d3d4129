#pragma once

#include "mesh/Solids.h"
#include "output/TemplateSheets.h"

#include <ostream>
#include <string>

namespace vantor::kfx {

enum ExitStatus : int {
    Success = 0,
    // The file cannot be read or is refused, or the output cannot be written.
    FileFailure = 1,
    UsageError = 2,
    // The summary computation failed.
    SummaryFailure = 3,
};

// Loads the file, draws every element once as a full redraw does, and prints the
// summary rows as "Label<TAB>value".
int RunSummary(const std::string& file, std::ostream& out, std::ostream& err);

// Loads and places the design as RunSummary does and prints the standard stability
// analysis (margin target `targetCalibers`) as "Label<TAB>value" rows, or as JSON with every
// component's share when `json`.
int RunStability(const std::string& file, double targetCalibers, bool json, std::ostream& out,
                 std::ostream& err);

// Prints the design as read from the file, before any drawing, as JSON.
int RunDump(const std::string& file, std::ostream& out, std::ostream& err);

// Loads the file, draws it once as the program does after opening, and saves it.
int RunSave(const std::string& input, const std::string& output, std::ostream& err);

// Draws the side view on white with the summary markers, cropped to the drawing with a
// small margin, and writes it as PNG. Needs a QGuiApplication.
int RunRender(const std::string& file, const std::string& png, double scale, std::ostream& err);

// Loads the file, places it as the program does after opening, and writes its
// printable components as a 3D model in the format OUT's extension names; with a
// `partsFolder`, also one file a component laid for printing. A refused design, or a
// file that cannot be written, gives FileFailure with the reason.
int RunMesh(const std::string& file, const std::string& out, const std::string& partsFolder,
            std::ostream& err, const mesh::SolidOptions& options = {});
// Writes the side view at 1:1, the cutting templates and the parts list as a PDF on the
// given paper. Needs a QGuiApplication.
int RunPdf(const std::string& file, const std::string& pdf, const std::string& paper,
           bool landscape, std::ostream& err);

// Writes the side view at 1:1 as SVG, or with `templates` the cutting templates side by
// side on one sheet. Needs a QGuiApplication.
int RunSvg(const std::string& file, const std::string& svg, bool templates, std::ostream& err,
           const TemplateSvgOptions& options = {});

} // namespace vantor::kfx
