#include "analysis/Summary.h"
#include "designfile/DesignFile.h"
#include "model/FinSet.h"
#include "model/NumberFormat.h"
#include "model/Placing.h"
#include "support/DesignBuilder.h"
#include "support/RecordingSurface.h"

#include <QTest>
#include <cmath>

using namespace vantor;
using vantor::test::DesignBuilder;
using vantor::test::RecordingSurface;

namespace {

QStringList Rows(const Summary& summary) {
    QStringList rows;
    for (const SummaryRow& row : summary.rows)
        rows << QString::fromStdString(row.label + "=" + row.value);
    return rows;
}

// nose 200 x 50, body tube 500 x 50 with a fin set (90, 50, 50, 40) and a motor.
struct SampleRocket {
    Design design;
    TRocketElement* nose;
    TRocketElement* tube;
    TStatecznik* fins;
    TRocketElement* motor;
    SampleRocket() {
        DesignBuilder build(design);
        nose = &build.nose("TGlowicaStozek", 200, 50, 50, 275);
        nose->ComputeWeight();
        tube = &build.attach("TKorpus", *nose);
        tube->ComputeWeight();
        fins = &build.attach<TStatecznik>("TStatecznik", *tube);
        fins->FinA = 90;
        fins->FinB = 50;
        fins->FinC = 50;
        fins->FinD = 40;
        build.place();
        fins->ComputeWeight();
        motor = &build.attach("TEngine", *tube);
        motor->ComputeWeight();
        build.place();
    }
};

} // namespace

class TestSummary : public QObject {
    Q_OBJECT

private slots:
    void init() {
        OriginX = 50;
        AxisY = 275;
    }

    void emptyDesignShowsZerosAndMinusOrigin() {
        Design design;
        RecordingSurface surface;
        const Summary summary = ComputeSummary(design, &surface, '.');
        QVERIFY(!summary.failed);
        QCOMPARE(Rows(summary), (QStringList{"Weight=0.00", "Calibers=0.00", "CP=0.00", "CG=0.00",
                                             "Length=-50.00", "Rocket=Unstable"}));
        // Both markers sit at abscissa 0 on the axis.
        const auto ellipses = surface.of(RecordingSurface::Op::Ellipse);
        QCOMPARE(ellipses.size(), std::size_t(3));
        QCOMPARE(ellipses[0].values, (std::vector<double>{-3, 272, 6, 6}));
        QCOMPARE(ellipses[1].values, (std::vector<double>{-6, 269, 12, 12}));
        QCOMPARE(ellipses[2].values, (std::vector<double>{-6, 269, 12, 12}));
        const auto pies = surface.of(RecordingSurface::Op::Pie);
        QCOMPARE(pies.size(), std::size_t(2));
        QCOMPARE(pies[0].values, (std::vector<double>{-6, 269, 12, 12, 180, 90}));
        QCOMPARE(pies[1].values, (std::vector<double>{-6, 269, 12, 12, 0, 90}));
    }

    void noseAloneIsItsOwnCentreOfPressureAndGravity() {
        Design design;
        DesignBuilder build(design);
        auto& nose = build.nose("TGlowicaStozek", 300, 40, 50, 275);
        nose.Weight = 30;
        const Summary summary = ComputeSummary(design, nullptr, ',');
        QCOMPARE(Rows(summary), (QStringList{"Weight=30,00", "Calibers=0,00", "CP=250,00",
                                             "CG=250,00", "Length=300,00", "Rocket=Unstable"}));
    }

    void bodyPartsNeverMoveTheCentreOfPressure() {
        SampleRocket rocket;
        const Summary before = ComputeSummary(rocket.design, nullptr, '.');
        auto& ballast = DesignBuilder(rocket.design).attach("TBalast", *rocket.tube);
        ballast.Weight = 40;
        ballast.Offset = 400;
        DesignBuilder(rocket.design).place();
        const Summary after = ComputeSummary(rocket.design, nullptr, '.');
        QCOMPARE(after.cp, before.cp);
        QVERIFY(after.cg > before.cg);
        QCOMPARE(after.weight, before.weight + 40);
    }

    void sampleRocketCombinesItsComponents() {
        SampleRocket rocket;
        RecordingSurface surface;
        const Summary summary = ComputeSummary(rocket.design, &surface, '.');
        QVERIFY(!summary.failed);

        // Area-weighted CP of the nose and the fins only.
        const double noseArea = Pi * 25 * 200, noseCp = 50 + 200 * 2.0 / 3.0;
        const double finArea = rocket.fins->ShapeArea() * 3;
        const double finCp = 250 + (2 * 50 + 90) * 50 / (3.0 * 140) + (140 - 90 * 50 / 140.0) / 6;
        const double cp = (noseArea * noseCp + finArea * finCp) / (noseArea + finArea);
        QVERIFY2(std::abs(summary.cp - cp) < 1e-3, qPrintable(QString::number(summary.cp)));

        // Weight-weighted CG; the fins' CG uses their (unused) Length field.
        const double weights[] = {rocket.nose->Weight, rocket.tube->Weight, rocket.fins->Weight,
                                  rocket.motor->Weight};
        const double cgs[] = {50 + 200 * 2.0 / 3.0, 250 + 250, 250 + 50, 250 + 50};
        double moment = 0, total = 0;
        for (int i = 0; i < 4; ++i) {
            moment += weights[i] * cgs[i];
            total += weights[i];
        }
        QVERIFY(std::abs(summary.cg - moment / total) < 1e-3);
        QVERIFY(std::abs(summary.weight - total) < 1e-3);
        QCOMPARE(summary.length, 750.f - 50.f);
        QCOMPARE(summary.referenceDiameter, 50.f);
        QCOMPARE(summary.rows[1].value, FormatFixed((summary.cp - summary.cg) / 50.0, 2, '.'));
        QCOMPARE(surface.count(RecordingSurface::Op::Ellipse), 3);

        // Drawing is idempotent once parents are placed.
        DesignBuilder(rocket.design).place();
        const Summary again = ComputeSummary(rocket.design, nullptr, '.');
        QCOMPARE(Rows(again), Rows(summary));
    }

    void verdictNeedsOneFullCaliber_data() {
        QTest::addColumn<float>("referenceDiameter");
        QTest::addColumn<QString>("calibers");
        QTest::addColumn<QString>("verdict");
        QTest::newRow("exactly 1.00") << 50.f << "1.00"
                                      << "Stable";
        QTest::newRow("0.999 shows 1.00") << 50.05f << "1.00"
                                          << "Unstable";
        QTest::newRow("2.00") << 25.f << "2.00"
                              << "Stable";
    }
    void verdictNeedsOneFullCaliber() {
        QFETCH(float, referenceDiameter);
        QFETCH(QString, calibers);
        QFETCH(QString, verdict);
        // Nose CP = CG = 250 (weight 40); a ballast of 40 at 150 pulls the CG to 200.
        Design design;
        DesignBuilder build(design);
        auto& nose = build.nose("TGlowicaStozek", 300, referenceDiameter, 50, 275);
        nose.Weight = 40;
        auto& ballast = build.attach("TBalast", nose);
        ballast.Weight = 40;
        ballast.Offset = 50;
        ballast.DiameterA = 1;
        build.place();
        const Summary summary = ComputeSummary(design, nullptr, '.');
        QCOMPARE(summary.cp, 250.f);
        QCOMPARE(summary.cg, 200.f);
        QCOMPARE(QString::fromStdString(summary.rows[1].value), calibers);
        QCOMPARE(QString::fromStdString(summary.rows[5].value), verdict);
    }

    void onlyFrontDiametersSetTheReference() {
        Design design;
        DesignBuilder build(design);
        auto& nose = build.nose("TGlowicaStozek", 200, 50);
        nose.Weight = 10;
        auto& transition = build.attach("TStozekSciety", nose);
        transition.DiameterB = 120;
        const Summary summary = ComputeSummary(design, nullptr, '.');
        QCOMPARE(summary.referenceDiameter, 50.f);
    }

    void aZeroCentreOfPressureIsLeftOut() {
        // A nose of length 0 at the origin reports its CP as exactly 0.
        Design design;
        DesignBuilder build(design);
        auto& nose = build.nose("TGlowicaStozek", 0, 50, 0, 275);
        nose.Weight = 10;
        const Summary summary = ComputeSummary(design, nullptr, '.');
        QVERIFY(!summary.failed);
        QCOMPARE(summary.cp, 0.f);
    }

    void undefinedArithmeticFailsTheSummary_data() {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<int>("markerEllipses");
        QTest::newRow("transition with equal diameters") << "transition" << 0;
        QTest::newRow("fins with no chords") << "fins" << 0;
        QTest::newRow("all weights zero") << "weights" << 2;
        QTest::newRow("weights beyond float range") << "overflow" << 2;
        QTest::newRow("more tree nodes than elements") << "orphan node" << 0;
    }
    void undefinedArithmeticFailsTheSummary() {
        QFETCH(QString, fault);
        QFETCH(int, markerEllipses);
        SampleRocket rocket;
        if (fault == "transition") {
            auto& t = DesignBuilder(rocket.design).attach("TStozekSciety", *rocket.tube);
            t.DiameterB = t.DiameterA;
        } else if (fault == "fins") {
            rocket.fins->FinA = rocket.fins->FinC = 0;
        } else if (fault == "weights") {
            for (auto& e : rocket.design.Elements)
                e->Weight = 0;
        } else if (fault == "overflow") {
            rocket.nose->Weight = rocket.tube->Weight = 3e38f;
        } else {
            rocket.design.tree.addRoot(nullptr);
        }
        RecordingSurface surface;
        const Summary summary = ComputeSummary(rocket.design, &surface, '.');
        QVERIFY(summary.failed);
        QVERIFY(summary.rows.empty());
        QCOMPARE(surface.count(RecordingSurface::Op::Ellipse), markerEllipses);
    }

    // Damaged stored outlines: a body tube far from where its nose puts it (its motor is
    // drawn before it) and a fin set with two points too many (mirrored about another
    // line at every redraw). One redraw gives the rocket's own placement and summary, and
    // every later one the same.
    void oneRedrawPlacesDamagedOutlines_data() {
        QTest::addColumn<bool>("staleTube");
        QTest::addColumn<bool>("extraFinPoints");
        QTest::newRow("stale parent") << true << false;
        QTest::newRow("six fin points") << false << true;
    }
    void oneRedrawPlacesDamagedOutlines() {
        QFETCH(bool, staleTube);
        QFETCH(bool, extraFinPoints);
        SampleRocket rocket;
        const QStringList sound = Rows(ComputeSummary(rocket.design, nullptr, '.'));
        if (staleTube)
            rocket.tube->Translate(1e6, 0);
        if (extraFinPoints)
            rocket.fins->Points.insert(rocket.fins->Points.end(), {TPoints{0, 0}, TPoints{9, 900}});
        NullSurface surface;
        for (int redraw = 0; redraw < 2; ++redraw) {
            PlaceDesign(rocket.design);
            DrawDesign(rocket.design, surface);
            QCOMPARE(Rows(ComputeSummary(rocket.design, nullptr, '.')), sound);
        }
    }

    // Weights summed in single precision come out by the order of adding: with the list
    // out of tree order (a tube attached to the nose after a motor was attached to the
    // first tube), the weight must still be the one the saved and reopened design shows.
    void weightIsTheSameAfterSavingAndOpening() {
        Design design;
        test::DesignBuilder build(design);
        auto& nose = build.nose("TGlowicaStozek", 200, 50);
        auto& first = build.attach("TKorpus", nose);
        auto& second = build.attach("TKorpus", nose);
        auto& motor = build.attach("TEngine", first);
        for (auto [element, weight] :
             {std::pair{&nose, 3.f}, {&first, 1e8f}, {&second, -1e8f}, {&motor, 5.f}})
            element->Weight = weight;
        QCOMPARE(design.Elements.back().get(), &motor);
        Design reopened;
        QVERIFY(DecodeDesign(EncodeDesign(design), reopened).ok);
        const Summary shown = ComputeSummary(design, nullptr, '.');
        const Summary again = ComputeSummary(reopened, nullptr, '.');
        QVERIFY(!shown.failed && !again.failed);
        QCOMPARE(shown.weight, again.weight);
    }

    void fixedFormatRoundsHalvesAwayFromZero_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QString>("text");
        QTest::newRow("half up") << 0.125 << 2 << "0.13";
        QTest::newRow("half down negative") << -0.125 << 2 << "-0.13";
        QTest::newRow("negative zero") << -0.001 << 2 << "0.00";
        QTest::newRow("whole degrees") << 89.5 << 0 << "90";
        QTest::newRow("one decimal") << 13.229 << 1 << "13.2";
        QTest::newRow("large") << 3e10 << 2 << "30000000000.00";
    }
    void fixedFormatRoundsHalvesAwayFromZero() {
        QFETCH(double, value);
        QFETCH(int, decimals);
        QFETCH(QString, text);
        QCOMPARE(QString::fromStdString(FormatFixed(value, decimals, '.')), text);
    }
};

QTEST_APPLESS_MAIN(TestSummary)
#include "tst_summary.moc"
