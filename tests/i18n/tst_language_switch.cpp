#include "i18n/LanguageSwitch.h"
#include "support/ScriptedInteraction.h"

#include <QAction>
#include <QMenu>
#include <QtTest>

using namespace vantor;

class LanguageSwitchTest : public QObject {
    Q_OBJECT
private slots:
    void clicksInvertBothCheckMarks_data();
    void clicksInvertBothCheckMarks();
};

void LanguageSwitchTest::clicksInvertBothCheckMarks_data() {
    QTest::addColumn<bool>("polskaAtStart");
    QTest::addColumn<bool>("angielskaAtStart");
    QTest::addColumn<QString>("clicks"); // P: Polska1, A: Angielska1
    QTest::addColumn<bool>("polska");
    QTest::addColumn<bool>("angielska");
    QTest::newRow("Polska clicked once") << true << false << "P" << false << true;
    QTest::newRow("Polska clicked twice") << true << false << "PP" << true << false;
    QTest::newRow("Angielska clicked") << true << false << "A" << false << true;
    QTest::newRow("back to Polish") << false << true << "P" << true << false;
    QTest::newRow("one of each") << true << false << "AP" << true << false;
    QTest::newRow("both checked (hand-edited settings)") << true << true << "P" << false << false;
}

void LanguageSwitchTest::clicksInvertBothCheckMarks() {
    QFETCH(bool, polskaAtStart);
    QFETCH(bool, angielskaAtStart);
    QFETCH(QString, clicks);
    QFETCH(bool, polska);
    QFETCH(bool, angielska);

    QWidget mainWindow;
    QMenu menu("Wersja językowa@1609", &mainWindow);
    QAction* polskaItem = menu.addAction("Polska@1610");
    QAction* angielskaItem = menu.addAction("Angielska@1611");
    polskaItem->setCheckable(true);
    angielskaItem->setCheckable(true);
    polskaItem->setChecked(polskaAtStart);
    angielskaItem->setChecked(angielskaAtStart);
    test::ScriptedInteraction interaction;
    new LanguageSwitch(*polskaItem, *angielskaItem, interaction, &mainWindow);

    for (QChar click : clicks)
        (click == u'P' ? polskaItem : angielskaItem)->trigger(); // as a menu click does

    QCOMPARE(polskaItem->isChecked(), polska);
    QCOMPARE(angielskaItem->isChecked(), angielska);
    QCOMPARE(interaction.messages.size(), clicks.size());
    for (const auto& message : interaction.messages)
        QCOMPARE(message.text, QStringLiteral("Wymagane jest ponowne uruchomienie programu"));
}

QTEST_MAIN(LanguageSwitchTest)
#include "tst_language_switch.moc"
