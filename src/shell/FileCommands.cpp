#include "shell/FileCommands.h"

#include "canvas/DesignWindow.h"
#include "designfile/DesignFile.h"
#include "editing/DesignDocument.h"
#include "i18n/AdvForm.h"
#include "interaction/Interaction.h"
#include "shell/DesignWindows.h"
#include "shell/FileHistory.h"
#include "shell/ForeignDesigns.h"
#include "shell/MainActions.h"
#include "shell/RecoveryCommands.h"

#include <QAction>
#include <QFileInfo>
#include <QMdiSubWindow>
#include <QMenu>
#include <filesystem>

namespace vantor {

namespace {

const QString DesignFilter = QStringLiteral("projekt (*.kfx)");

} // namespace

FileCommands::FileCommands(FileFrame frame, const MainActions& actions, QMenu& fileMenu,
                           FileHistory& history, DesignWindows& windows,
                           RecoveryCommands& recovery, Interaction& interaction)
    : QObject(&frame.window), frame_(std::move(frame)), windows_(windows),
      recovery_(recovery), interaction_(interaction), history_(history),
      texts_(frame_.window, "FileText", {1844}) {
    // Made as the main menus make their submenus, so that it is translated with them.
    recentMenu_ = new QMenu(Tagged(1842), &fileMenu);
    recentMenu_->setObjectName("RecentDesigns1");
    const QList<QAction*> items = fileMenu.actions();
    const qsizetype open = items.indexOf(actions.FileOpen1);
    fileMenu.insertMenu(open >= 0 ? items.value(open + 1) : nullptr, recentMenu_);
    refreshRecentMenu();
    connect(actions.FileNew1, &QAction::triggered, this, [this] { FileNew1Execute(); });
    connect(actions.FileOpen1, &QAction::triggered, this, [this] { FileOpen1Execute(); });
    connect(actions.FileSave1, &QAction::triggered, this, [this] { FileSave1Execute(); });
    connect(actions.FileSaveAs1, &QAction::triggered, this, [this] { FileSaveAs1Execute(); });
    connect(actions.FileClose1, &QAction::triggered, this, [this] { windows_.closeActive(); });
    connect(actions.FileCloseAll, &QAction::triggered, this, [this] { FileCloseAllExecute(); });
}

void FileCommands::FileNew1Execute() {
    if (!FileCloseAllExecute())
        return;
    frame_.newDesignWindow();
}

bool FileCommands::settleAll() {
    const auto windows = windows_.all();
    for (TMDIChild* window : windows) {
        DesignDocument& document = window->document();
        if (closingConfirmed_.contains(&document))
            continue;
        if (!settleUnsavedWork(document))
            return false;
        closingConfirmed_.insert(&document);
    }
    return true;
}

bool FileCommands::settleUnsavedWork(DesignDocument& document) {
    if (!document.isModified())
        return true;
    switch (interaction_.askYesNoCancel(&frame_.window, texts_(1844), QString())) {
    case Interaction::Answer::Yes:
        return saveDesign(document, false);
    case Interaction::Answer::No:
        return true;
    case Interaction::Answer::Cancel:
        break;
    }
    return false;
}

bool FileCommands::mayClose(DesignDocument& document) {
    return closingConfirmed_.contains(&document) || settleUnsavedWork(document);
}

bool FileCommands::FileCloseAllExecute() {
    if (!settleAll()) {
        closingConfirmed_.clear();
        return false;
    }
    const bool closed = windows_.closeAll();
    closingConfirmed_.clear();
    return closed;
}

void FileCommands::FileOpen1Execute() {
    // Unsaved work is asked about before the file is chosen.
    if (!settleAll()) {
        closingConfirmed_.clear();
        return;
    }
    const QString name =
        interaction_.chooseFileToOpen(&frame_.window, history_.folder(), OpenDesignFilters());
    if (name.isEmpty()) {
        closingConfirmed_.clear();
        return;
    }
    openDesign(name);
}

bool FileCommands::openDesign(const QString& name) {
    // The designs open now are closed first; one the user keeps stays as it is, and the
    // file is not opened over it.
    if (!FileCloseAllExecute())
        return false;
    return loadIntoNewWindow(name);
}

bool FileCommands::loadIntoNewWindow(const QString& name) {
    TMDIChild* window = frame_.newDesignWindow();
    if (IsForeignDesign(name)) {
        const std::optional<ImportReport> report = ImportIntoDocument(
            window->document(), name, frame_.programDirectory, interaction_, &frame_.window);
        window->history().announceChange();
        window->Redraw();
        if (report) {
            history_.designUsed(name);
            refreshRecentMenu();
            ShowImportReport(*report, frame_.language, interaction_, &frame_.window);
        }
        return report.has_value();
    }
    const LoadResult result =
        LoadDesign(std::filesystem::path(name.toStdString()), window->design());
    if (!result.ok)
        interaction_.showMessage(&frame_.window, QString::fromStdString(result.message),
                                 QString::fromUtf8(ReadErrorCaption), Interaction::Icon::Error);
    // A file that could not be read gives an empty design that is not that file's.
    if (result.ok) {
        window->document().setFilePath(name);
        history_.designUsed(name);
        refreshRecentMenu();
    } else
        window->document().setDisplayName(name);
    window->history().announceChange();
    window->Redraw();
    return result.ok;
}

void FileCommands::openFileArgument(const QString& argument) {
    // As Open, the file takes the place of the designs open; but a modified one (a design
    // restored at start) stays in its window, unasked, and the file gets a window of its
    // own beside it.
    const auto windows = windows_.all();
    for (TMDIChild* window : windows)
        if (!window->document().isModified())
            windows_.close(qobject_cast<QMdiSubWindow*>(window->parentWidget()));
    if (loadIntoNewWindow(QFileInfo(argument).absoluteFilePath()))
        return;
    // One that cannot be read leaves an empty design.
    if (TMDIChild* failed = windows_.active())
        windows_.close(qobject_cast<QMdiSubWindow*>(failed->parentWidget()));
    if (!windows_.anyOpen())
        frame_.newDesignWindow();
}

void FileCommands::FileSave1Execute() {
    if (TMDIChild* window = windows_.active())
        saveDesign(window->document(), false);
}

void FileCommands::FileSaveAs1Execute() {
    if (TMDIChild* window = windows_.active())
        saveDesign(window->document(), true);
}

bool FileCommands::saveDesign(DesignDocument& document, bool askForName) {
    QString name = document.filePath();
    if (askForName || name.isEmpty()) {
        // A recovered design proposes where it came from only when that is safe to offer.
        QString proposed = name;
        if (proposed.isEmpty())
            proposed = recovery_.saveSuggestion(document);
        if (proposed.isEmpty())
            proposed = lastSaveName_;
        // A new design is proposed under its own name in the folder last used.
        if (proposed.isEmpty())
            proposed = history_.proposal(document.baseName() + QStringLiteral(".kfx"));
        name = interaction_.chooseFileToSave(&frame_.window, proposed, DesignFilter);
        if (name.isEmpty())
            return false;
        if (QFileInfo(name).suffix().isEmpty())
            name += QStringLiteral(".kfx");
        // A design is written as a design file, never over another program's design.
        if (IsForeignDesign(name))
            name = QFileInfo(name).path() + QLatin1Char('/') + QFileInfo(name).completeBaseName() +
                   QStringLiteral(".kfx");
        lastSaveName_ = name;
    }
    const SaveResult result =
        SaveDesign(document.design(), std::filesystem::path(name.toStdString()));
    // The file name, and on a second line why the save failed.
    if (!result.ok) {
        interaction_.showMessage(&frame_.window,
                                 QString::fromStdString(result.message) + QLatin1Char('\n') +
                                     QString::fromStdString(result.reason),
                                 QString::fromUtf8(WriteErrorCaption), Interaction::Icon::Error);
        return false;
    }
    document.savedAs(name);
    history_.designUsed(name);
    refreshRecentMenu();
    recovery_.removeCopy(document);
    recovery_.saved(document);
    return true;
}

bool FileCommands::settleBeforeExit() {
    const bool settled = settleAll();
    closingConfirmed_.clear();
    return settled;
}

void FileCommands::openRecent(const QString& file) {
    if (!settleAll()) {
        closingConfirmed_.clear();
        return;
    }
    if (!openDesign(file)) {
        history_.forget(file);
        refreshRecentMenu();
    }
}

void FileCommands::refreshRecentMenu() {
    recentMenu_->clear();
    int number = 0;
    for (const QString& file : history_.recent()) {
        // "&1 rocket.kfx": numbered for the keyboard, the whole path as its hint.
        QAction* item = recentMenu_->addAction(
            QStringLiteral("&%1 %2").arg(++number).arg(QFileInfo(file).fileName()));
        item->setToolTip(file);
        item->setStatusTip(file);
        connect(item, &QAction::triggered, this, [this, file] { openRecent(file); });
    }
    recentMenu_->setEnabled(!history_.recent().isEmpty());
}

} // namespace vantor
