#include "canvas/DimensionAnnotations.h"
#include "canvas/ShapeKinds.h"
#include "model/Registry.h"

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
            QVERIFY(shape->Canvas == nullptr);
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
};

QTEST_APPLESS_MAIN(TestRegistry)
#include "tst_registry.moc"
