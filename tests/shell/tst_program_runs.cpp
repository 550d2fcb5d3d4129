#include "designfile/DesignFile.h"
#include "model/Design.h"
#include "shell/IniFile.h"
#include "shell/ScriptedRun.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

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

    // Starts the program with a script, without waiting for it.
    std::unique_ptr<QProcess> start(const QString& script) {
        auto process = std::make_unique<QProcess>();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_CONFIG_HOME", configDir());
        environment.insert("XDG_DATA_HOME", dataDir());
        environment.insert(ScriptVariable, script);
        process->setProcessEnvironment(environment);
        process->setWorkingDirectory(root_.path());
        process->start(programDir() + "/vantor", {});
        return process;
    }

    // Runs the program with a script; its standard output, or a failure text.
    QString run(const QString& script, int* exitCode) {
        const std::unique_ptr<QProcess> started = start(script);
        QProcess& process = *started;
        if (!process.waitForFinished(60000)) {
            process.kill();
            process.waitForFinished();
            return "did not finish";
        }
        *exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        return QString::fromUtf8(process.readAllStandardOutput());
    }

    // Runs a script ending in "stay", waits until the script is played and (with
    // `waitForCopy`) a recovery copy has been written, then kills the program as a crash
    // or a power cut would end it. Returns what it printed.
    QString runUntilKilled(const QString& script, bool waitForCopy = true) {
        const std::unique_ptr<QProcess> process = start(script + ";stay");
        QString output;
        const QDeadlineTimer deadline(60000);
        while (!deadline.hasExpired() && process->state() != QProcess::NotRunning &&
               !(output.contains("running\n") && (!waitForCopy || !recoveryFiles().isEmpty()))) {
            process->waitForReadyRead(50);
            output += QString::fromUtf8(process->readAllStandardOutput());
        }
        const bool alive = process->state() == QProcess::Running;
        process->kill(); // SIGKILL: nothing of the program runs after it
        process->waitForFinished();
        return alive ? output : output + "\nended before it was killed";
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
        QCOMPARE(exitCode, 0);
        QVERIFY2(output.contains("question: Przywrócić niezapisany projekt?\n"),
                 qPrintable(output));
        QVERIFY(copy.recoveryFiles().isEmpty());
        output = copy.run("", &exitCode);
        QCOMPARE(exitCode, 0);
        QVERIFY2(!output.contains("Przywrócić"), qPrintable(output));
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
