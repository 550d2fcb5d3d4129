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

// Turns (x, y, z) by `degrees` in the plane of coordinates a and b, as glRotate does.
void Turn(double v[3], double degrees, int a, int b) {
    const double c = std::cos(degrees * M_PI / 180), s = std::sin(degrees * M_PI / 180);
    const double va = v[a], vb = v[b];
    v[a] = va * c - vb * s;
    v[b] = va * s + vb * c;
}

// Where a model point lands as the window draws it (fitted, spun, turned, in perspective):
// x and y in parts of the window's half width and half height, z the distance from the eye.
struct Landed {
    double x, y, depth;
};

Landed Project(const Preview3dViewState& s, int width, int height, double x, double y, double z) {
    double v[3] = {x - s.pivotX, y, z};
    Turn(v, -s.spinAngle, 1, 2);
    for (double& c : v)
        c *= double(s.fitScale) * s.scale;
    Turn(v, s.tiltZ, 0, 1);
    Turn(v, s.tiltY, 2, 0);
    Turn(v, s.tiltX, 1, 2);
    const double depth = ViewDistance(s) - v[2];
    const Projection3d p = ProjectionFor(s, width, height);
    return {v[0] * s.nearPlane / depth / p.right, v[1] * s.nearPlane / depth / p.top, depth};
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
    QTest::addColumn<float>("tiltX");
    QTest::addColumn<float>("tiltY");
    QTest::newRow("nose and tube, the first view")
        << -4.0 << 3.0 << 0.25 << 1920 << 500 << -10.0f << 60.0f;
    QTest::newRow("nose and tube, from the side")
        << -4.0 << 3.0 << 0.25 << 1920 << 500 << 0.0f << 0.0f;
    QTest::newRow("along the axis") << -4.0 << 3.0 << 0.6 << 1920 << 500 << 0.0f << 90.0f;
    QTest::newRow("a small rocket far from the origin")
        << 20.0 << 21.5 << 0.6 << 1920 << 500 << 0.0f << 60.0f;
    QTest::newRow("a long rocket in a tall window")
        << -10.0 << 30.0 << 2.0 << 400 << 900 << 30.0f << -20.0f;
}

void TestViewState3d::fitShowsTheWholeModelTurnedAnyWay() {
    QFETCH(double, from);
    QFETCH(double, to);
    QFETCH(double, finTip);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(float, tiltX);
    QFETCH(float, tiltY);
    const std::vector<float> model = RocketVertices(from, to, finTip);
    Preview3dViewState s;
    s.tiltX = tiltX;
    s.tiltY = tiltY;
    FitToModel(s, model, width, height);
    QCOMPARE(s.pivotX, float((from + to) / 2));
    // At any spin no point leaves the window or comes nearer than the near plane; and at
    // some spin a point comes near the window's edge: the model is as large as it can be.
    double farthest = 0;
    for (float spin = 0; spin < 360; spin += 15) {
        s.spinAngle = spin;
        for (std::size_t i = 0; i < model.size(); i += 3) {
            const Landed p = Project(s, width, height, model[i], model[i + 1], model[i + 2]);
            QVERIFY2(std::abs(p.x) <= 0.9 + 1e-6 && std::abs(p.y) <= 0.9 + 1e-6,
                     qPrintable(QString("%1 %2").arg(p.x).arg(p.y)));
            QCOMPARE_GT(p.depth, s.nearPlane);
            farthest = std::max({farthest, std::abs(p.x), std::abs(p.y)});
        }
    }
    QCOMPARE_GE(farthest, 0.65);
}

void TestViewState3d::fitLeavesTheViewWithoutAModel() {
    Preview3dViewState s;
    FitToModel(s, {}, 800, 500);
    const std::vector<float> point{3, 0, 0}; // a single point has no size to fit
    FitToModel(s, point, 800, 500);
    const std::vector<float> model = RocketVertices(0, 2, 0.5);
    FitToModel(s, model, 0, 500); // nor a window without area
    QCOMPARE(s.fitScale, 1.0f);
    QCOMPARE(s.pivotX, 0.0f);
}

void TestViewState3d::spinTravel_data() {
    QTest::addColumn<double>("radius");
    QTest::addColumn<float>("turn");
    QTest::addColumn<int>("height");
    QTest::addColumn<bool>("seen");
    // 125 pixels a unit on the near plane of a 500-pixel window: a point half a unit from
    // the axis moves 0.55 pixels in one half-degree step and 1.1 in two.
    QTest::newRow("fin, one step") << 0.5 << 0.5f << 500 << false;
    QTest::newRow("fin, two steps") << 0.5 << 1.0f << 500 << true;
    QTest::newRow("fin, a full turn back to the same place") << 0.5 << 360.0f << 500 << false;
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
    if (height <= 0)
        return;
    // Never less than a point that far from the axis really moves on the screen, wherever
    // it is along a fitted model.
    const std::vector<float> model = RocketVertices(-4, 3, radius);
    FitToModel(s, model, 1920, height);
    const double fitted = SpinTravelPixels(s, radius, -10, 1920, height);
    for (double x : {-4.0, -0.5, 3.0}) {
        Preview3dViewState before = s;
        before.spinAngle = -10;
        const Landed p = Project(s, 1920, height, x, radius, 0);
        const Landed q = Project(before, 1920, height, x, radius, 0);
        const double moved = std::hypot((p.x - q.x) * 1920, (p.y - q.y) * height) / 2;
        QCOMPARE_GE(fitted + 1e-9, moved);
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
