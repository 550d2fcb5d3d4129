#pragma once

#include "editing/ElementDefaults.h"
#include "editing/ElementFields.h"
#include "model/Design.h"
#include "model/Points.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vantor {

// The two process-wide axis values, which inserting a nose sets.
struct AxisState {
    float originX = 0, axisY = 0;
    bool operator==(const AxisState&) const = default;
};

enum class EditKind { Insert, Change, Delete, Move };

// One change a user makes to a design, done when the edit is made, that can be undone
// and redone exactly: afterwards the design holds the same elements in the same order,
// the same tree, the same fields and, placed again, the same outlines.
//
// An edit keeps inputs only: the subtree it took or gave, the fields or the offset it
// changed, the axis values before and after. Everything derived (outlines, cached
// quantities, captions) is placed anew from them (PlaceDesign) after each undo and redo.
//
// Use: make the edit (except for the slide, it makes its change at once), then finish()
// it, which keeps what the edit changed. After that, undo() and redo() alternate,
// starting with undo().
class DesignEdit {
public:
    virtual ~DesignEdit();
    DesignEdit(const DesignEdit&) = delete;
    DesignEdit& operator=(const DesignEdit&) = delete;

    // Keeps the inputs as the edit left them; false when the edit changed nothing.
    bool finish(Design& design);
    // Put the inputs back and place the design, dimension captions written with
    // `decimalSeparator`.
    void undo(Design& design, char decimalSeparator = '.');
    void redo(Design& design, char decimalSeparator = '.');

    EditKind kind() const { return kind_; }
    // Roughly the bytes the finished edit keeps for undo and redo: its caption and, for a
    // deletion, the subtree it took out of the design (large ones dominate).
    std::size_t memoryEstimate() const;
    // What was edited, as the user knows it: the element's or dimension's caption.
    const std::string& subject() const { return subject_; }
    // The element to select once the edit is undone or redone, or null.
    virtual TRocketElement* focusAfterUndo() const { return nullptr; }
    virtual TRocketElement* focusAfterRedo() const { return nullptr; }

protected:
    DesignEdit(const Design& design, EditKind kind, std::string subject);
    virtual void undoStructure(Design& design) = 0;
    virtual void redoStructure(Design& design) = 0;
    // Whether the edit changed any input besides the axis values.
    virtual bool changedSomething() const { return true; }
    // The bytes of what the edit holds outside the design (a taken subtree or dimension).
    virtual std::size_t keptBytes() const { return 0; }
    void setSubject(std::string subject) { subject_ = std::move(subject); }

private:
    EditKind kind_;
    std::string subject_;
    AxisState before_;
    AxisState after_;
    bool finished_ = false;
};

// A component to insert: its kind, what the dialog gave it and the pen of new shapes.
struct NewElement {
    std::string kind;
    ElementFields fields;
    int penWidth = 1;
    std::uint32_t penColour = 0;
    // The fields' weight was given by the user: kept instead of computed from the shape.
    bool weightGiven = false;
};

// Inserts the component under `parent` (a nose: as the root, with parent null) as the
// insertion commands place it: a nose at (50, 300), setting OriginX and AxisY, every
// other kind behind its parent's front at the parent's length. Check CheckInsertion
// first; an unknown kind gives null.
std::unique_ptr<DesignEdit> InsertElement(Design& design, ElementTree::Node* parent,
                                          const NewElement& element);
// The element an insertion added.
TRocketElement* InsertedElement(const DesignEdit& insertion);
ElementTree::Node* InsertedNode(const DesignEdit& insertion);

// Starts an edit of the element's fields: change them (the dialog writes them with
// WriteFields), then finish().
std::unique_ptr<DesignEdit> BeginFieldsEdit(Design& design, TRocketElement& element);
// Writes the fields as one edit.
std::unique_ptr<DesignEdit> ChangeFields(Design& design, TRocketElement& element,
                                         const ElementFields& fields);

// Removes the node's subtree, keeping it for undo.
std::unique_ptr<DesignEdit> DeleteSubtree(Design& design, ElementTree::Node* node);

// Starts sliding the element along its parent; move it with SlideTo, then finish().
std::unique_ptr<DesignEdit> BeginSlide(Design& design, TRocketElement& element);
// Sets the element's Offset so that it starts at abscissa `x`, when x lies on its
// parent's length; false (nothing changed) otherwise or when it has no placed parent.
bool SlideTo(TRocketElement& element, double x);

// Adds a finished dimension at index 0.
std::unique_ptr<DesignEdit> AddDimension(Design& design, std::string_view className,
                                         const std::vector<TPoints>& points, int penWidth = 1,
                                         std::uint32_t penColour = 0);
// Makes one edit of a dimension placed in the design by hand (the pointer places it
// point by point); null when it is not in the design.
std::unique_ptr<DesignEdit> RecordPlacedDimension(Design& design, const TShaped& dimension);
std::unique_ptr<DesignEdit> DeleteDimension(Design& design, std::size_t index);

} // namespace vantor
