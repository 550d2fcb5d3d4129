#include "shell/MainWindow.h"

#include "canvas/DesignWindow.h"
#include "canvas/ShapeKinds.h"
#include "designfile/DesignFile.h"
#include "editing/EditHistory.h"
#include "editing/Recovery.h"
#include "i18n/AdvForm.h"
#include "i18n/LanguageSwitch.h"
#include "interaction/Interaction.h"
#include "preview3d/Preview3d.h"
#include "preview3d/ViewState3d.h"
#include "shell/Export3d.h"
#include "shell/Glyphs.h"
#include "shell/OutputCommands.h"
#include "shell/PenNameBox.h"
#include "shell/ToolbarLayout.h"
#include "toolwindows/ObjectWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QDockWidget>
#include <QDoubleValidator>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace vantor {

namespace {

const QString DesignFilter = QStringLiteral("projekt (*.kfx)");
// Asked before a modified design is closed.
constexpr char SaveChangesQuestion[] = "Zapisać zmiany w projekcie?";
// Asked at start when a run ended without closing a modified design.
constexpr char RecoverQuestion[] = "Przywrócić niezapisany projekt?";
constexpr int RecoveryIntervalMs = 30'000;
constexpr int RecoveryStepInterval = 10;

QToolBar* MakeToolBar(QMainWindow* window, const char* name, const QString& caption) {
    auto* bar = new QToolBar(caption, window);
    bar->setObjectName(name);
    bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    return bar;
}

} // namespace

TMainForm::TMainForm(LanguageSession& language, Interaction& interaction, QString programDirectory,
                     QWidget* parent)
    : TAdvForm(language, parent), interaction_(interaction),
      programDirectory_(std::move(programDirectory)),
      layoutFiles_(LayoutFiles::forProgramFolder(programDirectory_)),
      view3d_(std::make_unique<Preview3dViewState>()) {
    setObjectName("MainForm");
    setWindowTitle(Tagged(1501));
    resize(1095, 791);
    setMinimumWidth(800);
    setDockOptions(QMainWindow::AnimatedDocks | QMainWindow::AllowNestedDocks);

    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    mdiArea = new QMdiArea(central);
    mdiArea->setObjectName("ClientArea");
    mdiArea->setBackground(QColor(0xE9, 0xE9, 0xE9));
    column->addWidget(mdiArea, 1);
    MarkerStatusBar = new QStatusBar(central);
    MarkerStatusBar->setObjectName("MarkerStatusBar");
    MarkerStatusBar->setSizeGripEnabled(false);
    column->addWidget(MarkerStatusBar);
    setCentralWidget(central);

    createActions();
    createMenus();
    outputCommands_ = new OutputCommands(*this, interaction_, *FilePrint, *File1);
    createToolbars();
    createStatusBars();
    connectCommands();

    WindowFormObject = new QDockWidget(Tagged(1548), this);
    WindowFormObject->setToolTip(Tagged(1725));
    WindowFormObject->setObjectName("WindowFormObject");
    WindowFormObject->setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    WindowFormObject->setMinimumWidth(208);
    pObjectDock = new QWidget(WindowFormObject);
    pObjectDock->setObjectName("pObjectDock");
    auto* dockLayout = new QVBoxLayout(pObjectDock);
    dockLayout->setContentsMargins(0, 0, 0, 0);
    WindowFormObject->setWidget(pObjectDock);
    addDockWidget(Qt::RightDockWidgetArea, WindowFormObject);
    toolbarLayout_ = new ToolbarLayout(*this, toolbars(), {WindowFormObject});

    recovery_ = std::make_unique<RecoveryStore>();
    auto* recoveryTimer = new QTimer(this);
    recoveryTimer->setObjectName("RecoveryTimer");
    recoveryTimer->setInterval(RecoveryIntervalMs);
    connect(recoveryTimer, &QTimer::timeout, this, [this] {
        if (TMDIChild* window = activeDesignWindow(); window && window->history().isModified())
            writeRecovery(*window);
    });
    recoveryTimer->start();

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName("PopupMenu1");
    new LanguageSwitch(*Polska1, *Angielska1, interaction_, this);
}

bool TMainForm::FormCreate() {
    if (!TranslateForm())
        return false;
    undoCaption_ = AUndo->text();
    redoCaption_ = ARedo->text();
    toolbarLayout_->load(layoutFiles_.toRead(ToolbarsFileName));
    setPointerMode(PointerModeKind::Default);
    return true;
}

TMainForm::~TMainForm() {
    // The area reports its windows going while this window is no longer whole.
    mdiArea->disconnect(this);
    // An orderly end of the program leaves no recovery copy; only a run that is cut off
    // does.
    if (recovery_)
        recovery_->remove();
    // Design windows report their end to this window: let them go while it is whole,
    // closed ones still waiting for their deletion included.
    const auto windows = findChildren<TMDIChild*>();
    for (TMDIChild* window : windows)
        delete window;
    if (formObject_)
        formObject_->setDesignWindow(nullptr);
    if (handCursor_)
        QApplication::restoreOverrideCursor();
}

QAction* TMainForm::makeAction(const char* name, const QString& caption, const QString& hint) {
    auto* action = new QAction(caption, this);
    action->setObjectName(name);
    if (!hint.isEmpty())
        action->setToolTip(hint);
    return action;
}

void TMainForm::createActions() {
    FileNew1 = makeAction("FileNew1", Tagged(1616), Tagged(1617));
    FileNew1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    FileNew1->setIcon(style()->standardIcon(QStyle::SP_FileIcon));
    FileOpen1 = makeAction("FileOpen1", Tagged(1620), Tagged(1621));
    FileOpen1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    FileOpen1->setIcon(style()->standardIcon(QStyle::SP_DialogOpenButton));
    FileClose1 = makeAction("FileClose1", Tagged(1622), Tagged(1623));
    FileCloseAll = makeAction("FileCloseAll", Tagged(1706), Tagged(1618));
    FileSave1 = makeAction("FileSave1", Tagged(1624), Tagged(1625));
    FileSave1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    FileSave1->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    FileSaveAs1 = makeAction("FileSaveAs1", Tagged(1626), Tagged(1627));
    FilePrint = makeAction("FilePrint", Tagged(1707), Tagged(1619));
    FileExit1 = makeAction("FileExit1", Tagged(1628), Tagged(1629));

    ASkala05 = makeAction("ASkala05", Tagged(1558));
    ASkala1 = makeAction("ASkala1", Tagged(1559));
    ASkala2 = makeAction("ASkala2", Tagged(1560));
    ASkala3 = makeAction("ASkala3", Tagged(1561));
    for (QAction* zoom : {ASkala05, ASkala1, ASkala2, ASkala3})
        zoom->setCheckable(true);
    N251 = makeAction("N251", Tagged(1557));
    N5001 = makeAction("N5001", Tagged(1562));
    for (QAction* hidden : {N251, N5001}) {
        hidden->setVisible(false);
        hidden->setEnabled(false);
    }

    AShowLinijki = makeAction("AShowLinijki", Tagged(1655), Tagged(1647));
    Siatka1 = makeAction("Siatka1", Tagged(1563), Tagged(1648));
    Przecigajdosiatki35181 = makeAction("Przecigajdosiatki35181", Tagged(3518), Tagged(1729));
    Przecigajdosiatki35181->setVisible(false);
    Prowadnice1 = makeAction("Prowadnice1", Tagged(1564), Tagged(1649));
    Prowadnice1->setVisible(false);
    AStabilityMarker = makeAction("AStabilityMarker", Tagged(1730), Tagged(1731));
    for (QAction* check :
         {AShowLinijki, Siatka1, Przecigajdosiatki35181, Prowadnice1, AStabilityMarker})
        check->setCheckable(true);
    AShowLinijki->setChecked(true);
    Siatka1->setChecked(true);
    Prowadnice1->setChecked(true);
    AStabilityMarker->setChecked(true);

    Podstawowy1 = makeAction("Podstawowy1", Tagged(1568));
    Transform1 = makeAction("Transform1", Tagged(1574));
    Figury1 = makeAction("Figury1", Tagged(1569));
    Narzedzia1 = makeAction("Narzedzia1", Tagged(1571));
    Wymiary1 = makeAction("Wymiary1", Tagged(1570));
    Kolory1 = makeAction("Kolory1", Tagged(1572));
    Rotacja1 = makeAction("Rotacja1", Tagged(1573));
    for (QAction* item :
         {Podstawowy1, Transform1, Figury1, Narzedzia1, Wymiary1, Kolory1, Rotacja1})
        item->setCheckable(true);
    for (QAction* hidden : {Transform1, Kolory1, Rotacja1})
        hidden->setVisible(false);

    ADefaultWndPos = makeAction("ADefaultWndPos", Tagged(1657), Tagged(1651));
    AMaxWorkArea = makeAction("AMaxWorkArea", Tagged(1658), Tagged(1652));
    AMaxWorkArea->setCheckable(true);
    AFullScreen = makeAction("AFullScreen", Tagged(1654), Tagged(1650));
    A3d = makeAction("A3d", "3D", Tagged(1646));
    A3d->setIcon(MakeGlyph(Glyph::Preview3d));

    WindowCascade1 = makeAction("WindowCascade1", Tagged(1630), Tagged(1631));
    WindowTileHorizontal1 = makeAction("WindowTileHorizontal1", Tagged(1632), Tagged(1633));
    WindowTileVertical1 = makeAction("WindowTileVertical1", Tagged(1634), Tagged(1635));
    WindowMinimizeAll1 = makeAction("WindowMinimizeAll1", Tagged(1636), Tagged(1637));
    WindowArrangeAll1 = makeAction("WindowArrangeAll1", Tagged(1638), Tagged(1639));
    AFormObject1 = makeAction("AFormObject1", Tagged(1606), Tagged(1607));
    AFormObject1->setCheckable(true);
    AFormObject1->setChecked(true);

    Ustawieniaprogramu1 = makeAction("Ustawieniaprogramu1", Tagged(1612), Tagged(1667));
    Polska1 = makeAction("Polska1", Tagged(1610), Tagged(1669));
    Angielska1 = makeAction("Angielska1", Tagged(1611), Tagged(1670));
    Polska1->setCheckable(true);
    Angielska1->setCheckable(true);
    Polska1->setChecked(true);
    Pomocdoprogramu1 = makeAction("Pomocdoprogramu1", Tagged(1615), Tagged(1699));
    HelpAbout1 = makeAction("HelpAbout1", Tagged(1640), Tagged(1700));

    ADefaultMode = makeAction("ADefaultMode", QString(), Tagged(1681));
    ADefaultMode->setIcon(MakeGlyph(Glyph::DefaultMode));
    ASelect = makeAction("ASelect", QString(), Tagged(1680));
    ASelect->setIcon(MakeGlyph(Glyph::SelectMode));
    AWymiar = makeAction("AWymiar", QString(), Tagged(1642));
    AWymiar->setIcon(MakeGlyph(Glyph::LinearDimension));
    AWymiarPoziomy = makeAction("AWymiarPoziomy", QString(), Tagged(1643));
    AWymiarPoziomy->setIcon(MakeGlyph(Glyph::HorizontalDimension));
    AWymiarPionowy = makeAction("AWymiarPionowy", QString(), Tagged(1644));
    AWymiarPionowy->setIcon(MakeGlyph(Glyph::VerticalDimension));
    AWymiarAngle = makeAction("AWymiarAngle", QString(), Tagged(1645));
    AWymiarAngle->setIcon(MakeGlyph(Glyph::AngleDimension));
    ATransform = makeAction("ATransform", Tagged(1528), Tagged(1682));
    ARotateByCenter = makeAction("ARotateByCenter", Tagged(1527), Tagged(1724));
    AUndo = makeAction("AUndo", Tagged(1553), Tagged(1662));
    ARedo = makeAction("ARedo", Tagged(1554), Tagged(1663));
    ARepeat = makeAction("Repeat1", Tagged(1704), Tagged(1664));
    ARepeat->setEnabled(false); // no operation behind it
    AUndo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    ARedo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    AUndo->setIcon(style()->standardIcon(QStyle::SP_ArrowBack));
    ARedo->setIcon(style()->standardIcon(QStyle::SP_ArrowForward));
    AUndo->setEnabled(false);
    ARedo->setEnabled(false);
    undoCaption_ = AUndo->text();
    redoCaption_ = ARedo->text();
    // Never shown: they carry the translated verbs of the undo captions.
    insertVerb_ = makeAction("AUndoVerbInsert", Tagged(1735));
    changeVerb_ = makeAction("AUndoVerbChange", Tagged(1736));
    deleteVerb_ = makeAction("AUndoVerbDelete", Tagged(1737));
    moveVerb_ = makeAction("AUndoVerbMove", Tagged(1738));

    // The insertion commands have no caption; their buttons carry a hint.
    const struct {
        QAction** action;
        const char* name;
        Glyph glyph;
        int hint;
    } insertions[] = {
        {&AGlowicaStozek, "AGlowicaStozek", Glyph::ConicalNose, 1519},
        {&AGlowicaOgive, "AGlowicaOgive", Glyph::OgiveNose, 1520},
        {&AGlowicaParabolic, "AGlowicaParabolic", Glyph::ParabolicNose, 1521},
        {&AKorpus, "AKorpus", Glyph::BodyTube, 1522},
        {&AEngine, "AEngine", Glyph::Motor, 1523},
        {&AStozekSciety, "AStozekSciety", Glyph::Transition, 1524},
        {&AStatecznik, "AStatecznik", Glyph::FinSet, 1525},
        {&ABalast, "ABalast", Glyph::Ballast, 1526},
    };
    for (const auto& insertion : insertions) {
        *insertion.action = makeAction(insertion.name, QString(), Tagged(insertion.hint));
        (*insertion.action)->setIcon(MakeGlyph(insertion.glyph));
    }
    for (QAction* attaching : {AKorpus, AEngine, AStozekSciety, AStatecznik, ABalast})
        attaching->setEnabled(false);
}

void TMainForm::createMenus() {
    auto menu = [this](QMenu* parentMenu, const char* name, const QString& caption,
                       const QString& hint = {}) {
        QMenu* m =
            parentMenu != nullptr ? parentMenu->addMenu(caption) : menuBar()->addMenu(caption);
        // The menu is translated through its menu action, which stays unnamed so that it is
        // not translated a second time as an action.
        m->setObjectName(name);
        if (!hint.isEmpty())
            m->menuAction()->setToolTip(hint);
        return m;
    };
    // A plain line: a separator with a text would be drawn as a section with that text.
    auto separator = [this](QMenu* m, const char* name) {
        QAction* s = makeAction(name, QString());
        s->setSeparator(true);
        m->addAction(s);
    };

    File1 = menu(nullptr, "File1", Tagged(1549), Tagged(1550));
    File1->addActions({FileNew1, FileOpen1, FileClose1, FileCloseAll, FileSave1, FileSaveAs1});
    separator(File1, "N1");
    File1->addAction(FilePrint);
    QAction* export3d = makeAction("FileExport3d", Tagged(1770), Tagged(1771));
    connect(export3d, &QAction::triggered, this, [this] {
        if (TMDIChild* window = activeDesignWindow())
            ExportModel3d(this, window->design(), languageSession(), interaction_);
    });
    File1->addAction(export3d);
    separator(File1, "N2");
    File1->addAction(FileExit1);

    Edit1 = menu(nullptr, "Edycja1", Tagged(1552), Tagged(1661));
    Edit1->addActions({AUndo, ARedo, ARepeat});

    View1 = menu(nullptr, "Widok1", Tagged(1555), Tagged(1665));
    Zoom1 = menu(View1, "Zoom1", Tagged(1556), Tagged(1653));
    Zoom1->addActions({N251, ASkala05, ASkala1, ASkala2, ASkala3, N5001});
    View1->addActions(
        {AShowLinijki, Siatka1, Przecigajdosiatki35181, Prowadnice1, AStabilityMarker});
    separator(View1, "N3");
    Paskinarzdzi1 = menu(View1, "Paskinarzdzi1", Tagged(1567), Tagged(1656));
    Paskinarzdzi1->addActions(
        {Podstawowy1, Transform1, Figury1, Narzedzia1, Wymiary1, Kolory1, Rotacja1});
    View1->addActions({ADefaultWndPos, AMaxWorkArea});
    separator(View1, "N4");
    View1->addActions({AFullScreen, A3d});

    Window1 = menu(nullptr, "Window1", Tagged(1603), Tagged(1604));
    Window1->addActions({WindowCascade1, WindowTileHorizontal1, WindowTileVertical1,
                         WindowMinimizeAll1, WindowArrangeAll1});
    separator(Window1, "N5");
    Window1->addAction(AFormObject1);

    Opcje1 = menu(nullptr, "Opcje1", Tagged(1608), Tagged(1666));
    Opcje1->addAction(Ustawieniaprogramu1);
    Wersjajzykowa1 = menu(Opcje1, "Wersjajzykowa1", Tagged(1609), Tagged(1668));
    Wersjajzykowa1->addActions({Polska1, Angielska1});

    Help1 = menu(nullptr, "Help1", Tagged(1613), Tagged(1614));
    Help1->addActions({Pomocdoprogramu1, HelpAbout1});

    connect(Zoom1, &QMenu::aboutToShow, this, [this] { onZoomMenuShown(); });
    connect(Paskinarzdzi1, &QMenu::aboutToShow, this, [this] { onToolbarMenuShown(); });
    connect(Window1, &QMenu::aboutToShow, this, [this] { onWindowMenuShown(); });
}

void TMainForm::createToolbars() {
    BarPodstawowy = MakeToolBar(this, "BarPodstawowy", Tagged(1531));
    BarPodstawowy->setAllowedAreas(Qt::TopToolBarArea);
    BarPodstawowy->addActions({FileNew1, FileOpen1, FileSave1, AUndo, ARedo, A3d});
    addToolBar(Qt::TopToolBarArea, BarPodstawowy);
    addToolBarBreak(Qt::TopToolBarArea);

    BarTransform = MakeToolBar(this, "BarTransform", QString());
    addToolBar(Qt::TopToolBarArea, BarTransform);
    createTransformPanel();

    BarFigury = MakeToolBar(this, "BarFigury", Tagged(1517));
    BarFigury->setOrientation(Qt::Vertical);
    BarFigury->setIconSize(QSize(32, 32));
    BarFigury->addActions({AGlowicaStozek, AGlowicaOgive, AGlowicaParabolic, AKorpus, AEngine,
                           AStozekSciety, AStatecznik, ABalast});
    addToolBar(Qt::LeftToolBarArea, BarFigury);

    BarWymiary = MakeToolBar(this, "BarWymiary", Tagged(1513));
    BarWymiary->addActions({AWymiar, AWymiarPoziomy, AWymiarPionowy});
    // The angle dimension's button is there but disabled for good: a button of its own
    // rather than the action's, which every change of the action (a translation) would
    // enable again. The command itself stays reachable.
    auto* angleButton = new QToolButton(BarWymiary);
    angleButton->setObjectName("bWymiarAngle");
    angleButton->setIcon(AWymiarAngle->icon());
    angleButton->setToolTip(AWymiarAngle->toolTip());
    angleButton->setEnabled(false);
    connect(AWymiarAngle, &QAction::changed, angleButton,
            [angleButton, this] { angleButton->setToolTip(AWymiarAngle->toolTip()); });
    BarWymiary->addWidget(angleButton);
    addToolBar(Qt::LeftToolBarArea, BarWymiary);

    BarMode = MakeToolBar(this, "BarMode", Tagged(1515));
    BarMode->addActions({ADefaultMode, ASelect});
    auto* zoomButton = new QToolButton(BarMode);
    zoomButton->setObjectName("bSkala");
    zoomButton->setIcon(MakeGlyph(Glyph::Zoom));
    zoomButton->setToolTip(Tagged(1701));
    zoomButton->setPopupMode(QToolButton::InstantPopup);
    auto* zoomMenu = new QMenu(zoomButton);
    zoomMenu->setObjectName("ZoomPopup");
    zoomMenu->addActions({ASkala05, ASkala1, ASkala2, ASkala3});
    // The same check marks as View > Zoom.
    connect(zoomMenu, &QMenu::aboutToShow, this, [this] { onZoomMenuShown(); });
    zoomButton->setMenu(zoomMenu);
    BarMode->addWidget(zoomButton);
    addToolBar(Qt::LeftToolBarArea, BarMode);
}

void TMainForm::createTransformPanel() {
    auto makeEdit = [this](const char* name) {
        auto* edit = new QLineEdit("0", BarTransform);
        edit->setObjectName(name);
        edit->setFixedWidth(60);
        connect(edit, &QLineEdit::textEdited, this, [this, edit] { validateTransformEdit(edit); });
        return edit;
    };
    auto makeSpin = [this](const char* name, QLineEdit* edit) {
        auto* spin = new QWidget(BarTransform);
        spin->setObjectName(name);
        auto* column = new QVBoxLayout(spin);
        column->setContentsMargins(0, 0, 0, 0);
        column->setSpacing(0);
        for (double delta : {1.0, -1.0}) {
            auto* arrow = new QToolButton(spin);
            arrow->setObjectName(QString::fromLatin1(name) + (delta > 0 ? "Up" : "Down"));
            arrow->setArrowType(delta > 0 ? Qt::UpArrow : Qt::DownArrow);
            arrow->setFixedSize(16, 10);
            connect(arrow, &QToolButton::clicked, this,
                    [this, edit, delta] { stepTransformEdit(edit, delta); });
            column->addWidget(arrow);
        }
        return spin;
    };
    auto makeLabel = [this](const char* name, int id) {
        auto* label = new QLabel(Tagged(id), BarTransform);
        label->setObjectName(name);
        return label;
    };
    edX = makeEdit("edX");
    edX->setToolTip(Tagged(1529));
    edY = makeEdit("edY");
    edY->setToolTip(Tagged(1530));
    edAngle = makeEdit("edAngle");
    edAngle->setToolTip(Tagged(1538));
    BarTransform->addWidget(makeLabel("LabelX", 1544));
    BarTransform->addWidget(edX);
    BarTransform->addWidget(makeSpin("spinX", edX));
    BarTransform->addWidget(makeLabel("LabelY", 1545));
    BarTransform->addWidget(edY);
    BarTransform->addWidget(makeSpin("spinY", edY));
    BarTransform->addWidget(makeLabel("LabelAngle", 1728))->setVisible(false);
    BarTransform->addWidget(edAngle)->setVisible(false);
    BarTransform->addWidget(makeSpin("spinAngle", edAngle))->setVisible(false);
    BarTransform->addWidget(makeLabel("LabelHex", 1537))->setVisible(false);
    BarTransform->addAction(ATransform);
    PenNameBox = CreatePenNameBox(BarTransform);
    BarTransform->addWidget(PenNameBox)->setVisible(false);
}

void TMainForm::createStatusBars() {
    StatusBar = statusBar();
    StatusBar->setObjectName("StatusBar");
    // The panels are not translated: their labels stay unnamed. The hints show to their
    // left; panel 0 carries "komunikat" until the pointer readout replaces it.
    statusPanel0 = new QLabel("komunikat", StatusBar);
    statusPanel0->setFixedWidth(400);
    statusPanel0->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    StatusBar->addPermanentWidget(statusPanel0);
    auto* last = new QLabel(StatusBar);
    last->setFixedWidth(50);
    StatusBar->addPermanentWidget(last);

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
    connect(FileNew1, &QAction::triggered, this, [this] { FileNew1Execute(); });
    connect(FileOpen1, &QAction::triggered, this, [this] { FileOpen1Execute(); });
    connect(FileSave1, &QAction::triggered, this, [this] { FileSave1Execute(); });
    connect(FileSaveAs1, &QAction::triggered, this, [this] { FileSaveAs1Execute(); });
    connect(AUndo, &QAction::triggered, this, [this] { undo(); });
    connect(ARedo, &QAction::triggered, this, [this] { redo(); });
    connect(FileClose1, &QAction::triggered, this, [this] {
        if (QMdiSubWindow* sub = mdiArea->activeSubWindow())
            closeDesignWindow(sub);
    });
    connect(FileCloseAll, &QAction::triggered, this, [this] { FileCloseAllExecute(); });
    connect(FileExit1, &QAction::triggered, this, &QWidget::close);

    connect(ASkala05, &QAction::triggered, this, [this] { setZoom(0.5); });
    connect(ASkala1, &QAction::triggered, this, [this] { setZoom(1.0); });
    connect(ASkala2, &QAction::triggered, this, [this] { setZoom(2.0); });
    connect(ASkala3, &QAction::triggered, this, [this] { setZoom(3.0); });

    connect(AShowLinijki, &QAction::triggered, this, [this] {
        const auto windows = designWindows();
        for (auto it = windows.rbegin(); it != windows.rend(); ++it)
            (*it)->setRulersVisible(AShowLinijki->isChecked());
    });
    for (QAction* redrawing : {Siatka1, Prowadnice1, AStabilityMarker})
        connect(redrawing, &QAction::triggered, this, [this] {
            if (TMDIChild* window = activeDesignWindow())
                window->Redraw();
        });
    connect(A3d, &QAction::triggered, this, [this] {
        if (TMDIChild* window = activeDesignWindow();
            window != nullptr && !window->design().tree.empty())
            ShowPreview3d(this, window->design(), *view3d_, interaction_);
    });
    connect(AFullScreen, &QAction::triggered, this, [this] {
        if (TMDIChild* window = activeDesignWindow())
            window->ShowFullScreen();
    });

    const std::pair<QAction*, std::function<QWidget*()>> toolbarItems[] = {
        {Podstawowy1,
         [this] {
             return BarPodstawowy;
         }},
        {Transform1,
         [this] {
             return BarTransform;
         }},
        {Figury1,
         [this] {
             return BarFigury;
         }},
        {Narzedzia1,
         [this] {
             return BarMode;
         }},
        {Wymiary1,
         [this] {
             return BarWymiary;
         }},
    };
    // Copied out of the pair: clang before 16 cannot capture structured bindings.
    for (const auto& entry : toolbarItems) {
        QAction* const item = entry.first;
        const auto bar = entry.second;
        connect(item, &QAction::triggered, this,
                [item, bar] { bar()->setVisible(item->isChecked()); });
    }

    connect(WindowCascade1, &QAction::triggered, mdiArea, &QMdiArea::cascadeSubWindows);
    connect(WindowTileHorizontal1, &QAction::triggered, this, [this] { tile(Qt::Horizontal); });
    connect(WindowTileVertical1, &QAction::triggered, this, [this] { tile(Qt::Vertical); });
    connect(WindowMinimizeAll1, &QAction::triggered, this, [this] {
        const auto subs = mdiArea->subWindowList();
        for (QMdiSubWindow* sub : subs)
            sub->showMinimized();
    });
    connect(WindowArrangeAll1, &QAction::triggered, this, [this] {
        // Lines the minimised windows up along the bottom edge of the work area.
        int x = 0;
        const auto subs = mdiArea->subWindowList();
        for (QMdiSubWindow* sub : subs)
            if (sub->isMinimized()) {
                sub->move(x, mdiArea->viewport()->height() - sub->height());
                x += sub->width();
            }
    });
    connect(AFormObject1, &QAction::triggered, this,
            [this] { WindowFormObject->setVisible(AFormObject1->isChecked()); });
    connect(HelpAbout1, &QAction::triggered, this, &TMainForm::aboutRequested);

    connect(ADefaultMode, &QAction::triggered, this, [this] {
        setPointerMode(PointerModeKind::Default);
        if (handCursor_) {
            QApplication::restoreOverrideCursor();
            handCursor_ = false;
        }
    });
    connect(ASelect, &QAction::triggered, this, [this] {
        setPointerMode(PointerModeKind::SelectAndMove);
        if (!handCursor_) {
            QApplication::setOverrideCursor(Qt::PointingHandCursor);
            handCursor_ = true;
        }
    });
    connect(AWymiar, &QAction::triggered, this,
            [this] { addDimension("TWymiar", PointerModeKind::LinearDimension); });
    connect(AWymiarPoziomy, &QAction::triggered, this,
            [this] { addDimension("TWymiarPoziomy", PointerModeKind::LinearDimension); });
    connect(AWymiarPionowy, &QAction::triggered, this,
            [this] { addDimension("TWymiarPionowy", PointerModeKind::LinearDimension); });
    connect(AWymiarAngle, &QAction::triggered, this,
            [this] { addDimension("TAngleWymiar", PointerModeKind::AngleDimension); });
    connect(ATransform, &QAction::triggered, this, [this] { ATransformExecute(); });

    connect(mdiArea, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* sub) {
        auto* window = sub != nullptr ? qobject_cast<TMDIChild*>(sub->widget()) : nullptr;
        if (window == nullptr) {
            // No design window is active (the last one is going): nothing to undo.
            AUndo->setEnabled(false);
            ARedo->setEnabled(false);
            AUndo->setText(undoCaption_);
            ARedo->setText(redoCaption_);
            return;
        }
        if (formObject_)
            formObject_->setDesignWindow(window);
        designWindowActivated(*window);
        updateUndoActions();
    });
}

void TMainForm::attachObjectWindow(TFormObject* formObject) {
    formObject_ = formObject;
    pObjectDock->layout()->addWidget(formObject);
    formObject->setDesignWindow(activeDesignWindow());
    connect(formObject, &TFormObject::elementTreeEmptied, this,
            [this](bool empty) { updateInsertionAvailability(empty); });
    PopupMenu1->clear();
    PopupMenu1->addActions({formObject->AParametry, formObject->AobjectClear});
    BarPodstawowy->addActions(
        {formObject->AobjectCopy, formObject->AObjectCut, formObject->AobjectPaste});
    Edit1->addActions({formObject->AobjectCopy, formObject->AObjectCut, formObject->AobjectPaste});
    formObject->show();
}

QList<QToolBar*> TMainForm::toolbars() const {
    return {BarPodstawowy, BarTransform, BarFigury, BarWymiary, BarMode};
}

void TMainForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (shownOnce_)
        return;
    shownOnce_ = true;
    // The object window's contents are shown; whether its tool window is stays as the
    // layout left it.
    if (formObject_)
        formObject_->show();
    for (QToolBar* bar : {BarMode, BarFigury, BarWymiary, BarPodstawowy})
        bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    BarTransform->hide();
    BarMode->show();
    const bool recoveryLeft = recovery_->exists();
    FileNew1->trigger();
    if (recoveryLeft)
        offerRecovery();
    setPointerMode(PointerModeKind::Default);
    A3d->setText("3D");
}

void TMainForm::closeEvent(QCloseEvent* event) {
    if (!settleAll()) {
        closingConfirmed_.clear();
        event->ignore();
        return;
    }
    closingConfirmed_.clear();
    recovery_->remove();
    if (SaveOnExit)
        emit saveOnExitRequested();
    QMainWindow::closeEvent(event);
}

TMDIChild* TMainForm::activeDesignWindow() const {
    QMdiSubWindow* sub = mdiArea->activeSubWindow();
    if (sub == nullptr) {
        // An inactive frame (the program in the background) still has a current window.
        const auto subs = mdiArea->subWindowList(QMdiArea::ActivationHistoryOrder);
        sub = subs.isEmpty() ? nullptr : subs.last();
    }
    return sub != nullptr ? qobject_cast<TMDIChild*>(sub->widget()) : nullptr;
}

QList<TMDIChild*> TMainForm::designWindows() const {
    QList<TMDIChild*> windows;
    const auto subs = mdiArea->subWindowList(QMdiArea::CreationOrder);
    for (QMdiSubWindow* sub : subs)
        if (auto* window = qobject_cast<TMDIChild*>(sub->widget()))
            windows.append(window);
    return windows;
}

TMDIChild* TMainForm::createDesignWindow(const QString& name) {
    auto* window = new TMDIChild(*this);
    QMdiSubWindow* sub = mdiArea->addSubWindow(window);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowTitle(name);
    sub->showMaximized();
    // The rulers of a new window follow the menu item, which the settings may have cleared.
    window->setRulersVisible(AShowLinijki->isChecked());
    mdiArea->setActiveSubWindow(sub);
    if (formObject_)
        formObject_->setDesignWindow(window);
    watchHistory(*window);
    updateCaption(*window);
    updateUndoActions();
    return window;
}

void TMainForm::watchHistory(TMDIChild& window) {
    EditHistory& history = window.history();
    history.setVerbSource([this](EditKind kind) {
        switch (kind) {
        case EditKind::Insert:
            return insertVerb_->text();
        case EditKind::Change:
            return changeVerb_->text();
        case EditKind::Delete:
            return deleteVerb_->text();
        case EditKind::Move:
            return moveVerb_->text();
        }
        return QString();
    });
    connect(&history, &EditHistory::changed, this, [this, &window] {
        updateUndoActions();
        if (!window.history().isModified())
            recovery_->remove();
        else if (++stepsSinceRecovery_ >= RecoveryStepInterval)
            writeRecovery(window);
    });
    connect(&history, &EditHistory::modifiedChanged, this,
            [this, &window] { updateCaption(window); });
    connect(&history, &EditHistory::restored, this, [this, &window](TRocketElement* focus) {
        if (formObject_ && formObject_->designWindow() == &window)
            formObject_->showChangedDesign(focus);
        window.Redraw();
    });
}

void TMainForm::updateCaption(TMDIChild& window) {
    auto* sub = qobject_cast<QMdiSubWindow*>(window.parentWidget());
    if (sub == nullptr)
        return;
    const QString path = window.history().filePath();
    const QString name = path.isEmpty() ? window.history().displayName() : path;
    sub->setWindowTitle(window.history().isModified() ? name + QLatin1Char('*') : name);
}

void TMainForm::updateUndoActions() {
    TMDIChild* window = activeDesignWindow();
    QUndoStack* stack = window != nullptr ? &window->history().stack() : nullptr;
    const bool canUndo = stack != nullptr && stack->canUndo();
    const bool canRedo = stack != nullptr && stack->canRedo();
    AUndo->setEnabled(canUndo);
    ARedo->setEnabled(canRedo);
    AUndo->setText(canUndo ? undoCaption_ + QStringLiteral(": ") + stack->undoText()
                           : undoCaption_);
    ARedo->setText(canRedo ? redoCaption_ + QStringLiteral(": ") + stack->redoText()
                           : redoCaption_);
}

void TMainForm::setRecoveryStore(std::unique_ptr<RecoveryStore> store) {
    recovery_ = std::move(store);
}

void TMainForm::writeRecovery(TMDIChild& window) {
    stepsSinceRecovery_ = 0;
    recovery_->write(window.design(), window.history().filePath());
}

void TMainForm::offerRecovery() {
    if (!interaction_.askYesNo(this, QString::fromUtf8(RecoverQuestion), QString())) {
        recovery_->remove();
        return;
    }
    TMDIChild* window = activeDesignWindow();
    if (window == nullptr)
        return;
    const RecoveryStore::Recovered recovered = recovery_->restore(window->design());
    if (!recovered.ok) {
        interaction_.showMessage(this, recovered.message, QString::fromUtf8(ReadErrorCaption),
                                 Interaction::Icon::Error);
    } else {
        if (!recovered.originalName.isEmpty())
            window->history().setFilePath(recovered.originalName);
        window->history().markModified();
    }
    updateCaption(*window);
    if (formObject_)
        formObject_->showLoadedDesign();
    window->Redraw();
}

void TMainForm::undo() {
    if (TMDIChild* window = activeDesignWindow())
        window->history().stack().undo();
}

void TMainForm::redo() {
    if (TMDIChild* window = activeDesignWindow())
        window->history().stack().redo();
}

void TMainForm::updateInsertionAvailability(bool noseStage) {
    for (QAction* nose : {AGlowicaStozek, AGlowicaOgive, AGlowicaParabolic})
        nose->setEnabled(noseStage);
    for (QAction* attaching : {AKorpus, AEngine, AStozekSciety, AStatecznik, ABalast})
        attaching->setEnabled(!noseStage);
    if (openDesignWindows_.isEmpty())
        for (QAction* any : {AGlowicaStozek, AGlowicaOgive, AGlowicaParabolic, AKorpus, AEngine,
                             AStozekSciety, AStatecznik, ABalast})
            any->setEnabled(false);
}

int TMainForm::currentPenWidth() const {
    return CurrentPenWidth(*PenNameBox);
}

void TMainForm::FileNew1Execute() {
    if (!FileCloseAllExecute())
        return;
    createDesignWindow("New");
    updateInsertionAvailability(true);
}

bool TMainForm::settleAll() {
    const auto windows = designWindows();
    for (TMDIChild* window : windows) {
        if (closingConfirmed_.contains(window))
            continue;
        if (!settleUnsavedWork(*window))
            return false;
        closingConfirmed_.insert(window);
    }
    return true;
}

bool TMainForm::settleUnsavedWork(TMDIChild& window) {
    if (!window.history().isModified())
        return true;
    switch (interaction_.askYesNoCancel(this, QString::fromUtf8(SaveChangesQuestion), QString())) {
    case Interaction::Answer::Yes:
        return saveDesign(window, false);
    case Interaction::Answer::No:
        return true;
    case Interaction::Answer::Cancel:
        break;
    }
    return false;
}

bool TMainForm::mayCloseDesignWindow(TMDIChild& window) {
    return closingConfirmed_.contains(&window) || settleUnsavedWork(window);
}

bool TMainForm::FileCloseAllExecute() {
    if (!settleAll()) {
        closingConfirmed_.clear();
        return false;
    }
    if (formObject_)
        formObject_->clearTrees();
    const auto subs = mdiArea->subWindowList(QMdiArea::CreationOrder);
    for (auto it = subs.rbegin(); it != subs.rend(); ++it)
        closeDesignWindow(*it);
    closingConfirmed_.clear();
    return mdiArea->subWindowList().isEmpty();
}

void TMainForm::closeDesignWindow(QMdiSubWindow* sub) {
    // Closed and gone at once, so that the next command sees the windows that remain.
    sub->setAttribute(Qt::WA_DeleteOnClose, false);
    if (sub->close())
        delete sub;
    else
        sub->setAttribute(Qt::WA_DeleteOnClose, true);
}

void TMainForm::setZoom(double scale) {
    if (TMDIChild* window = activeDesignWindow())
        window->setScale(scale);
}

void TMainForm::onZoomMenuShown() {
    const TMDIChild* window = activeDesignWindow();
    if (window == nullptr)
        return;
    ASkala05->setChecked(window->scale() == 0.5);
    ASkala1->setChecked(window->scale() == 1.0);
    ASkala2->setChecked(window->scale() == 2.0);
    ASkala3->setChecked(false);
}

void TMainForm::onToolbarMenuShown() {
    Podstawowy1->setChecked(BarPodstawowy->isVisible());
    Transform1->setChecked(BarTransform->isVisible());
    Figury1->setChecked(BarFigury->isVisible());
    Narzedzia1->setChecked(BarMode->isVisible());
    Wymiary1->setChecked(BarWymiary->isVisible());
}

void TMainForm::onWindowMenuShown() {
    AFormObject1->setChecked(WindowFormObject->isVisible());
    for (QAction* old : windowListActions_) {
        Window1->removeAction(old);
        old->deleteLater();
    }
    windowListActions_.clear();
    const auto subs = mdiArea->subWindowList(QMdiArea::CreationOrder);
    if (subs.isEmpty())
        return;
    windowListActions_.append(Window1->addSeparator());
    int number = 1;
    for (QMdiSubWindow* sub : subs) {
        QAction* item =
            Window1->addAction(QStringLiteral("&%1 %2").arg(number++).arg(sub->windowTitle()));
        item->setCheckable(true);
        item->setChecked(sub == mdiArea->activeSubWindow());
        connect(item, &QAction::triggered, this, [this, sub] { mdiArea->setActiveSubWindow(sub); });
        windowListActions_.append(item);
    }
}

void TMainForm::tile(Qt::Orientation orientation) {
    const auto subs = mdiArea->subWindowList();
    if (subs.isEmpty())
        return;
    const QRect area = mdiArea->viewport()->rect();
    const int n = int(subs.size());
    for (int i = 0; i < n; ++i) {
        subs[i]->showNormal();
        if (orientation == Qt::Horizontal)
            subs[i]->setGeometry(0, area.height() * i / n, area.width(), area.height() / n);
        else
            subs[i]->setGeometry(area.width() * i / n, 0, area.width() / n, area.height());
    }
}

void TMainForm::validateTransformEdit(QLineEdit* edit) {
    const QString text = edit->text();
    if (text.isEmpty() || text == "-")
        return;
    bool ok = false;
    QLocale::system().toDouble(text, &ok);
    if (!ok)
        text.toDouble(&ok);
    if (!ok) {
        edit->setText("0");
        interaction_.showMessage(this, "Wpisz poprawną wartość", "uwaga !",
                                 Interaction::Icon::Warning);
    }
}

void TMainForm::stepTransformEdit(QLineEdit* edit, double delta) {
    bool ok = false;
    const double value = edit->text().toDouble(&ok);
    if (!ok) {
        interaction_.showMessage(
            this, QStringLiteral("'%1' is not a valid floating point value").arg(edit->text()),
            QString(), Interaction::Icon::Error);
        return;
    }
    edit->setText(QString::number(value + delta, 'g', 15));
}

void TMainForm::ATransformExecute() {
    bool okX = false, okY = false;
    double x = edX->text().toInt(&okX);
    double y = edY->text().toInt(&okY);
    if (!okX || !okY) {
        const QString bad = okX ? edY->text() : edX->text();
        interaction_.showMessage(this, QStringLiteral("'%1' is not a valid integer value").arg(bad),
                                 QString(), Interaction::Icon::Error);
        return;
    }
    TMDIChild* window = activeDesignWindow();
    if (window == nullptr)
        return;
    window->FromDisplayUnits(x);
    window->FromDisplayUnits(y);
    if (!window->design().tree.empty())
        window->Redraw();
}

void TMainForm::addDimension(const char* className, PointerModeKind mode) {
    TMDIChild* window = activeDesignWindow();
    if (window == nullptr)
        return;
    setPointerMode(mode);
    std::unique_ptr<TShaped> dimension = CreateShape(className);
    dimension->Pen = TPen{currentPenWidth(), CurrentColor};
    dimension->Points = {TPoints{}};
    dimension->Selected = true;
    window->design().insertDimension(std::move(dimension));
    if (formObject_)
        formObject_->addDimensionNode();
}

void TMainForm::setPointerMode(PointerModeKind mode) {
    PointerMode = mode;
}

bool TMainForm::gridShown() const {
    return Siatka1->isChecked();
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

void TMainForm::showPointerReadout(const QString& text) {
    statusPanel0->setText(text);
}

bool TMainForm::isActiveDesignWindow(const TMDIChild& window) const {
    return activeDesignWindow() == &window;
}

void TMainForm::designWindowCreated(TMDIChild& window) {
    openDesignWindows_.insert(&window);
    outputCommands_->setAvailable(true);
    for (QAction* zoom : {ASkala1, ASkala2, ASkala05})
        zoom->setEnabled(true);
}

void TMainForm::designWindowActivated(TMDIChild&) {
    MarkerStatusBar->hide();
    BarMode->show();
    BarWymiary->show();
    ASkala2->setEnabled(true);
    ASkala05->setEnabled(true);
}

void TMainForm::designWindowClosing(TMDIChild& window) {
    // Closed on purpose: whatever was not saved was given up.
    recovery_->remove();
    if (formObject_) {
        formObject_->clearElementTree();
        if (formObject_->designWindow() == &window)
            formObject_->setDesignWindow(nullptr);
    }
    openDesignWindows_.remove(&window);
    updateInsertionAvailability(false);
    if (openDesignWindows_.isEmpty() && formObject_)
        formObject_->clearSummary();
}

void TMainForm::designWindowDestroyed(TMDIChild& window) {
    openDesignWindows_.remove(&window);
    if (formObject_ && formObject_->designWindow() == &window)
        formObject_->setDesignWindow(nullptr);
    if (openDesignWindows_.isEmpty()) {
        for (QAction* zoom : {ASkala1, ASkala2, ASkala05})
            zoom->setEnabled(false);
        if (formObject_)
            formObject_->clearSummary();
    }
    outputCommands_->setAvailable(!openDesignWindows_.isEmpty());
}

ElementTree::Node* TMainForm::selectedElementNode() const {
    return formObject_ ? formObject_->selectedNode() : nullptr;
}

void TMainForm::selectElementNode(ElementTree::Node* node) {
    if (formObject_)
        formObject_->selectNode(node);
}

void TMainForm::refreshDimensionCaptions() {
    if (formObject_)
        formObject_->refreshDimensionCaptions();
}

void TMainForm::showSummary(const Summary& summary) {
    if (formObject_)
        formObject_->showSummary(summary);
}

void TMainForm::showStability(const StabilityAnalysis& analysis) {
    if (formObject_)
        formObject_->showStability(analysis);
}

bool TMainForm::stabilityMarkerShown() const {
    return AStabilityMarker->isChecked();
}

void TMainForm::editSelectedElement() {
    if (formObject_)
        formObject_->AParametry->trigger();
}

QMenu* TMainForm::designContextMenu() {
    return PopupMenu1;
}

void ShowMaximized(QWidget& window) {
    if (const QScreen* screen = window.screen())
        window.setGeometry(screen->availableGeometry());
    window.showMaximized();
}

void TMainForm::FileOpen1Execute() {
    // Unsaved work is asked about before the file is chosen.
    if (!settleAll()) {
        closingConfirmed_.clear();
        return;
    }
    const QString name =
        interaction_.chooseFileToOpen(this, programDirectory_ + QLatin1Char('/'), DesignFilter);
    if (name.isEmpty()) {
        closingConfirmed_.clear();
        return;
    }
    openDesign(name);
}

bool TMainForm::openDesign(const QString& name) {
    FileNew1Execute();
    TMDIChild* window = activeDesignWindow();
    if (window == nullptr)
        return false;
    const LoadResult result =
        LoadDesign(std::filesystem::path(name.toStdString()), window->design());
    if (!result.ok)
        interaction_.showMessage(this, QString::fromStdString(result.message),
                                 QString::fromUtf8(ReadErrorCaption), Interaction::Icon::Error);
    // A file that could not be read gives an empty design that is not that file's.
    if (result.ok)
        window->history().setFilePath(name);
    else
        window->history().setDisplayName(name);
    updateCaption(*window);
    if (formObject_)
        formObject_->showLoadedDesign();
    window->Redraw();
    return result.ok;
}

void TMainForm::openFileArgument(const QString& argument) {
    if (!openDesign(QFileInfo(argument).absoluteFilePath()))
        FileNew1Execute();
}

void TMainForm::FileSave1Execute() {
    TMDIChild* window = activeDesignWindow();
    if (window == nullptr) {
        // Without a design the dialog is still offered, and nothing is written.
        interaction_.chooseFileToSave(this, lastSaveName_, DesignFilter);
        return;
    }
    saveDesign(*window, false);
}

void TMainForm::FileSaveAs1Execute() {
    if (TMDIChild* window = activeDesignWindow())
        saveDesign(*window, true);
}

bool TMainForm::saveDesign(TMDIChild& window, bool askForName) {
    QString name = window.history().filePath();
    if (askForName || name.isEmpty()) {
        name = interaction_.chooseFileToSave(this, name.isEmpty() ? lastSaveName_ : name,
                                             DesignFilter);
        if (name.isEmpty())
            return false;
        if (QFileInfo(name).suffix().isEmpty())
            name += QStringLiteral(".kfx");
        lastSaveName_ = name;
    }
    const SaveResult result =
        SaveDesign(window.design(), std::filesystem::path(name.toStdString()));
    // The file name, and on a second line why the save failed.
    if (!result.ok) {
        interaction_.showMessage(this,
                                 QString::fromStdString(result.message) + QLatin1Char('\n') +
                                     QString::fromStdString(result.reason),
                                 QString::fromUtf8(WriteErrorCaption), Interaction::Icon::Error);
        return false;
    }
    window.history().setFilePath(name);
    window.history().markSaved();
    recovery_->remove();
    updateCaption(window);
    emit designSaved(window);
    return true;
}

} // namespace vantor
