#include "canvas/DesignWindow.h"
#include "i18n/LanguageSession.h"
#include "model/Registry.h"
#include "shell/MainWindow.h"
#include "shell/Program.h"
#include "support/DesignBuilder.h"
#include "support/Named.h"
#include "support/StartedProgram.h"
#include "support/TestMain.h"
#include "toolwindows/ObjectWindow.h"

#include <QAction>
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
#include <QTreeView>

using namespace vantor;
using test::Named;
using vantor::test::ScriptedInteraction;

namespace {

struct Started : test::StartedProgram {
    Started() { QVERIFY(created); }
};

QStringList EnabledInsertions(const TMainForm& main) {
    QStringList enabled;
    for (const char* name : {"AGlowicaStozek", "AGlowicaOgive", "AGlowicaParabolic", "AKorpus",
                             "AEngine", "AStozekSciety", "AStatecznik", "ABalast"})
        if (Named<QAction>(main, name).isEnabled())
            enabled << name;
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
        const auto subs = Named<QMdiArea>(*s.main, "ClientArea").subWindowList();
        QCOMPARE(subs.size(), 1);
        QCOMPARE(subs[0]->windowTitle(), QString("New"));
        QVERIFY(s.window()->design().empty());
        QCOMPARE(EnabledInsertions(*s.main), NoseCommands);
        QCOMPARE(s.main->pointerMode(), PointerModeKind::Default);
        QCOMPARE(Named<QAction>(*s.main, "A3d").text(), QString("3D"));
        for (QToolBar* bar :
             {&Named<QToolBar>(*s.main, "BarMode"), &Named<QToolBar>(*s.main, "BarFigury"),
              &Named<QToolBar>(*s.main, "BarWymiary"),
              &Named<QToolBar>(*s.main, "BarPodstawowy")}) {
            QCOMPARE(bar->toolButtonStyle(), Qt::ToolButtonIconOnly);
            for (QAction* action : bar->actions())
                if (auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(action)))
                    QVERIFY(!button->icon().isNull());
        }
        QVERIFY(!Named<QToolBar>(*s.main, "BarTransform").isVisible());
        QVERIFY(Named<QToolBar>(*s.main, "BarMode").isVisible());
        QVERIFY(Named<QDockWidget>(*s.main, "WindowFormObject").isVisible());
        QVERIFY(!Named<QStatusBar>(*s.main, "MarkerStatusBar").isVisible());
        QVERIFY(Named<QAction>(*s.main, "FileSaveAs1").isEnabled());
        QVERIFY(Named<QAction>(*s.main, "FilePrint").isEnabled());
    }

    void newReplacesTheDesignWithoutAsking() {
        Started s;
        test::DesignBuilder(s.window()->design()).nose("TGlowicaStozek", 200, 50);
        Named<QAction>(*s.main, "FileNew1").trigger();
        const auto subs = Named<QMdiArea>(*s.main, "ClientArea").subWindowList();
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
        auto* popup = Named<QToolBar>(*s.main, "BarMode").findChild<QMenu*>("ZoomPopup");
        QVERIFY(popup != nullptr);
        for (QMenu* menu : {&Named<QMenu>(*s.main, "Zoom1"), popup}) {
            Named<QAction>(*s.main, "ASkala1").trigger();
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
        Named<QAction>(*s.main, "FileClose1").trigger();
        QCOMPARE(Named<QMdiArea>(*s.main, "ClientArea").subWindowList().size(), 0);
        QVERIFY(!Named<QAction>(*s.main, "ASkala05").isEnabled());
        QVERIFY(!Named<QAction>(*s.main, "ASkala1").isEnabled());
        QVERIFY(!Named<QAction>(*s.main, "ASkala2").isEnabled());
        QVERIFY(Named<QAction>(*s.main, "ASkala3").isEnabled());
        QVERIFY(EnabledInsertions(*s.main).isEmpty());
        for (const char* output :
             {"FilePrint", "FilePrintPreview", "FileExportPdf", "FileExportSvg"})
            QVERIFY(!s.main->findChild<QAction*>(output)->isEnabled());
        Named<QAction>(*s.main, "ASkala3").trigger(); // nothing to zoom: nothing happens
        Named<QAction>(*s.main, "FileNew1").trigger();
        QVERIFY(Named<QAction>(*s.main, "ASkala05").isEnabled());
        QVERIFY(Named<QAction>(*s.main, "ASkala1").isEnabled());
        QVERIFY(Named<QAction>(*s.main, "ASkala2").isEnabled());
    }

    void rulersFollowTheirMenuItem() {
        Started s;
        auto* ruler = s.window()->findChild<QWidget*>("pLinijkaTop");
        QVERIFY(ruler->isVisible());
        Named<QAction>(*s.main, "AShowLinijki").trigger();
        QVERIFY(!ruler->isVisible());
        Named<QAction>(*s.main, "AShowLinijki").trigger();
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
        Named<QAction>(*s.main, "AWymiar").trigger();
        s.main->findChild<QAction*>(command)->trigger();
        const auto& dimensions = s.window()->design().Dimensions;
        QCOMPARE(dimensions.size(), std::size_t(2));
        QCOMPARE(QString::fromStdString(dimensions[0]->ClassName), kind);
        QVERIFY(dimensions[0]->Selected);
        QCOMPARE(dimensions[0]->Points.size(), std::size_t(1));
        QCOMPARE(dimensions[0]->Pen->Width, 1);
        QCOMPARE(dimensions[0]->Pen->Color, 0u);
        QCOMPARE(int(s.main->pointerMode()), mode);
        QTreeView* tree = s.program.formObject()->ListBox2;
        QCOMPARE(tree->model()->rowCount(), 2);
        QCOMPARE(tree->currentIndex(), tree->model()->index(0, 0));
        QCOMPARE(tree->model()->index(0, 0).data().toString(),
                 QString::fromStdString(dimensions[0]->Caption));
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
        Named<QLineEdit>(*s.main, "edX").clear();
        QTest::keyClicks(&Named<QLineEdit>(*s.main, "edX"), typed);
        QCOMPARE(Named<QLineEdit>(*s.main, "edX").text(), kept);
        QCOMPARE(s.interaction.messages.size(), warnings);
        if (warnings > 0) {
            QCOMPARE(s.interaction.messages[0].text, QString("Wpisz poprawną wartość"));
            QCOMPARE(s.interaction.messages[0].caption, QString("uwaga !"));
        }
    }

    // Translation leaves the button disabled, and a click on it adds nothing.
    void angleDimensionButtonStaysDisabled() {
        Started s;
        auto* button =
            Named<QToolBar>(*s.main, "BarWymiary").findChild<QToolButton*>("bWymiarAngle");
        QVERIFY(button != nullptr);
        QVERIFY(Named<QToolBar>(*s.main, "BarWymiary")
                    .widgetForAction(&Named<QAction>(*s.main, "AWymiarAngle")) == nullptr);
        QVERIFY(s.main->TranslateForm());
        Named<QAction>(*s.main, "AWymiarAngle").setEnabled(true);
        QVERIFY(!button->isEnabled());
        QCOMPARE(button->toolTip(), Named<QAction>(*s.main, "AWymiarAngle").toolTip());
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
                                Named<QToolBar>(*s.main, "BarFigury").mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(&Named<QToolBar>(*s.main, "BarFigury"), &event);
        QCOMPARE(QApplication::activePopupWidget(), nullptr);
        // The pointer readout replaces "komunikat" in panel 0 of the status bar.
        // Panel 0 is the status bar's first permanent label (the panels carry no names).
        const auto panels = Named<QStatusBar>(*s.main, "StatusBar")
                                .findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly);
        QVERIFY(!panels.isEmpty());
        QLabel* const panel0 = panels.first();
        QCOMPARE(panel0->text(), QString("komunikat"));
        QCOMPARE(panel0->width(), 400);
        s.window()->FormMouseMove(Qt::NoButton, 40, 30);
        QVERIFY2(panel0->text().startsWith("X: "), qPrintable(panel0->text()));
        QStringList labels;
        for (QLabel* label : Named<QStatusBar>(*s.main, "StatusBar").findChildren<QLabel*>())
            labels << label->text();
        QCOMPARE(labels.count("komunikat"), 0);
        // Toolbars and the object window carry words, not internal names.
        for (QWidget* captioned :
             {static_cast<QWidget*>(&Named<QToolBar>(*s.main, "BarWymiary")),
              static_cast<QWidget*>(&Named<QToolBar>(*s.main, "BarMode")),
              static_cast<QWidget*>(&Named<QToolBar>(*s.main, "BarFigury")),
              static_cast<QWidget*>(&Named<QToolBar>(*s.main, "BarPodstawowy")),
              static_cast<QWidget*>(&Named<QDockWidget>(*s.main, "WindowFormObject"))})
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
        Named<QAction>(*s.main, "FileClose1").trigger();
        for (int row = 0; row < grid->rowCount(); ++row)
            for (int column = 0; column < grid->columnCount(); ++column)
                QVERIFY(grid->item(row, column)->text().isEmpty());
    }

    void toolbarMenuShowsAndHidesToolbars() {
        Started s;
        QMetaObject::invokeMethod(&Named<QMenu>(*s.main, "Paskinarzdzi1"), "aboutToShow");
        QVERIFY(Named<QAction>(*s.main, "Figury1").isChecked());
        QVERIFY(!Named<QAction>(*s.main, "Transform1").isChecked());
        Named<QAction>(*s.main, "Figury1").trigger();
        QVERIFY(!Named<QToolBar>(*s.main, "BarFigury").isVisible());
        Named<QAction>(*s.main, "Figury1").trigger();
        QVERIFY(Named<QToolBar>(*s.main, "BarFigury").isVisible());
    }
};

VANTOR_TEST_MAIN(TestMainWindow)
#include "tst_main_window.moc"
