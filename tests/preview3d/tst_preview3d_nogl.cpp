#include "RocketFixture.h"

#include "model/BodyTubes.h"
#include "model/NoseCones.h"
#include "preview3d/Form3D.h"
#include "preview3d/Preview3d.h"
#include "preview3d/ViewState3d.h"
#include "support/ScriptedInteraction.h"

#include <QtTest>

using namespace vantor;
using vantor::test::RocketFixture;
using vantor::test::ScriptedInteraction;

// Runs on a platform without OpenGL (the "minimal" platform plugin, set by the test's
// environment), as on a machine whose driver gives no usable context.
class TestPreview3dWithoutGl : public QObject {
    Q_OBJECT
private slots:
    void init();
    void openGlIsReportedMissing();
    void commandTellsTheUserAndOpensNothing();

private:
    void Build(RocketFixture& rocket);
};

void TestPreview3dWithoutGl::init() {
    OriginX = -400;
    AxisY = 300;
}

void TestPreview3dWithoutGl::Build(RocketFixture& rocket) {
    auto& nose = rocket.add<TGlowicaStozek>();
    rocket.add<TKorpus>(&nose);
    rocket.draw();
}

void TestPreview3dWithoutGl::openGlIsReportedMissing() {
    QVERIFY(!DesktopGlAvailable());
}

void TestPreview3dWithoutGl::commandTellsTheUserAndOpensNothing() {
    RocketFixture rocket(-400, 300);
    Build(rocket);
    const auto corners = rocket.design.Elements[1]->Corners;
    QWidget parent;
    Preview3dViewState state;
    ScriptedInteraction interaction;
    // Showing a GL window here would bring the toolkit down, so the command must find
    // out before it opens anything.
    ShowPreview3d(&parent, rocket.design, state, interaction);

    QCOMPARE(interaction.messages.size(), 1);
    QCOMPARE(interaction.messages[0].text, Preview3dUnavailableText());
    QVERIFY(parent.findChild<TForm3D*>() == nullptr);
    QCOMPARE(state.noseRingCount, 0);
    QCOMPARE(rocket.design.Elements.size(), std::size_t(2));
    QCOMPARE(rocket.design.Elements[1]->Corners[3].x, corners[3].x);
}

QTEST_MAIN(TestPreview3dWithoutGl)
#include "tst_preview3d_nogl.moc"
