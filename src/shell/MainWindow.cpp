#include "shell/MainWindow.h"

#include "assembly/InsertionCommands.h"
#include "canvas/DesignWindow.h"
#include "editing/EditHistory.h"
#include "editing/Recovery.h"
#include "i18n/LanguageSwitch.h"
#include "interaction/Interaction.h"
#include "shell/DesignWindows.h"
#include "shell/Export3d.h"
#include "shell/FileCommands.h"
#include "shell/MainActions.h"
#include "shell/MainToolbars.h"
#include "shell/ObjectWindowRelay.h"
#include "shell/OptionsDialog.h"
#include "shell/OutputCommands.h"
#include "shell/PenNameBox.h"
#include "shell/PointerCommands.h"
#include "shell/RecoveryCommands.h"
#include "shell/SettingsCommands.h"
#include "shell/ToolbarLayout.h"
#include "shell/UndoCommands.h"
#include "shell/ViewCommands.h"
#include "toolwindows/ObjectWindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QDockWidget>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>
#include <QUndoGroup>
#include <QVBoxLayout>

namespace vantor {

TMainForm::TMainForm(LanguageSession& language, Interaction& interaction, QString programDirectory,
                     QWidget* parent)
    : TAdvForm(language, parent), interaction_(interaction),
      programDirectory_(std::move(programDirectory)),
      layoutFiles_(LayoutFiles::forProgramFolder(programDirectory_)) {
    setObjectName("MainForm");
    setWindowTitle(Tagged(1501));
    resize(1095, 791);
    setMinimumWidth(800);
    setDockOptions(QMainWindow::AnimatedDocks | QMainWindow::AllowNestedDocks);

    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    auto* area = new QMdiArea(central);
    area->setObjectName("ClientArea");
    area->setBackground(QColor(0xE9, 0xE9, 0xE9));
    column->addWidget(area, 1);
    MarkerStatusBar = new QStatusBar(central);
    MarkerStatusBar->setObjectName("MarkerStatusBar");
    MarkerStatusBar->setSizeGripEnabled(false);
    column->addWidget(MarkerStatusBar);
    setCentralWidget(central);

    undoGroup_ = new QUndoGroup(this);
    actions_ = std::make_unique<MainActions>(*this, *undoGroup_);
    menus_ = std::make_unique<MainMenus>(*this, *actions_);
    windows_ = new DesignWindows(*area, *actions_, *menus_->Window1);
    const auto active = [this] {
        return activeDesignWindow();
    };
    outputCommands_ = new OutputCommands(*this, *windows_, interaction_, fileHistory_,
                                         *actions_->FilePrint, *menus_->File1);
    toolbars_ = new MainToolbars(*this, *actions_, interaction_, active);
    createStatusBars();
    undo_ = new UndoCommands(
        *actions_, *undoGroup_,
        [this]() -> EditHistory* {
            DesignDocument* document = activeDocument();
            return document != nullptr ? &document->history() : nullptr;
        },
        this);
    new ViewCommands(*this, *actions_, *menus_, *toolbars_, *windows_, interaction_);
    connectCommands();

    objects_ =
        std::make_unique<ObjectWindowRelay>(*this, *actions_->AFormObject1, *menus_->Window1);
    toolbarLayout_ = new ToolbarLayout(*this, toolbars_->all(), {objects_->dock()});
    recovery_ = new RecoveryCommands(
        *this, [this] { return createDesignWindow("New"); }, interaction_, *windows_, *objects_);
    const auto newDesignWindow = [this] {
        TMDIChild* window = createDesignWindow("New");
        updateInsertionAvailability(true);
        return window;
    };
    files_ = new FileCommands(
        FileFrame{*this, newDesignWindow, programDirectory_, languageSession()}, *actions_,
        *menus_->File1, fileHistory_, *windows_, *recovery_, interaction_);
    for (QAction* saving : {actions_->FileSave1, actions_->FileSaveAs1, actions_->FileExport3d})
        saving->setEnabled(false); // until a design window opens
    new PointerCommands(
        *actions_, *this, [this] { return activeDocument(); },
        [this] {
            return TPen{currentPenWidth(), currentColor()};
        },
        this);
    new LanguageSwitch(*actions_->Polska1, *actions_->Angielska1, interaction_, this);
}

bool TMainForm::FormCreate() {
    if (!TranslateForm())
        return false;
    undo_->keepCaptions();
    toolbarLayout_->load(layoutFiles_.toRead(ToolbarsFileName));
    setPointerMode(PointerModeKind::Default);
    return true;
}

TMainForm::~TMainForm() {
    // The area reports its windows going while this window is no longer whole.
    windows_->area().disconnect(this);
    // An orderly end of the program leaves no recovery copy of its own; only a run that
    // is cut off does.
    recovery_->removeAll();
    // Design windows report their end to this window: let them go while it is whole,
    // closed ones still waiting for their deletion included.
    const auto windows = findChildren<TMDIChild*>();
    for (TMDIChild* window : windows)
        delete window;
    objects_->setDesignWindow(nullptr);
}

void TMainForm::createStatusBars() {
    QStatusBar* bar = statusBar();
    bar->setObjectName("StatusBar");
    // The panels are not translated: their labels stay unnamed. The hints show to their
    // left; panel 0 carries "komunikat" until the pointer readout replaces it.
    statusPanel0 = new QLabel("komunikat", bar);
    statusPanel0->setFixedWidth(400);
    statusPanel0->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    bar->addPermanentWidget(statusPanel0);
    auto* last = new QLabel(bar);
    last->setFixedWidth(50);
    bar->addPermanentWidget(last);

    const char* markerPanels[] = {"szerokość", "wysokość", "odpad", "efektywność"};
    for (const char* text : markerPanels) {
        auto* panel = new QLabel(QString::fromUtf8(text), MarkerStatusBar);
        panel->setFixedWidth(140);
        MarkerStatusBar->addWidget(panel);
    }
    auto* lastMarker = new QLabel(MarkerStatusBar);
    lastMarker->setFixedWidth(100);
    MarkerStatusBar->addWidget(lastMarker);
}

void TMainForm::connectCommands() {
    const MainActions& a = *actions_;
    connect(a.FileExit1, &QAction::triggered, this, &QWidget::close);
    connect(a.FileExport3d, &QAction::triggered, this, [this] {
        TMDIChild* window = activeDesignWindow();
        if (window == nullptr)
            return;
        const QStringList written = ExportModel3d(
            this, window->design(), languageSession(), interaction_,
            fileHistory_.proposal(window->document().baseName() + QStringLiteral(".stl")),
            [this](const std::string& message) { return outputCommands_->said(message); });
        if (!written.isEmpty()) {
            fileHistory_.used(written.constFirst());
            statusBar()->showMessage(outputCommands_->writtenText(written));
        }
    });

    connect(a.HelpAbout1, &QAction::triggered, this, &TMainForm::aboutRequested);

    connect(&windows_->area(), &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* sub) {
        activeWindowChanged(sub != nullptr ? qobject_cast<TMDIChild*>(sub->widget()) : nullptr);
    });
}

void TMainForm::activeWindowChanged(TMDIChild* window) {
    if (window == nullptr) {
        // No design window is active (the last one is going): nothing to undo.
        undo_->activate(nullptr);
        return;
    }
    objects_->setDesignWindow(window);
    designWindowActivated(*window);
    undo_->activate(&window->history());
}

void TMainForm::attachObjectWindow(TFormObject* formObject) {
    objects_->attach(*formObject, *toolbars_->BarPodstawowy, *menus_->Edit1);
    formObject->setDesignWindow(activeDesignWindow());
    connect(formObject, &TFormObject::elementTreeEmptied, this,
            [this](bool empty) { updateInsertionAvailability(empty); });
    formObject->show();
}

SettingsMenuItems TMainForm::settingsMenuItems() const {
    const MainActions& a = *actions_;
    return SettingsMenuItems{a.AShowLinijki, a.Siatka1,    a.Prowadnice1,
                             a.Polska1,      a.Angielska1, a.AStabilityMarker};
}

void TMainForm::attachOptions(TFormOpcje& options) {
    const MainActions& a = *actions_;
    const MainToolbars& bars = *toolbars_;
    // What a maximised work area hides, in the order it hides them.
    const QList<QWidget*> hidden{bars.BarFigury,    bars.BarMode,       bars.BarWymiary,
                                 bars.BarTransform, bars.BarPodstawowy, objects_->dock()};
    auto* commands = new SettingsCommands(
        *this, *toolbarLayout_, layoutFiles_, [this] { SaveOnExit = false; },
        SettingsActions{a.Ustawieniaprogramu1, a.ADefaultWndPos, a.AMaxWorkArea,
                        a.Przecigajdosiatki35181, menus_->View1, hidden},
        options, interaction_);
    connect(this, &TMainForm::saveOnExitRequested, commands, &SettingsCommands::saveOnExit);
}

void TMainForm::connectInsertionCommands(InsertionCommands& commands) {
    const MainActions& a = *actions_;
    const std::pair<QAction*, void (InsertionCommands::*)()> bindings[] = {
        {a.AGlowicaStozek, &InsertionCommands::AGlowicaStozekExecute},
        {a.AGlowicaOgive, &InsertionCommands::AGlowicaOgiveExecute},
        {a.AGlowicaParabolic, &InsertionCommands::AGlowicaParabolicExecute},
        {a.AKorpus, &InsertionCommands::AKorpusExecute},
        {a.AStozekSciety, &InsertionCommands::AStozekScietyExecute},
        {a.AEngine, &InsertionCommands::AEngineExecute},
        {a.AStatecznik, &InsertionCommands::AStatecznikExecute},
        {a.ABalast, &InsertionCommands::ABalastExecute},
    };
    for (const auto& [action, handler] : bindings)
        connect(action, &QAction::triggered, &commands, handler);
}

void TMainForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (shownOnce_)
        return;
    shownOnce_ = true;
    // The object window's contents are shown; whether its tool window is stays as the
    // layout left it.
    objects_->showContents();
    MainToolbars& bars = *toolbars_;
    for (QToolBar* bar : {bars.BarMode, bars.BarFigury, bars.BarWymiary, bars.BarPodstawowy})
        bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    bars.BarTransform->hide();
    bars.BarMode->show();
    actions_->FileNew1->trigger();
    offerRecovery();
    setPointerMode(PointerModeKind::Default);
    actions_->A3d->setText("3D");
}

void TMainForm::closeEvent(QCloseEvent* event) {
    if (!files_->settleBeforeExit()) {
        event->ignore();
        return;
    }
    recovery_->removeAll();
    if (SaveOnExit)
        emit saveOnExitRequested();
    QMainWindow::closeEvent(event);
}

TMDIChild* TMainForm::activeDesignWindow() const {
    return windows_->active();
}

DesignDocument* TMainForm::activeDocument() const {
    TMDIChild* window = windows_->active();
    return window != nullptr ? &window->document() : nullptr;
}

QList<TMDIChild*> TMainForm::designWindows() const {
    return windows_->all();
}

TMDIChild* TMainForm::createDesignWindow(const QString& name) {
    TMDIChild* window = windows_->create(*this, name);
    // The rulers of a new window follow the menu item, which the settings may have cleared.
    window->setRulersVisible(actions_->AShowLinijki->isChecked());
    windows_->area().setActiveSubWindow(qobject_cast<QMdiSubWindow*>(window->parentWidget()));
    objects_->setDesignWindow(window);
    undo_->follow(window->history());
    recovery_->follow(window->document());
    connect(&window->history(), &EditHistory::restored, this, [window] { window->Redraw(); });
    TMDIChild* current = activeDesignWindow();
    undo_->activate(current != nullptr ? &current->history() : nullptr);
    return window;
}

void TMainForm::updateInsertionAvailability(bool noseStage) {
    const MainActions& a = *actions_;
    for (QAction* nose : {a.AGlowicaStozek, a.AGlowicaOgive, a.AGlowicaParabolic})
        nose->setEnabled(noseStage);
    for (QAction* attaching : {a.AKorpus, a.AEngine, a.AStozekSciety, a.AStatecznik, a.ABalast})
        attaching->setEnabled(!noseStage);
    if (!windows_->anyOpen())
        for (QAction* any : {a.AGlowicaStozek, a.AGlowicaOgive, a.AGlowicaParabolic, a.AKorpus,
                             a.AEngine, a.AStozekSciety, a.AStatecznik, a.ABalast})
            any->setEnabled(false);
}

int TMainForm::currentPenWidth() const {
    return CurrentPenWidth(*toolbars_->PenNameBox);
}

void TMainForm::openFileArgument(const QString& argument) {
    files_->openFileArgument(argument);
}

RecoveryCommands& TMainForm::recovery() const {
    return *recovery_;
}

void TMainForm::offerRecovery() {
    if (recovery_->claimLeftCopies())
        recovery_->offer();
}

void TMainForm::setPointerMode(PointerModeKind mode) {
    PointerMode = mode;
}

bool TMainForm::gridShown() const {
    return actions_->Siatka1->isChecked();
}

GridOptions TMainForm::gridOptions() const {
    return gridOptionsSource_ ? gridOptionsSource_() : GridOptions{};
}

int TMainForm::displayUnitIndex() const {
    return displayUnitSource_ ? displayUnitSource_() : 0;
}

void TMainForm::setGridOptionsSource(std::function<GridOptions()> source) {
    gridOptionsSource_ = std::move(source);
}

void TMainForm::setDisplayUnitSource(std::function<int()> source) {
    displayUnitSource_ = std::move(source);
}

UnitChoice TMainForm::unitChoice() const {
    return unitSource_ ? unitSource_() : UnitChoice{};
}

void TMainForm::setUnitSource(std::function<UnitChoice()> source) {
    unitSource_ = std::move(source);
    outputCommands_->setUnitSource([this] { return unitChoice(); });
}

void TMainForm::showPointerReadout(const QString& text) {
    statusPanel0->setText(text);
}

void TMainForm::showStatusMessage(const QString& text) {
    statusBar()->showMessage(text);
}

bool TMainForm::isActiveDesignWindow(const TMDIChild& window) const {
    return activeDesignWindow() == &window;
}

void TMainForm::designWindowCreated(TMDIChild& window) {
    windows_->opened(window);
    outputCommands_->setAvailable(true);
    for (QAction* saving : {actions_->FileSave1, actions_->FileSaveAs1, actions_->FileExport3d})
        saving->setEnabled(true);
    for (QAction* zoom : {actions_->ASkala1, actions_->ASkala2, actions_->ASkala05})
        zoom->setEnabled(true);
}

void TMainForm::designWindowActivated(TMDIChild&) {
    MarkerStatusBar->hide();
    toolbars_->BarMode->show();
    toolbars_->BarWymiary->show();
    actions_->ASkala2->setEnabled(true);
    actions_->ASkala05->setEnabled(true);
}

bool TMainForm::mayCloseDesignWindow(TMDIChild& window) {
    return files_->mayClose(window.document());
}

void TMainForm::designWindowClosing(TMDIChild& window) {
    // Closed on purpose: whatever was not saved was given up.
    recovery_->removeCopy(window.document());
    objects_->forgetDesignWindow(window);
    windows_->gone(window);
    updateInsertionAvailability(false);
    if (!windows_->anyOpen())
        objects_->clearSummary();
}

void TMainForm::designWindowDestroyed(TMDIChild& window) {
    windows_->gone(window);
    objects_->forgetDesignWindow(window);
    if (!windows_->anyOpen()) {
        for (QAction* zoom : {actions_->ASkala1, actions_->ASkala2, actions_->ASkala05})
            zoom->setEnabled(false);
        objects_->clearSummary();
    }
    outputCommands_->setAvailable(windows_->anyOpen());
    // Without a design there is nothing to save or export.
    for (QAction* saving : {actions_->FileSave1, actions_->FileSaveAs1, actions_->FileExport3d})
        saving->setEnabled(windows_->anyOpen());
}

ElementTree::Node* TMainForm::selectedElementNode() const {
    return objects_->selectedNode();
}

void TMainForm::selectElementNode(ElementTree::Node* node) {
    objects_->selectNode(node);
}

void TMainForm::showSummary(const Summary& summary) {
    objects_->showSummary(summary);
}

void TMainForm::showStability(const StabilityAnalysis& analysis) {
    objects_->showStability(analysis);
}

bool TMainForm::stabilityMarkerShown() const {
    return actions_->AStabilityMarker->isChecked();
}

void TMainForm::editSelectedElement() {
    objects_->editSelectedElement();
}

QMenu* TMainForm::designContextMenu() {
    return objects_->contextMenu();
}

void ShowMaximized(QWidget& window) {
    if (const QScreen* screen = window.screen())
        window.setGeometry(screen->availableGeometry());
    window.showMaximized();
}

} // namespace vantor
