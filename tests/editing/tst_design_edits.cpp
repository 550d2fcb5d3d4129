#include "designfile/DesignFile.h"
#include "editing/DesignEdits.h"
#include "model/AxisValues.h"
#include "model/Registry.h"
#include "support/SampleDesigns.h"

#include <QTest>
#include <functional>

using namespace vantor;

namespace {

using Bytes = std::vector<std::uint8_t>;

// The full rocket: nose, tube (fins, motor, transition, rear tube) and a ballast, with
// one dimension of each kind.
struct Rocket {
    Design design;
    Rocket() { test::BuildFullRocket(design); }
    TRocketElement& element(std::size_t i) { return *design.Elements[i]; }
    ElementTree::Node* node(std::size_t i) { return design.tree.nodeOf(&element(i)); }
    // Redraws as the design window does after every edit.
    void redraw() { test::Settle(design); }
};

using Edit = std::function<std::unique_ptr<DesignEdit>(Rocket&)>;

} // namespace

Q_DECLARE_METATYPE(Edit)

class TestDesignEdits : public QObject {
    Q_OBJECT

private slots:
    // Every operation, done, shown, undone and redone, gives back the file bytes of the
    // design before and after it, again and again.
    void undoAndRedoGiveTheSameBytes_data() {
        QTest::addColumn<Edit>("edit");
        auto insert = [](const char* kind, std::size_t parent) {
            return Edit([=](Rocket& r) {
                return InsertElement(r.design, r.node(parent), {kind, DefaultFields(kind)});
            });
        };
        QTest::newRow("insert body tube") << insert("TKorpus", 6);
        QTest::newRow("insert transition") << insert("TStozekSciety", 1);
        QTest::newRow("insert fin set") << insert("TStatecznik", 6);
        QTest::newRow("insert ballast") << insert("TBalast", 0);
        QTest::newRow("insert motor") << insert("TEngine", 6);
        QTest::newRow("change fields of the tube") << Edit([](Rocket& r) {
            ElementFields fields = FieldsOf(r.element(1));
            fields.length += 120;
            fields.caption = "Longer";
            fields.material = "Balsa";
            return ChangeFields(r.design, r.element(1), fields);
        });
        QTest::newRow("change fin data") << Edit([](Rocket& r) {
            ElementFields fields = FieldsOf(r.element(2));
            fields.finA = 120;
            fields.finCount = 3;
            return ChangeFields(r.design, r.element(2), fields);
        });
        QTest::newRow("position the motor by number") << Edit([](Rocket& r) {
            ElementFields fields = FieldsOf(r.element(3));
            fields.offset += 35.5f;
            return ChangeFields(r.design, r.element(3), fields);
        });
        QTest::newRow("delete the tube's subtree")
            << Edit([](Rocket& r) { return DeleteSubtree(r.design, r.node(1)); });
        QTest::newRow("delete the whole rocket")
            << Edit([](Rocket& r) { return DeleteSubtree(r.design, r.node(0)); });
        QTest::newRow("slide the motor") << Edit([](Rocket& r) {
            auto edit = BeginSlide(r.design, r.element(3));
            const double front = r.element(1).Points[0].x;
            for (double x : {front + 10, front + 200, front + 150})
                if (!SlideTo(r.element(3), x))
                    return std::unique_ptr<DesignEdit>();
            return edit;
        });
        QTest::newRow("add a dimension") << Edit([](Rocket& r) {
            return AddDimension(r.design, "TWymiarPionowy", {{10, 20}, {10, 80}, {40, 50}});
        });
        QTest::newRow("delete a dimension")
            << Edit([](Rocket& r) { return DeleteDimension(r.design, 2); });
    }
    void undoAndRedoGiveTheSameBytes() {
        QFETCH(Edit, edit);
        Rocket r;
        const Bytes before = EncodeDesign(r.design);
        std::unique_ptr<DesignEdit> done = edit(r);
        QVERIFY(done != nullptr);
        r.redraw();
        QVERIFY(done->finish(r.design));
        const Bytes after = EncodeDesign(r.design);
        QVERIFY(after != before);
        for (int round = 0; round < 2; ++round) {
            done->undo(r.design);
            QCOMPARE(EncodeDesign(r.design), before);
            done->redo(r.design);
            QCOMPARE(EncodeDesign(r.design), after);
        }
    }

    // Undoing in reverse order takes a design through every earlier state, the tree
    // and the order of Elements included.
    void aSequenceUndoesToTheStart() {
        Rocket r;
        std::vector<Bytes> states{EncodeDesign(r.design)};
        std::vector<std::unique_ptr<DesignEdit>> edits;
        auto keep = [&](std::unique_ptr<DesignEdit> edit) {
            r.redraw();
            QVERIFY(edit->finish(r.design));
            edits.push_back(std::move(edit));
            states.push_back(EncodeDesign(r.design));
        };
        keep(DeleteSubtree(r.design, r.node(5))); // the transition and the rear tube
        keep(InsertElement(r.design, r.node(1), {"TStozekSciety", DefaultFields("TStozekSciety")}));
        keep(ChangeFields(r.design, r.element(0), [&] {
            ElementFields f = FieldsOf(r.element(0));
            f.length = 300; // everything behind the nose moves
            return f;
        }()));
        keep(DeleteSubtree(r.design, r.node(0)));
        for (std::size_t i = edits.size(); i-- > 0;) {
            edits[i]->undo(r.design);
            QCOMPARE(EncodeDesign(r.design), states[i]);
        }
        for (std::size_t i = 0; i < edits.size(); ++i) {
            edits[i]->redo(r.design);
            QCOMPARE(EncodeDesign(r.design), states[i + 1]);
        }
    }

    void aNoseStartsTheDesignAndItsUndoRestoresTheAxis() {
        Design design;
        AxisY = 17;
        OriginX = 3;
        ElementFields fields = DefaultFields("TGlowicaOgive");
        fields.diameterA = 60;
        auto edit = InsertElement(design, nullptr, {"TGlowicaOgive", fields});
        QCOMPARE(AxisY, 270.f);
        QCOMPARE(OriginX, 50.f);
        QVERIFY(edit->finish(design));
        edit->undo(design);
        QVERIFY(design.empty());
        QCOMPARE(AxisY, 17.f);
        QCOMPARE(OriginX, 3.f);
    }

    void anEditThatChangesNothingIsNoStep() {
        Rocket r;
        auto fields = BeginFieldsEdit(r.design, r.element(1));
        QVERIFY(!fields->finish(r.design));
        auto slide = BeginSlide(r.design, r.element(3));
        QVERIFY(!SlideTo(r.element(3), -1e6)); // off the parent: no move
        QVERIFY(!slide->finish(r.design));
    }

    void dialogRefusals_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<double>("length");
        QTest::addColumn<double>("diameterA");
        QTest::addColumn<double>("diameterB");
        QTest::addColumn<bool>("children");
        QTest::addColumn<int>("refusal");
        const int none = int(FieldsRefusal::None);
        // The parent is a tube of diameter 50 and the element was shown 100.9 long.
        QTest::newRow("tube as wide as its parent")
            << "TKorpus" << 100.9 << 50.0 << 0.0 << false << none;
        QTest::newRow("tube wider")
            << "TKorpus" << 100.9 << 50.01 << 0.0 << false << int(FieldsRefusal::WiderThanParent);
        QTest::newRow("transition, equal ends") << "TStozekSciety" << 100.9 << 40.5 << 40.5 << false
                                                << int(FieldsRefusal::EqualDiameters);
        QTest::newRow("transition, ends 0.01 apart")
            << "TStozekSciety" << 100.9 << 40.5 << 40.51 << false << none;
        QTest::newRow("shorter by a fraction with children")
            << "TKorpus" << 100.5 << 50.0 << 0.0 << true
            << int(FieldsRefusal::ShortenedWithChildren);
        QTest::newRow("as long as shown with children")
            << "TKorpus" << 100.9 << 50.0 << 0.0 << true << none;
        QTest::newRow("shorter without children")
            << "TKorpus" << 99.0 << 50.0 << 0.0 << false << none;
        QTest::newRow("fins ignore the diameter")
            << "TStatecznik" << 100.9 << 900.0 << 0.0 << false << none;
    }
    void dialogRefusals() {
        QFETCH(QString, kind);
        QFETCH(double, length);
        QFETCH(double, diameterA);
        QFETCH(double, diameterB);
        QFETCH(bool, children);
        QFETCH(int, refusal);
        auto parent = CreateElement("TKorpus");
        auto element = CreateElement(kind.toStdString());
        element->Parent = parent.get();
        QCOMPARE(int(CheckDialogSizes(*element, {length, diameterA, diameterB}, 100.9f, children)),
                 refusal);
        element->Parent = nullptr;
        QCOMPARE(CheckDialogSizes(*element, {length, 999, diameterB}, 100.9f, children),
                 FieldsRefusal::None);
    }

    void insertionRefusals() {
        Design empty;
        QCOMPARE(CheckInsertion(empty, "TGlowicaStozek", nullptr), InsertionRefusal::None);
        QCOMPARE(CheckInsertion(empty, "TKorpus", nullptr), InsertionRefusal::Silent);
        Rocket r;
        QCOMPARE(CheckInsertion(r.design, "TGlowicaOgive", nullptr), InsertionRefusal::Silent);
        QCOMPARE(CheckInsertion(r.design, "TKorpus", nullptr), InsertionRefusal::NotAllowed);
        QCOMPARE(CheckInsertion(r.design, "TEngine", &r.element(0)), InsertionRefusal::NotAllowed);
        QCOMPARE(CheckInsertion(r.design, "TEngine", &r.element(1)), InsertionRefusal::None);
    }
};

QTEST_GUILESS_MAIN(TestDesignEdits)
#include "tst_design_edits.moc"
