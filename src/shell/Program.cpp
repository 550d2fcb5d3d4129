#include "shell/Program.h"

#include "i18n/AdvForm.h"
#include "shell/AboutBox.h"
#include "shell/Interaction.h"
#include "shell/MainWindow.h"
#include "toolwindows/ObjectWindow.h"

namespace vantor {

Program::Program(LanguageSession& language, Interaction& interaction, QString programDirectory)
    : language_(language), interaction_(interaction),
      programDirectory_(std::move(programDirectory)) {}

Program::~Program() = default;

bool Program::create() {
    mainForm_ = std::make_unique<TMainForm>(language_, interaction_, programDirectory_);
    if (!mainForm_->FormCreate())
        return false;
    auto advForm = std::make_unique<TAdvForm<QWidget>>(language_);
    if (!advForm->TranslateForm())
        return false;
    advForm_ = std::move(advForm);
    formObject_ = new TFormObject(language_, interaction_);
    mainForm_->attachObjectWindow(formObject_);
    if (!formObject_->FormCreate())
        return false;
    aboutBox_ = new TAboutBox(mainForm_.get());
    QObject::connect(mainForm_.get(), &TMainForm::aboutRequested, mainForm_.get(),
                     [this] { interaction_.runDialog(*aboutBox_); });
    return true;
}

} // namespace vantor
