#pragma once

#include "canvas/DesignWindow.h"
#include "i18n/LanguageSession.h"
#include "shell/MainWindow.h"
#include "shell/Program.h"
#include "support/ScriptedInteraction.h"
#include "toolwindows/ObjectWindow.h"
#include "toolwindows/ParametersDialog.h"

#include <QCoreApplication>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

namespace vantor::test {

// The whole program started as main() starts it, with scripted modal interactions, the
// language libraries of the build and a temporary program directory.
struct StartedProgram {
    ScriptedInteraction interaction;
    LanguageSession language{interaction, QCoreApplication::applicationDirPath() + "/.."};
    QTemporaryDir directory;
    Program program{language, interaction, directory.path()};
    TMainForm* main = nullptr;
    bool created = false;

    StartedProgram() {
        created = program.create();
        if (!created)
            return;
        main = program.mainForm();
        ShowMaximized(*main);
        created = QTest::qWaitForWindowExposed(main);
    }

    TMDIChild* window() const { return main->activeDesignWindow(); }
    Design& design() const { return window()->design(); }
    TFormObject& objects() const { return *program.formObject(); }
    TFormParametry& dialog() const { return *program.formParametry(); }

    // Queues an answer for the next parameters dialog: `fill` sets its fields, then OK
    // (or Cancel) is pressed. OK refused by the dialog is followed by Cancel.
    void answerDialog(std::function<void(TFormParametry&)> fill = {}, bool ok = true) {
        interaction.dialogScripts.enqueue([fill, ok](QDialog& shown) {
            auto& dialog = static_cast<TFormParametry&>(shown);
            dialog.setResult(QDialog::Rejected); // as a modal run starts
            if (fill)
                fill(dialog);
            if (ok)
                dialog.btnOKClick();
            if (dialog.result() != QDialog::Accepted)
                dialog.BitBtn2Click();
            return dialog.result();
        });
    }
};

} // namespace vantor::test
