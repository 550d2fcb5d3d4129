#include "motors/MotorLibrary.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

using namespace vantor;

namespace {

void Write(const QString& path, const QByteArray& text) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(text), text.size());
}

// A small library made by hand: two folders, a subfolder, a malformed file and a file
// of another kind that is not read.
struct HandLibrary {
    QTemporaryDir first, second;
    HandLibrary() {
        Write(first.filePath("estes.eng"), "C6 18 70 0-3-5-7 0.0108 0.0231 E\n0.2 8\n1.8 2\n1.86 0\n"
                                           "D12 24 70 0-3-5-7 0.0211 0.0426 E\n0.3 29\n1.6 10\n1.65 0\n");
        Write(first.filePath("sub/plugged.eng"), "H999 38 203 P 0.147 0.331 AT\n0 200\n0.4 0\n");
        Write(first.filePath("broken.eng"), "C6 18 70 0-3-5-7 0.0108 0.0231 E\n0.2 14\n");
        Write(first.filePath("notes.txt"), "C6 18 70 0-3-5-7 0.0108 0.0231 E\n0.2 14\n1 0\n");
        Write(second.filePath("A8.RSE"),
              "<engine-database><engine-list><engine mfg=\"Estes\" code=\"A8\" dia=\"18\" "
              "len=\"70\" initWt=\"16.35\" propWt=\"3.3\" delays=\"3,5\"><data>"
              "<eng-data t=\"0\" f=\"0\" m=\"3.3\"/><eng-data t=\"0.2\" f=\"9\" m=\"2\"/>"
              "<eng-data t=\"0.7\" f=\"0\" m=\"0\"/></data></engine></engine-list></engine-database>");
    }
    MotorLibrary load() const {
        return LoadMotorLibrary({first.path().toStdString(), second.path().toStdString(),
                                 (first.path() + "/missing").toStdString()});
    }
};

} // namespace

class MotorLibraryTest : public QObject {
    Q_OBJECT

private slots:
    void foldersAreReadInOrderAndFaultsKept() {
        HandLibrary hand;
        const MotorLibrary library = hand.load();
        QStringList names;
        for (const Motor& motor : library.motors)
            names << QString::fromStdString(motor.maker + " " + motor.designation);
        // Sorted by path within a folder, the folders in the order given.
        QCOMPARE(names, (QStringList{"Estes C6", "Estes D12", "AeroTech H999", "Estes A8"}));
        QCOMPARE(library.figures.size(), library.motors.size());
        QCOMPARE(library.errors.size(), std::size_t(1));
        QVERIFY(library.errors[0].file.ends_with("broken.eng"));
        QCOMPARE(library.errors[0].line, 2);
    }

    void captionsNameMotors_data() {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("designation");
        QTest::addColumn<double>("delay"); // -1: plugged
        QTest::newRow("with delay") << "Estes C6-5" << "C6" << 5.0;
        QTest::newRow("any case, trailing blank") << "estes c6-0 " << "C6" << 0.0;
        QTest::newRow("plugged") << "AeroTech H999-P" << "H999" << -1.0;
        QTest::newRow("a delay the motor lacks") << "Estes C6-4" << "" << 0.0;
        QTest::newRow("no delay") << "Estes C6" << "" << 0.0;
        QTest::newRow("plugged asked of a timed motor") << "Estes C6-P" << "" << 0.0;
        QTest::newRow("unknown maker") << "Quest C6-5" << "" << 0.0;
        QTest::newRow("a body tube's caption") << "Body tube" << "" << 0.0;
        QTest::newRow("empty") << "" << "" << 0.0;
    }
    void captionsNameMotors() {
        QFETCH(QString, caption);
        QFETCH(QString, designation);
        QFETCH(double, delay);
        HandLibrary hand;
        const MotorLibrary library = hand.load();
        const NamedMotor named = FindMotorByCaption(library, caption.toStdString());
        if (designation.isEmpty()) {
            QVERIFY(named.motor == nullptr);
            return;
        }
        QVERIFY(named.motor != nullptr);
        QCOMPARE(QString::fromStdString(named.motor->designation), designation);
        QCOMPARE(named.delay.value_or(-1.0), delay);
        // The caption a chosen motor gets names it again.
        const std::string again = MotorCaption(*named.motor, named.delay);
        QCOMPARE(FindMotorByCaption(library, again).motor, named.motor);
    }

    void searchKeepsEveryWordAndTheFit_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("maxDiameter"); // 0: no limit
        QTest::addColumn<QStringList>("found");
        QTest::newRow("everything") << "" << 0.0
                                    << QStringList{"C6", "D12", "H999", "A8"};
        QTest::newRow("maker, any case") << "ESTES" << 0.0 << QStringList{"C6", "D12", "A8"};
        QTest::newRow("two words") << "estes d" << 0.0 << QStringList{"D12"};
        QTest::newRow("class letter") << "h" << 0.0 << QStringList{"H999"};
        QTest::newRow("file name") << "a8.rse" << 0.0 << QStringList{"A8"};
        QTest::newRow("fits an 18 mm tube") << "" << 18.0 << QStringList{"C6", "A8"};
        QTest::newRow("fits a 24 mm tube") << "estes" << 24.7 << QStringList{"C6", "D12", "A8"};
        QTest::newRow("nothing") << "klima" << 0.0 << QStringList{};
    }
    void searchKeepsEveryWordAndTheFit() {
        QFETCH(QString, text);
        QFETCH(double, maxDiameter);
        QFETCH(QStringList, found);
        HandLibrary hand;
        const MotorLibrary library = hand.load();
        const MotorSearch search(library);
        QStringList names;
        const auto limit = maxDiameter > 0 ? std::optional<double>(maxDiameter) : std::nullopt;
        for (std::size_t i : search.find(text.toStdString(), limit))
            names << QString::fromStdString(library.motors[i].designation);
        QCOMPARE(names, found);
    }

    // The command line lists the library with the figures and names the faulty file.
    void commandListsMotorsAsJson() {
        HandLibrary hand;
        QProcess tool;
        // No motor of the user's own folder joins the list.
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_DATA_HOME", hand.second.filePath("no-user-data"));
        tool.setProcessEnvironment(environment);
        tool.start(VANTOR_KFX_PATH, {"motors", "--motors", hand.first.path(), "--motors",
                                     hand.second.path(), "--search", "estes", "--json"});
        QVERIFY(tool.waitForFinished(30000));
        QCOMPARE(tool.exitCode(), 0);
        const QString errors = QString::fromUtf8(tool.readAllStandardError());
        QVERIFY2(errors.contains("broken.eng:2:"), qPrintable(errors));
        QJsonParseError parseError;
        const QJsonDocument json = QJsonDocument::fromJson(tool.readAllStandardOutput(), &parseError);
        QCOMPARE(parseError.error, QJsonParseError::NoError);
        const QJsonArray motors = json.object()["motors"].toArray();
        QCOMPARE(motors.size(), 3);
        const QJsonObject c6 = motors[0].toObject();
        QCOMPARE(c6["maker"].toString(), "Estes");
        QCOMPARE(c6["designation"].toString(), "C6");
        QVERIFY(c6["file"].toString().endsWith("estes.eng"));
        QCOMPARE(c6["diameter_mm"].toDouble(), 18.0);
        QCOMPARE(c6["length_mm"].toDouble(), 70.0);
        QCOMPARE(c6["delays"].toArray(), (QJsonArray{0, 3, 5, 7}));
        // 0.2 s rising to 8 N, 1.6 s from 8 to 2 N, 0.06 s to zero.
        QCOMPARE(c6["total_impulse_Ns"].toDouble(), 0.2 * 8 / 2 + 1.6 * 10 / 2 + 0.06 * 2 / 2);
        QCOMPARE(c6["peak_thrust_N"].toDouble(), 8.0);
        QCOMPARE(c6["burn_time_s"].toDouble(), 1.86);
        QCOMPARE(c6["average_thrust_N"].toDouble(), c6["total_impulse_Ns"].toDouble() / 1.86);
        QCOMPARE(c6["loaded_mass_g"].toDouble(), 23.1);
        QCOMPARE(c6["propellant_mass_g"].toDouble(), 10.8);
        QCOMPARE(c6["class"].toString(), "C");
        QCOMPARE(motors[2].toObject()["designation"].toString(), "A8");
    }

    void commandRefusesAMissingFolderName() {
        QProcess tool;
        tool.start(VANTOR_KFX_PATH, {"motors", "--motors"});
        QVERIFY(tool.waitForFinished(30000));
        QCOMPARE(tool.exitCode(), 2);
    }
};

QTEST_GUILESS_MAIN(MotorLibraryTest)
#include "tst_motor_library.moc"
