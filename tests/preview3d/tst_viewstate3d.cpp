#include "preview3d/ViewState3d.h"

#include <QtTest>

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
};

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
