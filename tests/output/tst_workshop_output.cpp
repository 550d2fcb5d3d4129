// Output for the workshop: cutting templates a laser takes as they are (red hairline cuts,
// blue engraving, nested on sheets of a chosen size, the glue tab's name inside its tab),
// and the motor's fill on its outline on the screen and at 1:1.
#include "analysis/Summary.h"
#include "canvas/DesignDrawing.h"
#include "canvas/QtDrawingSurface.h"
#include "model/Design.h"
#include "output/OutputFiles.h"
#include "output/PrintPages.h"
#include "output/TemplateSheets.h"
#include "support/SampleDesigns.h"

#include <QDomDocument>
#include <QImage>
#include <QPainter>
#include <QPolygonF>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

using namespace vantor;
using namespace vantor::test;

namespace {

// Every template kind: the full rocket's fins, marking guide and transition, and a
// conical nose's wrap.
std::vector<CutTemplate> AllKinds() {
    Design design;
    BuildFullRocket(design);
    Design cone;
    BuildNoseAlone(cone);
    std::vector<CutTemplate> templates = BuildTemplates(design);
    for (CutTemplate& t : BuildTemplates(cone))
        templates.push_back(t);
    return templates;
}

// The coordinate pairs of path data, control points included.
QList<QPointF> PathPoints(const QString& d) {
    QList<QPointF> points;
    QList<double> numbers;
    for (const QString& token : d.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        if (!token.at(0).isLetter())
            numbers.append(token.toDouble());
    for (qsizetype i = 0; i + 1 < numbers.size(); i += 2)
        points.append({numbers[i], numbers[i + 1]});
    return points;
}

QList<QDomElement> Elements(const QDomElement& root, const QString& tag) {
    QList<QDomElement> found;
    const QDomNodeList nodes = root.elementsByTagName(tag);
    for (int i = 0; i < nodes.size(); ++i)
        found.append(nodes.at(i).toElement());
    return found;
}

QDomElement GroupById(const QDomElement& root, const QString& id) {
    for (const QDomElement& g : Elements(root, "g"))
        if (g.attribute("id") == id)
            return g;
    return {};
}

// The bounds of the reddish pixels of an image: the motor's fill and outline.
QRect RedBounds(const QImage& image) {
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (qRed(p) > 150 && qGreen(p) < 110 && qBlue(p) < 110)
                bounds |= QRect(x, y, 1, 1);
        }
    return bounds;
}

const TRocketElement& First(const Design& design, const char* kind) {
    for (const auto& element : design.Elements)
        if (element->ClassName == kind)
            return *element;
    qFatal("no %s", kind);
}

} // namespace

class WorkshopOutputTest : public QObject {
    Q_OBJECT

private slots:
    void sheetsAreLaserReady_data() {
        QTest::addColumn<double>("width");
        QTest::addColumn<double>("height");
        QTest::addColumn<bool>("outlines");
        QTest::addColumn<QString>("turned"); // a template that only fits turned
        // The 514 mm marking guide fits no A4: it gets a larger sheet of its own.
        QTest::newRow("A4") << 210.0 << 297.0 << false << "";
        QTest::newRow("A4, texts as outlines") << 210.0 << 297.0 << true << "";
        QTest::newRow("600 x 400 laser bed") << 600.0 << 400.0 << false << "guide-1";
        QTest::newRow("600 x 400, texts as outlines") << 600.0 << 400.0 << true << "guide-1";
    }
    void sheetsAreLaserReady() {
        QFETCH(double, width);
        QFETCH(double, height);
        QFETCH(bool, outlines);
        QFETCH(QString, turned);
        const std::vector<CutTemplate> templates = AllKinds();
        const SheetLayout layout = NestTemplates(templates, {width, height});
        QVERIFY(layout.ok);
        for (const PlacedTemplate& placed : layout.placed)
            QCOMPARE(placed.turned, QString::fromStdString(templates[placed.index].id) == turned);
        TemplateSvgOptions options;
        options.sheet = {width, height};
        options.textAsOutlines = outlines;
        const TemplateSheets made = TemplateSheetsSvg(templates, "rocket", options);
        QVERIFY2(made.ok, made.reason.c_str());
        QCOMPARE(int(made.sheets.size()), layout.sheets);
        QCOMPARE(made.note.empty(), layout.oversize.empty());

        QStringList cutIds;
        int texts = 0;
        for (int sheet = 0; sheet < layout.sheets; ++sheet) {
            const QByteArray& bytes = made.sheets[std::size_t(sheet)];
            const double width = layout.sizes[std::size_t(sheet)].width;
            const double height = layout.sizes[std::size_t(sheet)].height;
            QDomDocument svg;
            QVERIFY(svg.setContent(bytes));
            const QDomElement root = svg.documentElement();
            QCOMPARE(root.attribute("width"), QString::number(width, 'f', 3) + "mm");
            QCOMPARE(root.attribute("height"), QString::number(height, 'f', 3) + "mm");
            QCOMPARE(root.attribute("viewBox"), QString("0 0 %1 %2")
                                                    .arg(QString::number(width, 'f', 3),
                                                         QString::number(height, 'f', 3)));
            const QDomElement cut = GroupById(root, "cut");
            const QDomElement engrave = GroupById(root, "engrave");
            QCOMPARE(cut.attribute("stroke"), QString("#FF0000"));
            QCOMPARE(cut.attribute("stroke-width").toDouble(), 0.01);
            QCOMPARE(cut.attribute("fill"), QString("none"));
            QCOMPARE(engrave.attribute("stroke"), QString("#0000FF"));
            QVERIFY(!bytes.contains("#c80000"));
            // Nothing in the cut group but outlines; no colour of their own.
            QSvgRenderer renderer(bytes);
            QVERIFY(renderer.isValid());
            QList<QRectF> boxes;
            for (const QDomElement& path : Elements(cut, "path")) {
                QVERIFY(!path.hasAttribute("stroke"));
                cutIds << path.attribute("id");
                const QRectF box = renderer.boundsOnElement(path.attribute("id"));
                // The bounds take in half the hairline's width.
                const double slack = HairlineWidth;
                QVERIFY2(box.left() >= SheetBorder - slack && box.top() >= SheetBorder - slack &&
                             box.right() <= width - SheetBorder + slack &&
                             box.bottom() <= height - SheetBorder + slack,
                         qPrintable(QString("%1 at %2, %3 to %4, %5")
                                        .arg(path.attribute("id"))
                                        .arg(box.left())
                                        .arg(box.top())
                                        .arg(box.right())
                                        .arg(box.bottom())));
                for (const QRectF& other : boxes)
                    QVERIFY2(!box.intersects(other), qPrintable(path.attribute("id")));
                boxes.append(box);
            }
            QCOMPARE(Elements(cut, "text").size(), 0);
            texts += int(Elements(engrave, outlines ? "path" : "text").size());
            if (outlines) {
                QCOMPARE(Elements(root, "text").size(), 0);
                for (const QDomElement& glyphs : Elements(engrave, "path"))
                    if (glyphs.attribute("class") == "text") {
                        QCOMPARE(glyphs.attribute("fill"), QString("#0000FF"));
                        for (const QPointF& p : PathPoints(glyphs.attribute("d")))
                            QVERIFY(p.x() >= 0 && p.y() >= 0 && p.x() <= width && p.y() <= height);
                    }
            }
        }
        // Every template once, over all sheets.
        cutIds.sort();
        QCOMPARE(cutIds, (QStringList{"fin-2", "guide-1", "wrap-0", "wrap-4"}));
        int expectedTexts = 0;
        for (const CutTemplate& t : templates)
            expectedTexts += int(t.texts.size()) + (outlines && !t.marks.empty() ? 1 : 0);
        QCOMPARE(texts, expectedTexts);
    }

    void sheetsHoldWhatFitsAndLoseNothing_data() {
        QTest::addColumn<double>("width");
        QTest::addColumn<double>("height");
        QTest::addColumn<bool>("ok");
        QTest::newRow("one large bed") << 1000.0 << 1000.0 << true;
        QTest::newRow("A4") << 210.0 << 297.0 << true;
        QTest::newRow("A6") << 105.0 << 148.0 << true;
        QTest::newRow("no room at all") << 8.0 << 8.0 << false;
        QTest::newRow("not a number") << std::nan("") << 297.0 << false;
    }
    // Every template on one sheet exactly, those that fit the chosen sheet on sheets of
    // that size, the others alone on larger ones; a sheet with no room is refused.
    void sheetsHoldWhatFitsAndLoseNothing() {
        QFETCH(double, width);
        QFETCH(double, height);
        QFETCH(bool, ok);
        const std::vector<CutTemplate> templates = AllKinds();
        const SheetLayout layout = NestTemplates(templates, {width, height});
        QCOMPARE(layout.ok, ok);
        if (!ok) {
            QVERIFY(!layout.reason.empty());
            return;
        }
        QCOMPARE(layout.placed.size(), templates.size());
        QCOMPARE(int(layout.sizes.size()), layout.sheets);
        std::vector<int> onSheet(std::size_t(layout.sheets), 0);
        for (const PlacedTemplate& placed : layout.placed) {
            const CutTemplate& t = templates[placed.index];
            const bool fits = (t.width <= width - 10 && t.height <= height - 10) ||
                              (t.height <= width - 10 && t.width <= height - 10);
            const SheetSize& size = layout.sizes[std::size_t(placed.sheet)];
            QCOMPARE(size.width == width && size.height == height, fits);
            const double w = placed.turned ? t.height : t.width;
            const double h = placed.turned ? t.width : t.height;
            QVERIFY(placed.x >= SheetBorder && placed.x + w <= size.width - SheetBorder + 1e-9);
            QVERIFY(placed.y >= SheetBorder && placed.y + h <= size.height - SheetBorder + 1e-9);
            ++onSheet[std::size_t(placed.sheet)];
        }
        for (int count : onSheet)
            QVERIFY(count > 0);
        if (width == 1000)
            QCOMPARE(layout.sheets, 1);
    }

    void writingSeveralSheetsNumbersTheFiles() {
        Design design;
        BuildFullRocket(design);
        QTemporaryDir dir;
        const std::filesystem::path path = dir.filePath("cut.svg").toStdString();
        TemplateSvgOptions small;
        small.sheet = {200, 160};
        const OutputResult written = WriteTemplatesSvg(design, "rocket", path, small);
        QVERIFY2(written.ok, written.reason.c_str());
        QVERIFY(written.pages > 1);
        const auto paths = SheetPaths(path, written.pages);
        QCOMPARE(QString::fromStdString(paths[1].filename().string()), QString("cut-2.svg"));
        for (const auto& sheet : paths)
            QVERIFY(std::filesystem::exists(sheet));
        QVERIFY(!std::filesystem::exists(path));
        QCOMPARE(SheetPaths(path, 1), std::vector<std::filesystem::path>{path});
    }

    // The tab's name lies inside the tab, whatever the wrap's shape; checked on the
    // glyphs' outlines, control points included.
    void glueTabLabelLiesInsideItsTab_data() {
        QTest::addColumn<double>("a");
        QTest::addColumn<double>("b");
        QTest::addColumn<double>("length");
        QTest::newRow("tube") << 50.0 << 50.0 << 100.0;
        QTest::newRow("transition") << 50.0 << 30.0 << 40.0;
        QTest::newRow("cone") << 60.0 << 0.0 << 200.0;
        QTest::newRow("short transition") << 20.0 << 18.0 << 10.0;
        QTest::newRow("wide flat transition") << 200.0 << 20.0 << 30.0;
    }
    void glueTabLabelLiesInsideItsTab() {
        QFETCH(double, a);
        QFETCH(double, b);
        QFETCH(double, length);
        CutTemplate wrap;
        wrap.id = "wrap-0";
        QVERIFY(MakeWrap(a, b, length, wrap));
        // The tab: the corners from the end of the edge it folds along to the end of the
        // next such edge, three straight steps of the outline.
        QPolygonF tab;
        const auto& steps = wrap.outline.steps;
        const bool tube = a == b;
        const std::size_t first = tube ? 0 : 1; // the outer arc ends where the tab begins
        for (std::size_t i = first; i <= first + 3; ++i)
            tab << QPointF(steps[i].to.x, steps[i].to.y);
        TemplateSvgOptions options;
        options.sheet = {2000, 2000};
        options.textAsOutlines = true;
        const TemplateSheets made = TemplateSheetsSvg({wrap}, "t", options);
        QVERIFY(made.ok);
        QDomDocument svg;
        QVERIFY(svg.setContent(made.sheets[0]));
        QList<QDomElement> glyphs;
        for (const QDomElement& path : Elements(GroupById(svg.documentElement(), "wrap-0-engrave"), "path"))
            if (path.attribute("class") == "text")
                glyphs.append(path);
        QCOMPARE(glyphs.size(), qsizetype(1)); // the template's only text is the tab's name
        // The sheet's border moves the template by the same amount in both directions.
        const QPolygonF placed = tab.translated(SheetBorder, SheetBorder);
        const QList<QPointF> points = PathPoints(glyphs[0].attribute("d"));
        QVERIFY(points.size() > 20);
        for (const QPointF& p : points)
            QVERIFY2(placed.containsPoint(p, Qt::OddEvenFill),
                     qPrintable(QString("%1, %2").arg(p.x()).arg(p.y())));
    }

    // The motor's red fill covers the rectangle its outline encloses, no more: on the
    // screen at several zooms and in the 1:1 SVG drawing.
    void motorFillSitsOnItsOutline_data() {
        QTest::addColumn<bool>("svg");
        QTest::addColumn<double>("zoom");
        QTest::newRow("screen 1:1") << false << 1.0;
        QTest::newRow("screen zoomed 4") << false << 4.0;
        QTest::newRow("1:1 SVG at 4 px/mm") << true << 4.0;
        QTest::newRow("1:1 SVG at 10 px/mm") << true << 10.0;
    }
    void motorFillSitsOnItsOutline() {
        QFETCH(bool, svg);
        QFETCH(double, zoom);
        Design design;
        BuildFullRocket(design);
        const RectF area = SideViewArea(design, ComputeSummary(design, '.'));
        QImage image(int(area.width * zoom), int(area.height * zoom), QImage::Format_ARGB32);
        image.fill(Qt::white);
        if (svg) {
            QSvgRenderer renderer(SideViewSvg(design, "rocket"));
            QVERIFY(renderer.isValid());
            QPainter painter(&image);
            renderer.render(&painter, QRectF(0, 0, area.width * zoom, area.height * zoom));
        } else {
            QtDrawingSurface surface(image, zoom);
            surface.painter().translate(-area.x, -area.y);
            DrawDesign(design, surface);
        }
        const TRocketElement& motor = First(design, "TEngine");
        const QRectF outline((motor.Points[0].x - area.x) * zoom, (motor.Points[0].y - area.y) * zoom,
                             motor.Length * zoom, motor.DiameterA * zoom);
        const QRect red = RedBounds(image);
        QVERIFY(!red.isEmpty());
        // Within a pixel and a half of the outline on every side.
        const double slack = 1.5;
        QVERIFY2(std::abs(red.left() - outline.left()) <= slack &&
                     std::abs(red.top() - outline.top()) <= slack &&
                     std::abs(red.right() + 1 - outline.right()) <= slack &&
                     std::abs(red.bottom() + 1 - outline.bottom()) <= slack,
                 qPrintable(QString("red %1,%2 %3x%4, outline %5,%6 %7x%8")
                                .arg(red.x())
                                .arg(red.y())
                                .arg(red.width())
                                .arg(red.height())
                                .arg(outline.x())
                                .arg(outline.y())
                                .arg(outline.width())
                                .arg(outline.height())));
        // Filled right up to the outline: the pixel just inside each corner is red.
        for (const QPointF corner : {outline.topLeft() + QPointF(2, 2),
                                     outline.bottomRight() - QPointF(3, 3)}) {
            const QRgb p = image.pixel(corner.toPoint());
            QVERIFY2(qRed(p) > 150 && qGreen(p) < 110, qPrintable(QString::number(p, 16)));
        }
    }

    // The side view's lines are 0.25 mm in the file's millimetres, for every viewer:
    // no width in screen pixels, and drawn so by an SVG renderer.
    void sideViewLinesAreAQuarterMillimetre() {
        Design design;
        BuildFullRocket(design);
        const QByteArray bytes = SideViewSvg(design, "rocket");
        QVERIFY(!bytes.contains("non-scaling-stroke"));
        const RectF area = SideViewArea(design, ComputeSummary(design, '.'));
        const double zoom = 20;
        QImage image(int(area.width * zoom), int(area.height * zoom), QImage::Format_ARGB32);
        image.fill(Qt::white);
        {
            QSvgRenderer renderer(bytes);
            QPainter painter(&image);
            renderer.render(&painter, QRectF(0, 0, area.width * zoom, area.height * zoom));
        }
        // Across the body tube's upper edge, half way along it: 0.25 mm is 5 pixels.
        const TRocketElement& tube = First(design, "TKorpus");
        const int x = int((tube.Points[0].x + tube.Length / 2 - area.x) * zoom);
        const int y = int((tube.Points[0].y - area.y) * zoom);
        double dark = 0;
        for (int row = y - 20; row <= y + 20; ++row)
            dark += (255 - qGray(image.pixel(x, row))) / 255.0;
        QVERIFY2(dark > 4 && dark < 6, qPrintable(QString::number(dark)));
    }
};

QTEST_MAIN(WorkshopOutputTest)
#include "tst_workshop_output.moc"
