#include "model/Shaped.h"
#include "support/RecordingSurface.h"

#include <QRandomGenerator>
#include <QTest>

using namespace vantor;
using vantor::test::RecordingSurface;

namespace {

// A concrete shape with the base behaviour.
class PlainShape : public TShaped {
public:
    explicit PlainShape(std::initializer_list<std::pair<double, double>> points) {
        for (auto [x, y] : points)
            Points.push_back({x, y});
    }
};

// The sampled grid visited point by point, as the definition reads.
SampledGrid BruteForceGrid(const TShaped& shape) {
    SampledGrid grid;
    for (auto k = static_cast<long long>(std::trunc(shape.MinY())); k < shape.MaxY(); ++k)
        for (auto i = static_cast<long long>(std::trunc(shape.MinX())); i < shape.MaxX(); ++i) {
            ++grid.all;
            if (shape.ContainsPoint(double(i), double(k))) {
                ++grid.inside;
                grid.insideXSum += i;
            }
        }
    return grid;
}

} // namespace

class TestShaped : public QObject {
    Q_OBJECT

private slots:
    void translateRespectsEditableButScaleDoesNot() {
        PlainShape shape{{1, 2}, {3, 4}};
        shape.Editable = false;
        shape.Translate(3, 4);
        QCOMPARE(shape.Points[0].x, 1.0);
        QCOMPARE(shape.Points[1].y, 4.0);
        shape.ScaleUp(2);
        QCOMPARE(shape.Points[0].x, 2.0);
        QCOMPARE(shape.Points[1].y, 8.0);
        shape.ScaleDown(4);
        QCOMPARE(shape.Points[1].x, 1.5);
    }

    void rotateTurnsClockwiseOnScreenWhenEditable() {
        PlainShape shape{{10, 0}};
        shape.Rotate(0, 0, 90);
        QVERIFY(std::abs(shape.Points[0].x) < 1e-12);
        QVERIFY(std::abs(shape.Points[0].y - 10) < 1e-12);
        shape.Editable = false;
        shape.Rotate(0, 0, 90);
        QVERIFY(std::abs(shape.Points[0].y - 10) < 1e-12);
    }

    void boundsTruncateAndWidenByThePen_data() {
        QTest::addColumn<int>("penWidth");
        QTest::addColumn<QList<double>>("expected"); // width, height, left, top
        QTest::newRow("pen 1") << 1 << QList<double>{24, 24, 8, 18};
        QTest::newRow("no pen") << 0 << QList<double>{20, 20, 10, 20};
    }
    void boundsTruncateAndWidenByThePen() {
        QFETCH(int, penWidth);
        QFETCH(QList<double>, expected);
        PlainShape shape{{10.7, 20.2}, {30.9, 40.5}};
        if (penWidth > 0)
            shape.Pen = TPen{penWidth, 0};
        double w, h, l, t;
        shape.GetBounds(w, h, l, t);
        QCOMPARE((QList<double>{w, h, l, t}), expected);
        const PointI centre = shape.GetCentre();
        QCOMPARE(centre.x, int(w * 0.5 + l));
        QCOMPARE(centre.y, int(h * 0.5 + t));
    }

    void moveToPutsTheBoundsCornerThere() {
        PlainShape shape{{10, 20}, {30, 40}};
        shape.MoveTo(100, 200);
        double w, h, l, t;
        shape.GetBounds(w, h, l, t);
        QCOMPARE(l, 100.0);
        QCOMPARE(t, 200.0);
    }

    void scalingAboutTheCentreKeepsTheCentre() {
        PlainShape shape{{10, 10}, {30, 50}};
        shape.ScaleUpAboutCentre(2);
        QCOMPARE(shape.Points[0].x, 0.0);
        QCOMPARE(shape.Points[1].y, 70.0);
        shape.ScaleDownAboutCentre(2);
        QCOMPARE(shape.Points[0].x, 10.0);
        QCOMPARE(shape.Points[1].y, 50.0);
    }

    void flipMirrorsAboutTheLastPoint() {
        PlainShape shape{{0, 10}, {5, 0}, {10, 10}};
        shape.FlipVertical();
        QCOMPARE(shape.Points[0].y, 10.0);
        QCOMPARE(shape.Points[1].y, 20.0);
        QCOMPARE(shape.Points[2].y, 10.0);
        QVERIFY(shape.Flipped);
        shape.FlipVertical();
        QCOMPARE(shape.Points[1].y, 0.0);
        QVERIFY(!shape.Flipped);
    }

    void extremesStartAtTenThousand() {
        PlainShape empty{};
        QCOMPARE(empty.MinX(), 10000.0);
        QCOMPARE(empty.MaxX(), -10000.0);
        QCOMPARE(empty.MinY(), 10000.0);
        QCOMPARE(empty.MaxY(), -10000.0);
        PlainShape far{{20000, 20000}};
        QCOMPARE(far.MinX(), 10000.0);
        QCOMPARE(far.MaxY(), 20000.0);
        QCOMPARE(empty.ShapeArea(), 0.0);
    }

    void squareSamplesEightyOneOfAHundred() {
        PlainShape square{{0, 0}, {10, 0}, {10, 10}, {0, 10}};
        QCOMPARE(square.ShapeArea(), 81.0);
        QCOMPARE(square.ComputeCG(), 5.0);
        QVERIFY(square.ContainsPoint(1, 1));
        QVERIFY(!square.ContainsPoint(0, 5)); // left edge crosses both vertical edges
        QVERIFY(!square.ContainsPoint(5, 0)); // bottom edge crosses none
    }

    void farOutlinesHaveNoSampledArea_data() {
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("y");
        QTest::newRow("right") << 100000.0 << 5.0;
        QTest::newRow("below") << 5.0 << 150000.0;
        QTest::newRow("left") << -100000.0 << 5.0;
        QTest::newRow("above") << 5.0 << -3e38;
    }
    void farOutlinesHaveNoSampledArea() {
        QFETCH(double, x);
        QFETCH(double, y);
        PlainShape shape{{0, 0}, {x, y}, {10, 10}};
        QCOMPARE(shape.ShapeArea(), 0.0);
        QCOMPARE(shape.ComputeCG(), 0.0);
    }

    void rowSamplingEqualsVisitingEveryPoint() {
        QRandomGenerator random(20261208);
        // Small integer and half-integer coordinates put many grid points exactly on
        // edges and vertices, where the comparisons matter most.
        for (int round = 0; round < 3000; ++round) {
            PlainShape shape{};
            const int n = 1 + int(random.bounded(12));
            for (int i = 0; i < n; ++i) {
                const bool onGrid = random.bounded(2) == 0;
                const double x =
                    onGrid ? int(random.bounded(25)) - 12 : random.bounded(25.0) - 12.0;
                const double y =
                    onGrid ? int(random.bounded(25)) - 12 : (int(random.bounded(50)) - 25) * 0.5;
                shape.Points.push_back({x, y});
            }
            const SampledGrid rows = shape.SampleGrid();
            const SampledGrid brute = BruteForceGrid(shape);
            QCOMPARE(rows.all, brute.all);
            QCOMPARE(rows.inside, brute.inside);
            QCOMPARE(double(rows.insideXSum), double(brute.insideXSum));
        }
    }

    void nearFirstPointIncludesItsBounds_data() {
        QTest::addColumn<double>("dx");
        QTest::addColumn<double>("dy");
        QTest::addColumn<bool>("near");
        QTest::newRow("7 right 7 down") << 7.0 << 7.0 << true;
        QTest::newRow("7 left 7 up") << -7.0 << -7.0 << true;
        QTest::newRow("7.5 right") << 7.5 << 0.0 << false;
        QTest::newRow("7.5 up") << 0.0 << -7.5 << false;
    }
    void nearFirstPointIncludesItsBounds() {
        QFETCH(double, dx);
        QFETCH(double, dy);
        QFETCH(bool, near);
        PlainShape shape{{100, 100}, {200, 200}};
        QCOMPARE(shape.NearFirstPoint(100 + dx, 100 + dy), near);
        QVERIFY(!PlainShape{}.NearFirstPoint(0, 0));
    }

    void pickVertexTakesTheFirstWithinFive() {
        RecordingSurface surface;
        PlainShape shape{{0, 0}, {10, 10}, {12, 12}};
        shape.PickVertex(11, 11, &surface);
        QCOMPARE(shape.HotPoint, 1);
        const auto fills = surface.of(RecordingSurface::Op::PixelFill);
        QCOMPARE(fills.size(), std::size_t(1));
        QCOMPARE(fills[0].values, (std::vector<double>{5, 5, 15, 15}));
        QCOMPARE(fills[0].colour, MakeArgb(255, 255, 255, 255));
        QCOMPARE(surface.count(RecordingSurface::Op::PixelFrame), 1);

        shape.Editable = false;
        shape.PickVertex(0, 0);
        QCOMPARE(shape.HotPoint, 1);
    }

    void deleteHotVertexNeedsPointEditingAndProximity() {
        PlainShape shape{{0, 0}, {10, 10}, {20, 0}};
        shape.HotPoint = 1;
        QVERIFY(!shape.DeleteHotVertex(10, 10));
        shape.PointEditing = true;
        QVERIFY(!shape.DeleteHotVertex(13.5, 10));
        QVERIFY(shape.DeleteHotVertex(13, 7));
        QCOMPARE(shape.Points.size(), std::size_t(2));
        shape.HotPoint = 5;
        QVERIFY(!shape.DeleteHotVertex(0, 0));
    }

    void handlesAreFiveUnitSquaresWhenSelected() {
        RecordingSurface surface;
        PlainShape shape{{10, 20}, {30, 40}};
        shape.DrawHandles(surface);
        QCOMPARE(surface.calls.size(), std::size_t(0));
        shape.Selected = true;
        shape.DrawHandles(surface);
        const auto fills = surface.of(RecordingSurface::Op::FillRect);
        QCOMPARE(fills.size(), std::size_t(2));
        QCOMPARE(fills[1].values, (std::vector<double>{28, 38, 5, 5}));
        QCOMPARE(fills[1].colour, HandleColour);
    }

    void transferMovesTheShape() {
        std::vector<std::unique_ptr<TShaped>> source, target;
        source.push_back(
            std::make_unique<PlainShape>(std::initializer_list<std::pair<double, double>>{}));
        source.push_back(
            std::make_unique<PlainShape>(std::initializer_list<std::pair<double, double>>{}));
        TShaped* second = source[1].get();
        source[0]->TransferTo(source, target, 1);
        QCOMPARE(source.size(), std::size_t(1));
        QCOMPARE(target.size(), std::size_t(1));
        QCOMPARE(target[0].get(), second);
    }
};

QTEST_APPLESS_MAIN(TestShaped)
#include "tst_shaped.moc"
