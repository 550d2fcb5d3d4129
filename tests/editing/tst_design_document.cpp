#include "editing/DesignDocument.h"
#include "editing/DesignEdits.h"
#include "support/TestMain.h"

#include <QSignalSpy>
#include <QTest>

using namespace vantor;

namespace {

// Records a nose cone as the design's first step.
void InsertNose(DesignDocument& document) {
    document.history().record(InsertElement(document.design(), nullptr,
                                            {"TGlowicaStozek", DefaultFields("TGlowicaStozek")}));
}

} // namespace

class TestDesignDocument : public QObject {
    Q_OBJECT

private slots:
    void captionAndNamesFollowTheNameAndTheModifiedState_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("display");
        QTest::addColumn<bool>("modified");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("base");
        const auto row = [](const char* name, const char* file, const char* display, bool modified,
                            const char* caption, const char* fileName, const char* base) {
            QTest::newRow(name) << QString(file) << QString(display) << modified << QString(caption)
                                << QString(fileName) << QString(base);
        };
        row("new", "", "", false, "New", "New", "New");
        row("new, changed", "", "", true, "New*", "New", "New");
        row("file", "/d/rocket.kfx", "", false, "/d/rocket.kfx", "rocket.kfx", "rocket");
        row("file, changed", "/d/rocket.v2.kfx", "", true, "/d/rocket.v2.kfx*", "rocket.v2.kfx",
            "rocket.v2");
        row("imported", "", "Rocket", true, "Rocket*", "Rocket", "Rocket");
        row("unreadable file", "", "/d/bad.ork", false, "/d/bad.ork", "bad.ork", "bad");
        row("no base name", "", ".kfx", false, ".kfx", ".kfx", ".kfx");
    }
    void captionAndNamesFollowTheNameAndTheModifiedState() {
        QFETCH(QString, file);
        QFETCH(QString, display);
        QFETCH(bool, modified);
        QFETCH(QString, caption);
        QFETCH(QString, fileName);
        QFETCH(QString, base);
        DesignDocument document;
        if (!display.isEmpty())
            document.setDisplayName(display);
        if (!file.isEmpty())
            document.setFilePath(file);
        if (modified)
            InsertNose(document);
        QCOMPARE(document.isModified(), modified);
        QCOMPARE(document.caption(), caption);
        QCOMPARE(document.fileName(), fileName);
        QCOMPARE(document.baseName(), base);
    }

    // The window's caption is set from the signal alone: every change of what it shows is
    // told once, with the caption to show, and nothing else is.
    void captionChangesAreToldOnceEach() {
        DesignDocument document;
        QSignalSpy told(&document, &DesignDocument::captionChanged);
        document.setDisplayName("New"); // as it was
        QCOMPARE(told.count(), 0);
        InsertNose(document);
        InsertNose(document); // a second step keeps it modified
        document.history().stack().undo();
        document.history().stack().undo(); // back to the start
        document.savedAs("/d/r.kfx");
        document.setFilePath("/d/r.kfx");  // as it was
        document.history().markModified(); // recovered
        const QStringList captions{"New*", "New", "/d/r.kfx", "/d/r.kfx*"};
        QCOMPARE(told.count(), captions.size());
        for (int i = 0; i < captions.size(); ++i)
            QCOMPARE(told.at(i).at(0).toString(), captions.at(i));
    }

    // Saving makes the file the design's and ends every kind of modified state: steps,
    // a recovered design, a save while a change was half made.
    void savingUnderANameMakesItTheDesignsFile() {
        DesignDocument document;
        InsertNose(document);
        document.history().markModified();
        document.history().leaveSavedState();
        document.savedAs("/d/one.kfx");
        QVERIFY(!document.isModified());
        QCOMPARE(document.filePath(), QString("/d/one.kfx"));
        QCOMPARE(document.displayName(), QString("/d/one.kfx"));
        document.history().stack().undo(); // before the save: modified again
        QVERIFY(document.isModified());
        QCOMPARE(document.caption(), QString("/d/one.kfx*"));
    }
};

VANTOR_TEST_MAIN(TestDesignDocument)
#include "tst_design_document.moc"
