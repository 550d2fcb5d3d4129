#include "i18n/MessagePatterns.h"

#include <QTest>

using namespace vantor;

class TestMessagePatterns : public QObject {
    Q_OBJECT

private slots:
    void messagesAreSaidInTheGivenLanguage_data() {
        QTest::addColumn<QString>("english");
        QTest::addColumn<QString>("said");
        QTest::newRow("fixed text") << "the pages cannot be written"
                                    << "nie można zapisać stron";
        QTest::newRow("values carried")
            << "the output would take 900 pages, more than the limit of 500"
            << "wydruk zająłby 900 stron, więcej niż limit 500";
        QTest::newRow("values reordered") << "the STL output would take about 120 MB"
                                          << "120 MB w pliku STL";
        QTest::newRow("a value holding a placeholder") << "the %2 output would take about 7 MB"
                                                       << "7 MB w pliku %2";
        QTest::newRow("only a beginning matches: unchanged")
            << "the pages cannot be written: disk full"
            << "the pages cannot be written: disk full";
        QTest::newRow("unknown: unchanged") << "cannot write the file: No space left on device"
                                            << "cannot write the file: No space left on device";
        QTest::newRow("empty") << ""
                               << "";
    }
    void messagesAreSaidInTheGivenLanguage() {
        QFETCH(QString, english);
        QFETCH(QString, said);
        const std::vector<MessagePattern> patterns{
            {"the pages cannot be written", "nie można zapisać stron"},
            {"the output would take %1 pages, more than the limit of %2",
             "wydruk zająłby %1 stron, więcej niż limit %2"},
            {"the %1 output would take about %2 MB", "%2 MB w pliku %1"},
        };
        QCOMPARE(TranslatedMessage(english, patterns), said);
    }
};

QTEST_GUILESS_MAIN(TestMessagePatterns)
#include "tst_message_patterns.moc"
