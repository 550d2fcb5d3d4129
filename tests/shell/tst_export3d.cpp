#include "mesh/MeshFiles.h"
#include "shell/Export3d.h"
#include "support/DesignBuilder.h"
#include "support/Named.h"
#include "support/StartedProgram.h"
#include "support/TestMain.h"

#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QMenu>
#include <QTemporaryDir>

using namespace vantor;
using test::Named;

namespace {

struct Started : test::StartedProgram {
    Started() {
        QVERIFY(created);
        test::DesignBuilder build(design());
        TRocketElement& nose = build.nose("TGlowicaStozek", 100, 40);
        build.attach("TKorpus", nose).DiameterA = 40;
        // The summary of this weightless design fails; that message is not the export's.
        window()->Redraw();
        interaction.messages.clear();
    }
    QAction* command() const { return main->findChild<QAction*>("FileExport3d"); }
    // Queues the layout dialog's answer: 0 assembled, 1 parts; -1 cancels it.
    void answerLayout(int choice) {
        interaction.dialogScripts.enqueue([choice](QDialog& shown) {
            auto& dialog = static_cast<TFormExport3d&>(shown);
            if (choice < 0)
                return int(QDialog::Rejected);
            dialog.cbLayout3d->setCurrentIndex(choice);
            return int(QDialog::Accepted);
        });
    }
};

} // namespace

class Export3dTest : public QObject {
    Q_OBJECT

private slots:
    void commandSitsInTheFileMenu() {
        Started s;
        QVERIFY(s.command() != nullptr);
        QCOMPARE(s.command()->text(), QString("Eksportuj model 3D…"));
        QVERIFY(Named<QMenu>(*s.main, "File1").actions().contains(s.command()));
    }

    // The format comes from the chosen filter unless the name carries its own extension.
    void writesWhatTheDialogsChose_data() {
        QTest::addColumn<int>("layout");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("written");
        QTest::newRow("assembly, 3MF filter") << 0 << "rocket"
                                              << "3MF (*.3mf)" << QStringList{"rocket.3mf"};
        QTest::newRow("assembly, typed extension wins")
            << 0 << "rocket.obj"
            << "STL (*.stl)" << QStringList{"rocket.obj"};
        QTest::newRow("parts, STL filter")
            << 1 << "kit"
            << "STL (*.stl)" << QStringList{"kit-01-Nose.stl", "kit-02-Body.stl"};
    }
    void writesWhatTheDialogsChose() {
        QFETCH(int, layout);
        QFETCH(QString, typed);
        QFETCH(QString, filter);
        QFETCH(QStringList, written);
        Started s;
        QTemporaryDir dir;
        s.answerLayout(layout);
        s.interaction.files.enqueue(dir.filePath(typed));
        s.interaction.selectedFilters.enqueue(filter);
        s.command()->trigger();
        QVERIFY2(s.interaction.messages.isEmpty(),
                 qPrintable(s.interaction.messages.value(0).text));
        QCOMPARE(s.interaction.filters.last(), Model3dFilters());
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), written);
    }

    // The tip width of the dialog is the one the model is made with.
    void theDialogsTipWidthShapesTheModel() {
        Started s;
        QTemporaryDir dir;
        s.interaction.dialogScripts.enqueue([](QDialog& shown) {
            static_cast<TFormExport3d&>(shown).sedTip3d->setValue(2);
            return int(QDialog::Accepted);
        });
        s.interaction.files.enqueue(dir.filePath("tip.stl"));
        s.interaction.selectedFilters.enqueue("STL (*.stl)");
        s.command()->trigger();
        QVERIFY(s.interaction.messages.isEmpty());
        const auto bytes = [](const QString& path) {
            QFile file(path);
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        };
        const Design& design = s.window()->design();
        for (const double width : {2.0, mesh::DefaultTipWidth}) {
            mesh::SolidOptions options;
            options.tipWidth = width;
            const QString made = dir.filePath(QString("made-%1.stl").arg(width));
            QVERIFY(mesh::ExportAssembly(design, made.toStdString(), mesh::MeshFormat::Stl, options).ok);
            QCOMPARE(bytes(made) == bytes(dir.filePath("tip.stl")), width == 2.0);
        }
    }

    void cancelOrRefusalWritesNothing_data() {
        QTest::addColumn<int>("layout");
        QTest::addColumn<bool>("chooseFile");
        QTest::addColumn<bool>("refused");
        QTest::newRow("layout cancelled") << -1 << true << false;
        QTest::newRow("file dialog cancelled") << 0 << false << false;
        QTest::newRow("design refused") << 0 << true << true;
    }
    void cancelOrRefusalWritesNothing() {
        QFETCH(int, layout);
        QFETCH(bool, chooseFile);
        QFETCH(bool, refused);
        Started s;
        QTemporaryDir dir;
        if (refused)
            s.design().Elements[1]->Thickness = -1;
        s.answerLayout(layout);
        if (chooseFile)
            s.interaction.files.enqueue(dir.filePath("rocket.stl"));
        s.command()->trigger();
        QVERIFY(QDir(dir.path()).entryList(QDir::Files).isEmpty());
        QCOMPARE(s.interaction.messages.size(), refused ? 1 : 0);
        if (refused)
            QVERIFY(s.interaction.messages[0].text.contains("Body (element 2)"));
    }
};

VANTOR_TEST_MAIN(Export3dTest)
#include "tst_export3d.moc"
