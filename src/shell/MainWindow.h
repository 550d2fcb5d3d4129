#pragma once

#include "canvas/DesignWindowHost.h"
#include "i18n/AdvForm.h"
#include "shell/LayoutFiles.h"

#include <QMainWindow>
#include <QPointer>
#include <QSet>
#include <cstdint>
#include <memory>

class QAction;
class QComboBox;
class QDockWidget;
class QLabel;
class QLineEdit;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QStatusBar;
class QToolBar;

namespace vantor {

class OutputCommands;
class RecoveryStore;
class TFormObject;
class TShaped;
class ToolbarLayout;
struct Preview3dViewState;

// The main window: the frame holding the design windows, the menus, toolbars and status
// bars, the dock of the object window, and the program's commands. It keeps the pointer
// mode the design window obeys and the pen of new shapes.
class TMainForm : public TAdvForm<QMainWindow>, public DesignWindowHost {
    Q_OBJECT

public:
    TMainForm(LanguageSession& language, Interaction& interaction, QString programDirectory,
              QWidget* parent = nullptr);
    ~TMainForm() override;

    // Translates the captions, restores the toolbar layout of "toolbars.ini" and sets the
    // pointer mode; false when the language library failed and the program has to end.
    bool FormCreate();

    // Docks the object window into the object dock.
    void attachObjectWindow(TFormObject* formObject);
    const QString& programDirectory() const { return programDirectory_; }
    // Saves and restores where the toolbars and the object window are.
    ToolbarLayout* toolbarLayout() const { return toolbarLayout_; }
    // Where "toolbars.ini" and "userbars.ini" are read and written.
    const LayoutFiles& layoutFiles() const { return layoutFiles_; }

    TMDIChild* activeDesignWindow() const;
    QList<TMDIChild*> designWindows() const;
    TMDIChild* createDesignWindow(const QString& name);
    // Nose stage: only the nose commands are enabled; otherwise only the attaching ones.
    // With no design window open, none of the eight.
    void updateInsertionAvailability(bool noseStage);
    // The pen width of new shapes, from the line-style list.
    int currentPenWidth() const;

    void FileNew1Execute();
    void FileOpen1Execute();
    // Opens a design file as Open does once the file is chosen; false when it could not
    // be read (the message has been shown).
    bool openDesign(const QString& name);
    // Opens the file named on the command line; one that cannot be read leaves an empty
    // design.
    void openFileArgument(const QString& argument);
    // Saves the active design to its own file, asking for a name only when it has none.
    void FileSave1Execute();
    // Saves the active design under a name asked for.
    void FileSaveAs1Execute();
    // Closes every design window, asking first about modified designs; false when the
    // user kept one open.
    bool FileCloseAllExecute();
    // Saves the design of the window; false when no file was chosen or the write failed.
    bool saveDesign(TMDIChild& window, bool askForName);
    // Asks about a modified design whether to save it; true when the window may close.
    bool settleUnsavedWork(TMDIChild& window);
    // Where a modified design is copied to, in case the run ends without closing it.
    RecoveryStore& recovery() const { return *recovery_; }
    void setRecoveryStore(std::unique_ptr<RecoveryStore> store);
    // Writes the recovery copy of the window's design.
    void writeRecovery(TMDIChild& window);
    // At start: offers the copy a run that ended without closing left behind.
    void offerRecovery();
    // Undoes or redoes one step of the active design.
    void undo();
    void redo();
    void setZoom(double scale);
    void addDimension(const char* className, PointerModeKind mode);
    void ATransformExecute();

    // DesignWindowHost
    Interaction& interaction() override { return interaction_; }
    PointerModeKind pointerMode() const override { return PointerMode; }
    void setPointerMode(PointerModeKind mode) override;
    bool gridShown() const override;
    GridOptions gridOptions() const override;
    int displayUnitIndex() const override;
    void showPointerReadout(const QString& text) override;
    bool isActiveDesignWindow(const TMDIChild& window) const override;
    void designWindowCreated(TMDIChild& window) override;
    void designWindowActivated(TMDIChild& window) override;
    bool mayCloseDesignWindow(TMDIChild& window) override;
    void designWindowClosing(TMDIChild& window) override;
    void designWindowDestroyed(TMDIChild& window) override;
    ElementTree::Node* selectedElementNode() const override;
    void selectElementNode(ElementTree::Node* node) override;
    void refreshDimensionCaptions() override;
    void showSummary(const Summary& summary) override;
    void showStability(const StabilityAnalysis& analysis) override;
    bool stabilityMarkerShown() const override;
    void editSelectedElement() override;
    QMenu* designContextMenu() override;

    // Where the grid spacing and colour and the readout unit come from; until the
    // options are attached, their defaults.
    void setGridOptionsSource(std::function<GridOptions()> source);
    void setDisplayUnitSource(std::function<int()> source);

    PointerModeKind PointerMode = PointerModeKind::Default;
    std::uint32_t CurrentColor = 0; // 0x00BBGGRR
    bool SaveOnExit = true;

    QMdiArea* mdiArea = nullptr;
    QStatusBar* StatusBar = nullptr;
    QStatusBar* MarkerStatusBar = nullptr;
    // Panel 0 of StatusBar: "komunikat" at start, then the pointer readout.
    QLabel* statusPanel0 = nullptr;
    QToolBar* BarPodstawowy = nullptr;
    QToolBar* BarTransform = nullptr;
    QToolBar* BarFigury = nullptr;
    QToolBar* BarWymiary = nullptr;
    QToolBar* BarMode = nullptr;
    QDockWidget* WindowFormObject = nullptr;
    QWidget* pObjectDock = nullptr;
    QComboBox* PenNameBox = nullptr;
    QLineEdit* edX = nullptr;
    QLineEdit* edY = nullptr;
    QLineEdit* edAngle = nullptr;

    QMenu* File1 = nullptr;
    QMenu* Edit1 = nullptr;
    QMenu* View1 = nullptr;
    QMenu* Zoom1 = nullptr;
    QMenu* Paskinarzdzi1 = nullptr;
    QMenu* Window1 = nullptr;
    QMenu* Opcje1 = nullptr;
    QMenu* Wersjajzykowa1 = nullptr;
    QMenu* Help1 = nullptr;

    QAction *FileNew1, *FileOpen1, *FileClose1, *FileCloseAll, *FileSave1, *FileSaveAs1, *FilePrint,
        *FileExit1;
    QAction *ASkala05, *ASkala1, *ASkala2, *ASkala3, *N251, *N5001;
    QAction *AShowLinijki, *Siatka1, *Przecigajdosiatki35181, *Prowadnice1;
    // Shows the standard analysis's centre of pressure on the axis.
    QAction* AStabilityMarker;
    QAction *Podstawowy1, *Transform1, *Figury1, *Narzedzia1, *Wymiary1, *Kolory1, *Rotacja1;
    QAction *ADefaultWndPos, *AMaxWorkArea, *AFullScreen, *A3d;
    QAction *WindowCascade1, *WindowTileHorizontal1, *WindowTileVertical1, *WindowMinimizeAll1,
        *WindowArrangeAll1, *AFormObject1;
    QAction *Ustawieniaprogramu1, *Polska1, *Angielska1, *Pomocdoprogramu1, *HelpAbout1;
    QAction *ADefaultMode, *ASelect, *AWymiar, *AWymiarPoziomy, *AWymiarPionowy, *AWymiarAngle;
    QAction *ATransform, *ARotateByCenter, *AUndo, *ARedo, *ARepeat;
    QAction *AGlowicaStozek, *AGlowicaOgive, *AGlowicaParabolic, *AKorpus, *AEngine, *AStozekSciety,
        *AStatecznik, *ABalast;

    // No menu of Qt's own over the toolbars and docks: the Toolbars submenu shows and
    // hides them.
    QMenu* createPopupMenu() override { return nullptr; }

signals:
    // The window is closing and the layout and settings are to be saved.
    void saveOnExitRequested();
    // The about box is wanted (the program shows it modally).
    void aboutRequested();
    // The window's design was written to its file.
    void designSaved(TMDIChild& window);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QAction* makeAction(const char* name, const QString& caption, const QString& hint = {});
    void createActions();
    void createMenus();
    void createToolbars();
    void createTransformPanel();
    void createStatusBars();
    void connectCommands();
    void onZoomMenuShown();
    void onToolbarMenuShown();
    void onWindowMenuShown();
    void tile(Qt::Orientation orientation);
    void closeDesignWindow(QMdiSubWindow* sub);
    void validateTransformEdit(QLineEdit* edit);
    void stepTransformEdit(QLineEdit* edit, double delta);
    QList<QToolBar*> toolbars() const;
    // Follows the window's history: captions, the Edit menu, the object window.
    void watchHistory(TMDIChild& window);
    void updateUndoActions();
    void updateCaption(TMDIChild& window);
    // Asks about every modified design not asked about yet; false on Cancel.
    bool settleAll();

    Interaction& interaction_;
    QString programDirectory_;
    LayoutFiles layoutFiles_;
    QPointer<TFormObject> formObject_;
    QMenu* PopupMenu1 = nullptr;
    QList<QAction*> windowListActions_;
    QString lastSaveName_;
    // Windows whose user already agreed to close them.
    QSet<const TMDIChild*> closingConfirmed_;
    // The Edit menu's captions as translated, and the verbs that name the steps.
    QString undoCaption_;
    QString redoCaption_;
    QAction *insertVerb_, *changeVerb_, *deleteVerb_, *moveVerb_;
    std::unique_ptr<RecoveryStore> recovery_;
    int stepsSinceRecovery_ = 0;
    // Design windows created and neither closed nor destroyed yet.
    QSet<const TMDIChild*> openDesignWindows_;
    bool shownOnce_ = false;
    bool handCursor_ = false;
    // The 3D view's tilt and spin, kept from one opening of the window to the next.
    std::unique_ptr<Preview3dViewState> view3d_;
    ToolbarLayout* toolbarLayout_ = nullptr;
    // Print, print preview, PDF and SVG export.
    OutputCommands* outputCommands_ = nullptr;
    std::function<GridOptions()> gridOptionsSource_;
    std::function<int()> displayUnitSource_;
};

// Shows the window maximised, filling the screen's work area even where no window
// manager acts on the request.
void ShowMaximized(QWidget& window);

} // namespace vantor
