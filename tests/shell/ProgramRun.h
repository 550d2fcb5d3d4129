#pragma once

#include "i18n/LanguageSession.h"
#include "shell/MainWindow.h"
#include "shell/OptionsDialog.h"
#include "shell/Program.h"
#include "support/Named.h"
#include "support/ScriptedInteraction.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTest>
#include <memory>

namespace vantor::test {

// One start of the program in a given program directory, so that a test can start it
// twice over the same layout files and settings. Shown as main() shows it when `show`.
struct ProgramRun {
    ScriptedInteraction interaction;
    LanguageSession language{interaction, QCoreApplication::applicationDirPath() + "/.."};
    Program program;
    TMainForm* main = nullptr;
    bool created = false;

    explicit ProgramRun(const QString& directory, bool show = true)
        : program(language, interaction, directory) {
        created = program.create();
        if (!created)
            return;
        main = program.mainForm();
        if (show) {
            ShowMaximized(*main);
            created = QTest::qWaitForWindowExposed(main);
        }
    }
    TFormOpcje& options() const { return *program.formOpcje(); }
    // Closes the main window as File > Exit does.
    void exit() { Named<QAction>(*main, "FileExit1").trigger(); }
};

// The settings store of the tests' user (a temporary folder, see TestMain.h).
inline QSettings Store() {
    return QSettings(QString::fromLatin1(TFormOpcje::Organization),
                     QString::fromLatin1(TFormOpcje::Application));
}

// Empties the store, whatever a test left in its place.
inline void ClearStore() {
    QSettings store = Store();
    const QString path = store.fileName();
    if (QFileInfo(path).isDir())
        QDir(path).removeRecursively();
    store.clear();
    store.sync();
}

} // namespace vantor::test
