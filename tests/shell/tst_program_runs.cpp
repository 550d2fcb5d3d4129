#include "shell/IniFile.h"
#include "shell/ScriptedRun.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using namespace vantor;

namespace {

// The program built for unattended runs (ScriptedRun.h) in a copy of the program's
// directory, with its settings in a folder of the test's own.
class ProgramCopy {
public:
    ProgramCopy() {
        const QString build = QStringLiteral(VANTOR_BUILD_DIR);
        ok_ = root_.isValid() && QDir().mkpath(programDir() + "/Dll") &&
              QDir().mkpath(configDir()) &&
              QFile::copy(QStringLiteral(VANTOR_SCRIPTED_PROGRAM), programDir() + "/vantor");
        for (const char* library : {"Pol_Library.dll", "Eng_Library.dll"})
            ok_ = ok_ && QFile::copy(build + "/Dll/" + library, programDir() + "/Dll/" + library);
    }
    bool ok() const { return ok_; }
    QString programDir() const { return root_.filePath("program"); }
    QString configDir() const { return root_.filePath("config"); }
    QString settingsFile() const { return configDir() + "/Qendel/CAD.conf"; }
    QString layoutFile() const { return programDir() + "/toolbars.ini"; }

    // Runs the program with a script; its standard output, or a failure text.
    QString run(const QString& script, int* exitCode) {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_CONFIG_HOME", configDir());
        environment.insert(ScriptVariable, script);
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(root_.path());
        process.start(programDir() + "/vantor", {});
        if (!process.waitForFinished(60000)) {
            process.kill();
            process.waitForFinished();
            return "did not finish";
        }
        *exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        return QString::fromUtf8(process.readAllStandardOutput());
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
