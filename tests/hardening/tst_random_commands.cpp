// Long random sequences of commands thrown at the whole program: menu and toolbar
// commands, dialogs answered at random, keys, and pointer presses, moves and releases on
// the design window, its rulers and the object window. After every step the program must
// be consistent: the object window's trees show the active design's elements and
// dimensions one to one and in order, the summary grid and the stability table show what
// a fresh computation of the saved design gives, and the design saves, loads and saves
// again to the same bytes. A failure names its seed, its step and the steps before it;
// the row of that seed run alone replays it.
#include "analysis/Stability.h"
#include "analysis/Summary.h"
#include "canvas/DesignDrawing.h"
#include "canvas/DesignWindow.h"
#include "canvas/QtDrawingSurface.h"
#include "designfile/DesignFile.h"
#include "i18n/LanguageSession.h"
#include "model/AxisValues.h"
#include "model/NullSurface.h"
#include "model/Placing.h"
#include "preview3d/Form3D.h"
#include "shell/MainWindow.h"
#include "shell/Program.h"
#include "support/ModelRows.h"
#include "support/RandomInteraction.h"
#include "support/ResidentGlDriver.h"
#include "support/TestMain.h"
#include "toolwindows/ObjectWindow.h"
#include "toolwindows/StabilityTable.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QScrollBar>
#include <QSettings>
#include <QStandardPaths>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <QWheelEvent>

using namespace vantor;
using test::RowsInOrder;

namespace {

#ifndef VANTOR_RANDOM_STEP_DIVISOR
#define VANTOR_RANDOM_STEP_DIVISOR 1
#endif

// Commands never triggered: Exit ends the program, which the run has to outlive.
const QStringList SkippedActions{"FileExit1"};
const QStringList InsertionActions{"AGlowicaStozek", "AGlowicaOgive", "AGlowicaParabolic",
                                   "AKorpus",        "AEngine",       "AStozekSciety",
                                   "AStatecznik",    "ABalast"};

int StepsPerSeed() {
    bool ok = false;
    const int steps = qEnvironmentVariableIntValue("VANTOR_RANDOM_STEPS", &ok);
    return ok && steps > 0 ? steps : 1000 / VANTOR_RANDOM_STEP_DIVISOR;
}

// Clears the user's settings and files a run leaves, so that every seed starts alike,
// alone or after others.
void ForgetUserState() {
    QSettings("Qendel", "CAD").clear();
    for (auto location : {QStandardPaths::AppConfigLocation, QStandardPaths::AppDataLocation})
        QDir(QStandardPaths::writableLocation(location)).removeRecursively();
}

std::vector<std::uint8_t> FileBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    return {bytes.begin(), bytes.end()};
}

// Whether two encodings hold the same design. A dimension is
// a step of the design's history only once it is placed: while one is being placed (its
// points still coming, or fewer than three of them) the two are not compared.
bool SameDesign(const std::vector<std::uint8_t>& before, const std::vector<std::uint8_t>& bytes,
                bool placing) {
    if (before == bytes)
        return true;
    const auto unplaced = [](const std::vector<std::uint8_t>& from) {
        Design design;
        DecodeDesign(from, design);
        return std::any_of(design.Dimensions.begin(), design.Dimensions.end(),
                           [](const auto& d) { return d->Points.size() < 3; });
    };
    return placing || unplaced(before) || unplaced(bytes);
}

// The first element or dimension whose fields differ between two design files.
QString FirstDifference(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b) {
    const auto lines = [](const std::vector<std::uint8_t>& bytes) {
        Design design;
        DecodeDesign(bytes, design);
        QStringList out;
        const auto shape = [&](const TShaped& s, const TRocketElement* e) {
            QString line = QString::fromStdString(s.ClassName + " \"" + s.Caption + "\"");
            if (e != nullptr)
                for (float v : {e->Weight, e->Density, e->Length, e->DiameterA, e->DiameterB,
                                e->Thickness, e->Offset})
                    line += ' ' + QString::number(v, 'g', 9);
            for (const TPoints& p : s.Points)
                line += QStringLiteral(" (%1,%2)").arg(p.x, 0, 'g', 17).arg(p.y, 0, 'g', 17);
            out << line;
        };
        for (const ElementTree::Node* node : design.tree.nodesInOrder())
            shape(*node->element, node->element);
        for (const auto& dimension : design.Dimensions)
            shape(*dimension, nullptr);
        return out;
    };
    const QStringList x = lines(a), y = lines(b);
    for (qsizetype i = 0; i < std::max(x.size(), y.size()); ++i)
        if (x.value(i) != y.value(i))
            return QStringLiteral("record %1: \"%2\" against \"%3\"")
                .arg(i)
                .arg(x.value(i), y.value(i));
    return QStringLiteral("same fields");
}

// The program started as main() starts it, answering every modal interaction at random.
struct RandomRun {
    // The designs offered to File > Open are the reference designs and what the run saves.
    explicit RandomRun(quint32 seed) : interaction(seed, files.path() + "/files") {
        const QDir data(QStringLiteral(VANTOR_TEST_DATA_DIR));
        for (const QString& name : data.entryList({"*.kfx"}, QDir::Files, QDir::Name))
            QFile::copy(data.filePath(name), files.path() + "/files/" + name);
    }

    QTemporaryDir files;
    test::RandomInteraction interaction;
    LanguageSession language{interaction, QCoreApplication::applicationDirPath() + "/.."};
    QTemporaryDir directory;
    Program program{language, interaction, directory.path()};
    TMainForm* main = nullptr;

    bool start() {
        if (!program.create())
            return false;
        main = program.mainForm();
        main->setGeometry(main->screen()->availableGeometry());
        main->showMaximized();
        if (!QTest::qWaitForWindowExposed(main))
            return false;
        main->activateWindow();
        // Shortcuts need the window active; the rest does not.
        (void)QTest::qWaitForWindowActive(main, 1000);
        return true;
    }

    TFormObject& objects() const { return *program.formObject(); }
    QMdiArea* area() const { return main->findChild<QMdiArea*>("ClientArea"); }

    // The design window the commands act on: the active one, else the last active.
    TMDIChild* window() const {
        QMdiSubWindow* sub = area()->activeSubWindow();
        if (sub == nullptr) {
            const auto subs = area()->subWindowList(QMdiArea::ActivationHistoryOrder);
            sub = subs.isEmpty() ? nullptr : subs.last();
        }
        return sub != nullptr ? qobject_cast<TMDIChild*>(sub->widget()) : nullptr;
    }

    int below(int n) { return interaction.below(n); }
    bool chance(int percent) { return interaction.chance(percent); }
    void note(const QString& text) { interaction.trace << text; }

    // --- Steps -------------------------------------------------------------------------

    // Actions a user can reach: in a menu or on a toolbar, visible, enabled.
    QList<QAction*> reachableActions(bool insertionsOnly) const {
        QList<QAction*> actions;
        for (QAction* action : main->findChildren<QAction*>()) {
            const QString name = action->objectName();
            if (name.isEmpty() || action->isSeparator() || !action->isVisible() ||
                !action->isEnabled() || action->associatedObjects().isEmpty() ||
                SkippedActions.contains(name) ||
                (insertionsOnly && !InsertionActions.contains(name)))
                continue;
            actions << action;
        }
        return actions;
    }

    void triggerAction() {
        QList<QAction*> actions = reachableActions(chance(40));
        if (actions.isEmpty())
            actions = reachableActions(false);
        QAction* action = actions[below(int(actions.size()))];
        note(QStringLiteral("trigger %1").arg(action->objectName()));
        action->trigger();
    }

    void clickToolButton() {
        QList<QToolButton*> buttons;
        QList<QWidget*> holders{&objects()};
        for (QToolBar* bar : main->findChildren<QToolBar*>())
            holders << bar;
        for (QWidget* holder : holders)
            for (QToolButton* button : holder->findChildren<QToolButton*>())
                if (button->isVisible() && button->isEnabled() &&
                    !button->objectName().startsWith("qt_"))
                    buttons << button;
        if (buttons.isEmpty())
            return;
        QToolButton* button = buttons[below(int(buttons.size()))];
        note(QStringLiteral("click button %1 (%2)")
                 .arg(button->objectName(),
                      button->defaultAction() ? button->defaultAction()->objectName() : ""));
        QTest::mouseClick(button, Qt::LeftButton);
    }

    void pressKeys() {
        static const QList<std::pair<Qt::Key, Qt::KeyboardModifiers>> keys{
            {Qt::Key_Delete, {}},
            {Qt::Key_Return, {}},
            {Qt::Key_Escape, {}},
            {Qt::Key_Up, {}},
            {Qt::Key_Down, {}},
            {Qt::Key_Left, {}},
            {Qt::Key_Right, {}},
            {Qt::Key_Home, {}},
            {Qt::Key_End, {}},
            {Qt::Key_PageDown, {}},
            {Qt::Key_F9, {}},
            {Qt::Key_Tab, {}},
            {Qt::Key_Space, {}},
            {Qt::Key_A, {}},
            {Qt::Key_Z, Qt::ControlModifier},
            {Qt::Key_Y, Qt::ControlModifier},
            {Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier},
            {Qt::Key_N, Qt::ControlModifier},
            {Qt::Key_S, Qt::ControlModifier},
            {Qt::Key_O, Qt::ControlModifier}};
        QList<QWidget*> targets{main, objects().findChild<QTreeView*>("ListBox1"),
                                objects().findChild<QTreeView*>("ListBox2")};
        if (TMDIChild* w = window())
            targets << w;
        if (QWidget* focus = QApplication::focusWidget())
            targets << focus;
        QWidget* target = targets[below(int(targets.size()))];
        const auto [key, modifiers] = keys[below(int(keys.size()))];
        note(QStringLiteral("key %1 modifiers %2 on %3")
                 .arg(QKeySequence(key).toString())
                 .arg(int(modifiers))
                 .arg(target->objectName()));
        QTest::keyClick(target, key, modifiers);
    }

    // A point in the widget: often on the rocket's axis near the design's elements.
    QPoint pointIn(QWidget& widget) {
        TMDIChild* w = qobject_cast<TMDIChild*>(&widget);
        if (w != nullptr && chance(60) && !w->design().Elements.empty()) {
            const auto& elements = w->design().Elements;
            const TRocketElement& element = *elements[std::size_t(below(int(elements.size())))];
            const double x = element.Points.empty() ? OriginX : element.Points.front().x;
            const double drawX = (x + below(60) - 10) * w->scale();
            const double drawY = (AxisY + below(40) - 20) * w->scale();
            const QPoint at(int(std::clamp(drawX - w->scrollX()->value() + w->viewRect().left(),
                                           0.0, double(widget.width() - 1))),
                            int(std::clamp(drawY - w->scrollY()->value() + w->viewRect().top(), 0.0,
                                           double(widget.height() - 1))));
            return at;
        }
        return {below(std::max(1, widget.width())), below(std::max(1, widget.height()))};
    }

    void usePointer(QWidget& widget, const QString& name) {
        const Qt::MouseButton button = QList<Qt::MouseButton>{
            Qt::LeftButton, Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}[below(4)];
        QPoint at = pointIn(widget);
        const int kind = below(10);
        if (kind < 2) {
            note(QStringLiteral("move over %1 at %2,%3").arg(name).arg(at.x()).arg(at.y()));
            QTest::mouseMove(&widget, at);
            return;
        }
        if (kind == 2) {
            note(QStringLiteral("double click %1 at %2,%3").arg(name).arg(at.x()).arg(at.y()));
            QTest::mouseDClick(&widget, button, {}, at);
            // The test library leaves the button held after the second press.
            QTest::mouseRelease(&widget, button, {}, at);
            return;
        }
        note(QStringLiteral("drag %1 from %2,%3 button %4")
                 .arg(name)
                 .arg(at.x())
                 .arg(at.y())
                 .arg(int(button)));
        QTest::mousePress(&widget, button, {}, at);
        for (int moves = below(5); moves > 0; --moves) {
            at += QPoint(below(81) - 40, below(21) - 10);
            QTest::mouseMove(&widget, at);
        }
        QTest::mouseRelease(&widget, button, {}, at);
    }

    void usePointerOnDesign() {
        TMDIChild* w = window();
        if (w == nullptr || !w->isVisible())
            return;
        if (chance(15)) {
            QWidget* ruler = w->findChild<QWidget*>(chance(50) ? "pLinijkaTop" : "pLinijkaLeft");
            if (ruler != nullptr && ruler->isVisible())
                return usePointer(*ruler, ruler->objectName());
        }
        if (chance(8)) {
            const QPoint at = pointIn(*w);
            const int delta = (below(7) - 3) * 120;
            const auto modifiers = chance(50) ? Qt::ShiftModifier : Qt::NoModifier;
            note(QStringLiteral("wheel %1 modifiers %2").arg(delta).arg(int(modifiers)));
            QWheelEvent wheel(at, w->mapToGlobal(at), {}, {0, delta}, Qt::NoButton, modifiers,
                              Qt::NoScrollPhase, false);
            QCoreApplication::sendEvent(w, &wheel);
            return;
        }
        usePointer(*w, "the design");
    }

    void useObjectWindow() {
        auto* tabs = objects().findChild<QTabWidget*>("PageControl1");
        if (chance(20) && tabs->isVisible()) {
            const int tab = below(tabs->count());
            note(QStringLiteral("click object window tab %1").arg(tab));
            QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {},
                              tabs->tabBar()->tabRect(tab).center());
            return;
        }
        auto* tree = objects().findChild<QTreeView*>(chance(75) ? "ListBox1" : "ListBox2");
        const QList<QModelIndex> items = RowsInOrder(*tree->model());
        if (items.isEmpty() || !tree->isVisible())
            return;
        const QModelIndex item = items[below(int(items.size()))];
        tree->scrollTo(item);
        const QRect rect = tree->visualRect(item);
        if (rect.isEmpty())
            return;
        const Qt::MouseButton button = chance(80) ? Qt::LeftButton : Qt::RightButton;
        note(QStringLiteral("click %1 item \"%2\" button %3")
                 .arg(tree->objectName(), item.data().toString())
                 .arg(int(button)));
        QTest::mouseClick(tree->viewport(), button, {}, rect.center());
    }

    // The options window, when it is open: its buttons, check boxes and grid fields.
    void useOptions() {
        QWidget* options = main->findChild<QWidget*>("FormOpcje");
        if (options == nullptr || !options->isVisible())
            return;
        const int kind = below(4);
        if (kind == 0) {
            auto* spin = options->findChild<QSpinBox*>(chance(50) ? "sXGrid" : "sYGrid");
            const int value = interaction.fieldValue(spin->minimum(), spin->maximum());
            note(QStringLiteral("options: %1 = %2").arg(spin->objectName()).arg(value));
            spin->setValue(value);
            return;
        }
        const char* name = kind == 1   ? (chance(50) ? "cbVisibleGrid" : "cbSnapGrid")
                           : kind == 2 ? "bOK"
                                       : "bZamknij";
        auto* button = options->findChild<QAbstractButton*>(name);
        if (button == nullptr || !button->isVisible() || !button->isEnabled())
            return;
        note(QStringLiteral("options: click %1").arg(name));
        QTest::mouseClick(button, Qt::LeftButton);
    }

    void step() {
        const int kind = below(100);
        if (kind < 40)
            triggerAction();
        else if (kind < 50)
            clickToolButton();
        else if (kind < 62)
            pressKeys();
        else if (kind < 84)
            usePointerOnDesign();
        else if (kind < 95)
            useObjectWindow();
        else
            useOptions();
        // What the commands left queued (deferred deletions included) is done before
        // the program is looked at, as the event loop would do it before the next input.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
        if (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
    }

    // --- Invariants --------------------------------------------------------------------

    // An unmodified design with a file is the design as it was when it was saved, or as
    // its first redraw after opening left it (a redraw may rewrite what a file written
    // elsewhere holds: a dimension's caption, an element placed from its parent). Empty
    // when it is.
    QString unsavedDrift(TMDIChild& w, const std::vector<std::uint8_t>& bytes) {
        const QString path = w.document().filePath();
        if (w.history().isModified() || path.isEmpty())
            return {};
        const std::vector<std::uint8_t> file = FileBytes(path);
        if (&w != baseline_.window || path != baseline_.path || file != baseline_.file) {
            baseline_ = {&w, path, file, bytes};
            return {};
        }
        if (SameDesign(baseline_.design, bytes, placing()))
            return {};
        return QStringLiteral("the design, unmodified, is not what it was when \"%1\" was "
                              "saved or opened: %2")
            .arg(path, FirstDifference(baseline_.design, bytes));
    }
    struct Baseline {
        const TMDIChild* window = nullptr;
        QString path;
        std::vector<std::uint8_t> file;
        std::vector<std::uint8_t> design;
    } baseline_;

    // Whether the pointer places the points of the newest dimension.
    bool placing() const {
        const PointerModeKind mode = static_cast<const DesignWindowHost&>(*main).pointerMode();
        return mode == PointerModeKind::LinearDimension || mode == PointerModeKind::AngleDimension;
    }

    // Empty when the object window's trees show the active design one to one.
    QString treeFault() {
        const QAbstractItemModel& elementTree =
            *objects().findChild<QTreeView*>("ListBox1")->model();
        const QAbstractItemModel& dimensionTree =
            *objects().findChild<QTreeView*>("ListBox2")->model();
        TMDIChild* w = window();
        if (w == nullptr)
            return elementTree.rowCount() + dimensionTree.rowCount() == 0
                       ? QString()
                       : QStringLiteral("%1 element and %2 dimension items while no design "
                                        "window is open")
                             .arg(elementTree.rowCount())
                             .arg(dimensionTree.rowCount());
        if (objects().designWindow() != w)
            return QStringLiteral("the object window follows another design window");
        Design& design = w->design();
        const std::vector<ElementTree::Node*> nodes = design.tree.nodesInOrder();
        if (nodes.size() != design.Elements.size())
            return QStringLiteral("%1 tree nodes for %2 elements")
                .arg(nodes.size())
                .arg(design.Elements.size());
        for (const auto& element : design.Elements)
            if (design.tree.nodeOf(element.get()) == nullptr)
                return QStringLiteral("element \"%1\" has no node")
                    .arg(QString::fromStdString(element->Caption));
        const QList<QModelIndex> items = RowsInOrder(elementTree);
        if (std::size_t(items.size()) != nodes.size())
            return QStringLiteral("%1 tree items for %2 elements")
                .arg(items.size())
                .arg(nodes.size());
        const auto nodeOf = [](const QModelIndex& item) {
            return item.isValid() ? reinterpret_cast<const ElementTree::Node*>(
                                        item.data(Qt::UserRole).value<quintptr>())
                                  : nullptr;
        };
        for (std::size_t i = 0; i < nodes.size(); ++i) {
            const QModelIndex item = items[qsizetype(i)];
            const QString text = item.data().toString();
            if (nodeOf(item) != nodes[i] || nodeOf(item.parent()) != nodes[i]->parent)
                return QStringLiteral("tree item %1 (\"%2\") is not the design's node %1")
                    .arg(i)
                    .arg(text);
            if (text != QString::fromStdString(nodes[i]->element->Caption))
                return QStringLiteral("tree item %1 reads \"%2\" for \"%3\"")
                    .arg(i)
                    .arg(text, QString::fromStdString(nodes[i]->element->Caption));
        }
        if (std::size_t(dimensionTree.rowCount()) != design.Dimensions.size())
            return QStringLiteral("%1 dimension items for %2 dimensions")
                .arg(dimensionTree.rowCount())
                .arg(design.Dimensions.size());

        return {};
    }

    // Empty when the summary grid and the stability table show what the design loaded
    // from `bytes` gives, drawn and computed once as a redraw does.
    QString summaryFault(const std::vector<std::uint8_t>& bytes) {
        auto* grid = objects().findChild<QTableWidget*>("grid");
        const StabilityTable& table = *objects().stabilityTable;
        if (window() == nullptr) {
            for (int row = 0; row < grid->rowCount(); ++row)
                if (!grid->item(row, 1)->text().isEmpty())
                    return QStringLiteral("summary row %1 shown with no design").arg(row);
            for (int row = 0; row < StabilityTable::Rows; ++row)
                if (!table.value(row).isEmpty())
                    return QStringLiteral("stability row %1 shown with no design").arg(row);
            return {};
        }
        Design fresh;
        if (!DecodeDesign(bytes, fresh).ok)
            return {}; // reported by the round trip
        NullSurface surface;
        PlaceDesign(fresh);
        DrawDesign(fresh, surface);
        const StabilityAnalysis analysis = AnalyseStability(fresh);
        const Summary summary = ComputeSummary(fresh, &surface, SystemDecimalSeparator());
        for (std::size_t row = 0; row < summary.rows.size() && row < 7; ++row) {
            const QString shown =
                grid->item(int(row), 0)->text() + ' ' + grid->item(int(row), 1)->text();
            const QString fresh =
                QString::fromStdString(summary.rows[row].label + ' ' + summary.rows[row].value);
            if (shown != fresh)
                return QStringLiteral("summary row %1 shows \"%2\", a fresh computation gives "
                                      "\"%3\"")
                    .arg(row)
                    .arg(shown, fresh);
        }
        const std::vector<StabilityRow> rows = StabilityRows(analysis, SystemDecimalSeparator(), 3);
        for (int row = 0; row < StabilityTable::Rows; ++row) {
            const QString fresh = table.shownValue(row, rows);
            if (table.value(row) != fresh)
                return QStringLiteral("stability row %1 (%2) shows \"%3\", a fresh computation "
                                      "gives \"%4\"")
                    .arg(row)
                    .arg(QString::fromStdString(rows[StabilityTable::ShownRows[row]].label),
                         table.value(row), fresh);
        }
        return {};
    }

    QString fault() {
        if (QString tree = treeFault(); !tree.isEmpty())
            return tree;
        // The checks read files as the program does, which sets the process-wide axis
        // values; the program's own stay as they were.
        const float origin = OriginX, axis = AxisY;
        QString found;
        if (TMDIChild* w = window()) {
            const std::vector<std::uint8_t> saved = EncodeDesign(w->design());
            Design loaded;
            const LoadResult read = DecodeDesign(saved, loaded);
            if (!read.ok)
                found = QStringLiteral("the saved design does not load: ") +
                        QString::fromStdString(read.message);
            else if (QString drift = unsavedDrift(*w, saved); !drift.isEmpty())
                found = drift;
            else if (EncodeDesign(loaded) != saved)
                found = QStringLiteral("the design loaded from its bytes saves other bytes");
            else if (found = summaryFault(saved); !found.isEmpty()) {
                // A saved design lists its elements in tree order.
                std::vector<const TRocketElement*> treeOrder, listOrder;
                for (const ElementTree::Node* node : w->design().tree.nodesInOrder())
                    treeOrder.push_back(node->element);
                for (const auto& element : w->design().Elements)
                    listOrder.push_back(element.get());
                if (treeOrder != listOrder)
                    found += QStringLiteral(" (the elements are listed out of tree order)");
                // Tells a summary one redraw behind from one that is wrong for good.
                w->Redraw();
                found += summaryFault(saved).isEmpty()
                             ? QStringLiteral(" (right after one more redraw)")
                             : QStringLiteral(" (still after one more redraw)");
            }
        } else {
            found = summaryFault({});
        }
        OriginX = origin;
        AxisY = axis;
        return found;
    }

    // The fault with the seed and step, and (printed, as a test message would cut them
    // short) the steps that led to it.
    QString report(quint32 seed, int step, const QString& what) const {
        const QStringList& trace = interaction.trace;
        const QString fault = QStringLiteral("seed %1, step %2: %3").arg(seed).arg(step).arg(what);
        qWarning().noquote() << fault << "\nlast steps:\n"
                             << trace.mid(std::max<qsizetype>(0, trace.size() - 40)).join('\n');
        return fault;
    }
};

} // namespace

class TestRandomCommands : public QObject {
    Q_OBJECT

private slots:
    // Each seed's row replays it alone. Faults the seeds found, mended since: the
    // dimensions of a closed design still listed (seed 6, step 110); a fin set listed
    // under its old caption after its dialog gave it a new one (seed 2, step 38); a
    // summary one redraw behind after an element was made longer, its children placed
    // from their parents' old outlines (seed 24, step 1218, its own row). Two more have
    // tests of their own: another weight after a save and a reopening (the weights were
    // summed in list order) and a dimension left half placed without a step.
    void everyStepLeavesTheProgramConsistent_data() {
        QTest::addColumn<quint32>("seed");
        QTest::addColumn<int>("steps");
        // VANTOR_RANDOM_SEEDS and VANTOR_RANDOM_FIRST_SEED choose other seeds for a
        // longer search.
        bool ok = false;
        const int seeds = qEnvironmentVariableIntValue("VANTOR_RANDOM_SEEDS", &ok);
        const quint32 first =
            quint32(std::max(1, qEnvironmentVariableIntValue("VANTOR_RANDOM_FIRST_SEED")));
        for (quint32 seed = first; seed < first + quint32(ok && seeds > 0 ? seeds : 6); ++seed)
            QTest::addRow("seed %u", seed) << seed << StepsPerSeed();
        QTest::newRow("seed 24, children placed from old outlines") << 24u << 1218;
    }

    void everyStepLeavesTheProgramConsistent() {
        QFETCH(quint32, seed);
        QFETCH(int, steps);
        ForgetUserState();
        RandomRun run(seed);
        QVERIFY(run.start());
        // Windows that run an event loop of their own until they are closed (the 3D view,
        // a menu opened from a button) are closed soon after they open, as a user would.
        QTimer closer;
        closer.setInterval(20);
        QObject::connect(&closer, &QTimer::timeout, [] {
            for (QWidget* top : QApplication::topLevelWidgets())
                if (auto* view = qobject_cast<TForm3D*>(top); view && view->isVisible()) {
                    // The leak checker must still see the GL driver the window loaded.
                    test::KeepGlDriversResident();
                    view->close();
                }
            if (QWidget* popup = QApplication::activePopupWidget())
                popup->close();
        });
        closer.start();
        // A step that waits for ever (a modal loop nobody ends) is reported with its seed.
        int current = 0;
        QElapsedTimer stepTime;
        QTimer watchdog;
        watchdog.setInterval(1000);
        QObject::connect(&watchdog, &QTimer::timeout, [&] {
            if (stepTime.isValid() && stepTime.elapsed() > 30'000)
                qFatal("%s", qPrintable(run.report(seed, current, "the step does not end")));
        });
        watchdog.start();

        QString fault = run.fault();
        if (!fault.isEmpty())
            QFAIL(qPrintable(run.report(seed, 0, fault)));
        for (current = 1; current <= steps; ++current) {
            run.note(QStringLiteral("step %1:").arg(current));
            stepTime.start();
            run.step();
            stepTime.invalidate();
            fault = run.fault();
            if (!fault.isEmpty())
                QFAIL(qPrintable(run.report(seed, current, fault)));
        }
        if (qEnvironmentVariableIsSet("VANTOR_RANDOM_TRACE"))
            qInfo().noquote() << run.interaction.trace.join('\n');
    }
};

VANTOR_TEST_MAIN(TestRandomCommands)
#include "tst_random_commands.moc"
