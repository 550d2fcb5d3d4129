// The program as the tests run it unattended: the program's own start-up, with the
// modal interactions printed instead of shown and the script of ScriptedRun.h played
// once the main window is up.
#include "shell/Program.h"
#include "shell/ScriptedRun.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("Vantor");
    vantor::PrintingInteraction printing;
    const QString script = qEnvironmentVariable(vantor::ScriptVariable);
    vantor::ApplyLeadingAnswers(printing, script);
    return vantor::RunProgram(printing, [&printing, &script](vantor::TMainForm& main) {
        vantor::RunScript(main, printing, script);
    });
}
