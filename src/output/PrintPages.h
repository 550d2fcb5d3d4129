#pragma once

#include "model/DrawingSurface.h"
#include "model/Quantities.h"
#include "output/OutputBudget.h"
#include "output/Templates.h"

#include <QString>

#include <optional>
#include <string>
#include <vector>

class QPagedPaintDevice;
class QPainter;

namespace vantor {

class Design;

struct Summary;

// How a drawing larger than a page is cut into tiles: each tile shows `tileWidth` x
// `tileHeight` millimetres of the drawing, and neighbouring tiles share `overlap`.
struct Tiling {
    RectF area; // the drawing's part to print, in drawing units (millimetres)
    double tileWidth = 0;
    double tileHeight = 0;
    double overlap = 0;
    int rows = 1;
    int columns = 1;

    // The drawing point at the top-left corner of a tile.
    PointF tileOrigin(int row, int column) const;
};

// The most pages one document may take.
inline constexpr int MaxPages = static_cast<int>(MaxOutputPages);

// Overlap of neighbouring tiles, in millimetres.
inline constexpr double TileOverlap = 6;

Tiling TileArea(RectF area, double tileWidth, double tileHeight);

// Where things sit on every page, in millimetres from the top-left corner of the
// printable area: the label band on top, the drawing area, the calibration bar below.
struct PageFrame {
    double width = 0;
    double height = 0;
    RectF content() const;
    RectF calibrationBar() const;
};

// Length of the calibration bar, in millimetres.
inline constexpr double CalibrationLength = 100;

// The side view's part that is printed: the placed drawing with the summary's markers and
// a margin around it; a small empty area when nothing is drawn.
RectF SideViewArea(const Design& design, const Summary& summary);

// The side view cut into tiles of the given size; the margin is narrowed where it alone
// would take another row or column of pages.
Tiling SideViewTiling(const Design& design, const Summary& summary, double tileWidth,
                      double tileHeight);

struct PagesResult {
    bool ok = false;
    int pages = 0;
    std::string reason;
};

// What the document of PaintDesignPages takes on pages of this frame: the side view's
// tiles (each drawing every element and dimension), the templates' pages and the parts
// list's pages, against the limits of OutputBudget.
OutputBudget EstimateDesignPages(const Design& design, const std::vector<CutTemplate>& templates,
                                 const PageFrame& frame);
// The same for a side view already tiled (SideViewTiling).
OutputBudget EstimateDesignPages(const Design& design, const Tiling& side,
                                 const std::vector<CutTemplate>& templates,
                                 const PageFrame& frame);

// Paints the whole document onto the device, whose page layout is already set: the side
// view at 1:1 over as many pages as it needs, the cutting templates, and the parts list.
// Every page carries its label and the calibration bar. Elements are drawn unselected.
// A document beyond its budget (EstimateDesignPages) is refused before any page is started.
// Labels, lists and templates are in the language of `texts`.
// The design is placed (PlaceDesign); its summary is computed once for all pages.
PagesResult PaintDesignPages(const Design& design, const QString& designName,
                             QPagedPaintDevice& device, const OutputTexts& texts = {});

} // namespace vantor
