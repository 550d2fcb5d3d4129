#pragma once

#include "editing/ElementDefaults.h"
#include "editing/ElementFields.h"
#include "model/Design.h"
#include "model/Points.h"

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vantor {

// What can change in an element without an edit being made to it: its outline, which
// every redraw rebuilds from its parent, and the quantities computed from it.
struct ElementState {
    std::vector<TPoints> points;
    float weight = 0, area = 0, cg = 0, cp = 0;

    bool operator==(const ElementState& other) const;
};

// Those states of every element, with the two process-wide axis values.
struct DesignGeometry {
    std::vector<std::pair<TRocketElement*, ElementState>> elements;
    float originX = 0, axisY = 0;
};
DesignGeometry CaptureGeometry(const Design& design);
// Puts back the states of the captured elements that are in the design now.
void RestoreGeometry(Design& design, const DesignGeometry& geometry);

enum class EditKind { Insert, Change, Delete, Move };

// One change a user makes to a design, done when the edit is made, that can be undone
// and redone exactly: afterwards the design holds the same elements in the same order,
// the same tree, the same fields and the same outlines.
//
// Use: make the edit (it captures the design as it is and, except for the slide, makes
// its change at once), let the program show the result (a redraw may move outlines),
// then finish() it, which keeps what the design has become. After that, undo() and
// redo() alternate, starting with undo().
class DesignEdit {
public:
    virtual ~DesignEdit();
    DesignEdit(const DesignEdit&) = delete;
    DesignEdit& operator=(const DesignEdit&) = delete;

    // Keeps the design's state after the edit; false when the edit changed nothing.
    // `after` receives the whole state the design then has.
    bool finish(Design& design, DesignGeometry* after = nullptr);
    // The design as the edit found it; whole until the edit is finished.
    const DesignGeometry& capturedBefore() const { return before_; }
    // Takes into this finished edit what redraws changed after it: `known` is the whole
    // state it finished with, `now` the state the design has since. Undo then puts back
    // the state before the edit, and redo the state of `now`.
    void absorbDrift(const DesignGeometry& known, const DesignGeometry& now);
    void undo(Design& design);
    void redo(Design& design);

    EditKind kind() const { return kind_; }
    // Roughly the bytes the finished edit keeps for undo and redo: the element states it
    // holds (outlines of a large design dominate) and its caption.
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
    // Whether the edit itself (not the outlines) changed anything.
    virtual bool changedSomething() const { return true; }
    void setSubject(std::string subject) { subject_ = std::move(subject); }

private:
    EditKind kind_;
    std::string subject_;
    DesignGeometry before_;
    DesignGeometry after_;
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
