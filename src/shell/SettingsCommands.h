#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <functional>

class QAction;
class QMenu;
class QWidget;

namespace vantor {

class Interaction;
class LayoutFiles;
class TFormOpcje;
class ToolbarLayout;

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
// work area and the snap-to-grid item. `window` (the main window) owns it and is the
// parent of its messages.
class SettingsCommands : public QObject {
public:
    static constexpr const char* RestoreQuestion = "Przywrocić ustawienia domyślne?";
    static constexpr const char* RestoreCaption = "uwaga";
    static constexpr const char* RestoreFailed = "Błąd przywracania ustawień domyślnych";

    // `stopSavingOnExit` keeps the layout and settings from being saved when the
    // program ends.
    SettingsCommands(QWidget& window, ToolbarLayout& layout, const LayoutFiles& layoutFiles,
                     std::function<void()> stopSavingOnExit, SettingsActions actions,
                     TFormOpcje& options, Interaction& interaction);

    // The program ends with SaveOnExit set: "toolbars.ini" and the settings.
    // The layout goes to the user's folder when the program folder cannot be written.
    void saveOnExit();
    // Asks, then stops saving for this run, deletes the stored settings and the layout
    // file and says whether that worked.
    void ADefaultWndPosExecute();
    // Checked: keeps the layout in "userbars.ini" and hides the toolbars and the object
    // window. Unchecked: brings that layout back.
    void AMaxWorkAreaExecute();

private:
    QWidget& window_;
    ToolbarLayout& layout_;
    const LayoutFiles& layoutFiles_;
    std::function<void()> stopSavingOnExit_;
    SettingsActions actions_;
    TFormOpcje& options_;
    Interaction& interaction_;
};

} // namespace vantor
