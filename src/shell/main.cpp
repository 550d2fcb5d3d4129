#include "shell/Program.h"
#include "shell/QtInteraction.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    // The name alone: with a display name set as well, the platform would append it to
    // every window title, which already carries the program's name.
    QApplication::setApplicationName("Vantor");
    vantor::QtInteraction dialogs;
    return vantor::RunProgram(dialogs);
}
