// The program as the tests run it unattended: the program's own start-up, with the
// modal interactions printed instead of shown and the script of ScriptedRun.h played
// once the main window is up (after the file named on the command line is opened).
#include "shell/MainWindow.h"
#include "shell/Program.h"
#include "shell/ScriptedRun.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("Vantor");
    vantor::PrintingInteraction printing;
    const QString script = qEnvironmentVariable(vantor::ScriptVariable);
    vantor::ApplyLeadingAnswers(printing, script);
    // A design file named on the command line, as main() of the program opens it.
    const QStringList arguments = QApplication::arguments();
    return vantor::RunProgram(printing, [&](vantor::TMainForm& main) {
        if (arguments.size() > 1)
            main.openFileArgument(arguments.at(1));
        vantor::RunScript(main, printing, script);
    });
}
