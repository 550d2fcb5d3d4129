#include "ProgramRun.h"
#include "shell/AboutBox.h"
#include "shell/HelpWindow.h"
#include "shell/Manual.h"
#include "support/TestMain.h"

#include <QDirIterator>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextBrowser>
#include <QtTest>

using namespace vantor;
using namespace vantor::test;

namespace {

// The manual the build copied beside the program (the tests lie one folder below it).
QString BuiltManual() {
    return FindManualFolder(QCoreApplication::applicationDirPath() + "/..");
}

// Every link and every picture of the document shown, as written in the page.
struct PageRefs {
    QStringList links;
    QStringList pictures;
};

PageRefs RefsOf(const QTextDocument& document) {
    PageRefs refs;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (format.isImageFormat())
                refs.pictures << format.toImageFormat().name();
            else if (format.isAnchor() && !format.anchorHref().isEmpty())
                refs.links << format.anchorHref();
        }
    return refs;
}

void Write(const QString& path) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("<html></html>");
}

} // namespace

class TestHelp : public QObject {
    Q_OBJECT

private slots:
    void helpOpensInTheProgramsLanguage_data() {
        QTest::addColumn<int>("pol");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("heading");
        QTest::addColumn<QString>("back");
        QTest::newRow("Polish") << 1 << "Pomoc do programu"
                                << "/pl/index.html"
                                << "Spis treści"
                                << "Wstecz";
        QTest::newRow("English") << 0 << "Program help"
                                 << "/en/index.html"
                                 << "Contents"
                                 << "Back";
    }

    void helpOpensInTheProgramsLanguage() {
        QFETCH(int, pol);
        QFETCH(QString, caption);
        QFETCH(QString, page);
        QFETCH(QString, heading);
        QFETCH(QString, back);
        QVERIFY2(!BuiltManual().isEmpty(), "the build put no manual beside the program");
        QSettings("Qendel", "CAD").setValue("Pol", pol);
        const auto restore = qScopeGuard([] { QSettings("Qendel", "CAD").remove("Pol"); });
        ProgramRun run(QCoreApplication::applicationDirPath() + "/..");
        QVERIFY(run.created);

        Named<QAction>(*run.main, "Pomocdoprogramu1").trigger();
        auto& window = Named<HelpWindow>(*run.main, "HelpWindow");
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.windowTitle(), caption);
        QCOMPARE(Named<QPushButton>(window, "bHelpBack").text(), back);
        auto& browser = Named<QTextBrowser>(window, "HelpBrowser");
        QVERIFY(browser.source().toLocalFile().endsWith(page));
        QVERIFY(browser.toPlainText().contains(heading));
        // A page of the contents, and back again with the window's button.
        const PageRefs refs = RefsOf(*browser.document());
        QVERIFY(!refs.links.isEmpty());
        browser.setSource(browser.source().resolved(QUrl(refs.links.first())));
        QVERIFY(!browser.source().toLocalFile().endsWith(page));
        QTest::mouseClick(&Named<QPushButton>(window, "bHelpBack"), Qt::LeftButton);
        QVERIFY(browser.source().toLocalFile().endsWith(page));

        // The about box's link goes to the same manual, in the same language.
        auto* about = run.main->findChild<TAboutBox*>();
        QVERIFY(about != nullptr);
        QCOMPARE(about->address(), window.contentsPage());
        QVERIFY(QFileInfo(about->address().toLocalFile()).isFile());
    }

    void everyLinkLeadsToAPageAndEveryPictureExists_data() {
        QTest::addColumn<int>("language");
        QTest::newRow("pl") << int(Language::Polish);
        QTest::newRow("en") << int(Language::English);
    }

    void everyLinkLeadsToAPageAndEveryPictureExists() {
        QFETCH(int, language);
        const QString manual = BuiltManual();
        QVERIFY(!manual.isEmpty());
        ScriptedInteraction interaction;
        LanguageSession session(interaction, QCoreApplication::applicationDirPath() + "/..");
        HelpWindow window(session, Language(language), manual);
        QVERIFY(window.FormCreate());
        window.showManual();
        QTextBrowser& browser = *window.HelpBrowser;

        // Every page reached from the contents, through the window's own browser.
        QStringList toVisit{window.contentsPage().toLocalFile()};
        QSet<QString> visited;
        int pictures = 0;
        while (!toVisit.isEmpty()) {
            const QString page = QFileInfo(toVisit.takeFirst()).canonicalFilePath();
            if (visited.contains(page))
                continue;
            visited.insert(page);
            browser.setSource(QUrl::fromLocalFile(page));
            QVERIFY2(!browser.document()->metaInformation(QTextDocument::DocumentTitle).isEmpty(),
                     qPrintable(page));
            const PageRefs refs = RefsOf(*browser.document());
            for (const QString& link : refs.links) {
                const QUrl target = browser.source().resolved(QUrl(link));
                if (!target.isLocalFile())
                    continue; // the web: opened by the system's browser
                const QString file = target.toLocalFile();
                QVERIFY2(QFileInfo(file).isFile(), qPrintable(page + " -> " + link));
                // Pages link only within their own language.
                QCOMPARE(QFileInfo(file).canonicalPath(), QFileInfo(page).canonicalPath());
                toVisit << file;
            }
            for (const QString& picture : refs.pictures) {
                const QUrl target = browser.source().resolved(QUrl(picture));
                QVERIFY2(!QImage(target.toLocalFile()).isNull(),
                         qPrintable(page + " -> " + picture));
                const QVariant shown = browser.loadResource(QTextDocument::ImageResource, target);
                QVERIFY2(shown.isValid(), qPrintable(picture));
                ++pictures;
            }
        }
        // Every page of the language is reached, and the manual is illustrated.
        const QString folder = manual + '/' + ManualLanguageFolder(Language(language));
        QDirIterator pages(folder, {"*.html"}, QDir::Files);
        int count = 0;
        while (pages.hasNext()) {
            const QString page = QFileInfo(pages.next()).canonicalFilePath();
            QVERIFY2(visited.contains(page), qPrintable(page + " is not linked"));
            ++count;
        }
        QCOMPARE_GE(count, 5);
        QCOMPARE_GE(pictures, count - 1);
    }

    void bothLanguagesHaveTheSamePages() {
        const QString manual = BuiltManual();
        QVERIFY(!manual.isEmpty());
        QCOMPARE(QDir(manual + "/pl").entryList({"*.html"}, QDir::Files, QDir::Name),
                 QDir(manual + "/en").entryList({"*.html"}, QDir::Files, QDir::Name));
    }

    void manualIsFoundBesideTheProgramOrWhereItIsInstalled_data() {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("found");
        const QStringList both{"pl/index.html", "en/index.html"};
        QStringList beside, installed, oneLanguage;
        for (const QString& f : both) {
            beside << "build/help/" + f;
            installed << "usr/share/vantor/help/" + f;
        }
        oneLanguage << "build/help/pl/index.html";
        QTest::newRow("build folder") << beside << "build"
                                      << "build/help";
        QTest::newRow("installed") << installed << "usr/lib/vantor"
                                   << "usr/share/vantor/help";
        QTest::newRow("beside wins") << beside + installed << "build"
                                     << "build/help";
        QTest::newRow("one language only") << oneLanguage << "build"
                                           << "";
        QTest::newRow("nothing") << QStringList() << "usr/lib/vantor"
                                 << "";
    }

    void manualIsFoundBesideTheProgramOrWhereItIsInstalled() {
        QFETCH(QStringList, files);
        QFETCH(QString, program);
        QFETCH(QString, found);
        QTemporaryDir root;
        QVERIFY(root.isValid());
        for (const QString& file : files)
            Write(root.filePath(file));
        QDir().mkpath(root.filePath(program));
        const QString folder = FindManualFolder(root.filePath(program));
        QCOMPARE(folder, found.isEmpty() ? QString() : QDir::cleanPath(root.filePath(found)));
        QCOMPARE(ManualPage(folder, Language::English).isEmpty(), found.isEmpty());
        if (!found.isEmpty())
            QCOMPARE(ManualPage(folder, Language::English, "stability.html").toLocalFile(),
                     folder + "/en/stability.html");
    }

    void missingManualIsSaidInTheWindow() {
        ScriptedInteraction interaction;
        LanguageSession session(interaction, QCoreApplication::applicationDirPath() + "/..");
        HelpWindow window(session, Language::Polish, QString());
        QVERIFY(window.FormCreate());
        window.showManual();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(window.HelpBrowser->toPlainText().contains("Nie znaleziono podręcznika"));
        QVERIFY(window.contentsPage().isEmpty());
    }
};

VANTOR_TEST_MAIN(TestHelp)
#include "tst_help.moc"
