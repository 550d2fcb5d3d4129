#include "model/Ballast.h"
#include "model/BodyTubes.h"
#include "model/FinSet.h"
#include "model/NoseCones.h"
#include "model/Registry.h"
#include "model/Transition.h"
#include "support/DesignBuilder.h"
#include "support/RecordingSurface.h"

#include <QTest>
#include <cmath>

using namespace vantor;
using vantor::test::DesignBuilder;
using vantor::test::RecordingSurface;

namespace {

bool Near(double a, double b, double tolerance = 1e-3) {
    return std::abs(a - b) <= tolerance;
}

} // namespace

class TestElements : public QObject {
    Q_OBJECT

private slots:
    void init() {
        AxisY = 275;
        OriginX = 50;
    }

    void constructorsSetTheKindDefaults_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<float>("length");
        QTest::addColumn<float>("diameter");
        QTest::addColumn<float>("rear");
        QTest::addColumn<QString>("parents");
        const QString tube = "TGlowicaParabolic;TGlowicaOgive;TGlowicaStozek;TKorpus;TStozekSciety";
        QTest::newRow("conical") << "TGlowicaStozek"
                                 << "Nose" << 200.f << 50.f << 0.f << "";
        QTest::newRow("ogive") << "TGlowicaOgive"
                               << "Nose" << 200.f << 50.f << 0.f << "";
        QTest::newRow("parabolic") << "TGlowicaParabolic"
                                   << "Nose" << 200.f << 50.f << 0.f << "";
        QTest::newRow("body") << "TKorpus"
                              << "Body" << 500.f << 50.f << 0.f << tube;
        QTest::newRow("mount") << "TLozysko"
                               << "Mocowanie silnika" << 500.f << 50.f << 0.f << tube;
        QTest::newRow("motor") << "TEngine"
                               << "Engine" << 100.f << 27.f << 0.f << "TKorpus;TStozekSciety";
        QTest::newRow("transition") << "TStozekSciety"
                                    << "Conical" << 100.f << 50.f << 70.f << tube;
        QTest::newRow("fins") << "TStatecznik"
                              << "Fins" << 100.f << 50.f << 0.f << "TKorpus";
        QTest::newRow("ballast") << "TBalast"
                                 << "Ballast" << 100.f << 50.f << 0.f << tube;
    }
    void constructorsSetTheKindDefaults() {
        QFETCH(QString, kind);
        QFETCH(QString, caption);
        QFETCH(float, length);
        QFETCH(float, diameter);
        QFETCH(float, rear);
        QFETCH(QString, parents);
        auto element = CreateElement(kind.toStdString());
        QVERIFY(element);
        QCOMPARE(QString::fromStdString(element->ClassName), kind);
        QCOMPARE(QString::fromUtf8(element->Caption.c_str()), caption);
        QCOMPARE(element->Length, length);
        QCOMPARE(element->DiameterA, diameter);
        QCOMPARE(element->DiameterB, rear);
        QCOMPARE(element->Thickness, 2.f);
        QCOMPARE(element->Density, 0.00065f);
        QCOMPARE(element->Weight, 0.f);
        QCOMPARE(QString::fromStdString(element->AllowedParents), parents);
        QVERIFY(!element->PointEditing);
        QVERIFY(!element->HasBitmap);
        QVERIFY(element->Points.empty());
    }

    void noseCentresOfGravity_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<double>("returned");
        QTest::newRow("conical") << "TGlowicaStozek" << 183.3333;
        QTest::newRow("ogive") << "TGlowicaOgive" << 210.8333;
        QTest::newRow("parabolic") << "TGlowicaParabolic" << 196.1667;
    }
    void noseCentresOfGravity() {
        QFETCH(QString, kind);
        QFETCH(double, returned);
        auto nose = CreateElement(kind.toStdString());
        nose->Points.assign(3, TPoints{50, 0});
        QVERIFY(Near(nose->ComputeCG(), returned));
        QCOMPARE(nose->CG, 0.f); // computing stores nothing
        nose->Place('.');
        QVERIFY(Near(nose->CG, returned));
    }

    void areas_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<float>("length");
        QTest::addColumn<float>("diameter");
        QTest::addColumn<float>("rear");
        QTest::addColumn<double>("area");
        QTest::newRow("conical nose") << "TGlowicaStozek" << 200.f << 50.f << 0.f << 15707.963;
        QTest::newRow("body tube") << "TKorpus" << 500.f << 50.f << 0.f << 78539.816;
        QTest::newRow("motor") << "TEngine" << 100.f << 27.f << 0.f << 8482.300;
        QTest::newRow("transition equal diameters")
            << "TStozekSciety" << 100.f << 50.f << 50.f << 15707.963;
        QTest::newRow("transition 50 to 70")
            << "TStozekSciety" << 100.f << 50.f << 70.f << 100.4987562 * Pi * 60;
        QTest::newRow("ballast") << "TBalast" << 100.f << 50.f << 0.f << 1.0;
    }
    void areas() {
        QFETCH(QString, kind);
        QFETCH(float, length);
        QFETCH(float, diameter);
        QFETCH(float, rear);
        QFETCH(double, area);
        auto element = CreateElement(kind.toStdString());
        element->Length = length;
        element->DiameterA = diameter;
        element->DiameterB = rear;
        QVERIFY2(Near(element->ComputeArea(), area, area * 1e-6),
                 qPrintable(QString::number(element->ComputeArea())));
        QCOMPARE(element->Area, 0.f);
        element->RefreshDerived();
        QVERIFY(Near(element->Area, area, area * 1e-6));
    }

    void transitionSlantLengthIsItsLengthForEqualDiameters() {
        TStozekSciety transition;
        transition.DiameterB = transition.DiameterA;
        transition.RefreshDerived();
        QCOMPARE(transition.SlantLength, transition.Length);
    }

    void tubeUnderTransitionStartsAtItsRearWhateverItsOffset() {
        Design design;
        DesignBuilder build(design);
        auto& nose = build.nose("TGlowicaStozek", 200, 50);
        auto& transition = build.attach("TStozekSciety", nose);
        auto& tube = build.attach("TKorpus", transition);
        tube.Offset = 77;
        RecordingSurface surface;
        build.place(surface);
        QCOMPARE(transition.Points[0].x, 250.0);
        QCOMPARE(tube.Points[0].x, transition.Points[0].x + transition.Length);
        QCOMPARE(tube.Points[0].y, 275.0 - 25);
        QCOMPARE(tube.Points[2].y, 275.0 + 25);
    }

    void motorStartsAtItsParentsFrontPlusOffset() {
        Design design;
        DesignBuilder build(design);
        auto& nose = build.nose("TGlowicaStozek", 200, 50);
        auto& tube = build.attach("TKorpus", nose);
        auto& motor = build.attach("TEngine", tube);
        RecordingSurface surface;
        build.place(surface);
        QCOMPARE(motor.Points[0].x, tube.Points[0].x);
        motor.Offset = 120;
        build.place(surface);
        QCOMPARE(motor.Points[0].x, tube.Points[0].x + 120);
    }

    void finSetDrawsTwoFinsAndKeepsTheLowerOne() {
        Design design;
        DesignBuilder build(design);
        auto& nose = build.nose("TGlowicaStozek", 200, 50);
        auto& tube = build.attach("TKorpus", nose);
        auto& fins = build.attach<TStatecznik>("TStatecznik", tube);
        fins.FinA = 90;
        fins.FinB = 50;
        fins.FinC = 50;
        fins.FinD = 40;
        RecordingSurface surface;
        // Placing twice gives the same fins: nothing depends on the placing before.
        for (int placing = 0; placing < 2; ++placing) {
            surface.calls.clear();
            fins.Place('.');
            fins.Draw(surface);
            QVERIFY(fins.Flipped);
            QCOMPARE(surface.count(RecordingSurface::Op::Line), 8);
            // Roots on the lower side of the tube, tip 40 below.
            QCOMPARE(fins.Points[0].y, 275.0 + 25);
            QCOMPARE(fins.Points[3].y, 275.0 + 25);
            QCOMPARE(fins.Points[1].y, 275.0 + 25 + 40);
            QCOMPARE(fins.Points[1].x, tube.Points[0].x + 50);
            QCOMPARE(fins.Points[2].x, tube.Points[0].x + 100);
            // The corners keep the upper fin.
            QCOMPARE(fins.Corners[1].y, 275.0 - 25 - 40);
        }
    }

    void ballastMovesOnlyItsFirstAbscissa() {
        Design design;
        DesignBuilder build(design);
        auto& nose = build.nose("TGlowicaStozek", 200, 50);
        auto& ballast = build.attach("TBalast", nose);
        ballast.Offset = 30;
        ballast.Points[0].y = 123;
        RecordingSurface surface;
        ballast.Place('.');
        ballast.Draw(surface);
        QCOMPARE(ballast.Points[0].x, 80.0);
        QCOMPARE(ballast.Points[0].y, 123.0);
        const auto pies = surface.of(RecordingSurface::Op::Pie);
        QCOMPARE(pies.size(), std::size_t(1));
        QCOMPARE(pies[0].values, (std::vector<double>{80, 269, 12, 12, 0, 360}));
    }

    void centreOfPressureOfNonContributorsIsZero_data() {
        QTest::addColumn<QString>("kind");
        for (const char* kind : {"TKorpus", "TEngine", "TLozysko", "TBalast"})
            QTest::newRow(kind) << kind;
    }
    void centreOfPressureOfNonContributorsIsZero() {
        QFETCH(QString, kind);
        auto element = CreateElement(kind.toStdString());
        element->Points.assign(element->OutlinePointCount(), TPoints{100, 100});
        element->CP = 42;
        QCOMPARE(element->ComputeCP(), 0.0);
        QCOMPARE(element->CP, 42.f);
    }

    void centresOfPressure() {
        OriginX = 50;
        auto nose = CreateElement("TGlowicaOgive");
        nose->Length = 300;
        QVERIFY(Near(nose->ComputeCP(), 50 + 300 * 0.466));

        TStozekSciety transition;
        transition.Points.assign(4, TPoints{250, 0});
        transition.Length = 90;
        transition.DiameterA = 50;
        transition.DiameterB = 100;
        // q = 0.5: 250 + 30 * (1 + 0.5 / 0.75)
        QVERIFY(Near(transition.ComputeCP(), 300));
        transition.RefreshDerived();
        QVERIFY(Near(transition.CP, 300));

        TStatecznik fins;
        fins.Points.assign(4, TPoints{700, 0});
        fins.FinA = 90;
        fins.FinB = 50;
        fins.FinC = 50;
        const double expected =
            700 + (2 * 50 + 90) * 50 / (3.0 * 140) + (140 - 90 * 50 / 140.0) / 6;
        QVERIFY(Near(fins.ComputeCP(), expected));
    }

    void undefinedCentresOfPressureAreReportedAsNaN_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<float>("a");
        QTest::addColumn<float>("b");
        QTest::newRow("transition with equal diameters") << "TStozekSciety" << 50.f << 50.f;
        QTest::newRow("transition without a rear diameter") << "TStozekSciety" << 50.f << 0.f;
        QTest::newRow("fins with chords adding up to zero") << "TStatecznik" << 40.f << -40.f;
        QTest::newRow("fins without chords") << "TStatecznik" << 0.f << 0.f;
    }
    void undefinedCentresOfPressureAreReportedAsNaN() {
        QFETCH(QString, kind);
        QFETCH(float, a);
        QFETCH(float, b);
        auto element = CreateElement(kind.toStdString());
        element->Points.assign(4, TPoints{100, 0});
        element->CP = 7;
        if (auto* fins = dynamic_cast<TStatecznik*>(element.get())) {
            fins->FinA = a;
            fins->FinC = b;
        } else {
            element->DiameterA = a;
            element->DiameterB = b;
        }
        QVERIFY(std::isnan(element->ComputeCP()));
        QCOMPARE(element->CP, 7.f);
    }

    void shortOutlinesDrawNothing_data() {
        QTest::addColumn<QString>("kind");
        for (const char* kind : {"TGlowicaStozek", "TGlowicaOgive", "TGlowicaParabolic", "TKorpus",
                                 "TLozysko", "TEngine", "TStozekSciety", "TStatecznik", "TBalast"})
            QTest::newRow(kind) << kind;
    }
    void shortOutlinesDrawNothing() {
        QFETCH(QString, kind);
        TKorpus parent;
        parent.Points.assign(4, TPoints{50, 50});
        auto element = CreateElement(kind.toStdString());
        element->Parent = &parent;
        RecordingSurface surface;
        element->Points.assign(element->OutlinePointCount() - 1, TPoints{1, 2});
        element->Place('.');
        element->Draw(surface);
        QCOMPARE(surface.calls.size(), std::size_t(0));
        // A parent without an outline places nothing either.
        element->Points.assign(element->OutlinePointCount(), TPoints{1, 2});
        parent.Points.clear();
        element->Place('.');
        element->Draw(surface);
        if (element->ClassName.rfind("TGlowica", 0) != 0) {
            QCOMPARE(surface.calls.size(), std::size_t(0));
            QCOMPARE(element->Points[0].x, 1.0);
        }
    }

    void invisibleElementsDrawNothing() {
        TGlowicaStozek nose;
        nose.Points.assign(3, TPoints{50, 10});
        nose.Visible = false;
        RecordingSurface surface;
        nose.Place('.');
        nose.Draw(surface);
        QCOMPARE(surface.calls.size(), std::size_t(0));
        QCOMPARE(nose.Points[1].x, 50.0);
    }

    void ogiveCurvesUseTheConesCentreOfGravity() {
        AxisY = 300;
        TGlowicaOgive ogive;
        ogive.Points.assign(3, TPoints{50, 0});
        ogive.CG = 999; // a stale cache changes nothing: the cone's CG is 183.33
        RecordingSurface surface;
        ogive.Place('.');
        ogive.Draw(surface);
        const auto curves = surface.of(RecordingSurface::Op::Bezier);
        QCOMPARE(curves.size(), std::size_t(2));
        QCOMPARE(curves[0].values, (std::vector<double>{50, 300, 183, 275, 250, 275, 250, 275}));
        QCOMPARE(curves[1].values, (std::vector<double>{50, 300, 183, 325, 250, 325, 250, 325}));
        QCOMPARE(surface.count(RecordingSurface::Op::Line), 1);
        QVERIFY(Near(ogive.Corners[1].x, 183.333));
        QCOMPARE(ogive.Corners[1].y, 275.0);

        TGlowicaParabolic parabolic;
        parabolic.Points.assign(3, TPoints{50, 0});
        parabolic.Place('.');
        QCOMPARE(parabolic.Corners[1].x, 50.0);
        QCOMPARE(parabolic.Corners[1].y, 325.0); // the lower curve's control polygon
    }
};

QTEST_APPLESS_MAIN(TestElements)
#include "tst_elements.moc"
