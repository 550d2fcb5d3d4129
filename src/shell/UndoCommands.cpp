#include "shell/UndoCommands.h"

#include "canvas/DesignWindow.h"
#include "editing/EditHistory.h"
#include "shell/MainActions.h"

#include <QAction>
#include <QUndoStack>

namespace vantor {

UndoCommands::UndoCommands(const MainActions& actions,
                           std::function<TMDIChild*()> activeDesignWindow, QObject* parent)
    : QObject(parent), actions_(actions), activeDesignWindow_(std::move(activeDesignWindow)) {
    keepCaptions();
    connect(actions_.AUndo, &QAction::triggered, this, &UndoCommands::undo);
    connect(actions_.ARedo, &QAction::triggered, this, &UndoCommands::redo);
}

void UndoCommands::undo() {
    if (TMDIChild* window = activeDesignWindow_())
        window->history().stack().undo();
}

void UndoCommands::redo() {
    if (TMDIChild* window = activeDesignWindow_())
        window->history().stack().redo();
}

void UndoCommands::keepCaptions() {
    undoCaption_ = actions_.AUndo->text();
    redoCaption_ = actions_.ARedo->text();
}

void UndoCommands::follow(TMDIChild& window) {
    EditHistory& history = window.history();
    const MainActions& a = actions_;
    history.setVerbSource([&a](EditKind kind) {
        switch (kind) {
        case EditKind::Insert:
            return a.insertVerb->text();
        case EditKind::Change:
            return a.changeVerb->text();
        case EditKind::Delete:
            return a.deleteVerb->text();
        case EditKind::Move:
            return a.moveVerb->text();
        }
        return QString();
    });
    connect(&history, &EditHistory::changed, this, &UndoCommands::update);
}

void UndoCommands::update() {
    TMDIChild* window = activeDesignWindow_();
    QUndoStack* stack = window != nullptr ? &window->history().stack() : nullptr;
    const bool canUndo = stack != nullptr && stack->canUndo();
    const bool canRedo = stack != nullptr && stack->canRedo();
    actions_.AUndo->setEnabled(canUndo);
    actions_.ARedo->setEnabled(canRedo);
    actions_.AUndo->setText(canUndo ? undoCaption_ + QStringLiteral(": ") + stack->undoText()
                                    : undoCaption_);
    actions_.ARedo->setText(canRedo ? redoCaption_ + QStringLiteral(": ") + stack->redoText()
                                    : redoCaption_);
}

void UndoCommands::clear() {
    actions_.AUndo->setEnabled(false);
    actions_.ARedo->setEnabled(false);
    actions_.AUndo->setText(undoCaption_);
    actions_.ARedo->setText(redoCaption_);
}

} // namespace vantor
