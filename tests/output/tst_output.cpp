// Print, PDF and SVG output: read back through poppler-utils and an XML parser, and
// compared with the design window's own drawing code.
#include "analysis/Summary.h"
#include "canvas/QtDrawingSurface.h"
#include "model/Placing.h"
#include "output/BoundsSurface.h"
#include "output/OutputFiles.h"
#include "output/PartsList.h"
#include "output/PrintPages.h"
#include "support/SampleDesigns.h"

#include <QDomDocument>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

#include <cmath>

using namespace vantor;
using namespace vantor::test;

namespace {

QString Tool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

// One page rendered by poppler as a grey image.
QImage Rasterise(const QString& pdf, int page, double dpi, QRect crop = {}) {
    const QString prefix = pdf + QStringLiteral("-page");
    QStringList args{"-gray", "-singlefile",         "-r", QString::number(dpi),
                     "-f",    QString::number(page), "-l", QString::number(page)};
    if (!crop.isNull())
        args << "-x" << QString::number(crop.x()) << "-y" << QString::number(crop.y()) << "-W"
             << QString::number(crop.width()) << "-H" << QString::number(crop.height());
    QProcess process;
    process.start(QStringLiteral("pdftoppm"), args << pdf << prefix);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return {};
    return QImage(prefix + QStringLiteral(".pgm")).convertToFormat(QImage::Format_Grayscale8);
}

bool Dark(const QImage& image, int x, int y) {
    return image.valid(x, y) && qGray(image.pixel(x, y)) < 200;
}

// The share of `a`'s dark pixels that have a dark pixel of `b` within `radius`.
double Agreement(const QImage& a, const QImage& b, int radius) {
    int dark = 0, matched = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            if (!Dark(a, x, y))
                continue;
            ++dark;
            bool found = false;
            for (int dy = -radius; dy <= radius && !found; ++dy)
                for (int dx = -radius; dx <= radius && !found; ++dx)
                    found = Dark(b, x + dx, y + dy);
            matched += found;
        }
    return dark == 0 ? 0 : double(matched) / dark;
}

// The side view drawn as the design window draws it, at `zoom` pixels per millimetre.
QImage WindowDrawing(Design& design, RectF area, double zoom) {
    QImage image(int(area.width * zoom), int(area.height * zoom),
                 QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    {
        QtDrawingSurface surface(image, zoom);
        surface.painter().translate(-area.x, -area.y);
        PlaceDesign(design);
        DrawDesign(design, surface);
        ComputeSummary(design, &surface, '.');
    }
    return image.convertToFormat(QImage::Format_Grayscale8);
}

// The numbers of an SVG path's data, each command letter followed by its numbers.
QList<QPair<QChar, QList<double>>> PathCommands(const QString& d) {
    QList<QPair<QChar, QList<double>>> commands;
    for (const QString& token : d.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (token.at(0).isLetter())
            commands.append({token.at(0), {}});
        else if (!commands.isEmpty())
            commands.last().second.append(token.toDouble());
    }
    return commands;
}

double Attribute(const QDomElement& e, const char* name) {
    QString text = e.attribute(QString::fromLatin1(name));
    text.remove(QStringLiteral("mm"));
    return text.toDouble();
}

} // namespace

class OutputTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    int made_ = 0;

    QString pdfOf(void (*build)(Design&), PageSetup setup = {}) {
        Design design;
        build(design);
        const QString path = dir_.filePath(QStringLiteral("%1.pdf").arg(++made_));
        return WriteDesignPdf(design, "test", setup, path.toStdString()).ok ? path : QString();
    }

private slots:
    void templatesSvgHoldsTheDesignsNumbers() {
        Design design;
        BuildFullRocket(design);
        // A conical nose in front, so that every kind of template is there.
        Design cone;
        BuildNoseAlone(cone);
        std::vector<CutTemplate> templates = BuildTemplates(design);
        for (CutTemplate& t : BuildTemplates(cone))
            templates.push_back(t);
        // A sheet large enough for all of them, so that one document holds every outline.
        TemplateSvgOptions options;
        options.sheet = {1000, 1000};
        const TemplateSheets sheets = TemplateSheetsSvg(templates, "t", options);
        QVERIFY(sheets.ok);
        QCOMPARE(sheets.sheets.size(), std::size_t(1));
        QDomDocument svg;
        QVERIFY(svg.setContent(sheets.sheets[0]));
        const QDomElement root = svg.documentElement();
        QVERIFY(root.attribute("width").endsWith("mm"));
        const QStringList box = root.attribute("viewBox").split(' ');
        QCOMPARE(box.size(), 4);
        QCOMPARE(box[2].toDouble(), Attribute(root, "width"));
        QCOMPARE(box[3].toDouble(), Attribute(root, "height"));

        QMap<QString, QString> cuts;
        const QDomNodeList paths = root.firstChildElement("g").elementsByTagName("path");
        for (int i = 0; i < paths.size(); ++i)
            cuts[paths.at(i).toElement().attribute("id")] = paths.at(i).toElement().attribute("d");
        QCOMPARE(cuts.keys(), (QStringList{"fin-2", "guide-1", "wrap-0", "wrap-4"}));
        const double eps = 0.01;

        // The fin: root front, tip front, tip rear, root rear.
        const auto fin = PathCommands(cuts["fin-2"]);
        QCOMPARE(fin.size(), 5);
        QCOMPARE(fin.last().first, QChar('Z'));
        const auto p = [&](int i) {
            return fin[i].second;
        };
        QVERIFY(qAbs(p(1)[0] - p(0)[0] - 30) < eps && qAbs(p(0)[1] - p(1)[1] - 60) < eps);
        QVERIFY(qAbs(p(2)[0] - p(1)[0] - 40) < eps && qAbs(p(2)[1] - p(1)[1]) < eps);
        QVERIFY(qAbs(p(3)[0] - p(0)[0] - 80) < eps && qAbs(p(3)[1] - p(0)[1]) < eps);

        // The marking guide is as long as the tube's circumference.
        const auto guide = PathCommands(cuts["guide-1"]);
        QVERIFY(qAbs(guide[1].second[0] - guide[0].second[0] - 3.141592653589793 * 50) < 0.05);

        // The transition 50 -> 40 over 60: a sector of radii s*25/5 and that less s.
        const double s = std::hypot(60.0, 5.0);
        const auto wrap = PathCommands(cuts["wrap-4"]);
        QList<double> radii;
        for (const auto& c : wrap)
            if (c.first == 'A')
                radii.append(c.second[0]);
        QCOMPARE(radii.size(), 2);
        QVERIFY(qAbs(radii[0] - s * 5) < eps);
        QVERIFY(qAbs(radii[1] - s * 4) < eps);
        const double edge = std::hypot(wrap[1].second[0] - wrap[0].second[0],
                                       wrap[1].second[1] - wrap[0].second[1]);
        QVERIFY(qAbs(edge - s) < eps);
        // The outer arc's chord agrees with the sector angle 2 pi r / R.
        const double angle = 2 * 3.141592653589793 * 25 / (s * 5);
        const double chord = std::hypot(wrap[2].second[5] - wrap[1].second[0],
                                        wrap[2].second[6] - wrap[1].second[1]);
        QVERIFY(qAbs(chord - 2 * s * 5 * std::sin(angle / 2)) < eps);

        // The cone (diameter 60, length 200) unrolls to one arc of its slant length.
        const auto coneWrap = PathCommands(cuts["wrap-0"]);
        int arcs = 0;
        for (const auto& c : coneWrap)
            if (c.first == 'A') {
                ++arcs;
                QVERIFY(qAbs(c.second[0] - std::hypot(200.0, 30.0)) < eps);
            }
        QCOMPARE(arcs, 1);
    }

    void degenerateComponentsGiveNoTemplate_data() {
        QTest::addColumn<double>("a");
        QTest::addColumn<double>("b");
        QTest::addColumn<double>("length");
        QTest::addColumn<bool>("made");
        QTest::newRow("frustum") << 50.0 << 30.0 << 40.0 << true;
        QTest::newRow("tube-like transition") << 50.0 << 50.0 << 40.0 << true;
        QTest::newRow("flat") << 50.0 << 30.0 << 0.0 << false;
        QTest::newRow("no diameter") << 0.0 << 0.0 << 40.0 << false;
        QTest::newRow("not a number") << std::nan("") << 30.0 << 40.0 << false;
    }
    void degenerateComponentsGiveNoTemplate() {
        QFETCH(double, a);
        QFETCH(double, b);
        QFETCH(double, length);
        QFETCH(bool, made);
        CutTemplate t;
        QCOMPARE(MakeWrap(a, b, length, t), made);
        if (made)
            QVERIFY(t.width > 0 && t.height > 0 && std::isfinite(t.width));
    }

    void sideViewSvgIsTheWindowsDrawingAtTrueSize() {
        Design design;
        BuildFullRocket(design);
        const RectF area = SideViewArea(design, ComputeSummary(design, '.'));
        const QByteArray bytes = SideViewSvg(design, "rocket");
        QDomDocument svg;
        QVERIFY(svg.setContent(bytes));
        const QDomElement root = svg.documentElement();
        QVERIFY(root.attribute("width").endsWith("mm"));
        QVERIFY(root.attribute("height").endsWith("mm"));
        QVERIFY(qAbs(Attribute(root, "width") - area.width) < 0.01);
        QVERIFY(qAbs(Attribute(root, "height") - area.height) < 0.01);
        const QStringList box = root.attribute("viewBox").split(' ');
        QVERIFY(qAbs(box[2].toDouble() - Attribute(root, "width")) < 0.001);

        // Four pixels a millimetre: the file's 0.25 mm lines are a whole pixel wide.
        const double zoom = 4;
        QSvgRenderer renderer(bytes);
        QVERIFY(renderer.isValid());
        QImage drawn(int(area.width * zoom), int(area.height * zoom), QImage::Format_ARGB32);
        drawn.fill(Qt::white);
        {
            QPainter painter(&drawn);
            renderer.render(&painter, QRectF(0, 0, area.width * zoom, area.height * zoom));
        }
        drawn = drawn.convertToFormat(QImage::Format_Grayscale8);
        const QImage window = WindowDrawing(design, area, zoom);
        QVERIFY2(Agreement(drawn, window, 2) > 0.95,
                 qPrintable(QString::number(Agreement(drawn, window, 2))));
        QVERIFY2(Agreement(window, drawn, 2) > 0.95,
                 qPrintable(QString::number(Agreement(window, drawn, 2))));
    }

    void pdfPagesHaveThePapersSize_data() {
        QTest::addColumn<int>("paper");
        QTest::addColumn<bool>("landscape");
        QTest::addColumn<QString>("size");
        QTest::newRow("A4") << int(Paper::A4) << false << "595.276 x 841.89 pts";
        QTest::newRow("A4 landscape") << int(Paper::A4) << true << "841.89 x 595.276 pts";
        QTest::newRow("Letter") << int(Paper::Letter) << false << "612 x 792 pts";
        QTest::newRow("A3") << int(Paper::A3) << false << "841.89 x 1190.55 pts";
    }
    void pdfPagesHaveThePapersSize() {
        QFETCH(int, paper);
        QFETCH(bool, landscape);
        QFETCH(QString, size);
        const QString pdf = pdfOf(BuildFullRocket, {Paper(paper), landscape});
        QVERIFY(!pdf.isEmpty());
        const QString info = Tool("pdfinfo", {"-f", "1", "-l", "99", pdf});
        const int pages = QRegularExpression("Pages:\\s+(\\d+)").match(info).captured(1).toInt();
        QVERIFY(pages >= 3);
        QCOMPARE(
            info.count(QRegularExpression("Page +\\d+ size: +" + QRegularExpression::escape(size))),
            pages);
    }

    // The parts list writes sizes and weights in the units asked for, and says which.
    void partsListFollowsTheUnits() {
        Design design;
        BuildFullRocket(design);
        OutputTexts inOunces;
        inOunces.units = {LengthUnit::Inch, WeightUnit::Ounce};
        const std::vector<PartsListRow> metric = BuildPartsList(design);
        const std::vector<PartsListRow> imperial = BuildPartsList(design, inOunces);
        QCOMPARE(imperial.size(), metric.size());
        std::size_t rear = 0; // the rear tube: 200 mm long, 40 wide
        while (rear < imperial.size() && imperial[rear].caption != "Rear tube")
            ++rear;
        QVERIFY(rear < imperial.size());
        QCOMPARE(QString::fromStdString(imperial[rear].length), QString("7.87"));
        QCOMPARE(QString::fromStdString(imperial[rear].diameterA), QString("1.57"));
        QCOMPARE(QString::fromStdString(metric[rear].length), QString("200.0"));
        QCOMPARE(QString::fromStdString(imperial[1].kind), QString("body tube"));
        QCOMPARE(QString::fromStdString(imperial[1].weight), QString("1.08")); // 30.5 g

        const QString path = dir_.filePath(QStringLiteral("%1.pdf").arg(++made_));
        QVERIFY(WriteDesignPdf(design, "test", {}, path.toStdString(), inOunces).ok);
        const QString text = Tool("pdftotext", {"-layout", path, "-"});
        QVERIFY2(text.contains("parts list (sizes in in)"), qPrintable(text.right(2000)));
        QVERIFY(text.contains("weight oz"));
        QVERIFY(text.contains("7.87"));
        QVERIFY(!text.contains("sizes in mm") && !text.contains("weight g"));
    }

    void calibrationBarIsOneHundredMillimetres() {
        const QString pdf = pdfOf(BuildFullRocket);
        QVERIFY(!pdf.isEmpty());
        // The bar lies 6 mm into the 14 mm footer of the printable area, 3 mm high.
        const double barTopMm = 297 - 10 - 14 + 6 + 1.5;
        for (const double dpi : {300.0, 1200.0}) {
            const double perMm = dpi / 25.4;
            const int row = int(barTopMm * perMm);
            const QImage strip = Rasterise(pdf, 1, dpi, QRect(0, row, int(112 * perMm), 1));
            QVERIFY(!strip.isNull());
            double covered = 0;
            for (int x = 0; x < strip.width(); ++x)
                covered += (255 - qGray(strip.pixel(x, 0))) / 255.0;
            // Only the bar is dark on that row; its coverage is its length.
            if (dpi == 300)
                QVERIFY2(qAbs(covered - 1181) <= 3, qPrintable(QString::number(covered)));
            else
                QVERIFY2(qAbs(covered * 72 / dpi - 283.46) <= 0.1,
                         qPrintable(QString::number(covered * 72 / dpi)));
        }
    }

    void sideViewTilesOverlapAndMatchTheWindow() {
        Design design;
        BuildFullRocket(design);
        const RectF area = SideViewArea(design, ComputeSummary(design, '.'));
        const QString pdf = pdfOf(BuildFullRocket);
        // 10 pixels a millimetre: every page position falls on a whole pixel.
        const double dpi = 254, perMm = 10;
        const PageFrame frame{190, 277};
        const RectF content = frame.content();
        const Tiling tiling = TileArea(area, content.width, content.height);
        QVERIFY(tiling.columns > 1);
        const QImage first = Rasterise(pdf, 1, dpi), second = Rasterise(pdf, 2, dpi);
        QVERIFY(!first.isNull() && !second.isNull());
        const int top = int((10 + content.y) * perMm), height = int(content.height * perMm);
        const int overlap = int(tiling.overlap * perMm);
        const QImage right =
            first.copy(int((10 + content.width) * perMm) - overlap, top, overlap, height);
        const QImage left = second.copy(int(10 * perMm), top, overlap, height);
        QVERIFY(Agreement(right, left, 1) > 0.98);
        QVERIFY(Agreement(left, right, 1) > 0.98);

        // The first tile is the window's drawing of the same part of the rocket.
        const RectF firstTile{area.x, area.y, content.width, content.height};
        const QImage window = WindowDrawing(design, firstTile, perMm);
        const QImage page = first.copy(int(10 * perMm), top, int(content.width * perMm), height);
        QVERIFY2(Agreement(window, page, 3) > 0.95,
                 qPrintable(QString::number(Agreement(window, page, 3))));
        QVERIFY2(Agreement(page, window, 3) > 0.9,
                 qPrintable(QString::number(Agreement(page, window, 3))));
    }

    // The page labels, the parts list and the template titles speak the language they
    // are given; the summary's values start after the longest label on the page.
    void pagesSpeakTheirLanguageAndLabelsStayClear() {
        Design design;
        BuildFullRocket(design);
        OutputTexts texts;
        texts.pageLabel = "%1 - strona %2 - %3";
        texts.partsListPage = "lista części";
        texts.words = {{"body tube", "rura korpusu"},
                       {"Reference diameter", "Średnica odniesienia"}};
        const QString pdf = dir_.filePath("polish.pdf");
        QVERIFY(WriteDesignPdf(design, "t", {}, pdf.toStdString(), texts).ok);
        const QString text = Tool("pdftotext", {pdf, "-"});
        for (const char* expected :
             {"t - strona 1", "lista części", "rura korpusu", "Barrowman Średnica odniesienia"})
            QVERIFY2(text.contains(QString::fromUtf8(expected)), expected);
        QVERIFY(!text.contains("page 1") && !text.contains("body tube"));

        // Every summary line: its value (the last word) begins after its label ends.
        const QString boxes = Tool("pdftotext", {"-bbox", pdf, "-"});
        const QRegularExpression word(
            R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="[\d.]+">([^<]*)</word>)re");
        QMap<QString, QList<std::tuple<double, double, QString>>> lines; // by page and yMin
        int page = 0;
        for (const QString& line : boxes.split('\n')) {
            if (line.contains("<page "))
                ++page;
            const QRegularExpressionMatch m = word.match(line);
            if (m.hasMatch())
                lines[QStringLiteral("%1/%2").arg(page).arg(m.captured(2))].append(
                    {m.captured(1).toDouble(), m.captured(3).toDouble(), m.captured(4)});
        }
        int checked = 0;
        for (auto words : lines) {
            std::sort(words.begin(), words.end());
            if (words.size() < 3 || std::get<2>(words.first()) != "Barrowman")
                continue;
            const auto& value = words.last();
            const auto& labelEnd = words[words.size() - 2];
            QVERIFY2(std::get<0>(value) > std::get<1>(labelEnd) + 1,
                     qPrintable(std::get<2>(labelEnd) + " / " + std::get<2>(value)));
            ++checked;
        }
        QVERIFY(checked >= 5);

        const std::vector<CutTemplate> templates = BuildTemplates(design, [] {
            OutputTexts t;
            t.finSetTemplate = "Stateczniki";
            t.materialAndCount = "materiał: %1, wyciąć %2";
            t.rootEdge = "krawędź przy korpusie";
            return t;
        }());
        const auto fins =
            std::find_if(templates.begin(), templates.end(),
                         [](const CutTemplate& t) { return t.kind == TemplateKind::Fin; });
        QVERIFY(fins != templates.end());
        QVERIFY(fins->title.starts_with("Stateczniki \""));
        QStringList marks;
        for (const MarkText& mark : fins->texts)
            marks << QString::fromStdString(mark.text);
        QVERIFY2(marks.contains(QString::fromUtf8("krawędź przy korpusie")),
                 qPrintable(marks.join('|')));
        QVERIFY2(marks.filter(QString::fromUtf8("materiał: ")).size() == 1,
                 qPrintable(marks.join('|')));
    }

    // A drawing that fits a page across but for its white margin takes one page, not a
    // second one holding nothing but margin.
    void marginAloneTakesNoPage_data() {
        QTest::addColumn<double>("spare"); // how much narrower than the page the rocket is
        QTest::addColumn<int>("columns");
        QTest::newRow("fits with its margin") << 12.0 << 1;
        QTest::newRow("fits without its margin") << 4.0 << 1;
        QTest::newRow("wider than the page") << -4.0 << 2;
    }
    void marginAloneTakesNoPage() {
        QFETCH(double, spare);
        QFETCH(int, columns);
        Design design;
        BuildNoseAlone(design);
        const PageFrame frame{190, 277};
        const RectF content = frame.content();
        const std::optional<RectF> drawn = MeasureDesignDrawing(design, ComputeSummary(design, '.'));
        QVERIFY(drawn.has_value());
        // Stretch the nose until its drawing is the page's width less `spare`.
        design.Elements.front()->Length += static_cast<float>(content.width - spare - drawn->width);
        Settle(design);
        QCOMPARE(SideViewTiling(design, ComputeSummary(design, '.'), content.width, content.height)
                     .columns,
                 columns);
        OutputResult result;
        QVERIFY(!DesignPdf(design, "t", {}, result).isEmpty());
        QCOMPARE(result.pages, columns + 2); // side view, the cone's template, parts list
    }

    void designsWithoutFinsOrConesGetNoTemplatePages() {
        Design design;
        BuildPolishTexts(design); // parabolic nose, tube, engine mount: nothing to cut
        QVERIFY(BuildTemplates(design).empty());
        const Tiling tiling = TileArea(SideViewArea(design, ComputeSummary(design, '.')), 190, 277 - 24);
        OutputResult result;
        QVERIFY(!DesignPdf(design, "t", {}, result).isEmpty());
        QCOMPARE(result.pages, tiling.rows * tiling.columns + 1);

        const QString svg = dir_.filePath("nothing.svg");
        QVERIFY(!WriteTemplatesSvg(design, "t", svg.toStdString()).ok);
        QVERIFY(!QFile::exists(svg));
    }

    void absurdSizesAreRefusedRatherThanPrinted() {
        Design design;
        AxisY = 300;
        auto& nose = ElementOf<TGlowicaStozek>(AttachNose<TGlowicaStozek>(design, 0));
        nose.Length = 1e7f; // ten kilometres
        nose.Weight = 1;
        Settle(design);
        const QString pdf = dir_.filePath("huge.pdf"), svg = dir_.filePath("huge.svg");
        const OutputResult result = WriteDesignPdf(design, "t", {}, pdf.toStdString());
        QVERIFY(!result.ok);
        QVERIFY(QString::fromStdString(result.reason).contains("pages"));
        QVERIFY(!WriteSideViewSvg(design, "t", svg.toStdString()).ok);
        QVERIFY(!QFile::exists(pdf) && !QFile::exists(svg));
    }

    // The parts list's pages count towards the budget, and the work of drawing every
    // element on every tile of the side view is bounded: both decided before any page.
    void pagesAndDrawingAreBudgetedUpFront_data() {
        QTest::addColumn<float>("length");
        QTest::addColumn<int>("ballast");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("one page of parts") << 200.f << 20 << QString();
        QTest::newRow("parts list over pages") << 200.f << 150 << QString();
        QTest::newRow("parts list beyond the page limit") << 200.f << 30'000 << "pages";
        QTest::newRow("many tiles of many elements")
            << 20'000.f << 4'000 << "elements and dimensions";
    }
    void pagesAndDrawingAreBudgetedUpFront() {
        QFETCH(float, length);
        QFETCH(int, ballast);
        QFETCH(QString, refusal);
        Design design;
        AxisY = 300;
        ElementTree::Node* nose = AttachNose<TGlowicaOgive>(design, 0);
        ElementTree::Node* tube = Attach<TKorpus>(design, nose);
        tube->element->Length = length;
        for (int i = 0; i < ballast; ++i)
            Attach<TBalast>(design, tube);
        PlaceDesign(design);
        const PageFrame frame{190, 277};
        const OutputBudget budget = EstimateDesignPages(design, BuildTemplates(design), frame);
        OutputResult result;
        const QByteArray pdf = DesignPdf(design, "t", {}, result);
        if (refusal.isEmpty()) {
            QVERIFY2(budget.ok() && result.ok, result.reason.c_str());
            // The summary's rows are counted at most, so the parts list may come out a page
            // shorter.
            QVERIFY2(budget.pages == result.pages || budget.pages == result.pages + 1,
                     qPrintable(QStringLiteral("%1 for %2").arg(budget.pages).arg(result.pages)));
        } else {
            QVERIFY(!result.ok && pdf.isEmpty());
            QCOMPARE(QString::fromStdString(result.reason), QString::fromStdString(budget.refusal));
            QVERIFY2(result.reason.find(refusal.toStdString()) != std::string::npos,
                     result.reason.c_str());
        }
    }

    void unwritablePathsLeaveNoFile() {
        Design design;
        BuildFullRocket(design);
        const QString pdf = dir_.filePath("missing/folder/out.pdf");
        const OutputResult result = WriteDesignPdf(design, "t", {}, pdf.toStdString());
        QVERIFY(!result.ok);
        QVERIFY(!result.reason.empty());
        QVERIFY(!QFile::exists(pdf));
        QVERIFY(!WriteSideViewSvg(design, "t", dir_.filePath("missing/a.svg").toStdString()).ok);
    }
};

QTEST_MAIN(OutputTest)
#include "tst_output.moc"
