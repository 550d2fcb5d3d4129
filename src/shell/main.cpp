#include "i18n/LanguageSession.h"
#include "shell/MainWindow.h"
#include "shell/OrderlyTermination.h"
#include "shell/Program.h"
#include "shell/ProgramIcon.h"
#include "shell/QtInteraction.h"
#include "shell/ScriptedRun.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("Vantor");
    QApplication::setApplicationDisplayName("Vantor");
    QApplication::setWindowIcon(vantor::ProgramIcon());
    // The desktop entry the running program belongs to, for the taskbar's icon.
    QGuiApplication::setDesktopFileName("org.qendel.vantor");

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
    vantor::OrderlyTermination termination(*program.mainForm());
    vantor::ShowMaximized(*program.mainForm());
    // A design file named on the command line (as the file manager passes it).
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() > 1)
        program.mainForm()->openFileArgument(arguments.at(1));
    if (scripted)
        vantor::RunScript(*program.mainForm(), qEnvironmentVariable(vantor::ScriptVariable));
    return QApplication::exec();
}
