// vantor-kfx end to end: the built tool run on files the writer made, through its exit
// status and its output.
#include "analysis/Stability.h"
#include "analysis/Summary.h"
#include "designfile/DesignFile.h"
#include "model/Placing.h"
#include "support/SampleDesigns.h"
#include "support/StabilityRockets.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>
#include <sys/stat.h>
#include <sys/sysmacros.h>

using namespace vantor;
using namespace vantor::test;

namespace {

struct Run {
    int status = -1;
    QString out;
    QString err;
};

// Runs the tool; its standard output goes to `outputFile` when one is given.
Run Kfx(const QStringList& arguments, const QString& outputFile = {}) {
    QProcess process;
    if (!outputFile.isEmpty())
        process.setStandardOutputFile(outputFile);
    process.start(QStringLiteral(VANTOR_KFX_PATH), arguments);
    Run run;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.status = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray Encoded(void (*build)(Design&)) {
    Design design;
    build(design);
    const std::vector<std::uint8_t> bytes = EncodeDesign(design);
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
}

} // namespace

class KfxToolTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;

    QString file(const char* name, void (*build)(Design&)) {
        const QString path = dir_.filePath(QString::fromUtf8(name));
        WriteAll(path, Encoded(build));
        return path;
    }

private slots:
    void summaryPrintsTheSixRows() {
        const Run run = Kfx({QStringLiteral("summary"), file("nose.kfx", BuildNoseAlone)});
        QCOMPARE(run.status, 0);
        // A conical nose of length 200 with its tip at 40: CP and CG two thirds along.
        QCOMPARE(run.out, QStringLiteral("Weight\t12.50\nCalibers\t0.00\nCP\t173.33\n"
                                         "CG\t173.33\nLength\t200.00\nRocket\tUnstable\n"));
        QVERIFY(run.err.isEmpty());
    }

    // The tool gives what the core computes for the loaded and drawn design.
    void summaryMatchesTheCoreComputation() {
        const QString path = file("rocket.kfx", BuildFullRocket);
        const Run run = Kfx({QStringLiteral("summary"), path});
        QCOMPARE(run.status, 0);

        Design design;
        QVERIFY(LoadDesign(path.toStdString(), design).ok);
        RecordingSurface surface;
        PlaceDesign(design);
        DrawDesign(design, surface);
        const Summary summary = ComputeSummary(design, nullptr, '.');
        QString expected;
        for (const SummaryRow& row : summary.rows)
            expected += QString::fromStdString(row.label + '\t' + row.value + '\n');
        QCOMPARE(summary.rows.size(), std::size_t{6});
        QCOMPARE(run.out, expected);
    }

    // The standard analysis of the loaded design, as rows and as JSON; a design whose
    // classic summary fails still has one.
    void stabilityPrintsTheAnalysis() {
        const QString path = file("rocket.kfx", BuildFullRocket);
        const Run rows = Kfx({QStringLiteral("stability"), path, "--target", "1.5"});
        QCOMPARE(rows.status, 0);
        Design design;
        QVERIFY(LoadDesign(path.toStdString(), design).ok);
        RecordingSurface surface;
        PlaceDesign(design);
        DrawDesign(design, surface);
        QString expected;
        for (const StabilityRow& row : StabilityRows(AnalyseStability(design, 1.5), '.', 4))
            expected += QString::fromStdString(row.label + '\t' + row.value + '\n');
        QCOMPARE(rows.out, expected);
        QVERIFY(rows.out.startsWith("CNa\t") && rows.out.contains("\nBallast needed\t"));

        const Run json = Kfx({QStringLiteral("stability"), path, "--json"});
        QCOMPARE(json.status, 0);
        const QJsonObject object = QJsonDocument::fromJson(json.out.toUtf8()).object();
        QCOMPARE(object.value("components").toArray().size(), int(design.Elements.size()));
        QCOMPARE(object.value("components").toArray()[0].toObject().value("CNa").toDouble(), 2.0);
        QVERIFY(object.contains("Ballast needed"));

        const Run unusual = Kfx({QStringLiteral("stability"), file("odd.kfx", BuildUnusual)});
        QCOMPARE(unusual.status, 0);
        QVERIFY(object.value("errors").toArray().isEmpty());
    }

    // A weight no part can have: the values that follow from it are "-", and the reason
    // goes to standard error and into the JSON.
    void stabilityGivesReasonsForMissingValues() {
        const QString path = file("negative.kfx", [](Design& d) {
            VerificationRocket(d);
            d.Elements[1]->Weight = -1e20f;
        });
        const Run rows = Kfx({QStringLiteral("stability"), path});
        QCOMPARE(rows.status, 0);
        QVERIFY2(rows.out.contains("\nCG\t-\n") && rows.out.contains("\nRocket\t-\n"),
                 qPrintable(rows.out));
        QVERIFY2(rows.err.contains("the weight is -1e+20"), qPrintable(rows.err));
        const Run json = Kfx({QStringLiteral("stability"), path, "--json"});
        const QJsonObject object = QJsonDocument::fromJson(json.out.toUtf8()).object();
        QVERIFY(object.value("CG").isNull() && object.value("Calibers").isNull());
        QCOMPARE(object.value("errors").toArray().size(), 1);
    }

    // The analysis of rockets whose values are known, through a saved file: a nose
    // narrower than the widest part, and the fins' plane-only note.
    void stabilityOfKnownRockets_data() {
        QTest::addColumn<int>("rocket");
        QTest::addColumn<double>("cna");
        QTest::addColumn<double>("cp");
        QTest::addColumn<bool>("planeOnly");
        QTest::newRow("verification") << 0 << 25.725 << 223.30 << false;
        QTest::newRow("widened") << 1 << 5.1593 << 468.41 << false;
        QTest::newRow("wider body than nose") << 2 << 7.6412 << 263.43 << false;
        QTest::newRow("two fins") << 3 << 17.817 << 216.17 << true;
    }
    void stabilityOfKnownRockets() {
        QFETCH(int, rocket);
        QFETCH(double, cna);
        QFETCH(double, cp);
        QFETCH(bool, planeOnly);
        static void (*const builds[])(Design&) = {
            [](Design& d) { VerificationRocket(d); }, [](Design& d) { WidenedRocket(d); },
            WiderBodyRocket,
            [](Design& d) {
                VerificationRocket(d);
                static_cast<TStatecznik&>(*d.Elements[2]).FinCount = 2;
            }};
        const Run json =
            Kfx({QStringLiteral("stability"), file("known.kfx", builds[rocket]), "--json"});
        QCOMPARE(json.status, 0);
        const QJsonObject object = QJsonDocument::fromJson(json.out.toUtf8()).object();
        QVERIFY2(std::abs(object.value("CNa").toDouble() - cna) < 1e-3, qPrintable(json.out));
        QVERIFY2(std::abs(object.value("CP").toDouble() - cp) < 0.05, qPrintable(json.out));
        QCOMPARE(object.value("fins_plane_only").toBool(!planeOnly), planeOnly);
        const Run rows = Kfx({QStringLiteral("stability"), file("known.kfx", builds[rocket])});
        QCOMPARE(rows.out.contains("\nNote\tthe margin holds in the plane of the fins only\n"),
                 planeOnly);
    }

    void failedSummaryExitsWith3() {
        // A transition with equal diameters has no centre of pressure.
        const Run run = Kfx({QStringLiteral("summary"), file("odd.kfx", BuildUnusual)});
        QCOMPARE(run.status, 3);
        QCOMPARE(run.err, QStringLiteral("Error in LiczParametry\n"));
        QVERIFY(run.out.isEmpty());
    }

    void unreadableOrRefusedFileExitsWith1_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("reason");
        QByteArray unknown = Encoded(BuildFullRocket);
        unknown.replace(8 + 178, 8, QByteArray("TFoo\0\0\0\0", 8));
        for (const char* command : {"summary", "stability", "dump", "save", "render"}) {
            QTest::addRow("%s missing file", command)
                << QString(command) << QByteArray() << QStringLiteral("cannot open the file");
            QTest::addRow("%s unknown component", command)
                << QString(command) << unknown
                << QStringLiteral("record 2: unknown component \"TFoo\"");
        }
        // The program refuses trees deeper than its object window can show; so does the tool.
        QTest::newRow("summary chain one level too deep")
            << QStringLiteral("summary") << Encoded([](Design& design) {
                   ElementTree::Node* node = AttachNose<TGlowicaStozek>(design, 50);
                   for (std::size_t i = 1; i <= MaxTreeDepth; ++i)
                       node = Attach<TKorpus>(design, node);
               })
            << QStringLiteral("record 257: the components are nested more than 256 levels deep");
    }

    void unreadableOrRefusedFileExitsWith1() {
        QFETCH(QString, command);
        QFETCH(QByteArray, content);
        QFETCH(QString, reason);
        const QString path = dir_.filePath(QStringLiteral("bad-") + command + ".kfx");
        QFile::remove(path);
        if (!content.isEmpty())
            WriteAll(path, content);
        QStringList arguments{command, path};
        if (command == "save" || command == "render")
            arguments << dir_.filePath(QStringLiteral("out-") + command);
        const Run run = Kfx(arguments);
        QCOMPARE(run.status, 1);
        QVERIFY(run.out.isEmpty());
        QVERIFY2(run.err.startsWith(path + '\n'), qPrintable(run.err));
        QVERIFY2(run.err.contains(reason), qPrintable(run.err));
        QVERIFY(!QFile::exists(dir_.filePath(QStringLiteral("out-") + command)));
    }

    void wrongArgumentsExitWith2_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("nothing") << QStringList{};
        QTest::newRow("unknown command") << QStringList{"print", "a.kfx"};
        QTest::newRow("summary without file") << QStringList{"summary"};
        QTest::newRow("dump with two files") << QStringList{"dump", "a.kfx", "b.kfx"};
        QTest::newRow("save without output") << QStringList{"save", "a.kfx"};
        QTest::newRow("render without picture") << QStringList{"render", "a.kfx"};
        QTest::newRow("scale without number") << QStringList{"render", "a.kfx", "a.png", "--scale"};
        QTest::newRow("unknown paper") << QStringList{"pdf", "a.kfx", "a.pdf", "--paper", "B5"};
        QTest::newRow("svg without output") << QStringList{"svg", "a.kfx"};
        QTest::newRow("tip without width") << QStringList{"mesh", "a", "b.stl", "--tip"};
        QTest::newRow("tip below 0") << QStringList{"mesh", "a", "b.stl", "--tip", "-0.4"};
        QTest::newRow("tip not a number") << QStringList{"mesh", "a", "b.stl", "--tip", "0.4mm"};
        QTest::newRow("sheet without size") << QStringList{"svg", "a", "b.svg", "--sheet"};
        QTest::newRow("sheet of no size")
            << QStringList{"svg", "a", "b.svg", "--templates", "--sheet", "0x400"};
        QTest::newRow("sheet not a size")
            << QStringList{"svg", "a", "b.svg", "--templates", "--sheet", "600x400mm"};
        QTest::newRow("scale not a number") << QStringList{"render", "a", "b", "--scale", "big"};
        QTest::newRow("scale zero") << QStringList{"render", "a", "b", "--scale", "0"};
        QTest::newRow("scale negative") << QStringList{"render", "a", "b", "--scale", "-2"};
        QTest::newRow("stability target missing") << QStringList{"stability", "a", "--target"};
        QTest::newRow("stability target not a number")
            << QStringList{"stability", "a", "--target", "nan"};
        QTest::newRow("stability with two files") << QStringList{"stability", "a", "b"};
        QTest::newRow("mesh without model") << QStringList{"mesh", "a.kfx"};
        QTest::newRow("parts without folder") << QStringList{"mesh", "a.kfx", "a.stl", "--parts"};
    }

    void wrongArgumentsExitWith2() {
        QFETCH(QStringList, arguments);
        const Run run = Kfx(arguments);
        QCOMPARE(run.status, 2);
        QVERIFY(run.err.contains(QStringLiteral("usage: vantor-kfx")));
        QVERIFY(run.out.isEmpty());
    }

    void dumpShowsTheFileAsRead() {
        const Run run = Kfx({QStringLiteral("dump"), file("rocket.kfx", BuildFullRocket)});
        QCOMPARE(run.status, 0);
        QJsonParseError error;
        const QJsonDocument json = QJsonDocument::fromJson(run.out.toUtf8(), &error);
        QCOMPARE(error.error, QJsonParseError::NoError);
        const QJsonArray elements = json.object()["elements"].toArray();
        QStringList classes;
        QList<int> parents;
        for (const QJsonValue& value : elements) {
            classes << value["ClassName"].toString();
            parents << value["ParentIndex"].toInt();
            QCOMPARE(value["AxisY"].toDouble(), 300.0);
        }
        QCOMPARE(classes, (QStringList{"TGlowicaOgive", "TKorpus", "TStatecznik", "TEngine",
                                       "TStozekSciety", "TKorpus", "TBalast"}));
        QCOMPARE(parents, (QList<int>{-1, 0, 1, 1, 1, 4, 0}));
        const QJsonObject tube = elements[1].toObject();
        QCOMPARE(tube["Material"].toString(), QStringLiteral("Papier"));
        QCOMPARE(tube["Weight"].toDouble(), 30.5);
        QCOMPARE(tube["Thickness"].toDouble(), 1.5);
        QCOMPARE(tube["Length"].toDouble(), 500.0);
        QCOMPARE(tube["Points"].toArray().size(), 4);
        QCOMPARE(tube["Points"][0].toArray()[0].toDouble(),
                 250.0); // behind the 200-long nose at 50
        QVERIFY(!tube.contains("FinCount"));
        const QJsonObject fins = elements[2].toObject();
        QCOMPARE(fins["FinA"].toDouble(), 80.0);
        QCOMPARE(fins["FinD"].toDouble(), 60.0);
        QCOMPARE(fins["FinCount"].toInt(), 4);
        QCOMPARE(elements[5]["Caption"].toString(), QStringLiteral("Rear tube"));
        const QJsonArray dimensions = json.object()["dimensions"].toArray();
        QCOMPARE(dimensions.size(), 4);
        QCOMPARE(dimensions[1]["ClassName"].toString(), QStringLiteral("TAngleWymiar"));
        QCOMPARE(dimensions[1]["Points"][2].toArray()[1].toDouble(), 325.0);
    }

    // The dump shows every record's own axis value, not the one the last record left.
    void dumpShowsEachRecordsAxisAndPolishTexts() {
        QByteArray bytes = Encoded(BuildPolishTexts);
        const float axis = 77.5f;
        bytes.replace(8 + 178 + 98, 4, QByteArray(reinterpret_cast<const char*>(&axis), 4));
        const QString path = dir_.filePath(QStringLiteral("polish.kfx"));
        WriteAll(path, bytes);
        const Run run = Kfx({QStringLiteral("dump"), path});
        QCOMPARE(run.status, 0);
        const QJsonObject json = QJsonDocument::fromJson(run.out.toUtf8()).object();
        const QJsonArray elements = json["elements"].toArray();
        QCOMPARE(elements[0]["AxisY"].toDouble(), 200.0);
        QCOMPARE(elements[1]["AxisY"].toDouble(), 77.5);
        QCOMPARE(elements[0]["Caption"].toString(), QStringLiteral("Głowica z Łodzi"));
        QCOMPARE(elements[0]["Material"].toString(), QStringLiteral("Żywica"));
        QCOMPARE(json["dimensions"][0]["Caption"].toString(), QStringLiteral("Długość całkowita"));
    }

    void emptyDesignDumpsEmptyLists() {
        const Run run = Kfx({QStringLiteral("dump"), file("empty.kfx", BuildEmpty)});
        QCOMPARE(run.status, 0);
        const QJsonObject json = QJsonDocument::fromJson(run.out.toUtf8()).object();
        QVERIFY(json["elements"].isArray() && json["elements"].toArray().isEmpty());
        QVERIFY(json["dimensions"].isArray() && json["dimensions"].toArray().isEmpty());
    }

    void saveOfAProgramWrittenFileIsIdentical_data() {
        QTest::addColumn<int>("sample");
        for (std::size_t i = 0; i < SampleDesigns().size(); ++i)
            QTest::newRow(SampleDesigns()[i].name) << int(i);
    }

    void saveOfAProgramWrittenFileIsIdentical() {
        QFETCH(int, sample);
        const SampleDesign& entry = SampleDesigns()[static_cast<std::size_t>(sample)];
        const QString in = dir_.filePath(QString(entry.name) + "-in.kfx");
        const QString out = dir_.filePath(QString(entry.name) + "-out.kfx");
        {
            // A file the program writes holds the design as its last redraw left it.
            Design design;
            entry.build(design);
            Settle(design);
            QVERIFY(SaveDesign(design, in.toStdString()).ok);
        }
        const Run run = Kfx({QStringLiteral("save"), in, out});
        QCOMPARE(run.status, 0);
        QCOMPARE(ReadAll(out), ReadAll(in));
    }

    void saveThatCannotWriteExitsWith1() {
        const QString in = file("rocket.kfx", BuildFullRocket);
        const QString out = dir_.filePath(QStringLiteral("no/such/folder/out.kfx"));
        const Run run = Kfx({QStringLiteral("save"), in, out});
        QCOMPARE(run.status, 1);
        QVERIFY(run.err.startsWith(out + '\n'));
    }

    void renderDrawsTheCroppedSideView() {
        const QString in = file("rocket.kfx", BuildFullRocket);
        const QString png = dir_.filePath(QStringLiteral("rocket.png"));
        const QString png2 = dir_.filePath(QStringLiteral("rocket2.png"));
        QCOMPARE(Kfx({QStringLiteral("render"), in, png}).status, 0);
        QCOMPARE(Kfx({QStringLiteral("render"), in, png2, QStringLiteral("--scale"),
                      QStringLiteral("2")})
                     .status,
                 0);
        const QImage image(png);
        QVERIFY(!image.isNull());
        // From the aligned dimension's arrowhead at 42 (it opens outwards, 8 units beyond
        // the nose tip at 50) to the rear tube's end at 1010, from the horizontal
        // dimension's arrowheads at 198 to the lower fin tip at 385, with 10 units around.
        QVERIFY2(qAbs(image.width() - 989) <= 2, qPrintable(QString::number(image.width())));
        QVERIFY2(qAbs(image.height() - 208) <= 2, qPrintable(QString::number(image.height())));
        QCOMPARE(image.pixelColor(0, 0), QColor(Qt::white));
        QCOMPARE(image.pixelColor(image.width() - 1, image.height() - 1), QColor(Qt::white));
        // The body tube's upper edge at y = 275, halfway along it.
        const QColor edge = image.pixelColor(400 - 42 + 10, 275 - 198 + 10);
        QVERIFY2(edge.value() < 100, qPrintable(edge.name()));
        // The motor's red fill.
        const QColor motor = image.pixelColor(700 - 42 + 10, 300 - 198 + 10);
        QVERIFY2(motor.red() > 150 && motor.green() < 60, qPrintable(motor.name()));

        const QImage twice(png2);
        QVERIFY(qAbs(twice.width() - 2 * 989) <= 4);
        QVERIFY(qAbs(twice.height() - 2 * 208) <= 4);
    }

    void renderOfAFailedSummaryStillWritesThePicture() {
        const QString png = dir_.filePath(QStringLiteral("odd.png"));
        const Run run = Kfx({QStringLiteral("render"), file("odd.kfx", BuildUnusual), png});
        QCOMPARE(run.status, 3);
        QCOMPARE(run.err, QStringLiteral("Error in LiczParametry\n"));
        QVERIFY(!QImage(png).isNull());
    }

    // Standard output on a full device: the command fails with the reason.
    void outputThatCannotBeWrittenExitsWith1_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("summary") << QStringList{"summary", "rocket.kfx"};
        QTest::newRow("dump") << QStringList{"dump", "rocket.kfx"};
        QTest::newRow("stability") << QStringList{"stability", "rocket.kfx"};
        QTest::newRow("help") << QStringList{"--help"};
    }

    void pdfAndSvgWriteTheirFiles_data() {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("output");
        QTest::addColumn<QByteArray>("contains");
        QTest::newRow("pdf on Letter") << QStringList{"pdf", "--paper", "Letter"} << "r.pdf"
                                       << QByteArray("/MediaBox [0 0 612.000000 792.000000]");
        QTest::newRow("svg side view") << QStringList{"svg"} << "r.svg" << QByteArray("mm\"");
        QTest::newRow("svg templates")
            << QStringList{"svg", "--templates", "--sheet", "600x400", "--text-outlines"} << "t.svg"
            << QByteArray("id=\"guide-1\"");
    }
    void pdfAndSvgWriteTheirFiles() {
        QFETCH(QStringList, options);
        QFETCH(QString, output);
        QFETCH(QByteArray, contains);
        const QString out = dir_.filePath(output);
        QStringList arguments{options[0], file("rocket.kfx", BuildFullRocket), out};
        const Run run = Kfx(arguments + options.mid(1));
        QCOMPARE(run.status, 0);
        QVERIFY(ReadAll(out).contains(contains));
    }

    void outputsThatCannotBeMadeExitWith1AndLeaveNoFile_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("output");
        QTest::newRow("pdf into a missing folder") << QStringList{"pdf"} << "no/such/r.pdf";
        QTest::newRow("svg into a missing folder") << QStringList{"svg"} << "no/such/r.svg";
        // Nothing to cut: no template sheet at all rather than an empty one.
        QTest::newRow("templates of a design without any")
            << QStringList{"svg", "--templates"} << "none.svg";
    }
    void outputsThatCannotBeMadeExitWith1AndLeaveNoFile() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, output);
        const QString out = dir_.filePath(output);
        const QString in = file("polish.kfx", BuildPolishTexts);
        const Run run = Kfx(QStringList{arguments[0], in, out} + arguments.mid(1));
        QCOMPARE(run.status, 1);
        QVERIFY(run.err.startsWith(out + '\n'));
        QVERIFY(!QFile::exists(out));
    }

    void outputThatCannotBeWrittenExitsWith1() {
        QFETCH(QStringList, arguments);
        if (arguments.size() > 1)
            arguments[1] = file("rocket.kfx", BuildFullRocket);
        const Run run = Kfx(arguments, QStringLiteral("/dev/full"));
        QCOMPARE(run.status, 1);
        QCOMPARE(run.err, QStringLiteral("cannot write the output: No space left on device\n"));
    }

    // A FIFO is neither read (which would block) nor written over, nor is a device.
    void specialFilesAreNeitherReadNorReplaced_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("reason");
        const QString fifo = "it is a FIFO, not a regular file";
        QTest::newRow("summary of a FIFO") << QStringList{"summary", "fifo"} << fifo;
        QTest::newRow("save onto a FIFO") << QStringList{"save", "rocket.kfx", "fifo"} << fifo;
        QTest::newRow("render onto a FIFO") << QStringList{"render", "rocket.kfx", "fifo"} << fifo;
        QTest::newRow("save onto a device")
            << QStringList{"save", "rocket.kfx", "device"} << "it is a device, not a regular file";
    }

    void specialFilesAreNeitherReadNorReplaced() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QString fifo = dir.filePath("fifo");
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        const QString device = dir.filePath("device");
        if (arguments.contains("device") &&
            ::mknod(QFile::encodeName(device).constData(), S_IFCHR | 0600, makedev(1, 3)) != 0)
            QSKIP("making a device node needs root");
        for (QString& argument : arguments)
            if (argument == "rocket.kfx")
                argument = file("rocket.kfx", BuildFullRocket);
            else if (argument == "fifo" || argument == "device")
                argument = dir.filePath(argument);
        const Run run = Kfx(arguments);
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.trimmed().endsWith(reason), qPrintable(run.err));
        struct stat status {};
        QCOMPARE(::lstat(QFile::encodeName(fifo).constData(), &status), 0);
        QVERIFY(S_ISFIFO(status.st_mode));
        QCOMPARE(
            QDir(dir.path())
                .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot | QDir::System)
                .size(),
            arguments.contains(device) ? 2 : 1);
    }

    // A picture that does not fit on the disk fails the command and leaves the earlier
    // picture as it was. Needs a small file system of its own, which root can mount.
    void renderOntoAFullDiskKeepsTheEarlierPicture() {
        QTemporaryDir disk;
        if (QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=64k", "tmpfs", disk.path()}) !=
            0)
            QSKIP("mounting a small file system needs root");
        const auto unmount = qScopeGuard([&] { QProcess::execute("umount", {disk.path()}); });
        const QString in = file("rocket.kfx", BuildFullRocket);
        const QString png = disk.filePath("rocket.png");
        QCOMPARE(Kfx({"render", in, png}).status, 0);
        const QByteArray earlier = ReadAll(png);
        QVERIFY(!earlier.isEmpty());
        const Run run = Kfx({"render", in, png, "--scale", "8"});
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.contains("No space left on device"), qPrintable(run.err));
        QCOMPARE(ReadAll(png), earlier);
        QCOMPARE(QDir(disk.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{"rocket.png"});
    }

    void meshWritesTheModelAndTheParts() {
        const QString model = dir_.filePath("full.stl");
        const Run run = Kfx(
            {"mesh", file("full.kfx", BuildFullRocket), model, "--parts", dir_.filePath("parts")});
        QCOMPARE(run.status, 0);
        QVERIFY(run.err.isEmpty());
        // Binary STL: 84 bytes of header and count, then 50 bytes a triangle.
        const QByteArray stl = ReadAll(model);
        QVERIFY(stl.size() > 84);
        QCOMPARE(qsizetype(84 + 50 * qFromLittleEndian<quint32>(stl.constData() + 80)), stl.size());
        // Nose, tube, fins, transition and rear tube; no motor, no ballast.
        QCOMPARE(QDir(dir_.filePath("parts")).entryList({"full-*.stl"}).size(), 5);
    }

    void meshFailureExitsWith1AndSaysWhy_data() {
        QTest::addColumn<QString>("model");
        QTest::addColumn<bool>("refused");
        QTest::addColumn<QString>("reason");
        QTest::newRow("unknown format") << "a.ply" << false << ".stl, .obj or .3mf";
        QTest::newRow("refused design") << "a.obj" << true << "Body (element 2)";
        QTest::newRow("unwritable") << "no/such/folder/a.3mf" << false << "a.3mf";
    }
    void meshFailureExitsWith1AndSaysWhy() {
        QFETCH(QString, model);
        QFETCH(bool, refused);
        QFETCH(QString, reason);
        const QString design = refused ? file("refused.kfx",
                                              [](Design& d) {
                                                  BuildFullRocket(d);
                                                  d.Elements[1]->Length = -10;
                                              })
                                       : file("ok.kfx", BuildFullRocket);
        const Run run = Kfx({"mesh", design, dir_.filePath(model)});
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.contains(reason), qPrintable(run.err));
        QVERIFY(!QFile::exists(dir_.filePath(model)));
    }

    void helpGoesToStandardOutput() {
        const Run run = Kfx({QStringLiteral("--help")});
        QCOMPARE(run.status, 0);
        QVERIFY(run.out.startsWith(QStringLiteral("usage: vantor-kfx summary FILE")));
    }
};

QTEST_GUILESS_MAIN(KfxToolTest)
#include "tst_kfx_tool.moc"
