#pragma once

#include <QList>
#include <QObject>
#include <QString>

class QAction;
class QMenu;
class QWidget;

namespace vantor {

class Interaction;
class TFormOpcje;
class TMainForm;

// The main window's items these commands answer, and what a maximised work area hides.
struct SettingsActions {
    QAction* Ustawieniaprogramu1 = nullptr;
    QAction* ADefaultWndPos = nullptr;
    QAction* AMaxWorkArea = nullptr;
    QAction* Przecigajdosiatki35181 = nullptr;
    QMenu* View1 = nullptr;
    // The toolbars and the object window, in the order they are hidden.
    QList<QWidget*> hiddenForWorkArea;
};

// The main window's commands around the stored settings and the toolbar layout files:
// the options dialog's menu item, saving on exit, restoring the defaults, maximising the
// work area and the snap-to-grid item. The main window owns it.
class SettingsCommands : public QObject {
public:
    static constexpr const char* RestoreQuestion = "Przywrocić ustawienia domyślne?";
    static constexpr const char* RestoreCaption = "uwaga";
    static constexpr const char* RestoreFailed = "Błąd przywracania ustawień domyślnych";

    SettingsCommands(TMainForm& main, SettingsActions actions, TFormOpcje& options,
                     Interaction& interaction);

    // The main window is closing with SaveOnExit set: "toolbars.ini" and the settings.
    // The layout goes to the user's folder when the program folder cannot be written.
    void saveOnExit();
    // Asks, then stops saving for this run, deletes the stored settings and the layout
    // file and says whether that worked.
    void ADefaultWndPosExecute();
    // Checked: keeps the layout in "userbars.ini" and hides the toolbars and the object
    // window. Unchecked: brings that layout back.
    void AMaxWorkAreaExecute();

private:
    TMainForm& main_;
    SettingsActions actions_;
    TFormOpcje& options_;
    Interaction& interaction_;
};

} // namespace vantor
