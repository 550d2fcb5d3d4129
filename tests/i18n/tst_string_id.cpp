#include "i18n/DefaultTexts.h"
#include "i18n/StringId.h"

#include <QtTest>
#include <climits>
#include <string>

using namespace vantor;

class StringIdTest : public QObject {
    Q_OBJECT
private slots:
    void parsesTheNumberAfterTheFirstAtSign_data();
    void parsesTheNumberAfterTheFirstAtSign();
    void taggedTextCarriesTheDefaultTextAndItsIdentifier();
};

void StringIdTest::parsesTheNumberAfterTheFirstAtSign_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("id");

    QTest::newRow("caption") << QByteArray("piksele@3529") << 3529;
    QTest::newRow("blanks before the at-sign") << QByteArray("  hex  @1537") << 1537;
    QTest::newRow("no at-sign") << QByteArray("3D") << 0;
    QTest::newRow("empty text") << QByteArray("") << 0;
    QTest::newRow("trailing at-sign") << QByteArray("Siatka@") << 0;
    QTest::newRow("digits then a letter") << QByteArray("Vantor@1501x") << 0;
    QTest::newRow("second at-sign after the digits") << QByteArray("Siatka@1563@") << 0;
    QTest::newRow("second number") << QByteArray("a@15@01") << 0;
    QTest::newRow("two at-signs in a row") << QByteArray("x@@12") << 0;
    QTest::newRow("separator") << QByteArray("-@1551") << 1551;
    QTest::newRow("two-part hint") << QByteArray("Open|Open a file@1621") << 1621;
    QTest::newRow("spaces inside the text") << QByteArray("Podgl\xc4\x85"
                                                          "d pe\xc5\x82ny ekran          F9@1654")
                                            << 1654;
    QTest::newRow("non-ASCII before the at-sign")
        << QByteArray("Przeci\xc4\x85gaj do siatki@3518") << 3518;
    QTest::newRow("non-ASCII after the digits") << QByteArray("@15\xc4\x85") << 0;
    QTest::newRow("zero") << QByteArray("@0") << 0;
    QTest::newRow("leading zeros") << QByteArray("@00001616") << 1616;

    // Decisions: a sign directly before the digits is part of the integer; blanks and
    // hexadecimal notation are not; values outside the 32-bit range are not integers.
    QTest::newRow("plus sign") << QByteArray("@+1616") << 1616;
    QTest::newRow("minus sign") << QByteArray("@-12") << -12;
    QTest::newRow("sign alone") << QByteArray("@-") << 0;
    QTest::newRow("plus alone") << QByteArray("@+") << 0;
    QTest::newRow("two signs") << QByteArray("@+-1") << 0;
    QTest::newRow("blank before the digits") << QByteArray("@ 1616") << 0;
    QTest::newRow("blank after the digits") << QByteArray("@1616 ") << 0;
    QTest::newRow("blank after the sign") << QByteArray("@- 5") << 0;
    QTest::newRow("hexadecimal 0x") << QByteArray("@0x10") << 0;
    QTest::newRow("hexadecimal dollar") << QByteArray("@$10") << 0;
    QTest::newRow("largest int") << QByteArray("@2147483647") << INT_MAX;
    QTest::newRow("one above the largest") << QByteArray("@2147483648") << 0;
    QTest::newRow("smallest int") << QByteArray("@-2147483648") << INT_MIN;
    QTest::newRow("one below the smallest") << QByteArray("@-2147483649") << 0;
    QTest::newRow("far too large") << QByteArray("@99999999999999999999") << 0;

    // Only 255 characters after the at-sign count.
    QTest::newRow("255 characters") << (QByteArray("x@") + QByteArray(250, '0') + "12345") << 12345;
    QTest::newRow("256 characters, the last one cut off")
        << (QByteArray("x@") + QByteArray(251, '0') + "12345") << 1234;
    QTest::newRow("a letter beyond the limit is not seen")
        << (QByteArray("@") + QByteArray(254, '0') + "7x") << 7;
}

void StringIdTest::parsesTheNumberAfterTheFirstAtSign() {
    QFETCH(QByteArray, text);
    QFETCH(int, id);
    QCOMPARE(ParseStringId(std::string_view(text.constData(), text.size())), id);
}

void StringIdTest::taggedTextCarriesTheDefaultTextAndItsIdentifier() {
    QCOMPARE(TaggedText(1616), std::string("&Nowy projekt@1616"));
    QCOMPARE(TaggedText(1654), std::string("Podgl\xc4\x85"
                                           "d pe\xc5\x82ny ekran          F9@1654"));
    QCOMPARE(ParseStringId(TaggedText(3518)), 3518);
    QVERIFY(DefaultText(1565).empty());
    QVERIFY(DefaultText(1).empty()); // the marker is not a form text
}

QTEST_GUILESS_MAIN(StringIdTest)
#include "tst_string_id.moc"
