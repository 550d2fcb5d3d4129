#include "shell/MotorCommands.h"

#include "analysis/Stability.h"
#include "editing/DesignEdits.h"
#include "editing/MotorChoice.h"
#include "i18n/LanguageSession.h"
#include "support/DesignBuilder.h"
#include "support/ParametersControls.h"
#include "support/ScriptedInteraction.h"
#include "support/TestMain.h"
#include "toolwindows/MotorChooser.h"
#include "toolwindows/ParametersDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

using namespace vantor;

namespace {

void Write(const QString& path, const QByteArray& text) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(text), text.size());
}

// Hand-made curves: two 18 mm motors and one 24 mm motor.
const QByteArray Estes = "C6 18 70 0-3-5-7 0.0108 0.0231 E\n0.2 14\n1.8 4\n1.86 0\n"
                         "D12 24 70 0-3-5-7 0.0211 0.0426 E\n0.3 29\n1.6 10\n1.65 0\n"
                         "A8 18 70 3-5 0.0033 0.01635 E\n0.1 9\n0.73 0\n";

// A rocket whose motor sits in an 18 mm tube, the parameters dialog wired to the motor
// commands as the program wires them, and a folder of motor files.
struct Fixture {
    test::ScriptedInteraction interaction;
    LanguageSession language{interaction};
    QTemporaryDir programDir, folder;
    MotorCommands motors{language, interaction, programDir.path(), nullptr};
    TFormParametry dialog{language, interaction};
    Design design;
    test::DesignBuilder builder{design};
    TRocketElement* engine = nullptr;

    explicit Fixture(const QByteArray& files = Estes) {
        if (!files.isEmpty())
            Write(folder.filePath("estes.eng"), files);
        motors.setExtraFolders([this] { return QStringList{folder.path()}; });
        dialog.setMotorChooser([this](const TRocketElement& element, const ElementFields& entered) {
            return motors.chooseMotor(element, entered);
        });
        auto& nose = builder.nose("TGlowicaOgive", 60, 18);
        ElementFields tube = DefaultFields("TKorpus");
        tube.length = 300;
        tube.diameterA = 18;
        auto& body = builder.attach("TKorpus", nose, tube);
        ElementFields motor = DefaultFields("TEngine");
        motor.length = 70;
        motor.diameterA = 18;
        engine = &builder.attach("TEngine", body, motor);
        builder.place();
        // Each weighs what the weight rule gives, as the dialog proposes on insertion.
        for (const auto& element : design.Elements)
            element->ComputeWeight();
    }
    Fixture(const Fixture&) = delete;

    // Queues what the user does in the chooser: `act`, then OK.
    void whenChooserOpens(std::function<void(TFormSilnik&)> act) {
        interaction.dialogScripts.enqueue([act](QDialog& dialog) {
            auto& chooser = dynamic_cast<TFormSilnik&>(dialog);
            act(chooser);
            QTest::mouseClick(chooser.btnOK, Qt::LeftButton);
            return chooser.result();
        });
    }
};

QStringList Listed(const TFormSilnik& chooser) {
    QStringList names;
    const QAbstractItemModel* model = chooser.ListSilniki->model();
    for (int row = 0; row < model->rowCount(); ++row)
        names << model->index(row, 0).data().toString();
    return names;
}

} // namespace

class MotorCommandsTest : public QObject {
    Q_OBJECT

private slots:
    // Filter, choose, the fields and caption set by one OK, and undo puts them back.
    void chosenMotorIsOneUndoableStep() {
        Fixture f;
        const ElementFields before = FieldsOf(*f.engine);
        f.dialog.setElement(f.engine);
        f.dialog.FormShow();
        QVERIFY(test::Controls(f.dialog).bWybierzSilnik->isVisibleTo(&f.dialog));
        QStringList fitting, searched;
        f.whenChooserOpens([&](TFormSilnik& chooser) {
            fitting = Listed(chooser); // the 24 mm D12 does not fit the 18 mm tube
            QTest::keyClicks(chooser.eSzukaj, "c6");
            searched = Listed(chooser);
            chooser.cbOpoznienie->setCurrentIndex(chooser.cbOpoznienie->findText("5 s"));
        });
        QTest::mouseClick(test::Controls(f.dialog).bWybierzSilnik, Qt::LeftButton);
        QCOMPARE(fitting, (QStringList{"C6", "A8"}));
        QCOMPARE(searched, QStringList{"C6"});
        QCOMPARE(test::Controls(f.dialog).eCaption->text(), "Estes C6-5");
        QCOMPARE(test::Controls(f.dialog).seWaga->value(), 23.1);
        QCOMPARE(FieldsOf(*f.engine), before);

        QTest::mouseClick(test::Controls(f.dialog).btnOK, Qt::LeftButton);
        QCOMPARE(FieldsOf(*f.engine), before); // the caller writes what OK accepted
        auto edit = ChangeFields(f.design, *f.engine, f.dialog.acceptedFields());
        QCOMPARE(f.engine->Caption, std::string("Estes C6-5"));
        QCOMPARE(f.engine->Length, 70.0f);
        QCOMPARE(f.engine->DiameterA, 18.0f);
        QCOMPARE(f.engine->Weight, 23.1f); // the loaded mass
        QVERIFY(edit->finish(f.design));
        edit->undo(f.design);
        QCOMPARE(FieldsOf(*f.engine), before);
        edit->redo(f.design);
        QCOMPARE(f.engine->Caption, std::string("Estes C6-5"));
        QCOMPARE(f.engine->Weight, 23.1f);
    }

    // The chooser opens on the motor the caption names; the fit can be switched off.
    void captionPreselectsAndFitCanBeOff() {
        Fixture f;
        f.engine->Caption = "Estes A8-3";
        f.dialog.setElement(f.engine);
        f.dialog.FormShow();
        QString selected, delay;
        QStringList everything;
        f.interaction.dialogScripts.enqueue([&](QDialog& dialog) {
            auto& chooser = dynamic_cast<TFormSilnik&>(dialog);
            selected = QString::fromStdString(chooser.chosenMotor()->designation);
            delay = chooser.cbOpoznienie->currentText();
            chooser.cbPasujace->setChecked(false);
            everything = Listed(chooser);
            return int(QDialog::Rejected);
        });
        QTest::mouseClick(test::Controls(f.dialog).bWybierzSilnik, Qt::LeftButton);
        QCOMPARE(selected, "A8");
        QCOMPARE(delay, "3 s");
        QCOMPARE(everything, (QStringList{"C6", "D12", "A8"}));
        QCOMPARE(test::Controls(f.dialog).eCaption->text(), "Estes A8-3"); // cancelled: unchanged
    }

    // An empty library says where motor files come from, and nothing can be chosen.
    void emptyLibraryTellsWhereFilesComeFrom() {
        Fixture f(QByteArray{});
        f.dialog.setElement(f.engine);
        f.dialog.FormShow();
        bool told = false, okEnabled = true;
        f.interaction.dialogScripts.enqueue([&](QDialog& dialog) {
            auto& chooser = dynamic_cast<TFormSilnik&>(dialog);
            told = chooser.lBrakSilnikow->isVisibleTo(&chooser) &&
                   chooser.lBrakSilnikow->text().contains("5535");
            okEnabled = chooser.btnOK->isEnabled();
            return int(QDialog::Accepted);
        });
        QTest::mouseClick(test::Controls(f.dialog).bWybierzSilnik, Qt::LeftButton);
        QVERIFY(told);
        QVERIFY(!okEnabled);
        QCOMPARE(test::Controls(f.dialog).eCaption->text().toStdString(), f.engine->Caption);
    }

    // The button belongs to motors only.
    void otherKindsHaveNoMotorButton() {
        Fixture f;
        f.dialog.setElement(f.engine->Parent);
        f.dialog.FormShow();
        QVERIFY(!test::Controls(f.dialog).bWybierzSilnik->isVisibleTo(&f.dialog));
    }

    // The standard analysis weighs the chosen motor at its loaded mass.
    void stabilityUsesTheChosenMotorsMass() {
        Fixture f;
        const double ruleWeight = f.engine->Weight; // as the weight rule gave it
        QVERIFY(std::abs(ruleWeight - 23.1) > 5);
        const StabilityAnalysis rule = AnalyseStability(f.design);
        const MotorLibrary& library = f.motors.library();
        const NamedMotor c6 = FindMotorByCaption(library, "Estes C6-5");
        QVERIFY(c6.motor != nullptr);
        auto edit = ChooseMotor(f.design, *f.engine, *c6.motor, c6.delay);
        f.builder.place();
        const StabilityAnalysis chosen = AnalyseStability(f.design);
        QVERIFY(std::abs(chosen.totalWeight - (rule.totalWeight - ruleWeight + 23.1)) < 1e-4);
        // Only the motor's weight changed: the moments differ by the change of weight at
        // the motor's centre of gravity.
        std::optional<double> motorCg;
        for (const StabilityComponent& component : chosen.components)
            if (component.kind == "TEngine")
                motorCg = component.cg;
        QVERIFY(motorCg && rule.cg && chosen.cg);
        const double moved = *chosen.cg * chosen.totalWeight - *rule.cg * rule.totalWeight;
        QVERIFY2(std::abs(moved - (23.1 - ruleWeight) * *motorCg) < 1e-3,
                 qPrintable(QString::number(moved)));
    }

    void importCopiesReadableFilesOnly() {
        Fixture f(QByteArray{});
        QTemporaryDir downloads;
        Write(downloads.filePath("broken.eng"), "C6 18 70 0-3-5-7 0.0108 0.0231 E\n0.2 14\n");
        Write(downloads.filePath("good.eng"), Estes);
        f.interaction.files.enqueue(downloads.filePath("broken.eng"));
        f.motors.importMotorFile();
        QCOMPARE(f.interaction.messages.size(), 1);
        QVERIFY(f.interaction.messages[0].text.contains("broken.eng:2:"));
        QVERIFY(!QFile::exists(QDir(MotorCommands::userFolder()).filePath("broken.eng")));
        QVERIFY(f.motors.library().motors.empty());

        QVERIFY(f.motors.importFile(downloads.filePath("good.eng")));
        QVERIFY(QFile::exists(QDir(MotorCommands::userFolder()).filePath("good.eng")));
        QVERIFY(f.interaction.messages.last().text.contains("Estes C6, Estes D12, Estes A8"));
        QCOMPARE(f.motors.library().motors.size(), std::size_t(3));
        // Another file of the same name keeps the first.
        QTemporaryDir other;
        Write(other.filePath("good.eng"), "B4 18 70 2-4 0.006 0.0189 E\n0.2 10\n1 0\n");
        QVERIFY(f.motors.importFile(other.filePath("good.eng")));
        QVERIFY(QFile::exists(QDir(MotorCommands::userFolder()).filePath("good-2.eng")));
        QCOMPARE(f.motors.library().motors.size(), std::size_t(4));
    }
};

VANTOR_TEST_MAIN(MotorCommandsTest)
#include "tst_motor_commands.moc"
