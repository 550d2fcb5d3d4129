#include "model/Design.h"
#include "model/Registry.h"
#include "model/ShapeKinds.h"

#include <QTest>

using namespace vantor;

namespace {

// nose -> tube -> (fins, motor); nose -> ballast
struct Sample {
    Design design;
    TRocketElement *nose, *tube, *fins, *motor, *ballast;
    Sample() {
        auto add = [&](const char* kind, TRocketElement* parent) {
            auto element = CreateElement(kind);
            auto* raw = element.get();
            design.addElement(std::move(element), parent ? design.tree.nodeOf(parent) : nullptr);
            return raw;
        };
        nose = add("TGlowicaStozek", nullptr);
        tube = add("TKorpus", nose);
        fins = add("TStatecznik", tube);
        ballast = add("TBalast", nose);
        motor = add("TEngine", tube);
    }
};

} // namespace

class TestDesign : public QObject {
    Q_OBJECT

private slots:
    void nodesAreNumberedDepthFirst() {
        Sample s;
        const auto nodes = s.design.tree.nodesInOrder();
        QCOMPARE(nodes.size(), std::size_t(5));
        const std::vector<TRocketElement*> order{s.nose, s.tube, s.fins, s.motor, s.ballast};
        for (std::size_t i = 0; i < nodes.size(); ++i) {
            QCOMPARE(nodes[i]->element, order[i]);
            QCOMPARE(s.design.tree.absoluteIndex(nodes[i]), int(i));
            QCOMPARE(s.design.tree.nodeAt(i), nodes[i]);
        }
        QVERIFY(s.design.tree.nodeAt(5) == nullptr);
        QCOMPARE(s.fins->Parent, s.tube);
        QVERIFY(s.nose->Parent == nullptr);
        // Elements stay in insertion order.
        QCOMPARE(s.design.Elements[3].get(), s.ballast);
    }

    void deletingANodeTakesItsSubtree_data() {
        QTest::addColumn<int>("victim"); // absolute index
        QTest::addColumn<int>("nodesLeft");
        QTest::newRow("root") << 0 << 0;
        QTest::newRow("body tube with fins and motor") << 1 << 2;
        QTest::newRow("leaf") << 2 << 4;
    }
    void deletingANodeTakesItsSubtree() {
        QFETCH(int, victim);
        QFETCH(int, nodesLeft);
        Sample s;
        s.design.deleteSubtree(s.design.tree.nodeAt(std::size_t(victim)));
        QCOMPARE(s.design.tree.nodeCount(), std::size_t(nodesLeft));
        QCOMPARE(s.design.Elements.size(), std::size_t(nodesLeft));
        for (auto* node : s.design.tree.nodesInOrder()) {
            const bool listed = std::any_of(s.design.Elements.begin(), s.design.Elements.end(),
                                            [&](auto& e) { return e.get() == node->element; });
            QVERIFY(listed);
        }
    }

    void dimensionsInsertAtTheFront() {
        Design design;
        design.appendDimension(CreateShape("TWymiar"));
        design.insertDimension(CreateShape("TAngleWymiar"));
        QCOMPARE(design.Dimensions[0]->ClassName, std::string("TAngleWymiar"));
        design.removeDimension(7);
        QCOMPARE(design.Dimensions.size(), std::size_t(2));
        design.removeDimension(0);
        QCOMPARE(design.Dimensions[0]->ClassName, std::string("TWymiar"));
    }
};

QTEST_APPLESS_MAIN(TestDesign)
#include "tst_design.moc"
