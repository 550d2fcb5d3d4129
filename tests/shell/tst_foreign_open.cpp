// Opening the designs of other programs from the File menu and from the command line.
#include "canvas/DesignWindow.h"
#include "editing/EditHistory.h"
#include "model/Design.h"
#include "shell/ForeignDesigns.h"
#include "support/Named.h"
#include "support/StartedProgram.h"
#include "support/TestMain.h"

#include <QLabel>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QSettings>
#include <QTemporaryDir>

using namespace vantor;

namespace {

const char* const Rocket = R"(<openrocket version="1.9"><rocket><name>R</name><subcomponents><stage>
<subcomponents><nosecone><name>Nose</name><material type="bulk" density="1000">p</material><length>0.1</length>
<thickness>0.001</thickness><shape>conical</shape><aftradius>0.02</aftradius></nosecone>
<bodytube><name>Tube</name><material type="bulk" density="1000">p</material><length>0.3</length>
<thickness>0.001</thickness><radius>0.02</radius><subcomponents><masscomponent><name>Wadding</name>
<mass>0.01</mass><packedlength>0.02</packedlength></masscomponent></subcomponents></bodytube>
</subcomponents></stage></subcomponents></rocket></openrocket>)";

QString Write(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    QFile file(dir.filePath(name));
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write(bytes);
    return file.fileName();
}

QAction* Action(test::StartedProgram& s, const char* name) {
    return s.main->findChild<QAction*>(name);
}

} // namespace

class ForeignOpenTest : public QObject {
    Q_OBJECT

private slots:
    // File > Open offers every design first; an .ork opens as a new unsaved design named
    // after its source, and the report is shown in the program's language.
    void openOffersAndImportsForeignDesigns() {
        test::StartedProgram s;
        QVERIFY(s.created);
        QTemporaryDir dir;
        const QString source = Write(dir, "Rocket.ork", Rocket);
        s.interaction.files.enqueue(source);
        QString shownTitle, shownLabel, shownText;
        s.interaction.dialogScripts.enqueue([&](QDialog& dialog) {
            shownTitle = dialog.windowTitle();
            shownLabel = test::Named<QLabel>(dialog, "LabelImportReport").text();
            shownText = test::Named<QPlainTextEdit>(dialog, "MemoImportReport").toPlainText();
            return int(QDialog::Accepted);
        });
        Action(s, "FileOpen1")->trigger();
        QVERIFY(s.interaction.filters.value(0).startsWith("All designs (*.kfx *.ork *.rkt)"));
        QCOMPARE(s.interaction.dialogsRun, 1);
        QCOMPARE(shownTitle, QString("Raport importu"));
        QVERIFY(shownLabel.startsWith(QString::fromUtf8("Części pominięte")));
        QVERIFY2(
            shownText.contains(QString::fromUtf8("przybliżono: Wadding: narysowana jako obciążenie "
                                                 "w swoim środku ciężkości (10,0 g)")),
            qPrintable(shownText));
        QVERIFY(s.interaction.messages.isEmpty());
        QVERIFY(s.design().Elements.size() >= 3);
        TMDIChild* window = s.window();
        QCOMPARE(window->document().filePath(), QString());
        QCOMPARE(window->document().displayName(), QString("Rocket"));
        QVERIFY(window->history().isModified());

        // Save asks for a name; an .ork name becomes a design file beside it, and the
        // source stays as it was.
        s.interaction.files.enqueue(dir.filePath("Rocket.ork"));
        Action(s, "FileSave1")->trigger();
        QCOMPARE(s.interaction.proposedNames.size(), 1);
        QVERIFY(QFile::exists(dir.filePath("Rocket.kfx")));
        QFile kept(source);
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), QByteArray(Rocket));
        QCOMPARE(window->document().filePath(), dir.filePath("Rocket.kfx"));
    }

    // The report is shown in the language chosen when its form is translated: every line
    // in Polish, and in English exactly the lines the command-line tool prints; switching
    // the language and translating the form again switches every line.
    void reportFollowsTheLanguage() {
        QTemporaryDir dir;
        Design design;
        const ImportResult imported =
            ImportForeignDesign(Write(dir, "Rocket.ork", Rocket).toStdString(), design, {});
        QVERIFY(imported.ok);
        ImportReport report = imported.report;
        report.entries.push_back(
            {"Nose",
             ImportEvent::NoseShapeNearest,
             {ImportArg::Word(ImportWord::Haack), ImportArg::Word(ImportWord::Ogive)},
             25.26,
             false});
        report.entries.push_back({"Pod", ImportEvent::Pods, {}, 0, true});
        test::ScriptedInteraction interaction;
        LanguageSession language(interaction, QCoreApplication::applicationDirPath() + "/..");
        QSettings settings("Qendel", "CAD");
        settings.setValue("Pol", 1);
        settings.sync();
        TFormImportReport form(language, report);
        const auto shownLines = [&form] {
            QStringList lines = form.MemoImportReport->toPlainText().split(QLatin1Char('\n'));
            lines.removeFirst(); // the source and the rocket's name
            return lines;
        };
        const QStringList polish{
            QString::fromUtf8("pominięto: Pod: gondole pominięte"),
            QString::fromUtf8(
                "przybliżono: Nose: waga podzielona z obciążeniem 0,1 g w odległości 100,0 mm od "
                "wierzchołka, aby środek ciężkości głowicy był taki jak w źródle (6,0 g)"),
            QString::fromUtf8("przybliżono: Wadding: narysowana jako obciążenie w swoim środku "
                              "ciężkości (10,0 g)"),
            QString::fromUtf8(
                "przybliżono: Nose: głowica o kształcie „szereg Haacka” narysowana jako najbliższa "
                "głowica o kształcie „ostrołuk” (ten sam środek parcia i objętość, na ile to "
                "możliwe) "
                "(25,3 g)")};
        QCOMPARE(shownLines(), polish);
        QCOMPARE(form.windowTitle(), QString("Raport importu"));

        settings.setValue("Pol", 0);
        settings.sync();
        QVERIFY(form.Retranslate());
        QStringList english;
        for (const std::string& line : ImportReportLines(report))
            english << QString::fromStdString(line);
        QCOMPARE(shownLines(), english);
        QCOMPARE(form.windowTitle(), QString("Import report"));
        QCOMPARE(form.LabelImportReport->text(),
                 QString("Parts left out or approximated, with their mass:"));

        settings.setValue("Pol", 1);
        settings.sync();
        QVERIFY(form.Retranslate());
        QCOMPARE(shownLines(), polish);
        settings.remove("Pol");
    }

    // A damaged file is reported with its name and the cause; no report dialog follows.
    void damagedFilesAreReported_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("cause");
        QTest::newRow("damaged zip") << "bad.ork" << QByteArray("PK\x03\x04...") << "zip";
        QTest::newRow("not RockSim") << "bad.rkt" << QByteArray("<svg/>") << "not a RockSim design";
    }
    void damagedFilesAreReported() {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, cause);
        test::StartedProgram s;
        QVERIFY(s.created);
        QTemporaryDir dir;
        const QString file = Write(dir, name, bytes);
        s.main->findChild<QAction*>("FileOpen1");
        s.interaction.files.enqueue(file);
        Action(s, "FileOpen1")->trigger();
        QCOMPARE(s.interaction.messages.size(), 1);
        QVERIFY(s.interaction.messages[0].text.contains(name));
        QVERIFY2(s.interaction.messages[0].text.contains(cause),
                 qPrintable(s.interaction.messages[0].text));
        QCOMPARE(s.interaction.dialogsRun, 0);
        QVERIFY(s.design().Elements.empty());
    }
};

VANTOR_TEST_MAIN(ForeignOpenTest)
#include "tst_foreign_open.moc"
