// "vantor-kfx fly": the answers against a peer simulator's flights of the same inputs, the
// rule that picks one curve for a motor name, and the command's refusals.
#include "designfile/DesignFile.h"
#include "model/Design.h"
#include "model/Placing.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString Data = QStringLiteral(VANTOR_SHARED_DATA);

struct Run {
    int exit = -1;
    QJsonObject json;
    QString err;
};

Run Fly(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(VANTOR_KFX_PATH), QStringList{"fly"} + args);
    p.waitForFinished(60000);
    Run r;
    r.exit = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.json = QJsonDocument::fromJson(p.readAllStandardOutput()).object();
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

bool HaveData() {
    return QFile::exists(Data + "/peer-flights/flights.json");
}

} // namespace

class TestFly : public QObject {
    Q_OBJECT
private slots:
    void flightsAgreeWithThePeerSimulator_data() {
        QTest::addColumn<QJsonObject>("peer");
        if (!HaveData())
            return;
        QFile file(Data + "/peer-flights/flights.json");
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QJsonArray flights = QJsonDocument::fromJson(file.readAll()).array();
        QVERIFY(!flights.isEmpty());
        for (const QJsonValue& f : flights) {
            const QJsonObject o = f.toObject();
            const QString name = o["motor"].toString() + " cd " + QString::number(o["cd"].toDouble());
            QTest::newRow(qPrintable(name)) << o;
        }
    }
    void flightsAgreeWithThePeerSimulator() {
        if (!HaveData())
            QSKIP("no shared data folder beside the project");
        QFETCH(QJsonObject, peer);
        const Run run = Fly({Data + "/peer-flights/" + peer["design"].toString(), "--motors", Data + "/motors",
                             "--motor", peer["motor"].toString(), "--cd", QString::number(peer["cd"].toDouble()),
                             "--rod-length", QString::number(peer["rod_length_m"].toDouble()), "--json"});
        QCOMPARE(run.exit, 0);
        // The same curve as the peer flew, chosen by the documented rule.
        QCOMPARE(QFileInfo(run.json["motor_file"].toString()).fileName(), peer["motor_file"].toString());
        QVERIFY(std::abs(run.json["cg_mm"].toDouble() - peer["cg_mm"].toDouble()) < 0.01);
        QVERIFY(std::abs(run.json["launch_mass_g"].toDouble() - peer["results"].toObject()["launch_mass_g"].toDouble()) < 0.01);
        const QJsonObject expected = peer["results"].toObject();
        for (const char* key : {"apogee_m", "max_velocity_m_s", "time_to_apogee_s", "rod_exit_velocity_m_s",
                                "max_acceleration_m_s2", "burnout_time_s", "optimum_delay_s"}) {
            const double ours = run.json[key].toDouble(), theirs = expected[key].toDouble();
            qInfo("%s: %.4f vs %.4f (%+.3f %%)", key, ours, theirs, 100 * (ours / theirs - 1));
            QVERIFY2(std::abs(ours / theirs - 1) < 0.01, key);
        }
    }

    void aNameMeansOneDocumentedCurve_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QJsonValue>("delay");
        QTest::newRow("the file listing the delay, maker in full, RASP")
            << "Estes C6-7" << "Estes_C6_5f4294d20002e900000004e7.eng" << QJsonValue(7.0);
        QTest::newRow("abbreviated maker") << "E A8-3" << "Estes_A8_5f4294d20002e900000004e3.eng" << QJsonValue(3.0);
        QTest::newRow("only one lists the delay") << "Estes A8-0" << "Estes_A8_5f4294d20002e90000000897.eng"
                                                  << QJsonValue(0.0);
        QTest::newRow("plugged, maker in full before RASP") << "AeroTech H999-P" << "AeroTech_H999_5f4294d20002e900000003a0.rse"
                                 << QJsonValue(QJsonValue::Null);
        QTest::newRow("without propellant letters") << "AT G80-7" << "AeroTech_G80_5f9241441bca580004171726.rse"
                                                    << QJsonValue(7.0);
        QTest::newRow("letters that end the file's") << "AeroTech G80T-10"
                                                      << "AeroTech_G80_5f9241441bca580004171726.rse" << QJsonValue(10.0);
    }
    void aNameMeansOneDocumentedCurve() {
        if (!HaveData())
            QSKIP("no shared data folder beside the project");
        QFETCH(QString, name);
        QFETCH(QString, file);
        QFETCH(QJsonValue, delay);
        const Run run = Fly({Data + "/peer-flights/peer18_bt55.kfx", "--motors", Data + "/motors", "--motor", name,
                             "--json"});
        QVERIFY2(run.exit == 0 || run.exit == 3, qPrintable(run.err));
        QCOMPARE(QFileInfo(run.json["motor_file"].toString()).fileName(), file);
        QCOMPARE(run.json["delay_s"], delay);
    }

    void refusalsSayWhy_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exit");
        QTest::addColumn<QString>("message");
        const QString design = Data + "/peer-flights/peer18_bt55.kfx";
        QTest::newRow("no motor in the captions") << QStringList{design} << 1 << "no motor chosen";
        QTest::newRow("unknown motor") << QStringList{design, "--motors", Data + "/motors", "--motor", "Estes Z99-3"}
                                       << 1 << "no motor named";
        QTest::newRow("missing motor file") << QStringList{design, "--motor-file", "/nonexistent.eng"} << 1 << "";
        QTest::newRow("bad Cd") << QStringList{design, "--cd", "abc"} << 2 << "--cd takes a number";
        QTest::newRow("NaN wind") << QStringList{design, "--wind", "nan"} << 2 << "--wind takes a number";
        QTest::newRow("two motor choices") << QStringList{design, "--motor", "Estes C6-5", "--motor-file", "x.eng"}
                                           << 2 << "exclude";
    }
    void refusalsSayWhy() {
        if (!HaveData())
            QSKIP("no shared data folder beside the project");
        QFETCH(QStringList, args);
        QFETCH(int, exit);
        QFETCH(QString, message);
        const Run run = Fly(args);
        QCOMPARE(run.exit, exit);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
    }

    // Without --motor the design's own motor components fly the motors their captions name.
    void theDesignsOwnMotorsFly() {
        if (!HaveData())
            QSKIP("no shared data folder beside the project");
        QTemporaryDir dir;
        vantor::Design design;
        QVERIFY(vantor::LoadDesign((Data + "/peer-flights/peer18_bt55.kfx").toStdString(), design).ok);
        vantor::PlaceDesign(design);
        for (auto& e : design.Elements)
            if (e->ClassName == "TEngine")
                e->Caption = "Estes B4-4";
        const QString copy = dir.filePath("b4.kfx");
        QVERIFY(vantor::SaveDesign(design, copy.toStdString()).ok);
        const Run own = Fly({copy, "--motors", Data + "/motors", "--cd", "0.45", "--json"});
        const Run named = Fly({Data + "/peer-flights/peer18_bt55.kfx", "--motors", Data + "/motors", "--motor",
                               "Estes B4-4", "--cd", "0.45", "--json"});
        QCOMPARE(own.exit, 0);
        QCOMPARE(own.json["motor"].toString(), QString("Estes B4-4"));
        QCOMPARE(own.json["apogee_m"].toDouble(), named.json["apogee_m"].toDouble());
        QCOMPARE(own.json["launch_mass_g"].toDouble(), 83.9);
    }

    // An OpenRocket design flies as it opens: imported, its motors named after the file's
    // default motor configuration and found in the library.
    void anImportedDesignFlies() {
        if (!HaveData() || !QFile::exists(Data + "/ork/Chute-release.ork"))
            QSKIP("no shared data folder beside the project");
        const Run run = Fly({Data + "/ork/Chute-release.ork", "--motors", Data + "/motors", "--json"});
        QCOMPARE(run.exit, 0);
        QVERIFY2(run.json["motor"].toString().startsWith("AeroTech G80"), qPrintable(run.err));
        QVERIFY(run.json["apogee_m"].toDouble() > 100);
    }

    void motorFileFliesExactlyThatFileAndWritesTheTrajectory() {
        if (!HaveData())
            QSKIP("no shared data folder beside the project");
        QTemporaryDir dir;
        const QString curve = Data + "/motors/Estes_C6_69eb2379c7d63000021d8c29.eng";
        const QString csv = dir.filePath("trajectory.csv");
        const Run run = Fly({Data + "/peer-flights/peer18_bt55.kfx", "--motor-file", curve, "--delay", "5",
                             "--parachute", "0.3", "--wind", "3", "--json", "--csv", csv});
        QCOMPARE(run.exit, 0);
        QCOMPARE(run.json["motor_file"].toString(), curve);
        QCOMPARE(run.json["delay_s"].toDouble(), 5.0);
        QVERIFY(run.json["landing_velocity_m_s"].toDouble() > 2);
        QVERIFY(run.json["flight_time_s"].toDouble() > run.json["time_to_apogee_s"].toDouble());
        // The program's own drag estimate stands in for --cd.
        const double cd = run.json["cd_at_max_velocity"].toDouble();
        QVERIFY2(cd > 0.2 && cd < 1.2, qPrintable(QString::number(cd)));
        QFile file(csv);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = file.readAll().split('\n');
        QVERIFY(lines.first().startsWith("time_s,x_m,altitude_m"));
        QVERIFY(lines.size() > 100);
        // Without --delay a motor file has no ejection: no numbers of an ejection.
        const Run plain = Fly({Data + "/peer-flights/peer18_bt55.kfx", "--motor-file", curve, "--json"});
        QCOMPARE(plain.exit, 0);
        QVERIFY(plain.json["ejection_altitude_m"].isNull());
        QVERIFY(plain.json["landing_velocity_m_s"].isNull());
    }
};

QTEST_GUILESS_MAIN(TestFly)
#include "tst_fly.moc"
