#pragma once

#include <QObject>
#include <QString>
#include <functional>

namespace vantor {

class TMDIChild;
struct MainActions;

// Undo and redo of the active design: the Edit menu's two items, enabled while there is
// a step to take back or to take again and named after that step.
class UndoCommands : public QObject {
    Q_OBJECT

public:
    UndoCommands(const MainActions& actions, std::function<TMDIChild*()> activeDesignWindow,
                 QObject* parent);

    void undo();
    void redo();
    // Keeps the items' captions as translated, to put the step's name after.
    void keepCaptions();
    // Names the window's steps with the translated verbs and follows its history.
    void follow(TMDIChild& window);
    // Shows what the active window's history allows.
    void update();
    // No design window is active: nothing to undo or redo.
    void clear();

private:
    const MainActions& actions_;
    std::function<TMDIChild*()> activeDesignWindow_;
    QString undoCaption_;
    QString redoCaption_;
};

} // namespace vantor
