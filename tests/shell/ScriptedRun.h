#pragma once

#include "interaction/Interaction.h"

#include <QString>

namespace vantor {

class TMainForm;

// Running the program unattended, in the test-only build of it (ScriptedProgram.cpp):
// its main() uses PrintingInteraction and calls RunScript with the environment variable
// named below: once the event loop runs, each ';'-separated word of the variable either
// triggers the main window's action of that object name or, written "?name", prints
// "name=<the action's text>"; then the main window closes as File > Exit closes it, and
// the program ends. Unknown names print "unknown: name".
inline constexpr char ScriptVariable[] = "VANTOR_TEST_SCRIPT";

// Modal interactions for an unattended run: messages and questions are printed on the
// standard output ("message: ...", "question: ..."), questions answered No, dialogs
// cancelled and file dialogs left without a file.
class PrintingInteraction final : public Interaction {
public:
    void showMessage(QWidget* parent, const QString& text, const QString& caption,
                     Icon icon) override;
    bool askYesNo(QWidget* parent, const QString& text, const QString& caption) override;
    Answer askYesNoCancel(QWidget* parent, const QString& text, const QString& caption) override;
    QString chooseFileToOpen(QWidget* parent, const QString& directory,
                             const QString& filter) override;
    QString chooseFileToSave(QWidget* parent, const QString& proposedName,
                             const QString& filter) override;
    int runDialog(QDialog& dialog) override;
};

void RunScript(TMainForm& main, const QString& script);

} // namespace vantor
