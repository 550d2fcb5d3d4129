#include "output/PrintPages.h"

#include "analysis/Summary.h"
#include "canvas/DesignDrawing.h"
#include "canvas/QtDrawingSurface.h"
#include "model/Design.h"
#include "output/BoundsSurface.h"
#include "output/PartsList.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <functional>
#include <utility>
#include <vector>

namespace vantor {

namespace {

constexpr double LabelBand = 10;
constexpr double FooterBand = 14;
// Empty space around the side view, in millimetres.
constexpr double DrawingMargin = 5;
// Lines on paper, in millimetres.
constexpr double LineWidth = 0.25;
constexpr double MarkWidth = 0.15;
constexpr double TemplateGap = 6;

// Rows of the parts list, in millimetres, and at most how many rows follow the
// components (the summary and the stability analysis, with a blank row between).
constexpr double PartsRowHeight = 5;
constexpr long long PartsSummaryRows = 24;

const QColor CutColour(200, 0, 0);
const QColor MarkColour(0, 0, 190);

QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A page being painted: the painter's transform maps millimetres from the printable
// area's corner onto the device.
class PageWriter {
public:
    PageWriter(QPainter& painter, QPagedPaintDevice& device, const QString& name,
               const OutputTexts& texts)
        : painter_(painter), device_(device), name_(name), texts_(texts) {
        const QPageLayout layout = device.pageLayout();
        const QRectF paint = layout.paintRect(QPageLayout::Millimeter);
        frame_.width = paint.width();
        frame_.height = paint.height();
        unit_ = device.logicalDpiX() / 25.4;
        base_ = QTransform::fromScale(unit_, device.logicalDpiY() / 25.4);
    }

    const PageFrame& frame() const { return frame_; }
    double unit() const { return unit_; }
    int pages() const { return pages_; }
    bool failed() const { return failed_; }
    const OutputTexts& texts() const { return texts_; }

    // Starts a page with its label (and, for a tile, its row and column).
    void begin(const QString& what, int row = -1, int column = -1) {
        if (pages_ > 0 && !device_.newPage())
            failed_ = true;
        ++pages_;
        painter_.setTransform(base_);
        QString label = FromUtf8(texts_.pageLabel).arg(name_).arg(pages_).arg(what);
        if (row >= 0)
            label += FromUtf8(texts_.tileLabel).arg(row + 1).arg(column + 1);
        text({0, 5}, label, 9);
        calibrationBar();
    }

    // Text with its base line starting at a point in millimetres, in points of type.
    void text(PointF at, const QString& string, double points, const QColor& colour = Qt::black,
              double angle = 0, bool centred = false) {
        painter_.save();
        // Type sizes are resolved at the device's resolution, so the text is placed in
        // device units rather than scaled with the millimetre transform.
        QTransform place = QTransform::fromTranslate(at.x * unit_, at.y * unit_);
        place.rotate(angle);
        painter_.setTransform(place);
        const QFont font = fontOf(points);
        painter_.setFont(font);
        painter_.setPen(colour);
        const double shift =
            centred ? -QFontMetricsF(font, painter_.device()).horizontalAdvance(string) / 2 : 0;
        painter_.drawText(QPointF(shift, 0), string);
        painter_.restore();
    }

    // How long a text is on the page, in millimetres.
    double textWidth(const QString& string, double points) const {
        return QFontMetricsF(fontOf(points), painter_.device()).horizontalAdvance(string) / unit_;
    }

    QPen pen(const QColor& colour, double width, Qt::PenStyle style = Qt::SolidLine) const {
        QPen p(colour, width);
        p.setStyle(style);
        p.setCapStyle(Qt::FlatCap);
        p.setJoinStyle(Qt::MiterJoin);
        return p;
    }

    QTransform base() const { return base_; }

private:
    void calibrationBar() {
        const RectF bar = frame_.calibrationBar();
        painter_.fillRect(QRectF(bar.x, bar.y, bar.width, bar.height), Qt::black);
        text({bar.x + bar.width + 3, bar.y + bar.height},
             QStringLiteral("%1 mm").arg(CalibrationLength, 0, 'f', 0), 9);
    }

    static QFont fontOf(double points) {
        QFont font(QStringLiteral("Liberation Sans"));
        font.setPointSizeF(points);
        return font;
    }

    QPainter& painter_;
    QPagedPaintDevice& device_;
    QString name_;
    const OutputTexts& texts_;
    PageFrame frame_;
    double unit_ = 1;
    QTransform base_;
    int pages_ = 0;
    bool failed_ = false;
};

// Registration marks: a cross in a circle, drawn at drawing points that the tiles on
// both sides of an overlap show, so that pages are laid exactly one over the other.
void AlignmentMark(QPainter& painter, PointF at) {
    const double r = 2;
    painter.drawEllipse(QPointF(at.x, at.y), r, r);
    painter.drawLine(QPointF(at.x - 2 * r, at.y), QPointF(at.x + 2 * r, at.y));
    painter.drawLine(QPointF(at.x, at.y - 2 * r), QPointF(at.x, at.y + 2 * r));
}

void AlignmentMarks(QPainter& painter, const Tiling& tiling, int row, int column) {
    const PointF origin = tiling.tileOrigin(row, column);
    const double half = tiling.overlap / 2;
    std::vector<PointF> marks;
    for (const double f : {0.25, 0.75}) {
        const double y = origin.y + tiling.tileHeight * f;
        const double x = origin.x + tiling.tileWidth * f;
        if (column > 0)
            marks.push_back({origin.x + half, y});
        if (column + 1 < tiling.columns)
            marks.push_back({origin.x + tiling.tileWidth - half, y});
        if (row > 0)
            marks.push_back({x, origin.y + half});
        if (row + 1 < tiling.rows)
            marks.push_back({x, origin.y + tiling.tileHeight - half});
    }
    for (const PointF& at : marks)
        AlignmentMark(painter, at);
}

// Prints something larger than a page over tiles: `paint` draws in drawing units.
void PaintTiled(PageWriter& writer, QPainter& painter, const Tiling& tiling, const QString& what,
                const std::function<void()>& paint) {
    const RectF content = writer.frame().content();
    for (int row = 0; row < tiling.rows; ++row)
        for (int column = 0; column < tiling.columns; ++column) {
            writer.begin(what, tiling.rows * tiling.columns > 1 ? row : -1, column);
            const PointF origin = tiling.tileOrigin(row, column);
            painter.save();
            painter.setTransform(writer.base());
            painter.setClipRect(QRectF(content.x, content.y, content.width, content.height));
            painter.translate(content.x - origin.x, content.y - origin.y);
            paint();
            painter.setPen(writer.pen(Qt::black, MarkWidth));
            painter.setBrush(Qt::NoBrush);
            AlignmentMarks(painter, tiling, row, column);
            painter.restore();
        }
}

QPainterPath OutlinePath(const CutOutline& outline) {
    QPainterPath path(QPointF(outline.start.x, outline.start.y));
    constexpr double Degrees = 180 / 3.141592653589793;
    for (const OutlineStep& step : outline.steps) {
        if (step.arc) {
            const QRectF box(step.centre.x - step.radius, step.centre.y - step.radius,
                             2 * step.radius, 2 * step.radius);
            // Qt's angles turn counter-clockwise on the page.
            path.arcTo(box, -step.startAngle * Degrees,
                       -(step.endAngle - step.startAngle) * Degrees);
        } else {
            path.lineTo(step.to.x, step.to.y);
        }
    }
    path.closeSubpath();
    return path;
}

// One template drawn with its top-left corner at the painter's origin, in millimetres.
void PaintTemplate(PageWriter& writer, QPainter& painter, const CutTemplate& t) {
    painter.setBrush(Qt::NoBrush);
    painter.setPen(writer.pen(CutColour, LineWidth));
    painter.drawPath(OutlinePath(t.outline));
    painter.setPen(writer.pen(MarkColour, MarkWidth, Qt::DashLine));
    for (const MarkLine& mark : t.marks)
        painter.drawLine(QPointF(mark.from.x, mark.from.y), QPointF(mark.to.x, mark.to.y));
    // The writer places texts in page millimetres.
    const QPointF origin = writer.base().inverted().map(painter.transform().map(QPointF(0, 0)));
    for (const MarkText& text : t.texts)
        writer.text({origin.x() + text.at.x, origin.y() + text.at.y}, FromUtf8(text.text),
                    7 * text.size / DefaultTextSize, Qt::black, text.angle, text.centred);
}

void PaintSideView(PageWriter& writer, QPainter& painter, const Design& design,
                   const Summary& summary, const Tiling& tiling) {
    PaintTiled(writer, painter, tiling, FromUtf8(writer.texts().sideViewPage), [&] {
        QtDrawingSurface surface(painter, 1.0, LineWidth,
                                 QtDrawingSurface::PenWidth::InPainterUnits);
        DrawDesign(design, surface);
        DrawSummaryMarkers(surface, summary);
    });
}

void PaintTemplates(PageWriter& writer, QPainter& painter, const std::vector<CutTemplate>& all) {
    const RectF content = writer.frame().content();
    double x = 0, y = 0, shelf = 0;
    bool open = false;
    for (const CutTemplate& t : all) {
        if (t.width > content.width || t.height > content.height) {
            // Larger than a page: tiled on pages of its own.
            open = false;
            const Tiling tiling = TileArea(
                {-TemplateGap / 2, -TemplateGap / 2, t.width + TemplateGap, t.height + TemplateGap},
                content.width, content.height);
            PaintTiled(writer, painter, tiling,
                       FromUtf8(writer.texts().templatePage).arg(FromUtf8(t.id)),
                       [&] { PaintTemplate(writer, painter, t); });
            continue;
        }
        if (open && x + t.width > content.width) {
            x = 0;
            y += shelf + TemplateGap;
            shelf = 0;
        }
        if (!open || y + t.height > content.height) {
            writer.begin(FromUtf8(writer.texts().templatesPage));
            open = true;
            x = y = shelf = 0;
        }
        painter.save();
        painter.setTransform(writer.base());
        painter.translate(content.x + x, content.y + y);
        PaintTemplate(writer, painter, t);
        painter.restore();
        x += t.width + TemplateGap;
        shelf = std::max(shelf, t.height);
    }
}

void PaintPartsList(PageWriter& writer, const Design& design, const Summary& computed) {
    const OutputTexts& texts = writer.texts();
    const std::vector<PartsListRow> rows = BuildPartsList(design, texts);
    const std::vector<SummaryRow> summary = PartsListSummaryRows(design, computed, texts);
    const RectF content = writer.frame().content();
    const double rowHeight = PartsRowHeight;
    // Column positions as fractions of the width.
    const double columns[] = {0, 0.05, 0.20, 0.42, 0.56, 0.66, 0.74, 0.82, 0.90};
    double y = 0;
    auto page = [&] {
        writer.begin(FromUtf8(FillPattern(texts.partsListPage, {UnitSymbol(texts.units.length)})));
        y = content.y + rowHeight;
        for (int c = 0; c < 9; ++c)
            writer.text(
                {content.x + columns[c] * content.width, y},
                FromUtf8(FillPattern(texts.partsListHeader[c], {UnitSymbol(texts.units.weight)})), 8);
        y += rowHeight + 1;
    };
    auto fits = [&] {
        return y + rowHeight <= content.y + content.height;
    };
    page();
    for (const PartsListRow& row : rows) {
        if (!fits())
            page();
        const QString cells[] = {QString::number(row.recordIndex),
                                 QString(row.depth * 2, QLatin1Char(' ')) + FromUtf8(row.kind),
                                 FromUtf8(row.caption),
                                 FromUtf8(row.material),
                                 FromUtf8(row.length),
                                 FromUtf8(row.diameterA),
                                 FromUtf8(row.diameterB),
                                 FromUtf8(row.wall),
                                 FromUtf8(row.weight)};
        for (int c = 0; c < 9; ++c)
            writer.text({content.x + columns[c] * content.width, y}, cells[c], 8);
        y += rowHeight;
    }
    y += rowHeight;
    // The values start after the longest label, so that no label runs into its value.
    double valuesAt = 0.2 * content.width;
    for (const SummaryRow& row : summary)
        valuesAt = std::max(valuesAt, writer.textWidth(FromUtf8(row.label), 9) + 4);
    for (const SummaryRow& row : summary) {
        if (!fits())
            page();
        writer.text({content.x, y}, FromUtf8(row.label), 9);
        writer.text({content.x + valuesAt, y}, FromUtf8(row.value), 9);
        y += rowHeight;
    }
}

} // namespace

PointF Tiling::tileOrigin(int row, int column) const {
    return {area.x + column * (tileWidth - overlap), area.y + row * (tileHeight - overlap)};
}

Tiling TileArea(RectF area, double tileWidth, double tileHeight) {
    Tiling tiling;
    tiling.area = area;
    tiling.tileWidth = tileWidth;
    tiling.tileHeight = tileHeight;
    tiling.overlap = std::min({TileOverlap, tileWidth / 4, tileHeight / 4});
    auto count = [&](double length, double tile) {
        if (!(length > tile))
            return 1;
        const double n = std::ceil((length - tiling.overlap) / (tile - tiling.overlap));
        // Bounded only to stay an int; the page limit refuses such a drawing.
        return static_cast<int>(std::clamp(n, 1.0, 1e6));
    };
    tiling.columns = count(area.width, tileWidth);
    tiling.rows = count(area.height, tileHeight);
    return tiling;
}

RectF PageFrame::content() const {
    return {0, LabelBand, width, height - LabelBand - FooterBand};
}

RectF PageFrame::calibrationBar() const {
    return {0, height - FooterBand + 6, CalibrationLength, 3};
}

RectF SideViewArea(const Design& design, const Summary& summary) {
    const std::optional<RectF> box = MeasureDesignDrawing(design, summary);
    if (!box)
        return {0, 0, 2 * DrawingMargin, 2 * DrawingMargin};
    return {box->x - DrawingMargin, box->y - DrawingMargin, box->width + 2 * DrawingMargin,
            box->height + 2 * DrawingMargin};
}

Tiling SideViewTiling(const Design& design, const Summary& summary, double tileWidth,
                      double tileHeight) {
    RectF area = SideViewArea(design, summary);
    // Where only the white margin would spill onto more pages, the margin gives way: a
    // drawing that fits one page across (or down) takes one page there.
    auto fit = [](double& start, double& length, double tile) {
        if (length > tile && length - 2 * DrawingMargin <= tile) {
            start += (length - tile) / 2;
            length = tile;
        }
    };
    fit(area.x, area.width, tileWidth);
    fit(area.y, area.height, tileHeight);
    return TileArea(area, tileWidth, tileHeight);
}

OutputBudget EstimateDesignPages(const Design& design, const Tiling& side,
                                 const std::vector<CutTemplate>& templates,
                                 const PageFrame& frame) {
    OutputBudget budget;
    const RectF content = frame.content();
    const long long tiles = static_cast<long long>(side.rows) * side.columns;
    budget.pages = tiles;
    budget.drawnItems = tiles * SideViewItems(design);
    for (const CutTemplate& t : templates) {
        const Tiling tiles = TileArea({0, 0, t.width, t.height}, content.width, content.height);
        budget.pages += static_cast<long long>(tiles.rows) * tiles.columns;
    }
    // The parts list: a row a component, then the summary and stability rows.
    const long long rowsPerPage = std::max(
        1LL, static_cast<long long>((content.height - 2 * PartsRowHeight - 1) / PartsRowHeight));
    const long long rows = static_cast<long long>(design.Elements.size()) + PartsSummaryRows;
    budget.pages += (rows + rowsPerPage - 1) / rowsPerPage;
    CheckBudget(budget);
    return budget;
}

OutputBudget EstimateDesignPages(const Design& design, const std::vector<CutTemplate>& templates,
                                 const PageFrame& frame) {
    const RectF content = frame.content();
    const Summary summary = ComputeSummary(design, '.');
    return EstimateDesignPages(design, SideViewTiling(design, summary, content.width, content.height),
                               templates, frame);
}

PagesResult PaintDesignPages(const Design& design, const QString& designName,
                             QPagedPaintDevice& device, const OutputTexts& texts) {
    PagesResult result;
    const QRectF paint = device.pageLayout().paintRect(QPageLayout::Millimeter);
    const PageFrame frame{paint.width(), paint.height()};
    const RectF content = frame.content();
    if (content.height < 20 || frame.width < CalibrationLength + 20) {
        result.reason = "the paper is too small for the pages";
        return result;
    }
    // A drawing of absurd size (a damaged or hostile file) is refused before any page is
    // started rather than spread over thousands of pages.
    const std::vector<CutTemplate> templates = BuildTemplates(design, texts);
    // One summary serves the measuring, the side view's markers and the parts list.
    const Summary summary = ComputeSummary(design, '.');
    const Tiling side = SideViewTiling(design, summary, content.width, content.height);
    const OutputBudget budget = EstimateDesignPages(design, side, templates, frame);
    if (!budget.ok()) {
        result.reason = budget.refusal;
        return result;
    }

    QPainter painter;
    if (!painter.begin(&device)) {
        result.reason = "the pages cannot be started";
        return result;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    PageWriter writer(painter, device, designName, texts);
    PaintSideView(writer, painter, design, summary, side);
    PaintTemplates(writer, painter, templates);
    PaintPartsList(writer, design, summary);
    const bool ended = painter.end();
    result.pages = writer.pages();
    result.ok = ended && !writer.failed();
    if (!result.ok)
        result.reason = "the pages cannot be written";
    return result;
}

} // namespace vantor
