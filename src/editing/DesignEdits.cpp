#include "editing/DesignEdits.h"

#include "canvas/DesignDrawing.h"
#include "canvas/NullSurface.h"
#include "canvas/ShapeKinds.h"
#include "model/AxisValues.h"
#include "model/Kinds.h"
#include "model/Registry.h"

#include <algorithm>
#include <unordered_map>

namespace vantor {

namespace {

bool SamePoints(const std::vector<TPoints>& a, const std::vector<TPoints>& b) {
    return std::equal(
        a.begin(), a.end(), b.begin(), b.end(), [](const TPoints& p, const TPoints& q) {
            return p.x == q.x && p.y == q.y && p.spareA == q.spareA && p.spareB == q.spareB;
        });
}

// Keeps only the entries of `mine` that `other` lacks or holds differently.
std::vector<std::pair<TRocketElement*, ElementState>>
Differences(std::vector<std::pair<TRocketElement*, ElementState>>& mine,
            const std::unordered_map<const TRocketElement*, const ElementState*>& other) {
    std::vector<std::pair<TRocketElement*, ElementState>> kept;
    for (auto& [element, state] : mine) {
        const auto it = other.find(element);
        if (it == other.end() || !(*it->second == state))
            kept.emplace_back(element, std::move(state));
    }
    return kept;
}

std::unordered_map<const TRocketElement*, const ElementState*>
IndexOf(const DesignGeometry& geometry) {
    std::unordered_map<const TRocketElement*, const ElementState*> index;
    index.reserve(geometry.elements.size());
    for (const auto& [element, state] : geometry.elements)
        index.emplace(element, &state);
    return index;
}

const std::string& CaptionOf(const TRocketElement* element) {
    static const std::string none;
    return element != nullptr ? element->Caption : none;
}

} // namespace

bool ElementState::operator==(const ElementState& other) const {
    // Bitwise for the floats, so that NaN equals NaN and nothing counts as changed
    // that was restored exactly.
    auto same = [](float a, float b) {
        return a == b || (a != a && b != b);
    };
    return same(weight, other.weight) && same(area, other.area) && same(cg, other.cg) &&
           same(cp, other.cp) && SamePoints(points, other.points);
}

DesignGeometry CaptureGeometry(const Design& design) {
    DesignGeometry geometry;
    geometry.originX = OriginX;
    geometry.axisY = AxisY;
    geometry.elements.reserve(design.Elements.size());
    for (const auto& element : design.Elements)
        geometry.elements.emplace_back(element.get(),
                                       ElementState{element->Points, element->Weight, element->Area,
                                                    element->CG, element->CP});
    return geometry;
}

void RestoreGeometry(Design&, const DesignGeometry& geometry) {
    OriginX = geometry.originX;
    AxisY = geometry.axisY;
    for (const auto& [element, state] : geometry.elements) {
        element->Points = state.points;
        element->Weight = state.weight;
        element->Area = state.area;
        element->CG = state.cg;
        element->CP = state.cp;
    }
}

DesignEdit::DesignEdit(const Design& design, EditKind kind, std::string subject)
    : kind_(kind), subject_(std::move(subject)), before_(CaptureGeometry(design)) {}

DesignEdit::~DesignEdit() = default;

bool DesignEdit::finish(Design& design, DesignGeometry* after) {
    if (finished_)
        return true;
    finished_ = true;
    after_ = CaptureGeometry(design);
    if (after != nullptr)
        *after = after_;
    // Only what differs is kept: an edit of one element in a large design stays small.
    const auto beforeIndex = IndexOf(before_);
    std::vector<std::pair<TRocketElement*, ElementState>> afterKept =
        Differences(after_.elements, beforeIndex);
    const auto afterIndex = IndexOf(after_);
    before_.elements = Differences(before_.elements, afterIndex);
    after_.elements = std::move(afterKept);
    return changedSomething() || !before_.elements.empty() || !after_.elements.empty() ||
           before_.originX != after_.originX || before_.axisY != after_.axisY;
}

void DesignEdit::absorbDrift(const DesignGeometry& known, const DesignGeometry& now) {
    const auto knownIndex = IndexOf(known);
    auto find = [](std::vector<std::pair<TRocketElement*, ElementState>>& list,
                   const TRocketElement* element) {
        return std::find_if(list.begin(), list.end(),
                            [element](const auto& entry) { return entry.first == element; });
    };
    for (const auto& [element, state] : now.elements) {
        const auto was = knownIndex.find(element);
        if (was == knownIndex.end() || *was->second == state)
            continue;
        if (auto it = find(after_.elements, element); it != after_.elements.end()) {
            it->second = state;
            continue;
        }
        // Not changed by the edit: before it, the element was as the edit left it.
        after_.elements.emplace_back(element, state);
        if (find(before_.elements, element) == before_.elements.end())
            before_.elements.emplace_back(element, *was->second);
    }
}

std::size_t DesignEdit::memoryEstimate() const {
    std::size_t bytes = sizeof(*this) + subject_.capacity();
    for (const DesignGeometry* geometry : {&before_, &after_})
        for (const auto& [element, state] : geometry->elements)
            bytes += sizeof(element) + sizeof(state) + state.points.capacity() * sizeof(TPoints);
    return bytes;
}

void DesignEdit::undo(Design& design) {
    undoStructure(design);
    RestoreGeometry(design, before_);
}

void DesignEdit::redo(Design& design) {
    redoStructure(design);
    RestoreGeometry(design, after_);
}

namespace {

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
        // The conical nose is placed by a redraw before its quantities are computed.
        if (FindKind(values.kind)->shape == Shape3d::Cone) {
            NullSurface surface;
            DrawDesign(design, surface);
        }
        if (!values.weightGiven)
            added.ComputeWeight();
        added.ComputeCG();
        added.ComputeCP();
    } else if (KindOf(added).ballast) {
        // A ballast keeps its one point and the weight it was given.
        PlaceBehindParent(added);
    } else {
        added.Points.resize(4);
        PlaceBehindParent(added);
        if (!values.weightGiven)
            added.ComputeWeight();
        added.ComputeCG();
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
