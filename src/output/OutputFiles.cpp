#include "output/OutputFiles.h"

#include "analysis/Summary.h"
#include "canvas/DesignDrawing.h"
#include "canvas/QtDrawingSurface.h"
#include "designfile/SafeFile.h"
#include "model/Design.h"
#include "output/OutputBudget.h"
#include "output/PrintPages.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <QXmlStreamWriter>

#include <cmath>

namespace vantor {

namespace {

// SVG pixels of the side view: a hundredth of a millimetre each.
constexpr int SvgDpi = 2540;
constexpr double SvgPixelsPerMm = SvgDpi / 25.4;
constexpr int PdfDpi = 1200;
// Lines of the side view in SVG: 0.25 mm, in the file's unit, the millimetre.
constexpr double SvgLineWidth = 0.25;

// Qt writes each page's media box in whole points ("595.000000"); the paper's exact size
// has as many characters, so it replaces them in place and the cross-reference table's
// byte offsets stay right.
void ExactMediaBoxes(QByteArray& pdf, const QPageLayout& layout) {
    // Qt's point sizes are whole points too; the millimetre definition is exact.
    const QSizeF exact = layout.pageSize().size(QPageSize::Millimeter) * (72 / 25.4);
    if (exact.isEmpty())
        return;
    const QSizeF page = layout.orientation() == QPageLayout::Landscape ? exact.transposed() : exact;
    auto box = [](double w, double h) {
        return QStringLiteral("/MediaBox [0 0 %1 %2]")
            .arg(w, 0, 'f', 6)
            .arg(h, 0, 'f', 6)
            .toLatin1();
    };
    const QByteArray rounded = box(std::round(page.width()), std::round(page.height()));
    const QByteArray precise = box(page.width(), page.height());
    if (rounded.size() == precise.size())
        pdf.replace(rounded, precise);
}

OutputResult Write(const QByteArray& bytes, const std::filesystem::path& path) {
    OutputResult result;
    const FileWriteResult written = ReplaceFileContents(
        path, std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                        static_cast<std::size_t>(bytes.size())));
    result.ok = written.ok;
    result.reason = written.reason;
    return result;
}

} // namespace

QByteArray SideViewSvg(const Design& design, const QString& title) {
    const Summary summary = ComputeSummary(design, '.');
    const RectF area = SideViewArea(design, summary);
    // Beyond a kilometre the pixel size that fixes the millimetres would overflow.
    constexpr double MaxSide = 1e6;
    if (!(area.width <= MaxSide && area.height <= MaxSide))
        return {};
    const QSize size(static_cast<int>(std::ceil(area.width * SvgPixelsPerMm)),
                     static_cast<int>(std::ceil(area.height * SvgPixelsPerMm)));
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    // Qt takes 72 dpi unless told: the resolution and size make width and height come out
    // in millimetres, and the view box makes drawing units millimetres.
    generator.setResolution(SvgDpi);
    generator.setSize(size);
    generator.setViewBox(
        QRectF(0, 0, size.width() / SvgPixelsPerMm, size.height() / SvgPixelsPerMm));
    generator.setTitle(title);
    generator.setDescription(QStringLiteral("Side view at 1:1, millimetres"));
    QPainter painter;
    if (!painter.begin(&generator))
        return {};
    painter.fillRect(QRectF(0, 0, area.width, area.height), Qt::white);
    painter.translate(-area.x, -area.y);
    {
        QtDrawingSurface surface(painter, 1.0, SvgLineWidth);
        DrawDesign(design, surface);
        DrawSummaryMarkers(surface, summary);
    }
    painter.end();
    // The drawing's lines are hairlines of the screen, which Qt marks as not scaling
    // with the drawing; here one drawing unit is the file's millimetre, so their width
    // is meant in millimetres, and every viewer must take it so.
    QByteArray svg = buffer.data();
    svg.replace(" vector-effect=\"non-scaling-stroke\"", "");
    return svg;
}

QByteArray DesignPdf(const Design& design, const QString& title, const PageSetup& setup,
                     OutputResult& result, const OutputTexts& texts) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(PdfDpi);
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("Vantor"));
        if (!writer.setPageLayout(MakePageLayout(setup))) {
            result = {false, "the paper cannot be set up", 0, {}};
            return {};
        }
        const PagesResult pages = PaintDesignPages(design, title, writer, texts);
        result = {pages.ok, pages.reason, pages.pages, {}};
    }
    if (!result.ok)
        return {};
    QByteArray bytes = buffer.data();
    ExactMediaBoxes(bytes, MakePageLayout(setup));
    return bytes;
}

OutputResult WriteDesignPdf(const Design& design, const QString& title, const PageSetup& setup,
                            const std::filesystem::path& path, const OutputTexts& texts) {
    OutputResult made;
    const QByteArray bytes = DesignPdf(design, title, setup, made, texts);
    if (!made.ok)
        return made;
    OutputResult written = Write(bytes, path);
    written.pages = made.pages;
    return written;
}

OutputResult WriteSideViewSvg(const Design& design, const QString& title,
                              const std::filesystem::path& path) {
    const OutputBudget budget = EstimateSideViewDrawing(design);
    if (!budget.ok())
        return {false, budget.refusal, 0, {}};
    const QByteArray bytes = SideViewSvg(design, title);
    if (bytes.isEmpty())
        return {false, "the side view is too large for an SVG drawing", 0, {}};
    return Write(bytes, path);
}

OutputResult WriteTemplatesSvg(const Design& design, const QString& title,
                               const std::filesystem::path& path,
                               const TemplateSvgOptions& options) {
    const std::vector<CutTemplate> templates = BuildTemplates(design, options.texts);
    if (templates.empty())
        return {false, "the design has no fin set, conical nose or transition to cut", 0, {}};
    const SheetLayout layout = NestTemplates(templates, options.sheet);
    if (layout.ok) {
        const OutputBudget budget = EstimateTemplateSheets(layout);
        if (!budget.ok())
            return {false, budget.refusal, 0, {}};
    }
    const TemplateSheets made = TemplateSheetsSvg(templates, title, options);
    if (!made.ok)
        return {false, made.reason, 0, {}};
    const std::vector<std::filesystem::path> paths =
        SheetPaths(path, static_cast<int>(made.sheets.size()));
    for (std::size_t i = 0; i < paths.size(); ++i) {
        OutputResult written = Write(made.sheets[i], paths[i]);
        if (!written.ok)
            return written;
    }
    return {true, {}, static_cast<int>(paths.size()), made.note};
}

} // namespace vantor
