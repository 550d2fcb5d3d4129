// The program's real message boxes, closed from a timer as soon as they show.
#include "shell/QtInteraction.h"
#include "support/TestMain.h"

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

using namespace vantor;

class TestQtInteraction : public QObject {
    Q_OBJECT

private slots:
    void boxTitles_data() {
        QTest::addColumn<bool>("question");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("title");
        QTest::newRow("question without a caption") << true << QString() << QString();
        QTest::newRow("question with a caption") << true << "Pytanie"
                                                 << "Pytanie";
        QTest::newRow("message without a caption") << false << QString() << "Vantor";
        QTest::newRow("message with a caption") << false << "uwaga !"
                                                << "uwaga !";
    }
    void boxTitles() {
        QFETCH(bool, question);
        QFETCH(QString, caption);
        QFETCH(QString, title);
        QApplication::setApplicationName("Vantor");
        QString shownTitle = "(no box)";
        QTimer::singleShot(0, [&shownTitle] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                shownTitle = box->windowTitle();
                box->reject();
            }
        });
        QtInteraction interaction;
        if (question)
            interaction.askYesNo(nullptr, "Delete elements?", caption);
        else
            interaction.showMessage(nullptr, "Not allowed", caption, Interaction::Icon::None);
        QCOMPARE(shownTitle, title);
    }
};

VANTOR_TEST_MAIN(TestQtInteraction)
#include "tst_qt_interaction.moc"
