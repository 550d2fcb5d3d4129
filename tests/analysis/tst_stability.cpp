#include "analysis/Stability.h"
#include "analysis/Summary.h"
#include "model/FinSet.h"
#include "support/DesignBuilder.h"
#include "support/StabilityRockets.h"

#include <QTest>
#include <cfloat>
#include <cmath>
#include <functional>
#include <random>

using namespace vantor;
using vantor::test::DesignBuilder;
using namespace vantor::test;

namespace {

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

    // Every slope is referred to the widest diameter, 60: the nose's 2 on its own base
    // becomes 2 (40/60)^2. Worked by hand from the component formulas: nose 0.888889 at
    // 66.667; widening 1.111111 at 426.667; boat tail -1.111111 at 668.667; fins 4.270433
    // at 615.0. (The nose's slope used to stay 2, which moved the CP forward to 397.22.)
    void widenedRocketMatchesHandComputation() {
        Design design;
        WidenedRocket(design);
        const StabilityAnalysis a = AnalyseStability(design);
        QVERIFY(std::abs(a.cna - 5.159322) < 1e-4);
        QVERIFY2(std::abs(a.cp.value_or(0) - 468.41) < 0.05,
                 QByteArray::number(a.cp.value_or(0), 'f', 4).constData());
        QVERIFY(std::abs(a.cg.value_or(0) - 426.7717) < 1e-3);
        QCOMPARE(a.totalWeight, 146.0);
        QVERIFY(std::abs(a.calibers.value_or(0) - (*a.cp - *a.cg) / 60) < 1e-9);
        QVERIFY(!a.stable);
        const std::vector<double> cna{0.888889, 0, 0, 1.111111, 0, -1.111111, 4.270433, 0};
        QCOMPARE(a.components.size(), cna.size());
        for (std::size_t i = 0; i < cna.size(); ++i)
            QVERIFY2(std::abs(a.components[i].cna - cna[i]) < 1e-5, a.components[i].kind.c_str());
    }

    // A payload section wider than the nose: cone 80 x 30, transition 30 -> 50, tube
    // 250 x 50 with three fins at its tail.
    void widerBodyThanNoseMatchesHandComputation() {
        Design design;
        WiderBodyRocket(design);
        const StabilityAnalysis a = AnalyseStability(design);
        QVERIFY2(std::abs(a.cp.value_or(0) - 263.43) < 0.05,
                 QByteArray::number(a.cp.value_or(0), 'f', 4).constData());
        QCOMPARE(a.referenceDiameter.value_or(0), 50.0);
        QVERIFY(std::abs(a.components[0].cna - 0.72) < 1e-9);
    }

    // More than four fins interfere with each other; one or two fins hold the rocket only
    // in their own plane.
    void finCountChangesTheSlope_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<double>("cna");
        QTest::addColumn<double>("cp");
        QTest::addColumn<bool>("planeOnly");
        QTest::newRow("3 fins") << 3 << 25.725 << 223.30 << false;
        QTest::newRow("6 fins") << 6 << 45.32 << 230.25 << false;
        QTest::newRow("8 fins") << 8 << 53.25 << 231.61 << false;
        QTest::newRow("2 fins") << 2 << 17.817 << 216.17 << true;
    }
    void finCountChangesTheSlope() {
        QFETCH(int, count);
        QFETCH(double, cna);
        QFETCH(double, cp);
        QFETCH(bool, planeOnly);
        Design design;
        VerificationRocket(design);
        static_cast<TStatecznik&>(*design.Elements[2]).FinCount = count;
        const StabilityAnalysis a = AnalyseStability(design);
        QVERIFY2(std::abs(a.cna - cna) < 0.005, QByteArray::number(a.cna, 'f', 4).constData());
        QVERIFY2(std::abs(a.cp.value_or(0) - cp) < 0.01,
                 QByteArray::number(a.cp.value_or(0), 'f', 4).constData());
        QCOMPARE(a.finsPlaneOnly, planeOnly);
    }

    // The centre of pressure and the margin in millimetres are properties of the rocket,
    // not of the diameter its slopes are referred to.
    void referenceDiameterChangesNoPosition() {
        std::mt19937 random(2026);
        std::uniform_real_distribution<float> size(0.3f, 1.8f);
        for (int round = 0; round < 40; ++round) {
            Design design;
            WidenedRocket(design);
            // A nose and front tube, a widening or narrowing to the rear tube, a boat tail.
            const float front = 40 * size(random), rear = 60 * size(random);
            const float tail = rear * (0.5f + size(random) / 4);
            const auto sizes = [&](std::size_t i, float a, float b) {
                design.Elements[i]->DiameterA = a;
                design.Elements[i]->DiameterB = b;
                design.Elements[i]->Length *= size(random);
            };
            sizes(0, front, 0);
            sizes(2, front, 0);
            sizes(3, front, rear);
            sizes(4, rear, 0);
            sizes(5, rear, tail);
            auto& fins = static_cast<TStatecznik&>(*design.Elements[6]);
            fins.FinD *= size(random);
            fins.FinCount = 3 + round % 6;
            DesignBuilder(design).place();
            const StabilityAnalysis own = AnalyseStability(design);
            QVERIFY2(own.cp && own.cg && own.referenceDiameter, QByteArray::number(round));
            for (double scale : {0.25, 1.7, 40.0}) {
                const double d = *own.referenceDiameter * scale;
                const StabilityAnalysis other = AnalyseStability(design, 1.0, d);
                QCOMPARE(other.referenceDiameter.value_or(0), d);
                QVERIFY2(std::abs(*other.cp - *own.cp) < 1e-9 * std::abs(*own.cp) + 1e-9,
                         QByteArray::number(round).constData());
                QVERIFY(std::abs((*other.cp - *other.cg) - (*own.cp - *own.cg)) < 1e-6);
                const double area = std::pow(*own.referenceDiameter, 2);
                QVERIFY(std::abs(other.cna * d * d - own.cna * area) < 1e-9 * own.cna * area);
            }
        }
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
        // The ballast where the ballast command puts one: on the nose at offset 0, its
        // centre of gravity 6 behind the tip.
        QCOMPARE(before.ballastPosition.value_or(-1), 6.0);
        TRocketElement& nose = *design.Elements[0];
        DesignBuilder build(design);
        AddAlong(build, "TBalast", nose, 0, 0, float(*before.ballastNeeded));
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

    // Degenerate data leave terms out instead of failing; nothing becomes NaN. A size or
    // weight that is negative, not a number, or zero where a nose needs it leaves out
    // every value that follows from it, and says why.
    void degenerateComponentsContributeNothing_data() {
        QTest::addColumn<int>("fault");
        QTest::addColumn<bool>("hasCp");
        QTest::addColumn<bool>("hasCg");
        QTest::addColumn<QString>("error");
        QTest::newRow("negative tip chord") << 0 << false << false << "the tip chord is -30";
        QTest::newRow("all weights zero") << 1 << true << false << "";
        QTest::newRow("zero diameters everywhere") << 2 << false << false << "the diameter is 0";
        QTest::newRow("weight not a number") << 3 << true << false << "the weight is not a number";
        QTest::newRow("equal transition diameters") << 4 << true << true << "";
        QTest::newRow("negative weight") << 5 << true << false << "the weight is -20";
    }
    void degenerateComponentsContributeNothing() {
        QFETCH(int, fault);
        QFETCH(bool, hasCp);
        QFETCH(bool, hasCg);
        QFETCH(QString, error);
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
        case 5:
            design.Elements[0]->Weight = -20;
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
        QCOMPARE(a.errors.empty(), error.isEmpty());
        if (!error.isEmpty())
            QVERIFY2(QString::fromStdString(a.errors.front()).contains(error),
                     a.errors.front().c_str());
        const auto rows = StabilityRows(a, '.', 4);
        QCOMPARE(rows[5].value, std::string(error.isEmpty() ? "Unstable" : "-"));
        if (fault == 0)
            QCOMPARE(a.components[6].cna, 0.0);
        if (fault == 2)
            QCOMPARE(a.cna, 2.0); // only the nose, as wide as the widest part
    }

    // Positions and weights in the tables follow the display units; calibers and CNa have
    // none. With the defaults the numbers are as they always were.
    void tablesWriteLengthsAndWeightsInTheChosenUnits() {
        StabilityAnalysis a;
        a.cna = 9.5;
        a.cp = 254;
        a.cg = 127;
        a.referenceDiameter = 50.8;
        a.calibers = 2.5;
        a.ballastNeeded = 28.349523125;
        a.ballastPosition = 25.4;
        const auto inches = StabilityRows(a, ',', 3, {LengthUnit::Inch, WeightUnit::Ounce});
        const auto metric = StabilityRows(a, ',', 3);
        const std::vector<std::pair<std::string, std::string>> expected{
            {"9,500", "9,500"},   {"10,00 in", "254,00"}, {"5,00 in", "127,00"},
            {"2,00 in", "50,80"}, {"2,50", "2,50"},       {"Stable", "Stable"},
            {"1,00 oz", "28,35"}, {"1,00 in", "25,40"}};
        a.stable = true;
        const auto stableInches = StabilityRows(a, ',', 3, {LengthUnit::Inch, WeightUnit::Ounce});
        const auto stableMetric = StabilityRows(a, ',', 3);
        for (std::size_t i = 0; i < expected.size(); ++i) {
            QCOMPARE(stableInches[i].value, expected[i].first);
            QCOMPARE(stableMetric[i].value, expected[i].second);
            QCOMPARE(inches[i].label, metric[i].label);
        }

        Summary summary;
        summary.weight = 56.69904625f;
        summary.cp = 50.8f;
        summary.length = 304.8f;
        summary.rows = {
            {"Weight", "56.70"}, {"Calibers", "1.00"}, {"CP", "50.80"}, {"Length", "304.80"}};
        const auto rows = RowsInUnits(summary, {LengthUnit::Inch, WeightUnit::Ounce}, '.');
        QCOMPARE(rows[0].value, std::string("2.00 oz"));
        QCOMPARE(rows[1].value, std::string("1.00"));
        QCOMPARE(rows[2].value, std::string("2.00 in"));
        QCOMPARE(rows[3].value, std::string("12.00 in"));
        const auto same = RowsInUnits(summary, {}, '.');
        for (std::size_t i = 0; i < same.size(); ++i)
            QCOMPARE(same[i].value, summary.rows[i].value);
    }

    // Sizes no rocket has, as a damaged file may carry them: every value is either "-"
    // with a reason or a number a rocket can have, never one beyond any rocket.
    void absurdSizesShowNoAbsurdNumber_data() {
        QTest::addColumn<double>("size");
        QTest::addColumn<bool>("weights");
        QTest::newRow("ogive shorter than its radius") << 0.0 << true;
        QTest::newRow("every size the largest float") << double(FLT_MAX) << true;
        QTest::newRow("every size 1e30") << 1e30 << false;
        QTest::newRow("every size subnormal") << double(FLT_TRUE_MIN) << true;
        QTest::newRow("every size a millionth") << 1e-6 << false;
    }
    void absurdSizesShowNoAbsurdNumber() {
        QFETCH(double, size);
        QFETCH(bool, weights);
        Design design;
        VerificationRocket(design);
        TRocketElement& nose = *design.Elements[0];
        if (size == 0) {
            nose.Length = 5;
            nose.DiameterA = 40;
        } else {
            for (auto& e : design.Elements) {
                e->Length = e->DiameterA = float(size);
                if (auto* fins = dynamic_cast<TStatecznik*>(e.get()))
                    fins->FinA = fins->FinB = fins->FinC = fins->FinD = float(size);
            }
        }
        DesignBuilder(design).place();
        if (weights)
            for (auto& e : design.Elements)
                e->Weight = float(e->ComputeWeight());
        const StabilityAnalysis a = AnalyseStability(design);
        QVERIFY(std::isfinite(a.cna) && std::abs(a.cna) < 1e6);
        for (const auto& [value, limit] : {std::pair{a.cp, MaxPlausibleLength},
                                           {a.cg, MaxPlausibleLength},
                                           {a.referenceDiameter, MaxPlausibleLength},
                                           {a.calibers, MaxPlausibleCalibers},
                                           {a.ballastNeeded, MaxPlausibleWeight}})
            QVERIFY2(!value || std::abs(*value) <= limit, QByteArray::number(*value));
        if (size != 0)
            QVERIFY(!a.errors.empty());
        const Summary summary = ComputeSummary(design, nullptr, '.');
        QVERIFY(summary.failed || (std::abs(summary.cp) <= MaxPlausibleLength &&
                                   std::abs(summary.cg) <= MaxPlausibleLength &&
                                   summary.weight <= MaxPlausibleWeight));
    }

    void rowsShowMissingValuesAsDashes() {
        Design empty;
        QStringList rows;
        for (const StabilityRow& row : StabilityRows(AnalyseStability(empty), ',', 4))
            rows << QString::fromStdString(row.label + "\t" + row.value);
        QCOMPARE(rows, QStringList({"CNa\t0,0000", "CP\t-", "CG\t-", "Reference diameter\t-",
                                    "Calibers\t-", "Rocket\tUnstable", "Ballast needed\t-",
                                    "Ballast position\t-"}));
        Design design;
        VerificationRocket(design);
        const auto filled = StabilityRows(AnalyseStability(design), '.', 3);
        QCOMPARE(QString::fromStdString(filled[0].value), "25.725");
        QCOMPARE(QString::fromStdString(filled[1].value), "223.30");
    }
};

QTEST_GUILESS_MAIN(TestStability)
#include "tst_stability.moc"
