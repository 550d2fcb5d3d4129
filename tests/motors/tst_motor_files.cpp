#include "motors/MotorFigures.h"
#include "motors/MotorFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

#include <cmath>
#include <limits>

using namespace vantor;

namespace {

const double Unpublished = std::numeric_limits<double>::quiet_NaN();

bool Near(double value, double published) {
    return std::isnan(published) || std::abs(value - published) <= 0.005 * std::abs(published);
}

std::string FirstFault(const MotorFileResult& result) {
    return result.errors.empty() ? std::string() : Describe(result.errors.front());
}

QString SharedMotors() {
    return QStringLiteral(SHARED_MOTORS);
}

// The sound C6 of the hand-made rows: a short curve that ends at zero thrust.
const char* const SoundHeader = "C6 18 70 0-3-5-7 0.0108 0.0231 Estes\n";

} // namespace

class MotorFilesTest : public QObject {
    Q_OBJECT

private slots:
    // Figures derived from published RASP curves agree with the certification figures
    // published for the same motors.
    void engFiguresMatchPublished_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<double>("impulse");
        QTest::addColumn<double>("average");
        QTest::addColumn<double>("peak");
        QTest::addColumn<double>("burn");
        QTest::addColumn<QString>("cls");
        QTest::newRow("Estes C6") << "Estes_C6_5f4294d20002e900000004e7.eng" << 8.817 << 4.74
                                  << 14.09 << 1.86 << "C";
        QTest::newRow("Estes C6 again") << "Estes_C6_69eb2379c7d63000021d8c29.eng" << 8.817
                                        << 4.74 << 14.09 << 1.86 << "C";
        QTest::newRow("Estes A8") << "Estes_A8_5f4294d20002e900000004e3.eng" << 2.32 << 3.178
                                  << 9.73 << 0.73 << "A";
        QTest::newRow("Estes D12") << "Estes_D12_5f4294d20002e900000004ea.eng" << 16.839
                                   << 10.206 << 29.73 << 1.65 << "D";
        QTest::newRow("AeroTech G40") << "AeroTech_G40_5f4294d20002e90000000463.eng" << 99.02
                                      << 43.052 << 74.325 << 2.3 << "G";
        QTest::newRow("AeroTech G80NBT") << "AeroTech_G80_5f4294d20002e900000007dd.eng" << 135.628
                                         << 79.735 << 106.954 << 1.7 << "G";
        QTest::newRow("AeroTech H669N") << "AeroTech_H669_5f4294d20002e9000000026a.eng" << 219.749
                                        << 667.931 << 1178.0 << 0.33 << "H";
        QTest::newRow("AeroTech I59WN") << "AeroTech_I59_5f4294d20002e90000000660.eng" << 486.706
                                        << 56.567 << 171.786 << 8.6 << "I";
        // The header gives the measured impulse and peak; its burn time is cut at 5 %
        // of peak thrust, not at the last point.
        QTest::newRow("AeroTech G78") << "AeroTech_G80_5f4294d20002e9000000044a.eng" << 133.2377
                                      << Unpublished << 102.2 << Unpublished << "G";
    }
    void engFiguresMatchPublished() {
        QFETCH(QString, file);
        QFETCH(double, impulse);
        QFETCH(double, average);
        QFETCH(double, peak);
        QFETCH(double, burn);
        QFETCH(QString, cls);
        const QString path = SharedMotors() + "/" + file;
        if (!QFile::exists(path))
            QSKIP("no shared motor files beside the project");
        const MotorFileResult result = ReadMotorFile(path.toStdString());
        QVERIFY2(result.errors.empty(), FirstFault(result).c_str());
        QCOMPARE(result.motors.size(), std::size_t(1));
        const MotorFigures f = FiguresOf(result.motors[0]);
        QVERIFY2(Near(f.totalImpulse, impulse), qPrintable(QString::number(f.totalImpulse)));
        QVERIFY2(Near(f.averageThrust, average), qPrintable(QString::number(f.averageThrust)));
        QVERIFY2(Near(f.peakThrust, peak), qPrintable(QString::number(f.peakThrust)));
        QVERIFY2(Near(f.burnTime, burn), qPrintable(QString::number(f.burnTime)));
        QCOMPARE(QString::fromStdString(f.impulseClass), cls);
    }

    // Every RockSim file: the derived figures against the figures the file states, its
    // masses as given, and its own mass column followed.
    void rseFiguresMatchTheirAttributes_data() {
        QTest::addColumn<QString>("path");
        const QStringList files = QDir(SharedMotors()).entryList({"*.rse"}, QDir::Files);
        if (files.isEmpty())
            QTest::newRow("none") << QString();
        for (const QString& file : files)
            QTest::newRow(qPrintable(file)) << SharedMotors() + "/" + file;
    }
    void rseFiguresMatchTheirAttributes() {
        QFETCH(QString, path);
        if (path.isEmpty())
            QSKIP("no shared motor files beside the project");
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&file);
        while (!xml.atEnd() && !(xml.readNextStartElement() && xml.name() == u"engine")) {
        }
        const auto stated = [&](const char* name) {
            return xml.attributes().value(QLatin1String(name)).toDouble();
        };
        const MotorFileResult result = ReadMotorFile(path.toStdString());
        QVERIFY2(result.errors.empty(), FirstFault(result).c_str());
        QCOMPARE(result.motors.size(), std::size_t(1));
        const Motor& motor = result.motors[0];
        const MotorFigures f = FiguresOf(motor);
        QVERIFY2(Near(f.totalImpulse, stated("Itot")), qPrintable(QString::number(f.totalImpulse)));
        QVERIFY2(Near(f.averageThrust, stated("avgThrust")),
                 qPrintable(QString::number(f.averageThrust)));
        QVERIFY2(Near(f.peakThrust, stated("peakThrust")), qPrintable(QString::number(f.peakThrust)));
        QVERIFY2(Near(f.burnTime, stated("burn-time")), qPrintable(QString::number(f.burnTime)));
        QCOMPARE(motor.loadedMass, stated("initWt"));
        QCOMPARE(motor.propellantMass, stated("propWt"));
        QCOMPARE(motor.diameter, stated("dia"));
        // The mass column as written, between its points too.
        QVERIFY(Near(MassAt(motor, 0), stated("initWt")));
        const ThrustSample& a = motor.curve[motor.curve.size() / 2];
        const ThrustSample& b = motor.curve[motor.curve.size() / 2 + 1];
        QVERIFY(a.mass >= 0 && b.mass >= 0);
        QCOMPARE(PropellantLeftAt(motor, (a.time + b.time) / 2), (a.mass + b.mass) / 2);
    }

    // Every shared file reads without a fault.
    void everySharedFileReads() {
        const QStringList files =
            QDir(SharedMotors()).entryList({"*.eng", "*.rse"}, QDir::Files);
        if (files.isEmpty())
            QSKIP("no shared motor files beside the project");
        for (const QString& file : files) {
            const MotorFileResult result = ReadMotorFile((SharedMotors() + "/" + file).toStdString());
            QVERIFY2(result.errors.empty(), FirstFault(result).c_str());
            QVERIFY(!result.motors.empty());
        }
    }

    // Each malformed file is refused with the line of its fault, and no motor of it kept.
    void malformedFilesGiveTheirLine_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("says");
        const QByteArray sound = SoundHeader;
        QTest::newRow("no zero at the end")
            << sound + "0.1 5\n0.5 4\n1.0 3\n" << 4 << "does not end at zero";
        QTest::newRow("time goes backwards")
            << sound + "0.1 5\n0.5 4\n0.4 3\n1.0 0\n" << 4 << "backwards";
        QTest::newRow("NaN thrust") << sound + "0.1 5\n0.5 nan\n1.0 0\n" << 3 << "time and a thrust";
        QTest::newRow("negative thrust") << sound + "0.1 5\n0.5 -4\n1.0 0\n" << 3 << "negative";
        QTest::newRow("five-field header")
            << QByteArray("; made by hand\nC6 18 70 0-3-5-7 0.0108\n0.1 5\n1 0\n") << 2
            << "has 5 fields";
        QTest::newRow("empty file") << QByteArray() << 1 << "no motor";
        QTest::newRow("comments only") << QByteArray(";\n; nothing\n") << 2 << "no motor";
        QTest::newRow("binary junk") << QByteArray("\x7f" "ELF\x02\x01\x01\0\0\0", 10) << 1
                                     << "binary";
        QTest::newRow("points before a header") << QByteArray("0.1 5\n1 0\n") << 1 << "header";
        QTest::newRow("header without points")
            << sound + sound + "0.1 5\n1 0\n" << 2 << "no thrust points";
        QTest::newRow("bad delays") << QByteArray("C6 18 70 3/5 0.0108 0.0231 Estes\n0.1 5\n1 0\n")
                                    << 1 << "delays";
        QTest::newRow("propellant heavier than the motor")
            << QByteArray("C6 18 70 3 0.05 0.0231 Estes\n0.1 5\n1 0\n") << 3 << "propellant";
        QTest::newRow("second motor malformed")
            << sound + "0.1 5\n1 0\n" + sound + "0.1 5\n0.05 0\n" << 6 << "backwards";
        QTest::newRow("XML not closed")
            << QByteArray("<engine-database>\n<engine-list>\n<engine code=\"C6\">\n") << 3
            << "malformed";
        QTest::newRow("XML without engine") << QByteArray("<engine-database/>\n") << 1
                                            << "no <engine>";
        QTest::newRow("XML engine without sizes")
            << QByteArray("<engine-database>\n<engine-list>\n\n<engine code=\"C6\" mfg=\"Estes\" "
                          "initWt=\"23.1\" propWt=\"10.8\">\n</engine></engine-list>"
                          "</engine-database>\n")
            << 4 << "dia, len";
        QTest::newRow("XML time goes backwards")
            << QByteArray("<engine-database><engine-list>\n<engine code=\"C6\" mfg=\"Estes\" "
                          "dia=\"18\" len=\"70\" initWt=\"23.1\" propWt=\"10.8\" delays=\"5\">"
                          "<data>\n<eng-data t=\"0\" f=\"0\" m=\"10.8\"/>\n"
                          "<eng-data t=\"0.5\" f=\"9\" m=\"5\"/>\n"
                          "<eng-data t=\"0.2\" f=\"0\" m=\"0\"/>\n"
                          "</data></engine></engine-list></engine-database>\n")
            << 5 << "backwards";
    }
    void malformedFilesGiveTheirLine() {
        QFETCH(QByteArray, text);
        QFETCH(int, line);
        QFETCH(QString, says);
        const MotorFileResult result =
            ReadMotorText(std::string_view(text.constData(), std::size_t(text.size())), "hand.eng");
        QVERIFY(result.motors.empty());
        QCOMPARE(result.errors.size(), std::size_t(1));
        QCOMPARE(result.errors[0].line, line);
        QCOMPARE(result.errors[0].file, std::string("hand.eng"));
        QVERIFY2(QString::fromStdString(result.errors[0].message).contains(says),
                 result.errors[0].message.c_str());
    }

    // A file far larger than any motor file is refused by its size, before it is read.
    void hugeFileIsRefusedUnread() {
        QTemporaryDir dir;
        QFile file(dir.filePath("huge.eng"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.write(SoundHeader) > 0);
        QVERIFY(file.resize(100 << 20)); // sparse: no 100 MB written
        file.close();
        const MotorFileResult result = ReadMotorFile(file.fileName().toStdString());
        QVERIFY(result.motors.empty());
        QCOMPARE(result.errors.size(), std::size_t(1));
        QVERIFY(QString::fromStdString(result.errors[0].message).contains("104857600 bytes"));
    }

    void tooManyPointsAreRefused() {
        std::string text = SoundHeader;
        for (std::size_t i = 1; i <= MaxCurvePoints + 1; ++i)
            text += std::to_string(i * 0.001) + " 5\n";
        const MotorFileResult result = ReadEngText(text, "long.eng");
        QVERIFY(result.motors.empty());
        QCOMPARE(result.errors.at(0).line, int(MaxCurvePoints) + 2);

        // The same in XML, one row a line: every row's line is named without counting
        // the file from its start again.
        std::string xml = "<engine-database><engine-list>\n<engine code=\"X\" dia=\"18\" "
                          "len=\"70\" initWt=\"23\" propWt=\"10\"><data>\n";
        for (std::size_t i = 0; i <= MaxCurvePoints; ++i)
            xml += "<eng-data t=\"" + std::to_string(i * 0.001) + "\" f=\"5\"/>\n";
        xml += "</data></engine></engine-list></engine-database>\n";
        const MotorFileResult rows = ReadRseText(xml, "long.rse");
        QVERIFY(rows.motors.empty());
        QCOMPARE(rows.errors.at(0).line, int(MaxCurvePoints) + 3);
        QVERIFY(QString::fromStdString(rows.errors[0].message).contains("too many points"));
    }

    // Several motors in one file, a byte order mark, comments at line ends, Windows line
    // ends, and the curve started from zero thrust at ignition.
    void severalMotorsInOneFile() {
        const std::string text = "\xEF\xBB\xBF; two motors\r\n"
                                 "B6-0 18 70 0 0.0056 0.0156 E ; booster\r\n"
                                 "0.1 10\r\n0.5 0\r\n"
                                 "H999 38 203 P 0.147 0.3311207 AT\r\n"
                                 "0 100\r\n1 100\r\n1.01 0\r\n";
        const MotorFileResult result = ReadEngText(text, "two.eng");
        QVERIFY(result.errors.empty());
        QCOMPARE(result.motors.size(), std::size_t(2));
        const Motor& b6 = result.motors[0];
        QCOMPARE(b6.maker, std::string("Estes"));
        QCOMPARE(b6.designation, std::string("B6"));
        QCOMPARE(b6.delays, std::vector<double>{0});
        QCOMPARE(b6.loadedMass, 15.6);
        QCOMPARE(b6.curve.front().time, 0.0);
        QCOMPARE(b6.curve.front().thrust, 0.0);
        QCOMPARE(FiguresOf(b6).totalImpulse, 0.1 * 10 / 2 + 0.4 * 10 / 2);
        const Motor& h999 = result.motors[1];
        QCOMPARE(h999.maker, std::string("AeroTech"));
        QVERIFY(h999.delays.empty());
        QCOMPARE(h999.curve.size(), std::size_t(3)); // starts at t = 0 already
    }

    // Propellant burns in proportion to the impulse delivered where the file gives no
    // mass column.
    void propellantBurnsWithImpulse_data() {
        QTest::addColumn<double>("time");
        QTest::addColumn<double>("mass");
        // 10 N for 1 s, then 30 N for 1 s, then to zero at 2.5 s: 10 + 30 + 7.5 N·s.
        QTest::newRow("ignition") << 0.0 << 50.0;
        QTest::newRow("before ignition") << -1.0 << 50.0;
        QTest::newRow("after the first second") << 1.0 << 50.0 - 20 * 10 / 47.5 - 0.0;
        QTest::newRow("burnout") << 2.5 << 30.0;
        QTest::newRow("after burnout") << 9.0 << 30.0;
    }
    void propellantBurnsWithImpulse() {
        QFETCH(double, time);
        QFETCH(double, mass);
        const std::string text = "X30 24 70 5 0.02 0.05 Test\n"
                                 "0 10\n1 10\n1 30\n2 30\n2.5 0\n";
        const MotorFileResult result = ReadEngText(text, "x.eng");
        QVERIFY(result.errors.empty());
        const Motor& motor = result.motors.at(0);
        QCOMPARE(FiguresOf(motor).totalImpulse, 47.5);
        QVERIFY2(std::abs(MassAt(motor, time) - mass) < 1e-9,
                 qPrintable(QString::number(MassAt(motor, time))));
    }

    void impulseClassBounds_data() {
        QTest::addColumn<double>("impulse");
        QTest::addColumn<QString>("cls");
        QTest::newRow("none") << 0.0 << "-";
        QTest::newRow("1/8A") << 0.3 << "1/8A";
        QTest::newRow("1/4A") << 0.625 << "1/4A";
        QTest::newRow("1/2A") << 1.0 << "1/2A";
        QTest::newRow("A top") << 2.5 << "A";
        QTest::newRow("B bottom") << 2.51 << "B";
        QTest::newRow("C") << 10.0 << "C";
        QTest::newRow("D bottom") << 10.01 << "D";
        QTest::newRow("H top") << 320.0 << "H";
        QTest::newRow("I") << 321.0 << "I";
        QTest::newRow("O") << 40000.0 << "O";
    }
    void impulseClassBounds() {
        QFETCH(double, impulse);
        QFETCH(QString, cls);
        QCOMPARE(QString::fromStdString(ImpulseClass(impulse)), cls);
    }

    void thrustBetweenPoints() {
        const MotorFileResult result =
            ReadEngText("X 18 70 3 0.01 0.02 Test\n0.5 10\n1 20\n1.5 0\n", "x.eng");
        QVERIFY(result.errors.empty());
        const Motor& motor = result.motors.at(0);
        QCOMPARE(ThrustAt(motor, 0.25), 5.0);
        QCOMPARE(ThrustAt(motor, 0.75), 15.0);
        QCOMPARE(ThrustAt(motor, 1.25), 10.0);
        QCOMPARE(ThrustAt(motor, 2.0), 0.0);
        QCOMPARE(ImpulseUntil(motor, 0.5), 2.5);
    }
};

QTEST_GUILESS_MAIN(MotorFilesTest)
#include "tst_motor_files.moc"
