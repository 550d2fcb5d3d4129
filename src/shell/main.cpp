#include "i18n/LanguageSession.h"
#include "shell/MainWindow.h"
#include "shell/Program.h"
#include "shell/QtInteraction.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("Vantor");
    QApplication::setApplicationDisplayName("Vantor");

    vantor::QtInteraction interaction;
    vantor::LanguageSession language(interaction);
    vantor::Program program(language, interaction, QApplication::applicationDirPath());
    if (!program.create())
        return 1;
    vantor::ShowMaximized(*program.mainForm());
    return QApplication::exec();
}
