#pragma once

#include <QString>
#include <memory>

namespace vantor {

class Interaction;
class TAboutBox;
class TFormObject;
class TMainForm;

// The program's forms, created in their start-up order and wired together: the main
// window, the object window docked in it, the about box and the dialogs.
class Program {
public:
    Program(Interaction& interaction, QString programDirectory);
    ~Program();

    // Creates the forms; false when the program cannot start and has to end.
    bool create();

    TMainForm* mainForm() const { return mainForm_.get(); }
    TFormObject* formObject() const { return formObject_; }
    TAboutBox* aboutBox() const { return aboutBox_; }

private:
    Interaction& interaction_;
    QString programDirectory_;
    std::unique_ptr<TMainForm> mainForm_;
    TFormObject* formObject_ = nullptr; // owned by the main window's dock
    TAboutBox* aboutBox_ = nullptr;     // owned by the main window
};

} // namespace vantor
