#pragma once

#include "i18n/AdvForm.h"
#include "model/ElementTree.h"
#include "model/Quantities.h"

#include <QList>
#include <QWidget>
#include <functional>

class QAction;
class QMenu;
class QTabWidget;
class QTableWidget;
class QModelIndex;
class QTreeView;
class QToolButton;

namespace vantor {

class Interaction;
class DesignTreeModel;
class DimensionListModel;
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

    // The design window whose design the trees show; null when none is open. The trees
    // follow its design from then on: its history says when the design changed.
    void setDesignWindow(TMDIChild* window);
    TMDIChild* designWindow() const { return window_; }

    ElementTree::Node* selectedNode() const;
    void selectNode(ElementTree::Node* node);
    DesignTreeModel& elementModel() const { return *elementModel_; }
    DimensionListModel& dimensionModel() const { return *dimensionModel_; }
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

    QTreeView* ListBox1 = nullptr;
    QTreeView* ListBox2 = nullptr;
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
    void createActions();
    void reportEmptiness();
    // Removes the node with its descendants from the design, as one step of its history.
    void deleteSubtree(ElementTree::Node* node);
    // What the trees do when the models change: rows put in are shown and selected.
    void connectModels();
    void showInsertedElements(const QModelIndex& parent, int first, int last);
    void showWholeDesign();
    // An undo or redo selects the component it concerns.
    void selectRestored(TRocketElement* focus);

    Interaction& interaction_;
    TMDIChild* window_ = nullptr;
    DesignTreeModel* elementModel_ = nullptr;
    DimensionListModel* dimensionModel_ = nullptr;
    QList<QMetaObject::Connection> historyLinks_;
    std::function<void(TRocketElement&)> editor_;
    std::function<UnitChoice()> unitSource_;
    UnitChoice units() const { return unitSource_ ? unitSource_() : UnitChoice{}; }
    QMenu* PopupMenu = nullptr;
    QWidget* objectsPage_ = nullptr;
    QWidget* dimensionsPage_ = nullptr;
};

} // namespace vantor
