// The examples published with the two other programs, imported and checked against the
// figures their own simulations stored.
#include "analysis/Stability.h"
#include "analysis/Summary.h"
#include "exchange/DesignImport.h"
#include "model/Design.h"
#include "motors/MotorLibrary.h"

#include <QDir>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <set>

using namespace vantor;

namespace {

QString Shared(const char* sub) {
    return QStringLiteral(SHARED_DATA "/") + QString::fromLatin1(sub);
}

const MotorLibrary& Motors() {
    static const MotorLibrary library = LoadMotorLibrary({Shared("motors").toStdString()});
    return library;
}

// Every motor the import put in was found under its own designation.
bool MotorsExact(const ImportReport& report) {
    return std::none_of(report.entries.begin(), report.entries.end(),
                        [](const ImportReportEntry& e) {
                            return e.event == ImportEvent::MotorDataNotFound ||
                                   e.event == ImportEvent::MotorDataSubstituted;
                        });
}

} // namespace

class ImportExamplesTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        if (!QDir(Shared("ork")).exists() || !QDir(Shared("motors")).exists())
            QSKIP("no shared data folder beside the project");
    }

    // Single-stage designs: for every stored simulation whose motors the library holds
    // under their own designation, the imported launch mass is within 1 %, the CG within
    // 1 % of the length of the first data point; the standard CP within 1 % of the length
    // of the source's CP at its least angle of attack.
    void singleStageDesignsMeetTheStoredFigures_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("checkCp");
        QTest::newRow("chute release") << "Chute-release.ork" << true;
        QTest::newRow("dual deployment") << "Dual-parachute-deployment.ork" << true;
        // Tube fins carry their mass but no lift here; the report says so.
        QTest::newRow("tube fins") << "Tube-fin-rocket.ork" << false;
    }
    void singleStageDesignsMeetTheStoredFigures() {
        QFETCH(QString, file);
        QFETCH(bool, checkCp);
        const std::string path = (Shared("ork") + "/" + file).toStdString();
        Design probe;
        const ImportResult first = ImportForeignDesign(path, probe, LookupInLibrary(Motors()));
        QVERIFY2(first.ok, first.message.c_str());
        QCOMPARE(first.report.stageCount, 1);
        int checked = 0;
        std::set<std::string> configurations;
        for (const StoredFlightPoint& flight : first.report.flights) {
            if (!configurations.insert(flight.configuration).second)
                continue;
            Design design;
            const ImportResult result = ImportForeignDesign(path, design, LookupInLibrary(Motors()),
                                                            {flight.configuration});
            QVERIFY(result.ok);
            if (!MotorsExact(result.report))
                continue;
            const StabilityAnalysis analysis = AnalyseStability(design);
            const Summary summary = ComputeSummary(design, nullptr, '.');
            const double length = summary.length;
            QVERIFY(length > 0 && analysis.cg);
            const double massError = std::abs(analysis.totalWeight - flight.mass) / flight.mass;
            const double cgError = std::abs(*analysis.cg - flight.cg) / length;
            qInfo("%s, %s: mass %.1f g / %.1f g (%.2f %%), CG %.1f / %.1f mm (%.2f %% of %.0f mm)",
                  qPrintable(file), flight.simulation.c_str(), analysis.totalWeight, flight.mass,
                  100 * massError, *analysis.cg, flight.cg, 100 * cgError, length);
            QVERIFY2(massError <= 0.01, flight.simulation.c_str());
            QVERIFY2(cgError <= 0.01, flight.simulation.c_str());
            if (checkCp) {
                QVERIFY(analysis.cp && flight.cpLevel && flight.cp);
                const double cpError = std::abs(*analysis.cp - *flight.cpLevel) / length;
                qInfo(
                    "    CP %.1f mm / %.1f mm at %.4f rad (%.2f %%); first point %.1f mm (%.2f %%)",
                    *analysis.cp, *flight.cpLevel, flight.cpLevelAngle, 100 * cpError, *flight.cp,
                    100 * std::abs(*analysis.cp - *flight.cp) / length);
                QVERIFY2(cpError <= 0.01, flight.simulation.c_str());
            }
            ++checked;
        }
        QVERIFY2(checked > 0, "no stored simulation with motors the library holds");
        if (!checkCp) {
            const std::vector<std::string> lines = ImportReportLines(first.report);
            QVERIFY(std::any_of(lines.begin(), lines.end(), [](const std::string& l) {
                return l.find("tube fins") != std::string::npos &&
                       l.find("lift") != std::string::npos;
            }));
        }
    }

    // The RockSim examples get the motors of their first stored simulation in their mounts,
    // captioned as the motor library names motors; mounts no simulation fills are reported.
    void rockSimExamplesGetTheirMotors_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("motors");
        QTest::addColumn<QStringList>("emptyMounts");
        QTest::newRow("rocksim children")
            << "BodyTubeChildrenTest.rkt" << QStringList{} << QStringList{"Aft Body tube"};
        QTest::newRow("rocksim 1")
            << "rocksimTestRocket1.rkt" << QStringList{"Apogee E6-2"} << QStringList{};
        QTest::newRow("rocksim 2")
            << "rocksimTestRocket2.rkt" << QStringList{} << QStringList{"Body tube"};
        QTest::newRow("rocksim 3")
            << "rocksimTestRocket3.rkt" << QStringList{} << QStringList{"Body tube"};
    }
    void rockSimExamplesGetTheirMotors() {
        QFETCH(QString, file);
        QFETCH(QStringList, motors);
        QFETCH(QStringList, emptyMounts);
        if (!QDir(Shared("rkt")).exists())
            QSKIP("no RockSim examples in the shared data folder");
        Design design;
        const ImportResult result = ImportForeignDesign((Shared("rkt") + "/" + file).toStdString(),
                                                        design, LookupInLibrary(Motors()));
        QVERIFY2(result.ok, result.message.c_str());
        QStringList captions;
        for (const auto& e : design.Elements)
            if (e->ClassName == "TEngine")
                captions << QString::fromStdString(e->Caption);
        QCOMPARE(captions, motors);
        QStringList empty;
        for (const ImportReportEntry& e : result.report.entries)
            if (e.event == ImportEvent::MountWithoutMotor)
                empty << QString::fromStdString(e.part);
        QCOMPARE(empty, emptyMounts);
        const StabilityAnalysis analysis = AnalyseStability(design);
        for (const StoredFlightPoint& flight : result.report.flights)
            qInfo("%s, %s: imported mass %.1f g, CG %.1f mm; stored launch mass %.1f g, CG %.1f mm",
                  qPrintable(file), flight.simulation.c_str(), analysis.totalWeight,
                  analysis.cg.value_or(0), flight.mass, flight.cg);
    }

    // Each example opens, and the report names exactly the parts left out.
    void everyExampleOpensWithItsLeftOutParts_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("leftOut");
        QTest::newRow("chute release") << "ork/Chute-release.ork" << QStringList{};
        QTest::newRow("dual deployment") << "ork/Dual-parachute-deployment.ork" << QStringList{};
        QTest::newRow("tube fins") << "ork/Tube-fin-rocket.ork" << QStringList{};
        QTest::newRow("three stages") << "ork/Three-stage-low-power-rocket.ork"
                                      << QStringList{"Booster stage", "Booster stage"};
        QTest::newRow("two stages")
            << "ork/Two-stage-high-power-rocket.ork" << QStringList{"Booster"};
        QTest::newRow("rocksim children") << "rkt/BodyTubeChildrenTest.rkt" << QStringList{};
        QTest::newRow("rocksim 1") << "rkt/rocksimTestRocket1.rkt" << QStringList{};
        QTest::newRow("rocksim 2")
            << "rkt/rocksimTestRocket2.rkt" << QStringList{"stage 2", "stage 1"};
        QTest::newRow("rocksim 3")
            << "rkt/rocksimTestRocket3.rkt" << QStringList{"Pod", "stage 2", "stage 1"};
    }
    void everyExampleOpensWithItsLeftOutParts() {
        QFETCH(QString, file);
        QFETCH(QStringList, leftOut);
        Design design;
        const ImportResult result = ImportForeignDesign(
            Shared("").toStdString() + file.toStdString(), design, LookupInLibrary(Motors()));
        QVERIFY2(result.ok, result.message.c_str());
        QVERIFY(!design.Elements.empty());
        QStringList named;
        for (const ImportReportEntry& e : result.report.entries)
            if (e.leftOut)
                named << QString::fromStdString(e.part);
        QCOMPARE(named, leftOut);
        // Every left-out stage says what it weighed.
        for (const ImportReportEntry& e : result.report.entries)
            if (e.leftOut && e.event == ImportEvent::LowerStage)
                QVERIFY2(e.mass > 0, e.part.c_str());
    }
};

QTEST_GUILESS_MAIN(ImportExamplesTest)
#include "tst_import_examples.moc"
