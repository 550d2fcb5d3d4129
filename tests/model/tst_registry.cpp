#include "model/BodyTubes.h"
#include "model/DimensionAnnotations.h"
#include "model/Kinds.h"
#include "model/Registry.h"
#include "model/ShapeKinds.h"

#include <QTest>

using namespace vantor;

class TestRegistry : public QObject {
    Q_OBJECT

private slots:
    void factoryMatchesWholeNamesExactly_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption"); // empty: no object
        QTest::addColumn<bool>("element");
        QTest::newRow("body tube") << "TKorpus"
                                   << "Body" << true;
        QTest::newRow("lower case") << "tkorpus"
                                    << "" << false;
        QTest::newRow("trailing blank") << "TKorpus "
                                        << "" << false;
        QTest::newRow("prefix only") << "TKorp"
                                     << "" << false;
        QTest::newRow("shape base") << "TShaped"
                                    << "" << false;
        QTest::newRow("element base") << "TRocketElement"
                                      << "" << false;
        QTest::newRow("empty") << ""
                               << "" << false;
        QTest::newRow("engine mount") << "TLozysko"
                                      << "Mocowanie silnika" << true;
        QTest::newRow("linear dimension") << "TWymiar"
                                          << "Wymiar" << false;
        QTest::newRow("angle dimension") << "TAngleWymiar"
                                         << "Wymiar" << false;
        QTest::newRow("horizontal dimension") << "TWymiarPoziomy"
                                              << "WymiarPoziomy" << false;
        QTest::newRow("vertical dimension") << "TWymiarPionowy"
                                            << "WymiarPionowy" << false;
        QTest::newRow("ballast") << "TBalast"
                                 << "Ballast" << true;
    }
    void factoryMatchesWholeNamesExactly() {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(bool, element);
        const std::string key = name.toStdString();
        auto shape = CreateShape(key);
        QCOMPARE(shape != nullptr, !caption.isEmpty());
        QCOMPARE(CreateElement(key) != nullptr, element);
        QCOMPARE(IsElementClassName(key), element);
        QCOMPARE(IsDimensionClassName(key), !caption.isEmpty() && !element);
        if (shape) {
            QCOMPARE(QString::fromStdString(shape->ClassName), name);
            QCOMPARE(QString::fromUtf8(shape->Caption.c_str()), caption);
            QVERIFY(shape->Points.empty());
        }
    }

    void attachmentMatrix_data() {
        QTest::addColumn<QString>("child");
        QTest::addColumn<QString>("parent");
        QTest::addColumn<bool>("allowed");
        const QStringList noses{"TGlowicaStozek", "TGlowicaOgive", "TGlowicaParabolic"};
        const QStringList leaves{"TLozysko", "TEngine", "TStatecznik", "TBalast"};
        const QStringList all = noses + QStringList{"TKorpus", "TStozekSciety"} + leaves;
        for (const QString& child : all) {
            for (const QString& parent : all) {
                bool allowed = false;
                const bool frontSection =
                    noses.contains(parent) || parent == "TKorpus" || parent == "TStozekSciety";
                if (child == "TKorpus" || child == "TLozysko" || child == "TStozekSciety" ||
                    child == "TBalast")
                    allowed = frontSection;
                else if (child == "TEngine")
                    allowed = parent == "TKorpus" || parent == "TStozekSciety";
                else if (child == "TStatecznik")
                    allowed = parent == "TKorpus";
                QTest::newRow(qPrintable(child + " under " + parent)) << child << parent << allowed;
            }
        }
    }
    void attachmentMatrix() {
        QFETCH(QString, child);
        QFETCH(QString, parent);
        QFETCH(bool, allowed);
        auto c = CreateElement(child.toStdString());
        auto p = CreateElement(parent.toStdString());
        QCOMPARE(IsAttachmentAllowed(*c, *p), allowed);
    }

    void attachmentIsAPlainSubstringSearch() {
        auto tube = CreateElement("TKorpus");
        auto parent = CreateElement("TKorpus");
        parent->ClassName = "Korpus";
        QVERIFY(IsAttachmentAllowed(*tube, *parent));
        parent->ClassName = "";
        QVERIFY(!IsAttachmentAllowed(*tube, *parent));
    }

    // The one table of kinds: each property where the rest of the program asks for it,
    // and an entry for exactly the names the factory makes.
    void kindsTable_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>(
            "properties"); // n(ose) t(ube) r(transition) f(ins) b(allast) m(otor) i(nner)
        QTest::addColumn<int>("shape");
        QTest::newRow("conical nose") << "TGlowicaStozek"
                                      << "n" << int(Shape3d::Cone);
        QTest::newRow("ogive") << "TGlowicaOgive"
                               << "n" << int(Shape3d::Ogive);
        QTest::newRow("parabolic") << "TGlowicaParabolic"
                                   << "n" << int(Shape3d::Paraboloid);
        QTest::newRow("body tube") << "TKorpus"
                                   << "t" << int(Shape3d::Tube);
        QTest::newRow("engine mount") << "TLozysko"
                                      << "ti" << int(Shape3d::Tube);
        QTest::newRow("motor") << "TEngine"
                               << "m" << int(Shape3d::None);
        QTest::newRow("transition") << "TStozekSciety"
                                    << "r" << int(Shape3d::Frustum);
        QTest::newRow("fin set") << "TStatecznik"
                                 << "f" << int(Shape3d::Fins);
        QTest::newRow("ballast") << "TBalast"
                                 << "b" << int(Shape3d::None);
    }
    void kindsTable() {
        QFETCH(QString, name);
        QFETCH(QString, properties);
        QFETCH(int, shape);
        const ElementKind* kind = FindKind(name.toStdString());
        QVERIFY(kind != nullptr);
        QCOMPARE(kind->nose, properties.contains('n'));
        QCOMPARE(kind->tube, properties.contains('t'));
        QCOMPARE(kind->transition, properties.contains('r'));
        QCOMPARE(kind->finSet, properties.contains('f'));
        QCOMPARE(kind->ballast, properties.contains('b'));
        QCOMPARE(kind->motor, properties.contains('m'));
        QCOMPARE(kind->inner, properties.contains('i'));
        QCOMPARE(int(kind->shape), shape);
        QCOMPARE(&KindOf(*CreateElement(name.toStdString())), kind);
    }

    void kindsAreExactlyTheFactorysNames() {
        for (const char* name :
             {"TWymiar", "TAngleWymiar", "TRocketElement", "TShaped", "tkorpus", "TKorpus ", ""}) {
            QVERIFY(FindKind(name) == nullptr);
            QVERIFY(!IsElementClassName(name));
            QVERIFY(!KindNamed(name).finSet && KindNamed(name).shape == Shape3d::None);
        }
        TKorpus renamed;
        renamed.ClassName = "TUnknown";
        QVERIFY(!KindOf(renamed).tube && !KindOf(renamed).nose);
    }
};

QTEST_APPLESS_MAIN(TestRegistry)
#include "tst_registry.moc"
