#pragma once

#include "canvas/DesignWindowHost.h"
#include "i18n/AdvForm.h"
#include "model/Quantities.h"
#include "settings/SettingsKeys.h"

#include <QDialog>
#include <functional>

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QSpinBox;
class QStackedWidget;
class QTreeWidget;

namespace vantor {

class ColourBox;
class Interaction;

// The main menu's check items whose marks are settings too.
struct SettingsMenuItems {
    QAction* Linijki = nullptr;         // AShowLinijki, value "Linijki"
    QAction* Siatka1 = nullptr;         // value "Siatka1"
    QAction* Prowadnice1 = nullptr;     // value "Prowadnice1"
    QAction* Polska1 = nullptr;         // value "Pol"
    QAction* Angielska1 = nullptr;      // value "Eng"
    QAction* StabilityMarker = nullptr; // AStabilityMarker, value "StabilityMarker"
};

// The program options dialog, created once and shown without blocking the program. Its
// controls are the settings in effect: the design windows read the grid spacing and
// colour and the readout unit from them whenever they draw. The settings store
// (QSettings("Qendel", "CAD"), native format: the registry on Windows) keeps the last
// saved copy of these controls and of five menu check marks.
class TFormOpcje : public TAdvForm<QDialog> {
    Q_OBJECT

public:
    static constexpr const char* Organization = SettingsOrganization.data();
    static constexpr const char* Application = SettingsApplication.data();

    TFormOpcje(LanguageSession& language, Interaction& interaction, SettingsMenuItems menuItems,
               QWidget* parent = nullptr);

    // Translates the captions, then loads the settings; false when the language library
    // failed and the program has to end.
    bool FormCreate();

    // Store -> controls and menu check marks. A value that is missing, of another kind
    // or out of the 32-bit range leaves its control as it is; a unit index outside the
    // list selects pixels; grid spacings are clamped into 5..500.
    void LoadSettings();
    // Controls and menu check marks -> store, as 32-bit integers: the twelve values, and
    // the stability marker's check mark when that item is given.
    // A store that cannot be written is passed over in silence.
    void SaveSettings();
    // Deletes every stored value.
    void ResetSettings();

    // The settings the design windows read.
    GridOptions gridOptions();
    int displayUnitIndex() const;

    // Whether OK may save (the main window's SaveOnExit); without it, OK saves.
    void setSaveAllowed(std::function<bool()> saveAllowed) {
        saveAllowed_ = std::move(saveAllowed);
    }
    // Redraws every design window; called by OK.
    void setRedrawDesigns(std::function<void()> redraw) { redrawDesigns_ = std::move(redraw); }

    // OK: saves when allowed, redraws every design window, closes.
    void bOKClick();
    // Zamknij: closes; the edits stay in effect.
    void bZamknijClick();

    QTreeWidget* TreeView1 = nullptr;
    QStackedWidget* PageControl1 = nullptr;
    QWidget* TabOgolne = nullptr;
    QWidget* TabSiatka = nullptr;
    QWidget* TabMarker = nullptr;
    QWidget* TabSheet4 = nullptr;

    QLabel* lJednostki = nullptr;
    QComboBox* cbJednostki = nullptr;
    QGroupBox* GroupKolory = nullptr;
    ColourBox* cbKolorTla = nullptr;
    ColourBox* cbKolorLini = nullptr;
    ColourBox* cbKolorWypelnienia = nullptr;
    QGroupBox* GroupKroki = nullptr;
    QSpinBox* seKrokObrotu = nullptr;
    QSpinBox* seKrokPowiekszenia = nullptr;

    QSpinBox* sXGrid = nullptr;
    QSpinBox* sYGrid = nullptr;
    ColourBox* cbKolorGrid = nullptr;
    QCheckBox* cbVisibleGrid = nullptr;
    QCheckBox* cbSnapGrid = nullptr;
    QCheckBox* cbShowMarker = nullptr;

    // Further folders of motor files the motor library reads, kept apart from the
    // twelve values in their own store (QSettings("Qendel", "Motors"), key "Folders").
    QGroupBox* GroupSilniki = nullptr;
    QListWidget* lbFolderySilnikow = nullptr;
    QPushButton* bDodajFolder = nullptr;
    QPushButton* bUsunFolder = nullptr;
    QStringList motorFolders() const;
    void setMotorFolders(const QStringList& folders);
    // Asks for a folder through the interaction and adds it to the list.
    void bDodajFolderClick();
    void bUsunFolderClick();

    // The units lengths and weights are shown and typed in (mm or in, g or oz), kept
    // apart from the twelve values in their own store (QSettings("Qendel", "Units"), keys
    // "Length" and "Weight"): read when the dialog is created, written by OK.
    QGroupBox* GroupJednostki = nullptr;
    QComboBox* cbJednostkiDlugosci = nullptr;
    QComboBox* cbJednostkiWagi = nullptr;
    UnitChoice unitChoice() const;
    void setUnitChoice(UnitChoice units);

    QPushButton* bOK = nullptr;
    QPushButton* bZamknij = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildGeneralPage();
    void buildGridPage();
    void buildOtherPages();
    void buildBottomPanel();
    void buildMotorFolders();
    void saveMotorFolders() const;
    void buildUnits();
    void saveUnits() const;
    // Loads the dialog's controls, and the menu check marks when `menuItems` is set.
    void load(bool menuItems);

    Interaction& interaction_;
    SettingsMenuItems menuItems_;
    std::function<bool()> saveAllowed_;
    std::function<void()> redrawDesigns_;
};

} // namespace vantor
