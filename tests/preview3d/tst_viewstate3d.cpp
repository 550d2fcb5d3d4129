#include "preview3d/ViewState3d.h"

#include <QtTest>

#include <cmath>
#include <vector>

using namespace vantor;

class TestViewState3d : public QObject {
    Q_OBJECT
private slots:
    void startsWithTheInitialView();
    void projection_data();
    void projection();
    void dragTiltsByTheWindowShare_data();
    void dragTiltsByTheWindowShare();
    void spinStepsHalfADegreeBack();
    void wheelZoomsByATenthANotchWithinLimits();
    void closingLevelsAndRecentresButKeepsTurnAndSpin();
    void fitShowsTheWholeModelTurnedAnyWay_data();
    void fitShowsTheWholeModelTurnedAnyWay();
    void fitLeavesTheViewWithoutAModel();
    void spinTravel_data();
    void spinTravel();
};

namespace {

// Where a model point lands, in parts of the window's half height and half width (1 at
// the edges), as the window draws it: fitted, turned about the pivot, in perspective.
QPointF Project(const Preview3dViewState& s, int width, int height, double x, double y, double z) {
    const double k = double(s.fitScale) * s.scale;
    x = (x - s.pivotX) * k;
    y *= k;
    z *= k;
    const double ax = s.tiltX * M_PI / 180, ay = s.tiltY * M_PI / 180;
    // About y, then about x (the rotation applied last to the point comes first).
    const double x1 = x * std::cos(ay) + z * std::sin(ay);
    const double z1 = -x * std::sin(ay) + z * std::cos(ay);
    const double y2 = y * std::cos(ax) - z1 * std::sin(ax);
    const double z2 = y * std::sin(ax) + z1 * std::cos(ax) - ViewDistance(s);
    const Projection3d p = ProjectionFor(s, width, height);
    return {x1 * s.nearPlane / -z2 / p.right, y2 * s.nearPlane / -z2 / p.top};
}

// A rocket's vertices: a 0.25-unit ring every half unit from x0 to x1, and one fin tip.
std::vector<float> RocketVertices(double x0, double x1, double finTip) {
    std::vector<float> v;
    for (double x = x0; x <= x1 + 1e-9; x += 0.5)
        for (int k = 0; k < 16; ++k)
            for (double c : {x, 0.25 * std::sin(k * M_PI / 8), 0.25 * std::cos(k * M_PI / 8)})
                v.push_back(float(c));
    for (double c : {x1, finTip, 0.0})
        v.push_back(float(c));
    return v;
}

} // namespace

void TestViewState3d::fitShowsTheWholeModelTurnedAnyWay_data() {
    QTest::addColumn<double>("from");
    QTest::addColumn<double>("to");
    QTest::addColumn<double>("finTip");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::newRow("nose and tube, the opened window") << -4.0 << 3.0 << 0.25 << 1920 << 500;
    QTest::newRow("a small rocket far from the origin") << 20.0 << 21.5 << 0.6 << 1920 << 500;
    QTest::newRow("a long rocket in a tall window") << -10.0 << 30.0 << 2.0 << 400 << 900;
}

void TestViewState3d::fitShowsTheWholeModelTurnedAnyWay() {
    QFETCH(double, from);
    QFETCH(double, to);
    QFETCH(double, finTip);
    QFETCH(int, width);
    QFETCH(int, height);
    const std::vector<float> model = RocketVertices(from, to, finTip);
    Preview3dViewState s;
    s.scale = 4;
    FitToModel(s, model);
    QCOMPARE(s.scale, 1.0f);
    QCOMPARE(s.pivotX, float((from + to) / 2));
    // Whichever way it is turned, no point leaves the window; turned some way, a point
    // comes near the edge of the window's shorter side: the model is as large as it can be.
    double farthest = 0; // in halves of the shorter side
    const double shorter = std::min(width, height);
    for (float tiltX = -90; tiltX <= 90; tiltX += 30)
        for (float tiltY = 0; tiltY < 360; tiltY += 15) {
            s.tiltX = tiltX;
            s.tiltY = tiltY;
            for (std::size_t i = 0; i < model.size(); i += 3) {
                const QPointF p = Project(s, width, height, model[i], model[i + 1], model[i + 2]);
                QVERIFY2(std::abs(p.x()) < 1 && std::abs(p.y()) < 1,
                         qPrintable(QString("%1 %2").arg(tiltX).arg(tiltY)));
                farthest = std::max({farthest, std::abs(p.x()) * width / shorter,
                                     std::abs(p.y()) * height / shorter});
            }
        }
    QCOMPARE_GE(farthest, 0.85);
}

void TestViewState3d::fitLeavesTheViewWithoutAModel() {
    Preview3dViewState s;
    s.scale = 2;
    FitToModel(s, {});
    const std::vector<float> point{3, 0, 0}; // a single point has no size to fit
    FitToModel(s, point);
    QCOMPARE(s.fitScale, 1.0f);
    QCOMPARE(s.pivotX, 0.0f);
    QCOMPARE(s.scale, 2.0f);
}

void TestViewState3d::spinTravel_data() {
    QTest::addColumn<double>("radius");
    QTest::addColumn<float>("turn");
    QTest::addColumn<int>("height");
    QTest::addColumn<bool>("seen");
    // A point one unit from the axis, 80 pixels a unit at most in a 500-pixel window,
    // moves 0.7 pixels in one half-degree step and 1.4 in two.
    QTest::newRow("fin, one step") << 1.0 << 0.5f << 500 << false;
    QTest::newRow("fin, two steps") << 1.0 << 1.0f << 500 << true;
    QTest::newRow("fin, a full turn back to the same place") << 1.0 << 360.0f << 500 << false;
    QTest::newRow("nothing off the axis, half a turn") << 0.0 << 180.0f << 500 << false;
    QTest::newRow("window without area") << 1.0 << 90.0f << 0 << false;
}

void TestViewState3d::spinTravel() {
    QFETCH(double, radius);
    QFETCH(float, turn);
    QFETCH(int, height);
    QFETCH(bool, seen);
    Preview3dViewState s;
    s.spinAngle = -10 - turn;
    const double pixels = SpinTravelPixels(s, radius, -10, 1920, height);
    QCOMPARE(pixels >= 1, seen);
    // Never less than a point that far from the axis really moves on the screen, nearest
    // the eye where the model can be.
    if (height > 0 && radius > 0) {
        const double a = s.spinAngle * M_PI / 180, b = -10 * M_PI / 180;
        s.tiltY = 90; // the point swings towards the eye
        const QPointF p = Project(s, 1920, height, 0, radius * std::sin(a), radius * std::cos(a));
        const QPointF q = Project(s, 1920, height, 0, radius * std::sin(b), radius * std::cos(b));
        const double moved = std::hypot((p.x() - q.x()) * 1920, (p.y() - q.y()) * height) / 2;
        QCOMPARE_GE(pixels + 1e-9, moved);
    }
}

void TestViewState3d::startsWithTheInitialView() {
    const Preview3dViewState s;
    QCOMPARE(s.spinAngle, 0.0f);
    QCOMPARE(s.frustumLeft, -2.0);
    QCOMPARE(s.frustumRight, 2.0);
    QCOMPARE(s.frustumBottom, -2.0);
    QCOMPARE(s.frustumTop, 2.0);
    QCOMPARE(s.nearPlane, 30.0);
    QCOMPARE(s.farPlane, 70.0);
    QCOMPARE(ViewDistance(s), 50.0);
    QCOMPARE(s.tiltX, -10.0f);
    QCOMPARE(s.tiltY, 60.0f);
    QCOMPARE(s.tiltZ, 0.0f);
    QCOMPARE(s.offsetX, 0.0f);
    QCOMPARE(s.offsetY, 0.0f);
    QCOMPARE(s.offsetZ, 0.0f);
    QCOMPARE(s.scale, 1.0f);
    QCOMPARE(s.shininess, 27.8974f);
    QCOMPARE(s.noseRingCount, 0);
}

void TestViewState3d::projection_data() {
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<bool>("frustum");
    QTest::addColumn<double>("right");
    QTest::addColumn<double>("top");
    QTest::newRow("twice as wide as high") << 800 << 400 << true << 4.0 << 2.0;
    QTest::newRow("twice as high as wide") << 400 << 800 << true << 2.0 << 4.0;
    QTest::newRow("square") << 500 << 500 << true << 2.0 << 2.0;
    QTest::newRow("initial window") << 870 << 500 << true << 3.48 << 2.0;
    QTest::newRow("no width: identity") << 0 << 500 << false << 0.0 << 0.0;
    QTest::newRow("no height: identity") << 500 << 0 << false << 0.0 << 0.0;
    QTest::newRow("no size: identity") << 0 << 0 << false << 0.0 << 0.0;
}

void TestViewState3d::projection() {
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(bool, frustum);
    QFETCH(double, right);
    QFETCH(double, top);
    const Projection3d p = ProjectionFor(Preview3dViewState{}, width, height);
    QCOMPARE(p.frustum, frustum);
    if (!frustum)
        return;
    QCOMPARE(p.left, -right);
    QCOMPARE(p.right, right);
    QCOMPARE(p.bottom, -top);
    QCOMPARE(p.top, top);
    QCOMPARE(p.nearPlane, 30.0);
    QCOMPARE(p.farPlane, 70.0);
}

void TestViewState3d::dragTiltsByTheWindowShare_data() {
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<QPoint>("from");
    QTest::addColumn<QPoint>("to");
    QTest::addColumn<float>("tiltX");
    QTest::addColumn<float>("tiltY");
    // The unadjusted frustum is 4 wide: 4 * 30 = 120 degrees across the window, in
    // whatever proportion the window has.
    QTest::newRow("full width turns 120 degrees")
        << 870 << 500 << QPoint(0, 100) << QPoint(870, 100) << -10.0f << 180.0f;
    QTest::newRow("full height tilts 120 degrees")
        << 870 << 500 << QPoint(10, 0) << QPoint(10, 500) << 110.0f << 60.0f;
    QTest::newRow("back and up") << 1920 << 500 << QPoint(960, 250) << QPoint(480, 125) << -40.0f
                                 << 30.0f;
    QTest::newRow("window without area keeps the view")
        << 0 << 0 << QPoint(0, 0) << QPoint(50, 50) << -10.0f << 60.0f;
}

void TestViewState3d::dragTiltsByTheWindowShare() {
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);
    QFETCH(float, tiltX);
    QFETCH(float, tiltY);
    Preview3dViewState s;
    RememberPointer(s, from.x(), from.y());
    TiltByDrag(s, to.x(), to.y(), width, height);
    QCOMPARE(s.tiltX, tiltX);
    QCOMPARE(s.tiltY, tiltY);
    QCOMPARE(s.lastPointerX, to.x());
    QCOMPARE(s.lastPointerY, to.y());
    // Another step from where the pointer now is does nothing without movement.
    TiltByDrag(s, to.x(), to.y(), width, height);
    QCOMPARE(s.tiltY, tiltY);
}

void TestViewState3d::spinStepsHalfADegreeBack() {
    Preview3dViewState s;
    SpinStep(s);
    SpinStep(s);
    SpinStep(s);
    QCOMPARE(s.spinAngle, -1.5f);
}

void TestViewState3d::wheelZoomsByATenthANotchWithinLimits() {
    Preview3dViewState s;
    ZoomByWheel(s, 120);
    QVERIFY(qFuzzyCompare(s.scale, 1.1f));
    ZoomByWheel(s, -240);
    QVERIFY(qFuzzyCompare(s.scale, float(1.1 / 1.21)));
    ZoomByWheel(s, 120 * 1000);
    QCOMPARE(s.scale, 50.0f);
    ZoomByWheel(s, -120 * 1000);
    QCOMPARE(s.scale, 0.05f);
}

void TestViewState3d::closingLevelsAndRecentresButKeepsTurnAndSpin() {
    Preview3dViewState s;
    s.tiltX = 33;
    s.tiltY = 77;
    s.tiltZ = 5;
    s.offsetX = 2;
    s.offsetY = 3;
    s.spinAngle = -42.5f;
    s.noseRingCount = 101;
    ApplyCloseRule(s);
    QCOMPARE(s.tiltX, 0.0f);
    QCOMPARE(s.offsetX, 0.0f);
    QCOMPARE(s.tiltY, 77.0f);
    QCOMPARE(s.tiltZ, 5.0f);
    QCOMPARE(s.offsetY, 3.0f);
    QCOMPARE(s.spinAngle, -42.5f);
    QCOMPARE(s.noseRingCount, 101);
}

QTEST_APPLESS_MAIN(TestViewState3d)
#include "tst_viewstate3d.moc"
