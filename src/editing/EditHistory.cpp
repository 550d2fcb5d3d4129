#include "editing/EditHistory.h"

#include <QSignalBlocker>
#include <QUndoCommand>

namespace vantor {

class EditHistory::Command final : public QUndoCommand {
public:
    Command(EditHistory& history, std::unique_ptr<DesignEdit> edit, const QString& text)
        : QUndoCommand(text), history_(history), edit_(std::move(edit)),
          bytes_(edit_->memoryEstimate()) {}

    std::unique_ptr<DesignEdit> release() { return std::move(edit_); }
    std::size_t bytes() const { return bytes_; }

    void undo() override {
        if (history_.rebuilding_)
            return;
        edit_->undo(history_.design_, history_.decimalSeparator_);
        emit history_.designChanged();
        emit history_.restored(edit_->focusAfterUndo());
    }
    void redo() override {
        // The edit was done when it was recorded.
        if (firstRedo_ || history_.rebuilding_) {
            firstRedo_ = false;
            return;
        }
        edit_->redo(history_.design_, history_.decimalSeparator_);
        emit history_.designChanged();
        emit history_.restored(edit_->focusAfterRedo());
    }

private:
    EditHistory& history_;
    std::unique_ptr<DesignEdit> edit_;
    std::size_t bytes_;
    bool firstRedo_ = true;
};

EditHistory::EditHistory(Design& design, QObject* parent) : QObject(parent), design_(design) {
    stack_.setUndoLimit(StepLimit);
    connect(&stack_, &QUndoStack::cleanChanged, this, [this] { reportModified(); });
    connect(&stack_, &QUndoStack::indexChanged, this, [this] { emit changed(); });
}

EditHistory::~EditHistory() {
    // The commands hold parts of the design; they go first, without telling anyone:
    // the window around the design is being destroyed.
    stack_.blockSignals(true);
    blockSignals(true);
    stack_.clear();
}

void EditHistory::record(std::unique_ptr<DesignEdit> edit) {
    if (!edit)
        return;
    const bool changed = edit->finish(design_);
    emit designChanged();
    if (!changed)
        return;
    const QString verb = verbs_ ? verbs_(edit->kind()) : QString();
    const QString subject = QString::fromStdString(edit->subject());
    const QString text = verb.isEmpty() ? subject : subject.isEmpty() ? verb : verb + ' ' + subject;
    stack_.push(new Command(*this, std::move(edit), text));
    keepWithinMemory();
}

std::size_t EditHistory::memoryUsed() const {
    std::size_t bytes = 0;
    for (int i = 0; i < stack_.count(); ++i)
        bytes += static_cast<const Command*>(stack_.command(i))->bytes();
    return bytes;
}

void EditHistory::keepWithinMemory() {
    // Right after a push every step is done: the stack's index is its count.
    const int count = stack_.count();
    std::size_t used = memoryUsed();
    int drop = 0;
    while (used > memoryLimit_ && drop < count - 1)
        used -= static_cast<const Command*>(stack_.command(drop++))->bytes();
    if (drop == 0)
        return;
    // A stack forgets its oldest steps only by its step limit: it is built again from the
    // steps kept, which are already done. Nothing a user sees changes (the newest step,
    // so the Undo caption, stays), so no signal goes out.
    const int clean = stack_.cleanIndex();
    std::vector<std::pair<QString, std::unique_ptr<DesignEdit>>> kept;
    for (int i = drop; i < count; ++i) {
        auto* command = const_cast<Command*>(static_cast<const Command*>(stack_.command(i)));
        kept.emplace_back(command->text(), command->release());
    }
    const QSignalBlocker blocker(stack_);
    rebuilding_ = true;
    stack_.clear();
    for (auto& [text, edit] : kept)
        stack_.push(new Command(*this, std::move(edit), text));
    // The saved state, if it is among the steps kept, stays the saved state; else no
    // undo reaches it any more.
    if (clean >= drop) {
        stack_.setIndex(clean - drop);
        stack_.setClean();
        stack_.setIndex(count - drop);
    } else {
        stack_.resetClean();
    }
    rebuilding_ = false;
}

void EditHistory::markSaved() {
    forcedModified_ = false;
    stack_.setClean();
    reportModified();
    emit saved();
}

void EditHistory::leaveSavedState() {
    stack_.resetClean();
    reportModified();
}

void EditHistory::markModified() {
    forcedModified_ = true;
    reportModified();
}

void EditHistory::reportModified() {
    const bool modified = isModified();
    if (modified == lastReported_)
        return;
    lastReported_ = modified;
    emit modifiedChanged(modified);
}

} // namespace vantor
