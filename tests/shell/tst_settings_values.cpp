#include "shell/IniFile.h"
#include "shell/StoredValue.h"
#include "widgets/ColourBox.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

using namespace vantor;

Q_DECLARE_METATYPE(std::optional<int>)

class TestSettingsValues : public QObject {
    Q_OBJECT

private slots:
    void storedIntegers_data() {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<bool>("present");
        QTest::addColumn<int>("value");
        QTest::newRow("registry integer") << QVariant(50) << true << 50;
        QTest::newRow("text") << QVariant("120") << true << 120;
        QTest::newRow("text with spaces") << QVariant(" 7 ") << true << 7;
        QTest::newRow("negative text") << QVariant("-3") << true << -3;
        QTest::newRow("DWORD above the signed range")
            << QVariant("4278190095") << true << int(0xFF00000F);
        QTest::newRow("largest DWORD") << QVariant("4294967295") << true << -1;
        QTest::newRow("beyond 32 bits") << QVariant("4294967296") << false << 0;
        QTest::newRow("far below") << QVariant("-2147483649") << false << 0;
        QTest::newRow("huge") << QVariant("99999999999999999999999") << false << 0;
        QTest::newRow("64-bit integer beyond") << QVariant(qlonglong(1) << 40) << false << 0;
        QTest::newRow("unsigned") << QVariant(uint(0xFF00000F)) << true << int(0xFF00000F);
        QTest::newRow("not a number") << QVariant("abc") << false << 0;
        QTest::newRow("fraction") << QVariant("1.5") << false << 0;
        QTest::newRow("hexadecimal text") << QVariant("0x10") << false << 0;
        QTest::newRow("empty text") << QVariant("") << false << 0;
        QTest::newRow("list") << QVariant(QStringList{"1", "2"}) << false << 0;
        QTest::newRow("bytes") << QVariant(QByteArray("\x01\x02")) << false << 0;
        QTest::newRow("missing") << QVariant() << false << 0;
    }
    void storedIntegers() {
        QFETCH(QVariant, stored);
        QFETCH(bool, present);
        QFETCH(int, value);
        const auto read = StoredInt32(stored);
        QCOMPARE(read.has_value(), present);
        if (present)
            QCOMPARE(*read, value);
    }

    void storedBooleans_data() {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<int>("value"); // -1: missing
        QTest::newRow("0") << QVariant("0") << 0;
        QTest::newRow("1") << QVariant("1") << 1;
        QTest::newRow("any other integer") << QVariant("-5") << 1;
        QTest::newRow("word false") << QVariant("false") << 0;
        QTest::newRow("word TRUE") << QVariant("TRUE") << 1;
        QTest::newRow("bool") << QVariant(false) << 0;
        QTest::newRow("other word") << QVariant("yes") << -1;
        QTest::newRow("huge") << QVariant("99999999999") << -1;
        QTest::newRow("missing") << QVariant() << -1;
    }
    void storedBooleans() {
        QFETCH(QVariant, stored);
        QFETCH(int, value);
        const auto read = StoredBool(stored);
        QCOMPARE(read.has_value() ? int(*read) : -1, value);
    }

    void layoutFileReading_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value"); // "<none>" when missing
        QTest::newRow("plain") << "[BarFigury]\nRev=3\n"
                               << "BarFigury"
                               << "Rev"
                               << "3";
        QTest::newRow("names without regard to case") << "[barfigury]\nDOCKEDTO=LeftDock\n"
                                                      << "BarFigury"
                                                      << "DockedTo"
                                                      << "LeftDock";
        QTest::newRow("Windows line ends and spaces") << "[A]\r\n  Key =  value  \r\n"
                                                      << "A"
                                                      << "Key"
                                                      << "value";
        QTest::newRow("quotes removed") << "[A]\nKey=\"x y\"\n"
                                        << "A"
                                        << "Key"
                                        << "x y";
        QTest::newRow("first duplicate wins") << "[A]\nKey=1\nKey=2\n[A]\nKey=3\n"
                                              << "A"
                                              << "Key"
                                              << "1";
        QTest::newRow("duplicate section searched first") << "[A]\nOther=1\n[A]\nKey=3\n"
                                                          << "A"
                                                          << "Key"
                                                          << "<none>";
        QTest::newRow("comment") << "[A]\n;Key=1\n"
                                 << "A"
                                 << "Key"
                                 << "<none>";
        QTest::newRow("line without equals sign") << "[A]\nKey\n"
                                                  << "A"
                                                  << "Key"
                                                  << "<none>";
        QTest::newRow("key before any section") << "Key=1\n[A]\n"
                                                << "A"
                                                << "Key"
                                                << "<none>";
        QTest::newRow("unclosed section header") << "[A]\nKey=1\n[B\nKey=2\n"
                                                 << "A"
                                                 << "Key"
                                                 << "1";
        QTest::newRow("truncated value") << "[A]\nKey="
                                         << "A"
                                         << "Key"
                                         << "";
        QTest::newRow("binary") << QString::fromLatin1("\xff\xfe[\x01]\x00=\x02", 9) << "A"
                                << "Key"
                                << "<none>";
    }
    void layoutFileReading() {
        QFETCH(QString, text);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        const auto read = IniFile::parse(text).value(section, key);
        QCOMPARE(read.value_or("<none>"), value);
    }

    void layoutFileIntegers_data() {
        QTest::addColumn<QString>("value");
        QTest::addColumn<std::optional<int>>("expected");
        QTest::newRow("decimal") << "333" << std::optional<int>(333);
        QTest::newRow("negative") << "-12" << std::optional<int>(-12);
        QTest::newRow("Pascal hexadecimal") << "$1F" << std::optional<int>(31);
        QTest::newRow("C hexadecimal") << "0x1f" << std::optional<int>(31);
        QTest::newRow("largest") << "2147483647" << std::optional<int>(2147483647);
        QTest::newRow("too large") << "2147483648" << std::optional<int>();
        QTest::newRow("far too large") << "99999999999999999999" << std::optional<int>();
        QTest::newRow("smallest") << "-2147483648" << std::optional<int>(-2147483647 - 1);
        QTest::newRow("word") << "abc" << std::optional<int>();
        QTest::newRow("sign alone") << "-" << std::optional<int>();
        QTest::newRow("double sign") << "--5" << std::optional<int>();
        QTest::newRow("fraction") << "1.5" << std::optional<int>();
        QTest::newRow("empty") << "" << std::optional<int>();
    }
    void layoutFileIntegers() {
        QFETCH(QString, value);
        QFETCH(std::optional<int>, expected);
        QCOMPARE(IniFile::parse("[A]\nKey=" + value + "\n").integer("A", "Key"), expected);
    }

    void layoutFileKeepsTheOrderOfItsKeys() {
        IniFile ini;
        ini.setInteger("BarFigury", "Rev", 3);
        ini.setInteger("BarFigury", "Visible", 1);
        ini.setValue("BarFigury", "DockedTo", "LeftDock");
        ini.setInteger("Another", "Rev", 3);
        QCOMPARE(ini.text(),
                 QString("[BarFigury]\nRev=3\nVisible=1\nDockedTo=LeftDock\n\n[Another]\nRev=3\n"));
        QTemporaryDir dir;
        const QString path = dir.filePath("toolbars.ini");
        QVERIFY(ini.write(path));
        const auto back = IniFile::read(path);
        QVERIFY(back.has_value());
        QCOMPARE(back->text(), ini.text());
    }

    void unreadableLayoutFiles() {
        QTemporaryDir dir;
        QVERIFY(!IniFile::read(dir.filePath("missing.ini")).has_value());
        QVERIFY(!IniFile::read(dir.path()).has_value()); // a directory
        QFile big(dir.filePath("big.ini"));
        QVERIFY(big.open(QIODevice::WriteOnly));
        big.write("[A]\nKey=1\n");
        big.write(QByteArray(IniFile::MaximumSize, ';'));
        big.close();
        QVERIFY(!IniFile::read(big.fileName()).has_value());
        // A file in a folder that cannot exist is not written, and says so.
        QFile plain(dir.filePath("plain"));
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.close();
        IniFile ini;
        ini.setInteger("A", "Key", 1);
        QVERIFY(!ini.write(dir.filePath("plain/toolbars.ini")));
    }

    void colourBoxCodes_data() {
        QTest::addColumn<uint>("code");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<int>("index"); // -1: whatever entry, checked by code only
        QTest::addColumn<QColor>("colour");
        QTest::newRow("listed: red") << 0x0000FFu << true << 10 << QColor(255, 0, 0);
        QTest::newRow("listed: white") << 0xFFFFFFu << true << 16 << QColor(255, 255, 255);
        QTest::newRow("custom: light grey")
            << 0xE2E2E2u << true << ColourBox::CustomIndex << QColor(0xE2, 0xE2, 0xE2);
        QTest::newRow("custom: BGR order")
            << 0x332211u << true << ColourBox::CustomIndex << QColor(0x11, 0x22, 0x33);
        QTest::newRow("system: button face")
            << 0xFF00000Fu << true << -1 << QApplication::palette().color(QPalette::Button);
        QTest::newRow("system index beyond the list") << 0xFF000063u << false << -1 << QColor();
        QTest::newRow("unknown high byte") << 0x12345678u << false << -1 << QColor();
        QTest::newRow("-1") << 0xFFFFFFFFu << false << -1 << QColor();
    }
    void colourBoxCodes() {
        QFETCH(uint, code);
        QFETCH(bool, accepted);
        QFETCH(int, index);
        QFETCH(QColor, colour);
        ColourBox box;
        box.setColourCode(0x008000); // green, to see whether a refused code changes it
        QCOMPARE(box.setColourCode(code), accepted);
        QCOMPARE(box.colourCode(), accepted ? code : 0x008000u);
        if (index >= 0)
            QCOMPARE(box.currentIndex(), index);
        if (accepted)
            QCOMPARE(box.colour(), colour);
    }

    void colourBoxCustomEntryAsksForAColour() {
        ColourBox box;
        box.setColourCode(0xFF0000);
        QColor offered;
        std::optional<QColor> answer = QColor(1, 2, 3);
        box.setCustomChooser([&](const QColor& current) {
            offered = current;
            return answer;
        });
        box.setCurrentIndex(ColourBox::CustomIndex);
        emit box.activated(ColourBox::CustomIndex);
        QCOMPARE(box.colourCode(), 0x030201u);
        QCOMPARE(offered, QColor(0, 0, 0));
        // Cancelled: the previous choice stays.
        answer.reset();
        box.setCurrentIndex(ColourBox::CustomIndex);
        emit box.activated(ColourBox::CustomIndex);
        QCOMPARE(box.colourCode(), 0x030201u);
        box.setColourCode(0x00FF00);
        box.setCurrentIndex(ColourBox::CustomIndex);
        emit box.activated(ColourBox::CustomIndex);
        QCOMPARE(box.colourCode(), 0x00FF00u);
        QCOMPARE(offered, QColor(1, 2, 3));
    }

    void colourBoxIsNotAPlainComboBox() {
        // The caption translation matches exact class names; a colour box must not pass
        // for a QComboBox, or its colour names would be blanked.
        ColourBox box;
        QCOMPARE(QString(box.metaObject()->className()), QString("vantor::ColourBox"));
    }
};

QTEST_MAIN(TestSettingsValues)
#include "tst_settings_values.moc"
