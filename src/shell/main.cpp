#include "i18n/LanguageSession.h"
#include "shell/MainWindow.h"
#include "shell/Program.h"
#include "shell/QtInteraction.h"
#include "shell/ScriptedRun.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("Vantor");
    QApplication::setApplicationDisplayName("Vantor");

    // An unattended run for the tests (see ScriptedRun.h); otherwise real dialogs.
    const bool scripted = qEnvironmentVariableIsSet(vantor::ScriptVariable);
    vantor::QtInteraction dialogs;
    vantor::PrintingInteraction printing;
    vantor::Interaction& interaction =
        scripted ? static_cast<vantor::Interaction&>(printing) : dialogs;

    vantor::LanguageSession language(interaction);
    vantor::Program program(language, interaction, QApplication::applicationDirPath());
    if (!program.create())
        return 1;
    vantor::ShowMaximized(*program.mainForm());
    if (scripted)
        vantor::RunScript(*program.mainForm(), qEnvironmentVariable(vantor::ScriptVariable));
    return QApplication::exec();
}
