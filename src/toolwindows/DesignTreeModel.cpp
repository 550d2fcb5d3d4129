#include "toolwindows/DesignTreeModel.h"

#include "model/Design.h"

#include <algorithm>
#include <tuple>

namespace vantor {

namespace {

using Node = ElementTree::Node;

const std::string& CaptionOf(const Node* node) {
    static const std::string none;
    return node->element != nullptr ? node->element->Caption : none;
}

bool SameChildren(const std::vector<std::unique_ptr<Node>>& now, const std::vector<Node*>& shown) {
    return std::equal(now.begin(), now.end(), shown.begin(), shown.end(),
                      [](const std::unique_ptr<Node>& a, const Node* b) { return a.get() == b; });
}

std::vector<Node*> ChildrenIn(const Design& design, const Node* parent) {
    const auto& source = parent != nullptr ? parent->children : design.tree.roots();
    std::vector<Node*> children;
    children.reserve(source.size());
    for (const auto& child : source)
        children.push_back(child.get());
    return children;
}

// The length of the common start and of the common end of two lists (not overlapping).
template <typename T>
std::pair<std::size_t, std::size_t> CommonEnds(const std::vector<T>& a, const std::vector<T>& b) {
    std::size_t front = 0;
    while (front < a.size() && front < b.size() && a[front] == b[front])
        ++front;
    std::size_t back = 0;
    while (back < a.size() - front && back < b.size() - front &&
           a[a.size() - 1 - back] == b[b.size() - 1 - back])
        ++back;
    return {front, back};
}

} // namespace

DesignTreeModel::DesignTreeModel(QObject* parent) : QAbstractItemModel(parent) {}

void DesignTreeModel::setDesign(const Design* design) {
    design_ = design;
    rebuild();
}

void DesignTreeModel::rebuild() {
    beginResetModel();
    entries_.clear();
    root_ = Entry{};
    if (design_ != nullptr) {
        root_.children = ChildrenIn(*design_, nullptr);
        for (std::size_t row = 0; row < root_.children.size(); ++row)
            addEntries(root_.children[row], nullptr, int(row));
    }
    endResetModel();
}

void DesignTreeModel::refresh() {
    if (design_ == nullptr) {
        if (!root_.children.empty())
            rebuild();
        return;
    }
    // Parents before their children, with no recursion however deep the tree.
    std::vector<Node*> pending{nullptr};
    std::vector<Node*> kept;
    while (!pending.empty()) {
        Node* parent = pending.back();
        pending.pop_back();
        kept.clear();
        if (!reconcileChildren(parent, kept)) {
            rebuild();
            return;
        }
        pending.insert(pending.end(), kept.begin(), kept.end());
    }
}

bool DesignTreeModel::reconcileChildren(Node* parent, std::vector<Node*>& kept) {
    Entry& entry = *entryOf(parent);
    std::vector<Node*>& shown = entry.children;
    // Most steps change no structure: the children are compared before any copy is made.
    const bool same =
        SameChildren(parent != nullptr ? parent->children : design_->tree.roots(), shown);
    const std::vector<Node*> now = same ? std::vector<Node*>() : ChildrenIn(*design_, parent);
    const auto [front, back] =
        same ? std::pair{shown.size(), std::size_t(0)} : CommonEnds(shown, now);
    const QModelIndex parentIndex = indexOf(parent);
    auto renumber = [&](std::size_t from) {
        for (std::size_t row = from; row < shown.size(); ++row)
            entries_[shown[row]].row = int(row);
    };

    if (shown.size() - back > front) {
        beginRemoveRows(parentIndex, int(front), int(shown.size() - back - 1));
        for (std::size_t row = front; row < shown.size() - back; ++row)
            eraseEntries(shown[row]);
        shown.erase(shown.begin() + std::ptrdiff_t(front), shown.end() - std::ptrdiff_t(back));
        renumber(front);
        endRemoveRows();
    }
    if (now.size() - back > front) {
        // A node shown elsewhere cannot appear here as well: that is a destroyed node's
        // address given to a new one.
        std::vector<const Node*> added(now.begin() + std::ptrdiff_t(front),
                                       now.end() - std::ptrdiff_t(back));
        while (!added.empty()) {
            const Node* node = added.back();
            added.pop_back();
            if (entries_.count(node) != 0)
                return false;
            for (const auto& child : node->children)
                added.push_back(child.get());
        }
        beginInsertRows(parentIndex, int(front), int(now.size() - back - 1));
        shown.insert(shown.begin() + std::ptrdiff_t(front), now.begin() + std::ptrdiff_t(front),
                     now.end() - std::ptrdiff_t(back));
        for (std::size_t row = front; row < now.size() - back; ++row)
            addEntries(now[row], parent, int(row));
        renumber(now.size() - back);
        endInsertRows();
    }

    for (std::size_t row = 0; row < shown.size(); ++row) {
        if (row == front)
            row = shown.size() - back;
        if (row >= shown.size())
            break;
        Node* node = shown[row];
        Entry& child = entries_[node];
        if (const std::string& caption = CaptionOf(node); caption != child.caption) {
            child.caption = caption;
            const QModelIndex changed = createIndex(int(row), 0, node);
            emit dataChanged(changed, changed, {Qt::DisplayRole});
        }
        kept.push_back(node);
    }
    return true;
}

void DesignTreeModel::addEntries(Node* node, Node* parent, int row) {
    std::vector<std::tuple<Node*, Node*, int>> pending{{node, parent, row}};
    while (!pending.empty()) {
        const auto [each, above, at] = pending.back();
        pending.pop_back();
        Entry& entry = entries_[each];
        entry.parent = above;
        entry.row = at;
        entry.caption = CaptionOf(each);
        entry.children.clear();
        entry.children.reserve(each->children.size());
        for (std::size_t i = 0; i < each->children.size(); ++i) {
            entry.children.push_back(each->children[i].get());
            pending.emplace_back(each->children[i].get(), each, int(i));
        }
    }
}

void DesignTreeModel::eraseEntries(const Node* node) {
    // Only the model's own record of the subtree is walked: the nodes may be gone.
    std::vector<const Node*> pending{node};
    while (!pending.empty()) {
        const Node* each = pending.back();
        pending.pop_back();
        const auto it = entries_.find(each);
        if (it == entries_.end())
            continue;
        pending.insert(pending.end(), it->second.children.begin(), it->second.children.end());
        entries_.erase(it);
    }
}

const DesignTreeModel::Entry* DesignTreeModel::entryOf(const Node* node) const {
    if (node == nullptr)
        return &root_;
    const auto it = entries_.find(node);
    return it != entries_.end() ? &it->second : nullptr;
}

DesignTreeModel::Entry* DesignTreeModel::entryOf(const Node* node) {
    return const_cast<Entry*>(std::as_const(*this).entryOf(node));
}

ElementTree::Node* DesignTreeModel::nodeAt(const QModelIndex& index) const {
    if (!index.isValid() || index.model() != this)
        return nullptr;
    return static_cast<Node*>(index.internalPointer());
}

QModelIndex DesignTreeModel::indexOf(const Node* node) const {
    if (node == nullptr)
        return {};
    const Entry* entry = entryOf(node);
    return entry != nullptr ? createIndex(entry->row, 0, const_cast<Node*>(node)) : QModelIndex();
}

QModelIndex DesignTreeModel::index(int row, int column, const QModelIndex& parent) const {
    if (column != 0 || row < 0 || (parent.isValid() && parent.column() != 0))
        return {};
    const Entry* entry = entryOf(nodeAt(parent));
    if (entry == nullptr || std::size_t(row) >= entry->children.size())
        return {};
    return createIndex(row, 0, entry->children[std::size_t(row)]);
}

QModelIndex DesignTreeModel::parent(const QModelIndex& child) const {
    const Entry* entry = entryOf(nodeAt(child));
    if (entry == nullptr || entry->parent == nullptr)
        return {};
    return indexOf(entry->parent);
}

int DesignTreeModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid() && parent.column() != 0)
        return 0;
    const Entry* entry = entryOf(nodeAt(parent));
    return entry != nullptr ? int(entry->children.size()) : 0;
}

int DesignTreeModel::columnCount(const QModelIndex&) const {
    return 1;
}

QVariant DesignTreeModel::data(const QModelIndex& index, int role) const {
    const Node* node = nodeAt(index);
    const Entry* entry = entryOf(node);
    if (node == nullptr || entry == nullptr)
        return {};
    if (role == Qt::DisplayRole)
        return QString::fromStdString(entry->caption);
    if (role == NodeRole)
        return QVariant::fromValue(reinterpret_cast<quintptr>(node));
    return {};
}

Qt::ItemFlags DesignTreeModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

DimensionListModel::DimensionListModel(QObject* parent) : QAbstractListModel(parent) {}

void DimensionListModel::setDesign(const Design* design) {
    beginResetModel();
    design_ = design;
    shown_.clear();
    captions_.clear();
    if (design_ != nullptr)
        for (const auto& dimension : design_->Dimensions) {
            shown_.push_back(dimension.get());
            captions_.push_back(dimension->Caption);
        }
    endResetModel();
}

void DimensionListModel::refresh() {
    std::vector<const TShaped*> now;
    if (design_ != nullptr)
        for (const auto& dimension : design_->Dimensions)
            now.push_back(dimension.get());
    const auto [front, back] = CommonEnds(shown_, now);
    if (shown_.size() - back > front) {
        beginRemoveRows({}, int(front), int(shown_.size() - back - 1));
        shown_.erase(shown_.begin() + std::ptrdiff_t(front), shown_.end() - std::ptrdiff_t(back));
        captions_.erase(captions_.begin() + std::ptrdiff_t(front),
                        captions_.end() - std::ptrdiff_t(back));
        endRemoveRows();
    }
    if (now.size() - back > front) {
        beginInsertRows({}, int(front), int(now.size() - back - 1));
        for (std::size_t row = front; row < now.size() - back; ++row) {
            shown_.insert(shown_.begin() + std::ptrdiff_t(row), now[row]);
            captions_.insert(captions_.begin() + std::ptrdiff_t(row), now[row]->Caption);
        }
        endInsertRows();
    }
    // Every row now shows the dimension at its index in the design.
    for (std::size_t row = 0; row < shown_.size(); ++row)
        if (now[row]->Caption != captions_[row]) {
            captions_[row] = now[row]->Caption;
            const QModelIndex changed = index(int(row));
            emit dataChanged(changed, changed, {Qt::DisplayRole});
        }
}

int DimensionListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(shown_.size());
}

QVariant DimensionListModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid) || role != Qt::DisplayRole)
        return {};
    return QString::fromStdString(captions_[std::size_t(index.row())]);
}

Qt::ItemFlags DimensionListModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren
                           : Qt::NoItemFlags;
}

} // namespace vantor
