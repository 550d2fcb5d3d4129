#include "output/TemplateSheets.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainterPath>
#include <QTransform>
#include <QXmlStreamWriter>

#include <algorithm>
#include <cmath>
#include <numeric>

namespace vantor {

namespace {

QString Mm(double value) {
    // "-0.000" and "0.000" are the same place; write it one way.
    const QString text = QString::number(value, 'f', 3);
    return text == QLatin1String("-0.000") ? QStringLiteral("0.000") : text;
}

QString Point(QPointF p) {
    return Mm(p.x()) + QLatin1Char(' ') + Mm(p.y());
}

QPointF Map(const QTransform& place, TemplatePoint p) {
    return place.map(QPointF(p.x, p.y));
}

// The template's own millimetres onto the sheet: moved to its corner, and for a turned
// template a quarter turn clockwise, so that its left edge becomes its top.
QTransform Placement(const CutTemplate& t, const PlacedTemplate& at) {
    if (!at.turned)
        return QTransform::fromTranslate(at.x, at.y);
    return QTransform(0, 1, -1, 0, at.x + t.height, at.y);
}

// A turn or a move keeps an arc's radius and the sense it turns in, so only its end
// points move.
QString PathData(const CutOutline& outline, const QTransform& place) {
    QString d = QStringLiteral("M ") + Point(Map(place, outline.start));
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
        d += Point(Map(place, step.to));
    }
    return d + QStringLiteral(" Z");
}

QFont OutlineFont() {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    // Glyphs are taken at a large size and scaled down, so no hinting bends them.
    font.setPixelSize(100);
    return font;
}

// A text's glyph outlines as path data on the sheet.
QString GlyphPathData(const MarkText& text, const QTransform& place) {
    const QFont font = OutlineFont();
    const QString string = QString::fromStdString(text.text);
    QPainterPath glyphs;
    glyphs.addText(0, 0, font, string);
    const double shift = text.centred ? -QFontMetricsF(font).horizontalAdvance(string) / 2 : 0;
    QTransform toSheet = QTransform::fromTranslate(shift, 0);
    toSheet *= QTransform::fromScale(text.size / 100, text.size / 100);
    toSheet *= QTransform().rotate(text.angle);
    toSheet *= QTransform::fromTranslate(text.at.x, text.at.y);
    toSheet *= place;
    const QPainterPath path = toSheet.map(glyphs);
    QString d;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        if (e.isMoveTo()) {
            if (i > 0)
                d += QStringLiteral("Z ");
            d += QStringLiteral("M ") + Point(e) + QLatin1Char(' ');
        } else if (e.isLineTo()) {
            d += QStringLiteral("L ") + Point(e) + QLatin1Char(' ');
        } else if (e.isCurveTo() && i + 2 < path.elementCount()) {
            d += QStringLiteral("C ") + Point(e) + QLatin1Char(' ') + Point(path.elementAt(i + 1)) +
                 QLatin1Char(' ') + Point(path.elementAt(i + 2)) + QLatin1Char(' ');
            i += 2;
        }
    }
    return d.isEmpty() ? d : d + QLatin1Char('Z');
}

void WriteText(QXmlStreamWriter& xml, const MarkText& text, const QTransform& place, bool turned,
               bool asOutlines) {
    if (asOutlines) {
        const QString d = GlyphPathData(text, place);
        if (d.isEmpty())
            return;
        xml.writeEmptyElement(QStringLiteral("path"));
        xml.writeAttribute(QStringLiteral("class"), QStringLiteral("text"));
        xml.writeAttribute(QStringLiteral("d"), d);
        xml.writeAttribute(QStringLiteral("fill"), QString::fromLatin1(EngraveColour));
        xml.writeAttribute(QStringLiteral("stroke"), QStringLiteral("none"));
        return;
    }
    const QPointF at = Map(place, text.at);
    const double angle = text.angle + (turned ? 90 : 0);
    xml.writeStartElement(QStringLiteral("text"));
    xml.writeAttribute(QStringLiteral("x"), Mm(at.x()));
    xml.writeAttribute(QStringLiteral("y"), Mm(at.y()));
    if (angle != 0)
        xml.writeAttribute(QStringLiteral("transform"),
                           QStringLiteral("rotate(%1 %2)").arg(Mm(angle), Point(at)));
    if (text.centred)
        xml.writeAttribute(QStringLiteral("text-anchor"), QStringLiteral("middle"));
    xml.writeAttribute(QStringLiteral("font-family"),
                       QStringLiteral("Liberation Sans, sans-serif"));
    xml.writeAttribute(QStringLiteral("font-size"), Mm(text.size));
    xml.writeAttribute(QStringLiteral("fill"), QString::fromLatin1(EngraveColour));
    xml.writeAttribute(QStringLiteral("stroke"), QStringLiteral("none"));
    xml.writeCharacters(QString::fromStdString(text.text));
    xml.writeEndElement();
}

QByteArray SheetSvg(const std::vector<CutTemplate>& templates, const SheetLayout& layout, int sheet,
                    const QString& title, const TemplateSvgOptions& options) {
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("svg"));
    xml.writeDefaultNamespace(QStringLiteral("http://www.w3.org/2000/svg"));
    xml.writeAttribute(QStringLiteral("version"), QStringLiteral("1.1"));
    const SheetSize size = layout.sizes[std::size_t(sheet)];
    xml.writeAttribute(QStringLiteral("width"), Mm(size.width) + QStringLiteral("mm"));
    xml.writeAttribute(QStringLiteral("height"), Mm(size.height) + QStringLiteral("mm"));
    xml.writeAttribute(QStringLiteral("viewBox"),
                       QStringLiteral("0 0 ") + Point(QPointF(size.width, size.height)));
    xml.writeTextElement(QStringLiteral("title"),
                         layout.sheets > 1 ? QString::fromStdString(options.texts.sheetTitle)
                                                 .arg(title)
                                                 .arg(sheet + 1)
                                                 .arg(layout.sheets)
                                           : title);
    const QString hairline = Mm(HairlineWidth);
    std::vector<const PlacedTemplate*> here;
    for (const PlacedTemplate& placed : layout.placed)
        if (placed.sheet == sheet)
            here.push_back(&placed);

    xml.writeStartElement(QStringLiteral("g"));
    xml.writeAttribute(QStringLiteral("id"), QStringLiteral("cut"));
    xml.writeAttribute(QStringLiteral("fill"), QStringLiteral("none"));
    xml.writeAttribute(QStringLiteral("stroke"), QString::fromLatin1(CutStroke));
    xml.writeAttribute(QStringLiteral("stroke-width"), hairline);
    for (const PlacedTemplate* placed : here) {
        const CutTemplate& t = templates[placed->index];
        xml.writeStartElement(QStringLiteral("path"));
        xml.writeAttribute(QStringLiteral("id"), QString::fromStdString(t.id));
        xml.writeAttribute(QStringLiteral("d"), PathData(t.outline, Placement(t, *placed)));
        xml.writeTextElement(QStringLiteral("title"), QString::fromStdString(t.title));
        xml.writeEndElement();
    }
    xml.writeEndElement();

    xml.writeStartElement(QStringLiteral("g"));
    xml.writeAttribute(QStringLiteral("id"), QStringLiteral("engrave"));
    xml.writeAttribute(QStringLiteral("fill"), QStringLiteral("none"));
    xml.writeAttribute(QStringLiteral("stroke"), QString::fromLatin1(EngraveColour));
    xml.writeAttribute(QStringLiteral("stroke-width"), hairline);
    for (const PlacedTemplate* placed : here) {
        const CutTemplate& t = templates[placed->index];
        const QTransform place = Placement(t, *placed);
        xml.writeStartElement(QStringLiteral("g"));
        xml.writeAttribute(QStringLiteral("id"), QString::fromStdString(t.id) + "-engrave");
        if (!t.marks.empty()) {
            QString d;
            for (const MarkLine& mark : t.marks)
                d += QStringLiteral("M %1 L %2 ")
                         .arg(Point(Map(place, mark.from)), Point(Map(place, mark.to)));
            xml.writeEmptyElement(QStringLiteral("path"));
            xml.writeAttribute(QStringLiteral("class"), QStringLiteral("mark"));
            xml.writeAttribute(QStringLiteral("d"), d.trimmed());
        }
        for (const MarkText& text : t.texts)
            WriteText(xml, text, place, placed->turned, options.textAsOutlines);
        xml.writeEndElement();
    }
    xml.writeEndElement();

    xml.writeEndElement();
    xml.writeEndDocument();
    return bytes;
}

} // namespace

SheetLayout NestTemplates(const std::vector<CutTemplate>& templates, SheetSize sheet) {
    SheetLayout layout;
    const double roomX = sheet.width - 2 * SheetBorder, roomY = sheet.height - 2 * SheetBorder;
    if (!(roomX > 0 && roomY > 0 && std::isfinite(roomX) && std::isfinite(roomY))) {
        layout.reason = "the sheet is too small to hold anything";
        return layout;
    }
    layout.placed.resize(templates.size());
    // Each template's size as it goes on the sheet.
    std::vector<double> wide(templates.size()), high(templates.size());
    std::vector<std::size_t> order;
    for (std::size_t i = 0; i < templates.size(); ++i) {
        const CutTemplate& t = templates[i];
        PlacedTemplate& placed = layout.placed[i];
        placed.index = i;
        if (t.width <= roomX && t.height <= roomY) {
            wide[i] = t.width;
            high[i] = t.height;
        } else if (t.height <= roomX && t.width <= roomY) {
            placed.turned = true;
            wide[i] = t.height;
            high[i] = t.width;
        } else {
            layout.oversize.push_back(i);
            continue;
        }
        order.push_back(i);
    }
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return high[a] > high[b]; });

    struct Shelf {
        int sheet;
        double y, height, used;
    };
    std::vector<Shelf> shelves;
    for (const std::size_t i : order) {
        Shelf* chosen = nullptr;
        for (Shelf& shelf : shelves)
            if (high[i] <= shelf.height && shelf.used + TemplateSpacing + wide[i] <= roomX) {
                chosen = &shelf;
                break;
            }
        if (chosen == nullptr) {
            if (!shelves.empty() &&
                shelves.back().y + shelves.back().height + TemplateSpacing + high[i] <= roomY) {
                const Shelf& last = shelves.back();
                shelves.push_back({last.sheet, last.y + last.height + TemplateSpacing, high[i],
                                   -TemplateSpacing});
            } else {
                shelves.push_back(
                    {shelves.empty() ? 0 : shelves.back().sheet + 1, 0, high[i], -TemplateSpacing});
            }
            chosen = &shelves.back();
        }
        PlacedTemplate& placed = layout.placed[i];
        placed.sheet = chosen->sheet;
        placed.x = SheetBorder + chosen->used + TemplateSpacing;
        placed.y = SheetBorder + chosen->y;
        chosen->used += TemplateSpacing + wide[i];
    }
    layout.sheets = shelves.empty() ? 0 : shelves.back().sheet + 1;
    layout.sizes.assign(std::size_t(layout.sheets), sheet);
    for (const std::size_t i : layout.oversize) {
        const CutTemplate& t = templates[i];
        PlacedTemplate& placed = layout.placed[i];
        placed.sheet = layout.sheets++;
        placed.x = placed.y = SheetBorder;
        layout.sizes.push_back({std::max(sheet.width, t.width + 2 * SheetBorder),
                                std::max(sheet.height, t.height + 2 * SheetBorder)});
    }
    layout.ok = true;
    return layout;
}

TemplateSheets TemplateSheetsSvg(const std::vector<CutTemplate>& templates, const QString& title,
                                 const TemplateSvgOptions& options) {
    TemplateSheets result;
    const SheetLayout layout = NestTemplates(templates, options.sheet);
    if (!layout.ok) {
        result.reason = layout.reason;
        return result;
    }
    for (int sheet = 0; sheet < layout.sheets; ++sheet)
        result.sheets.push_back(SheetSvg(templates, layout, sheet, title, options));
    for (const std::size_t i : layout.oversize) {
        const CutTemplate& t = templates[i];
        const SheetSize& size = layout.sizes[std::size_t(layout.placed[i].sheet)];
        result.note +=
            FillPattern(options.texts.largerThanSheet,
                        {t.title, Mm(size.width).toStdString(), Mm(size.height).toStdString()}) +
            "\n";
    }
    result.ok = true;
    return result;
}

std::vector<std::filesystem::path> SheetPaths(const std::filesystem::path& path, int sheets) {
    if (sheets == 1)
        return {path};
    std::vector<std::filesystem::path> paths;
    for (int i = 1; i <= sheets; ++i) {
        std::filesystem::path numbered = path;
        numbered.replace_filename(path.stem().string() + "-" + std::to_string(i) +
                                  path.extension().string());
        paths.push_back(numbered);
    }
    return paths;
}

} // namespace vantor
