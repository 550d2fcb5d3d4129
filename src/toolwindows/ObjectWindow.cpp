#include "toolwindows/ObjectWindow.h"

#include "analysis/Summary.h"
#include "canvas/DesignWindow.h"
#include "canvas/QtDrawingSurface.h"
#include "editing/DesignEdits.h"
#include "editing/EditHistory.h"
#include "i18n/AdvForm.h"
#include "interaction/Interaction.h"
#include "toolwindows/DesignTreeModel.h"
#include "toolwindows/StabilityTable.h"

#include <QAction>
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
#include <QTreeView>
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

QTreeView* MakeTree(const QString& name, QAbstractItemModel* model, QWidget* parent) {
    auto* tree = new QTreeView(parent);
    tree->setModel(model);
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
    elementModel_ = new DesignTreeModel(this);
    dimensionModel_ = new DimensionListModel(this);
    ListBox1 = MakeTree("ListBox1", elementModel_, objectsPage_);
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
    ListBox2 = MakeTree("ListBox2", dimensionModel_, dimensionsPage_);
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

    connect(ListBox1, &QTreeView::clicked, this, [this] { ListBox1Click(); });
    connectModels();
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
    if (window == window_)
        return;
    for (const QMetaObject::Connection& link : std::as_const(historyLinks_))
        disconnect(link);
    historyLinks_.clear();
    window_ = window;
    const Design* design = window != nullptr ? &window->design() : nullptr;
    elementModel_->setDesign(design);
    dimensionModel_->setDesign(design);
    if (window == nullptr)
        return;
    EditHistory& history = window->history();
    historyLinks_ << connect(&history, &EditHistory::designChanged, this, [this] {
        elementModel_->refresh();
        dimensionModel_->refresh();
    }) << connect(&history, &EditHistory::restored, this, [this](TRocketElement* focus) {
        selectRestored(focus);
    });
}

void TFormObject::connectModels() {
    connect(elementModel_, &QAbstractItemModel::rowsInserted, this,
            &TFormObject::showInsertedElements);
    connect(elementModel_, &QAbstractItemModel::rowsRemoved, this, [this] { reportEmptiness(); });
    connect(elementModel_, &QAbstractItemModel::modelReset, this, [this] { showWholeDesign(); });
    // A dimension put in, by the pointer or by an undo, becomes the current one.
    connect(dimensionModel_, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex&, int first) {
                ListBox2->clearSelection();
                ListBox2->setCurrentIndex(dimensionModel_->index(first));
            });
}

void TFormObject::showInsertedElements(const QModelIndex& parent, int first, int last) {
    // Components put in (a new one, a subtree brought back, a design read) are shown
    // open under an open parent, the first of them selected.
    if (parent.isValid())
        ListBox1->expand(parent);
    for (int row = first; row <= last; ++row)
        ListBox1->expandRecursively(elementModel_->index(row, 0, parent));
    ListBox1->clearSelection();
    ListBox1->setCurrentIndex(elementModel_->index(first, 0, parent));
    reportEmptiness();
}

void TFormObject::showWholeDesign() {
    ListBox1->expandAll();
    if (elementModel_->rowCount() > 0)
        ListBox1->setCurrentIndex(elementModel_->index(0, 0));
    reportEmptiness();
}

void TFormObject::selectRestored(TRocketElement* focus) {
    if (focus != nullptr && window_ != nullptr)
        selectNode(window_->design().tree.nodeOf(focus));
}

void TFormObject::setPropertiesEditor(std::function<void(TRocketElement&)> editor) {
    editor_ = std::move(editor);
}

ElementTree::Node* TFormObject::selectedNode() const {
    return elementModel_->nodeAt(ListBox1->currentIndex());
}

void TFormObject::selectNode(ElementTree::Node* node) {
    if (const QModelIndex index = elementModel_->indexOf(node); index.isValid())
        ListBox1->setCurrentIndex(index);
}

void TFormObject::deleteSubtree(ElementTree::Node* node) {
    if (node == nullptr || window_ == nullptr)
        return;
    window_->history().record(DeleteSubtree(window_->design(), node));
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
    emit elementTreeEmptied(elementModel_->rowCount() == 0);
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
        const QModelIndex current = ListBox2->currentIndex();
        if (!design.Dimensions.empty() && current.isValid())
            window_->history().record(DeleteDimension(design, std::size_t(current.row())));
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
            if (const QModelIndex index = ListBox1->indexAt(mouse->position().toPoint());
                index.isValid())
                ListBox1->setCurrentIndex(index);
            AParametryExecute();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace vantor
