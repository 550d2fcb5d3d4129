// The object window's models of a design: checked by Qt's model tester through edits,
// undo, redo and loads, and compared with the design after each.
#include "designfile/DesignFile.h"
#include "editing/DesignEdits.h"
#include "editing/EditHistory.h"
#include "support/ModelRows.h"
#include "support/SampleDesigns.h"
#include "support/TestMain.h"
#include "toolwindows/DesignTreeModel.h"

#include <QAbstractItemModelTester>
#include <QDir>
#include <QtTest>
#include <random>

using namespace vantor;
using test::RowsInOrder;

namespace {

// Empty when the models show the design one to one; else the first difference.
QString Mismatch(const DesignTreeModel& elements, const DimensionListModel& dimensions,
                 const Design& design) {
    const std::vector<ElementTree::Node*> nodes = design.tree.nodesInOrder();
    const QList<QModelIndex> rows = RowsInOrder(elements);
    if (std::size_t(rows.size()) != nodes.size())
        return QStringLiteral("%1 rows for %2 nodes").arg(rows.size()).arg(nodes.size());
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        const QModelIndex row = rows[qsizetype(i)];
        if (elements.nodeAt(row) != nodes[i] || elements.nodeAt(row.parent()) != nodes[i]->parent)
            return QStringLiteral("row %1 is not node %1").arg(i);
        if (elements.indexOf(nodes[i]) != row)
            return QStringLiteral("node %1 is not found at its row").arg(i);
        if (row.data().toString() != QString::fromStdString(nodes[i]->element->Caption))
            return QStringLiteral("row %1 reads \"%2\"").arg(i).arg(row.data().toString());
    }
    if (std::size_t(dimensions.rowCount()) != design.Dimensions.size())
        return QStringLiteral("%1 dimension rows for %2 dimensions")
            .arg(dimensions.rowCount())
            .arg(design.Dimensions.size());
    for (int i = 0; i < dimensions.rowCount(); ++i)
        if (dimensions.index(i).data().toString() !=
            QString::fromStdString(design.Dimensions[std::size_t(i)]->Caption))
            return QStringLiteral("dimension row %1 reads \"%2\"")
                .arg(i)
                .arg(dimensions.index(i).data().toString());
    return {};
}

// A design with its history, shown by both models, which follow the history as the
// object window has them follow it; the testers abort at the first broken promise.
struct Shown {
    Design design;
    EditHistory history{design};
    DesignTreeModel elements;
    DimensionListModel dimensions;
    QAbstractItemModelTester elementTester{&elements,
                                           QAbstractItemModelTester::FailureReportingMode::Fatal};
    QAbstractItemModelTester dimensionTester{&dimensions,
                                             QAbstractItemModelTester::FailureReportingMode::Fatal};

    Shown() {
        test::BuildFullRocket(design);
        elements.setDesign(&design);
        dimensions.setDesign(&design);
        QObject::connect(&history, &EditHistory::designChanged, &elements, [this] {
            elements.refresh();
            dimensions.refresh();
        });
    }
    QString mismatch() const { return Mismatch(elements, dimensions, design); }
};

const char* const AttachedKinds[] = {"TKorpus", "TStozekSciety", "TStatecznik", "TBalast",
                                     "TEngine"};

} // namespace

class TestDesignTreeModel : public QObject {
    Q_OBJECT

private slots:
    // Long random runs of every change the editing layer makes, undo and redo among
    // them; the models match the design after each.
    void followsEveryEdit_data() {
        QTest::addColumn<unsigned>("seed");
        for (unsigned seed : {1u, 2u, 3u, 4u})
            QTest::newRow(qPrintable(QString("seed %1").arg(seed))) << seed;
    }

    void followsEveryEdit() {
        QFETCH(unsigned, seed);
        Shown s;
        QVERIFY2(s.mismatch().isEmpty(), qPrintable(s.mismatch()));
        std::mt19937 random(seed);
        auto below = [&](std::size_t n) {
            return std::size_t(random() % std::max<std::size_t>(n, 1));
        };
        auto anyNode = [&]() -> ElementTree::Node* {
            const auto nodes = s.design.tree.nodesInOrder();
            return nodes.empty() ? nullptr : nodes[below(nodes.size())];
        };
        for (int step = 0; step < 400; ++step) {
            QString done;
            switch (below(9)) {
            case 0:
            case 1: {
                ElementTree::Node* parent = anyNode();
                const char* kind = parent != nullptr && ElementTree::canAttachBelow(parent)
                                       ? AttachedKinds[below(std::size(AttachedKinds))]
                                       : "TGlowicaStozek";
                s.history.record(InsertElement(s.design, parent, {kind, DefaultFields(kind)}));
                done = QString("insert %1").arg(kind);
                break;
            }
            case 2:
                s.history.record(DeleteSubtree(s.design, anyNode()));
                done = "delete";
                break;
            case 3:
                if (ElementTree::Node* node = anyNode()) {
                    ElementFields fields = FieldsOf(*node->element);
                    fields.caption = "Part " + std::to_string(step);
                    s.history.record(ChangeFields(s.design, *node->element, fields));
                }
                done = "rename";
                break;
            case 4:
                s.history.record(AddDimension(s.design, "TWymiar", {{10, 10}, {90, 10}, {50, 40}}));
                done = "add dimension";
                break;
            case 5:
                s.history.record(DeleteDimension(s.design, below(s.design.Dimensions.size())));
                done = "delete dimension";
                break;
            case 6:
            case 7:
                s.history.stack().undo();
                done = "undo";
                break;
            case 8: {
                // Shown while a dialog asks about it, then given up without a step.
                ElementTree::Node* parent = anyNode();
                if (parent == nullptr || !ElementTree::canAttachBelow(parent))
                    break;
                auto shown =
                    InsertElement(s.design, parent, {"TStatecznik", DefaultFields("TStatecznik")});
                s.history.announceChange();
                QVERIFY2(s.mismatch().isEmpty(), qPrintable(s.mismatch()));
                shown->undo(s.design);
                s.history.announceChange();
                done = "fin set given up";
                break;
            }
            }
            if (below(6) == 0) {
                s.history.stack().redo();
                done += ", redo";
            }
            QVERIFY2(s.mismatch().isEmpty(),
                     qPrintable(QString("step %1 (%2): %3").arg(step).arg(done, s.mismatch())));
        }
    }

    // Rows put in are announced where they go, as a view needs to show them open.
    void insertionIsOneRowUnderItsParent() {
        Shown s;
        QSignalSpy inserted(&s.elements, &QAbstractItemModel::rowsInserted);
        QSignalSpy reset(&s.elements, &QAbstractItemModel::modelReset);
        ElementTree::Node* tube = s.design.tree.nodeOf(s.design.Elements[1].get());
        const int before = int(tube->children.size());
        s.history.record(InsertElement(s.design, tube, {"TBalast", DefaultFields("TBalast")}));
        QCOMPARE(inserted.size(), 1);
        QCOMPARE(inserted[0][0].value<QModelIndex>(), s.elements.indexOf(tube));
        QCOMPARE(inserted[0][1].toInt(), before);
        QCOMPARE(inserted[0][2].toInt(), before);
        QCOMPARE(reset.size(), 0);
        // Undone, the same row goes; a step that changes no structure moves no row.
        QSignalSpy removed(&s.elements, &QAbstractItemModel::rowsRemoved);
        s.history.stack().undo();
        QCOMPARE(removed.size(), 1);
        QCOMPARE(removed[0][1].toInt(), before);
        ElementFields fields = FieldsOf(*tube->element);
        fields.caption = "Renamed";
        QSignalSpy changed(&s.elements, &QAbstractItemModel::dataChanged);
        s.history.record(ChangeFields(s.design, *tube->element, fields));
        QCOMPARE(changed.size(), 1);
        QCOMPARE(changed[0][0].value<QModelIndex>(), s.elements.indexOf(tube));
        QCOMPARE(inserted.size(), 1);
        QCOMPARE(removed.size(), 1);
        QVERIFY2(s.mismatch().isEmpty(), qPrintable(s.mismatch()));
    }

    // A design read into the shown one (its nodes destroyed, new ones perhaps at the same
    // addresses) and one read into a design just shown empty.
    void followsLoadedDesigns_data() {
        QTest::addColumn<QString>("file");
        for (const QString& name : QDir(VANTOR_TEST_DATA_DIR).entryList({"*.kfx"}))
            QTest::newRow(qPrintable(name)) << QDir(VANTOR_TEST_DATA_DIR).filePath(name);
    }

    void followsLoadedDesigns() {
        QFETCH(QString, file);
        Shown s;
        s.design.clear();
        QVERIFY(LoadDesign(file.toStdString(), s.design).ok);
        s.history.announceChange();
        QVERIFY2(s.mismatch().isEmpty(), qPrintable(s.mismatch()));

        Design fresh;
        s.elements.setDesign(&fresh);
        s.dimensions.setDesign(&fresh);
        QVERIFY(LoadDesign(file.toStdString(), fresh).ok);
        s.elements.refresh();
        s.dimensions.refresh();
        QVERIFY2(Mismatch(s.elements, s.dimensions, fresh).isEmpty(),
                 qPrintable(Mismatch(s.elements, s.dimensions, fresh)));
        s.elements.setDesign(nullptr);
        s.dimensions.setDesign(nullptr);
        QCOMPARE(s.elements.rowCount() + s.dimensions.rowCount(), 0);
    }
};

VANTOR_TEST_MAIN(TestDesignTreeModel)
#include "tst_design_tree_model.moc"
