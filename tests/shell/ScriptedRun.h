#pragma once

#include "interaction/Interaction.h"

#include <QString>

namespace vantor {

class TMainForm;

// Running the program unattended, in the test-only build of it (ScriptedProgram.cpp):
// its main() uses PrintingInteraction and calls RunScript with the environment variable
// named below. Once the event loop runs, the ';'-separated words of the variable are
// played in turn:
//   name        triggers the main window's action of that object name;
//   ?name       prints "name=<the action's text>";
//   +yes, -yes  questions are answered Yes, or No again (No is the default);
//   +ok         dialogs are accepted with their default button from here on (cancelled
//               is the default);
//   save:PATH   writes the active design as a design file to PATH, leaving the window's
//               own file and its modified state alone, and prints "saved: PATH";
//   stay        keeps the program running after the script (prints "running"), so
//               that a test can end it from outside;
//   windows     prints "window: <caption> | <number of elements>" for every design
//               window, in the order they were opened;
//   status      prints "status: <the status bar's message>".
// A save dialog prints "save dialog: <the name it proposes>" and is left without a file.
// Without "stay" the main window then closes as File > Exit closes it, and the program
// ends. Unknown names print "unknown: name". The answer words (+yes, -yes, +ok) at the
// head of the script already hold for the questions asked while the program starts.
inline constexpr char ScriptVariable[] = "VANTOR_TEST_SCRIPT";

// Modal interactions for an unattended run: messages and questions are printed on the
// standard output ("message: ...", "question: ..."), questions answered No and dialogs
// cancelled unless the script says otherwise, file dialogs left without a file.
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

    bool answerYes = false;
    bool acceptDialogs = false;
};

// Applies the answer words at the head of the script.
void ApplyLeadingAnswers(PrintingInteraction& interaction, const QString& script);
void RunScript(TMainForm& main, PrintingInteraction& interaction, const QString& script);

} // namespace vantor
