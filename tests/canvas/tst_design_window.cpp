#include "analysis/Summary.h"
#include "canvas/DesignWindow.h"
#include "model/AxisValues.h"
#include "model/FinSet.h"
#include "model/ShapeKinds.h"
#include "support/DesignBuilder.h"
#include "support/FakeDesignHost.h"
#include "support/ScriptedInteraction.h"
#include "support/TestMain.h"

#include <QLabel>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QSignalSpy>

using namespace vantor;

namespace {

const QRgb White = qRgb(255, 255, 255);
const QRgb GridGrey = qRgb(0xE2, 0xE2, 0xE2);

} // namespace

class TestDesignWindow : public QObject {
    Q_OBJECT

private slots:
    void init() {
        AxisY = 275;
        OriginX = 50;
    }

    void gridStartsFromTheCornerOfTheView() {
        test::FakeDesignHost host;
        TMDIChild window(host);
        window.resize(600, 400);
        window.scrollX()->setValue(30);
        window.scrollY()->setValue(0);
        QCOMPARE(window.sourceRect().left(), 30);
        // Vertical lines at 30 + 50, 30 + 100 ...; horizontal ones from the top.
        QCOMPARE(window.backBufferPixel(80, 5), GridGrey);
        QCOMPARE(window.backBufferPixel(130, 5), GridGrey);
        QCOMPARE(window.backBufferPixel(79, 5), White);
        QCOMPARE(window.backBufferPixel(81, 5), White);
        QCOMPARE(window.backBufferPixel(60, 0), GridGrey);
        QCOMPARE(window.backBufferPixel(60, 50), GridGrey);
        QCOMPARE(window.backBufferPixel(60, 49), White);
        // The grid is laid in pixels: at zoom 2 it stays 50 pixels apart.
        window.setScale(2);
        const int top = window.sourceRect().top();
        QCOMPARE(window.backBufferPixel(window.sourceRect().left() + 50, top + 3), GridGrey);
        host.grid = false;
        window.Redraw();
        QCOMPARE(window.backBufferPixel(window.sourceRect().left() + 50, top + 3), White);
    }

    void resizingCentresTheAxis_data() {
        QTest::addColumn<double>("scale");
        QTest::addColumn<int>("height");
        QTest::newRow("zoom 1") << 1.0 << 400;
        QTest::newRow("zoom 2") << 2.0 << 600;
        QTest::newRow("zoom 0.5") << 0.5 << 300;
    }
    void resizingCentresTheAxis() {
        QFETCH(double, scale);
        QFETCH(int, height);
        test::FakeDesignHost host;
        TMDIChild window(host);
        window.resize(500, height);
        window.scrollY()->setValue(1000);
        window.setScale(scale);
        // The scroll bar keeps the position within its range.
        QCOMPARE(window.scrollY()->value(), std::max(0, int(275 * scale - height / 2)));
    }

    void smallImageIsCentredWithGreyMargins() {
        test::FakeDesignHost host;
        TMDIChild window(host, nullptr, QSize(200, 100));
        window.resize(600, 300);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.viewRect().topLeft(), QPoint(200, 100));
        QVERIFY(!window.scrollX()->isVisibleTo(&window));
        QVERIFY(!window.scrollY()->isVisibleTo(&window));
        const QImage shown = window.grab().toImage();
        const QRgb margin = qRgb(212, 208, 200);
        QCOMPARE(shown.pixel(100, 150), margin);
        QCOMPARE(shown.pixel(500, 150), margin);
        QCOMPARE(shown.pixel(300, 50), margin);
        QCOMPARE(shown.pixel(300, 250), margin);
        // The image itself: white with its grid.
        QCOMPARE(shown.pixel(215, 130), White);
    }

    void largeImageScrollsWithBarsSizedToIt() {
        test::FakeDesignHost host;
        TMDIChild window(host, nullptr, QSize(3000, 2000));
        window.resize(600, 400);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(window.scrollX()->isVisibleTo(&window));
        QCOMPARE(window.scrollX()->maximum(), 3000 + window.scrollY()->sizeHint().width() - 600);
        QCOMPARE(window.scrollY()->maximum(), 2000 + window.scrollX()->sizeHint().height() - 400);
    }

    void readoutInMillimetres() {
        test::FakeDesignHost host;
        host.unit = 1;
        TMDIChild window(host);
        window.resize(600, 400);
        window.setScale(2);
        window.scrollX()->setValue(0);
        window.scrollY()->setValue(0);
        window.FormMouseMove(Qt::NoButton, 100, 50);
        if (window.logicalDpiX() == 96)
            QCOMPARE(host.readout, QString("X: 13.2   Y: 6.6 [mm]"));
        QVERIFY(host.readout.endsWith(" [mm]"));
        host.unit = 7;
        window.FormMouseMove(Qt::NoButton, 10, 10);
        QVERIFY(host.readout.endsWith(" [mm]")); // left unchanged
    }

    void pressesSelectWhatTheyHit() {
        test::FakeDesignHost host;
        TMDIChild window(host);
        window.resize(800, 600);
        window.scrollX()->setValue(0);
        window.scrollY()->setValue(0);
        // With both trees empty a press does nothing.
        window.FormMouseDown(Qt::LeftButton, 60, 275);
        QVERIFY(host.selected == nullptr);

        test::DesignBuilder build(window.design());
        auto& nose = build.nose("TGlowicaStozek", 200, 50, 50, 275);
        auto& tube = build.attach("TKorpus", nose);
        window.Redraw();
        // 7 units from the tube's first point, outside its outline.
        window.FormMouseDown(Qt::LeftButton, 250 - 7, 250 - 7);
        QCOMPARE(host.selected->element, &tube);
        QVERIFY(tube.Selected);
        window.FormMouseDown(Qt::LeftButton, 250 - 8, 250 - 8);
        QCOMPARE(host.selected->element, &tube);
        // Inside the nose.
        window.FormMouseDown(Qt::LeftButton, 200, 275);
        QCOMPARE(host.selected->element, &nose);
        QVERIFY(!tube.Selected);
        // At zoom 2 a press at image pixel (200, 550) hits drawing point (100, 275).
        window.setScale(2);
        window.scrollX()->setValue(0);
        window.scrollY()->setValue(400);
        host.selected = nullptr;
        window.FormMouseDown(Qt::LeftButton, 200, 150);
        QVERIFY(host.selected != nullptr);
        QCOMPARE(host.selected->element, &nose);
    }

    // A fin set draws two halves; a press inside either picks it, and a press between
    // them (on the tube) picks the tube.
    void eitherFinHalfAnswersThePointer_data() {
        QTest::addColumn<int>("y");
        QTest::addColumn<QString>("picked");
        QTest::newRow("upper half") << 275 - 25 - 10 << "fins";
        QTest::newRow("lower half") << 275 + 25 + 10 << "fins";
        QTest::newRow("tube between") << 275 << "tube";
        QTest::newRow("beyond the upper tip") << 275 - 25 - 45 << "";
    }
    void eitherFinHalfAnswersThePointer() {
        QFETCH(int, y);
        QFETCH(QString, picked);
        test::FakeDesignHost host;
        TMDIChild window(host);
        window.resize(1200, 600);
        window.scrollX()->setValue(0);
        window.scrollY()->setValue(0);
        test::DesignBuilder build(window.design());
        auto& nose = build.nose("TGlowicaStozek", 200, 50, 50, 275);
        auto& tube = build.attach("TKorpus", nose);
        auto& set = build.attach<TStatecznik>("TStatecznik", tube);
        set.FinA = 100;
        set.FinB = 20;
        set.FinC = 60;
        set.FinD = 40;
        set.Offset = 300;
        window.Redraw();
        // Root from 550 to 650, tip from 570 to 630, 40 above and below the tube.
        window.FormMouseDown(Qt::LeftButton, 600, y);
        const TRocketElement* expected = picked == "fins"   ? &set
                                         : picked == "tube" ? &tube
                                                            : nullptr;
        QCOMPARE(host.selected ? host.selected->element : nullptr, expected);
    }

    void slidingStopsAtTheParentsRearEnd() {
        test::FakeDesignHost host;
        TMDIChild window(host);
        window.resize(1200, 600);
        window.scrollX()->setValue(0);
        test::DesignBuilder build(window.design());
        auto& nose = build.nose("TGlowicaStozek", 200, 50, 50, 275);
        auto& tube = build.attach("TKorpus", nose);
        auto& motor = build.attach("TEngine", tube);
        host.mode = PointerModeKind::SelectAndMove;
        host.selected = window.design().tree.nodeOf(&motor);
        window.FormMouseMove(Qt::LeftButton, 400, 300);
        QCOMPARE(motor.Offset, 150.f);
        window.FormMouseMove(Qt::LeftButton, 751, 300); // beyond the tube's rear end (750)
        QCOMPARE(motor.Offset, 150.f);
        window.FormMouseMove(Qt::LeftButton, 750, 300);
        QCOMPARE(motor.Offset, 500.f);
        QCOMPARE(motor.Points[0].x, 750.0);
        // The root has no parent and never slides.
        host.selected = window.design().tree.nodeOf(&nose);
        window.FormMouseMove(Qt::LeftButton, 300, 300);
        QCOMPARE(nose.Points[0].x, 50.0);
    }

    // A longer nose moves the tube, and the tube its motor, in the same redraw: the
    // picture and the summary never show the motor where the old tube ended.
    void oneRedrawCarriesGrandchildrenAlong() {
        test::FakeDesignHost host;
        TMDIChild window(host);
        test::DesignBuilder build(window.design());
        auto& nose = build.nose("TGlowicaStozek", 200, 50, 50, 275);
        auto& tube = build.attach("TKorpus", nose);
        auto& motor = build.attach("TEngine", tube);
        for (TRocketElement* element : {&nose, &tube, &motor})
            element->ComputeWeight();
        nose.Length = 300;
        window.Redraw();
        QCOMPARE(tube.Points[0].x, 350.0);
        QCOMPARE(motor.Points[0].x, 350.0);
        QVERIFY(!host.summary.failed);
        const std::string shownCg = host.summary.rows.at(3).value;
        window.Redraw();
        QCOMPARE(host.summary.rows.at(3).value, shownCg);
    }

    void threePressesPlaceADimension() {
        test::FakeDesignHost host;
        TMDIChild window(host);
        window.resize(800, 600);
        window.scrollX()->setValue(0);
        window.scrollY()->setValue(0);
        auto dimension = CreateShape("TWymiar");
        dimension->Points = {TPoints{}};
        TShaped& placed = *dimension;
        window.design().insertDimension(std::move(dimension));
        host.mode = PointerModeKind::LinearDimension;
        QSignalSpy told(&window.history(), &EditHistory::designChanged);
        const QPoint presses[] = {{100, 100}, {150, 150}, {160, 140}};
        for (const QPoint& at : presses) {
            window.FormMouseMove(Qt::NoButton, at.x(), at.y());
            window.FormMouseDown(Qt::LeftButton, at.x(), at.y());
        }
        QCOMPARE(host.mode, PointerModeKind::Default);
        QCOMPARE(placed.Points.size(), std::size_t(3));
        // The finished placement is one step, which tells the object window's lists.
        QCOMPARE(told.count(), 1);
        QCOMPARE(QString::fromStdString(placed.Caption), QString("70.71"));
    }

    // The top ruler measures from the nose tip in the display unit and follows the zoom:
    // its numbered ticks stand at whole steps from the tip.
    void rulerTicksFollowTheUnitAndZoom_data() {
        QTest::addColumn<bool>("inches");
        QTest::addColumn<double>("scale");
        QTest::addColumn<int>("tick");   // window x of a numbered tick
        QTest::addColumn<int>("noTick"); // and of a place without one
        // Nose tip at drawing x 50.
        QTest::newRow("mm at 100 %") << false << 1.0 << 100 << 75;   // 50 mm steps
        QTest::newRow("inches at 100 %") << true << 1.0 << 75 << 88; // 1 in = 25.4 px
        QTest::newRow("mm at 200 %") << false << 2.0 << 140 << 150;  // 20 mm = 40 px
    }
    void rulerTicksFollowTheUnitAndZoom() {
        QFETCH(bool, inches);
        QFETCH(double, scale);
        QFETCH(int, tick);
        QFETCH(int, noTick);
        test::FakeDesignHost host;
        if (inches)
            host.units.length = LengthUnit::Inch;
        TMDIChild window(host);
        window.resize(800, 600);
        test::DesignBuilder(window.design()).nose("TGlowicaStozek", 100, 40, 50, 300);
        window.setScale(scale);
        window.scrollX()->setValue(0);
        window.Redraw();
        const QImage ruler = window.findChild<QLabel*>("ImageTopScroll")->pixmap().toImage();
        const qreal ratio = ruler.devicePixelRatio();
        // Only numbered ticks reach this high; the others are half as long.
        const int row = int((ruler.height() / ratio - 8) * ratio);
        const auto dark = [&](int x) {
            return qGray(ruler.pixel(int(x * ratio), row)) < 128;
        };
        const int tip = int(50 * scale) - window.sourceRect().left() + window.viewRect().left();
        QVERIFY2(dark(tip), qPrintable(QString::number(tip)));
        QVERIFY(dark(tick));
        QVERIFY(!dark(noTick));
    }

    // Presses on a ruler neither select what lies under it nor place dimension points.
    void rulersKeepTheirPresses_data() {
        QTest::addColumn<QString>("ruler");
        QTest::newRow("top") << "pLinijkaTop";
        QTest::newRow("left") << "pLinijkaLeft";
    }
    void rulersKeepTheirPresses() {
        QFETCH(QString, ruler);
        test::FakeDesignHost host;
        TMDIChild window(host);
        window.resize(800, 600);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.scrollX()->setValue(0);
        window.scrollY()->setValue(0);
        // A body tube covering the whole view, rulers included.
        AxisY = 300;
        test::DesignBuilder(window.design()).nose("TKorpus", 5000, 2000, -100, 300);
        auto dimension = CreateShape("TWymiar");
        dimension->Points = {TPoints{}};
        TShaped& placed = *dimension;
        window.design().insertDimension(std::move(dimension));
        auto* panel = window.findChild<QWidget*>(ruler);
        QVERIFY(panel != nullptr && panel->isVisible());
        const QPoint at = panel->rect().center();
        host.mode = PointerModeKind::LinearDimension;
        QTest::mouseClick(panel, Qt::LeftButton, {}, at);
        QTest::mouseDClick(panel, Qt::LeftButton, {}, at);
        QCOMPARE(placed.Points.size(), std::size_t(1));
        host.mode = PointerModeKind::Default;
        QTest::mouseClick(panel, Qt::LeftButton, {}, at);
        QCOMPARE(host.selected, nullptr);
        QCOMPARE(host.edits, 0);
        // The same press beside the ruler selects.
        QTest::mouseClick(&window, Qt::LeftButton, {},
                          panel->geometry().bottomRight() + QPoint(30, 30));
        QVERIFY(host.selected != nullptr);
    }

    void doubleClickOpensTheProperties() {
        test::FakeDesignHost host;
        TMDIChild window(host);
        window.FormDblClick();
        QCOMPARE(host.edits, 1);
    }

    void randomPointerEventsKeepTheDesignWhole() {
        test::FakeDesignHost host;
        TMDIChild window(host);
        window.resize(900, 600);
        test::DesignBuilder build(window.design());
        auto& nose = build.nose("TGlowicaOgive", 200, 50, 50, 275);
        auto& tube = build.attach("TKorpus", nose);
        auto& fins = build.attach<TStatecznik>("TStatecznik", tube);
        fins.FinA = 90;
        fins.FinC = 50;
        build.attach("TEngine", tube);
        build.attach("TBalast", nose);
        for (auto& element : window.design().Elements)
            element->Weight = 10;
        QRandomGenerator random(7);
        const PointerModeKind modes[] = {PointerModeKind::Default, PointerModeKind::SelectAndMove,
                                         PointerModeKind::LinearDimension,
                                         PointerModeKind::AngleDimension};
        for (int step = 0; step < 3000; ++step) {
            host.mode = modes[random.bounded(4)];
            if (random.bounded(50) == 0) {
                auto dimension = CreateShape(random.bounded(2) ? "TWymiar" : "TAngleWymiar");
                dimension->Points = {TPoints{}};
                window.design().insertDimension(std::move(dimension));
            }
            if (random.bounded(10) == 0) {
                const auto nodes = window.design().tree.nodesInOrder();
                host.selected =
                    random.bounded(4) == 0 ? nullptr : nodes[random.bounded(int(nodes.size()))];
            }
            const int x = int(random.bounded(1200)) - 150;
            const int y = int(random.bounded(900)) - 150;
            const auto buttons = random.bounded(3) == 0 ? Qt::LeftButton : Qt::NoButton;
            switch (random.bounded(3)) {
            case 0:
                window.FormMouseDown(random.bounded(5) == 0 ? Qt::RightButton : Qt::LeftButton, x,
                                     y);
                break;
            case 1:
                window.FormMouseMove(buttons, x, y);
                break;
            default:
                window.FormDblClick();
            }
        }
        QCOMPARE(window.design().tree.nodeCount(), window.design().Elements.size());
        for (const auto& dimension : window.design().Dimensions)
            QVERIFY(dimension->Points.size() <= 3);
        for (const auto& element : window.design().Elements)
            QVERIFY(element->Points.size() >= element->OutlinePointCount());
        QVERIFY(!host.summary.failed);
    }
};

VANTOR_TEST_MAIN(TestDesignWindow)
#include "tst_design_window.moc"
