// The file dialogs' memory: where they start, what they propose, the recent designs, and
// what File offers without a design.
#include "canvas/DesignWindow.h"
#include "shell/FileCommands.h"
#include "shell/FileHistory.h"
#include "support/DesignBuilder.h"
#include "support/Named.h"
#include "support/StartedProgram.h"
#include "support/TestMain.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QInputDialog>
#include <QMenu>
#include <QSettings>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

using namespace vantor;
using test::Named;

namespace {

// A started program whose file history starts empty.
struct Started : test::StartedProgram {
    QAction& action(const char* name) { return Named<QAction>(*main, name); }
    QMenu& recent() { return Named<QMenu>(*main, "RecentDesigns1"); }
    QStringList recentTexts() {
        QStringList texts;
        for (const QAction* item : recent().actions())
            texts << item->text();
        return texts;
    }
    void saveAs(const QString& path) {
        interaction.files.enqueue(path);
        action("FileSaveAs1").trigger();
    }
};

void ForgetFiles() {
    QSettings("Qendel", "Files").clear();
}

} // namespace

class TestFileHistory : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

private slots:
    void init() { ForgetFiles(); }

    void putFirstKeepsTheNewestFirstAndUnique_data() {
        QTest::addColumn<QStringList>("list");
        QTest::addColumn<QString>("item");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("new") << QStringList{"a", "b"} << "c" << QStringList{"c", "a", "b"};
        QTest::newRow("again") << QStringList{"a", "b", "c"} << "c" << QStringList{"c", "a", "b"};
        QTest::newRow("full") << QStringList{"1", "2", "3"} << "4" << QStringList{"4", "1", "2"};
    }
    void putFirstKeepsTheNewestFirstAndUnique() {
        QFETCH(QStringList, list);
        QFETCH(QString, item);
        QFETCH(QStringList, expected);
        QCOMPARE(PutFirst(list, item, 3), expected);
    }

    // Dialogs start in the documents folder, then where the user last read or wrote; a
    // new design is proposed under its name there.
    void dialogsStartWhereTheUserWorked() {
        const QString documents =
            QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        QVERIFY(QDir().mkpath(documents));
        Started s;
        QVERIFY(s.created);
        s.interaction.files.enqueue(QString());
        s.action("FileOpen1").trigger();
        QCOMPARE(s.interaction.openDirectories.last(), documents + '/');

        s.action("FileSave1").trigger(); // cancelled
        QCOMPARE(s.interaction.proposedNames.last(),
                 documents + '/' +
                     QFileInfo(s.window()->document().displayName()).completeBaseName() + ".kfx");

        const QString rocket = dir_.filePath("rocket.kfx");
        s.saveAs(rocket);
        QVERIFY(QFile::exists(rocket));
        s.interaction.files.enqueue(QString());
        s.action("FileOpen1").trigger();
        QCOMPARE(s.interaction.openDirectories.last(), dir_.path() + '/');

        // An export proposes the design's name with its own extension, and says what it
        // wrote in the status bar.
        s.interaction.dialogScripts.enqueue([](QDialog& dialog) {
            auto& list = dynamic_cast<QInputDialog&>(dialog);
            list.setTextValue(list.comboBoxItems().value(0));
            return int(QDialog::Accepted);
        });
        const QString pdf = dir_.filePath("printed.pdf");
        s.interaction.files.enqueue(pdf);
        s.action("FileExportPdf").trigger();
        QCOMPARE(s.interaction.proposedNames.last(), dir_.path() + "/rocket.pdf");
        QVERIFY(QFile::exists(pdf));
        QCOMPARE(s.main->statusBar()->currentMessage(), QString("Zapisano: printed.pdf"));
    }

    // Designs saved or opened are listed newest first, at most eight, and open from the
    // list; one that has gone leaves it after its message.
    void recentDesignsOpenFromTheFileMenu() {
        Started s;
        QVERIFY(s.created);
        QVERIFY(!s.recent().isEnabled());
        for (int i = 1; i <= 9; ++i)
            s.saveAs(dir_.filePath(QString("r%1.kfx").arg(i)));
        QCOMPARE(s.recentTexts().size(), int(FileHistory::MaxRecent));
        QCOMPARE(s.recentTexts().first(), QString("&1 r9.kfx"));
        QCOMPARE(s.recentTexts().last(), QString("&8 r2.kfx"));
        QVERIFY(s.recent().isEnabled());

        // Kept for the next run.
        QCOMPARE(FileHistory().recent().first(), dir_.filePath("r9.kfx"));

        s.recent().actions().at(3)->trigger(); // r6
        QCOMPARE(s.window()->document().filePath(), dir_.filePath("r6.kfx"));
        QCOMPARE(s.recentTexts().first(), QString("&1 r6.kfx"));

        QVERIFY(QFile::remove(dir_.filePath("r5.kfx")));
        const int messages = s.interaction.messages.size();
        s.recent().actions().at(4)->trigger(); // r5, gone
        QCOMPARE(s.interaction.messages.size(), messages + 1);
        QVERIFY(!s.recentTexts().join(' ').contains("r5.kfx"));
        QCOMPARE(s.recentTexts().size(), int(FileHistory::MaxRecent) - 1);
    }

    // Without a design there is nothing to save or export.
    void savingNeedsADesign() {
        Started s;
        QVERIFY(s.created);
        for (const char* name : {"FileSave1", "FileSaveAs1", "FileExport3d", "FileExportPdf"})
            QVERIFY2(s.action(name).isEnabled(), name);
        s.action("FileCloseAll").trigger();
        for (const char* name : {"FileSave1", "FileSaveAs1", "FileExport3d", "FileExportPdf"})
            QVERIFY2(!s.action(name).isEnabled(), name);
        s.action("FileNew1").trigger();
        QVERIFY(s.action("FileSave1").isEnabled());
    }
};

VANTOR_TEST_MAIN(TestFileHistory)
#include "tst_file_history.moc"
