#include "shell/Program.h"

#include "shell/AboutBox.h"
#include "shell/Interaction.h"
#include "shell/MainWindow.h"
#include "toolwindows/ObjectWindow.h"

namespace vantor {

Program::Program(Interaction& interaction, QString programDirectory)
    : interaction_(interaction), programDirectory_(std::move(programDirectory)) {}

Program::~Program() = default;

bool Program::create() {
    mainForm_ = std::make_unique<TMainForm>(interaction_, programDirectory_);
    formObject_ = new TFormObject(interaction_);
    mainForm_->attachObjectWindow(formObject_);
    aboutBox_ = new TAboutBox(mainForm_.get());
    QObject::connect(mainForm_.get(), &TMainForm::aboutRequested, mainForm_.get(),
                     [this] { interaction_.runDialog(*aboutBox_); });
    return true;
}

} // namespace vantor
