#include "model/Quantities.h"

#include <QTest>

using namespace vantor;

Q_DECLARE_METATYPE(vantor::QuantityProblem)
Q_DECLARE_METATYPE(vantor::LengthUnit)

class TestQuantities : public QObject {
    Q_OBJECT

private slots:
    void lengthsAreReadInMillimetres_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<LengthUnit>("bare");
        QTest::addColumn<double>("millimetres");
        const auto mm = LengthUnit::Millimetre, in = LengthUnit::Inch;
        QTest::newRow("bare number") << "120" << mm << 120.0;
        QTest::newRow("half is half") << "0.5" << mm << 0.5;
        QTest::newRow("comma separator") << "0,5" << mm << 0.5;
        QTest::newRow("leading separator") << ".5" << mm << 0.5;
        QTest::newRow("trailing separator") << "7." << mm << 7.0;
        QTest::newRow("spaces around") << "  12.7   mm " << mm << 12.7;
        QTest::newRow("centimetres") << "2.5cm" << mm << 25.0;
        QTest::newRow("metres") << "0.3 m" << mm << 300.0;
        QTest::newRow("inches glued") << "1.5in" << mm << 38.1;
        QTest::newRow("inch fraction") << "1/2 in" << mm << 12.7;
        QTest::newRow("mixed fraction, quote") << "3 1/4\"" << mm << 82.55;
        QTest::newRow("spaces in fraction") << "1 / 4 IN" << mm << 6.35;
        QTest::newRow("feet") << "2 ft" << mm << 609.6;
        QTest::newRow("feet mark") << "1'" << mm << 304.8;
        QTest::newRow("bare in inches") << "0.5" << in << 12.7;
        QTest::newRow("bare fraction in inches") << "3 1/4" << in << 82.55;
        QTest::newRow("unit overrides bare") << "10 mm" << in << 10.0;
        QTest::newRow("negative kept for the dialog's check") << "-5" << mm << -5.0;
        QTest::newRow("plus sign") << "+5 mm" << mm << 5.0;
        QTest::newRow("zero") << "0" << mm << 0.0;
        QTest::newRow("a kilometre") << "1000 m" << mm << 1e6;
    }
    void lengthsAreReadInMillimetres() {
        QFETCH(QString, text);
        QFETCH(LengthUnit, bare);
        QFETCH(double, millimetres);
        const QuantityReading read = ReadLength(text.toStdString(), bare);
        QCOMPARE(read.problem, QuantityProblem::None);
        QVERIFY(read.value.has_value());
        QVERIFY2(std::abs(*read.value - millimetres) < 1e-9,
                 qPrintable(QString::number(*read.value, 'g', 17)));
    }

    void nonsenseIsRefusedWithItsReason_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QuantityProblem>("problem");
        QTest::newRow("empty") << "" << QuantityProblem::Empty;
        QTest::newRow("spaces") << "   " << QuantityProblem::Empty;
        QTest::newRow("letters only") << "abc" << QuantityProblem::NotANumber;
        QTest::newRow("lone sign") << "-" << QuantityProblem::NotANumber;
        QTest::newRow("lone separator") << "." << QuantityProblem::NotANumber;
        QTest::newRow("two separators") << "1.2.3" << QuantityProblem::NotANumber;
        QTest::newRow("grouped thousands") << "1,000.5" << QuantityProblem::NotANumber;
        QTest::newRow("exponent") << "1e3" << QuantityProblem::UnknownUnit;
        QTest::newRow("nan") << "nan" << QuantityProblem::NotANumber;
        QTest::newRow("inf") << "inf" << QuantityProblem::NotANumber;
        QTest::newRow("unknown unit") << "12 yd" << QuantityProblem::UnknownUnit;
        QTest::newRow("weight unit for a length") << "12 g" << QuantityProblem::UnknownUnit;
        QTest::newRow("unit then more") << "12 mm 3" << QuantityProblem::UnknownUnit;
        QTest::newRow("over zero") << "1/0 in" << QuantityProblem::DivisionByZero;
        QTest::newRow("mixed over zero") << "3 1/0" << QuantityProblem::DivisionByZero;
        QTest::newRow("zero over zero") << "0/0" << QuantityProblem::DivisionByZero;
        QTest::newRow("whole without fraction") << "3 1" << QuantityProblem::NotANumber;
        QTest::newRow("decimal before fraction") << "1.5 1/2" << QuantityProblem::NotANumber;
        QTest::newRow("open fraction") << "1/" << QuantityProblem::NotANumber;
        QTest::newRow("decimal fraction") << "1.5/2" << QuantityProblem::NotANumber;
        QTest::newRow("beyond a kilometre") << "1001 m" << QuantityProblem::TooLarge;
        QTest::newRow("absurd") << "99999999999 ft" << QuantityProblem::TooLarge;
        QTest::newRow("overflowing digits") << QString(400, '9') << QuantityProblem::TooLarge;
        QTest::newRow("overflowing fraction")
            << QString(400, '9') + "/" + QString(400, '9') << QuantityProblem::TooLarge;
        QTest::newRow("control character") << QString("12\x01") << QuantityProblem::NotANumber;
    }
    void nonsenseIsRefusedWithItsReason() {
        QFETCH(QString, text);
        QFETCH(QuantityProblem, problem);
        const QuantityReading read = ReadLength(text.toStdString(), LengthUnit::Millimetre);
        QCOMPARE(read.problem, problem);
        QVERIFY(!read.value.has_value());
    }

    void weightsAreReadInGrams_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("grams");
        QTest::addColumn<int>("problem");
        QTest::newRow("bare grams") << "7,1" << 7.1 << 0;
        QTest::newRow("grams") << "24 g" << 24.0 << 0;
        QTest::newRow("kilograms") << "1.2kg" << 1200.0 << 0;
        QTest::newRow("ounces") << "1 oz" << 28.349523125 << 0;
        QTest::newRow("half an ounce") << "1/2 OZ" << 14.1747615625 << 0;
        QTest::newRow("length unit") << "3 mm" << 0.0 << int(QuantityProblem::UnknownUnit);
        QTest::newRow("beyond a tonne") << "1001 kg" << 0.0 << int(QuantityProblem::TooLarge);
    }
    void weightsAreReadInGrams() {
        QFETCH(QString, text);
        QFETCH(double, grams);
        QFETCH(int, problem);
        const QuantityReading read = ReadWeight(text.toStdString(), WeightUnit::Gram);
        QCOMPARE(int(read.problem), problem);
        if (problem == 0)
            QVERIFY(std::abs(read.value.value() - grams) < 1e-9);
    }

    void bareWeightsFollowTheGivenUnit() {
        const QuantityReading read = ReadWeight("2", WeightUnit::Ounce);
        QVERIFY(std::abs(read.value.value() - 56.69904625) < 1e-9);
    }

    // Defaults write the bare number as the tables always have; other units say which.
    void formattingNamesOnlyForeignUnits() {
        QCOMPARE(FormatLength(12.7, LengthUnit::Millimetre, 2, ','), std::string("12,70"));
        QCOMPARE(FormatLength(12.7, LengthUnit::Inch, 2, '.'), std::string("0.50 in"));
        QCOMPARE(FormatWeight(7.1, WeightUnit::Gram, 2, '.'), std::string("7.10"));
        QCOMPARE(FormatWeight(28.349523125, WeightUnit::Ounce, 2, '.'), std::string("1.00 oz"));
        QCOMPARE(LengthFromUnit(LengthToUnit(123.456, LengthUnit::Foot), LengthUnit::Foot),
                 123.456);
    }
};

QTEST_APPLESS_MAIN(TestQuantities)
#include "tst_quantities.moc"
