#include "RocketFixture.h"

#include "model/Ballast.h"
#include "model/BodyTubes.h"
#include "model/FinSet.h"
#include "model/NoseCones.h"
#include "preview3d/Form3D.h"
#include "preview3d/Preview3d.h"
#include "preview3d/ViewState3d.h"
#include "support/ResidentGlDriver.h"
#include "support/ScriptedInteraction.h"

#include <QElapsedTimer>
#include <QMouseEvent>
#include <QScreen>
#include <QWheelEvent>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <functional>

using namespace vantor;
using vantor::test::RocketFixture;
using vantor::test::ScriptedInteraction;

namespace {

// Nose tip at model x = -4, nose base at -2, a 500-unit tube to x = 3; radius 0.25.
void NoseAndTube(RocketFixture& rocket, TKorpus** tube = nullptr) {
    auto& nose = rocket.add<TGlowicaStozek>();
    auto& body = rocket.add<TKorpus>(&nose);
    if (tube != nullptr)
        *tube = &body;
}

// The model where the projection alone puts it, without the fit the window opens with.
void Unfitted(Preview3dViewState& state) {
    state.fitScale = 1;
    state.pivotX = 0;
    state.scale = 1;
}

// Looking at the rocket from the side: axis horizontal, nose to the left, unfitted.
void SideView(Preview3dViewState& state) {
    state.tiltX = 0;
    state.tiltY = 0;
    state.spinAngle = 0;
    Unfitted(state);
}

// The bounds of the lit pixels.
QRect LitBounds(const QImage& image) {
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xffffff) != 0)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

int Brightness(QRgb pixel) {
    return std::max({qRed(pixel), qGreen(pixel), qBlue(pixel)});
}

// The brightest pixel and the number of lit pixels inside a rectangle.
struct Band {
    int brightest = 0;
    int lit = 0;
};

Band Measure(const QImage& image, const QRect& area) {
    Band band;
    const QRect r = area.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) {
            const int b = Brightness(image.pixel(x, y));
            band.brightest = std::max(band.brightest, b);
            band.lit += b > 0 ? 1 : 0;
        }
    return band;
}

// The columns [left, right) over the whole height.
QRect Columns(const QImage& image, int left, int right) {
    return QRect(left, 0, right - left, image.height());
}

// Brightest value the dark material can reach: global ambient 0.2 x 0.2, full diffuse
// 0.2 and full specular 0.5 of the white default light.
constexpr int DarkCeiling = 192;

// Screen column of a point on the axis in the side view (depth 50, 75 pixels a unit).
int SideColumn(const QImage& image, double modelX) {
    return int(image.width() / 2 + modelX * 75);
}

struct Blob {
    int pixels = 0;
    double x = 0;
    double y = 0;
};

// Groups the set pixels of a mask into 4-connected blobs of at least `minimum` pixels.
std::vector<Blob> Blobs(const std::vector<char>& mask, int width, int height, int minimum) {
    std::vector<char> seen(mask.size(), 0);
    std::vector<Blob> blobs;
    std::vector<int> stack;
    for (int start = 0; start < int(mask.size()); ++start) {
        if (!mask[start] || seen[start])
            continue;
        Blob blob;
        stack.push_back(start);
        seen[start] = 1;
        while (!stack.empty()) {
            const int i = stack.back();
            stack.pop_back();
            const int x = i % width, y = i / width;
            ++blob.pixels;
            blob.x += x;
            blob.y += y;
            const int next[4][2] = {{x + 1, y}, {x - 1, y}, {x, y + 1}, {x, y - 1}};
            for (const auto& n : next) {
                if (n[0] < 0 || n[1] < 0 || n[0] >= width || n[1] >= height)
                    continue;
                const int j = n[1] * width + n[0];
                if (mask[j] && !seen[j]) {
                    seen[j] = 1;
                    stack.push_back(j);
                }
            }
        }
        if (blob.pixels >= minimum) {
            blob.x /= blob.pixels;
            blob.y /= blob.pixels;
            blobs.push_back(blob);
        }
    }
    return blobs;
}

} // namespace

class TestForm3D : public QObject {
    Q_OBJECT
private slots:
    void init();
    void windowHasItsCaptionSizeAndSurface();
    void backgroundIsBlack();
    void noseAloneIsDark();
    void tubeBehindTheNoseIsWhite();
    void motorsMountsAndBallastAddNothing_data();
    void motorsMountsAndBallastAddNothing();
    void finsAroundTheAxis_data();
    void finsAroundTheAxis();
    void dragTiltsTheView();
    void timerSpinsTheRocket();
    void opensFittedAndTurnsAboutTheModelsMiddle();
    void spinRepaintsOnlyWhatMoves_data();
    void spinRepaintsOnlyWhatMoves();
    void closingAppliesTheCloseRule();
    void wheelZoomsAndEscapeCloses();
    void commandIgnoresAnEmptyDesign();
    void commandReportsMissingOpenGl();
    void commandRunsTheWindowModallyAndDestroysIt();

private:
    QImage Render(const Design& design, Preview3dViewState& state,
                  const std::function<void(Preview3dViewState&)>& view);
};

void TestForm3D::init() {
    OriginX = -400;
    AxisY = 300;
}

QImage TestForm3D::Render(const Design& design, Preview3dViewState& state,
                          const std::function<void(Preview3dViewState&)>& view) {
    TForm3D form(design, state);
    form.show();
    if (!QTest::qWaitForWindowExposed(&form))
        return {};
    test::KeepGlDriversResident();
    // The timer has turned the rocket meanwhile; the picture is taken in the set pose.
    view(state);
    QImage image = form.grabFramebuffer();
    form.close();
    return image;
}

void TestForm3D::windowHasItsCaptionSizeAndSurface() {
    RocketFixture rocket(-400, 300);
    NoseAndTube(rocket);
    rocket.draw();
    Preview3dViewState state;
    TForm3D form(rocket.design, state);
    QCOMPARE(form.windowTitle(), QStringLiteral("3D"));
    QCOMPARE(form.size(), QSize(870, 500));
    QVERIFY(form.isWindow());
    const QSurfaceFormat format = form.format();
    QCOMPARE(format.depthBufferSize(), 16);
    QCOMPARE(format.swapBehavior(), QSurfaceFormat::DoubleBuffer);
    QCOMPARE(format.profile(), QSurfaceFormat::CompatibilityProfile);
    auto* timer = form.findChild<QTimer*>(QStringLiteral("Timer1"));
    QVERIFY(timer != nullptr);
    QCOMPARE(timer->interval(), 5);
    QVERIFY(timer->isActive());

    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QVERIFY(form.glReady());
    QCOMPARE(form.width(), form.screen()->geometry().width());
    QCOMPARE(form.geometry().x(), 0);
    QCOMPARE(form.height(), 500);
}

void TestForm3D::backgroundIsBlack() {
    RocketFixture rocket(-400, 300);
    NoseAndTube(rocket);
    rocket.draw();
    Preview3dViewState state;
    const QImage image = Render(rocket.design, state, SideView);
    QVERIFY(!image.isNull());
    QCOMPARE(image.size(), QSize(image.width(), 500));
    // The rocket lies along the middle row, some 19 pixels either side of it; all
    // around it the picture is black.
    const int w = image.width();
    QVERIFY(Measure(image, QRect(0, 230, w, 40)).lit > 1000);
    QCOMPARE(Measure(image, QRect(0, 0, w, 220)).lit, 0);
    QCOMPARE(Measure(image, QRect(0, 280, w, 220)).lit, 0);
    QCOMPARE(Measure(image, Columns(image, 0, SideColumn(image, -4.2))).lit, 0);
    QCOMPARE(Measure(image, Columns(image, SideColumn(image, 3.2), w)).lit, 0);
    QCOMPARE(image.pixel(0, 0) & 0xffffffu, 0u);
}

void TestForm3D::noseAloneIsDark() {
    RocketFixture rocket(-400, 300);
    rocket.add<TGlowicaStozek>();
    rocket.draw();
    // From the side, and in the window's first view (tilted, turned 60 degrees).
    for (const auto& view : {std::function<void(Preview3dViewState&)>(SideView),
                             std::function<void(Preview3dViewState&)>(
                                 [](Preview3dViewState& s) { s.spinAngle = 0; })}) {
        Preview3dViewState state;
        const QImage image = Render(rocket.design, state, view);
        QVERIFY(!image.isNull());
        const Band all = Measure(image, image.rect());
        QVERIFY(all.lit > 500);
        QCOMPARE_LE(all.brightest, DarkCeiling);
        // Grey throughout: the material and the light have no colour.
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QRgb p = image.pixel(x, y);
                QVERIFY(qRed(p) == qGreen(p) && qGreen(p) == qBlue(p));
            }
    }
}

void TestForm3D::tubeBehindTheNoseIsWhite() {
    RocketFixture rocket(-400, 300);
    NoseAndTube(rocket);
    rocket.draw();
    Preview3dViewState state;
    const QImage image = Render(rocket.design, state, SideView);
    QVERIFY(!image.isNull());
    const Band nose =
        Measure(image, Columns(image, SideColumn(image, -3.9), SideColumn(image, -2.1)));
    const Band tube =
        Measure(image, Columns(image, SideColumn(image, -1.8), SideColumn(image, 2.8)));
    QVERIFY(nose.lit > 100);
    QCOMPARE_LE(nose.brightest, DarkCeiling);
    QVERIFY(tube.lit > 1000);
    // The facets that face the light are lit fully in white.
    QCOMPARE_GE(tube.brightest, 250);
}

void TestForm3D::motorsMountsAndBallastAddNothing_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("motor sticking out of the tube") << "TEngine";
    QTest::newRow("engine mount behind the tube") << "TLozysko";
    QTest::newRow("ballast") << "TBalast";
}

void TestForm3D::motorsMountsAndBallastAddNothing() {
    QFETCH(QString, kind);
    RocketFixture rocket(-400, 300);
    TKorpus* tube = nullptr;
    NoseAndTube(rocket, &tube);
    rocket.draw();
    Preview3dViewState state;
    const QImage before = Render(rocket.design, state, SideView);

    if (kind == "TEngine")
        rocket.add<TEngine>(tube).Offset = 450;
    else if (kind == "TLozysko")
        rocket.add<TLozysko>(tube);
    else
        rocket.add<TBalast>(tube).Offset = 100;
    rocket.draw();
    const QImage after = Render(rocket.design, state, SideView);
    QVERIFY(!before.isNull());
    QCOMPARE(after, before);
}

void TestForm3D::finsAroundTheAxis_data() {
    QTest::addColumn<int>("finCount");
    QTest::addColumn<float>("spin");
    // Fins are flat: seen exactly along the axis they vanish edge-on, so the view is
    // 20 degrees off the axis, and the spin keeps every fin turned towards the eye.
    QTest::newRow("3 fins") << 3 << 0.0f;
    QTest::newRow("4 fins") << 4 << 45.0f;
}

void TestForm3D::finsAroundTheAxis() {
    QFETCH(int, finCount);
    QFETCH(float, spin);
    RocketFixture rocket(-400, 300);
    TKorpus* tube = nullptr;
    NoseAndTube(rocket, &tube);
    auto& fins = rocket.add<TStatecznik>(tube);
    fins.Offset = 440; // model x 2.4 to 3.0, at the rear of the tube
    fins.FinA = 60;
    fins.FinB = 0;
    fins.FinC = 60;
    fins.FinD = 100; // radius 0.25 to 1.25
    rocket.draw();

    const float tiltY = -70; // from behind the tail, 20 degrees to the side
    const auto view = [spin, tiltY](Preview3dViewState& s) {
        s.tiltX = 0;
        s.tiltY = tiltY;
        s.spinAngle = spin;
        Unfitted(s);
    };
    Preview3dViewState state;
    fins.FinCount = finCount;
    const QImage with = Render(rocket.design, state, view);
    fins.FinCount = 0;
    const QImage without = Render(rocket.design, state, view);
    QVERIFY(!with.isNull());
    QCOMPARE(with.size(), without.size());

    const int w = with.width(), h = with.height();
    std::vector<char> mask(std::size_t(w) * std::size_t(h), 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            mask[std::size_t(y) * std::size_t(w) + std::size_t(x)] =
                (with.pixel(x, y) & 0xffffff) != (without.pixel(x, y) & 0xffffff);
    const std::vector<Blob> blobs = Blobs(mask, w, h, 30);
    QCOMPARE(int(blobs.size()), finCount);

    // Where the axis at the fins' mid-chord (x = 2.7) lands in the picture.
    const double theta = tiltY * M_PI / 180;
    const double eyeX = 2.7 * std::cos(theta);
    const double eyeZ = -50 - 2.7 * std::sin(theta);
    const double cx = w / 2.0 + eyeX * 30 / -eyeZ * (h / 4.0);
    const double cy = h / 2.0;
    // The oblique view shortens sideways distances by sin(theta); undo that and measure
    // the angle of each fin around the axis.
    std::vector<double> angles;
    for (const Blob& b : blobs) {
        const double dx = (b.x + 0.5 - cx) / std::abs(std::sin(theta));
        const double dy = cy - (b.y + 0.5);
        angles.push_back(std::atan2(dy, dx) * 180 / M_PI);
    }
    std::sort(angles.begin(), angles.end());
    for (std::size_t i = 0; i < angles.size(); ++i) {
        const double next = i + 1 < angles.size() ? angles[i + 1] : angles[0] + 360;
        const double gap = next - angles[i];
        QVERIFY2(std::abs(gap - 360.0 / finCount) < 3, QByteArray::number(gap));
    }
}

void TestForm3D::dragTiltsTheView() {
    RocketFixture rocket(-400, 300);
    NoseAndTube(rocket);
    rocket.draw();
    Preview3dViewState state;
    TForm3D form(rocket.design, state);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const int w = form.width();
    const auto send = [&form](QEvent::Type type, QPoint at, Qt::MouseButton button,
                              Qt::MouseButtons held) {
        QMouseEvent event(type, at, form.mapToGlobal(at), button, held, Qt::NoModifier);
        QCoreApplication::sendEvent(&form, &event);
    };

    send(QEvent::MouseButtonPress, {100, 100}, Qt::LeftButton, Qt::LeftButton);
    send(QEvent::MouseMove, {100 + w / 4, 100}, Qt::NoButton, Qt::LeftButton);
    QCOMPARE(state.tiltY, 90.0f); // a quarter of the width: 30 degrees
    send(QEvent::MouseMove, {100 + w / 4, 100 + 125}, Qt::NoButton, Qt::LeftButton);
    QCOMPARE(state.tiltX, 20.0f); // a quarter of the height
    send(QEvent::MouseButtonRelease, {100 + w / 4, 225}, Qt::LeftButton, Qt::NoButton);

    // Moving without the left button, or pressing another one, tilts nothing.
    send(QEvent::MouseMove, {0, 0}, Qt::NoButton, Qt::NoButton);
    send(QEvent::MouseButtonPress, {400, 400}, Qt::RightButton, Qt::RightButton);
    send(QEvent::MouseMove, {500, 400}, Qt::NoButton, Qt::RightButton);
    QCOMPARE(state.tiltY, 90.0f);
    QCOMPARE(state.tiltX, 20.0f);
    QCOMPARE(state.lastPointerX, 100 + w / 4);
}

void TestForm3D::timerSpinsTheRocket() {
    RocketFixture rocket(-400, 300);
    NoseAndTube(rocket);
    rocket.draw();
    Preview3dViewState state;
    TForm3D form(rocket.design, state);
    form.show();
    QTRY_VERIFY(state.spinAngle <= -1.0f);
    QCOMPARE(std::fmod(state.spinAngle, 0.5f), -0.0f);
}

void TestForm3D::opensFittedAndTurnsAboutTheModelsMiddle() {
    RocketFixture rocket(-400, 300);
    NoseAndTube(rocket); // model x -4 to 3: its middle at -0.5, off the window's centre
    rocket.draw();
    const auto noSpin = [](Preview3dViewState& s) {
        s.spinAngle = 0;
    };

    // From the side: centred (the tube's near edge, nearer the eye than the nose's tip,
    // shows 8 pixels longer; a pivot at the model's origin would be 120 pixels off), and
    // as long as nine tenths of the window's width.
    Preview3dViewState side;
    side.tiltX = 0;
    side.tiltY = 0;
    side.scale = 3; // a zoom left by an earlier opening
    const QImage image = Render(rocket.design, side, noSpin);
    QVERIFY(!image.isNull());
    QCOMPARE(side.scale, 1.0f);
    const QRect bounds = LitBounds(image);
    const QPoint middle(image.width() / 2, image.height() / 2);
    QCOMPARE_LE(std::abs(bounds.center().x() - middle.x()), 12);
    QCOMPARE_LE(std::abs(bounds.center().y() - middle.y()), 3);
    QCOMPARE_GE(bounds.width(), int(0.85 * image.width()));
    QCOMPARE_LE(bounds.width(), int(0.9 * image.width()) + 2);
}

void TestForm3D::spinRepaintsOnlyWhatMoves_data() {
    QTest::addColumn<bool>("fins");
    QTest::newRow("body of revolution: the spin shows nothing") << false;
    QTest::newRow("fins: they turn") << true;
}

void TestForm3D::spinRepaintsOnlyWhatMoves() {
    QFETCH(bool, fins);
    RocketFixture rocket(-400, 300);
    TKorpus* tube = nullptr;
    NoseAndTube(rocket, &tube);
    if (fins) {
        auto& set = rocket.add<TStatecznik>(tube);
        set.Offset = 440;
        set.FinCount = 3;
    }
    rocket.draw();
    Preview3dViewState state;
    TForm3D form(rocket.design, state);
    QSignalSpy frames(&form, &QOpenGLWidget::frameSwapped);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    // The frames the window system asks for after showing come first: on a busy machine
    // they can come late. Without fins nothing else draws, so they end.
    QTRY_VERIFY(frames.count() > 0);
    for (int i = 0, before = -1; i < 10 && before != frames.count(); ++i) {
        before = frames.count();
        QTest::qWait(300);
    }
    frames.clear();
    QElapsedTimer clock;
    clock.start();
    const float spinBefore = state.spinAngle;
    // Until the timer has turned the rocket by forty degrees (eighty ticks), however busy
    // the machine is.
    QTRY_VERIFY_WITH_TIMEOUT(state.spinAngle <= spinBefore - 40.0f, 60000);
    if (fins) {
        QTRY_VERIFY(frames.count() > 0);
        // Not a frame per 5 ms tick: 30 a second at most, and a few more that windows of
        // other programs coming and going over this one may ask for.
        QCOMPARE_LE(frames.count(), int(clock.elapsed() / 33) + 10);
    } else {
        // None for the ticks (a frame a tick before); windows of other programs coming
        // and going over this one may still ask for a few.
        QCOMPARE_LE(frames.count(), 10);
    }
    // Dragging moves the picture whatever the model: it is drawn at once.
    frames.clear();
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(100, 100),
                      form.mapToGlobal(QPointF(100, 100)), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(&form, &press);
    QMouseEvent move(QEvent::MouseMove, QPointF(160, 100), form.mapToGlobal(QPointF(160, 100)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&form, &move);
    QTRY_VERIFY(frames.count() > 0);
}

void TestForm3D::closingAppliesTheCloseRule() {
    RocketFixture rocket(-400, 300);
    NoseAndTube(rocket);
    rocket.draw();
    Preview3dViewState state;
    TForm3D form(rocket.design, state);
    QSignalSpy closed(&form, &TForm3D::closed);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    state.tiltX = 25;
    state.tiltY = 70;
    state.offsetX = 1.5f;
    state.offsetY = 0.5f;
    state.spinAngle = -12;
    form.close();
    QCOMPARE(closed.count(), 1);
    QCOMPARE(state.tiltX, 0.0f);
    QCOMPARE(state.offsetX, 0.0f);
    QCOMPARE(state.tiltY, 70.0f);
    QCOMPARE(state.offsetY, 0.5f);
    QCOMPARE(state.spinAngle, -12.0f);
    // The rocket stops turning once the window is closed.
    QTest::qWait(30);
    QCOMPARE(state.spinAngle, -12.0f);
}

void TestForm3D::wheelZoomsAndEscapeCloses() {
    RocketFixture rocket(-400, 300);
    NoseAndTube(rocket);
    rocket.draw();
    Preview3dViewState state;
    TForm3D form(rocket.design, state);
    QSignalSpy closed(&form, &TForm3D::closed);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const QPointF centre(form.width() / 2.0, form.height() / 2.0);
    QWheelEvent wheel(centre, form.mapToGlobal(centre), QPoint(), QPoint(0, 240), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&form, &wheel);
    QVERIFY(qFuzzyCompare(state.scale, 1.21f));
    QTest::keyClick(&form, Qt::Key_Escape);
    QCOMPARE(closed.count(), 1);
    QVERIFY(!form.isVisible());
}

void TestForm3D::commandIgnoresAnEmptyDesign() {
    QWidget parent;
    Design design;
    Preview3dViewState state;
    ScriptedInteraction interaction;
    int checks = 0;
    ShowPreview3d(&parent, design, state, interaction, [&checks] {
        ++checks;
        return true;
    });
    QCOMPARE(checks, 0);
    QVERIFY(interaction.messages.isEmpty());
    QVERIFY(parent.findChild<TForm3D*>() == nullptr);
    QCOMPARE(state.tiltX, -10.0f);
}

void TestForm3D::commandReportsMissingOpenGl() {
    RocketFixture rocket(-400, 300);
    NoseAndTube(rocket);
    rocket.draw();
    const auto corners = rocket.design.Elements[1]->Corners;
    QWidget parent;
    Preview3dViewState state;
    ScriptedInteraction interaction;
    ShowPreview3d(&parent, rocket.design, state, interaction, [] { return false; });

    QCOMPARE(interaction.messages.size(), 1);
    QCOMPARE(interaction.messages[0].text, QStringLiteral("Nie można uruchomić podglądu 3D"));
    QCOMPARE(interaction.messages[0].icon, Interaction::Icon::Error);
    QVERIFY(parent.findChild<TForm3D*>() == nullptr);
    // Neither the view nor the design was touched.
    QCOMPARE(state.tiltX, -10.0f);
    QCOMPARE(state.noseRingCount, 0);
    QCOMPARE(rocket.design.Elements.size(), std::size_t(2));
    QCOMPARE(rocket.design.Elements[1]->Corners[3].x, corners[3].x);
}

void TestForm3D::commandRunsTheWindowModallyAndDestroysIt() {
    QVERIFY(DesktopGlAvailable());
    RocketFixture rocket(-400, 300);
    NoseAndTube(rocket);
    rocket.draw();
    QWidget parent;
    Preview3dViewState state;
    state.tiltY = 75;
    state.spinAngle = 10;
    ScriptedInteraction interaction;

    // The user looks for a moment, then closes the window.
    bool seen = false, modal = false, owned = false;
    QTimer user;
    user.setInterval(100);
    QObject::connect(&user, &QTimer::timeout, [&] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* form = qobject_cast<TForm3D*>(w);
            if (form == nullptr || !form->isVisible())
                continue;
            seen = true;
            modal = form->windowModality() == Qt::ApplicationModal;
            owned = form->parent() == &parent;
            form->close();
        }
    });
    user.start();
    ShowPreview3d(&parent, rocket.design, state, interaction);
    user.stop();

    QVERIFY(seen);
    QVERIFY(modal);
    QVERIFY(owned);
    QVERIFY(interaction.messages.isEmpty());
    QVERIFY(parent.findChild<TForm3D*>() == nullptr); // destroyed on close
    QCOMPARE(state.noseRingCount, 101);
    QCOMPARE(state.tiltX, 0.0f);
    QCOMPARE(state.tiltY, 75.0f);
    QCOMPARE_LE(state.spinAngle, 10.0f);
    QCOMPARE(std::fmod(10.0f - state.spinAngle, 0.5f), 0.0f);
}

QTEST_MAIN(TestForm3D)
#include "tst_form3d.moc"
