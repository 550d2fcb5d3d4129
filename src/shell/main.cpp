#include "shell/MainWindow.h"
#include "shell/Program.h"
#include "shell/ProgramIcon.h"
#include "shell/QtInteraction.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    // The name alone: with a display name set as well, the platform would append it to
    // every window title, which already carries the program's name.
    QApplication::setApplicationName("Vantor");
    QApplication::setWindowIcon(vantor::ProgramIcon());
    // The desktop entry the running program belongs to, for the taskbar's icon.
    QGuiApplication::setDesktopFileName("org.qendel.vantor");
    vantor::QtInteraction dialogs;
    // A design file named on the command line (as the file manager passes it).
    const QStringList arguments = QApplication::arguments();
    return vantor::RunProgram(dialogs, [&arguments](vantor::TMainForm& main) {
        if (arguments.size() > 1)
            main.openFileArgument(arguments.at(1));
    });
}
