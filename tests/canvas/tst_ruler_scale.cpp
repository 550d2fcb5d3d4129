#include "canvas/RulerScale.h"

#include <QTest>
#include <cmath>

using namespace vantor;

namespace {

// About the width of a 10-pixel font: 6 pixels a character.
double Width(const std::string& text) {
    return 6.0 * double(text.size());
}

} // namespace

class TestRulerScale : public QObject {
    Q_OBJECT

private slots:
    // At every zoom the numbers are round, stand where their value is, and never overlap.
    void labelsAreRoundPlacedAndApart_data() {
        QTest::addColumn<double>("start");
        QTest::addColumn<double>("pixelsPerUnit");
        QTest::newRow("mm at 5 %") << -120.0 << 0.05;
        QTest::newRow("mm at 100 %") << -37.5 << 1.0;
        QTest::newRow("mm at 2000 %") << 12.34 << 20.0;
        QTest::newRow("inches at 100 %") << -1.5 << 25.4;
        QTest::newRow("inches at 5 %") << -400.0 << 1.27;
        QTest::newRow("inches at 2000 %") << 3.3 << 508.0;
        QTest::newRow("falling, left ruler") << 250.0 << -1.0;
        QTest::newRow("far out") << 1e7 << 0.05;
    }
    void labelsAreRoundPlacedAndApart() {
        QFETCH(double, start);
        QFETCH(double, pixelsPerUnit);
        const int length = 1900;
        const std::vector<RulerTick> ticks = PlanRuler(start, pixelsPerUnit, length, Width, '.');
        std::vector<const RulerTick*> labelled;
        for (const RulerTick& tick : ticks) {
            QVERIFY(tick.position >= 0 && tick.position <= length);
            if (tick.labelled)
                labelled.push_back(&tick);
        }
        QVERIFY2(labelled.size() >= 2, qPrintable(QString::number(labelled.size())));
        const double step = std::abs(std::stod(labelled[1]->label) - std::stod(labelled[0]->label));
        const double mantissa = step / std::pow(10.0, std::floor(std::log10(step) + 1e-9));
        QVERIFY2(std::abs(mantissa - 1) < 1e-6 || std::abs(mantissa - 2) < 1e-6 ||
                     std::abs(mantissa - 5) < 1e-6,
                 qPrintable(QString::number(step)));
        for (std::size_t i = 0; i < labelled.size(); ++i) {
            const double value = std::stod(labelled[i]->label);
            const double expected = (value - start) * pixelsPerUnit;
            QVERIFY2(std::abs(labelled[i]->position - expected) <
                         1e-6 * std::max(1.0, std::abs(expected)),
                     labelled[i]->label.c_str());
            if (i > 0)
                QVERIFY2(labelled[i]->position - labelled[i - 1]->position >=
                             Width(labelled[i - 1]->label) + 6 - 1e-9,
                         labelled[i]->label.c_str());
        }
        for (std::size_t i = 1; i < ticks.size(); ++i)
            QVERIFY(ticks[i].position - ticks[i - 1].position >= 4 - 1e-9);
    }

    void decimalsFollowTheStep() {
        // 500 pixels an inch: steps of a tenth, written "0.1", "0,2" with the separator.
        const std::vector<RulerTick> ticks = PlanRuler(0, 500, 300, Width, ',');
        QStringList labels;
        for (const RulerTick& tick : ticks)
            if (tick.labelled)
                labels << QString::fromStdString(tick.label);
        QCOMPARE(labels.mid(0, 3), (QStringList{"0,0", "0,1", "0,2"}));
    }

    void nothingForAnUnusableScale_data() {
        QTest::addColumn<double>("start");
        QTest::addColumn<double>("pixelsPerUnit");
        QTest::addColumn<int>("length");
        QTest::newRow("zero zoom") << 0.0 << 0.0 << 100;
        QTest::newRow("not a number") << std::nan("") << 1.0 << 100;
        QTest::newRow("infinite zoom") << 0.0 << HUGE_VAL << 100;
        QTest::newRow("no length") << 0.0 << 1.0 << 0;
    }
    void nothingForAnUnusableScale() {
        QFETCH(double, start);
        QFETCH(double, pixelsPerUnit);
        QFETCH(int, length);
        QVERIFY(PlanRuler(start, pixelsPerUnit, length, Width, '.').empty());
    }
};

QTEST_APPLESS_MAIN(TestRulerScale)
#include "tst_ruler_scale.moc"
