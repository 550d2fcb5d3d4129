#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QUndoGroup;

namespace vantor {

class EditHistory;
struct MainActions;

// Undo and redo of the active design: the Edit menu's two items, made by one undo group
// from the histories of all design windows, follow the history of the active one. They
// are enabled while there is a step to take back or to take again and are named after
// that step ("Cofnij: wstaw Nose").
class UndoCommands : public QObject {
    Q_OBJECT

public:
    // `actions` holds the items `group` made; `current` gives the history of the current
    // design window (the active one, or the one last active while the frame is in the
    // background), or null.
    UndoCommands(const MainActions& actions, QUndoGroup& group,
                 std::function<EditHistory*()> current, QObject* parent);

    // Keeps the items' captions as translated, to put the step's name after.
    void keepCaptions();
    // Names the history's steps with the translated verbs and adds it to the group; a
    // step taken in it shows the current design's history again.
    void follow(EditHistory& history);
    // The steps Undo and Redo take are the history's; with none, nothing to undo or redo.
    void activate(EditHistory* history);

private:
    // Shows what the active history allows.
    void update();

    const MainActions& actions_;
    QUndoGroup& group_;
    std::function<EditHistory*()> current_;
    QString undoCaption_;
    QString redoCaption_;
};

} // namespace vantor
