#pragma once

#include "editing/DesignEdits.h"

#include <QObject>
#include <QString>
#include <QUndoStack>
#include <functional>
#include <memory>

namespace vantor {

// The undo history of one design: every finished edit is one step of a QUndoStack,
// and the history knows whether the design differs from its file.
class EditHistory : public QObject {
    Q_OBJECT

public:
    // Steps kept before the oldest is forgotten.
    static constexpr int StepLimit = 1000;
    // Bytes the steps may keep before the oldest are forgotten: the steps of a very large
    // design would otherwise fill the memory long before the step limit.
    static constexpr std::size_t MemoryLimit = std::size_t{256} << 20;

    explicit EditHistory(Design& design, QObject* parent = nullptr);
    ~EditHistory() override;

    QUndoStack& stack() { return stack_; }
    Design& design() { return design_; }

    // Finishes the edit and keeps it as one step, already done; an edit that changed
    // nothing leaves no step. Null is ignored.
    void record(std::unique_ptr<DesignEdit> edit);
    // The step's text: "<verb> <subject>", the verb from the source set here.
    void setVerbSource(std::function<QString(EditKind)> verbs) { verbs_ = std::move(verbs); }

    // What the kept steps hold, estimated; and the bound (for tests, a smaller one).
    std::size_t memoryUsed() const;
    void setMemoryLimit(std::size_t bytes) { memoryLimit_ = bytes; }

    // The decimal separator dimension captions are written with when a step places the
    // design again.
    void setDecimalSeparator(char separator) { decimalSeparator_ = separator; }

    // Tells the views of the design's structure about a change no step holds yet: a
    // component shown while its dialog asks about it, a dimension being placed, a design
    // read from a file.
    void announceChange() { emit designChanged(); }

    // Differs from the file it was opened from or last saved to.
    bool isModified() const { return forcedModified_ || !stack_.isClean(); }
    // The design is now what its file holds.
    void markSaved();
    // The design differs from any file although no step says so (a recovered design).
    void markModified();
    // No step leads back to what the file holds (it was saved while a change was half
    // made): the design counts as modified until it is saved again.
    void leaveSavedState();

signals:
    // An undo or redo changed the design, which is placed again: show it, selecting
    // `focus` (may be null).
    void restored(TRocketElement* focus);
    void modifiedChanged(bool modified);
    // The design's components, dimensions or captions may have changed: a step was
    // recorded, undone or redone, or a change was announced. Sent before restored().
    void designChanged();
    // A step was recorded, undone or redone.
    void changed();
    // The design was saved to its file.
    void saved();

private:
    class Command;
    void reportModified();
    // Forgets the oldest steps until the rest fit in the memory bound (the newest stays).
    void keepWithinMemory();

    Design& design_;
    QUndoStack stack_;
    std::function<QString(EditKind)> verbs_;
    char decimalSeparator_ = '.';
    bool forcedModified_ = false;
    bool lastReported_ = false;
    std::size_t memoryLimit_ = MemoryLimit;
    // The stack is being rebuilt: its commands' undo and redo change nothing.
    bool rebuilding_ = false;
};

} // namespace vantor
