#pragma once

#include "canvas/DesignDrawing.h"
#include "editing/DesignEdits.h"
#include "model/AxisValues.h"
#include "model/Design.h"
#include "model/NullSurface.h"
#include "model/Placing.h"
#include "model/Registry.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vantor::test {

// Builds designs in tests with the program's own editing operations: each element is
// inserted as the insertion commands insert it, the fields asked for are then written as
// an OK of the parameters dialog writes them, and the whole design is redrawn, so every
// element is placed from a parent already placed. The edits are applied, not kept. What
// the insertion commands refuse is put in record by record (see putIn).
class DesignBuilder {
public:
    explicit DesignBuilder(Design& design) : design_(design) {}

    // A nose cone with its tip at (x, axis) that sets OriginX and AxisY. The insertion
    // puts every nose at the same spot; tests want it elsewhere, so it is moved there and
    // its centres are computed again where it now lies.
    template <class T = TRocketElement>
    T& nose(std::string_view kind, float length, float diameter, double x = 50, float axis = 275) {
        ElementFields fields = DefaultFields(kind);
        fields.length = length;
        fields.diameterA = diameter;
        return nose<T>(kind, fields, x, axis);
    }

    template <class T = TRocketElement>
    T& nose(std::string_view kind, const ElementFields& fields, double x = 50, float axis = 275) {
        bool edited = false;
        TRocketElement& element = insert(kind, nullptr, fields, edited);
        element.Translate(x - element.Points[0].x, axis - element.Points[0].y);
        AxisY = axis;
        OriginX = static_cast<float>(x);
        if (edited)
            element.RefreshDerived();
        finishInsertion(element, fields);
        return static_cast<T&>(element);
    }

    // An element of the given kind attached under `parent`, with its kind's own fields
    // or the ones given.
    template <class T = TRocketElement> T& attach(std::string_view kind, TRocketElement& parent) {
        return attach<T>(kind, parent, DefaultFields(kind));
    }

    template <class T = TRocketElement>
    T& attach(std::string_view kind, TRocketElement& parent, const ElementFields& fields) {
        bool edited = false;
        TRocketElement& element = insert(kind, &parent, fields, edited);
        finishInsertion(element, fields);
        return static_cast<T&>(element);
    }

    // Writes the fields as one OK of the parameters dialog does, and redraws.
    void edit(TRocketElement& element, const ElementFields& fields) {
        ChangeFields(design_, element, fields);
        place();
    }

    // Slides the element along its parent to `offset`, as a drag does; false when the
    // parent is not that long.
    bool slide(TRocketElement& element, float offset) {
        if (element.Parent == nullptr || element.Parent->Points.empty())
            return false;
        const std::unique_ptr<DesignEdit> slide = BeginSlide(design_, element);
        const bool moved = SlideTo(element, element.Parent->Points[0].x + offset);
        slide->finish(design_);
        place();
        return moved;
    }

    // A finished dimension through the points; the newest is the first of the list, as
    // placing one leaves it.
    void dimension(std::string_view className, const std::vector<TPoints>& points) {
        vantor::AddDimension(design_, className, points);
    }

    // Places every element and draws on `surface`, as a full redraw does.
    void place(DrawingSurface& surface) {
        PlaceDesign(design_, surface.decimalSeparator());
        DrawDesign(design_, surface);
    }
    void place() { place(scratch_); }

private:
    // Inserts the element as the insertion commands do (`edited`), or, where they would
    // refuse it, puts it in as a record.
    TRocketElement& insert(std::string_view kind, TRocketElement* parent,
                           const ElementFields& fields, bool& edited) {
        ElementTree::Node* node = parent != nullptr ? design_.tree.nodeOf(parent) : nullptr;
        edited = CheckInsertion(design_, kind, parent) == InsertionRefusal::None;
        if (!edited)
            return putIn(kind, node, fields);
        const std::unique_ptr<DesignEdit> insertion =
            InsertElement(design_, node, NewElement{std::string(kind), fields});
        return *InsertedElement(*insertion);
    }

    // Tests also build on purpose what no edit makes (a second root, a root that is no
    // nose, a component under a parent its kind does not allow), as a design file may
    // hold it: the element gets the fields and as many outline points as its kind draws
    // with, behind its parent's front at the parent's length, and no computed quantity.
    TRocketElement& putIn(std::string_view kind, ElementTree::Node* parent,
                          const ElementFields& fields) {
        std::unique_ptr<TRocketElement> element = CreateElement(kind);
        WriteFields(*element, fields);
        element->Points.assign(element->OutlinePointCount(), TPoints{});
        if (parent != nullptr && !parent->element->Points.empty())
            element->Translate(parent->element->Points[0].x + parent->element->Length, AxisY);
        TRocketElement& added = *element;
        design_.addElement(std::move(element), parent);
        return added;
    }

    // The insertion gives the element the weight the weight rule computes; the fields
    // asked for, their weight included, are then written as the dialog's OK writes them.
    void finishInsertion(TRocketElement& element, const ElementFields& fields) {
        if (!(FieldsOf(element) == fields))
            ChangeFields(design_, element, fields);
        place();
    }

    Design& design_;
    NullSurface scratch_;
};

} // namespace vantor::test
