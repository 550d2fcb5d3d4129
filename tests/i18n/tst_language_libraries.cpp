#include "exchange/ImportNotes.h"
#include "i18n/DefaultTexts.h"
#include "i18n/LanguageLibrary.h"
#include "i18n/LanguageModuleAbi.h"
#include "i18n/StringId.h"

#include <QLibrary>
#include <QSet>
#include <QtTest>

using namespace vantor;

namespace {

QList<int> Range(int first, int last) {
    QList<int> ids;
    for (int id = first; id <= last; ++id)
        ids.append(id);
    return ids;
}

// The identifiers each translated form carries.
QList<int> MainWindowIds() {
    QList<int> ids{1501, 1513, 1515, 1517};
    ids += Range(1519, 1531);
    ids += {1537, 1538, 1544, 1545};
    ids += Range(1548, 1564);
    ids += Range(1566, 1575);
    ids += Range(1603, 1640);
    ids += Range(1642, 1658);
    ids += Range(1661, 1670);
    ids += {1680, 1681, 1682, 1699, 1700, 1701, 1704, 1706, 1707, 1724, 1725, 1728, 1729};
    ids += {1730, 1731};      // the stability marker's View item
    ids += Range(1735, 1738); // the verbs of the undo captions
    ids += Range(1750, 1761); // print, PDF and SVG
    ids += {1800};            // the recovery copy's status-bar text
    ids += {1840, 1841};      // zoom to fit
    ids += Range(1842, 1845); // recent designs, status after an export, two questions
    ids += Range(6610, 6634) + Range(6640, 6648) + Range(6650, 6673); // printed words and messages
    return ids; // and 3518, shared with the options dialog
}
// The SVG templates' choice of sheet and of texts.
QList<int> TemplateSheetIds() {
    return Range(1820, 1827);
}
// The 3D model export: its menu command and its dialog.
QList<int> Export3dIds() {
    return Range(1770, 1777) + QList<int>{1828};
}
QList<int> ImportReportIds() {
    // caption, label, button, empty label; line patterns; one text per import event; shape words
    return Range(6100, 6107) + Range(6110, 6144) + Range(6150, 6156);
}
QList<int> ObjectWindowIds() {
    return QList<int>{2501, 2502, 2507, 2508} + Range(2510, 2540) + QList<int>{2542, 2545, 2546} +
           Range(2550, 2563); // the stability table, its note, button, titles and verdicts
}
QList<int> OptionsIds() {
    return Range(3501, 3520) + QList<int>{3523, 3524, 3525} + Range(3527, 3532);
}
QList<int> ParametersIds() {
    return QList<int>{5501, 5504, 5506, 5507, 5508} + Range(5510, 5524) + Range(6600, 6602);
}

// The motor chooser and the motor library's command and messages.
QList<int> MotorIds() {
    return Range(5530, 5547) + Range(6001, 6006) + Range(6010, 6012);
}

// Why a typed length or weight is refused, and the options' display units.
QList<int> UnitIds() {
    return Range(6400, 6411);
}

// The Flight menu, the flight window and the motor comparison.
QList<int> FlightIds() {
    return Range(6200, 6205) + Range(6210, 6268) + Range(6270, 6283) + Range(6285, 6295);
}

// The help window: caption, its three buttons and the note of a missing manual.
QList<int> HelpIds() {
    return Range(6500, 6504);
}

QSet<int> AllFormIds() {
    QSet<int> ids;
    for (const auto& list :
         {MainWindowIds(), Export3dIds(), ObjectWindowIds(), OptionsIds(), ParametersIds(),
          MotorIds(), TemplateSheetIds(), ImportReportIds(), FlightIds(), HelpIds(), UnitIds()})
        for (int id : list)
            ids.insert(id);
    ids.insert(3518);
    ids.insert(1001); // the design window's caption
    return ids;
}

// The default texts the form definitions carry, as quoted with the forms' commands.
const QList<QPair<int, const char*>>& QuotedDefaultTexts() {
    // clang-format off
    static const QList<QPair<int, const char*>> texts{
        {1513, "Wymiary"}, {1515, "Tryb"}, {1517, "Figury"}, {1527, "Obrot"},
        {1528, "Transform"}, {1531, "Podstawowy"}, {1537, "  hex  "}, {1548, "Obiekty"},
        {1549, "&File"}, {1550, "File related commands"}, {1551, "-"}, {1552, "Edycja"},
        {1553, "Cofnij"}, {1554, "Ponow"}, {1555, "Widok"}, {1556, "Zoom"}, {1557, "25%"},
        {1558, "50%"}, {1559, "100%"}, {1560, "200%"}, {1561, "300%"}, {1562, "500%"},
        {1563, "Siatka"}, {1564, "Prowadnice"}, {1566, "-"}, {1567, "Paski narzędzi"},
        {1568, "Podstawowy"}, {1569, "Figury"}, {1570, "Wymiary"}, {1571, "Narzędzia"},
        {1572, "Kolory"}, {1573, "Rotacja"}, {1574, "Transform"}, {1575, "-"}, {1603, "&Window"},
        {1604, "Window related commands"}, {1605, "-"}, {1606, "Objekty"}, {1607, "Lista obiektow"},
        {1608, "Opcje"}, {1609, "Wersja językowa"}, {1610, "Polska"}, {1611, "Angielska"},
        {1612, "Ustawienia programu"}, {1613, "&Help"}, {1614, "Help topics"},
        {1615, "Pomoc do programu"}, {1616, "&Nowy projekt"}, {1617, "Utworz nowy projekt"},
        {1620, "&Open"}, {1621, "Open|Open a file"}, {1622, "&Close"},
        {1623, "Close|Close current file"}, {1624, "&Save"}, {1625, "Save|Save current file"},
        {1626, "Save &As..."}, {1627, "Save As|Save current file with different name"},
        {1628, "E&xit"}, {1629, "Exit|Exit application"}, {1630, "&Cascade"}, {1631, "Cascade"},
        {1632, "Tile &Horizontally"}, {1633, "Tile Horizontally"}, {1634, "Tile &Vertically"},
        {1635, "Tile Vertically"}, {1636, "&Minimize All"}, {1637, "Minimize All"},
        {1638, "&Arrange All"}, {1639, "Arrange All"}, {1640, "&About..."},
        {1654, "Podgląd pełny ekran          F9"}, {1655, "Linijki"}, {1657, "Ustawienia domyślne"},
        {1658, "Maksymalizuj obszar roboczy"}, {1680, "Zaznacz, przenieś obiekt"},
        {1681, "Zaznacz marker"}, {1704, "Repeat"}, {1706, "Zamknij wszystkie"}, {1707, "Drukuj"},
        {3518, "Przeciągaj do siatki"},
        // object window
        {2501, "Objects"}, {2502, "Obiekty"}, {2510, "-"}, {2511, "-"}, {2512, "-"},
        {2513, "Duplikuj"}, {2514, "Wklej"}, {2515, "Kopiuj"}, {2516, "Zaznacz wszystkie"},
        {2521, "Usuń zaznaczone obiekty"}, {2536, "Wytnij"}, {2545, "Wymiary"},
        {2546, "Właściwości"},
        // options dialog
        {3501, "Opcje programu"}, {3502, "OK"}, {3503, "Zamknij"}, {3504, "Ustawienia ogolne"},
        {3505, "Ustawienia ogólne"}, {3506, "Jednostki"}, {3507, "Kolor tła"}, {3508, "Kolor lini"},
        {3509, "Kolor wypełnienia"}, {3510, "Krok obrotu"}, {3511, "Krok powiększenia"},
        {3512, "Ustawienia siatki"}, {3513, "X: rozmiesc co:"}, {3514, "Y: rozmiesc co:"},
        {3515, "Kolor siatki"}, {3516, "Ustawienia siatki"}, {3517, "Siatka widoczna"},
        {3519, "MArker"}, {3523, "TabSheet4"}, {3524, "Ogólne"}, {3525, "Siatka"},
        {3529, "piksele"}, {3530, "milimetry"}, {3531, "centymetry"}, {3532, "cale"},
        // parameters dialog
        {5501, "Parametry"}, {5506, "Średnica A"}, {5507, "Średnica B"},
        {5508, "Grubość materiału"}, {5510, "Waga"}, {5511, "oblicz"}, {5513, "A"}, {5514, "B"},
        {5515, "C"}, {5516, "D"}, {5517, "Ilość statecznikow"}, {5520, "Waga"}, {5521, "oblicz"},
        {5522, "Caption"}, {5523, "Dlugosc"}, {5524, "Material"},
    };
    // clang-format on
    return texts;
}

QString LibraryPath(const char* name) {
    return QStringLiteral(VANTOR_BUILD_DIR "/Dll/") + QLatin1String(name);
}

// The library's lookup function itself, which tells an undefined identifier (null) from
// an empty string.
class RawLibrary {
public:
    explicit RawLibrary(const QString& path) : library_(path) {
        if (library_.load())
            lookup_ =
                reinterpret_cast<LanguageStringFunction>(library_.resolve(LanguageStringSymbol));
    }
    bool loaded() const { return lookup_ != nullptr; }
    const char* operator()(int id) const { return lookup_(id); }

private:
    QLibrary library_;
    LanguageStringFunction lookup_ = nullptr;
};

} // namespace

class LanguageLibrariesTest : public QObject {
    Q_OBJECT
private slots:
    void eachLibraryCarriesTheProgramsMarker_data();
    void eachLibraryCarriesTheProgramsMarker();
    void everyFormIdentifierHasAString_data();
    void everyFormIdentifierHasAString();
    void definesNothingElse_data();
    void definesNothingElse();
    void polishStringsAreTheQuotedDefaultTexts();
    void formsDefaultTextsAreThePolishStrings();
    void englishStrings_data();
    void englishStrings();
    void translationsKeepHintsMnemonicsAndBlanks();
    void importReportTextsAreTheCommandLineTexts();
};

static void EachLibraryRows() {
    QTest::addColumn<QString>("path");
    QTest::newRow("Polish") << LibraryPath("Pol_Library.dll");
    QTest::newRow("English") << LibraryPath("Eng_Library.dll");
}

void LanguageLibrariesTest::eachLibraryCarriesTheProgramsMarker_data() {
    EachLibraryRows();
}

void LanguageLibrariesTest::eachLibraryCarriesTheProgramsMarker() {
    QFETCH(QString, path);
    const LanguageLibrary library(path);
    QVERIFY2(library.isUsable(), qPrintable(path));
    QCOMPARE(library.string(1), QString::fromLatin1(LanguageMarker));
    QCOMPARE(library.string(1).size(), 16);
}

void LanguageLibrariesTest::everyFormIdentifierHasAString_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QList<int>>("ids");
    QTest::addColumn<int>("count");
    for (const char* file : {"Pol_Library.dll", "Eng_Library.dll"}) {
        const QString path = LibraryPath(file);
        QTest::addRow("%s main window", file) << path << MainWindowIds() + QList<int>{3518} << 210;
        QTest::addRow("%s object window", file) << path << ObjectWindowIds() << 52;
        QTest::addRow("%s options", file) << path << OptionsIds() << 29;
        QTest::addRow("%s parameters", file) << path << ParametersIds() << 23;
        QTest::addRow("%s design window", file) << path << QList<int>{1001} << 1;
        QTest::addRow("%s 3D model export", file) << path << Export3dIds() << 9;
        QTest::addRow("%s motors", file) << path << MotorIds() << 27;
        QTest::addRow("%s template sheets", file) << path << TemplateSheetIds() << 8;
        QTest::addRow("%s import report", file) << path << ImportReportIds() << 50;
        QTest::addRow("%s flight", file) << path << FlightIds() << 90;
        QTest::addRow("%s help window", file) << path << HelpIds() << 5;
        QTest::addRow("%s units", file) << path << UnitIds() << 12;
    }
}

void LanguageLibrariesTest::everyFormIdentifierHasAString() {
    QFETCH(QString, path);
    QFETCH(QList<int>, ids);
    QFETCH(int, count);
    QCOMPARE(ids.size(), count);
    const LanguageLibrary library(path);
    QVERIFY(library.isUsable());
    for (int id : ids)
        QVERIFY2(!library.string(id).isEmpty(), qPrintable(QString::number(id)));
    for (int separator : {1551, 1566, 1575, 1605, 2510, 2511, 2512})
        QCOMPARE(library.string(separator), QStringLiteral("-"));
}

void LanguageLibrariesTest::definesNothingElse_data() {
    EachLibraryRows();
}

void LanguageLibrariesTest::definesNothingElse() {
    QFETCH(QString, path);
    const RawLibrary lookup(path);
    QVERIFY(lookup.loaded());
    QSet<int> expected = AllFormIds();
    expected.insert(1);
    QSet<int> defined;
    for (int id = -100; id <= 100000; ++id)
        if (lookup(id))
            defined.insert(id);
    for (int id : {INT_MIN, INT_MAX})
        QVERIFY(!lookup(id));
    const auto sorted = [](const QSet<int>& set) {
        QList<int> list = set.values();
        std::sort(list.begin(), list.end());
        return list;
    };
    QCOMPARE(sorted(defined - expected), QList<int>()); // extra identifiers
    QCOMPARE(sorted(expected - defined), QList<int>()); // holes
    QVERIFY(!lookup(0));
}

void LanguageLibrariesTest::polishStringsAreTheQuotedDefaultTexts() {
    const LanguageLibrary polish(LibraryPath("Pol_Library.dll"));
    QVERIFY(polish.isUsable());
    for (const auto& [id, text] : QuotedDefaultTexts())
        QCOMPARE(polish.string(id), QString::fromUtf8(text));
    // The main window's stored working title gives way to the program's name.
    QCOMPARE(polish.string(1501), QStringLiteral("Vantor"));
}

void LanguageLibrariesTest::formsDefaultTextsAreThePolishStrings() {
    const LanguageLibrary polish(LibraryPath("Pol_Library.dll"));
    for (int id : AllFormIds()) {
        QCOMPARE(QString::fromStdString(std::string(DefaultText(id))), polish.string(id));
        QCOMPARE(ParseStringId(TaggedText(id)), id);
    }
}

void LanguageLibrariesTest::englishStrings_data() {
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("text");
    QTest::newRow("main window caption") << 1501 << "Vantor";
    QTest::newRow("new design") << 1616 << "&New design";
    QTest::newRow("grid") << 1563 << "Grid";
    QTest::newRow("rulers") << 1655 << "Rulers";
    QTest::newRow("Polish item") << 1610 << "Polish";
    QTest::newRow("English item") << 1611 << "English";
    QTest::newRow("units") << 3529 << "pixels";
    QTest::newRow("snap to grid") << 3518 << "Snap to grid";
    QTest::newRow("two-part hint") << 1621 << "Open|Open a file";
    QTest::newRow("parameters caption") << 5501 << "Parameters";
    QTest::newRow("object window tab") << 2545 << "Dimensions";
    QTest::newRow("length unit") << 6409 << "inches (in)";
    QTest::newRow("weight unit") << 6411 << "ounces (oz)";
    QTest::newRow("refused unit") << 6402 << "unknown unit";
}

void LanguageLibrariesTest::englishStrings() {
    QFETCH(int, id);
    QFETCH(QString, text);
    QCOMPARE(LanguageLibrary(LibraryPath("Eng_Library.dll")).string(id), text);
}

// The English string of every identifier has the shape of the Polish one: a hint in two
// parts stays in two parts, a mnemonic stays a mnemonic, and leading or trailing blanks
// (which lay out a caption) are kept.
void LanguageLibrariesTest::translationsKeepHintsMnemonicsAndBlanks() {
    const LanguageLibrary polish(LibraryPath("Pol_Library.dll"));
    const LanguageLibrary english(LibraryPath("Eng_Library.dll"));
    const auto leadingBlanks = [](const QString& s) {
        return s.size() - QString(s).remove(QRegularExpression("^ +")).size();
    };
    const auto trailingBlanks = [](const QString& s) {
        return s.size() - QString(s).remove(QRegularExpression(" +$")).size();
    };
    for (int id : AllFormIds()) {
        const QString pol = polish.string(id);
        const QString eng = english.string(id);
        const QByteArray where = QByteArray::number(id);
        QVERIFY2(!pol.contains(u'@') && !eng.contains(u'@'), where);
        QVERIFY2(pol.count(u'|') == eng.count(u'|'), where);
        QVERIFY2(pol.count(u'&') == eng.count(u'&'), where);
        QVERIFY2(leadingBlanks(pol) == leadingBlanks(eng), where);
        QVERIFY2(trailingBlanks(pol) == trailingBlanks(eng), where);
    }
}

// The English library gives the import report the texts the command-line tool prints, one
// per event in the order of the events; each Polish text takes the same arguments.
void LanguageLibrariesTest::importReportTextsAreTheCommandLineTexts() {
    const LanguageLibrary polish(LibraryPath("Pol_Library.dll"));
    const LanguageLibrary english(LibraryPath("Eng_Library.dll"));
    const ImportReportTexts& texts = EnglishImportTexts();
    QList<QPair<int, std::string>> expected{{6104, texts.leftOutLine},
                                            {6105, texts.approximatedLine},
                                            {6106, texts.withMass},
                                            {6107, texts.decimalPoint}};
    for (std::size_t i = 0; i < ImportEventCount; ++i)
        expected.append({6110 + int(i), texts.events[i]});
    for (std::size_t i = 0; i < ImportWordCount; ++i)
        expected.append({6150 + int(i), texts.words[i]});
    const QRegularExpression argument("%[1-9]");
    const auto arguments = [&](const QString& text) {
        QStringList found;
        for (auto it = argument.globalMatch(text); it.hasNext();)
            found << it.next().captured();
        found.sort();
        return found;
    };
    for (const auto& [id, text] : expected) {
        const QByteArray where = QByteArray::number(id);
        QVERIFY2(english.string(id) == QString::fromStdString(text), where);
        QVERIFY2(arguments(polish.string(id)) == arguments(english.string(id)), where);
    }
}

QTEST_GUILESS_MAIN(LanguageLibrariesTest)
#include "tst_language_libraries.moc"
