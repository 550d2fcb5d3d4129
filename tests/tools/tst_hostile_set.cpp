// Every command of vantor-kfx on every design of the hostile set: each run ends, either
// done or refused with a message, and prints no number beyond any rocket. The time and
// peak memory of each run are printed as a table (with VANTOR_HOSTILE_TABLE=FILE also
// written there); the limits of time and memory are checked by the benchmark, and here
// only a hang guard stops a run.

#include "support/HostileDesigns.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

using namespace vantor;

namespace {

// A run that takes longer than this is taken as hung.
constexpr auto HangGuard = std::chrono::seconds(60);
// The divisor of the largest counts; the sanitizer tree runs a smaller set.
#ifdef VANTOR_HOSTILE_SCALE
constexpr int Scale = VANTOR_HOSTILE_SCALE;
#else
constexpr int Scale = 1;
#endif

struct Run {
    bool finished = false;
    int status = -1; // exit code, or -signal
    double seconds = 0;
    double peakMb = 0;
    QByteArray out;
    QByteArray err;
};

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Runs the tool with its output in files, and reads its peak memory from the kernel.
Run RunTool(const QStringList& arguments, const QString& folder) {
    Run run;
    const QByteArray out = QFile::encodeName(folder + "/stdout"),
                     err = QFile::encodeName(folder + "/stderr");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, out.constData(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    posix_spawn_file_actions_addopen(&actions, 2, err.constData(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    std::vector<QByteArray> storage{QByteArray(VANTOR_KFX_PATH)};
    for (const QString& a : arguments)
        storage.push_back(a.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& a : storage)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return run;
    int status = 0;
    rusage usage{};
    for (;;) {
        const pid_t done = wait4(pid, &status, WNOHANG, &usage);
        if (done == pid)
            break;
        if (std::chrono::steady_clock::now() - start > HangGuard) {
            kill(pid, SIGKILL);
            wait4(pid, &status, 0, &usage);
            return run;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    run.finished = true;
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.peakMb = double(usage.ru_maxrss) / 1024;
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
    run.out = ReadAll(folder + "/stdout");
    run.err = ReadAll(folder + "/stderr");
    return run;
}

// A thrust curve for the flights: a small C motor.
constexpr char Motor[] = "; test motor\n"
                         "C6 18 70 3-5-7 0.0108 0.0231 Test\n"
                         "0.05 14.0\n0.2 10.0\n0.5 6.0\n1.5 5.0\n1.8 0.0\n";

// RockSim designs for `import` and for the commands that read them directly: many parts,
// and sizes beyond any rocket.
std::string RockSim(const std::string& parts, const std::string& size,
                    const std::string& fins = "4") {
    return "<RockSimDocument><FileVersion>4</FileVersion><DesignInformation><RocketDesign>"
           "<Name>R</Name><StageCount>1</StageCount><Stage3Parts>"
           "<NoseCone><Name>N</Name><Len>" +
           size +
           "</Len><BaseDia>40</BaseDia><ShapeCode>1</ShapeCode>"
           "<CalcMass>20</CalcMass><CalcCG>60</CalcCG><UseKnownCG>0</UseKnownCG></NoseCone>"
           "<BodyTube><Name>T</Name><Station>100</Station><Len>" +
           size +
           "</Len><OD>40</OD><ID>39</ID>"
           "<CalcMass>30</CalcMass><CalcCG>150</CalcCG><AttachedParts>" +
           parts + "<FinSet><Name>F</Name><Station>320</Station><FinCount>" + fins +
           "</FinCount><RootChord>80</RootChord>"
           "<TipChord>40</TipChord><SemiSpan>" +
           size +
           "</SemiSpan><SweepDistance>30</SweepDistance>"
           "<ShapeCode>0</ShapeCode><CalcMass>9</CalcMass><CalcCG>40</CalcCG></FinSet>"
           "</AttachedParts></BodyTube></Stage3Parts></RocketDesign></DesignInformation></"
           "RockSimDocument>";
}

std::vector<std::pair<std::string, std::string>> HostileRockSim() {
    // The importer reads at most 2,000 parts: just below that, every command runs.
    std::string masses;
    for (int i = 0; i < 1'990 / Scale; ++i)
        masses += "<MassObject><Name>M</Name><Station>" + std::to_string(100 + i % 300) +
                  "</Station><Len>10</Len><KnownMass>1</KnownMass><CalcCG>5</CalcCG></MassObject>";
    std::string many;
    for (int i = 0; i < 20'000 / Scale; ++i)
        many += "<MassObject><Name>M</Name><Len>1</Len><KnownMass>1</KnownMass></MassObject>";
    return {{"rkt 1990 masses", RockSim(masses, "300")},
            {"rkt 20000 parts", RockSim(many, "300")},
            {"rkt sizes 1e30", RockSim("", "1e30")},
            {"rkt sizes 0", RockSim("", "0")},
            {"rkt 1e6 fins", RockSim("", "300", "1000000")}};
}

// Numbers a result may show: beyond a kilometre, a thousand tonnes or ten thousand
// calibers is no rocket.
bool Absurd(double value) {
    return !std::isfinite(value) || std::abs(value) > 1e9;
}

} // namespace

class TestHostileSet : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QVERIFY(folder_.isValid());
        // VANTOR_HOSTILE_KEEP=1 keeps the designs for a look by hand.
        folder_.setAutoRemove(qEnvironmentVariableIsEmpty("VANTOR_HOSTILE_KEEP"));
        QFile motor(folder_.filePath("c6.eng"));
        QVERIFY(motor.open(QIODevice::WriteOnly));
        motor.write(Motor);
        motor.close();
        // The designs are made in a child process: the kernel counts the memory this
        // process ever held into the peak of each tool it starts.
        const pid_t maker = fork();
        QVERIFY(maker >= 0);
        if (maker == 0) {
            bool written = true;
            for (const test::HostileDesign& hostile : test::HostileDesigns(Scale))
                written = written && test::WriteHostileDesign(hostile, FilePath(hostile.name));
            for (const auto& [name, text] : HostileRockSim()) {
                std::ofstream file(FilePath(name));
                written = written && bool(file << text);
            }
            _exit(written ? 0 : 1);
        }
        int status = 0;
        QCOMPARE(waitpid(maker, &status, 0), maker);
        QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        table_ << "design\tcommand\texit\tseconds\tpeak MB\tmessage";
    }

    void everyCommandEndsOrRefuses_data() {
        QTest::addColumn<QString>("design");
        QTest::addColumn<QStringList>("command");
        const QString motor = folder_.filePath("c6.eng");
        const std::vector<QStringList> commands{
            {"summary"},
            {"stability"},
            {"stability", "--json"},
            {"render", "@/out.png"},
            {"pdf", "@/out.pdf"},
            {"svg", "@/out.svg"},
            {"svg", "@/templates.svg", "--templates"},
            {"mesh", "@/out.stl"},
            {"mesh", "@/out.obj"},
            {"mesh", "@/out.3mf"},
            {"mesh", "@/parts.stl", "--parts", "@/parts"},
            {"fly", "--motor-file", motor},
            {"fly", "--motor-file", motor, "--json"},
        };
        std::vector<std::string> designs;
        for (const test::HostileDesign& hostile : test::HostileDesigns(Scale))
            designs.push_back(hostile.name);
        for (const auto& [name, text] : HostileRockSim())
            designs.push_back(name);
        for (const std::string& design : designs) {
            std::vector<QStringList> all = commands;
            // Designs the importer refuses as a whole need only a few commands.
            if (design.rfind("rkt", 0) == 0 && design != "rkt 1990 masses")
                all = {{"stability", "--json"}, {"mesh", "@/out.stl"}};
            if (design.rfind("rkt", 0) == 0)
                all.push_back({"import", "@/imported.kfx", "--report"});
            for (const QStringList& command : all)
                QTest::addRow("%s: %s", design.c_str(), qPrintable(command.join(' ')))
                    << QString::fromStdString(design) << command;
        }
    }

    void everyCommandEndsOrRefuses() {
        QFETCH(QString, design);
        QFETCH(QStringList, command);
        QTemporaryDir work;
        QStringList arguments{command.front(),
                              QString::fromStdString(FilePath(design.toStdString()))};
        for (qsizetype i = 1; i < command.size(); ++i)
            arguments << QString(command[i]).replace("@", work.path());
        const Run run = RunTool(arguments, work.path());
        QVERIFY2(run.finished, "the command did not end within the hang guard");
        const QString said = QString::fromUtf8(run.err).trimmed().split('\n').last().left(90);
        table_ << QStringLiteral("%1\t%2\t%3\t%4\t%5\t%6")
                      .arg(design, command.join(' ').replace(folder_.path(), "."))
                      .arg(run.status)
                      .arg(run.seconds, 0, 'f', 2)
                      .arg(run.peakMb, 0, 'f', 0)
                      .arg(said);
        // Done (0), refused or unreadable (1), or a summary or flight that failed (3),
        // never a crash; whatever is not done says why.
        QVERIFY2(run.status == 0 || run.status == 1 || run.status == 3,
                 qPrintable(QStringLiteral("exit %1: %2").arg(run.status).arg(QString(run.err))));
        if (run.status != 0)
            QVERIFY2(!run.err.trimmed().isEmpty(), "refused without a message");
        // No result is a number beyond any rocket, nor "nan" or "inf".
        static const QRegularExpression number(R"((?<![\w.])-?\d+(\.\d+)?([eE][-+]?\d+)?)");
        static const QRegularExpression notFinite(R"(\b(nan|inf|infinity)\b)",
                                                  QRegularExpression::CaseInsensitiveOption);
        // Texts (captions, file names, the reasons in "errors") are not results.
        static const QRegularExpression quoted(QStringLiteral("\"(\\\\.|[^\"\\\\])*\""));
        const QString out = QString::fromUtf8(run.out).replace(quoted, "\"\"");
        if (notFinite.match(out).hasMatch())
            QFAIL(qPrintable("a number that is not finite in\n" + out.left(2000)));
        for (auto it = number.globalMatch(out); it.hasNext();) {
            const QString text = it.next().captured();
            if (Absurd(text.toDouble()))
                QFAIL(qPrintable(text + " in\n" + out.left(2000)));
        }
    }

    // A thrust curve no motor has (a petanewton for a tenth of a microsecond) lists its
    // figures beyond any motor's as "-" and null, with the reasons.
    void motorFiguresBeyondAnyMotorAreLeftOut() {
        QTemporaryDir motors;
        QFile curve(motors.filePath("hostile.eng"));
        QVERIFY(curve.open(QIODevice::WriteOnly));
        curve.write("F1 18 70 3 0.01 0.02 Hostile\n0.0000001 1e15\n0.0000002 0\n");
        curve.close();
        QTemporaryDir work;
        const Run text = RunTool({"motors", "--motors", motors.path()}, work.path());
        QCOMPARE(text.status, 0);
        const QStringList row = QString::fromUtf8(text.out).split('\n')[1].split('\t');
        QCOMPARE(row.value(6), QStringLiteral("-")); // average thrust
        QCOMPARE(row.value(7), QStringLiteral("-")); // peak thrust
        QVERIFY(text.err.contains("Hostile F1: the peak thrust is beyond any rocket's"));
        const Run json = RunTool({"motors", "--motors", motors.path(), "--json"}, work.path());
        QVERIFY(json.out.contains("\"peak_thrust_N\": null"));
        QVERIFY(json.out.contains(
            "\"errors\": [\"Hostile F1: the average thrust is beyond any "
            "rocket's\", \"Hostile F1: the peak thrust is beyond any rocket's\"]"));
    }

    void cleanupTestCase() {
        const QString table = table_.join('\n') + '\n';
        qInfo().noquote() << table;
        if (const QByteArray path = qgetenv("VANTOR_HOSTILE_TABLE"); !path.isEmpty()) {
            QFile file(QFile::decodeName(path));
            if (file.open(QIODevice::WriteOnly))
                file.write(table.toUtf8());
        }
    }

private:
    std::string FilePath(const std::string& design) const {
        const QString extension = design.rfind("rkt", 0) == 0 ? ".rkt" : ".kfx";
        return folder_.filePath(QString::fromStdString(design).replace(' ', '_') + extension)
            .toStdString();
    }

    QTemporaryDir folder_;
    QStringList table_;
};

QTEST_GUILESS_MAIN(TestHostileSet)
#include "tst_hostile_set.moc"
