#include "editing/DesignEdits.h"

#include "model/AxisValues.h"
#include "model/Kinds.h"
#include "model/Placing.h"
#include "model/Registry.h"
#include "model/ShapeKinds.h"

#include <algorithm>

namespace vantor {

namespace {

const std::string& CaptionOf(const TRocketElement* element) {
    static const std::string none;
    return element != nullptr ? element->Caption : none;
}

AxisState CurrentAxis() {
    return {OriginX, AxisY};
}

void SetAxis(const AxisState& axis) {
    OriginX = axis.originX;
    AxisY = axis.axisY;
}

} // namespace

DesignEdit::DesignEdit(const Design&, EditKind kind, std::string subject)
    : kind_(kind), subject_(std::move(subject)), before_(CurrentAxis()) {}

DesignEdit::~DesignEdit() = default;

bool DesignEdit::finish(Design&) {
    if (finished_)
        return true;
    finished_ = true;
    after_ = CurrentAxis();
    return changedSomething() || !(before_ == after_);
}

std::size_t DesignEdit::memoryEstimate() const {
    return sizeof(*this) + subject_.capacity() + keptBytes();
}

void DesignEdit::undo(Design& design, char decimalSeparator) {
    undoStructure(design);
    SetAxis(before_);
    PlaceDesign(design, decimalSeparator);
}

void DesignEdit::redo(Design& design, char decimalSeparator) {
    redoStructure(design);
    SetAxis(after_);
    PlaceDesign(design, decimalSeparator);
}

namespace {

// A shape held for undo: the object (the largest kind, roughly), its outline and caption.
std::size_t ShapeBytes(const TShaped& shape) {
    return sizeof(TRocketElement) + shape.Points.capacity() * sizeof(TPoints) +
           shape.Caption.capacity();
}

void PlaceBehindParent(TRocketElement& element) {
    const TRocketElement* parent = element.Parent;
    const double front = parent != nullptr && !parent->Points.empty() ? parent->Points[0].x : 0;
    const double length = parent != nullptr ? parent->Length : 0;
    element.Translate(front + length, AxisY);
}

// A subtree that is in the design or, after undo of an insertion or a deletion, kept
// here.
class SubtreeEdit : public DesignEdit {
public:
    SubtreeEdit(Design& design, EditKind kind, ElementTree::Node* node)
        : DesignEdit(design, kind, CaptionOf(node->element)), node_(node), element_(node->element),
          parent_(node->parent != nullptr ? node->parent->element : nullptr) {}

    ElementTree::Node* node() const { return node_; }
    TRocketElement* element() const { return element_; }

protected:
    std::size_t keptBytes() const override {
        std::size_t bytes = 0;
        for (const auto& [index, element] : kept_.elements)
            bytes += sizeof(ElementTree::Node) + ShapeBytes(*element);
        return bytes;
    }
    void take(Design& design) { kept_ = design.detachSubtree(node_); }
    void putBack(Design& design) { design.restoreSubtree(std::move(kept_)); }

    ElementTree::Node* node_;
    TRocketElement* element_;
    TRocketElement* parent_;
    Design::DetachedSubtree kept_;
};

class InsertEdit final : public SubtreeEdit {
public:
    InsertEdit(Design& design, ElementTree::Node* node)
        : SubtreeEdit(design, EditKind::Insert, node) {}
    TRocketElement* focusAfterUndo() const override { return parent_; }
    TRocketElement* focusAfterRedo() const override { return element_; }

protected:
    void undoStructure(Design& design) override { take(design); }
    void redoStructure(Design& design) override { putBack(design); }
};

class DeleteEdit final : public SubtreeEdit {
public:
    DeleteEdit(Design& design, ElementTree::Node* node)
        : SubtreeEdit(design, EditKind::Delete, node) {
        take(design);
    }
    TRocketElement* focusAfterUndo() const override { return element_; }
    TRocketElement* focusAfterRedo() const override { return parent_; }

protected:
    void undoStructure(Design& design) override { putBack(design); }
    void redoStructure(Design& design) override { take(design); }
};

class FieldsEdit final : public DesignEdit {
public:
    FieldsEdit(Design& design, TRocketElement& element)
        : DesignEdit(design, EditKind::Change, element.Caption), element_(element),
          before_(FieldsOf(element)) {}
    TRocketElement* focusAfterUndo() const override { return &element_; }
    TRocketElement* focusAfterRedo() const override { return &element_; }

protected:
    bool changedSomething() const override {
        after_ = FieldsOf(element_);
        return !(after_ == before_);
    }
    void undoStructure(Design&) override { WriteFields(element_, before_); }
    void redoStructure(Design&) override { WriteFields(element_, after_); }

private:
    TRocketElement& element_;
    ElementFields before_;
    mutable ElementFields after_;
};

class SlideEdit final : public DesignEdit {
public:
    SlideEdit(Design& design, TRocketElement& element)
        : DesignEdit(design, EditKind::Move, element.Caption), element_(element),
          before_(element.Offset) {}
    TRocketElement* focusAfterUndo() const override { return &element_; }
    TRocketElement* focusAfterRedo() const override { return &element_; }

protected:
    bool changedSomething() const override {
        after_ = element_.Offset;
        return after_ != before_;
    }
    void undoStructure(Design&) override { element_.Offset = before_; }
    void redoStructure(Design&) override { element_.Offset = after_; }

private:
    TRocketElement& element_;
    float before_;
    mutable float after_ = 0;
};

class DimensionEdit final : public DesignEdit {
public:
    // `present`: the dimension is in the design (an addition), else it is taken out now.
    DimensionEdit(Design& design, EditKind kind, const TShaped& dimension, bool present)
        : DesignEdit(design, kind, dimension.Caption), dimension_(&dimension),
          index_(indexIn(design)) {
        if (!present)
            take(design);
    }

protected:
    void undoStructure(Design& design) override {
        if (kind() == EditKind::Insert)
            take(design);
        else
            putBack(design);
    }
    void redoStructure(Design& design) override {
        if (kind() == EditKind::Insert)
            putBack(design);
        else
            take(design);
    }

private:
    std::size_t indexIn(const Design& design) const {
        for (std::size_t i = 0; i < design.Dimensions.size(); ++i)
            if (design.Dimensions[i].get() == dimension_)
                return i;
        return 0;
    }
    std::size_t keptBytes() const override { return kept_ ? ShapeBytes(*kept_) : 0; }
    void take(Design& design) {
        index_ = indexIn(design);
        kept_ = design.takeDimension(index_);
    }
    void putBack(Design& design) {
        if (kept_)
            design.putDimension(index_, std::move(kept_));
    }

    const TShaped* dimension_;
    std::size_t index_;
    std::unique_ptr<TShaped> kept_;
};

} // namespace

std::unique_ptr<DesignEdit> InsertElement(Design& design, ElementTree::Node* parent,
                                          const NewElement& values) {
    std::unique_ptr<TRocketElement> element = CreateElement(values.kind);
    if (!element)
        return nullptr;
    WriteFields(*element, values.fields);
    element->Pen = TPen{values.penWidth, values.penColour};
    element->Points = {TPoints{}};
    element->Selected = false;
    const bool nose = IsNoseKind(values.kind);
    TRocketElement& added = *element;
    ElementTree::Node* node = design.addElement(std::move(element), nose ? nullptr : parent);
    auto edit = std::make_unique<InsertEdit>(design, node);
    if (nose) {
        added.Points.resize(3);
        added.Translate(50, 300);
        AxisY = static_cast<float>(added.Points[0].y - added.DiameterA * 0.5);
        OriginX = static_cast<float>(added.Points[0].x);
        // The conical nose is placed before its quantities are computed.
        if (FindKind(values.kind)->shape == Shape3d::Cone)
            PlaceDesign(design);
        if (!values.weightGiven)
            added.ComputeWeight();
        added.RefreshDerived();
    } else if (KindOf(added).ballast) {
        // A ballast keeps its one point and the weight it was given.
        PlaceBehindParent(added);
    } else {
        added.Points.resize(4);
        PlaceBehindParent(added);
        if (!values.weightGiven)
            added.ComputeWeight();
        added.RefreshDerived();
    }
    return edit;
}

TRocketElement* InsertedElement(const DesignEdit& insertion) {
    const auto* edit = dynamic_cast<const InsertEdit*>(&insertion);
    return edit != nullptr ? edit->element() : nullptr;
}

ElementTree::Node* InsertedNode(const DesignEdit& insertion) {
    const auto* edit = dynamic_cast<const InsertEdit*>(&insertion);
    return edit != nullptr ? edit->node() : nullptr;
}

std::unique_ptr<DesignEdit> BeginFieldsEdit(Design& design, TRocketElement& element) {
    return std::make_unique<FieldsEdit>(design, element);
}

std::unique_ptr<DesignEdit> ChangeFields(Design& design, TRocketElement& element,
                                         const ElementFields& fields) {
    auto edit = BeginFieldsEdit(design, element);
    WriteFields(element, fields);
    return edit;
}

std::unique_ptr<DesignEdit> DeleteSubtree(Design& design, ElementTree::Node* node) {
    if (node == nullptr || design.tree.absoluteIndex(node) < 0)
        return nullptr;
    return std::make_unique<DeleteEdit>(design, node);
}

std::unique_ptr<DesignEdit> BeginSlide(Design& design, TRocketElement& element) {
    return std::make_unique<SlideEdit>(design, element);
}

bool SlideTo(TRocketElement& element, double x) {
    const TRocketElement* parent = element.Parent;
    if (parent == nullptr || parent->Points.empty())
        return false;
    const double front = parent->Points[0].x;
    if (!(front <= x && x <= front + parent->Length))
        return false;
    element.Offset = static_cast<float>(x - front);
    return true;
}

std::unique_ptr<DesignEdit> AddDimension(Design& design, std::string_view className,
                                         const std::vector<TPoints>& points, int penWidth,
                                         std::uint32_t penColour) {
    std::unique_ptr<TShaped> dimension = CreateShape(className);
    if (!dimension || IsElementClassName(className))
        return nullptr;
    dimension->Pen = TPen{penWidth, penColour};
    dimension->Points = points;
    const TShaped& added = *dimension;
    design.insertDimension(std::move(dimension));
    return RecordPlacedDimension(design, added);
}

std::unique_ptr<DesignEdit> RecordPlacedDimension(Design& design, const TShaped& dimension) {
    const bool present = std::any_of(design.Dimensions.begin(), design.Dimensions.end(),
                                     [&](const auto& d) { return d.get() == &dimension; });
    if (!present)
        return nullptr;
    return std::make_unique<DimensionEdit>(design, EditKind::Insert, dimension, true);
}

std::unique_ptr<DesignEdit> DeleteDimension(Design& design, std::size_t index) {
    if (index >= design.Dimensions.size())
        return nullptr;
    return std::make_unique<DimensionEdit>(design, EditKind::Delete, *design.Dimensions[index],
                                           false);
}

} // namespace vantor
