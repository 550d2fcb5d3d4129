#include "canvas/DesignWindow.h"
#include "i18n/LanguageSession.h"
#include "model/Registry.h"
#include "shell/MainWindow.h"
#include "shell/Program.h"
#include "support/DesignBuilder.h"
#include "support/StartedProgram.h"
#include "support/TestMain.h"
#include "toolwindows/ObjectWindow.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDir>
#include <QDockWidget>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QSettings>
#include <QStatusBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>

using namespace vantor;
using vantor::test::ScriptedInteraction;

namespace {

struct Started : test::StartedProgram {
    Started() { QVERIFY(created); }
};

QStringList EnabledInsertions(const TMainForm& main) {
    QStringList enabled;
    for (QAction* action :
         {main.AGlowicaStozek, main.AGlowicaOgive, main.AGlowicaParabolic, main.AKorpus,
          main.AEngine, main.AStozekSciety, main.AStatecznik, main.ABalast})
        if (action->isEnabled())
            enabled << action->objectName();
    return enabled;
}

const QStringList NoseCommands{"AGlowicaStozek", "AGlowicaOgive", "AGlowicaParabolic"};

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

private slots:
    void missingEnglishLibraryEndsTheStart() {
        QTemporaryDir directory;
        QVERIFY(QDir(directory.path()).mkpath("Dll"));
        QVERIFY(QFile::copy(QCoreApplication::applicationDirPath() + "/../Dll/Pol_Library.dll",
                            directory.path() + "/Dll/Pol_Library.dll"));
        QSettings("Qendel", "CAD").setValue("Pol", 0);
        ScriptedInteraction interaction;
        LanguageSession language(interaction, directory.path());
        Program program(language, interaction, directory.path());
        const bool created = program.create();
        QSettings("Qendel", "CAD").remove("Pol");
        QVERIFY(!created);
        QCOMPARE(interaction.messages.size(), 1);
        QCOMPARE(interaction.messages[0].text, QStringLiteral("Can't load library DLL"));
        QVERIFY(language.terminationRequested());
    }

    void startsWithOneEmptyDesignWindow() {
        Started s;
        const auto subs = s.main->mdiArea->subWindowList();
        QCOMPARE(subs.size(), 1);
        QCOMPARE(subs[0]->windowTitle(), QString("New"));
        QVERIFY(s.window()->design().empty());
        QCOMPARE(EnabledInsertions(*s.main), NoseCommands);
        QCOMPARE(s.main->PointerMode, PointerModeKind::Default);
        QCOMPARE(s.main->A3d->text(), QString("3D"));
        for (QToolBar* bar :
             {s.main->BarMode, s.main->BarFigury, s.main->BarWymiary, s.main->BarPodstawowy}) {
            QCOMPARE(bar->toolButtonStyle(), Qt::ToolButtonIconOnly);
            for (QAction* action : bar->actions())
                if (auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(action)))
                    QVERIFY(!button->icon().isNull());
        }
        QVERIFY(!s.main->BarTransform->isVisible());
        QVERIFY(s.main->BarMode->isVisible());
        QVERIFY(s.main->WindowFormObject->isVisible());
        QVERIFY(!s.main->MarkerStatusBar->isVisible());
        QVERIFY(s.main->FileSaveAs1->isEnabled());
        QVERIFY(s.main->FilePrint->isEnabled());
    }

    void newReplacesTheDesignWithoutAsking() {
        Started s;
        test::DesignBuilder(s.window()->design()).nose("TGlowicaStozek", 200, 50);
        s.main->FileNew1->trigger();
        const auto subs = s.main->mdiArea->subWindowList();
        QCOMPARE(subs.size(), 1);
        QCOMPARE(subs[0]->windowTitle(), QString("New"));
        QVERIFY(s.window()->design().empty());
        QVERIFY(s.interaction.questions.isEmpty());
        QVERIFY(s.interaction.messages.isEmpty());
    }

    void zoomMenuChecksTheCurrentZoom_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("checked");
        QTest::newRow("50%") << "ASkala05"
                             << "ASkala05";
        QTest::newRow("100%") << "ASkala1"
                              << "ASkala1";
        QTest::newRow("200%") << "ASkala2"
                              << "ASkala2";
        QTest::newRow("300%") << "ASkala3"
                              << "";
    }
    // The View menu's Zoom submenu and the drop-down of BarMode show the same marks.
    void zoomMenuChecksTheCurrentZoom() {
        QFETCH(QString, command);
        QFETCH(QString, checked);
        Started s;
        auto* popup = s.main->BarMode->findChild<QMenu*>("ZoomPopup");
        QVERIFY(popup != nullptr);
        for (QMenu* menu : {s.main->Zoom1, popup}) {
            s.main->ASkala1->trigger();
            s.main->findChild<QAction*>(command)->trigger();
            QMetaObject::invokeMethod(menu, "aboutToShow");
            QStringList marks;
            for (QAction* zoom : menu->actions())
                if (zoom->isChecked())
                    marks << zoom->objectName();
            QCOMPARE(marks.join(","), checked);
        }
    }

    void closingTheLastWindowDisablesThreeZoomCommands() {
        Started s;
        s.main->FileClose1->trigger();
        QCOMPARE(s.main->mdiArea->subWindowList().size(), 0);
        QVERIFY(!s.main->ASkala05->isEnabled());
        QVERIFY(!s.main->ASkala1->isEnabled());
        QVERIFY(!s.main->ASkala2->isEnabled());
        QVERIFY(s.main->ASkala3->isEnabled());
        QVERIFY(EnabledInsertions(*s.main).isEmpty());
        for (const char* output :
             {"FilePrint", "FilePrintPreview", "FileExportPdf", "FileExportSvg"})
            QVERIFY(!s.main->findChild<QAction*>(output)->isEnabled());
        s.main->ASkala3->trigger(); // nothing to zoom: nothing happens
        s.main->FileNew1->trigger();
        QVERIFY(s.main->ASkala05->isEnabled());
        QVERIFY(s.main->ASkala1->isEnabled());
        QVERIFY(s.main->ASkala2->isEnabled());
    }

    void rulersFollowTheirMenuItem() {
        Started s;
        auto* ruler = s.window()->findChild<QWidget*>("pLinijkaTop");
        QVERIFY(ruler->isVisible());
        s.main->AShowLinijki->trigger();
        QVERIFY(!ruler->isVisible());
        s.main->AShowLinijki->trigger();
        QVERIFY(ruler->isVisible());
    }

    void dimensionCommandsPutTheNewDimensionFirstAndSelected_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("mode");
        QTest::newRow("linear") << "AWymiar"
                                << "TWymiar" << 8;
        QTest::newRow("horizontal") << "AWymiarPoziomy"
                                    << "TWymiarPoziomy" << 8;
        QTest::newRow("vertical") << "AWymiarPionowy"
                                  << "TWymiarPionowy" << 8;
        QTest::newRow("angle") << "AWymiarAngle"
                               << "TAngleWymiar" << 10;
    }
    void dimensionCommandsPutTheNewDimensionFirstAndSelected() {
        QFETCH(QString, command);
        QFETCH(QString, kind);
        QFETCH(int, mode);
        Started s;
        s.main->AWymiar->trigger();
        s.main->findChild<QAction*>(command)->trigger();
        const auto& dimensions = s.window()->design().Dimensions;
        QCOMPARE(dimensions.size(), std::size_t(2));
        QCOMPARE(QString::fromStdString(dimensions[0]->ClassName), kind);
        QVERIFY(dimensions[0]->Selected);
        QCOMPARE(dimensions[0]->Points.size(), std::size_t(1));
        QCOMPARE(dimensions[0]->Pen->Width, 1);
        QCOMPARE(dimensions[0]->Pen->Color, 0u);
        QCOMPARE(int(s.main->PointerMode), mode);
        QTreeWidget* tree = s.program.formObject()->ListBox2;
        QCOMPARE(tree->topLevelItemCount(), 2);
        QCOMPARE(tree->currentItem(), tree->topLevelItem(0));
        QCOMPARE(tree->topLevelItem(0)->text(0), QString::fromStdString(dimensions[0]->Caption));
    }

    void transformPanelRejectsWhatIsNotANumber_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::addColumn<int>("warnings");
        QTest::newRow("number") << "12.5"
                                << "12.5" << 0;
        QTest::newRow("minus alone") << "-"
                                     << "-" << 0;
        QTest::newRow("letters") << "1x"
                                 << "0" << 1;
    }
    void transformPanelRejectsWhatIsNotANumber() {
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        QFETCH(int, warnings);
        Started s;
        s.main->edX->clear();
        QTest::keyClicks(s.main->edX, typed);
        QCOMPARE(s.main->edX->text(), kept);
        QCOMPARE(s.interaction.messages.size(), warnings);
        if (warnings > 0) {
            QCOMPARE(s.interaction.messages[0].text, QString("Wpisz poprawną wartość"));
            QCOMPARE(s.interaction.messages[0].caption, QString("uwaga !"));
        }
    }

    // Translation leaves the button disabled, and a click on it adds nothing.
    void angleDimensionButtonStaysDisabled() {
        Started s;
        auto* button = s.main->BarWymiary->findChild<QToolButton*>("bWymiarAngle");
        QVERIFY(button != nullptr);
        QVERIFY(s.main->BarWymiary->widgetForAction(s.main->AWymiarAngle) == nullptr);
        QVERIFY(s.main->TranslateForm());
        s.main->AWymiarAngle->setEnabled(true);
        QVERIFY(!button->isEnabled());
        QCOMPARE(button->toolTip(), s.main->AWymiarAngle->toolTip());
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(s.window()->design().Dimensions.empty());
    }

    void roughEdges() {
        Started s;
        // Separators are plain lines: no text that a style would draw as a section title.
        for (QMenu* menu : s.main->findChildren<QMenu*>())
            for (QAction* action : menu->actions())
                if (action->isSeparator())
                    QVERIFY2(action->text().isEmpty(), qPrintable(action->objectName()));
        // No menu of Qt's own listing toolbars and docks.
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                                s.main->BarFigury->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(s.main->BarFigury, &event);
        QCOMPARE(QApplication::activePopupWidget(), nullptr);
        // The pointer readout replaces "komunikat" in panel 0 of the status bar.
        QCOMPARE(s.main->statusPanel0->text(), QString("komunikat"));
        QCOMPARE(s.main->statusPanel0->width(), 400);
        s.window()->FormMouseMove(Qt::NoButton, 40, 30);
        QVERIFY2(s.main->statusPanel0->text().startsWith("X: "),
                 qPrintable(s.main->statusPanel0->text()));
        QStringList labels;
        for (QLabel* label : s.main->StatusBar->findChildren<QLabel*>())
            labels << label->text();
        QCOMPARE(labels.count("komunikat"), 0);
        // Toolbars and the object window carry words, not internal names.
        for (QWidget* captioned :
             {static_cast<QWidget*>(s.main->BarWymiary), static_cast<QWidget*>(s.main->BarMode),
              static_cast<QWidget*>(s.main->BarFigury),
              static_cast<QWidget*>(s.main->BarPodstawowy),
              static_cast<QWidget*>(s.main->WindowFormObject)})
            QVERIFY2(captioned->windowTitle() != captioned->objectName(),
                     qPrintable(captioned->windowTitle()));
    }

    // With the last design window closed the summary grid shows no numbers.
    void closingTheLastDesignEmptiesTheSummary() {
        Started s;
        test::DesignBuilder(s.window()->design()).nose("TGlowicaStozek", 200, 50);
        s.window()->Redraw();
        QTableWidget* grid = s.objects().grid;
        QVERIFY(!grid->item(0, 1)->text().isEmpty());
        s.main->FileClose1->trigger();
        for (int row = 0; row < grid->rowCount(); ++row)
            for (int column = 0; column < grid->columnCount(); ++column)
                QVERIFY(grid->item(row, column)->text().isEmpty());
    }

    void toolbarMenuShowsAndHidesToolbars() {
        Started s;
        QMetaObject::invokeMethod(s.main->Paskinarzdzi1, "aboutToShow");
        QVERIFY(s.main->Figury1->isChecked());
        QVERIFY(!s.main->Transform1->isChecked());
        s.main->Figury1->trigger();
        QVERIFY(!s.main->BarFigury->isVisible());
        s.main->Figury1->trigger();
        QVERIFY(s.main->BarFigury->isVisible());
    }
};

VANTOR_TEST_MAIN(TestMainWindow)
#include "tst_main_window.moc"
