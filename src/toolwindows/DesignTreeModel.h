#pragma once

#include "model/ElementTree.h"

#include <QAbstractItemModel>
#include <QAbstractListModel>
#include <string>
#include <unordered_map>
#include <vector>

namespace vantor {

class Design;
class TShaped;

// The components of a design as a tree of one column: one row per node of the design's
// tree, children under the component they are attached to, each row reading its
// element's caption.
//
// The model keeps its own copy of the rows it has announced, so that it can say exactly
// what changed when it is told the design did (refresh()): rows taken out and put in
// where the design's tree differs, and captions that now read otherwise. It never reads
// a node it has not just found in the design: a node taken out of the design (and maybe
// destroyed since) is only compared by address.
class DesignTreeModel final : public QAbstractItemModel {
    Q_OBJECT

public:
    // The node of a row, as a quintptr: data(index, NodeRole).
    static constexpr int NodeRole = Qt::UserRole;

    explicit DesignTreeModel(QObject* parent = nullptr);

    // Shows the design's tree (none when null), starting afresh.
    void setDesign(const Design* design);
    const Design* design() const { return design_; }
    // Brings the rows and captions in step with the design.
    void refresh();

    ElementTree::Node* nodeAt(const QModelIndex& index) const;
    // The row of the node; invalid when the model does not show it.
    QModelIndex indexOf(const ElementTree::Node* node) const;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    struct Entry {
        ElementTree::Node* parent = nullptr;
        int row = 0;
        std::vector<ElementTree::Node*> children;
        std::string caption;
    };
    const Entry* entryOf(const ElementTree::Node* node) const;
    Entry* entryOf(const ElementTree::Node* node);
    // Adds entries for the node and its descendants, read from the design.
    void addEntries(ElementTree::Node* node, ElementTree::Node* parent, int row);
    void eraseEntries(const ElementTree::Node* node);
    // Brings one parent's children in step; false when a node would appear twice (an
    // address of a destroyed node given to a new one), which only a reset can follow.
    bool reconcileChildren(ElementTree::Node* parent, std::vector<ElementTree::Node*>& kept);
    void rebuild();

    const Design* design_ = nullptr;
    Entry root_;
    std::unordered_map<const ElementTree::Node*, Entry> entries_;
};

// The dimensions of a design as a list: one row per dimension, the newest (index 0)
// first, each reading its caption. Like DesignTreeModel it keeps the rows it announced
// and says what changed on refresh().
class DimensionListModel final : public QAbstractListModel {
    Q_OBJECT

public:
    explicit DimensionListModel(QObject* parent = nullptr);

    void setDesign(const Design* design);
    void refresh();

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    const Design* design_ = nullptr;
    std::vector<const TShaped*> shown_;
    std::vector<std::string> captions_;
};

} // namespace vantor
