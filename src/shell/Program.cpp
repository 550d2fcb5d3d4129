#include "shell/Program.h"

#include "assembly/InsertionCommands.h"
#include "canvas/DesignWindow.h"
#include "editing/DesignEdits.h"
#include "i18n/AdvForm.h"
#include "i18n/LanguageChoice.h"
#include "i18n/LanguageSession.h"
#include "i18n/QtTexts.h"
#include "interaction/Interaction.h"
#include "shell/AboutBox.h"
#include "shell/HelpWindow.h"
#include "shell/MainWindow.h"
#include "shell/Manual.h"
#include "shell/MotorCommands.h"
#include "shell/OptionsDialog.h"
#include "shell/OrderlyTermination.h"
#include "toolwindows/CompareMotorsWindow.h"
#include "toolwindows/FlightWindow.h"
#include "toolwindows/ObjectWindow.h"
#include "toolwindows/ParametersDialog.h"
#include "toolwindows/StabilityTable.h"

#include <QAction>
#include <QApplication>
#include <QMenu>

namespace vantor {

Program::Program(LanguageSession& language, Interaction& interaction, QString programDirectory)
    : language_(language), interaction_(interaction),
      programDirectory_(std::move(programDirectory)) {}

Program::~Program() = default;

bool Program::create() {
    qtTexts_ = InstallQtTexts(ReadLanguageChoice());
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
    // The manual lies beside the program as its language libraries do, in the language
    // the forms are translated into.
    const Language language = ReadLanguageChoice();
    const QString manual = FindManualFolder(language_.programDirectory());
    aboutBox_ = new TAboutBox(ManualPage(manual, language), mainForm_.get());
    QObject::connect(mainForm_.get(), &TMainForm::aboutRequested, mainForm_.get(),
                     [this] { interaction_.runDialog(*aboutBox_); });
    TMainForm& main = *mainForm_;
    formOpcje_ = new TFormOpcje(language_, interaction_, main.settingsMenuItems(), &main);
    if (!formOpcje_->FormCreate())
        return false;
    wireOptionsDialog();
    formParametry_ = new TFormParametry(language_, interaction_, mainForm_.get());
    if (!formParametry_->FormCreate())
        return false;
    wireParametersDialog();
    formParametry_->setUnitSource([this] { return formOpcje_->unitChoice(); });
    wireInsertionCommands();
    motorCommands_ = std::make_unique<MotorCommands>(language_, interaction_, programDirectory_,
                                                     mainForm_.get());
    if (!motorCommands_->FormCreate())
        return false;
    wireMotorCommands();
    if (!createFlightWindows())
        return false;
    helpWindow_ = new HelpWindow(language_, language, manual, mainForm_.get());
    if (!helpWindow_->FormCreate())
        return false;
    if (auto* help = mainForm_->findChild<QAction*>(QStringLiteral("Pomocdoprogramu1")))
        QObject::connect(help, &QAction::triggered, helpWindow_, &HelpWindow::showManual);
    return true;
}

void Program::wireInsertionCommands() {
    TMainForm& main = *mainForm_;
    InsertionContext context;
    context.messageParent = &main;
    context.activeDesignWindow = [&main] {
        return main.activeDesignWindow();
    };
    context.newShapePen = [&main] {
        return TPen{main.currentPenWidth(), main.currentColor()};
    };
    auto* commands = new InsertionCommands(std::move(context), *formObject_, *formParametry_,
                                           interaction_, &main);
    main.connectInsertionCommands(*commands);
    formObject_->stabilityTable->setAddBallast(
        [commands](double weight) { commands->addBallast(weight); });
}

void Program::wireOptionsDialog() {
    TMainForm& main = *mainForm_;
    TFormOpcje& options = *formOpcje_;
    // The design windows draw and read out with the options' controls.
    main.setGridOptionsSource([&options] { return options.gridOptions(); });
    main.setDisplayUnitSource([&options] { return options.displayUnitIndex(); });
    // Lengths and weights everywhere are shown in the options' units.
    main.setUnitSource([&options] { return options.unitChoice(); });
    formObject_->setUnitSource([&options] { return options.unitChoice(); });
    options.setSaveAllowed([&main] { return main.saveOnExit(); });
    options.setRedrawDesigns([&main] {
        const auto windows = main.designWindows();
        for (TMDIChild* window : windows)
            window->Redraw();
    });
    main.attachOptions(options);
}

void Program::wireParametersDialog() {
    TMainForm& main = *mainForm_;
    formParametry_->setHasChildNodes([&main](const TRocketElement& element) {
        const TMDIChild* window = main.activeDesignWindow();
        const ElementTree::Node* node =
            window != nullptr ? const_cast<TMDIChild*>(window)->design().tree.nodeOf(&element)
                              : nullptr;
        return node != nullptr && !node->children.empty();
    });
    formObject_->setPropertiesEditor([this, &main](TRocketElement& element) {
        // The dialog edits a copy; one OK is one step, and Cancel leaves nothing behind.
        formParametry_->setElement(&element);
        formParametry_->setFreshMode(false);
        formParametry_->FormShow();
        if (interaction_.runDialog(*formParametry_) != QDialog::Accepted)
            return;
        if (TMDIChild* window = main.activeDesignWindow()) {
            std::unique_ptr<DesignEdit> edit =
                ChangeFields(window->design(), element, formParametry_->acceptedFields());
            window->Redraw();
            window->history().record(std::move(edit));
        }
    });
}

void Program::wireMotorCommands() {
    MotorCommands& motors = *motorCommands_;
    TFormOpcje& options = *formOpcje_;
    motors.setExtraFolders([&options] { return options.motorFolders(); });
    formParametry_->setMotorChooser(
        [&motors](const TRocketElement& element, const ElementFields& entered) {
            return motors.chooseMotor(element, entered);
        });
    if (auto* import = mainForm_->findChild<QAction*>(QStringLiteral("AImportSilnika")))
        QObject::connect(import, &QAction::triggered, mainForm_.get(),
                         [&motors] { motors.importMotorFile(); });
}

bool Program::createFlightWindows() {
    TMainForm& main = *mainForm_;
    MotorCommands& motors = *motorCommands_;
    flightWindow_ = new FlightWindow(language_, interaction_, &main);
    compareMotorsWindow_ = new CompareMotorsWindow(language_, interaction_, &main);
    if (!flightWindow_->FormCreate() || !compareMotorsWindow_->FormCreate())
        return false;
    const auto library = [&motors]() -> const MotorLibrary& {
        return motors.library();
    };
    flightWindow_->setLibrary(library);
    flightWindow_->setMotorChooser(
        [&motors](std::optional<double> tube, const std::string& caption) {
            return motors.chooseMotorFor(tube, caption);
        });
    compareMotorsWindow_->setLibrary(library);
    // Each window shows the design active when it was opened.
    const auto openOnActiveDesign = [&main](const char* actionName, auto* toolWindow) {
        if (auto* action = main.findChild<QAction*>(QLatin1String(actionName)))
            QObject::connect(action, &QAction::triggered, &main, [&main, toolWindow] {
                if (TMDIChild* window = main.activeDesignWindow()) {
                    toolWindow->setDesign(window->design(), window->document().fileName());
                    toolWindow->show();
                    toolWindow->raise();
                    toolWindow->activateWindow();
                }
            });
    };
    openOnActiveDesign("ALot", flightWindow_);
    openOnActiveDesign("APorownajSilniki", compareMotorsWindow_);
    // The commands need a design to work on.
    if (auto* menu = main.findChild<QMenu*>(QStringLiteral("Lot1")))
        QObject::connect(menu, &QMenu::aboutToShow, &main, [menu, &main] {
            const bool design = main.activeDesignWindow() != nullptr;
            for (QAction* action : menu->actions())
                action->setEnabled(design);
        });
    return true;
}

int RunProgram(Interaction& interaction, const std::function<void(TMainForm&)>& started) {
    LanguageSession language(interaction);
    Program program(language, interaction, QApplication::applicationDirPath());
    if (!program.create())
        return 1;
    // SIGTERM and SIGINT close the main window as its close box does.
    OrderlyTermination termination(*program.mainForm());
    ShowMaximized(*program.mainForm());
    if (started)
        started(*program.mainForm());
    return QApplication::exec();
}

} // namespace vantor
