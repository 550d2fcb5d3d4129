#include "analysis/Stability.h"
#include "model/FinSet.h"
#include "support/DesignBuilder.h"

#include <QTest>
#include <cmath>
#include <functional>

using namespace vantor;
using vantor::test::DesignBuilder;

namespace {

TStatecznik& AddFins(DesignBuilder& build, TRocketElement& tube, int count, float root, float sweep,
                     float tip, float span, float offset) {
    auto& fins = build.attach<TStatecznik>("TStatecznik", tube);
    fins.FinCount = count;
    fins.FinA = root;
    fins.FinB = sweep;
    fins.FinC = tip;
    fins.FinD = span;
    fins.Offset = offset;
    build.place();
    return fins;
}

TRocketElement& AddAlong(DesignBuilder& build, const char* kind, TRocketElement& parent,
                         float length, float offset, float weight) {
    auto& e = build.attach(kind, parent);
    e.Length = length;
    e.Offset = offset;
    e.Weight = weight;
    build.place();
    return e;
}

// Ogive nose 70 x 24, body tube 200, three fins (root 50, tip 30, sweep 20, span 50) at
// the tail; weights close to what the weight rule gives for card and paper, but fixed, as
// the rule samples the fin's area on the drawing grid and so depends on the position.
void VerificationRocket(Design& design, double tipX = 50, float axis = 275) {
    DesignBuilder build(design);
    auto& nose = build.nose("TGlowicaOgive", 70, 24, tipX, axis);
    auto& tube = build.attach("TKorpus", nose);
    tube.Length = 200;
    tube.DiameterA = 24;
    build.place();
    auto& fins = AddFins(build, tube, 3, 50, 20, 30, 50, 150);
    nose.Weight = 4;
    tube.Weight = 20;
    fins.Weight = 7.5f;
}

// Conical nose 100 x 40 with a ballast, tube 300 x 40, transition 40 -> 60 (50 long), tube
// 200 x 60 carrying a motor and four fins, boat tail 60 -> 40 (40 long); weights given.
void WidenedRocket(Design& design, double tipX = 50, float axis = 275) {
    DesignBuilder build(design);
    auto& nose = build.nose("TGlowicaStozek", 100, 40, tipX, axis);
    nose.Weight = 20;
    AddAlong(build, "TBalast", nose, 0, 30, 5);
    auto shaped = [&](const char* kind, TRocketElement& parent, float length, float front,
                      float rear, float weight) -> TRocketElement& {
        auto& e = build.attach(kind, parent);
        e.Length = length;
        e.DiameterA = front;
        e.DiameterB = rear;
        e.Weight = weight;
        build.place();
        return e;
    };
    auto& tube1 = shaped("TKorpus", nose, 300, 40, 0, 30);
    auto& widening = shaped("TStozekSciety", tube1, 50, 40, 60, 8);
    auto& tube2 = shaped("TKorpus", widening, 200, 60, 0, 25);
    shaped("TStozekSciety", tube2, 40, 60, 40, 6);
    AddFins(build, tube2, 4, 60, 30, 30, 40, 140).Weight = 12;
    AddAlong(build, "TEngine", tube2, 70, 130, 40);
}

// Centroid from the tip of a surface of revolution r(x) on [0, L], summed over thin
// frustum bands: an independent check of the integrals the analysis uses.
double BandCentroid(const std::function<double(double)>& radius, double length) {
    const int bands = 200000;
    double area = 0, moment = 0, x0 = 0, r0 = radius(0);
    for (int i = 1; i <= bands; ++i) {
        const double x1 = length * i / bands, r1 = radius(x1);
        const double band = (r0 + r1) * std::hypot(x1 - x0, r1 - r0);
        const double centre = x0 + (x1 - x0) * (r0 + 2 * r1) / (3 * (r0 + r1));
        area += band;
        moment += band * centre;
        x0 = x1;
        r0 = r1;
    }
    return moment / area;
}

} // namespace

class TestStability : public QObject {
    Q_OBJECT

private slots:
    void verificationRocketMatchesPublishedValues() {
        Design design;
        VerificationRocket(design);
        const StabilityAnalysis a = AnalyseStability(design);
        QVERIFY(std::abs(a.cna - 25.725) <= 25.725 * 0.001);
        QVERIFY(a.cp && std::abs(*a.cp - 223.30) <= 0.3);
        QCOMPARE(a.referenceDiameter.value_or(0), 24.0);
        QVERIFY(a.calibers && *a.calibers > 1.0);
        QVERIFY(a.stable);
        QCOMPARE(a.ballastNeeded.value_or(-1), 0.0);
        QCOMPARE(a.components.size(), std::size_t(3));
        QCOMPARE(a.components[1].cna, 0.0);
        QVERIFY(!a.components[1].cp);
    }

    void widenedRocketMatchesHandComputation() {
        Design design;
        WidenedRocket(design);
        const StabilityAnalysis a = AnalyseStability(design);
        // Worked by hand from the component formulas: nose 2 at 66.667; widening 1.1111
        // at 426.667; boat tail -1.1111 at 668.667; fins 4.27043 at 615.0.
        QVERIFY(std::abs(a.cna - 6.270433) < 1e-5);
        QVERIFY(std::abs(a.cp.value_or(0) - 397.2231) < 1e-3);
        QVERIFY(std::abs(a.cg.value_or(0) - 426.7717) < 1e-3);
        QCOMPARE(a.totalWeight, 146.0);
        QVERIFY(std::abs(a.calibers.value_or(0) - -0.492477) < 1e-5);
        QVERIFY(!a.stable);
        QVERIFY(std::abs(a.ballastNeeded.value_or(0) - 48.3230) < 1e-3);
        const std::vector<double> cna{2, 0, 0, 1.111111, 0, -1.111111, 4.270433, 0};
        QCOMPARE(a.components.size(), cna.size());
        for (std::size_t i = 0; i < cna.size(); ++i)
            QVERIFY2(std::abs(a.components[i].cna - cna[i]) < 1e-5, a.components[i].kind.c_str());
    }

    void movingTheDesignChangesNothing_data() {
        QTest::addColumn<double>("tipX");
        QTest::addColumn<float>("axis");
        QTest::newRow("left") << -4000.0 << 10.0f;
        QTest::newRow("far right") << 12345.5 << 900.0f;
        QTest::newRow("origin") << 0.0 << 0.0f;
    }
    void movingTheDesignChangesNothing() {
        QFETCH(double, tipX);
        QFETCH(float, axis);
        for (auto build : {VerificationRocket, WidenedRocket}) {
            Design reference, moved;
            build(reference, 50, 275);
            const StabilityAnalysis a = AnalyseStability(reference);
            build(moved, tipX, axis);
            const StabilityAnalysis b = AnalyseStability(moved);
            QVERIFY(std::abs(*a.cp - *b.cp) < 1e-3);
            QVERIFY(std::abs(*a.cg - *b.cg) < 1e-3);
            QVERIFY(std::abs(*a.calibers - *b.calibers) < 1e-5);
        }
    }

    void ballastNeededReachesTheTarget_data() {
        QTest::addColumn<bool>("widened");
        QTest::addColumn<double>("target");
        QTest::newRow("widened, 1 caliber") << true << 1.0;
        QTest::newRow("widened, 2.5 calibers") << true << 2.5;
        QTest::newRow("verification, 3 calibers") << false << 3.0;
    }
    void ballastNeededReachesTheTarget() {
        QFETCH(bool, widened);
        QFETCH(double, target);
        Design design;
        (widened ? WidenedRocket : VerificationRocket)(design, 50, 275);
        const StabilityAnalysis before = AnalyseStability(design, target);
        QVERIFY(before.ballastNeeded && *before.ballastNeeded > 0);
        // A ballast dot centred on the nose's centre of gravity.
        TRocketElement& nose = *design.Elements[0];
        const double noseCg = *NoseSurfaceCentroid(nose.ClassName, nose.Length, nose.DiameterA);
        DesignBuilder build(design);
        AddAlong(build, "TBalast", nose, 0, float(noseCg - 6), float(*before.ballastNeeded));
        const StabilityAnalysis after = AnalyseStability(design, target);
        QVERIFY2(std::abs(*after.calibers - target) < 0.01,
                 QByteArray::number(*after.calibers).constData());
        QVERIFY(after.ballastNeeded.value_or(-1) >= 0 && *after.ballastNeeded < 1e-3);
    }

    void noseCentroidsFollowTheirShapes_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<double>("length");
        QTest::addColumn<double>("diameter");
        for (const auto& [l, d] : {std::pair{70.0, 24.0},
                                   {100.0, 100.0},
                                   {300.0, 40.0},
                                   {1000.0, 10.0},
                                   {40.0, 120.0}}) {
            const QByteArray size = QByteArray::number(l) + "x" + QByteArray::number(d);
            QTest::newRow("ogive " + size) << "TGlowicaOgive" << l << d;
            QTest::newRow("parabolic " + size) << "TGlowicaParabolic" << l << d;
        }
        QTest::newRow("conical") << "TGlowicaStozek" << 90.0 << 30.0;
    }
    void noseCentroidsFollowTheirShapes() {
        QFETCH(QString, kind);
        QFETCH(double, length);
        QFETCH(double, diameter);
        const double r = diameter / 2, rho = (r * r + length * length) / (2 * r);
        std::function<double(double)> radius = [&](double x) {
            return r * x / length;
        };
        if (kind == "TGlowicaOgive")
            radius = [&](double x) {
                return std::sqrt(rho * rho - (length - x) * (length - x)) + r - rho;
            };
        else if (kind == "TGlowicaParabolic")
            radius = [&](double x) {
                return r * std::sqrt(x / length);
            };
        const auto centroid = NoseSurfaceCentroid(kind.toStdString(), length, diameter);
        QVERIFY(centroid);
        QVERIFY2(std::abs(*centroid - BandCentroid(radius, length)) < 1e-5 * length,
                 QByteArray::number(*centroid, 'f', 8).constData());
    }

    // Degenerate data leave terms out instead of failing; nothing becomes NaN.
    void degenerateComponentsContributeNothing_data() {
        QTest::addColumn<int>("fault");
        QTest::addColumn<bool>("hasCp");
        QTest::addColumn<bool>("hasCg");
        QTest::newRow("chords summing to zero") << 0 << true << true;
        QTest::newRow("all weights zero") << 1 << true << false;
        QTest::newRow("zero diameters everywhere") << 2 << true << true;
        QTest::newRow("weight not a number") << 3 << true << true;
        QTest::newRow("equal transition diameters") << 4 << true << true;
    }
    void degenerateComponentsContributeNothing() {
        QFETCH(int, fault);
        QFETCH(bool, hasCp);
        QFETCH(bool, hasCg);
        Design design;
        WidenedRocket(design);
        auto& fins = static_cast<TStatecznik&>(*design.Elements[6]);
        switch (fault) {
        case 0:
            fins.FinA = 30;
            fins.FinC = -30;
            break;
        case 1:
            for (auto& e : design.Elements)
                e->Weight = 0;
            break;
        case 2:
            for (auto& e : design.Elements)
                e->DiameterA = e->DiameterB = 0;
            break;
        case 3:
            design.Elements[2]->Weight = std::numeric_limits<float>::quiet_NaN();
            break;
        case 4:
            design.Elements[3]->DiameterB = design.Elements[3]->DiameterA;
            break;
        }
        DesignBuilder(design).place();
        const StabilityAnalysis a = AnalyseStability(design);
        QVERIFY(std::isfinite(a.cna));
        QCOMPARE(bool(a.cp), hasCp);
        QCOMPARE(bool(a.cg), hasCg);
        QCOMPARE(bool(a.calibers), hasCp && hasCg && a.referenceDiameter);
        for (const StabilityComponent& c : a.components)
            QVERIFY(std::isfinite(c.cna) && std::isfinite(c.cp.value_or(0)) &&
                    std::isfinite(c.cg.value_or(0)));
        if (fault == 0)
            QCOMPARE(a.components[6].cna, 0.0);
        if (fault == 2)
            QCOMPARE(a.cna, 2.0); // only the nose, which needs no diameter
    }

    void rowsShowMissingValuesAsDashes() {
        Design empty;
        QStringList rows;
        for (const StabilityRow& row : StabilityRows(AnalyseStability(empty), ',', 4))
            rows << QString::fromStdString(row.label + "\t" + row.value);
        QCOMPARE(rows, QStringList({"CNa\t0,0000", "CP\t-", "CG\t-", "Reference diameter\t-",
                                    "Calibers\t-", "Rocket\tUnstable", "Ballast needed\t-"}));
        Design design;
        VerificationRocket(design);
        const auto filled = StabilityRows(AnalyseStability(design), '.', 3);
        QCOMPARE(QString::fromStdString(filled[0].value), "25.725");
        QCOMPARE(QString::fromStdString(filled[1].value), "223.30");
    }
};

QTEST_GUILESS_MAIN(TestStability)
#include "tst_stability.moc"
