#pragma once

#include "canvas/DesignWindowHost.h"
#include "i18n/AdvForm.h"
#include "shell/FileHistory.h"
#include "shell/LayoutFiles.h"

#include <QMainWindow>
#include <cstdint>
#include <functional>
#include <memory>

class QLabel;
class QStatusBar;
class QUndoGroup;

namespace vantor {

class DesignDocument;
class DesignWindows;
class FileCommands;
class InsertionCommands;
class ObjectWindowRelay;
class OutputCommands;
class RecoveryCommands;
class TFormObject;
class TFormOpcje;
class ToolbarLayout;
class UndoCommands;
class MainToolbars;
struct MainActions;
struct MainMenus;
struct SettingsMenuItems;

// The main window: the frame holding the design windows, the menus, toolbars and status
// bars, and the dock of the object window. It owns the classes that carry out its
// commands, keeps the pointer mode the design windows obey and the pen of new shapes,
// and is the design windows' host. Its actions and widgets are found by object name.
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
    // The View and Options menu items the options dialog keeps in its settings.
    SettingsMenuItems settingsMenuItems() const;
    // Connects the options dialog's menu commands: program settings, default positions,
    // the maximised work area and the snap-to-grid item.
    void attachOptions(TFormOpcje& options);
    // Connects the eight insertion buttons to their commands.
    void connectInsertionCommands(InsertionCommands& commands);

    const QString& programDirectory() const { return programDirectory_; }
    // The language session other forms the main window opens are translated with.
    using TAdvForm::languageSession;
    // Saves and restores where the toolbars and the object window are.
    ToolbarLayout* toolbarLayout() const { return toolbarLayout_; }
    // Where "toolbars.ini" and "userbars.ini" are read and written.
    const LayoutFiles& layoutFiles() const { return layoutFiles_; }

    TMDIChild* activeDesignWindow() const;
    // The document of the active design window; null when none is open.
    DesignDocument* activeDocument() const;
    QList<TMDIChild*> designWindows() const;
    TMDIChild* createDesignWindow(const QString& name);
    // Nose stage: only the nose commands are enabled; otherwise only the attaching ones.
    // With no design window open, none of the eight.
    void updateInsertionAvailability(bool noseStage);
    // The pen of new shapes: the width from the line-style list, the colour 0x00BBGGRR.
    int currentPenWidth() const;
    std::uint32_t currentColor() const { return CurrentColor; }
    // Whether the layout and settings are saved when the window closes; restoring the
    // defaults turns it off for the rest of the run.
    bool saveOnExit() const { return SaveOnExit; }
    void setSaveOnExit(bool save) { SaveOnExit = save; }

    // Opens the file named on the command line; one that cannot be read leaves an empty
    // design.
    void openFileArgument(const QString& argument);
    // Where modified designs are copied to, in case the run ends without closing them.
    RecoveryCommands& recovery() const;
    // At start: offers the copies that runs which ended without closing left behind.
    void offerRecovery();

    // DesignWindowHost
    Interaction& interaction() override { return interaction_; }
    PointerModeKind pointerMode() const override { return PointerMode; }
    void setPointerMode(PointerModeKind mode) override;
    bool gridShown() const override;
    GridOptions gridOptions() const override;
    int displayUnitIndex() const override;
    UnitChoice unitChoice() const override;
    void showPointerReadout(const QString& text) override;
    void showStatusMessage(const QString& text) override;
    bool isActiveDesignWindow(const TMDIChild& window) const override;
    void designWindowCreated(TMDIChild& window) override;
    void designWindowActivated(TMDIChild& window) override;
    bool mayCloseDesignWindow(TMDIChild& window) override;
    void designWindowClosing(TMDIChild& window) override;
    void designWindowDestroyed(TMDIChild& window) override;
    ElementTree::Node* selectedElementNode() const override;
    void selectElementNode(ElementTree::Node* node) override;
    void showSummary(const Summary& summary) override;
    void showStability(const StabilityAnalysis& analysis) override;
    bool stabilityMarkerShown() const override;
    void editSelectedElement() override;
    QMenu* designContextMenu() override;

    // Where the grid spacing and colour and the readout unit come from; until the
    // options are attached, their defaults.
    void setGridOptionsSource(std::function<GridOptions()> source);
    void setDisplayUnitSource(std::function<int()> source);
    // Where the units of lengths and weights come from (rulers, print and PDF); until
    // the options are attached, millimetres and grams.
    void setUnitSource(std::function<UnitChoice()> source);

    // No menu of Qt's own over the toolbars and docks: the Toolbars submenu shows and
    // hides them.
    QMenu* createPopupMenu() override { return nullptr; }

signals:
    // The window is closing and the layout and settings are to be saved.
    void saveOnExitRequested();
    // The about box is wanted (the program shows it modally).
    void aboutRequested();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void createStatusBars();
    // Exit, the 3D export and the about box; the active window followed.
    void connectCommands();
    void activeWindowChanged(TMDIChild* window);

    Interaction& interaction_;
    QString programDirectory_;
    LayoutFiles layoutFiles_;
    PointerModeKind PointerMode = PointerModeKind::Default;
    std::uint32_t CurrentColor = 0; // 0x00BBGGRR
    bool SaveOnExit = true;
    bool shownOnce_ = false;

    std::unique_ptr<MainActions> actions_;
    std::unique_ptr<MainMenus> menus_;
    QStatusBar* MarkerStatusBar = nullptr;
    // Panel 0 of the status bar: "komunikat" at start, then the pointer readout.
    QLabel* statusPanel0 = nullptr;
    MainToolbars* toolbars_ = nullptr;
    DesignWindows* windows_ = nullptr;
    std::unique_ptr<ObjectWindowRelay> objects_;
    // Takes the steps of the active design window's history.
    QUndoGroup* undoGroup_ = nullptr;
    UndoCommands* undo_ = nullptr;
    RecoveryCommands* recovery_ = nullptr;
    // The folders and recent designs of the file dialogs, shared by the file commands.
    FileHistory fileHistory_;
    FileCommands* files_ = nullptr;
    // Print, print preview, PDF and SVG export.
    OutputCommands* outputCommands_ = nullptr;
    ToolbarLayout* toolbarLayout_ = nullptr;
    std::function<GridOptions()> gridOptionsSource_;
    std::function<int()> displayUnitSource_;
    std::function<UnitChoice()> unitSource_;
};

// Shows the window maximised, filling the screen's work area even where no window
// manager acts on the request.
void ShowMaximized(QWidget& window);

} // namespace vantor
