#include "model/FinSet.h"
#include "model/Materials.h"
#include "model/Registry.h"

#include <QTest>
#include <cmath>

using namespace vantor;

class TestWeight : public QObject {
    Q_OBJECT

private slots:
    void materialsTableInDialogOrder() {
        const char* names[] = {"Paper", "Balsa", "Alloy",    "Celuloid",
                               "Cork",  "Wood",  "Plastics", "Iron"};
        const float densities[] = {0.00065f, 0.0001f,  0.0027f,  0.00138f,
                                   0.00024f, 0.00075f, 0.00117f, 0.0078f};
        for (std::size_t i = 0; i < Materials.size(); ++i) {
            QCOMPARE(Materials[i].name, std::string_view(names[i]));
            QCOMPARE(Materials[i].density, densities[i]);
        }
        QVERIFY(FindMaterial("Iron") != nullptr);
        QVERIFY(FindMaterial("iron") == nullptr);
        QVERIFY(FindMaterial("") == nullptr);
    }

    // Weights as the dialog shows them: truncated toward zero.
    void computedWeights_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("material"); // empty: the default, paper
        QTest::addColumn<float>("length");
        QTest::addColumn<double>("weight");
        QTest::addColumn<int>("shown");
        QTest::newRow("body tube, paper") << "TKorpus"
                                          << "" << 500.f << 102.1 << 102;
        QTest::newRow("body tube, iron") << "TKorpus"
                                         << "Iron" << 500.f << 1225.2 << 1225;
        QTest::newRow("conical nose") << "TGlowicaStozek"
                                      << "" << 200.f << 20.42 << 20;
        QTest::newRow("ogive nose") << "TGlowicaOgive"
                                    << "" << 200.f << 23.48 << 23;
        QTest::newRow("parabolic nose") << "TGlowicaParabolic"
                                        << "" << 200.f << 24.50 << 24;
        QTest::newRow("engine mount") << "TLozysko"
                                      << "" << 500.f << 102.1 << 102;
    }
    void computedWeights() {
        QFETCH(QString, kind);
        QFETCH(QString, material);
        QFETCH(float, length);
        QFETCH(double, weight);
        QFETCH(int, shown);
        auto element = CreateElement(kind.toStdString());
        element->Length = length;
        if (!material.isEmpty())
            element->Density = FindMaterial(material.toStdString())->density;
        const double computed = element->ComputeWeight();
        QVERIFY2(std::abs(computed - weight) < 0.05, qPrintable(QString::number(computed)));
        QCOMPARE(element->Weight, static_cast<float>(computed));
        QCOMPARE(int(std::trunc(computed)), shown);
    }

    void transitionWithEqualDiametersWeighsAsATube() {
        auto transition = CreateElement("TStozekSciety");
        auto tube = CreateElement("TKorpus");
        transition->DiameterB = 50;
        transition->Length = tube->Length = 300;
        // A cone's mantle with equal radii is the tube's wall: s * pi * (r + r) = pi * D * L.
        QVERIFY(std::abs(transition->ComputeWeight() - tube->ComputeWeight()) < 1e-3);
    }

    void finSetCountsEveryFin() {
        // A 40 x 25 rectangle: 39 x 24 of its 1000 grid points count as inside, 93 %.
        TStatecznik fins;
        fins.Points = {{0, 0}, {0, 25}, {40, 25}, {40, 0}};
        fins.FinCount = 3;
        fins.Density = FindMaterial("Balsa")->density;
        const double oneFin = fins.ShapeArea();
        QCOMPARE(oneFin, 0.93 * 1000);
        QVERIFY(std::abs(fins.ComputeWeight() - oneFin * 3 * 2 * 0.0001) < 1e-6);
        QCOMPARE(fins.Weight, static_cast<float>(oneFin * 3 * 2 * 0.0001f));
    }

    void finSetWithThousandSquareMillimetresPerFinWeighsPointSix() {
        // A trapezoid in a 40 x 50 box of which exactly half samples inside.
        TStatecznik fins;
        fins.Points = {{0, 0}, {0, 50}, {2, 50}, {40, 0}};
        fins.FinCount = 3;
        fins.Density = FindMaterial("Balsa")->density;
        QCOMPARE(fins.ShapeArea(), 1000.0);
        QVERIFY(std::abs(fins.ComputeWeight() - 0.6) < 1e-6);
        QCOMPARE(int(std::trunc(fins.Weight)), 0);
    }

    void weightBeyondTheFieldsRangeIsNotStored() {
        auto tube = CreateElement("TKorpus");
        tube->Weight = 12;
        tube->Length = 3e38f;
        tube->DiameterA = 3e38f;
        QCOMPARE(tube->ComputeWeight(), 12.0);
        QCOMPARE(tube->Weight, 12.f);
    }

    void ballastWeightIsNeverComputed() {
        auto ballast = CreateElement("TBalast");
        ballast->Weight = 40;
        ballast->Length = 1000;
        QCOMPARE(ballast->ComputeWeight(), 40.0);
        QCOMPARE(ballast->Weight, 40.f);
    }
};

QTEST_APPLESS_MAIN(TestWeight)
#include "tst_weight.moc"
