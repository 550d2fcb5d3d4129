#include "shell/UndoCommands.h"

#include "editing/EditHistory.h"
#include "shell/MainActions.h"

#include <QAction>
#include <QUndoGroup>
#include <QUndoStack>

namespace vantor {

UndoCommands::UndoCommands(const MainActions& actions, QUndoGroup& group,
                           std::function<EditHistory*()> current, QObject* parent)
    : QObject(parent), actions_(actions), group_(group), current_(std::move(current)) {
    keepCaptions();
    // The group's items caption themselves "Undo <step>"; these connections come after
    // theirs, so the caption shown is the program's own.
    for (auto signal : {&QUndoGroup::canUndoChanged, &QUndoGroup::canRedoChanged})
        connect(&group_, signal, this, &UndoCommands::update);
    for (auto signal : {&QUndoGroup::undoTextChanged, &QUndoGroup::redoTextChanged})
        connect(&group_, signal, this, &UndoCommands::update);
    connect(&group_, &QUndoGroup::activeStackChanged, this, &UndoCommands::update);
}

void UndoCommands::keepCaptions() {
    undoCaption_ = actions_.AUndo->text();
    redoCaption_ = actions_.ARedo->text();
    update();
}

void UndoCommands::follow(EditHistory& history) {
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
    if (group_.stacks().contains(&history.stack()))
        return;
    group_.addStack(&history.stack());
    connect(&history, &EditHistory::changed, this, [this] { activate(current_()); });
}

void UndoCommands::activate(EditHistory* history) {
    if (history != nullptr && !group_.stacks().contains(&history->stack()))
        follow(*history);
    group_.setActiveStack(history != nullptr ? &history->stack() : nullptr);
    update();
}

void UndoCommands::update() {
    const bool canUndo = group_.canUndo();
    const bool canRedo = group_.canRedo();
    actions_.AUndo->setEnabled(canUndo);
    actions_.ARedo->setEnabled(canRedo);
    actions_.AUndo->setText(canUndo ? undoCaption_ + QStringLiteral(": ") + group_.undoText()
                                    : undoCaption_);
    actions_.ARedo->setText(canRedo ? redoCaption_ + QStringLiteral(": ") + group_.redoText()
                                    : redoCaption_);
}

} // namespace vantor
