#pragma once

#include <QString>
#include <QWidget>
#include <functional>
#include <memory>

class QTranslator;

namespace vantor {

class Interaction;
class LanguageSession;
class TAboutBox;
class HelpWindow;
class InsertionCommands;
class TFormObject;
class TFormOpcje;
class TFormParametry;
class TMainForm;
class MotorCommands;
class FlightWindow;
class CompareMotorsWindow;

// The program's forms, created in their start-up order and wired together: the main
// window, the object window docked in it, the about box and the dialogs.
class Program {
public:
    // `language` must live as long as the program.
    Program(LanguageSession& language, Interaction& interaction, QString programDirectory);
    ~Program();

    // Creates the forms; false when the program cannot start and has to end.
    bool create();

    TMainForm* mainForm() const { return mainForm_.get(); }
    TFormObject* formObject() const { return formObject_; }
    TFormOpcje* formOpcje() const { return formOpcje_; }
    TFormParametry* formParametry() const { return formParametry_; }
    HelpWindow* helpWindow() const { return helpWindow_; }
    MotorCommands* motorCommands() const { return motorCommands_.get(); }
    FlightWindow* flightWindow() const { return flightWindow_; }
    CompareMotorsWindow* compareMotorsWindow() const { return compareMotorsWindow_; }

private:
    void wireParametersDialog();
    void wireOptionsDialog();
    void wireInsertionCommands();
    void wireMotorCommands();
    bool createFlightWindows();

    LanguageSession& language_;
    Interaction& interaction_;
    QString programDirectory_;
    // Qt's own texts in the program's language, for as long as the program runs.
    std::unique_ptr<QTranslator> qtTexts_;
    std::unique_ptr<TMainForm> mainForm_;
    std::unique_ptr<QWidget> advForm_;        // the translating base form, never shown
    TFormObject* formObject_ = nullptr;       // owned by the main window's dock
    TAboutBox* aboutBox_ = nullptr;           // owned by the main window
    HelpWindow* helpWindow_ = nullptr;        // owned by the main window
    TFormOpcje* formOpcje_ = nullptr;         // owned by the main window
    TFormParametry* formParametry_ = nullptr; // owned by the main window
    std::unique_ptr<MotorCommands> motorCommands_;
    FlightWindow* flightWindow_ = nullptr;               // owned by the main window
    CompareMotorsWindow* compareMotorsWindow_ = nullptr; // owned by the main window
};

// Starts the program with the given modal interactions and runs it to its end; calls
// `started` once the main window is shown. Returns the exit code.
int RunProgram(Interaction& interaction, const std::function<void(TMainForm&)>& started = {});

} // namespace vantor
