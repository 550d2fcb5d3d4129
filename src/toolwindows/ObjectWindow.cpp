#include "toolwindows/ObjectWindow.h"

#include "analysis/Summary.h"
#include "canvas/DesignWindow.h"
#include "canvas/QtDrawingSurface.h"
#include "editing/DesignEdits.h"
#include "i18n/AdvForm.h"
#include "interaction/Interaction.h"
#include "toolwindows/StabilityTable.h"

#include <QAction>
#include <QHash>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QScrollArea>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

namespace vantor {

namespace {

// A scroll area that asks for the height its contents need at its present width (word-
// wrapped labels included), so that it shows no scroll bar when there is room.
class FittingScrollArea final : public QScrollArea {
public:
    using QScrollArea::QScrollArea;

    QSize sizeHint() const override {
        QSize hint = QScrollArea::sizeHint();
        if (QWidget* contents = widget(); contents && contents->hasHeightForWidth())
            hint.setHeight(contents->heightForWidth(viewport()->width()) + 2 * frameWidth());
        return hint;
    }

protected:
    void resizeEvent(QResizeEvent* event) override {
        QScrollArea::resizeEvent(event);
        if (event->oldSize().width() != event->size().width())
            updateGeometry();
    }
};

constexpr int NodeRole = Qt::UserRole;

ElementTree::Node* NodeOf(const QTreeWidgetItem* item) {
    return item != nullptr
               ? reinterpret_cast<ElementTree::Node*>(item->data(0, NodeRole).value<quintptr>())
               : nullptr;
}

QTreeWidget* MakeTree(const QString& name, QWidget* parent) {
    auto* tree = new QTreeWidget(parent);
    tree->setObjectName(name);
    tree->setHeaderHidden(true);
    tree->setIndentation(19);
    tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tree->setMouseTracking(true); // hot tracking
    tree->setMinimumHeight(120);
    QPalette palette = tree->palette();
    palette.setColor(QPalette::Base, Qt::white);
    tree->setPalette(palette);
    return tree;
}

QToolButton* MakeButton(QAction* action, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setDefaultAction(action);
    button->setAutoRaise(true);
    button->setFixedSize(32, 32);
    button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    return button;
}

} // namespace

TFormObject::TFormObject(LanguageSession& language, Interaction& interaction, QWidget* parent)
    : TAdvForm(language, parent), interaction_(interaction) {
    setObjectName("FormObject");
    setWindowTitle(Tagged(2501));
    resize(250, 528);
    createActions();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName("PageControl1");
    layout->addWidget(PageControl1);

    objectsPage_ = new QWidget(PageControl1);
    objectsPage_->setObjectName("TabObiekty");
    auto* objects = new QVBoxLayout(objectsPage_);
    objects->setContentsMargins(0, 0, 0, 0);
    ListBox1 = MakeTree("ListBox1", objectsPage_);
    ListBox1->viewport()->installEventFilter(this);
    objects->addWidget(ListBox1, 1);

    // The classic summary and the Barrowman table below it weigh and measure differently;
    // each says which method it is and where its positions are measured from. The two
    // scroll together when the window is too short for them, so that the window can be
    // made as small as its user likes.
    auto* tables = new FittingScrollArea(objectsPage_);
    tables->setObjectName("TablesScroll");
    tables->setFrameShape(QFrame::NoFrame);
    tables->setWidgetResizable(true);
    tables->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* tablesPage = new QWidget(tables);
    auto* tablesLayout = new QVBoxLayout(tablesPage);
    tablesLayout->setContentsMargins(0, 0, 0, 0);
    tablesLayout->setSpacing(objects->spacing());
    auto* method = new QLabel(Tagged(2560), tablesPage);
    method->setObjectName("lbSummaryMethod");
    method->setToolTip(Tagged(2561));
    method->setWordWrap(true);
    tablesLayout->addWidget(method);
    grid = new QTableWidget(7, 2, tablesPage);
    grid->setObjectName("grid");
    grid->horizontalHeader()->hide();
    grid->verticalHeader()->hide();
    grid->horizontalHeader()->setDefaultSectionSize(90);
    grid->setShowGrid(true);
    grid->setFrameShape(QFrame::NoFrame);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setToolTip(Tagged(2561));
    for (int row = 0; row < 7; ++row)
        for (int column = 0; column < 2; ++column)
            grid->setItem(row, column, new QTableWidgetItem());
    fitGridToFont();
    tablesLayout->addWidget(grid);
    stabilityTable = new StabilityTable(tablesPage);
    tablesLayout->addWidget(stabilityTable);
    tables->setWidget(tablesPage);
    tables->setMinimumHeight(0);
    objects->addWidget(tables);
    // With the two tables under it, the tree gives way first in a short window.
    ListBox1->setMinimumHeight(40);

    auto* objectButtons = new QWidget(objectsPage_);
    auto* objectStrip = new QHBoxLayout(objectButtons);
    objectStrip->setContentsMargins(2, 2, 2, 2);
    objectStrip->addWidget(MakeButton(AParametry, objectButtons));
    objectStrip->addWidget(MakeButton(AobjectClear, objectButtons));
    objectStrip->addStretch();
    objects->addWidget(objectButtons);
    PageControl1->addTab(objectsPage_, Tagged(2502));

    dimensionsPage_ = new QWidget(PageControl1);
    dimensionsPage_->setObjectName("TabWymiary");
    auto* dimensions = new QVBoxLayout(dimensionsPage_);
    dimensions->setContentsMargins(0, 0, 0, 0);
    ListBox2 = MakeTree("ListBox2", dimensionsPage_);
    dimensions->addWidget(ListBox2, 1);
    auto* dimensionButtons = new QWidget(dimensionsPage_);
    auto* dimensionStrip = new QHBoxLayout(dimensionButtons);
    dimensionStrip->setContentsMargins(2, 2, 2, 2);
    dimensionStrip->addWidget(MakeButton(AobjectClear, dimensionButtons));
    QToolButton* hidden = MakeButton(AParametry, dimensionButtons);
    hidden->hide();
    dimensionStrip->addWidget(hidden);
    dimensionStrip->addStretch();
    dimensions->addWidget(dimensionButtons);
    PageControl1->addTab(dimensionsPage_, Tagged(2545));

    connect(ListBox1, &QTreeWidget::itemClicked, this, [this] { ListBox1Click(); });
}

bool TFormObject::FormCreate() {
    if (!TranslateForm())
        return false;
    // The bottom buttons show their glyphs only.
    for (QToolButton* button : findChildren<QToolButton*>())
        button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    return true;
}

void TFormObject::createActions() {
    auto make = [this](const char* name, const QString& caption, bool enabled) {
        auto* action = new QAction(caption, this);
        action->setObjectName(name);
        action->setEnabled(enabled);
        return action;
    };
    AParametry = make("AParametry", Tagged(2546), true);
    AParametry->setIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    AobjectClear = make("AobjectClear", Tagged(2521), true);
    AobjectClear->setToolTip(Tagged(2522));
    AobjectClear->setIcon(style()->standardIcon(QStyle::SP_TrashIcon));
    // Delete removes the selection wherever the object window's window has the focus.
    AobjectClear->setShortcut(QKeySequence::Delete);
    addAction(AobjectClear);
    connect(AParametry, &QAction::triggered, this, [this] { AParametryExecute(); });
    connect(AobjectClear, &QAction::triggered, this, [this] { AobjectClearExecute(); });

    // Commands the window lists but does not perform; they stay disabled. Their pop-up
    // menu is attached to no control.
    AobjectCopy = make("AobjectCopy", Tagged(2515), false);
    AobjectCopy->setToolTip(Tagged(2519));
    AobjectCopy->setIcon(style()->standardIcon(QStyle::SP_FileDialogNewFolder));
    AObjectCut = make("AObjectCut", Tagged(2536), false);
    AObjectCut->setToolTip(Tagged(2524));
    AObjectCut->setIcon(style()->standardIcon(QStyle::SP_DialogDiscardButton));
    AobjectPaste = make("AobjectPaste", Tagged(2514), false);
    AobjectPaste->setToolTip(Tagged(2520));
    AobjectPaste->setIcon(style()->standardIcon(QStyle::SP_DialogApplyButton));

    PopupMenu = new QMenu(this);
    PopupMenu->setObjectName("PopupMenu");
    auto submenu = [this](const char* name, int id) {
        QMenu* menu = PopupMenu->addMenu(Tagged(id));
        menu->setObjectName(name);
        return menu;
    };
    // A plain line: a separator with a text would be drawn as a section with that text.
    auto separator = [&](QMenu* menu, const char* name) {
        QAction* line = make(name, QString(), true);
        line->setSeparator(true);
        menu->addAction(line);
    };
    PopupMenu->addActions({make("AobjectDuplicate", Tagged(2513), false), AobjectCopy, AObjectCut,
                           AobjectPaste, make("AobjectSelectAll", Tagged(2516), false)});
    separator(PopupMenu, "N2510");
    submenu("Kolejnosc1", 2517)
        ->addActions({make("AobjectMoveUp", Tagged(2518), false),
                      make("AobjectMoveDown", Tagged(2523), false),
                      make("Aback", Tagged(2527), false), make("Afront", Tagged(2528), false)});
    QMenu* rotations = submenu("Obroc1", 2507);
    rotations->addActions(
        {make("ARotate45", Tagged(2529), false), make("AUnRotate45", Tagged(2530), false),
         make("ARotate90", Tagged(2531), false), make("AUnRotate90", Tagged(2532), false),
         make("ARotate180", Tagged(2539), false), make("AUnRotate180", Tagged(2540), false)});
    QAction* free = make("ARotateFree", Tagged(2526), false);
    free->setVisible(false);
    rotations->addAction(free);
    submenu("Odbij1", 2508)
        ->addActions({make("AFILPY", Tagged(2534), false), make("AFLOPX", Tagged(2535), false)});
    PopupMenu->addAction(make("AobjectMerge", Tagged(2533), false));
    separator(PopupMenu, "N2511");
    PopupMenu->addActions({make("ASaveObject", Tagged(2537), false),
                           make("ALoadObject", Tagged(2538), false),
                           make("ASaveObjectBMP", Tagged(2542), false)});
    separator(PopupMenu, "N2512");
    PopupMenu->addAction(make("Aproperty", Tagged(2525), false));
}

void TFormObject::setDesignWindow(TMDIChild* window) {
    window_ = window;
}

void TFormObject::setPropertiesEditor(std::function<void(TRocketElement&)> editor) {
    editor_ = std::move(editor);
}

QTreeWidgetItem* TFormObject::itemOf(const ElementTree::Node* node) const {
    if (node == nullptr)
        return nullptr;
    for (QTreeWidgetItemIterator it(ListBox1); *it != nullptr; ++it)
        if (NodeOf(*it) == node)
            return *it;
    return nullptr;
}

QTreeWidgetItem* TFormObject::makeItem(ElementTree::Node* node) const {
    auto* item = new QTreeWidgetItem();
    item->setData(0, NodeRole, QVariant::fromValue(reinterpret_cast<quintptr>(node)));
    if (node->element != nullptr)
        item->setText(0, QString::fromStdString(node->element->Caption));
    return item;
}

void TFormObject::showLoadedDesign() {
    clearTrees();
    if (window_ == nullptr)
        return;
    Design& design = window_->design();
    // Parents come before their children, so each child finds its parent's item; no
    // recursion, however deep the tree a file brings.
    QHash<const ElementTree::Node*, QTreeWidgetItem*> items;
    QList<QTreeWidgetItem*> roots;
    for (ElementTree::Node* node : design.tree.nodesInOrder()) {
        QTreeWidgetItem* item = makeItem(node);
        items.insert(node, item);
        if (QTreeWidgetItem* parent = items.value(node->parent))
            parent->addChild(item);
        else
            roots.append(item);
    }
    ListBox1->addTopLevelItems(roots);
    for (std::size_t i = 0; i < design.Dimensions.size(); ++i)
        ListBox2->addTopLevelItem(new QTreeWidgetItem());
    if (ListBox1->topLevelItemCount() > 0)
        ListBox1->setCurrentItem(ListBox1->topLevelItem(0));
    refreshDimensionCaptions();
    ListBox1->expandAll();
    reportEmptiness();
}

void TFormObject::addElementNode(ElementTree::Node* node) {
    if (node == nullptr)
        return;
    QTreeWidgetItem* parentItem = itemOf(node->parent);
    QTreeWidgetItem* item = makeItem(node);
    if (parentItem != nullptr) {
        parentItem->addChild(item);
        parentItem->setExpanded(true);
        item->setExpanded(true);
    } else {
        ListBox1->addTopLevelItem(item);
    }
    ListBox1->clearSelection();
    ListBox1->setCurrentItem(item);
    reportEmptiness();
}

void TFormObject::addDimensionNode() {
    if (window_ == nullptr || window_->design().Dimensions.empty())
        return;
    auto* item = new QTreeWidgetItem(
        QStringList{QString::fromStdString(window_->design().Dimensions[0]->Caption)});
    ListBox2->insertTopLevelItem(0, item);
    ListBox2->clearSelection();
    ListBox2->setCurrentItem(item);
}

void TFormObject::clearElementTree() {
    ListBox1->clear();
    reportEmptiness();
}

void TFormObject::clearTrees() {
    ListBox2->clear();
    clearElementTree();
}

ElementTree::Node* TFormObject::selectedNode() const {
    return NodeOf(ListBox1->currentItem());
}

void TFormObject::selectNode(ElementTree::Node* node) {
    if (QTreeWidgetItem* item = itemOf(node))
        ListBox1->setCurrentItem(item);
}

void TFormObject::deleteSubtree(ElementTree::Node* node) {
    QTreeWidgetItem* item = itemOf(node);
    if (item == nullptr || window_ == nullptr)
        return;
    delete item;
    window_->history().record(DeleteSubtree(window_->design(), node));
    reportEmptiness();
}

void TFormObject::removeElementNode(ElementTree::Node* node) {
    delete itemOf(node);
    reportEmptiness();
}

void TFormObject::showChangedDesign(TRocketElement* focus) {
    const int dimensionRow = ListBox2->currentItem() != nullptr
                                 ? ListBox2->indexOfTopLevelItem(ListBox2->currentItem())
                                 : -1;
    showLoadedDesign();
    if (window_ == nullptr)
        return;
    if (focus != nullptr)
        selectNode(window_->design().tree.nodeOf(focus));
    if (dimensionRow >= 0 && ListBox2->topLevelItemCount() > 0)
        ListBox2->setCurrentItem(
            ListBox2->topLevelItem(std::min(dimensionRow, ListBox2->topLevelItemCount() - 1)));
}

void TFormObject::refreshElementCaptions() {
    for (QTreeWidgetItemIterator it(ListBox1); *it != nullptr; ++it)
        if (const ElementTree::Node* node = NodeOf(*it);
            node != nullptr && node->element != nullptr)
            (*it)->setText(0, QString::fromStdString(node->element->Caption));
}

void TFormObject::refreshDimensionCaptions() {
    if (window_ == nullptr)
        return;
    const auto& dimensions = window_->design().Dimensions;
    for (int i = 0; i < ListBox2->topLevelItemCount(); ++i) {
        if (static_cast<std::size_t>(i) >= dimensions.size())
            break;
        ListBox2->topLevelItem(i)->setText(
            0, QString::fromStdString(dimensions[std::size_t(i)]->Caption));
    }
}

void TFormObject::showSummary(const Summary& summary) {
    const std::vector<SummaryRow> rows = RowsInUnits(summary, units(), SystemDecimalSeparator());
    for (std::size_t row = 0; row < rows.size() && row < 7; ++row) {
        grid->item(int(row), 0)->setText(QString::fromStdString(rows[row].label));
        grid->item(int(row), 1)->setText(QString::fromStdString(rows[row].value));
    }
}

void TFormObject::showStability(const StabilityAnalysis& analysis) {
    stabilityTable->showAnalysis(analysis, units());
}

void TFormObject::clearSummary() {
    for (int row = 0; row < grid->rowCount(); ++row)
        for (int column = 0; column < grid->columnCount(); ++column)
            grid->item(row, column)->setText(QString());
    stabilityTable->clear();
}

void TFormObject::reportEmptiness() {
    emit elementTreeEmptied(ListBox1->topLevelItemCount() == 0);
}

void TFormObject::ListBox1Click() {
    if (window_ == nullptr || window_->design().Elements.empty())
        return;
    for (auto& element : window_->design().Elements)
        element->Selected = false;
    if (ElementTree::Node* node = selectedNode(); node != nullptr && node->element != nullptr)
        node->element->Selected = true;
    window_->Redraw();
}

void TFormObject::AParametryExecute() {
    if (window_ == nullptr || window_->design().Elements.empty())
        return;
    ElementTree::Node* node = selectedNode();
    if (node == nullptr || node->element == nullptr)
        return;
    if (editor_)
        editor_(*node->element);
    refreshElementCaptions();
    if (window_ != nullptr)
        window_->Redraw();
}

void TFormObject::fitGridToFont() {
    // Rows of 18 pixels, or taller where the font needs it, so all seven stay readable.
    // The header would hold each row to the height its own margins want; the grid has no
    // header to show, so only the font counts.
    const int rowHeight = std::max(18, grid->fontMetrics().height() + 4);
    QHeaderView* rows = grid->verticalHeader();
    rows->setMinimumSectionSize(std::min(rows->minimumSectionSize(), rowHeight));
    rows->setDefaultSectionSize(rowHeight);
    for (int row = 0; row < grid->rowCount(); ++row)
        grid->setRowHeight(row, rowHeight);
    // Exactly its seven rows tall, so the stability table follows right under it.
    grid->setFixedHeight(grid->rowCount() * rowHeight + 2 * grid->frameWidth());
}

void TFormObject::changeEvent(QEvent* event) {
    TAdvForm::changeEvent(event);
    // The desktop's font can change while the program runs.
    if (event->type() == QEvent::FontChange && grid != nullptr)
        fitGridToFont();
}

void TFormObject::AobjectClearExecute() {
    // The question has an empty title.
    if (!interaction_.askYesNo(this, "Delete elements?", QString()))
        return;
    if (window_ == nullptr)
        return;
    Design& design = window_->design();
    if (PageControl1->currentWidget() == dimensionsPage_) {
        QTreeWidgetItem* item = ListBox2->currentItem();
        if (!design.Dimensions.empty() && item != nullptr) {
            window_->history().record(
                DeleteDimension(design, std::size_t(ListBox2->indexOfTopLevelItem(item))));
            delete item;
        }
    } else if (!design.Elements.empty()) {
        deleteSubtree(selectedNode());
    }
    window_->Redraw();
}

void TFormObject::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F9 && window_ != nullptr) {
        window_->ShowFullScreen();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool TFormObject::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ListBox1->viewport() && event->type() == QEvent::MouseButtonPress) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::RightButton) {
            if (QTreeWidgetItem* item = ListBox1->itemAt(mouse->position().toPoint()))
                ListBox1->setCurrentItem(item);
            AParametryExecute();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace vantor
