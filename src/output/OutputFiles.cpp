#include "output/OutputFiles.h"

#include "analysis/Summary.h"
#include "canvas/DesignDrawing.h"
#include "canvas/QtDrawingSurface.h"
#include "designfile/SafeFile.h"
#include "model/Design.h"
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
// Hairlines of the side view in SVG, in CSS pixels (0.25 mm).
constexpr double SvgLineWidth = 0.25 / 25.4 * 96;
constexpr double SheetMargin = 5;
constexpr double SheetGap = 10;

QString Mm(double value) {
    return QString::number(value, 'f', 3);
}

QString Point(double x, double y) {
    return Mm(x) + QLatin1Char(' ') + Mm(y);
}

QString PathData(const CutOutline& outline, double dx, double dy) {
    QString d = QStringLiteral("M ") + Point(outline.start.x + dx, outline.start.y + dy);
    for (const OutlineStep& step : outline.steps) {
        if (step.arc) {
            const double sweep = step.endAngle - step.startAngle;
            d += QStringLiteral(" A %1 %1 0 %2 %3 ")
                     .arg(Mm(step.radius))
                     .arg(std::abs(sweep) > 3.141592653589793 ? 1 : 0)
                     .arg(sweep > 0 ? 1 : 0);
        } else {
            d += QStringLiteral(" L ");
        }
        d += Point(step.to.x + dx, step.to.y + dy);
    }
    return d + QStringLiteral(" Z");
}

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

QByteArray SideViewSvg(Design& design, const QString& title) {
    const Unselected unselected(design);
    const RectF area = SideViewArea(design);
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
        ComputeSummary(design, &surface, '.');
    }
    painter.end();
    return buffer.data();
}

QByteArray TemplatesSvg(const std::vector<CutTemplate>& templates, const QString& title) {
    double width = SheetMargin, height = 0;
    for (const CutTemplate& t : templates) {
        width += t.width + SheetGap;
        height = std::max(height, t.height);
    }
    width += SheetMargin - (templates.empty() ? 0 : SheetGap);
    height += 2 * SheetMargin;

    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("svg"));
    xml.writeDefaultNamespace(QStringLiteral("http://www.w3.org/2000/svg"));
    xml.writeAttribute(QStringLiteral("version"), QStringLiteral("1.1"));
    xml.writeAttribute(QStringLiteral("width"), Mm(width) + QStringLiteral("mm"));
    xml.writeAttribute(QStringLiteral("height"), Mm(height) + QStringLiteral("mm"));
    xml.writeAttribute(QStringLiteral("viewBox"), QStringLiteral("0 0 ") + Point(width, height));
    xml.writeTextElement(QStringLiteral("title"), title);
    double x = SheetMargin;
    for (const CutTemplate& t : templates) {
        const double dx = x, dy = SheetMargin;
        xml.writeStartElement(QStringLiteral("g"));
        xml.writeAttribute(QStringLiteral("id"), QString::fromStdString(t.id));
        xml.writeTextElement(QStringLiteral("title"), QString::fromStdString(t.title));
        xml.writeEmptyElement(QStringLiteral("path"));
        xml.writeAttribute(QStringLiteral("class"), QStringLiteral("cut"));
        xml.writeAttribute(QStringLiteral("d"), PathData(t.outline, dx, dy));
        xml.writeAttribute(QStringLiteral("fill"), QStringLiteral("none"));
        xml.writeAttribute(QStringLiteral("stroke"), QStringLiteral("#c80000"));
        xml.writeAttribute(QStringLiteral("stroke-width"), QStringLiteral("0.1"));
        if (!t.marks.empty()) {
            QString d;
            for (const MarkLine& mark : t.marks)
                d += QStringLiteral("M %1 L %2 ")
                         .arg(Point(mark.from.x + dx, mark.from.y + dy),
                              Point(mark.to.x + dx, mark.to.y + dy));
            xml.writeEmptyElement(QStringLiteral("path"));
            xml.writeAttribute(QStringLiteral("class"), QStringLiteral("mark"));
            xml.writeAttribute(QStringLiteral("d"), d.trimmed());
            xml.writeAttribute(QStringLiteral("fill"), QStringLiteral("none"));
            xml.writeAttribute(QStringLiteral("stroke"), QStringLiteral("#0000be"));
            xml.writeAttribute(QStringLiteral("stroke-width"), QStringLiteral("0.1"));
            xml.writeAttribute(QStringLiteral("stroke-dasharray"), QStringLiteral("2 1"));
        }
        for (const MarkText& text : t.texts) {
            xml.writeStartElement(QStringLiteral("text"));
            xml.writeAttribute(QStringLiteral("x"), Mm(text.at.x + dx));
            xml.writeAttribute(QStringLiteral("y"), Mm(text.at.y + dy));
            xml.writeAttribute(QStringLiteral("font-family"), QStringLiteral("sans-serif"));
            xml.writeAttribute(QStringLiteral("font-size"), QStringLiteral("3"));
            xml.writeCharacters(QString::fromStdString(text.text));
            xml.writeEndElement();
        }
        xml.writeEndElement();
        x += t.width + SheetGap;
    }
    xml.writeEndElement();
    xml.writeEndDocument();
    return bytes;
}

QByteArray DesignPdf(Design& design, const QString& title, const PageSetup& setup,
                     OutputResult& result) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(PdfDpi);
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("Vantor"));
        if (!writer.setPageLayout(MakePageLayout(setup))) {
            result = {false, "the paper cannot be set up", 0};
            return {};
        }
        const PagesResult pages = PaintDesignPages(design, title, writer);
        result = {pages.ok, pages.reason, pages.pages};
    }
    if (!result.ok)
        return {};
    QByteArray bytes = buffer.data();
    ExactMediaBoxes(bytes, MakePageLayout(setup));
    return bytes;
}

OutputResult WriteDesignPdf(Design& design, const QString& title, const PageSetup& setup,
                            const std::filesystem::path& path) {
    OutputResult made;
    const QByteArray bytes = DesignPdf(design, title, setup, made);
    if (!made.ok)
        return made;
    OutputResult written = Write(bytes, path);
    written.pages = made.pages;
    return written;
}

OutputResult WriteSideViewSvg(Design& design, const QString& title,
                              const std::filesystem::path& path) {
    const QByteArray bytes = SideViewSvg(design, title);
    if (bytes.isEmpty())
        return {false, "the side view is too large for an SVG drawing", 0};
    return Write(bytes, path);
}

OutputResult WriteTemplatesSvg(Design& design, const QString& title,
                               const std::filesystem::path& path) {
    const std::vector<CutTemplate> templates = BuildTemplates(design);
    if (templates.empty())
        return {false, "the design has no fin set, conical nose or transition to cut", 0};
    return Write(TemplatesSvg(templates, title), path);
}

} // namespace vantor
