// The program's real message boxes, closed from a timer as soon as they show.
#include "shell/QtInteraction.h"
#include "support/TestMain.h"

#include <QApplication>
#include <QMessageBox>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

using namespace vantor;

namespace {

// The title a window manager gets for a window: its WM_NAME property, as xprop reads it.
QString WindowSystemTitle(QWidget& window) {
    QProcess xprop;
    xprop.start("xprop", {"-id", QString::number(window.winId()), "WM_NAME"});
    if (!xprop.waitForFinished(5000))
        return "(no xprop)";
    const QString out = QString::fromUtf8(xprop.readAllStandardOutput());
    const QRegularExpressionMatch m = QRegularExpression(R"re(= "(.*)"\s*$)re").match(out);
    return m.hasMatch() ? m.captured(1) : "(no title: " + out + ")";
}

} // namespace

class TestQtInteraction : public QObject {
    Q_OBJECT

private slots:
    void boxTitles_data() {
        QTest::addColumn<bool>("question");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("title");
        // A window without a title would be given the program's name by Qt: the
        // question without a caption ("Delete elements?") shows a blank one instead.
        QTest::newRow("question without a caption") << true << QString() << " ";
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
        QString systemTitle = "(no box)";
        QTimer::singleShot(0, [&shownTitle, &systemTitle] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                shownTitle = box->windowTitle();
                systemTitle = WindowSystemTitle(*box);
                box->reject();
            }
        });
        QtInteraction interaction;
        if (question)
            interaction.askYesNo(nullptr, "Delete elements?", caption);
        else
            interaction.showMessage(nullptr, "Not allowed", caption, Interaction::Icon::None);
        QCOMPARE(shownTitle, title);
        QCOMPARE(systemTitle, title);
    }
};

VANTOR_TEST_MAIN(TestQtInteraction)
#include "tst_qt_interaction.moc"
