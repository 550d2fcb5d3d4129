#pragma once

#include "i18n/AdvForm.h"
#include "model/ElementTree.h"
#include "model/Quantities.h"

#include <QWidget>
#include <functional>

class QAction;
class QMenu;
class QTabWidget;
class QTableWidget;
class QTreeWidget;
class QTreeWidgetItem;
class QToolButton;

namespace vantor {

class Interaction;
class TMDIChild;
class TRocketElement;
class TShaped;
struct Summary;
struct StabilityAnalysis;
class StabilityTable;

// The object window: the components of the active design as a tree whose selected
// node is the program's selection, the summary grid under it, and the design's
// dimension annotations on a second page.
class TFormObject : public TAdvForm<QWidget> {
    Q_OBJECT

public:
    TFormObject(LanguageSession& language, Interaction& interaction, QWidget* parent = nullptr);
    // Translates the window's captions; false when the language library failed.
    bool FormCreate();

    // The design window whose design the trees show; null when none is open.
    void setDesignWindow(TMDIChild* window);
    TMDIChild* designWindow() const { return window_; }

    // Rebuilds both trees from the design (after loading a file): selects the first
    // node, refreshes the dimension captions and expands the element tree.
    void showLoadedDesign();
    // Adds a node for a node just added to the design's tree and selects it; a child is
    // also expanded.
    void addElementNode(ElementTree::Node* node);
    // Puts a node for the newest dimension (index 0) at the top of the dimension tree
    // and selects it.
    void addDimensionNode();
    void clearElementTree();
    void clearTrees();

    ElementTree::Node* selectedNode() const;
    void selectNode(ElementTree::Node* node);
    // Removes the node with its descendants from the tree and their elements from the
    // design, as one step of the design's history.
    void deleteSubtree(ElementTree::Node* node);
    // Removes the node's item (and its descendants' items) from the tree only.
    void removeElementNode(ElementTree::Node* node);
    // Rebuilds both trees from the design as it is now, as after an undo, keeping the
    // page and selecting the node of `focus` (or the first node).
    void showChangedDesign(TRocketElement* focus);
    // Sets each component node's text to its element's caption.
    void refreshElementCaptions();
    // Sets each dimension node's text to the caption of the dimension at its index.
    void refreshDimensionCaptions();
    // Writes the summary rows into the grid; rows not written keep what they held.
    void showSummary(const Summary& summary);
    // Shows the standard stability analysis in the table under the grid.
    void showStability(const StabilityAnalysis& analysis);
    // Empties every cell of the summary grid and the stability table (no design is open).
    void clearSummary();

    // What the properties action does with the selected element.
    void setPropertiesEditor(std::function<void(TRocketElement&)> editor);
    // The units the summary and the stability table show lengths and weights in; without
    // it millimetres and grams.
    void setUnitSource(std::function<UnitChoice()> source) { unitSource_ = std::move(source); }

    QTreeWidget* ListBox1 = nullptr;
    QTreeWidget* ListBox2 = nullptr;
    QTableWidget* grid = nullptr;
    StabilityTable* stabilityTable = nullptr;
    QTabWidget* PageControl1 = nullptr;
    QAction* AParametry = nullptr;
    QAction* AobjectClear = nullptr;
    QAction* AobjectCopy = nullptr;
    QAction* AObjectCut = nullptr;
    QAction* AobjectPaste = nullptr;

    void AParametryExecute();
    void AobjectClearExecute();
    void ListBox1Click();

signals:
    // The element tree became empty or non-empty.
    void elementTreeEmptied(bool empty);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // Sizes the summary grid's rows for its font and the grid for its seven rows.
    void fitGridToFont();
    QTreeWidgetItem* itemOf(const ElementTree::Node* node) const;
    QTreeWidgetItem* makeItem(ElementTree::Node* node) const;
    void createActions();
    void reportEmptiness();

    Interaction& interaction_;
    TMDIChild* window_ = nullptr;
    std::function<void(TRocketElement&)> editor_;
    std::function<UnitChoice()> unitSource_;
    UnitChoice units() const { return unitSource_ ? unitSource_() : UnitChoice{}; }
    QMenu* PopupMenu = nullptr;
    QWidget* objectsPage_ = nullptr;
    QWidget* dimensionsPage_ = nullptr;
};

} // namespace vantor
