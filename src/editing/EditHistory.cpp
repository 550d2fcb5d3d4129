#include "editing/EditHistory.h"

#include <QUndoCommand>

namespace vantor {

class EditHistory::Command final : public QUndoCommand {
public:
    Command(EditHistory& history, std::unique_ptr<DesignEdit> edit, const QString& text)
        : QUndoCommand(text), history_(history), edit_(std::move(edit)) {}

    DesignEdit& edit() { return *edit_; }

    void undo() override {
        history_.settleDrift();
        edit_->undo(history_.design_);
        history_.afterStep(edit_->focusAfterUndo());
    }
    void redo() override {
        // The edit was done when it was recorded.
        if (firstRedo_) {
            firstRedo_ = false;
            return;
        }
        history_.settleDrift();
        edit_->redo(history_.design_);
        history_.afterStep(edit_->focusAfterRedo());
    }

private:
    EditHistory& history_;
    std::unique_ptr<DesignEdit> edit_;
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
    if (newestAfter_)
        absorbDrift(edit->capturedBefore());
    DesignGeometry after;
    const bool changed = edit->finish(design_, &after);
    newestAfter_ = std::move(after);
    redrawn_ = false;
    if (!changed)
        return;
    const QString verb = verbs_ ? verbs_(edit->kind()) : QString();
    const QString subject = QString::fromStdString(edit->subject());
    const QString text = verb.isEmpty() ? subject : subject.isEmpty() ? verb : verb + ' ' + subject;
    stack_.push(new Command(*this, std::move(edit), text));
}

void EditHistory::settleDrift() {
    if (newestAfter_ && redrawn_)
        absorbDrift(CaptureGeometry(design_));
    newestAfter_.reset();
}

void EditHistory::absorbDrift(const DesignGeometry& now) {
    // The step whose result the design showed: the last one done.
    const int top = stack_.index() - 1;
    if (newestAfter_ && top >= 0)
        if (auto* command = dynamic_cast<const Command*>(stack_.command(top)))
            const_cast<Command*>(command)->edit().absorbDrift(*newestAfter_, now);
    newestAfter_.reset();
}

void EditHistory::afterStep(TRocketElement* focus) {
    DesignGeometry pinned = CaptureGeometry(design_);
    emit restored(focus);
    RestoreGeometry(design_, pinned);
    newestAfter_ = std::move(pinned);
    redrawn_ = false;
}

void EditHistory::markSaved() {
    forcedModified_ = false;
    stack_.setClean();
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
