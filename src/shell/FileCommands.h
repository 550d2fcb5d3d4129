#pragma once

#include "i18n/RuntimeTexts.h"

#include <QObject>
#include <QSet>
#include <QString>
#include <functional>

class QMenu;
class QWidget;

namespace vantor {

class DesignDocument;
class DesignWindows;
class FileHistory;
class Interaction;
class LanguageSession;
class RecoveryCommands;
class TMDIChild;
struct MainActions;

// What the file commands use of the main window around the designs.
struct FileFrame {
    // Owns the commands; the parent of their messages and dialogs.
    QWidget& window;
    // Opens an empty design in a window of its own, the active one, ready for a nose.
    std::function<TMDIChild*()> newDesignWindow;
    // Where the motors of imported designs are looked up.
    QString programDirectory;
    // The language of the import report.
    LanguageSession& language;
};

// The File menu's design commands: new, open, save, save as and close all, and the
// question about unsaved work that comes before a modified design is closed.
class FileCommands : public QObject {
    Q_OBJECT

public:
    // Connects the File menu's design commands of `actions` and puts the recent designs
    // into `fileMenu`, after Open.
    FileCommands(FileFrame frame, const MainActions& actions, QMenu& fileMenu, FileHistory& history,
                 DesignWindows& windows, RecoveryCommands& recovery, Interaction& interaction);

    void FileNew1Execute();
    void FileOpen1Execute();
    // Opens a design file as Open does once the file is chosen; false when it could not
    // be read (the message has been shown).
    bool openDesign(const QString& name);
    // Opens the file named on the command line in a window of its own, beside any design
    // restored at start; one that cannot be read leaves an empty design.
    void openFileArgument(const QString& argument);
    // Saves the active design to its own file, asking for a name only when it has none.
    void FileSave1Execute();
    // Saves the active design under a name asked for.
    void FileSaveAs1Execute();
    // Closes every design window, asking first about modified designs; false when the
    // user kept one open.
    bool FileCloseAllExecute();
    // Saves the document's design; false when no file was chosen or the write failed.
    bool saveDesign(DesignDocument& document, bool askForName);
    // Whether the document may be closed: asks about its unsaved work unless already asked.
    bool mayClose(DesignDocument& document);
    // Asks about every modified design before the program ends; false on Cancel.
    bool settleBeforeExit();
    // Opens a recent design as Open does; one that cannot be read leaves the list.
    void openRecent(const QString& file);
    // The submenu listing the recent designs.
    QMenu* recentMenu() const { return recentMenu_; }

private:
    // Reads the file into a new window; false when it could not be read (the message has
    // been shown and the window holds an empty design).
    bool loadIntoNewWindow(const QString& name);
    // Asks about a modified design whether to save it; true when the window may close.
    bool settleUnsavedWork(DesignDocument& document);
    // Asks about every modified design not asked about yet; false on Cancel.
    bool settleAll();
    void refreshRecentMenu();

    FileFrame frame_;
    DesignWindows& windows_;
    RecoveryCommands& recovery_;
    Interaction& interaction_;
    QString lastSaveName_;
    FileHistory& history_;
    QMenu* recentMenu_ = nullptr;
    RuntimeTexts texts_;
    // Designs whose user already agreed to close them.
    QSet<const DesignDocument*> closingConfirmed_;
};

} // namespace vantor
