#include "designfile/DesignFile.h"
#include "model/Design.h"
#include "shell/IniFile.h"
#include "shell/ScriptedRun.h"
#include "support/SampleDesigns.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <memory>
#include <sys/stat.h>

using namespace vantor;

namespace {

// The program built for unattended runs (ScriptedRun.h) in a copy of the program's
// directory, with its settings and its per-user data in folders of the test's own.
class ProgramCopy {
public:
    ProgramCopy() {
        const QString build = QStringLiteral(VANTOR_BUILD_DIR);
        ok_ = root_.isValid() && QDir().mkpath(programDir() + "/Dll") &&
              QDir().mkpath(configDir()) && QDir().mkpath(dataDir()) &&
              QFile::copy(QStringLiteral(VANTOR_SCRIPTED_PROGRAM), programDir() + "/vantor");
        for (const char* library : {"Pol_Library.dll", "Eng_Library.dll"})
            ok_ = ok_ && QFile::copy(build + "/Dll/" + library, programDir() + "/Dll/" + library);
    }
    bool ok() const { return ok_; }
    QString programDir() const { return root_.filePath("program"); }
    QString configDir() const { return root_.filePath("config"); }
    QString dataDir() const { return root_.filePath("data"); }
    QString file(const QString& name) const { return root_.filePath(name); }
    QString settingsFile() const { return configDir() + "/Qendel/CAD.conf"; }
    QString layoutFile() const { return programDir() + "/toolbars.ini"; }

    // The recovery copies of modified designs found in the per-user data folder.
    QStringList recoveryFiles() const {
        QStringList found;
        QDirIterator it(dataDir(), {"recovery*.kfx"}, QDir::Files | QDir::System,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            found.append(it.next());
        return found;
    }

    // Where the program keeps its recovery copies.
    QString recoveryDir() const { return dataDir() + "/Vantor"; }

    // Starts the program with a script, without waiting for it.
    std::unique_ptr<QProcess> start(const QString& script, const QStringList& arguments = {}) {
        auto process = std::make_unique<QProcess>();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_CONFIG_HOME", configDir());
        environment.insert("XDG_DATA_HOME", dataDir());
        environment.insert(ScriptVariable, script);
        process->setProcessEnvironment(environment);
        process->setWorkingDirectory(root_.path());
        process->start(programDir() + "/vantor", arguments);
        return process;
    }

    // Runs the program with a script; its standard output, or a failure text.
    QString run(const QString& script, int* exitCode, const QStringList& arguments = {}) {
        const std::unique_ptr<QProcess> started = start(script, arguments);
        QProcess& process = *started;
        if (!process.waitForFinished(60000)) {
            process.kill();
            process.waitForFinished();
            return "did not finish";
        }
        *exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        // A failed run says why on its standard error (a sanitizer's report among others).
        const QString errors =
            *exitCode != 0 ? QString::fromUtf8(process.readAllStandardError()) : QString();
        return QString::fromUtf8(process.readAllStandardOutput()) + errors;
    }

    // Starts a script ending in "stay" and waits until the script is played and at least
    // `copies` recovery copies are in the folder. The program keeps running; its output
    // so far is added to `output`.
    std::unique_ptr<QProcess> startRunning(const QString& script, qsizetype copies, QString* output,
                                           const QStringList& arguments = {}) {
        std::unique_ptr<QProcess> process = start(script + ";stay", arguments);
        const QDeadlineTimer deadline(60000);
        while (!deadline.hasExpired() && process->state() != QProcess::NotRunning &&
               !(output->contains("running\n") && recoveryFiles().size() >= copies)) {
            process->waitForReadyRead(50);
            *output += QString::fromUtf8(process->readAllStandardOutput());
        }
        if (process->state() != QProcess::Running)
            *output += "\nended before it was killed";
        return process;
    }

    // Ends the program as a crash or a power cut would end it.
    static void kill(QProcess& process) {
        process.kill(); // SIGKILL: nothing of the program runs after it
        process.waitForFinished();
    }

    // Runs a script ending in "stay", waits until the script is played and (with
    // `waitForCopy`) a recovery copy has been written, then kills the program. Returns
    // what it printed.
    QString runUntilKilled(const QString& script, bool waitForCopy = true,
                           const QStringList& arguments = {}) {
        QString output;
        const std::unique_ptr<QProcess> process =
            startRunning(script, waitForCopy ? 1 : 0, &output, arguments);
        kill(*process);
        return output;
    }

    // Leaves a copy in the recovery folder as a program that is gone would have:
    // "recovery-<owner>-<slot>.kfx" and, unless null, its ".name".
    bool plantCopy(const QString& owner, int slot, const QByteArray& design,
                   const QByteArray* name) const {
        const QString stem =
            QStringLiteral("%1/recovery-%2-%3").arg(recoveryDir(), owner).arg(slot);
        return QDir().mkpath(recoveryDir()) && Write(stem + ".kfx", design) &&
               (name == nullptr || Write(stem + ".name", *name));
    }

    static bool Write(const QString& path, const QByteArray& bytes) {
        QFile file(path);
        return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
               file.write(bytes) == bytes.size();
    }

private:
    QTemporaryDir root_;
    bool ok_ = false;
};

} // namespace

class TestProgramRuns : public QObject {
    Q_OBJECT

private slots:
    void twoStartsKeepTheLayoutAndTheLanguage() {
        ProgramCopy copy;
        QVERIFY(copy.ok());

        int exitCode = -2;
        QString output = copy.run("?Ustawieniaprogramu1;Angielska1", &exitCode);
        QCOMPARE(exitCode, 0);
        QVERIFY2(output.contains("Ustawieniaprogramu1=Ustawienia programu\n"), qPrintable(output));
        QVERIFY(output.contains("message: Wymagane jest ponowne uruchomienie programu\n"));
        {
            QSettings settings(copy.settingsFile(), QSettings::IniFormat);
            QCOMPARE(settings.allKeys().size(), 13);
            QCOMPARE(settings.value("Pol").toString(), QString("0"));
            QCOMPARE(settings.value("Eng").toString(), QString("1"));
        }
        auto layout = IniFile::read(copy.layoutFile());
        QVERIFY(layout.has_value());
        QCOMPARE(layout->value("BarFigury", "DockedTo"), QString("LeftDock"));

        // Between the runs the object-figure toolbar goes to the right dock, as a drag
        // there would leave it.
        QFile file(copy.layoutFile());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QString text = QString::fromUtf8(file.readAll());
        file.close();
        const qsizetype section = text.indexOf("[BarFigury]");
        QVERIFY(section >= 0);
        const qsizetype key = text.indexOf("DockedTo=LeftDock", section);
        QVERIFY(key > section);
        text.replace(key, int(strlen("DockedTo=LeftDock")), "DockedTo=RightDock");
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text.toUtf8());
        file.close();

        exitCode = -2;
        output = copy.run("?Ustawieniaprogramu1;?Polska1", &exitCode);
        QCOMPARE(exitCode, 0);
        QVERIFY2(output.contains("Ustawieniaprogramu1=Program settings\n"), qPrintable(output));
        QVERIFY(output.contains("Polska1=Polish\n"));
        layout = IniFile::read(copy.layoutFile());
        QVERIFY(layout.has_value());
        QCOMPARE(layout->value("BarFigury", "DockedTo"), QString("RightDock"));
        QCOMPARE(layout->value("BarFigury", "LastDock"), QString("RightDock"));
        QCOMPARE(layout->value("BarWymiary", "DockedTo"), QString("LeftDock"));
    }

    // Ten insertions through the commands and their dialogs, as a user makes them: a
    // nose, eight body tubes one behind the other and a fin set on the last.
    static QString TenEdits() {
        return "+ok;AGlowicaOgive;AKorpus;AKorpus;AKorpus;AKorpus;AKorpus;AKorpus;AKorpus;"
               "AKorpus;AStatecznik";
    }

    // A nose and nineteen body tubes, one behind the other: twenty steps.
    static QString TwentyTubes() {
        QString script = "+ok;AGlowicaOgive";
        for (int i = 0; i < 19; ++i)
            script += ";AKorpus";
        return script;
    }

    static QByteArray Read(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    void killedRunIsRecoveredAsItWasShown() {
        ProgramCopy copy;
        QVERIFY(copy.ok());
        const QString shown = copy.file("shown.kfx");
        QString output = copy.runUntilKilled(TenEdits() + ";save:" + shown);
        QVERIFY2(output.contains("running\n") && !output.contains("ended before"),
                 qPrintable(output));
        QVERIFY2(!output.contains("dialog not accepted"), qPrintable(output));
        QCOMPARE(copy.recoveryFiles().size(), 1);
        Design onScreen;
        QVERIFY(
            LoadDesign(std::filesystem::path(QFile::encodeName(shown).toStdString()), onScreen).ok);
        QCOMPARE(onScreen.Elements.size(), std::size_t{10});

        // The next start offers the copy; taken, the design is what was on the screen,
        // and the copy stays while the design is unsaved, through a second cut-off run.
        const QString recovered = copy.file("recovered.kfx");
        output = copy.runUntilKilled("+yes;save:" + recovered, false);
        QVERIFY2(output.contains("question: Przywrócić niezapisany projekt?\n") &&
                     output.contains("saved: "),
                 qPrintable(output));
        QCOMPARE(Read(recovered), Read(shown));
        QCOMPARE(copy.recoveryFiles().size(), 1);

        // Declined, the copy is gone, and the start after that offers nothing.
        int exitCode = -2;
        output = copy.run("", &exitCode);
        QVERIFY2(exitCode == 0, qPrintable(output));
        QVERIFY2(output.contains("question: Przywrócić niezapisany projekt?\n"),
                 qPrintable(output));
        QVERIFY(copy.recoveryFiles().isEmpty());
        output = copy.run("", &exitCode);
        QCOMPARE(exitCode, 0);
        QVERIFY2(!output.contains("Przywrócić"), qPrintable(output));
    }

    // Two programs at once: neither offers, overwrites nor removes the other's copy; once
    // both are cut off, one question offers both designs, each in its own window.
    void twoRunningProgramsKeepTheirOwnCopies() {
        ProgramCopy copy;
        QVERIFY(copy.ok());
        QString firstOutput;
        const std::unique_ptr<QProcess> first = copy.startRunning(TenEdits(), 1, &firstOutput);
        QVERIFY2(!firstOutput.contains("ended before"), qPrintable(firstOutput));
        const QStringList firstCopy = copy.recoveryFiles();
        QCOMPARE(firstCopy.size(), 1);

        // An unmodified program started and ended meanwhile leaves the copy alone.
        int exitCode = -2;
        QString output = copy.run("", &exitCode);
        QCOMPARE(exitCode, 0);
        QVERIFY2(!output.contains("Przywrócić"), qPrintable(output));
        QCOMPARE(copy.recoveryFiles(), firstCopy);

        QString secondOutput;
        const std::unique_ptr<QProcess> second = copy.startRunning(TwentyTubes(), 2, &secondOutput);
        QVERIFY2(!secondOutput.contains("Przywrócić") && !secondOutput.contains("ended before"),
                 qPrintable(secondOutput));
        QCOMPARE(copy.recoveryFiles().size(), 2);
        ProgramCopy::kill(*first);
        ProgramCopy::kill(*second);

        output = copy.runUntilKilled("+yes;windows", false);
        QCOMPARE(output.count("question: Przywrócić niezapisany projekt?\n"), 1);
        QCOMPARE(output.count("\nNew ("), 2); // the question lists both
        QVERIFY2(output.contains("window: New* | 10\n") && output.contains("window: New* | 20\n"),
                 qPrintable(output));
        QCOMPARE(output.count("window: "), 2);
        // Both designs now have copies of the third program's own, and only those.
        const QStringList now = copy.recoveryFiles();
        QCOMPARE(now.size(), 2);
        QVERIFY(!now.contains(firstCopy.first()));
    }

    // A design restored at start and a file named on the command line each get a window;
    // the file is not opened over the restored work, nor its copy over the restored one.
    void aFileNamedAtStartOpensBesideTheRestoredDesign() {
        ProgramCopy copy;
        QVERIFY(copy.ok());
        const QString file = copy.file("file.kfx");
        int exitCode = -2;
        QString output = copy.run("+ok;AGlowicaOgive;save:" + file, &exitCode);
        QVERIFY2(output.contains("saved: "), qPrintable(output));
        output = copy.runUntilKilled(TenEdits());
        QCOMPARE(copy.recoveryFiles().size(), 1);

        output = copy.runUntilKilled("+yes;windows", false, {file});
        QVERIFY2(output.contains("window: New* | 10\n") &&
                     output.contains("window: " + file + " | 1\n"),
                 qPrintable(output));
        QVERIFY2(!output.contains("Zapisać zmiany"), qPrintable(output));
        const QStringList left = copy.recoveryFiles();
        QCOMPARE(left.size(), 1);
        Design restored;
        QVERIFY(
            LoadDesign(std::filesystem::path(QFile::encodeName(left[0]).toStdString()), restored)
                .ok);
        QCOMPARE(restored.Elements.size(), std::size_t{10});
    }

    // Every file of a left copy a FIFO: the start neither hangs nor loses the copies,
    // which it reports as unreadable and leaves where they are.
    void fifosAsRecoveryFilesDoNotHoldUpTheStart() {
        ProgramCopy copy;
        QVERIFY(copy.ok());
        int exitCode = -2;
        QElapsedTimer clock;
        clock.start();
        QString output = copy.run("", &exitCode);
        const qint64 plain = clock.elapsed();
        QCOMPARE(exitCode, 0);

        QVERIFY(QDir().mkpath(copy.recoveryDir()));
        const QString dir = copy.recoveryDir() + "/";
        const QStringList fifos{"recovery-999999-0badf00d-1.kfx",
                                "recovery-999999-0badf00d-1.name",
                                "recovery-999999-0badf00d.lock",
                                "recovery-999999-0badf00d.lock.rmlock",
                                "recovery.kfx",
                                "recovery.name"};
        for (const QString& name : fifos)
            QVERIFY(::mkfifo(QFile::encodeName(dir + name).constData(), 0600) == 0);
        clock.restart();
        output = copy.run("+yes", &exitCode);
        const qint64 withFifos = clock.elapsed();
        QCOMPARE(exitCode, 0);
        QVERIFY2(withFifos < plain + 2000,
                 qPrintable(QString("%1 ms, %2 ms without").arg(withFifos).arg(plain)));
        QCOMPARE(output.count("question: Przywrócić niezapisany projekt?\n"), 1);
        QCOMPARE(output.count("it is a FIFO, not a regular file"), 2);
        for (const char* left : {"recovery-999999-0badf00d-1.kfx", "recovery.kfx"})
            QVERIFY(QFileInfo(dir + left).exists());
    }

    // What a left copy says is data: its stored name is a caption, never a path written
    // to; a link planted as the copy is read, never written through.
    void aLeftCopyIsTrustedOnlyAsData_data() {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<bool>("linked");
        QTest::addColumn<QString>("caption");  // "%1": the victim's path
        QTest::addColumn<QString>("proposed"); // empty: a name of its own, not the path
        QTest::newRow("another design's path") << QByteArray("%1") << false << "%1*"
                                               << "%1";
        QTest::newRow("control characters")
            << QByteArray("\x01rocket\x1b[2J\nname\x7f") << false << "?rocket?[2J?name?*"
            << "";
        QTest::newRow("relative name") << QByteArray("rocket.kfx") << false << "rocket.kfx*"
                                       << "";
        QTest::newRow("missing folder")
            << QByteArray("/no/such/folder/rocket.kfx") << false << "/no/such/folder/rocket.kfx*"
            << "";
        QTest::newRow("link as the copy") << QByteArray() << true << "New*"
                                          << "";
    }
    void aLeftCopyIsTrustedOnlyAsData() {
        QFETCH(QByteArray, name);
        QFETCH(bool, linked);
        QFETCH(QString, caption);
        QFETCH(QString, proposed);
        ProgramCopy copy;
        QVERIFY(copy.ok());
        Design rocket;
        test::BuildFullRocket(rocket);
        const std::vector<std::uint8_t> encoded = EncodeDesign(rocket);
        const QByteArray bytes(reinterpret_cast<const char*>(encoded.data()),
                               qsizetype(encoded.size()));
        const QString victim = copy.file("victim.kfx");
        const QByteArray victimBytes = bytes + QByteArray("victim's own");
        QVERIFY(ProgramCopy::Write(victim, victimBytes));
        name.replace("%1", QFile::encodeName(victim));
        caption.replace("%1", victim);
        proposed.replace("%1", victim);
        if (linked) {
            QVERIFY(copy.plantCopy("999999-0badf00d", 1, QByteArray(), nullptr));
            const QString link = copy.recoveryDir() + "/recovery-999999-0badf00d-1.kfx";
            QVERIFY(QFile::remove(link) && QFile::link(victim, link));
        } else {
            QVERIFY(copy.plantCopy("999999-0badf00d", 1, bytes, &name));
        }
        const QStringList before = QDir(copy.file("")).entryList(QDir::AllEntries | QDir::System);

        // Restored, edited past a copy of its own, and saved with File > Save.
        const QString output = copy.runUntilKilled(
            "+yes;windows;+ok;AKorpus;AKorpus;AKorpus;AKorpus;AKorpus;AKorpus;AKorpus;AKorpus;"
            "AKorpus;AKorpus;FileSave1",
            false);
        QVERIFY2(
            output.contains(QString("window: %1 | %2\n").arg(caption).arg(rocket.Elements.size())),
            qPrintable(output));
        if (!proposed.isEmpty()) {
            QVERIFY2(output.contains("save dialog: " + proposed + "\n"), qPrintable(output));
        } else {
            // A plain file name in the folder dialogs start in, never the path it names.
            const qsizetype at = output.indexOf("save dialog: ");
            QVERIFY2(at >= 0, qPrintable(output));
            const QString offered = output.mid(at + 13, output.indexOf('\n', at) - at - 13);
            QVERIFY2(offered.endsWith(".kfx") && !offered.contains(victim) &&
                         !offered.contains("/no/such") &&
                         std::none_of(offered.begin(), offered.end(),
                                      [](QChar c) { return c.category() == QChar::Other_Control; }),
                     qPrintable(offered));
        }
        QCOMPARE(Read(victim), victimBytes);
        QCOMPARE(QDir(copy.file("")).entryList(QDir::AllEntries | QDir::System), before);
        const QStringList left = copy.recoveryFiles();
        QCOMPARE(left.size(), 1);
        QVERIFY(!QFileInfo(left[0]).isSymLink());
    }

    // A data folder that cannot be written: the status bar says so once, and the copy is
    // written at the next step once the folder can be used again.
    void aCopyThatCannotBeWrittenIsTold() {
        ProgramCopy copy;
        QVERIFY(copy.ok());
        // The folder's name taken by a file; in English, after a run that chose it.
        QVERIFY(ProgramCopy::Write(copy.recoveryDir(), "in the way"));
        int exitCode = -2;
        copy.run("Angielska1", &exitCode);
        QCOMPARE(exitCode, 0);
        QString output;
        const std::unique_ptr<QProcess> process =
            copy.startRunning(TenEdits() + ";status", 0, &output);
        ProgramCopy::kill(*process);
        QVERIFY2(output.contains("status: The recovery copy could not be written\n"),
                 qPrintable(output));
        QVERIFY(copy.recoveryFiles().isEmpty());
    }

    void unknownScriptWordsAreReported() {
        ProgramCopy copy;
        QVERIFY(copy.ok());
        int exitCode = -2;
        const QString output = copy.run("NoSuchAction", &exitCode);
        QCOMPARE(exitCode, 0);
        QVERIFY2(output.contains("unknown: NoSuchAction\n"), qPrintable(output));
    }
};

QTEST_GUILESS_MAIN(TestProgramRuns)
#include "tst_program_runs.moc"
