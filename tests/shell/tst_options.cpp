#include "ProgramRun.h"
#include "analysis/Summary.h"
#include "canvas/DesignWindow.h"
#include "i18n/FormTranslator.h"
#include "model/Design.h"
#include "shell/OptionsDialog.h"
#include "support/DesignBuilder.h"
#include "support/Named.h"
#include "support/ParametersControls.h"
#include "support/TestMain.h"
#include "toolwindows/ObjectWindow.h"
#include "toolwindows/ParametersDialog.h"
#include "widgets/ColourBox.h"

#include <QAction>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTreeWidget>

using namespace vantor;
using test::ClearStore;
using test::Named;
using test::ProgramRun;
using test::Store;

namespace {

// The twelve classic values and the stability marker's check mark.
const QStringList StoredValues{"BackgroundColor", "Eng",       "GridColor", "GridX",
                               "GridY",           "jednostki", "Linijki",   "Pol",
                               "Prowadnice1",     "Siatka1",   "SnapGrid",  "VisibleGrid",
                               "StabilityMarker"};

void Put(const QString& name, const QVariant& value) {
    QSettings store = Store();
    store.setValue(name, value);
    store.sync();
}

// The menu check items whose marks are stored, by value name.
QHash<QString, QAction*> MenuItems(TMainForm& m) {
    return {{"Linijki", &Named<QAction>(m, "AShowLinijki")},
            {"Siatka1", &Named<QAction>(m, "Siatka1")},
            {"Prowadnice1", &Named<QAction>(m, "Prowadnice1")},
            {"Pol", &Named<QAction>(m, "Polska1")},
            {"Eng", &Named<QAction>(m, "Angielska1")},
            {"StabilityMarker", &Named<QAction>(m, "AStabilityMarker")}};
}

// The control or menu item of a stored value, read and set as an integer.
int Control(ProgramRun& run, const QString& name) {
    TFormOpcje& o = run.options();
    TMainForm& m = *run.main;
    if (name == "BackgroundColor")
        return int(o.cbKolorTla->colourCode());
    if (name == "jednostki")
        return o.cbJednostki->currentIndex();
    if (name == "GridX")
        return o.sXGrid->value();
    if (name == "GridY")
        return o.sYGrid->value();
    if (name == "GridColor")
        return int(o.cbKolorGrid->colourCode());
    if (name == "VisibleGrid")
        return o.cbVisibleGrid->isChecked();
    if (name == "SnapGrid")
        return o.cbSnapGrid->isChecked();
    return MenuItems(m).value(name)->isChecked();
}

void SetControl(ProgramRun& run, const QString& name, int value) {
    TFormOpcje& o = run.options();
    TMainForm& m = *run.main;
    if (name == "BackgroundColor")
        o.cbKolorTla->setColourCode(uint(value));
    else if (name == "jednostki")
        o.cbJednostki->setCurrentIndex(value);
    else if (name == "GridX")
        o.sXGrid->setValue(value);
    else if (name == "GridY")
        o.sYGrid->setValue(value);
    else if (name == "GridColor")
        o.cbKolorGrid->setColourCode(uint(value));
    else if (name == "VisibleGrid")
        o.cbVisibleGrid->setChecked(value);
    else if (name == "SnapGrid")
        o.cbSnapGrid->setChecked(value);
    else
        MenuItems(m).value(name)->setChecked(value);
}

QRgb Rgb(std::uint32_t bgr) {
    return qRgb(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

} // namespace

class TestOptions : public QObject {
    Q_OBJECT

    QTemporaryDir directory_;

private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }
    void init() { ClearStore(); }

    void firstStartTakesTheDefaultsAndWritesAllStoredValuesOnExit() {
        {
            ProgramRun run(directory_.path());
            QVERIFY(run.created);
            TFormOpcje& o = run.options();
            QCOMPARE(o.cbKolorTla->colourCode(), 0xFFFFFFu);
            QCOMPARE(o.cbJednostki->currentIndex(), 0);
            QCOMPARE(o.sXGrid->value(), 50);
            QCOMPARE(o.sYGrid->value(), 50);
            QCOMPARE(o.cbKolorGrid->colourCode(), 14869218u);
            QVERIFY(!o.cbVisibleGrid->isChecked());
            QVERIFY(!o.cbSnapGrid->isChecked());
            QVERIFY(Named<QAction>(*run.main, "AShowLinijki").isChecked());
            QVERIFY(Named<QAction>(*run.main, "Siatka1").isChecked());
            QVERIFY(Named<QAction>(*run.main, "Prowadnice1").isChecked());
            QVERIFY(Named<QAction>(*run.main, "Polska1").isChecked());
            QVERIFY(!Named<QAction>(*run.main, "Angielska1").isChecked());
            QVERIFY(Store().allKeys().isEmpty());
            run.exit();
        }
        QSettings store = Store();
        QStringList keys = store.allKeys();
        QStringList expected = StoredValues;
        keys.sort(Qt::CaseInsensitive);
        expected.sort(Qt::CaseInsensitive);
        QCOMPARE(keys, expected);
        const QList<std::pair<QString, int>> values{{"BackgroundColor", 16777215},
                                                    {"jednostki", 0},
                                                    {"GridX", 50},
                                                    {"GridY", 50},
                                                    {"GridColor", 14869218},
                                                    {"VisibleGrid", 0},
                                                    {"SnapGrid", 0},
                                                    {"Linijki", 1},
                                                    {"Siatka1", 1},
                                                    {"Prowadnice1", 1},
                                                    {"Pol", 1},
                                                    {"Eng", 0},
                                                    {"StabilityMarker", 1}};
        for (const auto& [name, value] : values)
            QCOMPARE(store.value(name).toString(), QString::number(value));
    }

    void storedValuesAreLoadedChecked_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("before");
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<int>("expected");
        const QVariant missing;
        QTest::newRow("GridX 2 loads as 5") << "GridX" << 77 << QVariant("2") << 5;
        QTest::newRow("GridY 900 loads as 500") << "GridY" << 77 << QVariant("900") << 500;
        QTest::newRow("GridX in range") << "GridX" << 77 << QVariant("120") << 120;
        QTest::newRow("GridX negative") << "GridX" << 77 << QVariant("-40") << 5;
        QTest::newRow("GridX largest DWORD is -1") << "GridX" << 77 << QVariant("4294967295") << 5;
        QTest::newRow("GridX beyond 32 bits: missing")
            << "GridX" << 77 << QVariant("99999999999") << 77;
        QTest::newRow("GridX text: missing") << "GridX" << 77 << QVariant("abc") << 77;
        QTest::newRow("GridX list: missing")
            << "GridX" << 77 << QVariant(QStringList{"1", "2"}) << 77;
        QTest::newRow("GridX empty: missing") << "GridX" << 77 << QVariant("") << 77;
        QTest::newRow("GridX absent") << "GridX" << 77 << missing << 77;
        QTest::newRow("jednostki 7 shows pixels") << "jednostki" << 2 << QVariant("7") << 0;
        QTest::newRow("jednostki -1 shows pixels") << "jednostki" << 2 << QVariant("-1") << 0;
        QTest::newRow("jednostki inches") << "jednostki" << 0 << QVariant("3") << 3;
        QTest::newRow("jednostki text: missing") << "jednostki" << 2 << QVariant("cm") << 2;
        QTest::newRow("GridColor red") << "GridColor" << 0 << QVariant("255") << 255;
        QTest::newRow("GridColor system colour, signed")
            << "GridColor" << 0 << QVariant("-16777201") << int(0xFF00000F);
        QTest::newRow("GridColor system colour, as DWORD")
            << "GridColor" << 0 << QVariant("4278190095") << int(0xFF00000F);
        QTest::newRow("GridColor unknown code: missing")
            << "GridColor" << 0x808080 << QVariant("301989888") << 0x808080;
        QTest::newRow("BackgroundColor black")
            << "BackgroundColor" << 0xFFFFFF << QVariant("0") << 0;
        QTest::newRow("VisibleGrid 1") << "VisibleGrid" << 0 << QVariant("1") << 1;
        QTest::newRow("SnapGrid any other integer") << "SnapGrid" << 0 << QVariant("-9") << 1;
        QTest::newRow("Linijki 0") << "Linijki" << 1 << QVariant("0") << 0;
        QTest::newRow("Siatka1 0") << "Siatka1" << 1 << QVariant("0") << 0;
        QTest::newRow("Prowadnice1 0") << "Prowadnice1" << 1 << QVariant("0") << 0;
        QTest::newRow("Pol word false") << "Pol" << 1 << QVariant("false") << 0;
        QTest::newRow("Pol text: missing") << "Pol" << 1 << QVariant("tak") << 1;
        QTest::newRow("Eng 1") << "Eng" << 0 << QVariant("1") << 1;
        QTest::newRow("StabilityMarker 0") << "StabilityMarker" << 1 << QVariant("0") << 0;
    }
    void storedValuesAreLoadedChecked() {
        QFETCH(QString, name);
        QFETCH(int, before);
        QFETCH(QVariant, stored);
        QFETCH(int, expected);
        ProgramRun run(directory_.path(), false);
        QVERIFY(run.created);
        SetControl(run, name, before);
        QCOMPARE(Control(run, name), before);
        if (stored.isValid())
            Put(name, stored);
        run.options().LoadSettings();
        QCOMPARE(Control(run, name), expected);
    }

    void damagedSettingsFilesStillStart_data() {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<int>("gridX");
        QTest::addColumn<int>("gridY");
        QTest::newRow("truncated in a value")
            << QByteArray("[General]\nGridX=120\nGridY=3") << 120 << 5;
        QTest::newRow("truncated in a name") << QByteArray("[General]\nGridX=80\nGri") << 80 << 50;
        static const char binary[] = "\xff\xfe\x00\x01[[[\x80=\xff\n=\n[";
        QTest::newRow("binary") << QByteArray(binary, sizeof binary - 1) << 50 << 50;
        QTest::newRow("empty") << QByteArray() << 50 << 50;
        // A stored list claiming 2^31 items, plainly and behind escapes: the whole file
        // is refused before it is parsed.
        const QByteArray list = "(\\0\\0\\0\\t\\0\\x80\\0\\0\\0)\n";
        QTest::newRow("serialized list")
            << "[General]\nGridX=120\nList=@Variant" + list << 50 << 50;
        QTest::newRow("serialized list behind escapes")
            << "[General]\nGridX=120\nList=\"\\x40Vari\\\nant" + list << 50 << 50;
        QTest::newRow("larger than a settings file")
            << "[General]\nGridX=120\n" + QByteArray(2 << 20, ';') << 50 << 50;
    }
    void damagedSettingsFilesStillStart() {
        QFETCH(QByteArray, contents);
        QFETCH(int, gridX);
        QFETCH(int, gridY);
        QFile file(Store().fileName());
        QVERIFY(QDir().mkpath(QFileInfo(file).path()));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(contents);
        file.close();
        ProgramRun run(directory_.path(), false);
        QVERIFY(run.created);
        QCOMPARE(run.options().sXGrid->value(), gridX);
        QCOMPARE(run.options().sYGrid->value(), gridY);
        run.exit();
    }

    void aStoreThatCannotBeOpenedLeavesTheDefaults() {
        // The settings file is a folder: nothing can be read and nothing written.
        const QString path = Store().fileName();
        QFile::remove(path);
        QVERIFY(QDir().mkpath(path + "/inside"));
        {
            ProgramRun run(directory_.path());
            QVERIFY(run.created);
            QCOMPARE(run.options().sXGrid->value(), 50);
            QVERIFY(Named<QAction>(*run.main, "Polska1").isChecked());
            run.options().bOK->click();
            run.exit();
            QVERIFY(run.interaction.messages.isEmpty());
        }
        QVERIFY(QFileInfo(path).isDir());
        QDir(path).removeRecursively();
    }

    void zamknijKeepsTheEditsInEffectUntilTheDialogIsShownAgain() {
        Put("GridX", 50);
        ProgramRun run(directory_.path());
        QVERIFY(run.created);
        TFormOpcje& o = run.options();
        Named<QAction>(*run.main, "Ustawieniaprogramu1").trigger();
        QVERIFY(o.isVisible());
        QVERIFY(!o.isModal());
        o.sXGrid->setValue(70);
        o.cbKolorGrid->setColourCode(0x0000FF);
        o.bZamknij->click();
        QVERIFY(!o.isVisible());

        TMDIChild* window = run.main->activeDesignWindow();
        window->Redraw();
        const QRect source = window->sourceRect();
        const int y = source.top() + 25; // between two horizontal grid lines
        QCOMPARE(window->backBufferPixel(source.left() + 70, y), Rgb(0x0000FF));
        QCOMPARE(window->backBufferPixel(source.left() + 140, y), Rgb(0x0000FF));
        QCOMPARE(window->backBufferPixel(source.left() + 50, y), qRgb(255, 255, 255));
        QCOMPARE(Store().value("GridX").toInt(), 50); // nothing saved

        Named<QAction>(*run.main, "Ustawieniaprogramu1").trigger();
        QCOMPARE(o.sXGrid->value(), 50);
        o.bZamknij->click();
        window->Redraw();
        QCOMPARE(window->backBufferPixel(source.left() + 50, y), Rgb(0x0000FF));
        QCOMPARE(window->backBufferPixel(source.left() + 70, y), qRgb(255, 255, 255));
    }

    void okSavesAndRedrawsEveryDesignWindow() {
        ProgramRun run(directory_.path());
        QVERIFY(run.created);
        TFormOpcje& o = run.options();
        TMDIChild* window = run.main->activeDesignWindow();
        const QRect source = window->sourceRect();
        Named<QAction>(*run.main, "Ustawieniaprogramu1").trigger();
        o.sYGrid->setValue(30);
        o.bOK->click();
        QVERIFY(!o.isVisible());
        QCOMPARE(Store().value("GridY").toInt(), 30);
        // Redrawn by OK: a horizontal line 30 pixels down.
        QCOMPARE(window->backBufferPixel(source.left() + 25, source.top() + 30), Rgb(0xE2E2E2));
    }

    void afterRestoringDefaultsOkRedrawsButWritesNothing() {
        ProgramRun run(directory_.path());
        QVERIFY(run.created);
        run.interaction.answers.enqueue(true);
        Named<QAction>(*run.main, "ADefaultWndPos").trigger();
        QVERIFY(!run.main->saveOnExit());
        TFormOpcje& o = run.options();
        Named<QAction>(*run.main, "Ustawieniaprogramu1").trigger();
        o.sYGrid->setValue(30);
        o.bOK->click();
        TMDIChild* window = run.main->activeDesignWindow();
        const QRect source = window->sourceRect();
        QCOMPARE(window->backBufferPixel(source.left() + 25, source.top() + 30), Rgb(0xE2E2E2));
        run.exit();
        QVERIFY(Store().allKeys().isEmpty());
    }

    void unitsReachThePointerReadout() {
        Put("jednostki", 1);
        ProgramRun run(directory_.path(), false);
        QVERIFY(run.created);
        QCOMPARE(run.main->displayUnitIndex(), 1);
        QCOMPARE(run.main->gridOptions().spacingX, 50);
    }

    void snapItemCopiesItsMarkAndSavesEvenAfterRestoringDefaults() {
        ProgramRun run(directory_.path(), false);
        QVERIFY(run.created);
        run.interaction.answers.enqueue(true);
        Named<QAction>(*run.main, "ADefaultWndPos").trigger();
        QAction* snap = &Named<QAction>(*run.main, "Przecigajdosiatki35181");
        QVERIFY(!snap->isVisible());
        snap->trigger();
        QVERIFY(run.options().cbSnapGrid->isChecked());
        QCOMPARE(Store().value("SnapGrid").toInt(), 1);
        QCOMPARE(Store().allKeys().size(), StoredValues.size());
        // Opening the View menu takes the check box's state.
        run.options().cbSnapGrid->setChecked(false);
        emit Named<QMenu>(*run.main, "Widok1").aboutToShow();
        QVERIFY(!snap->isChecked());
    }

    void showingTheDialogLeavesTheMenuCheckMarksAlone() {
        ProgramRun run(directory_.path());
        QVERIFY(run.created);
        Named<QAction>(*run.main, "Siatka1").trigger();
        Named<QAction>(*run.main, "Angielska1").trigger();
        QVERIFY(!Named<QAction>(*run.main, "Siatka1").isChecked());
        Named<QAction>(*run.main, "Ustawieniaprogramu1").trigger();
        QVERIFY(!Named<QAction>(*run.main, "Siatka1").isChecked());
        QVERIFY(Named<QAction>(*run.main, "Angielska1").isChecked());
        QVERIFY(!Named<QAction>(*run.main, "Polska1").isChecked());
    }

    void rulersOfANewWindowFollowTheStoredMark() {
        Put("Linijki", 0);
        ProgramRun run(directory_.path());
        QVERIFY(run.created);
        QVERIFY(!Named<QAction>(*run.main, "AShowLinijki").isChecked());
        auto* ruler = run.main->activeDesignWindow()->findChild<QWidget*>("pLinijkaTop");
        QVERIFY(!ruler->isVisible());
        Named<QAction>(*run.main, "AShowLinijki").trigger();
        QVERIFY(ruler->isVisible());
    }

    void languageSwitchReachesTheNextStart_data() {
        QTest::addColumn<QString>("clicks"); // P: Polska1, A: Angielska1
        QTest::addColumn<bool>("english");
        QTest::newRow("none") << "" << false;
        QTest::newRow("Polska once") << "P" << true;
        QTest::newRow("Polska twice") << "PP" << false;
        QTest::newRow("Angielska once") << "A" << true;
        QTest::newRow("Angielska, then Polska") << "AP" << false;
    }
    void languageSwitchReachesTheNextStart() {
        QFETCH(QString, clicks);
        QFETCH(bool, english);
        {
            ProgramRun first(directory_.path());
            QVERIFY(first.created);
            for (QChar click : clicks)
                (click == u'P' ? &Named<QAction>(*first.main, "Polska1")
                               : &Named<QAction>(*first.main, "Angielska1"))
                    ->trigger();
            QCOMPARE(first.interaction.messages.size(), clicks.size());
            // Still Polish in this run.
            QCOMPARE(Named<QAction>(*first.main, "Ustawieniaprogramu1").text(),
                     QString("Ustawienia programu"));
            first.exit();
        }
        QCOMPARE(Store().value("Pol").toInt(), english ? 0 : 1);
        QCOMPARE(Store().value("Eng").toInt(), english ? 1 : 0);
        ProgramRun second(directory_.path(), false);
        QVERIFY(second.created);
        QCOMPARE(Named<QAction>(*second.main, "Ustawieniaprogramu1").text(),
                 QString(english ? "Program settings" : "Ustawienia programu"));
        QCOMPARE(second.options().bZamknij->text(), QString(english ? "Close" : "Zamknij"));
        QCOMPARE(Named<QAction>(*second.main, "Polska1").isChecked(), !english);
        QCOMPARE(Named<QAction>(*second.main, "Angielska1").isChecked(), english);
    }

    void dialogLayoutAndTranslation() {
        Put("Pol", 0);
        ProgramRun run(directory_.path(), false);
        QVERIFY(run.created);
        TFormOpcje& o = run.options();
        QCOMPARE(o.windowTitle(), QString("Program options"));
        QCOMPARE(o.size(), QSize(454, 287));
        QCOMPARE(o.TreeView1->topLevelItemCount(), 2);
        QCOMPARE(o.TreeView1->topLevelItem(0)->text(0), QString("General"));
        QCOMPARE(o.TreeView1->topLevelItem(1)->text(0), QString("Grid"));
        QCOMPARE(o.cbJednostki->itemText(3), QString("inches"));
        QCOMPARE(o.cbVisibleGrid->text(), QString("Grid visible"));
        QCOMPARE(o.bOK->text(), QString("OK"));
        QCOMPARE(o.PageControl1->widget(2)->property("caption").toString(), QString("Marker"));
        // Colour names are the colour box's own.
        QCOMPARE(o.cbKolorGrid->itemText(1), QString("Black"));
        QVERIFY(!o.cbKolorLini->isEnabled());
        QVERIFY(!o.cbKolorWypelnienia->isEnabled());
        QVERIFY(o.cbJednostki->isHidden());
        QVERIFY(o.cbSnapGrid->isHidden());
        QVERIFY(o.GroupKroki->isHidden());

        // The grid page first; a node shows the page of its index.
        QCOMPARE(o.PageControl1->currentWidget(), o.TabSiatka);
        o.TreeView1->setCurrentItem(o.TreeView1->topLevelItem(0));
        QCOMPARE(o.PageControl1->currentWidget(), o.TabOgolne);
        o.TreeView1->setCurrentItem(o.TreeView1->topLevelItem(1));
        QCOMPARE(o.PageControl1->currentWidget(), o.TabSiatka);
    }

    void everyCaptionOfTheDialogCarriesItsIdentifier() {
        // Before translation the dialog holds its stored texts; together they use the
        // options block exactly.
        test::ScriptedInteraction interaction;
        LanguageSession language(interaction, QCoreApplication::applicationDirPath() + "/..");
        TFormOpcje o(language, interaction, SettingsMenuItems{});
        QList<int> ids{ParseStringId(o.windowTitle())};
        for (const QLabel* label : o.findChildren<QLabel*>())
            ids << ParseStringId(label->text());
        for (const QGroupBox* group : o.findChildren<QGroupBox*>())
            ids << ParseStringId(group->title());
        for (const QAbstractButton* button : o.findChildren<QAbstractButton*>())
            ids << ParseStringId(button->text());
        for (const QComboBox* list : {o.cbJednostki, o.cbJednostkiDlugosci, o.cbJednostkiWagi})
            for (int i = 0; i < list->count(); ++i)
                ids << ParseStringId(list->itemText(i));
        for (int i = 0; i < o.TreeView1->topLevelItemCount(); ++i)
            ids << ParseStringId(o.TreeView1->topLevelItem(i)->text(0));
        for (int i = 0; i < o.PageControl1->count(); ++i)
            ids << ParseStringId(o.PageControl1->widget(i)->property("caption").toString());
        ids.removeAll(0);
        std::sort(ids.begin(), ids.end());
        QList<int> expected;
        for (int id = 3501; id <= 3532; ++id)
            if (id != 3521 && id != 3522 && id != 3526)
                expected << id;
        expected << 6010 << 6011 << 6012;     // the motor folders
        for (int id = 6405; id <= 6411; ++id) // the display units
            expected << id;
        QCOMPARE(ids, expected);
    }

    // The units chosen in the options are kept in their own store, and the parameters
    // dialog, the summary and the refusals follow them in the program's language.
    void displayUnitsAreChosenKeptAndUsed_data() {
        QTest::addColumn<bool>("english");
        QTest::newRow("Polish") << false;
        QTest::newRow("English") << true;
    }
    void displayUnitsAreChosenKeptAndUsed() {
        QFETCH(bool, english);
        Put("Pol", english ? 0 : 1);
        QSettings("Qendel", "Units").clear();
        const QString point = QLocale().decimalPoint();
        Design design;
        TRocketElement& nose = test::DesignBuilder(design).nose("TGlowicaStozek", 12.7f, 25.4f);
        nose.Weight = 28.349523125f;
        {
            ProgramRun run(directory_.path(), false);
            QVERIFY(run.created);
            TFormOpcje& o = run.options();
            QCOMPARE(o.GroupJednostki->title(),
                     QString(english ? "Display units" : "Jednostki wyświetlane"));
            QCOMPARE(o.cbJednostkiDlugosci->currentText(),
                     QString(english ? "millimetres (mm)" : "milimetry (mm)"));
            QCOMPARE(o.cbJednostkiDlugosci->itemText(1),
                     QString(english ? "inches (in)" : "cale (in)"));
            QCOMPARE(o.cbJednostkiWagi->itemText(1),
                     QString(english ? "ounces (oz)" : "uncje (oz)"));
            o.cbJednostkiDlugosci->setCurrentIndex(1);
            o.cbJednostkiWagi->setCurrentIndex(1);
            QTest::mouseClick(o.bOK, Qt::LeftButton);

            TFormParametry& dialog = *run.program.formParametry();
            dialog.setElement(&nose);
            dialog.setFreshMode(false);
            dialog.FormShow();
            QCOMPARE(test::Controls(dialog).sedlugosc->text(), "0" + point + "50 in");
            QCOMPARE(test::Controls(dialog).sesrednica->text(), "1" + point + "00 in");
            QCOMPARE(test::Controls(dialog).seWaga->text(), "1" + point + "00 oz");
            // A bare number is in the display unit; a unit typed is taken as typed.
            test::Controls(dialog).seWaga->selectAll();
            QTest::keyClicks(test::Controls(dialog).seWaga, "2");
            test::Controls(dialog).sedlugosc->selectAll();
            QTest::keyClicks(test::Controls(dialog).sedlugosc, "1/0 in");
            dialog.btnOKClick();
            QCOMPARE(run.interaction.messages.size(), 1);
            QCOMPARE(run.interaction.messages[0].text,
                     "not allowed\n" + test::Controls(dialog).lDlugosc->text() + "\n" +
                         (english ? "division by zero" : "dzielenie przez zero"));
            QCOMPARE(nose.Length, 12.7f); // nothing written
            test::Controls(dialog).sedlugosc->selectAll();
            QTest::keyClicks(test::Controls(dialog).sedlugosc, "45 mm");
            dialog.btnOKClick();
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
            const ElementFields accepted = dialog.acceptedFields();
            QCOMPARE(accepted.length, 45.f);
            QVERIFY(std::abs(accepted.weight - 56.69904625f) < 1e-4f);
            QCOMPARE(accepted.diameterA, 25.4f); // untouched, exact

            Summary summary;
            summary.weight = 28.349523125f;
            summary.length = 254;
            summary.rows = {{"Weight", "28.35"}, {"Length", "254.00"}};
            run.program.formObject()->showSummary(summary);
            QCOMPARE(run.program.formObject()->grid->item(0, 1)->text(), "1" + point + "00 oz");
            QCOMPARE(run.program.formObject()->grid->item(1, 1)->text(), "10" + point + "00 in");
        }
        QSettings units("Qendel", "Units");
        QCOMPARE(units.value("Length").toString(), QString("in"));
        QCOMPARE(units.value("Weight").toString(), QString("oz"));
        QVERIFY(!Store().allKeys().contains("Length")); // not among the twelve values
        ProgramRun again(directory_.path(), false);
        QCOMPARE(again.options().unitChoice(), (UnitChoice{LengthUnit::Inch, WeightUnit::Ounce}));
        QCOMPARE(again.main->unitChoice(), (UnitChoice{LengthUnit::Inch, WeightUnit::Ounce}));
        units.clear();
    }

    // A stored unit the list does not offer leaves the defaults.
    void unknownStoredUnitsLeaveTheDefaults() {
        QSettings units("Qendel", "Units");
        units.setValue("Length", "furlong");
        units.setValue("Weight", 7);
        units.sync();
        test::ScriptedInteraction interaction;
        LanguageSession language(interaction, QCoreApplication::applicationDirPath() + "/..");
        TFormOpcje o(language, interaction, SettingsMenuItems{});
        QCOMPARE(o.unitChoice(), UnitChoice{});
        units.clear();
    }

    // A folder chosen is listed, kept by OK in its own store, and there at the next start.
    void motorFoldersAreChosenAndKept() {
        QTemporaryDir motors;
        {
            test::ScriptedInteraction interaction;
            LanguageSession language(interaction, QCoreApplication::applicationDirPath() + "/..");
            TFormOpcje o(language, interaction, SettingsMenuItems{});
            QVERIFY(o.motorFolders().isEmpty());
            for (int i = 0; i < 2; ++i) // the same folder twice is listed once
                interaction.dialogScripts.enqueue([&](QDialog& shown) {
                    auto* dialog = qobject_cast<QFileDialog*>(&shown);
                    if (dialog == nullptr || dialog->fileMode() != QFileDialog::Directory)
                        return int(QDialog::Rejected);
                    dialog->selectFile(motors.path());
                    return int(QDialog::Accepted);
                });
            QTest::mouseClick(o.bDodajFolder, Qt::LeftButton);
            QTest::mouseClick(o.bDodajFolder, Qt::LeftButton);
            QCOMPARE(o.motorFolders(), QStringList{motors.path()});
            QTest::mouseClick(o.bOK, Qt::LeftButton);
        }
        QCOMPARE(QSettings("Qendel", "Motors").value("Folders").toStringList(),
                 QStringList{motors.path()});
        QVERIFY(!Store().allKeys().contains("Folders")); // not among the twelve values
        test::ScriptedInteraction interaction;
        LanguageSession language(interaction, QCoreApplication::applicationDirPath() + "/..");
        TFormOpcje again(language, interaction, SettingsMenuItems{});
        QCOMPARE(again.motorFolders(), QStringList{motors.path()});
        again.lbFolderySilnikow->setCurrentRow(0);
        QTest::mouseClick(again.bUsunFolder, Qt::LeftButton);
        QVERIFY(again.motorFolders().isEmpty());
        QSettings("Qendel", "Motors").clear();
    }

    void customGridColourIsChosenThroughTheInteraction() {
        ProgramRun run(directory_.path(), false);
        QVERIFY(run.created);
        run.interaction.dialogScripts.enqueue([](QDialog& shown) {
            auto* chooser = qobject_cast<QColorDialog*>(&shown);
            if (chooser == nullptr)
                return int(QDialog::Rejected);
            chooser->setCurrentColor(QColor(0x12, 0x34, 0x56));
            return int(QDialog::Accepted);
        });
        ColourBox* box = run.options().cbKolorGrid;
        box->setCurrentIndex(ColourBox::CustomIndex);
        emit box->activated(ColourBox::CustomIndex);
        QCOMPARE(run.interaction.dialogsRun, 1);
        QCOMPARE(box->colourCode(), 0x563412u);
        QCOMPARE(run.main->gridOptions().colour, QColor(0x12, 0x34, 0x56));
    }
};

VANTOR_TEST_MAIN(TestOptions)
#include "tst_options.moc"
