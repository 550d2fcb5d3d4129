#include "designfile/DesignFile.h"
#include "editing/EditHistory.h"
#include "editing/Recovery.h"
#include "model/AxisValues.h"
#include "model/Registry.h"
#include "shell/RecoveryCommands.h"
#include "support/Named.h"
#include "support/ParametersControls.h"
#include "support/SampleDesigns.h"
#include "support/StartedProgram.h"
#include "support/TestMain.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QScrollBar>
#include <QSettings>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTreeView>
#include <cmath>

using namespace vantor;
using test::Named;
using Answer = Interaction::Answer;

namespace {

using Bytes = std::vector<std::uint8_t>;

struct Session : test::StartedProgram {
    QRandomGenerator random{13};
    int edits = 0;

    Session() { QVERIFY(created); }

    Bytes bytes() const { return EncodeDesign(design()); }
    QString caption() const {
        return Named<QMdiArea>(*main, "ClientArea").activeSubWindow()->windowTitle();
    }
    QStringList summary() const {
        QStringList rows;
        for (int row = 0; row < objects().grid->rowCount(); ++row)
            rows << objects().grid->item(row, 1)->text();
        return rows;
    }
    int below(int n) { return int(random.bounded(n)); }
    TRocketElement* anyElement() {
        auto& elements = design().Elements;
        return elements.empty() ? nullptr
                                : elements[std::size_t(below(int(elements.size())))].get();
    }
    void select(const TRocketElement* element) {
        objects().selectNode(design().tree.nodeOf(element));
    }
    // Widget coordinates of a drawing point.
    QPoint toWidget(double x, double y) const {
        const TMDIChild* w = window();
        return QPoint(
            int(std::lround(x * w->scale() - w->scrollX()->value() + w->viewRect().left())),
            int(std::lround(y * w->scale() - w->scrollY()->value() + w->viewRect().top())));
    }

    void insertNose() {
        const int length = 100 + below(200), diameter = 40 + below(30);
        answerDialog([=](TFormParametry& d) {
            const auto u = test::Controls(d);
            u.sedlugosc->setValue(length);
            u.sesrednica->setValue(diameter);
        });
        Named<QAction>(*main, "AGlowicaOgive").trigger();
    }
    void insertPart() {
        if (design().tree.empty())
            return insertNose();
        TRocketElement* parent = anyElement();
        static const char* const commands[] = {"AKorpus", "AStozekSciety", "AEngine", "AStatecznik",
                                               "ABalast"};
        static const char* const kinds[] = {"TKorpus", "TStozekSciety", "TEngine", "TStatecznik",
                                            "TBalast"};
        const int pick = below(5);
        if (CheckInsertion(design(), kinds[pick], parent) != InsertionRefusal::None)
            return;
        select(parent);
        const int length = 20 + below(200);
        answerDialog([=](TFormParametry& d) {
            const auto u = test::Controls(d);
            u.sedlugosc->setValue(length);
            if (pick == 1)
                u.sesrednica2->setValue(std::max(5.0, u.sesrednica->value() - 10));
            if (pick == 2)
                u.sesrednica->setValue(u.sesrednica->value() / 2);
            if (pick == 3)
                u.seilefin->setValue(2 + length % 3);
        });
        main->findChild<QAction*>(commands[pick])->trigger();
    }
    void editFields() {
        TRocketElement* element = anyElement();
        if (element == nullptr)
            return;
        select(element);
        const int grow = below(40), material = below(8);
        const QString name = QStringLiteral("E%1").arg(++edits);
        answerDialog([=](TFormParametry& d) {
            const auto u = test::Controls(d);
            u.eCaption->setText(name);
            u.sedlugosc->setValue(u.sedlugosc->value() + grow); // never shorter
            u.seMaterial->setCurrentIndex(material);
            d.seMaterialChange(material);
            u.seA->setValue(u.seA->value() + grow);
        });
        objects().AParametry->trigger();
    }
    void slide() {
        TRocketElement* element = anyElement();
        if (element == nullptr || element->Parent == nullptr || element->Parent->Points.empty())
            return;
        select(element);
        Named<QAction>(*main, "ASelect").trigger();
        const TRocketElement& parent = *element->Parent;
        const double x = parent.Points[0].x + parent.Length * (below(100) / 100.0);
        // Pressed above the rocket, so the selection stays.
        const QPoint press = toWidget(x, AxisY - 2000);
        window()->FormMouseDown(Qt::LeftButton, press.x(), press.y());
        for (int step = 0; step < 3; ++step) {
            const QPoint at = toWidget(x - step * 3, AxisY);
            window()->FormMouseMove(Qt::LeftButton, at.x(), at.y());
        }
        window()->FormMouseUp();
        Named<QAction>(*main, "ADefaultMode").trigger();
    }
    void placeDimension() {
        static const char* const commands[] = {"AWymiar", "AWymiarPoziomy", "AWymiarPionowy",
                                               "AWymiarAngle"};
        main->findChild<QAction*>(commands[below(4)])->trigger();
        for (int press = 0; press < 3; ++press) {
            const QPoint at = toWidget(50 + below(600), AxisY - 100 + below(200));
            window()->FormMouseMove({}, at.x(), at.y());
            window()->FormMouseDown(Qt::LeftButton, at.x(), at.y());
        }
    }
    void deleteSomething() {
        interaction.answers.enqueue(true);
        if (below(4) == 0 && !design().Dimensions.empty()) {
            objects().PageControl1->setCurrentIndex(1);
            QTreeView* list = objects().ListBox2;
            list->setCurrentIndex(list->model()->index(below(list->model()->rowCount()), 0));
            objects().AobjectClear->trigger();
            objects().PageControl1->setCurrentIndex(0);
            return;
        }
        // Mostly leaves, now and then a whole subtree.
        TRocketElement* element = anyElement();
        if (element == nullptr || (element->Parent == nullptr && below(5) != 0)) {
            interaction.answers.clear();
            return;
        }
        select(element);
        objects().AobjectClear->trigger();
    }
    void randomAction() {
        const int roll = below(100);
        if (roll < 35)
            insertPart();
        else if (roll < 55)
            editFields();
        else if (roll < 70)
            slide();
        else if (roll < 85)
            placeDimension();
        else
            deleteSomething();
    }
    void triggerWhileEnabled(QAction* action) {
        while (action->isEnabled())
            action->trigger();
    }
};

} // namespace

class TestUndo : public QObject {
    Q_OBJECT

private slots:
    void randomEditingUndoesToTheStartAndRedoesToTheEnd() {
        Session s;
        const Bytes start = s.bytes();
        for (int action = 0; action < 500; ++action)
            s.randomAction();
        const Bytes end = s.bytes();
        const QStringList endSummary = s.summary();
        const int steps = s.window()->history().stack().count();
        QVERIFY2(steps >= 200, qPrintable(QString::number(steps)));

        s.triggerWhileEnabled(&Named<QAction>(*s.main, "AUndo"));
        QCOMPARE(s.window()->history().stack().index(), 0);
        QVERIFY(s.bytes() == start);
        QVERIFY(s.design().tree.empty());
        QVERIFY(!s.caption().endsWith('*'));

        s.triggerWhileEnabled(&Named<QAction>(*s.main, "ARedo"));
        QCOMPARE(s.window()->history().stack().index(), steps);
        QVERIFY(s.bytes() == end);
        QCOMPARE(s.summary(), endSummary);
        QCOMPARE(s.objects().ListBox1->model()->rowCount(), 1);
    }

    void captionsNameTheStepAndTheStarFollowsTheFile() {
        Session s;
        QVERIFY(!Named<QAction>(*s.main, "AUndo").isEnabled());
        QVERIFY(!Named<QAction>(*s.main, "ARedo").isEnabled());
        QVERIFY(Named<QMenu>(*s.main, "Edycja1").menuAction()->isVisible());
        s.insertNose();
        QCOMPARE(s.caption(), QString("New*"));
        QCOMPARE(Named<QAction>(*s.main, "AUndo").text(), QString("Cofnij: wstaw Nose"));
        QVERIFY(Named<QAction>(*s.main, "AUndo").isEnabled());

        const QString file = s.directory.filePath("first.kfx");
        s.interaction.files.enqueue(file);
        Named<QAction>(*s.main, "FileSave1").trigger();
        QCOMPARE(s.caption(), file);
        s.answerDialog([](TFormParametry& d) { test::Controls(d).sedlugosc->setValue(300); });
        Named<QAction>(*s.main, "AKorpus").trigger();
        QCOMPARE(s.caption(), file + '*');

        Named<QAction>(*s.main, "AUndo").trigger(); // back to what the file holds
        QCOMPARE(s.caption(), file);
        QCOMPARE(Named<QAction>(*s.main, "ARedo").text(), QString("Ponow: wstaw Body"));
        Named<QAction>(*s.main, "AUndo").trigger();
        QCOMPARE(s.caption(), file + '*');
        QVERIFY(!Named<QAction>(*s.main, "AUndo").isEnabled());
    }

    // Undo and Redo take the steps of the design window in front; each keeps its own. The
    // captions read alike in both languages.
    void undoAndRedoFollowTheActiveDesignWindow_data() {
        QTest::addColumn<int>("pol");
        QTest::addColumn<QString>("undoCaption");
        QTest::addColumn<QString>("redoCaption");
        QTest::addColumn<QString>("verb");
        QTest::newRow("Polish") << 1 << "Cofnij"
                                << "Ponow"
                                << "wstaw";
        QTest::newRow("English") << 0 << "Undo"
                                 << "Redo"
                                 << "insert";
    }
    void undoAndRedoFollowTheActiveDesignWindow() {
        QFETCH(int, pol);
        QFETCH(QString, undoCaption);
        QFETCH(QString, redoCaption);
        QFETCH(QString, verb);
        QSettings("Qendel", "CAD").setValue("Pol", pol);
        const auto restore = qScopeGuard([] { QSettings("Qendel", "CAD").remove("Pol"); });
        const QString stepNose = QStringLiteral(": %1 Nose").arg(verb);
        Session s;
        QAction& undo = Named<QAction>(*s.main, "AUndo");
        QAction& redo = Named<QAction>(*s.main, "ARedo");
        auto& area = Named<QMdiArea>(*s.main, "ClientArea");
        const auto bringForward = [&area](TMDIChild* window) {
            area.setActiveSubWindow(qobject_cast<QMdiSubWindow*>(window->parentWidget()));
        };
        s.answerDialog();
        Named<QAction>(*s.main, "AGlowicaOgive").trigger();
        TMDIChild* first = s.window();
        TMDIChild* second = s.main->createDesignWindow("New");
        QCOMPARE(s.window(), second);
        QVERIFY(!undo.isEnabled());
        QCOMPARE(undo.text(), undoCaption);

        bringForward(first);
        QVERIFY(undo.isEnabled());
        QCOMPARE(undo.text(), undoCaption + stepNose);
        undo.trigger();
        QVERIFY(first->design().tree.empty());
        QVERIFY(!undo.isEnabled());
        QCOMPARE(redo.text(), redoCaption + stepNose);

        bringForward(second);
        QVERIFY(!redo.isEnabled());
        QCOMPARE(redo.text(), redoCaption);
        s.answerDialog();
        Named<QAction>(*s.main, "AGlowicaOgive").trigger();
        QCOMPARE(second->design().tree.nodeCount(), std::size_t(1));
        QVERIFY(first->design().tree.empty());
        QCOMPARE(undo.text(), undoCaption + stepNose);

        // The window in front goes (its work given up): the other one's steps are shown.
        s.interaction.threeWay.enqueue(Answer::No);
        Named<QAction>(*s.main, "FileClose1").trigger();
        QCOMPARE(s.window(), first);
        QVERIFY(!undo.isEnabled());
        QVERIFY(redo.isEnabled());
        redo.trigger();
        QCOMPARE(first->design().tree.nodeCount(), std::size_t(1));
    }

    void aCancelledFinDialogLeavesNoStep() {
        Session s;
        s.insertNose();
        s.answerDialog({}, false);
        Named<QAction>(*s.main, "AStatecznik").trigger();
        QCOMPARE(s.window()->history().stack().count(), 1);
    }

    // The properties dialog edits a copy: OK with a change is one step that undo takes
    // back whole; OK without a change, and Cancel whatever was chosen or weighed during
    // the run, leave no step and the element as it was.
    void propertiesRunIsOneStepOrNone_data() {
        QTest::addColumn<bool>("ok");
        QTest::addColumn<bool>("change");
        QTest::newRow("OK with a change") << true << true;
        QTest::newRow("OK without a change") << true << false;
        QTest::newRow("Cancel after a material and oblicz") << false << true;
    }
    void propertiesRunIsOneStepOrNone() {
        QFETCH(bool, ok);
        QFETCH(bool, change);
        Session s;
        s.insertNose();
        TRocketElement& nose = *s.design().Elements.front();
        const ElementFields before = FieldsOf(nose);
        const Bytes saved = s.bytes();
        const int steps = s.window()->history().stack().count();
        s.answerDialog(
            [change](TFormParametry& d) {
                if (!change)
                    return;
                const auto u = test::Controls(d);
                u.sedlugosc->setValue(u.sedlugosc->value() + 10);
                u.seMaterial->setCurrentIndex(7);
                d.seMaterialChange(7);
                d.bObliczClick();
            },
            ok);
        s.select(&nose);
        s.objects().AParametry->trigger();
        const bool step = ok && change;
        QCOMPARE(s.window()->history().stack().count(), steps + (step ? 1 : 0));
        if (!step) {
            QCOMPARE(FieldsOf(nose), before);
            QCOMPARE(s.bytes(), saved);
            return;
        }
        QCOMPARE(nose.Length, before.length + 10);
        QCOMPARE(nose.Density, 0.0078f); // iron
        Named<QAction>(*s.main, "AUndo").trigger();
        QCOMPARE(FieldsOf(nose), before);
        QCOMPARE(s.bytes(), saved);
    }

    // A dimension begun before a save and finished after it is a change since the save;
    // undoing its placement takes out the half dimension the file holds, so the design
    // stays modified until it is saved again.
    void dimensionFinishedAfterASaveIsAChange() {
        Session s;
        s.insertNose();
        Named<QAction>(*s.main, "AWymiarPoziomy").trigger();
        const auto press = [&](int x) {
            const QPoint at = s.toWidget(x, AxisY - 50);
            s.window()->FormMouseMove({}, at.x(), at.y());
            s.window()->FormMouseDown(Qt::LeftButton, at.x(), at.y());
        };
        press(60);
        press(110); // all three points down; the next press ends the placement
        const QString file = s.directory.filePath("half.kfx");
        s.interaction.files.enqueue(file);
        Named<QAction>(*s.main, "FileSaveAs1").trigger();
        QVERIFY(!s.window()->history().isModified());
        Design reread;
        QVERIFY(LoadDesign(file.toStdString(), reread).ok);
        const Bytes saved = EncodeDesign(reread);
        press(260);
        QCOMPARE(s.design().Dimensions.size(), std::size_t(1));
        QVERIFY(s.window()->history().isModified());
        Named<QAction>(*s.main, "AUndo").trigger();
        QVERIFY(s.design().Dimensions.empty());
        QVERIFY(s.bytes() != saved);
        QVERIFY(s.window()->history().isModified());
        QVERIFY(s.caption().endsWith('*'));
        Named<QAction>(*s.main, "ARedo").trigger();
        QVERIFY(s.window()->history().isModified());
        Named<QAction>(*s.main, "FileSave1").trigger();
        QVERIFY(!s.window()->history().isModified());
    }

    void saveWritesToTheOwnFileAndSaveAsAsks() {
        Session s;
        s.insertNose();
        const QString first = s.directory.filePath("a.kfx");
        s.interaction.files.enqueue(first);
        Named<QAction>(*s.main, "FileSave1").trigger();
        QCOMPARE(s.interaction.proposedNames.size(), 1);
        s.editFields();
        Named<QAction>(*s.main, "FileSave1").trigger(); // no dialog this time
        QCOMPARE(s.interaction.proposedNames.size(), 1);
        Design reread;
        QVERIFY(LoadDesign(first.toStdString(), reread).ok);
        QVERIFY(EncodeDesign(reread) == s.bytes());

        QVERIFY(Named<QAction>(*s.main, "FileSaveAs1").isEnabled());
        const QString second = s.directory.filePath("b");
        s.interaction.files.enqueue(second);
        Named<QAction>(*s.main, "FileSaveAs1").trigger();
        QCOMPARE(s.interaction.proposedNames.last(), first);
        QVERIFY(QFile::exists(second + ".kfx"));
        QCOMPARE(s.caption(), second + ".kfx");
    }

    // The question before New, Open and Exit, with each answer.
    void unsavedWorkIsAskedAbout_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("saveAs"); // the file the save dialog gives
        QTest::addColumn<bool>("designKept");
        QTest::addColumn<bool>("fileWritten");
        const int yes = int(Answer::Yes), no = int(Answer::No), cancel = int(Answer::Cancel);
        for (const char* command : {"FileNew1", "FileOpen1", "FileExit1"}) {
            const QByteArray c(command);
            QTest::newRow(c + " yes") << command << yes << "saved.kfx" << false << true;
            QTest::newRow(c + " yes, save cancelled") << command << yes << "" << true << false;
            QTest::newRow(c + " yes, save fails")
                << command << yes << "missing/dir/x.kfx" << true << false;
            QTest::newRow(c + " no") << command << no << "" << false << false;
            QTest::newRow(c + " cancel") << command << cancel << "" << true << false;
        }
    }
    void unsavedWorkIsAskedAbout() {
        QFETCH(QString, command);
        QFETCH(int, answer);
        QFETCH(QString, saveAs);
        QFETCH(bool, designKept);
        QFETCH(bool, fileWritten);
        Session s;
        s.insertNose();
        const Bytes edited = s.bytes();
        const QString target = saveAs.isEmpty() ? QString() : s.directory.filePath(saveAs);
        s.interaction.threeWay.enqueue(Answer(answer));
        if (Answer(answer) == Answer::Yes)
            s.interaction.files.enqueue(target); // the save dialog's answer
        const QString opened = s.directory.filePath("other.kfx");
        {
            Design other;
            QVERIFY(SaveDesign(other, opened.toStdString()).ok);
        }
        s.interaction.files.enqueue(opened); // the open dialog's answer
        s.main->findChild<QAction*>(command)->trigger();
        QCoreApplication::processEvents();

        QCOMPARE(s.interaction.questions.size(), 1);
        QCOMPARE(s.interaction.questions[0].text, QString("Zapisać zmiany w projekcie?"));
        QCOMPARE(QFile::exists(target), fileWritten);
        if (fileWritten) {
            Design reread;
            QVERIFY(LoadDesign(target.toStdString(), reread).ok);
            QVERIFY(EncodeDesign(reread) == edited);
        }
        if (command == "FileExit1") {
            QCOMPARE(s.main->isVisible(), designKept);
        } else {
            QVERIFY(s.window() != nullptr);
            QCOMPARE(s.bytes() == edited, designKept);
        }
        if (saveAs.startsWith("missing"))
            QCOMPARE(s.interaction.messages.size(), 1);
    }

    // Every tenth step writes the copy; a run cut off leaves it, the next start offers it.
    void aCopyLeftByACutOffRunIsOffered_data() {
        QTest::addColumn<QString>("kept"); // what the cut-off run left
        QTest::addColumn<bool>("accepted");
        QTest::newRow("restored") << "copy" << true;
        QTest::newRow("declined") << "copy" << false;
        QTest::newRow("damaged") << "damaged" << true;
    }
    void aCopyLeftByACutOffRunIsOffered() {
        QFETCH(QString, kept);
        QFETCH(bool, accepted);
        QByteArray left;
        Bytes edited;
        QString path;
        {
            Session s;
            s.insertNose();
            for (int step = 1; step < 10; ++step)
                s.editFields();
            path = s.main->recovery().copyPath(s.window()->document());
            QFile copy(path);
            QVERIFY(copy.open(QIODevice::ReadOnly));
            left = copy.readAll();
            edited = s.bytes();
            QVERIFY(Bytes(left.begin(), left.end()) == edited);
        }
        QVERIFY(!QFile::exists(path)); // an orderly end removes it
        if (kept == "damaged")
            left.truncate(left.size() / 2);
        Session s;
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(left);
        file.close();
        s.interaction.answers.enqueue(accepted);
        s.main->offerRecovery();
        QVERIFY(
            s.interaction.questions.last().text.startsWith("Przywrócić niezapisany projekt?\n"));
        // A restored design is still unsaved: it has a copy of this run's own, which
        // replaces the one left over.
        QVERIFY(!QFile::exists(path));
        if (kept == "damaged") {
            QCOMPARE(s.interaction.messages.size(), 1);
            QVERIFY(QFile::exists(path + ".damaged"));
            QVERIFY(s.design().empty());
        } else if (accepted) {
            QVERIFY(s.bytes() == edited);
            QCOMPARE(s.caption(), QString("New*"));
            QCOMPARE(s.objects().ListBox1->model()->rowCount(), 1);
            QFile own(s.main->recovery().copyPath(s.window()->document()));
            QVERIFY(own.open(QIODevice::ReadOnly));
            QCOMPARE(own.readAll(), left);
            // The restored design took the place of the empty one the start opened.
            QCOMPARE(s.main->designWindows().size(), 1);
        } else {
            QVERIFY(s.design().empty());
        }
    }

    // A copy that cannot be written is told once in the status bar, not at every step;
    // every step tries again, and the first that succeeds clears the message.
    void aFailedCopyIsToldOnceAndTriedAgain() {
        const QString folder = RecoveryStore::DefaultDirectory();
        QDir(folder).removeRecursively();
        QVERIFY(QDir().mkpath(QFileInfo(folder).path()));
        {
            QFile blocker(folder); // the folder's name taken by a file
            QVERIFY(blocker.open(QIODevice::WriteOnly));
        }
        Session s;
        QStatusBar& bar = *s.main->statusBar();
        QSignalSpy shown(&bar, &QStatusBar::messageChanged);
        s.insertNose();
        for (int step = 1; step < 12; ++step)
            s.editFields();
        QCOMPARE(bar.currentMessage(), QString("Kopia zapasowa nie mogła zostać zapisana"));
        QCOMPARE(shown.size(), 1);
        QVERIFY(QFile::remove(folder));
        s.editFields(); // not ten steps after the failure: the next one
        const QString copy = s.main->recovery().copyPath(s.window()->document());
        QFile written(copy);
        QVERIFY(written.open(QIODevice::ReadOnly));
        const QByteArray bytes = written.readAll();
        QVERIFY(Bytes(bytes.begin(), bytes.end()) == s.bytes());
        QVERIFY(bar.currentMessage().isEmpty());
    }

    // A large copy is written on the worker from the bytes the design had at the step:
    // steps made while it is written do not get into it.
    void aCopyWrittenInTheBackgroundIsTheDesignOfItsStep() {
        Session s;
        s.main->recovery().setBackgroundThreshold(0);
        s.insertNose();
        for (int step = 1; step < 10; ++step)
            s.editFields();
        const Bytes atTenthStep = s.bytes();
        s.editFields();
        s.main->recovery().waitForWrites();
        QFile written(s.main->recovery().copyPath(s.window()->document()));
        QVERIFY(written.open(QIODevice::ReadOnly));
        const QByteArray bytes = written.readAll();
        QVERIFY(Bytes(bytes.begin(), bytes.end()) == atTenthStep);
        QVERIFY(atTenthStep != s.bytes());
    }

    // Bounded by memory, the history forgets its oldest steps: the newest stay exact, the
    // Undo caption stays, and a saved state among the steps kept stays the saved state.
    void theHistoryKeepsWithinItsMemory_data() {
        QTest::addColumn<int>("limitSteps"); // the bound, in steps of the first edit's size
        QTest::addColumn<int>("savedAt");    // the step after which the design is saved
        QTest::newRow("saved among the forgotten") << 4 << 2;
        QTest::newRow("saved among the kept") << 6 << 17;
        QTest::newRow("one step larger than the bound") << 0 << 0;
    }
    void theHistoryKeepsWithinItsMemory() {
        QFETCH(int, limitSteps);
        QFETCH(int, savedAt);
        Design design;
        test::BuildFullRocket(design);
        test::Settle(design);
        EditHistory history(design);
        std::vector<Bytes> after{EncodeDesign(design)};
        std::size_t bound = 0;
        constexpr int Steps = 20;
        for (int step = 1; step <= Steps; ++step) {
            TRocketElement& tube = *design.Elements[1];
            ElementFields fields = FieldsOf(tube);
            fields.length += 7; // moves everything behind the tube
            auto edit = ChangeFields(design, tube, fields);
            test::Settle(design);
            if (step == 1) {
                bound = std::size_t(limitSteps) * edit->memoryEstimate();
                history.setMemoryLimit(bound);
            }
            history.record(std::move(edit));
            after.push_back(EncodeDesign(design));
            if (step == savedAt)
                history.markSaved();
        }
        const int kept = history.stack().count();
        QVERIFY(kept >= 1 && kept < Steps);
        QVERIFY(history.memoryUsed() <= bound || kept == 1);
        QCOMPARE(history.stack().undoText(), history.stack().text(kept - 1));
        QCOMPARE(history.stack().index(), kept);
        for (int undone = 1; undone <= kept; ++undone) {
            history.stack().undo();
            QVERIFY(EncodeDesign(design) == after[std::size_t(Steps - undone)]);
            QCOMPARE(history.isModified(), Steps - undone != savedAt);
        }
        QVERIFY(!history.stack().canUndo());
        for (int redone = kept - 1; redone >= 0; --redone)
            history.stack().redo();
        QVERIFY(EncodeDesign(design) == after.back());
    }

    // A deletion keeps the subtree it took until it is forgotten, and that counts towards
    // the bound: a step that took a large subtree goes before a later small one.
    void aTakenSubtreeCountsTowardsTheBound() {
        Design design;
        test::BuildFullRocket(design);
        TRocketElement& tube = *design.Elements[1];
        for (int i = 0; i < 500; ++i)
            InsertElement(design, design.tree.nodeOf(&tube),
                          NewElement{"TStatecznik", DefaultFields("TStatecznik")});
        test::Settle(design);
        EditHistory history(design);
        history.setMemoryLimit(64 * 1024);
        history.record(DeleteSubtree(design, design.tree.nodeOf(&tube)));
        QCOMPARE(history.stack().count(), 1); // the newest step stays, however large
        TRocketElement& nose = *design.Elements[0];
        ElementFields fields = FieldsOf(nose);
        fields.length += 10;
        history.record(ChangeFields(design, nose, fields));
        QCOMPARE(history.stack().count(), 1);
        QVERIFY(history.memoryUsed() < 64 * 1024);
    }

    void anUnmodifiedDesignClosesWithoutAQuestion() {
        Session s;
        s.insertNose();
        Named<QAction>(*s.main, "AUndo").trigger();
        Named<QAction>(*s.main, "FileNew1").trigger();
        Named<QAction>(*s.main, "FileClose1").trigger();
        QVERIFY(s.interaction.questions.isEmpty());
        QVERIFY(Named<QMdiArea>(*s.main, "ClientArea").subWindowList().isEmpty());
    }
};

VANTOR_TEST_MAIN(TestUndo)
#include "tst_undo.moc"
