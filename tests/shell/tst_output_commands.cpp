// The File menu's print and export commands, driven through the scripted dialogs.
#include "canvas/DesignWindow.h"
#include "designfile/DesignFile.h"
#include "model/FinSet.h"
#include "shell/MainWindow.h"
#include "support/DesignBuilder.h"
#include "support/Named.h"
#include "support/StartedProgram.h"
#include "support/TestMain.h"

#include <QAction>
#include <QFile>
#include <QInputDialog>
#include <QMenu>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using namespace vantor;
using test::Named;

namespace {

struct Started : test::StartedProgram {
    Started() {
        if (!created)
            return;
        test::DesignBuilder build(window()->design());
        auto& tube = build.attach("TKorpus", build.nose("TGlowicaStozek", 120, 40));
        auto& fins = build.attach<TStatecznik>("TStatecznik", tube);
        fins.FinA = 50;
        fins.FinD = 40;
        fins.FinC = 20;
        for (const auto& element : design().Elements)
            element->Weight = 10; // weightless rockets have no centre of gravity
        window()->Redraw();
    }
    QAction* action(const char* name) { return main->findChild<QAction*>(name); }
    // Answers the next list dialog with its item `index`.
    void choose(int index) {
        interaction.dialogScripts.enqueue([index](QDialog& dialog) {
            auto& list = dynamic_cast<QInputDialog&>(dialog);
            list.setTextValue(list.comboBoxItems().value(index));
            return int(QDialog::Accepted);
        });
    }
};

// Columns of the first page the preview shows, at a zoom of 1, where a dark stretch is
// more than `pixels` high: a line along the page crossed by a column, as thick as it
// shows. Only the band of the page with the rocket counts: above it the page's label,
// below it the calibration bar (a filled bar 3 mm high).
int ThickCrossings(QPrintPreviewWidget& preview, int pixels) {
    preview.setZoomMode(QPrintPreviewWidget::CustomZoom);
    preview.setZoomFactor(1);
    preview.setCurrentPage(1);
    QCoreApplication::processEvents();
    const QImage shot = preview.grab().toImage().convertToFormat(QImage::Format_RGB32);
    int crossings = 0;
    for (int x = 0; x < shot.width(); ++x) {
        int run = 0;
        for (int y = shot.height() / 5; y < shot.height() / 2; ++y) {
            run = qGray(shot.pixel(x, y)) < 128 ? run + 1 : 0;
            if (run == pixels + 1)
                ++crossings;
        }
    }
    return crossings;
}

QByteArray Read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestOutputCommands : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

private slots:
    void exportsWriteTheChosenOutput_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QList<int>>("choices");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QByteArray>("contains");
        QTest::newRow("PDF, A3 landscape") << "FileExportPdf" << QList<int>{5} << "rocket"
                                           << QByteArray("/MediaBox [0 0 1190.551181 841.889764]");
        QTest::newRow("SVG side view")
            << "FileExportSvg" << QList<int>{0} << "side.svg" << QByteArray("viewBox=");
        // Templates on a laser bed, texts as outlines: one sheet, no text elements.
        QTest::newRow("SVG templates")
            << "FileExportSvg" << QList<int>{1, 3, 1} << "cut"
            << QByteArray("<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" "
                          "width=\"600.000mm\" height=\"400.000mm\"");
    }
    void exportsWriteTheChosenOutput() {
        QFETCH(QString, command);
        QFETCH(QList<int>, choices);
        QFETCH(QString, typed);
        QFETCH(QByteArray, contains);
        Started s;
        QVERIFY(s.created);
        for (int choice : choices)
            s.choose(choice);
        s.interaction.files.enqueue(dir_.filePath(typed));
        s.action(command.toLatin1())->trigger();
        QVERIFY(s.interaction.messages.isEmpty());
        const QString suffix = command.endsWith("Pdf") ? ".pdf" : ".svg";
        const QString written =
            typed.contains('.') ? dir_.filePath(typed) : dir_.filePath(typed + suffix);
        QVERIFY2(Read(written).contains(contains), qPrintable(written));
        if (choices.size() == 3) // texts as outlines
            QVERIFY(!Read(written).contains("<text") && Read(written).contains("class=\"text\""));
    }

    // On A4 the 514 mm marking guide gets a sheet of its own: one file a sheet, and the
    // user is told which template needed the larger sheet.
    void templatesOnSeveralSheetsAreNumberedAndTheLargeOneIsNamed() {
        Started s;
        QVERIFY(s.created);
        for (int choice : {1, 0, 0})
            s.choose(choice);
        s.interaction.files.enqueue(dir_.filePath("a4.svg"));
        s.action("FileExportSvg")->trigger();
        QCOMPARE(s.interaction.messages.size(), 1);
        // The program speaks Polish unless told otherwise.
        QVERIFY(s.interaction.messages[0].text.contains(
            QString::fromUtf8("Wzornik rozmieszczenia stateczników")));
        QVERIFY(Read(dir_.filePath("a4-1.svg")).contains("width=\"210.000mm\""));
        QVERIFY(Read(dir_.filePath("a4-2.svg")).contains("id=\"guide-1\""));
        QVERIFY(!QFile::exists(dir_.filePath("a4.svg")));
    }

    void unwritableExportIsReportedAndLeavesNoFile() {
        Started s;
        QVERIFY(s.created);
        s.choose(0);
        const QString path = dir_.filePath("no/such/folder/out.pdf");
        s.interaction.files.enqueue(path);
        s.action("FileExportPdf")->trigger();
        QCOMPARE(s.interaction.messages.size(), 1);
        QCOMPARE(s.interaction.messages[0].caption, QString::fromUtf8(WriteErrorCaption));
        QVERIFY(s.interaction.messages[0].text.startsWith(path + '\n'));
        QVERIFY(!QFile::exists(path));
    }

    // The export choosers speak the program's language: never a raw "Papier@1756".
    void choosersSpeakTheProgramsLanguage_data() {
        QTest::addColumn<int>("pol");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("firstItem");
        QTest::newRow("Polish") << 1 << "Papier"
                                << "A4, pionowo";
        QTest::newRow("English") << 0 << "Paper"
                                 << "A4, portrait";
    }
    void choosersSpeakTheProgramsLanguage() {
        QFETCH(int, pol);
        QFETCH(QString, title);
        QFETCH(QString, firstItem);
        QSettings("Qendel", "CAD").setValue("Pol", pol);
        const auto restore = qScopeGuard([] { QSettings("Qendel", "CAD").remove("Pol"); });
        Started s;
        QVERIFY(s.created);
        QString shownTitle;
        QStringList shownItems;
        s.interaction.dialogScripts.enqueue([&](QDialog& dialog) {
            auto& list = dynamic_cast<QInputDialog&>(dialog);
            shownTitle = list.labelText();
            shownItems = list.comboBoxItems();
            return int(QDialog::Rejected);
        });
        s.action("FileExportPdf")->trigger();
        QCOMPARE(shownTitle, title);
        QCOMPARE(shownItems.value(0), firstItem);
        QVERIFY2(!shownItems.join(' ').contains('@'), qPrintable(shownItems.join(" | ")));
    }

    // What the files say is in the program's language too: template titles and texts.
    void exportsSpeakTheProgramsLanguage_data() {
        QTest::addColumn<int>("pol");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("material");
        QTest::newRow("Polish") << 1 << "Stateczniki &quot;"
                                << "materiał: ";
        QTest::newRow("English") << 0 << "Fin set &quot;"
                                 << "material: ";
    }
    void exportsSpeakTheProgramsLanguage() {
        QFETCH(int, pol);
        QFETCH(QString, title);
        QFETCH(QString, material);
        QSettings("Qendel", "CAD").setValue("Pol", pol);
        const auto restore = qScopeGuard([] { QSettings("Qendel", "CAD").remove("Pol"); });
        Started s;
        QVERIFY(s.created);
        for (int item : {1, 0, 0}) // templates, A4, texts as text
            s.choose(item);
        const QString path = dir_.filePath(QStringLiteral("language-%1.svg").arg(pol));
        s.interaction.files.enqueue(path);
        s.action("FileExportSvg")->trigger();
        // The marking guide takes a sheet of its own; the fins are on the first.
        const QString svg =
            QString::fromUtf8(Read(dir_.filePath(QStringLiteral("language-%1-1.svg").arg(pol))));
        QVERIFY2(svg.contains(title), qPrintable(svg.left(400)));
        QVERIFY(svg.contains(material));
        QVERIFY(!svg.contains('@'));
    }

    // A refusal of the core is said in the program's language, its numbers kept.
    void refusalsSpeakTheProgramsLanguage_data() {
        QTest::addColumn<int>("pol");
        QTest::addColumn<QString>("expected");
        QTest::newRow("Polish") << 1 << QString::fromUtf8("wydruk zająłby ");
        QTest::newRow("English") << 0 << "the output would take ";
    }
    void refusalsSpeakTheProgramsLanguage() {
        QFETCH(int, pol);
        QFETCH(QString, expected);
        QSettings("Qendel", "CAD").setValue("Pol", pol);
        const auto restore = qScopeGuard([] { QSettings("Qendel", "CAD").remove("Pol"); });
        Started s;
        QVERIFY(s.created);
        s.design().Elements.front()->Length = 1e7f; // a nose ten kilometres long
        s.window()->Redraw();
        s.choose(0);
        const QString path = dir_.filePath(QStringLiteral("refused-%1.pdf").arg(pol));
        s.interaction.files.enqueue(path);
        s.action("FileExportPdf")->trigger();
        QCOMPARE(s.interaction.messages.size(), 1);
        const QString text = s.interaction.messages[0].text;
        QVERIFY2(text.startsWith(path + '\n' + expected), qPrintable(text));
        QVERIFY(text.contains(QRegularExpression("\\d{4,}")));
        QVERIFY(!QFile::exists(path));
    }

    void cancelledDialogsWriteNothing() {
        Started s;
        QVERIFY(s.created);
        s.action("FileExportSvg")->trigger(); // the choice is cancelled
        s.choose(0);
        s.action("FileExportPdf")->trigger(); // the file dialog is cancelled
        QCOMPARE(s.interaction.dialogsRun, 2);
        QCOMPARE(s.interaction.proposedNames.size(), 1);
        QVERIFY(s.interaction.messages.isEmpty());
    }

    void printPrintsThePagesOnThePrinterChosen() {
        Started s;
        QVERIFY(s.created);
        const QString pdf = dir_.filePath("printed.pdf");
        s.interaction.dialogScripts.enqueue([&pdf](QDialog& dialog) {
            QPrinter* printer = dynamic_cast<QPrintDialog&>(dialog).printer();
            printer->setOutputFormat(QPrinter::PdfFormat);
            printer->setOutputFileName(pdf);
            return int(QDialog::Accepted);
        });
        Named<QAction>(*s.main, "FilePrint").trigger();
        QVERIFY(s.interaction.messages.isEmpty());
        const QByteArray bytes = Read(pdf);
        QVERIFY(bytes.startsWith("%PDF"));
        // Side view, templates and parts list.
        QVERIFY(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") +
                    bytes.count("/Type /Page ") + bytes.count("/Type /Page>") >=
                3);
    }

    void printPreviewDrawsLinesAsThinAsThePrint() {
        Started s;
        QVERIFY(s.created);
        int thick = -1;
        s.interaction.dialogScripts.enqueue([&](QDialog& dialog) {
            dialog.resize(900, 1050);
            dialog.show();
            if (!QTest::qWaitForWindowExposed(&dialog))
                return int(QDialog::Rejected);
            if (auto* preview = dialog.findChild<QPrintPreviewWidget*>())
                thick = ThickCrossings(*preview, 4);
            return int(QDialog::Accepted);
        });
        Named<QAction>(*s.main, "FilePrintPreview").trigger();
        QVERIFY(thick >= 0);
        // On paper the lines are a quarter of a millimetre: a pixel at this zoom.
        QCOMPARE_LT(thick, 50);
    }
};

VANTOR_TEST_MAIN(TestOutputCommands)
#include "tst_output_commands.moc"
