// "Compare motors": every library motor that fits, every delay it has, and a stop on request.
#include "analysis/Stability.h"
#include "designfile/DesignFile.h"
#include "flight/CompareMotors.h"
#include "model/Design.h"
#include "model/FinSet.h"
#include "model/Placing.h"

#include <QFile>
#include <QtTest>

#include <set>

using namespace vantor;

namespace {

const std::string Data = VANTOR_SHARED_DATA;

} // namespace

class TestCompare : public QObject {
    Q_OBJECT
private slots:
    void everyFittingMotorAndDelayGetsARow() {
        if (!QFile::exists(QString::fromStdString(Data + "/peer-flights/peer18_bt55.kfx")))
            QSKIP("no shared data folder beside the project");
        Design design;
        QVERIFY(LoadDesign(Data + "/peer-flights/peer18_bt55.kfx", design).ok);
        PlaceDesign(design);
        const StabilityAnalysis analysis = AnalyseStability(design);
        const MotorLibrary library = LoadMotorLibrary({Data + "/motors"});
        QVERIFY(library.motors.size() > 20);

        ComparisonSettings settings;
        settings.drag.fixedCd = 0.5;
        std::size_t lastDone = 0, lastTotal = 0;
        const std::vector<ComparisonRow> rows =
            CompareMotors(design, analysis, library, settings, [&](std::size_t done, std::size_t total) {
                lastDone = done;
                lastTotal = total;
                return true;
            });
        // The 18 mm tube takes the 18 mm motors and none of the 24, 29 and 38 mm ones.
        std::size_t expected = 0, fitting = 0;
        for (const Motor& m : library.motors)
            if (m.diameter <= 18.05) {
                ++fitting;
                expected += std::max<std::size_t>(1, m.delays.size());
            }
        QCOMPARE(rows.size(), expected);
        QCOMPARE(lastDone, fitting);
        QCOMPARE(lastTotal, fitting);
        std::set<std::string> files;
        for (const ComparisonRow& row : rows) {
            QVERIFY(row.motor->diameter <= 18.05);
            files.insert(row.motor->file);
            QVERIFY2(row.flew, qPrintable(QString::fromStdString(row.message)));
            QVERIFY(row.apogee > 10 && row.maxVelocity > row.rodSpeed);
        }
        QCOMPARE(files.size(), fitting);

        // The rows of one motor share the flight; their delays sort the ejection warnings.
        const auto has = [](const ComparisonRow& r, const char* key) {
            return std::find(r.warnings.begin(), r.warnings.end(), key) != r.warnings.end();
        };
        bool sawEarly = false;
        for (const ComparisonRow& row : rows) {
            if (row.motor->designation != "C6" || !row.delay)
                continue;
            QVERIFY(row.optimumDelay > 3);
            const double off = *row.delay - row.optimumDelay;
            QCOMPARE(has(row, "ejection_early"), off < -EjectionTolerance);
            QCOMPARE(has(row, "ejection_late"), off > EjectionTolerance);
            sawEarly = sawEarly || has(row, "ejection_early");
        }
        QVERIFY(sawEarly); // the C6-0 fires long before apogee
    }

    // A design damaged in its numbers flies to a message or to finite answers, never to a
    // number presented as valid that is not one.
    void damagedDesignsGiveAMessageOrFiniteAnswers_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("field");
        QTest::addColumn<double>("value");
        QTest::addColumn<bool>("flies");
        QTest::newRow("NaN body weight") << "TKorpus" << "Weight" << double(NAN) << true;
        QTest::newRow("NaN fin length") << "TStatecznik" << "Length" << double(NAN) << true;
        QTest::newRow("infinite nose length") << "TGlowicaStozek" << "Length" << double(INFINITY) << false;
        QTest::newRow("weightless airframe: the tail motor alone tumbles") << "*" << "Weight" << 0.0 << false;
        QTest::newRow("no fins: CP ahead of CG") << "TStatecznik" << "FinCount" << 0.0 << false;
    }
    void damagedDesignsGiveAMessageOrFiniteAnswers() {
        if (!QFile::exists(QString::fromStdString(Data + "/peer-flights/peer18_bt55.kfx")))
            QSKIP("no shared data folder beside the project");
        QFETCH(QString, kind);
        QFETCH(QString, field);
        QFETCH(double, value);
        QFETCH(bool, flies);
        Design design;
        QVERIFY(LoadDesign(Data + "/peer-flights/peer18_bt55.kfx", design).ok);
        for (auto& e : design.Elements) {
            if (kind != "*" && e->ClassName != kind.toStdString())
                continue;
            if (field == "Weight")
                e->Weight = float(value);
            else if (field == "Length")
                e->Length = float(value);
            else if (auto* fins = dynamic_cast<TStatecznik*>(e.get()))
                fins->FinCount = int(value);
        }
        PlaceDesign(design);
        const StabilityAnalysis analysis = AnalyseStability(design);
        const MotorLibrary library = LoadMotorLibrary({Data + "/motors"});
        const Motor* c6 = nullptr;
        for (const Motor& m : library.motors)
            if (m.designation == "C6" && !m.delays.empty())
                c6 = &m;
        QVERIFY(c6);
        const auto mounts = MotorMounts(design, analysis);
        std::vector<std::optional<ChosenMotor>> chosen(mounts.size(), ChosenMotor{*c6, 5.0});
        DragChoice drag;
        drag.fixedCd = 0.5;
        DesignFlight flight = BuildDesignFlight(design, analysis, chosen, drag, {});
        const FlightResult result = Simulate(flight.inputs);
        const FlightAnswers a = Answer(flight.inputs, result, flight.context);
        QVERIFY2(a.valid == flies, a.message.c_str());
        if (a.valid) {
            for (double v : {*a.apogee, a.maxVelocity, a.maxAcceleration, *a.rodExitVelocity, *a.optimumDelay})
                QVERIFY(std::isfinite(v) && v >= 0);
        } else {
            QVERIFY(!a.message.empty());
            QVERIFY(!a.warnings.empty());
        }
    }

    void aComparisonStopsWhenAsked() {
        if (!QFile::exists(QString::fromStdString(Data + "/peer-flights/peer18_bt55.kfx")))
            QSKIP("no shared data folder beside the project");
        Design design;
        QVERIFY(LoadDesign(Data + "/peer-flights/peer18_bt55.kfx", design).ok);
        PlaceDesign(design);
        const StabilityAnalysis analysis = AnalyseStability(design);
        const MotorLibrary library = LoadMotorLibrary({Data + "/motors"});
        ComparisonSettings settings;
        settings.threads = 1; // one flight at a time: the stop comes after exactly two
        int callsAfterStop = 0;
        bool stopped = false;
        std::size_t total = 0;
        const auto rows = CompareMotors(design, analysis, library, settings, [&](std::size_t done, std::size_t all) {
            total = all;
            if (stopped)
                ++callsAfterStop;
            stopped = stopped || done >= 2;
            return !stopped;
        });
        std::set<const Motor*> motors;
        for (const ComparisonRow& row : rows)
            motors.insert(row.motor);
        QCOMPARE(motors.size(), std::size_t(2));
        QVERIFY(total > 2);
        QCOMPARE(callsAfterStop, 0);
        // A stop before the first flight gives nothing.
        QVERIFY(CompareMotors(design, analysis, library, settings, [](std::size_t, std::size_t) { return false; })
                    .empty());
        // A design without a motor component has nothing to compare.
        Design empty;
        QVERIFY(CompareMotors(empty, AnalyseStability(empty), library, settings).empty());
    }
};

QTEST_APPLESS_MAIN(TestCompare)
#include "tst_compare.moc"
