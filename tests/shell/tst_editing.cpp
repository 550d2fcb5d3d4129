#include "designfile/DesignFile.h"
#include "model/AxisValues.h"
#include "model/FinSet.h"
#include "support/Named.h"
#include "support/ParametersControls.h"
#include "support/SampleDesigns.h"
#include "support/StartedProgram.h"
#include "support/TestMain.h"
#include "toolwindows/StabilityTable.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPushButton>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QScrollBar>
#include <QSettings>
#include <QStatusBar>
#include <QTableWidget>
#include <QTreeView>
#include <QWheelEvent>

using namespace vantor;
using test::Named;

namespace {

struct Editing : test::StartedProgram {
    Editing() { QVERIFY(created); }

    // Inserts through a command, answering its dialog with the given sizes.
    void insert(QAction* command, int length = -1, int diameter = -1) {
        answerDialog([=](TFormParametry& d) {
            const auto u = test::Controls(d);
            if (length >= 0)
                u.sedlugosc->setValue(length);
            if (diameter >= 0)
                u.sesrednica->setValue(diameter);
        });
        command->trigger();
    }
    QStringList treeCaptions() const {
        QStringList captions;
        for (auto* node : design().tree.nodesInOrder())
            captions << QString::fromStdString(node->element->Caption);
        return captions;
    }
    void select(const TRocketElement* element) {
        objects().selectNode(design().tree.nodeOf(element));
    }
    TRocketElement* element(std::size_t index) const { return design().Elements[index].get(); }
};

} // namespace

class TestEditing : public QObject {
    Q_OBJECT

private slots:
    void noseOfDiameterSixtySetsTheAxis() {
        Editing e;
        e.insert(&Named<QAction>(*e.main, "AGlowicaStozek"), 200, 60);
        QCOMPARE(e.design().Elements.size(), std::size_t(1));
        QCOMPARE(AxisY, 270.f);
        QCOMPARE(OriginX, 50.f);
        QCOMPARE(e.element(0)->Points.size(), std::size_t(3));
        QCOMPARE(e.element(0)->Points[0].x, 50.0);
        // Only the attaching commands are enabled now.
        QVERIFY(!Named<QAction>(*e.main, "AGlowicaOgive").isEnabled());
        QVERIFY(Named<QAction>(*e.main, "AKorpus").isEnabled());
        // A second nose does nothing.
        e.insert(&Named<QAction>(*e.main, "AGlowicaOgive"));
        QCOMPARE(e.design().Elements.size(), std::size_t(1));
        QCOMPARE(e.interaction.dialogsRun, 1);
    }

    void componentsArePlacedFromTheirParents() {
        Editing e;
        e.insert(&Named<QAction>(*e.main, "AGlowicaStozek"), 200, 50);
        e.insert(&Named<QAction>(*e.main, "AKorpus"), 500);
        TRocketElement* tube = e.element(1);
        QCOMPARE(tube->Points[0].x, 250.0);
        QCOMPARE(tube->DiameterA, 50.f); // the parent's diameter was proposed
        e.insert(&Named<QAction>(*e.main, "AEngine"), 100, 27);
        TRocketElement* motor = e.element(2);
        QCOMPARE(motor->Points[0].x, tube->Points[0].x);
        QCOMPARE(e.treeCaptions(), (QStringList{"Nose", "Body", "Engine"}));
        // The motor hangs under the tube, which was selected when it was inserted.
        QCOMPARE(motor->Parent, tube);
        QCOMPARE(e.element(0)->Weight, static_cast<float>(e.element(0)->ComputeWeight()));
    }

    // The standard analysis follows every redraw; its marker sits on the axis at its CP
    // while the View item is checked.
    void stabilityTableAndMarkerFollowTheDesign() {
        Editing e;
        const StabilityTable& table = *e.objects().stabilityTable;
        QCOMPARE(table.findChild<QLabel*>("lbStabilityCP")->text(), QString("Środek parcia"));
        QCOMPARE(table.title(), QString("Barrowman, od czubka głowicy"));
        QVERIFY(table.toolTip().startsWith("Metoda klasyczna waży"));
        e.insert(&Named<QAction>(*e.main, "AGlowicaStozek"), 210, 50);
        QCOMPARE(table.value(0), QString("2.000"));
        QCOMPARE(table.value(1), QString("140.00")); // two thirds of the nose from its tip
        QCOMPARE(table.value(4), QString("Niestabilna"));
        e.insert(&Named<QAction>(*e.main, "AKorpus"), 500);
        QCOMPARE(table.value(1), QString("140.00")); // a tube adds no normal force
        QVERIFY(table.value(2) != QString("-"));
        QVERIFY(table.value(3).toDouble() < 0); // the tube pulls the CG behind the CP
        // A ballast at the tip makes it stable; the table says how heavy and where.
        QVERIFY(table.value(5).toDouble() > 0);
        QCOMPARE(table.value(6), QString("6.00"));
        QVERIFY(!table.finsPlaneNoteShown());
        QCOMPARE(e.objects().findChild<QLabel*>("lbSummaryMethod")->text(),
                 QString("Metoda klasyczna (pola), od początku arkusza"));

        TMDIChild* window = e.window();
        const int x = int(OriginX) + 140, above = int(AxisY) - 10;
        const auto blue = [&] {
            const QColor c = QColor::fromRgb(window->backBufferPixel(x, above));
            return c.blue() > 150 && c.red() < 100;
        };
        QVERIFY(blue());
        Named<QAction>(*e.main, "AStabilityMarker").trigger();
        QVERIFY(!Named<QAction>(*e.main, "AStabilityMarker").isChecked());
        QVERIFY(!blue());
        Named<QAction>(*e.main, "AStabilityMarker").trigger();
        QVERIFY(blue());

        // Two fins hold the rocket in their plane only, and the table says so.
        e.answerDialog([](TFormParametry& d) { test::Controls(d).seilefin->setValue(2); });
        Named<QAction>(*e.main, "AStatecznik").trigger();
        QVERIFY(table.finsPlaneNoteShown());
        QVERIFY(table.findChild<QLabel*>("lbStabilityFinsPlane")->text().contains("płaszczyźnie"));
        Named<QAction>(*e.main, "AUndo").trigger();
        QVERIFY(!table.finsPlaneNoteShown());
    }

    // The Barrowman verdict is a word of the program's language, as are the question
    // before a modified design closes and Qt's own buttons.
    void verdictSpeaksTheProgramsLanguage_data() {
        QTest::addColumn<int>("pol");
        QTest::addColumn<QString>("unstable");
        QTest::addColumn<QString>("stable");
        QTest::addColumn<QString>("saveQuestion");
        QTest::addColumn<QString>("qtYes"); // Qt's own "&Yes"
        QTest::newRow("Polish") << 1 << "Niestabilna" << "Stabilna"
                                << "Zapisać zmiany w projekcie?" << "&Tak";
        QTest::newRow("English") << 0 << "Unstable" << "Stable"
                                 << "Save the changes to the design?" << "&Yes";
    }
    void verdictSpeaksTheProgramsLanguage() {
        QFETCH(int, pol);
        QFETCH(QString, unstable);
        QFETCH(QString, stable);
        QFETCH(QString, saveQuestion);
        QFETCH(QString, qtYes);
        QSettings("Qendel", "CAD").setValue("Pol", pol);
        const auto restore = qScopeGuard([] { QSettings("Qendel", "CAD").remove("Pol"); });
        Editing e;
        const StabilityTable& table = *e.objects().stabilityTable;
        e.insert(&Named<QAction>(*e.main, "AGlowicaStozek"), 210, 50);
        e.insert(&Named<QAction>(*e.main, "AKorpus"), 500);
        QCOMPARE(table.value(4), unstable);
        table.findChild<QPushButton*>("bAddBallast")->click();
        QCOMPARE(table.value(4), stable);
        // Qt's own buttons too.
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&Yes"), qtYes);
        // So is the question before a modified design closes.
        Named<QAction>(*e.main, "FileCloseAll").trigger();
        QCOMPARE(e.interaction.questions.last().text, saveQuestion);
    }

    // "Add ballast" puts the ballast the table asks for on the nose, as one step.
    void addBallastMakesTheRocketStable() {
        Editing e;
        const StabilityTable& table = *e.objects().stabilityTable;
        auto* add = table.findChild<QPushButton*>("bAddBallast");
        QVERIFY(add && !add->isEnabled());
        e.insert(&Named<QAction>(*e.main, "AGlowicaStozek"), 210, 50);
        e.insert(&Named<QAction>(*e.main, "AKorpus"), 500);
        QCOMPARE(table.value(4), QString("Niestabilna"));
        const QString needed = table.value(5);
        QVERIFY(add->isEnabled());
        const std::size_t before = e.design().Elements.size();
        add->click();
        QCOMPARE(e.design().Elements.size(), before + 1);
        const TRocketElement& ballast = *e.design().Elements.back();
        QCOMPARE(QString::fromStdString(ballast.ClassName), QString("TBalast"));
        QCOMPARE(ballast.Parent, e.element(0));
        QCOMPARE(QString::number(ballast.Weight, 'f', 2), needed);
        QCOMPARE(table.value(3), QString("1.00"));
        QCOMPARE(table.value(4), QString("Stabilna"));
        QVERIFY(!add->isEnabled());
        Named<QAction>(*e.main, "AUndo").trigger();
        QCOMPARE(e.design().Elements.size(), before);
        QCOMPARE(table.value(4), QString("Niestabilna"));
    }

    void attachmentRefusals_data() {
        QTest::addColumn<QString>("parent");
        QTest::addColumn<QString>("command");
        QTest::newRow("fins under a transition") << "TStozekSciety"
                                                 << "AStatecznik";
        QTest::newRow("motor under a nose") << "TGlowicaStozek"
                                            << "AEngine";
        QTest::newRow("tube under a motor") << "TEngine"
                                            << "AKorpus";
        QTest::newRow("nothing selected") << ""
                                          << "AKorpus";
    }
    void attachmentRefusals() {
        QFETCH(QString, parent);
        QFETCH(QString, command);
        Editing e;
        e.insert(&Named<QAction>(*e.main, "AGlowicaStozek"));
        if (parent == "TStozekSciety") {
            e.insert(&Named<QAction>(*e.main, "AStozekSciety"), 100);
        } else if (parent == "TEngine") {
            e.insert(&Named<QAction>(*e.main, "AKorpus"), 300);
            e.insert(&Named<QAction>(*e.main, "AEngine"), 100, 20);
        }
        if (parent.isEmpty())
            e.objects().ListBox1->setCurrentIndex(QModelIndex());
        else
            e.select(e.design().Elements.back().get());
        const std::size_t before = e.design().Elements.size();
        const int dialogs = e.interaction.dialogsRun;
        e.main->findChild<QAction*>(command)->trigger();
        QCOMPARE(e.design().Elements.size(), before);
        QCOMPARE(e.design().tree.nodeCount(), before);
        QCOMPARE(e.interaction.dialogsRun, dialogs);
        QCOMPARE(e.interaction.messages.size(), 1);
        QCOMPARE(e.interaction.messages[0].text, QString("Not allowed"));
    }

    // A weight typed into an inserting dialog is the one stored; a weight left as
    // proposed is computed from the placed shape.
    void insertedPartKeepsAGivenWeight_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<double>("typed"); // negative: left as proposed
        QTest::newRow("motor, typed") << "AEngine" << 24.0;
        QTest::newRow("tube, typed with decimals") << "AKorpus" << 7.5;
        QTest::newRow("tube, proposed") << "AKorpus" << -1.0;
        QTest::newRow("transition, typed") << "AStozekSciety" << 12.25;
    }
    void insertedPartKeepsAGivenWeight() {
        QFETCH(QString, command);
        QFETCH(double, typed);
        Editing e;
        e.insert(&Named<QAction>(*e.main, "AGlowicaStozek"), 200, 50);
        e.insert(&Named<QAction>(*e.main, "AKorpus"), 300);
        e.select(e.element(1));
        e.answerDialog([=](TFormParametry& d) {
            const auto u = test::Controls(d);
            u.sedlugosc->setValue(60);
            u.sesrednica->setValue(24);
            if (typed >= 0)
                u.seWaga->setValue(typed);
        });
        Named<QAction>(*e.main, qPrintable(command)).trigger();
        QCOMPARE(e.design().Elements.size(), std::size_t(3));
        TRocketElement& added = *e.element(2);
        const float stored = added.Weight;
        if (typed >= 0)
            QCOMPARE(stored, float(typed));
        else
            QCOMPARE(stored, float(added.ComputeWeight()));
    }

    void tubeUnderATransitionIsOfferedItsRearDiameter() {
        Editing e;
        e.insert(&Named<QAction>(*e.main, "AGlowicaStozek"), 200, 50);
        e.answerDialog([](TFormParametry& d) {
            const auto u = test::Controls(d);
            u.sedlugosc->setValue(80);
            u.sesrednica2->setValue(70);
        });
        Named<QAction>(*e.main, "AStozekSciety").trigger();
        QCOMPARE(e.element(1)->DiameterB, 70.f);
        int offered = 0;
        e.answerDialog([&](TFormParametry& d) { offered = test::Controls(d).sesrednica->value(); });
        Named<QAction>(*e.main, "AKorpus").trigger();
        QCOMPARE(offered, 70);
        QCOMPARE(e.element(2)->DiameterA, 70.f);
    }

    void cancellingTheFinDialogLeavesTheDesignAsItWas() {
        Editing e;
        e.insert(&Named<QAction>(*e.main, "AGlowicaStozek"));
        e.insert(&Named<QAction>(*e.main, "AKorpus"));
        const QStringList before = e.treeCaptions();
        TRocketElement* tube = e.element(1);
        e.answerDialog({}, false);
        Named<QAction>(*e.main, "AStatecznik").trigger();
        QCOMPARE(e.treeCaptions(), before);
        QCOMPARE(e.design().Elements.size(), std::size_t(2));
        QCOMPARE(e.objects().selectedNode()->element, tube);
        // Accepted, the fin set stays with the fin fields' sizes.
        e.answerDialog([](TFormParametry& d) { test::Controls(d).seilefin->setValue(4); });
        Named<QAction>(*e.main, "AStatecznik").trigger();
        auto* fins = dynamic_cast<TStatecznik*>(e.element(2));
        QVERIFY(fins != nullptr);
        QCOMPARE(fins->FinCount, 4);
        QCOMPARE(fins->FinA, 90.f);
    }

    // A placement left for another mode keeps its dimension, as one step undo removes.
    void abandonedDimensionPlacementIsOneStep_data() {
        QTest::addColumn<QString>("leaveBy");
        QTest::newRow("default mode") << "ADefaultMode";
        QTest::newRow("select mode") << "ASelect";
        QTest::newRow("next dimension") << "AWymiarPionowy";
    }
    void abandonedDimensionPlacementIsOneStep() {
        QFETCH(QString, leaveBy);
        Editing e;
        e.insert(&Named<QAction>(*e.main, "AGlowicaStozek"));
        TMDIChild* window = e.window();
        window->history().markSaved();
        Named<QAction>(*e.main, "AWymiar").trigger();
        window->FormMouseMove(Qt::NoButton, 100, 100);
        window->FormMouseDown(Qt::LeftButton, 100, 100);
        Named<QAction>(*e.main, qPrintable(leaveBy)).trigger();
        const std::size_t dimensions = e.design().Dimensions.size();
        QVERIFY(window->history().isModified());
        Named<QAction>(*e.main, "AUndo").trigger();
        QCOMPARE(e.design().Dimensions.size(), dimensions - 1);
        QCOMPARE(e.design().Dimensions.empty(), leaveBy != "AWymiarPionowy");
        // Closing the design takes its dimensions out of the object window too.
        e.interaction.threeWay.enqueue(Interaction::Answer::No);
        Named<QAction>(*e.main, "FileClose1").trigger();
        QCOMPARE(e.objects().ListBox2->model()->rowCount(), 0);
    }

    void deletingATubeTakesItsFinsAndMotor() {
        Editing e;
        e.insert(&Named<QAction>(*e.main, "AGlowicaStozek"));
        e.insert(&Named<QAction>(*e.main, "AKorpus"));
        e.answerDialog();
        Named<QAction>(*e.main, "AStatecznik").trigger();
        e.select(e.element(1));
        e.insert(&Named<QAction>(*e.main, "AEngine"), 100, 20);
        e.select(e.element(0));
        e.insert(&Named<QAction>(*e.main, "ABalast"));
        QCOMPARE(e.treeCaptions(), (QStringList{"Nose", "Body", "Fins", "Engine", "Ballast"}));

        e.select(e.element(1));
        e.interaction.answers.enqueue(false);
        e.objects().AobjectClear->trigger();
        QCOMPARE(e.design().Elements.size(), std::size_t(5));
        QCOMPARE(e.interaction.questions.last().text, QString("Delete elements?"));

        e.interaction.answers.enqueue(true);
        e.objects().AobjectClear->trigger();
        QCOMPARE(e.treeCaptions(), (QStringList{"Nose", "Ballast"}));
        QCOMPARE(e.design().Elements.size(), std::size_t(2));
        const QAbstractItemModel& elements = *e.objects().ListBox1->model();
        QCOMPARE(elements.rowCount(elements.index(0, 0)), 1);

        // Deleting the root empties the design; only the nose commands remain.
        e.select(e.element(0));
        e.interaction.answers.enqueue(true);
        e.objects().AobjectClear->trigger();
        QVERIFY(e.design().Elements.empty());
        QVERIFY(Named<QAction>(*e.main, "AGlowicaStozek").isEnabled());
        QVERIFY(!Named<QAction>(*e.main, "AKorpus").isEnabled());
    }

    // The keys a desktop program answers to, and zoom by the wheel and to fit.
    void keysAndZoom() {
        Editing e;
        // A key sequence bound to two actions of one window triggers neither.
        QHash<QKeySequence, QString> bound;
        for (const QAction* action : e.main->findChildren<QAction*>())
            for (const QKeySequence& key : action->shortcuts()) {
                QVERIFY2(!bound.contains(key), qPrintable(key.toString() + ": " + bound.value(key) +
                                                          " and " + action->objectName()));
                bound.insert(key, action->objectName());
            }
        QCOMPARE(bound.value(QKeySequence("Ctrl+P")), QString("FilePrint"));
        QCOMPARE(bound.value(QKeySequence("Ctrl+Q")), QString("FileExit1"));
        e.insert(&Named<QAction>(*e.main, "AGlowicaStozek"), 200, 50);
        e.insert(&Named<QAction>(*e.main, "AKorpus"), 600);
        e.main->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(e.main));

        // Delete in the object tree asks the question and deletes the selection.
        e.select(e.element(1));
        e.interaction.answers.enqueue(true);
        e.objects().ListBox1->setFocus();
        QTest::keyClick(e.objects().ListBox1, Qt::Key_Delete);
        QCOMPARE(e.interaction.questions.last().text, QString("Delete elements?"));
        QCOMPARE(e.design().Elements.size(), std::size_t(1));
        Named<QAction>(*e.main, "AUndo").trigger();
        QCOMPARE(e.design().Elements.size(), std::size_t(2));

        // Ctrl and the wheel zoom around the pointer: the drawing point under it stays.
        TMDIChild& window = *e.window();
        const QPoint at(300, 200);
        const auto drawingX = [&] {
            return (at.x() + window.scrollX()->value() - window.viewRect().left()) / window.scale();
        };
        const double before = drawingX();
        QWheelEvent wheel(at, window.mapToGlobal(QPointF(at)), QPoint(), QPoint(0, 120),
                          Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&window, &wheel);
        QCOMPARE(window.scale(), 1.25);
        QVERIFY2(std::abs(drawingX() - before) <= 1.0 / window.scale(),
                 qPrintable(QString("%1 -> %2").arg(before).arg(drawingX())));

        // Zoom to fit shows the whole rocket: nose tip to tube end inside the window.
        Named<QAction>(*e.main, "AZoomFit").trigger();
        const auto column = [&](double x) {
            return x * window.scale() - window.scrollX()->value() + window.viewRect().left();
        };
        const double tip = e.element(0)->Points[0].x;
        double end = tip;
        for (const TPoints& p : e.element(1)->Points)
            end = std::max(end, p.x);
        QVERIFY2(column(tip) >= 0 && column(end) <= window.width(),
                 qPrintable(
                     QString("%1 %2 of %3").arg(column(tip)).arg(column(end)).arg(window.width())));
        QVERIFY(column(end) - column(tip) > window.width() / 2);
    }

    // A design window opened after the first lays out its scroll bars at once.
    void laterWindowsShowTheirScrollBars() {
        Editing e;
        TMDIChild* second = e.main->createDesignWindow("second");
        QTRY_VERIFY(second->isVisible());
        for (QScrollBar* bar : {second->scrollX(), second->scrollY()}) {
            QVERIFY(bar->isVisible());
            QVERIFY2(second->rect().contains(bar->geometry()) && bar->width() > 0 &&
                         bar->height() > 0,
                     qPrintable(QString("%1,%2 %3x%4 in %5x%6")
                                    .arg(bar->x())
                                    .arg(bar->y())
                                    .arg(bar->width())
                                    .arg(bar->height())
                                    .arg(second->width())
                                    .arg(second->height())));
        }
        QCOMPARE(second->scrollX()->geometry().bottom(), second->height() - 1);
        QCOMPARE(second->scrollY()->geometry().right(), second->width() - 1);
    }

    // Cascading keeps every design window usable, not a title bar.
    void cascadeKeepsWindowsUsable() {
        Editing e;
        e.insert(&Named<QAction>(*e.main, "AGlowicaStozek"), 200, 50);
        auto& area = Named<QMdiArea>(*e.main, "ClientArea");
        QCOMPARE(area.subWindowList().size(), 1);
        Named<QAction>(*e.main, "WindowCascade1").trigger();
        for (QMdiSubWindow* sub : area.subWindowList()) {
            QVERIFY2(sub->height() >= area.viewport()->height() * 2 / 3 - 1,
                     qPrintable(QString::number(sub->height())));
            QVERIFY(sub->width() >= area.viewport()->width() * 2 / 3 - 1);
            QVERIFY(!sub->isMaximized());
        }
    }

    // The trees show the active window's design, whichever window that is; closing a
    // window they do not show leaves them as they are.
    void treesFollowTheActiveDesignWindow() {
        Editing e;
        e.insert(&Named<QAction>(*e.main, "AGlowicaStozek"));
        TMDIChild* first = e.window();
        TMDIChild* second = e.main->createDesignWindow("New");
        const QAbstractItemModel& elements = *e.objects().ListBox1->model();
        QCOMPARE(elements.rowCount(), 0);
        e.insert(&Named<QAction>(*e.main, "AGlowicaOgive"));
        e.insert(&Named<QAction>(*e.main, "AKorpus"));
        QCOMPARE(elements.rowCount(elements.index(0, 0)), 1);

        auto& area = Named<QMdiArea>(*e.main, "ClientArea");
        area.setActiveSubWindow(qobject_cast<QMdiSubWindow*>(first->parentWidget()));
        QCOMPARE(e.objects().designWindow(), first);
        QCOMPARE(elements.rowCount(elements.index(0, 0)), 0);
        QCOMPARE(e.objects().selectedNode(), first->design().tree.nodeAt(0));

        e.interaction.threeWay.enqueue(Interaction::Answer::No);
        qobject_cast<QMdiSubWindow*>(second->parentWidget())->close();
        QCOMPARE(area.subWindowList().size(), 1);
        QCOMPARE(elements.rowCount(), 1);
        QCOMPARE(e.objects().selectedNode(), first->design().tree.nodeAt(0));
    }

    void renamedElementsShowTheirNewCaption() {
        Editing e;
        e.insert(&Named<QAction>(*e.main, "AGlowicaStozek"));
        e.select(e.element(0));
        e.answerDialog([](TFormParametry& d) { test::Controls(d).eCaption->setText("Czubek"); });
        e.objects().AParametry->trigger();
        QCOMPARE(QString::fromStdString(e.element(0)->Caption), QString("Czubek"));
        QCOMPARE(e.objects().ListBox1->model()->index(0, 0).data().toString(), QString("Czubek"));
    }

    // A failing summary is said once in the status bar for each state of the design:
    // never in a box, not again at a zoom, again after a change.
    void summaryFailureIsSaidOncePerChange() {
        Editing e;
        e.insert(&Named<QAction>(*e.main, "AGlowicaStozek"));
        e.interaction.messages.clear();
        QStatusBar* bar = e.main->statusBar();
        e.element(0)->Weight = 0;
        e.window()->Redraw();
        QCOMPARE(bar->currentMessage(), QString("Error in LiczParametry"));
        bar->clearMessage();
        e.window()->zoomAround(2.0, QPoint(100, 100));
        e.window()->Redraw();
        QCOMPARE(bar->currentMessage(), QString());

        // A change that still fails says it again; one that mends it says nothing.
        e.answerDialog([](TFormParametry& d) { test::Controls(d).eCaption->setText("renamed"); });
        e.select(e.element(0));
        e.objects().AParametry->trigger();
        QCOMPARE(bar->currentMessage(), QString("Error in LiczParametry"));
        bar->clearMessage();
        e.answerDialog([](TFormParametry& d) { test::Controls(d).seWaga->setValue(12); });
        e.objects().AParametry->trigger();
        QCOMPARE(bar->currentMessage(), QString());
        QCOMPARE(e.interaction.messages.size(), 0);
    }

    void aWholeRocketSurvivesSavingAndOpening() {
        Editing e;
        e.insert(&Named<QAction>(*e.main, "AGlowicaStozek"), 200, 50);
        e.insert(&Named<QAction>(*e.main, "AKorpus"), 500);
        e.answerDialog([](TFormParametry& d) { test::Controls(d).seilefin->setValue(4); });
        Named<QAction>(*e.main, "AStatecznik").trigger();
        e.select(e.element(1));
        e.insert(&Named<QAction>(*e.main, "AEngine"), 100, 27);
        e.select(e.element(1));
        e.answerDialog([](TFormParametry& d) { test::Controls(d).seWaga->setValue(35); });
        Named<QAction>(*e.main, "ABalast").trigger();
        // Two dimensions laid with three presses each.
        TMDIChild* window = e.window();
        const auto place = [&](QAction* command, std::initializer_list<QPoint> presses) {
            command->trigger();
            for (const QPoint& at : presses) {
                window->FormMouseMove(Qt::NoButton, at.x(), at.y());
                window->FormMouseDown(Qt::LeftButton, at.x(), at.y());
            }
        };
        window->scrollX()->setValue(0);
        const int top = window->scrollY()->value();
        place(&Named<QAction>(*e.main, "AWymiar"),
              {{50, 300 - top}, {250, 300 - top}, {150, 200 - top}});
        place(&Named<QAction>(*e.main, "AWymiarPoziomy"),
              {{250, 275 - top}, {750, 275 - top}, {500, 180 - top}});
        QCOMPARE(e.main->pointerMode(), PointerModeKind::Default);
        window->Redraw();

        const auto rows = [](const TFormObject& objects) {
            QStringList cells;
            for (int row = 0; row < 6; ++row)
                cells << objects.grid->item(row, 0)->text() + "=" +
                             objects.grid->item(row, 1)->text();
            return cells;
        };
        const auto dimensionCaptions = [](const TFormObject& objects) {
            QStringList captions;
            const QAbstractItemModel& list = *objects.ListBox2->model();
            for (int i = 0; i < list.rowCount(); ++i)
                captions << list.index(i, 0).data().toString();
            return captions;
        };
        const QStringList savedRows = rows(e.objects());
        const QStringList savedTree = e.treeCaptions();
        const QStringList savedDimensions = dimensionCaptions(e.objects());
        QCOMPARE(savedDimensions, (QStringList{"500.00", "200.00"}));
        QVERIFY(!savedRows[0].endsWith("=0.00"));

        const QString path = e.directory.filePath("rakieta");
        e.interaction.files.enqueue(path);
        Named<QAction>(*e.main, "FileSave1").trigger();
        QVERIFY(QFile::exists(path + ".kfx"));
        QCOMPARE(e.interaction.filters.last(), QString("projekt (*.kfx)"));

        Named<QAction>(*e.main, "FileNew1").trigger();
        QVERIFY(e.design().empty());
        e.interaction.files.enqueue(path + ".kfx");
        Named<QAction>(*e.main, "FileOpen1").trigger();
        QCOMPARE(e.interaction.openDirectories.last(), e.directory.path() + "/");
        QCOMPARE(Named<QMdiArea>(*e.main, "ClientArea").subWindowList().size(), 1);
        QCOMPARE(Named<QMdiArea>(*e.main, "ClientArea").subWindowList()[0]->windowTitle(),
                 path + ".kfx");
        QCOMPARE(e.treeCaptions(), savedTree);
        QCOMPARE(rows(e.objects()), savedRows);
        QCOMPARE(dimensionCaptions(e.objects()), savedDimensions);
        QCOMPARE(e.objects().selectedNode(), e.design().tree.nodeAt(0));
        QVERIFY(Named<QAction>(*e.main, "AKorpus").isEnabled());
        QVERIFY(e.interaction.messages.isEmpty());

        // Saved again under another name, the file keeps its bytes.
        QFile first(path + ".kfx");
        QVERIFY(first.open(QIODevice::ReadOnly));
        const QByteArray bytes = first.readAll();
        e.interaction.files.enqueue(path + "-2.kfx");
        Named<QAction>(*e.main, "FileSaveAs1").trigger();
        QFile second(path + "-2.kfx");
        QVERIFY(second.open(QIODevice::ReadOnly));
        QCOMPARE(second.readAll(), bytes);
        QCOMPARE(e.interaction.proposedNames.last(), path + ".kfx");
    }

    void fileFailuresAreReportedOnce() {
        Editing e;
        e.insert(&Named<QAction>(*e.main, "AGlowicaStozek"));
        const QString unsaved = e.directory.filePath("missing/folder/x.kfx");
        e.interaction.files.enqueue(unsaved);
        Named<QAction>(*e.main, "FileSave1").trigger();
        QCOMPARE(e.interaction.messages.size(), 1);
        QCOMPARE(e.interaction.messages[0].caption, QString("uwaga, błąd zapisu"));
        const QStringList lines = e.interaction.messages[0].text.split('\n');
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[0], unsaved);
        QVERIFY2(lines[1].endsWith("No such file or directory"), qPrintable(lines[1]));
        QCOMPARE(e.interaction.messages[0].icon, Interaction::Icon::Error);

        const QString damaged = e.directory.filePath("damaged.kfx");
        QFile file(damaged);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray("\x01\x00\x00\x00\x00\x00\x00\x00TFoo", 12));
        file.close();
        e.interaction.files.enqueue(damaged);
        Named<QAction>(*e.main, "FileOpen1").trigger();
        QCOMPARE(e.interaction.messages.size(), 2);
        QCOMPARE(e.interaction.messages[1].caption, QString("uwaga, błąd odczytu"));
        QVERIFY(e.interaction.messages[1].text.startsWith(damaged));
        QVERIFY(e.design().empty());
        QCOMPARE(Named<QMdiArea>(*e.main, "ClientArea").subWindowList()[0]->windowTitle(), damaged);
        QVERIFY(Named<QAction>(*e.main, "AGlowicaStozek").isEnabled());
    }

    // A chain of body tubes as deep as a design may be opens, and the object window lays
    // out the whole expanded tree; nothing more attaches below its last tube. A chain one
    // level deeper is refused with the reason.
    void deepestTreeOpensAndOneDeeperIsRefused() {
        Editing e;
        const auto chainFile = [&e](std::size_t depth) {
            Design design;
            ElementTree::Node* node = test::AttachNose<TGlowicaStozek>(design, 50);
            for (std::size_t i = 1; i < depth; ++i)
                node = test::Attach<TKorpus>(design, node);
            for (const auto& element : design.Elements) {
                element->Length = 100;
                element->DiameterA = 40;
                element->Thickness = 1;
                element->Weight = 10;
            }
            const QString path = e.directory.filePath(QString("chain%1.kfx").arg(depth));
            [&] {
                QVERIFY(SaveDesign(design, path.toStdString()).ok);
            }();
            return path;
        };
        e.interaction.files.enqueue(chainFile(MaxTreeDepth));
        Named<QAction>(*e.main, "FileOpen1").trigger();
        QCOMPARE(e.design().tree.nodeCount(), MaxTreeDepth);
        QTreeView& tree = *e.objects().ListBox1;
        const QAbstractItemModel& model = *tree.model();
        QModelIndex deepest = model.index(0, 0);
        while (model.rowCount(deepest) > 0)
            deepest = model.index(0, 0, deepest);
        QVERIFY(tree.isExpanded(deepest.parent()));
        tree.scrollTo(deepest);
        // Laid out as a row; its indentation runs past the column at this depth, so its
        // rectangle's edges come swapped.
        QVERIFY(tree.visualRect(deepest).height() > 0);
        QVERIFY(!tree.viewport()->grab().isNull());
        QVERIFY(e.interaction.messages.isEmpty());

        tree.setCurrentIndex(deepest);
        Named<QAction>(*e.main, "AKorpus").trigger();
        QCOMPARE(e.design().tree.nodeCount(), MaxTreeDepth);
        QCOMPARE(e.interaction.messages.size(), 1);
        QCOMPARE(e.interaction.messages[0].text, QString("Not allowed"));

        const QString deeper = chainFile(MaxTreeDepth + 1);
        e.interaction.files.enqueue(deeper);
        Named<QAction>(*e.main, "FileOpen1").trigger();
        QCOMPARE(e.interaction.messages.size(), 2);
        QCOMPARE(e.interaction.messages[1].caption, QString("uwaga, błąd odczytu"));
        QCOMPARE(e.interaction.messages[1].text,
                 deeper + "\nrecord 257: the components are nested more than 256 levels deep");
        QVERIFY(e.design().empty());
    }

    // The file named on the command line opens as Open opens it; one that cannot be read
    // leaves the empty design "New" behind the message.
    void aFileNamedAtStartOpensAsOpenDoes_data() {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<bool>("opens");
        QTest::newRow("design") << QByteArray() << true;
        QTest::newRow("damaged") << QByteArray("\x01\x00\x00\x00\x00\x00\x00\x00TFoo", 12) << false;
        QTest::newRow("missing") << QByteArray("missing") << false;
    }
    void aFileNamedAtStartOpensAsOpenDoes() {
        QFETCH(QByteArray, contents);
        QFETCH(bool, opens);
        Editing e;
        const QString path = e.directory.filePath("named at start.kfx");
        if (contents.isEmpty()) {
            e.insert(&Named<QAction>(*e.main, "AGlowicaStozek"), 120, 40);
            e.interaction.files.enqueue(path);
            Named<QAction>(*e.main, "FileSave1").trigger();
        } else if (contents != "missing") {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(contents);
        }
        // Named relative to the current folder, as a file manager or a shell may name it.
        const QString current = QDir::currentPath();
        QVERIFY(QDir::setCurrent(e.directory.path()));
        e.main->openFileArgument("named at start.kfx");
        QDir::setCurrent(current);

        const auto subs = Named<QMdiArea>(*e.main, "ClientArea").subWindowList();
        QCOMPARE(subs.size(), 1);
        QCOMPARE(subs[0]->windowTitle(), opens ? path : QString("New"));
        QCOMPARE(e.design().Elements.size(), std::size_t(opens ? 1 : 0));
        QCOMPARE(e.interaction.messages.size(), opens ? 0 : 1);
        if (!opens)
            QCOMPARE(e.interaction.messages[0].caption, QString("uwaga, błąd odczytu"));
    }

    void cancelledFileDialogsChangeNothing() {
        Editing e;
        e.insert(&Named<QAction>(*e.main, "AGlowicaStozek"));
        Named<QAction>(*e.main, "FileOpen1").trigger();
        Named<QAction>(*e.main, "FileSave1").trigger();
        QCOMPARE(e.design().Elements.size(), std::size_t(1));
        QVERIFY(e.interaction.messages.isEmpty());
    }
};

VANTOR_TEST_MAIN(TestEditing)
#include "tst_editing.moc"
