// The Flight menu, the flight window and the motor comparison, driven as a user drives them.
#include "designfile/DesignFile.h"
#include "editing/DesignEdits.h"
#include "flight/FlightSetup.h"
#include "model/Design.h"
#include "model/RocketElement.h"
#include "support/DesignBuilder.h"
#include "support/Named.h"
#include "support/StartedProgram.h"
#include "support/TestMain.h"
#include "toolwindows/CompareMotorsWindow.h"
#include "toolwindows/FlightWindow.h"
#include "toolwindows/MotorChooser.h"

#include <QAction>
#include <QChartView>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineSeries>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QScatterSeries>
#include <QSettings>
#include <QSignalSpy>
#include <QSortFilterProxyModel>
#include <QTableWidget>
#include <QTemporaryDir>

#include <set>

using namespace vantor;
using test::Named;

namespace {

const std::string Data = VANTOR_SHARED_DATA;
const std::string DesignPath = Data + "/peer-flights/peer18_bt55.kfx";

void ChooseLanguage(bool english) {
    QSettings settings("Qendel", "CAD");
    settings.setValue("Pol", english ? 0 : 1);
    settings.setValue("Eng", english ? 1 : 0);
}

// The shared 18 mm design, its motor component captioned with a library motor.
std::unique_ptr<Design> SampleDesign(const std::string& motorCaption) {
    auto design = std::make_unique<Design>();
    if (!LoadDesign(DesignPath, *design).ok)
        return nullptr;
    for (auto& element : design->Elements)
        if (element->ClassName == "TEngine")
            element->Caption = motorCaption;
    return design;
}

QAbstractSeries* Series(QChartView& view, const char* name) {
    for (QAbstractSeries* series : view.chart()->series())
        if (series->objectName() == QLatin1String(name))
            return series;
    return nullptr;
}

struct Windows {
    test::ScriptedInteraction interaction;
    LanguageSession language{interaction, QCoreApplication::applicationDirPath() + "/.."};
    MotorLibrary library = LoadMotorLibrary({Data + "/motors"});
};

} // namespace

class TestFlightWindow : public QObject {
    Q_OBJECT

private slots:
    // A motor file may give sizes, masses or a curve beyond any motor: the chooser shows
    // a dash there, never the number.
    void chooserShowsNoAbsurdFigure() {
        Motor motor;
        motor.designation = "X1";
        motor.diameter = 1e30;
        motor.length = 70;
        motor.loadedMass = std::numeric_limits<double>::infinity();
        motor.curve = {{0, 0}, {0.5, 1e12}, {1, 0}};
        MotorLibrary library;
        library.motors.push_back(motor);
        library.figures.push_back(FiguresOf(motor));
        MotorTableModel model;
        model.setLibrary(&library);
        model.setRows({0});
        const auto cell = [&](int column) {
            return model.data(model.index(0, column), Qt::DisplayRole).toString();
        };
        QCOMPARE(cell(3), QString("-"));    // diameter
        QCOMPARE(cell(4), QString("70.0")); // length
        QCOMPARE(cell(5), QString("-"));    // total impulse of a 10^12 N curve
        QCOMPARE(cell(9), QString("-"));    // loaded mass
    }

    void init() { ChooseLanguage(true); }

    void flightMenuInBothLanguages_data() {
        QTest::addColumn<bool>("english");
        QTest::addColumn<QStringList>("captions");
        QTest::addColumn<QString>("noMotor");
        QTest::newRow("Polish") << false
                                << QStringList{"&Lot", "Lot…", "Porównaj silniki…", "Lot rakiety"}
                                << "Projekt nie ma silnika: dodaj silnik, aby symulować lot.";
        QTest::newRow("English") << true
                                 << QStringList{"&Flight", "Fly…", "Compare motors…", "Flight"}
                                 << "The design has no motor component: add a motor to fly it.";
    }
    void flightMenuInBothLanguages() {
        QFETCH(bool, english);
        QFETCH(QStringList, captions);
        QFETCH(QString, noMotor);
        ChooseLanguage(english);
        test::StartedProgram started;
        QVERIFY(started.created);
        QMenu& menu = Named<QMenu>(*started.main, "Lot1");
        QCOMPARE(menu.menuAction()->text(), captions[0]);
        QAction& fly = Named<QAction>(*started.main, "ALot");
        QCOMPARE(fly.text(), captions[1]);
        QCOMPARE(Named<QAction>(*started.main, "APorownajSilniki").text(), captions[2]);
        QVERIFY(menu.actions().contains(&fly));

        // On an empty design the window says why it cannot fly, without a modal box.
        FlightWindow& window = *started.program.flightWindow();
        started.main->createDesignWindow("Empty");
        fly.trigger();
        QVERIFY(window.isVisible());
        QCOMPARE(window.windowTitle(),
                 captions[3] + " - " + started.window()->document().displayName());
        window.flyButton->click();
        QCOMPARE(window.status->text(), noMotor);
        QCOMPARE(window.answersTable->rowCount(), 0);
        QVERIFY(started.interaction.messages.isEmpty());
        window.close();
    }

    // Stored launch settings come from a file a user or another program may have edited.
    void storedSettingsOutsideTheirRangeGiveTheDefaults_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<double>("rodLength");
        QTest::addColumn<double>("wind");
        QTest::addColumn<int>("recovery");
        QTest::addRow("in range") << "RodLength" << QVariant(2.5) << 2.5 << 0.0 << 0;
        QTest::addRow("text") << "RodLength" << QVariant("long") << 1.0 << 0.0 << 0;
        QTest::addRow("not a number") << "Wind" << QVariant("nan") << 1.0 << 0.0 << 0;
        QTest::addRow("infinite") << "Wind" << QVariant("inf") << 1.0 << 0.0 << 0;
        QTest::addRow("negative rod") << "RodLength" << QVariant(-3) << 1.0 << 0.0 << 0;
        QTest::addRow("hurricane") << "Wind" << QVariant(1e6) << 1.0 << 0.0 << 0;
        QTest::addRow("streamer") << "Recovery" << QVariant(2) << 1.0 << 0.0 << 2;
        QTest::addRow("no such recovery") << "Recovery" << QVariant(7) << 1.0 << 0.0 << 0;
    }
    void storedSettingsOutsideTheirRangeGiveTheDefaults() {
        QFETCH(QString, key);
        QFETCH(QVariant, stored);
        QFETCH(double, rodLength);
        QFETCH(double, wind);
        QFETCH(int, recovery);
        QSettings store("Qendel", "Flight");
        store.clear();
        store.setValue(key, stored);
        store.sync();
        const FlightSettings settings = StoredFlightSettings();
        QCOMPARE(settings.launch.rodLength, rodLength);
        QCOMPARE(settings.launch.windSpeed, wind);
        QCOMPARE(static_cast<int>(settings.recovery.kind), recovery);
        QVERIFY(!settings.launch.siteTemperature); // the standard atmosphere
        store.clear();
    }

    // In the program the window's Choose… opens the motor chooser through the interaction
    // seam, for the tube the motor sits in, and the motor chosen there flies.
    void theProgramsMotorChooserPicksTheMotorFlown() {
        if (!QFile::exists(QString::fromStdString(Data + "/motors")))
            QSKIP("no shared data folder beside the project");
        QSettings("Qendel", "Motors")
            .setValue("Folders", QStringList{QString::fromStdString(Data + "/motors")});
        test::StartedProgram started;
        QVERIFY(started.created);
        test::DesignBuilder builder{started.design()};
        auto& nose = builder.nose("TGlowicaOgive", 60, 18);
        ElementFields tube = DefaultFields("TKorpus");
        tube.length = 300;
        tube.diameterA = 18;
        auto& body = builder.attach("TKorpus", nose, tube);
        ElementFields motor = DefaultFields("TEngine");
        motor.length = 70;
        motor.diameterA = 18;
        builder.attach("TEngine", body, motor);
        builder.place();

        QString chosen;
        started.interaction.dialogScripts.enqueue([&](QDialog& dialog) {
            auto& chooser = dynamic_cast<TFormSilnik&>(dialog);
            chooser.ListSilniki->selectRow(0);
            chosen =
                QString::fromStdString(MotorCaption(*chooser.chosenMotor(), chooser.chosenDelay()));
            QTest::mouseClick(chooser.btnOK, Qt::LeftButton);
            return chooser.result();
        });
        Named<QAction>(*started.main, "ALot").trigger();
        FlightWindow& window = *started.program.flightWindow();
        QVERIFY(window.chooseMotor->isEnabled());
        window.chooseMotor->click();
        QCOMPARE(started.interaction.dialogsRun, 1);
        QVERIFY(!chosen.isEmpty());
        QCOMPARE(window.labelMotor->text(), chosen);
        window.flyButton->click();
        QVERIFY(window.lastRun());
        QCOMPARE(window.answersTable->rowCount(), 20);
        window.close();
        QSettings("Qendel", "Motors").remove("Folders");
    }

    void flyingFillsTheAnswersThePlotsAndTheCsv() {
        if (!QFile::exists(QString::fromStdString(DesignPath)))
            QSKIP("no shared data folder beside the project");
        Windows w;
        FlightWindow window(w.language, w.interaction);
        QVERIFY(window.FormCreate());
        window.setLibrary([&w]() -> const MotorLibrary& { return w.library; });
        const std::unique_ptr<Design> design = SampleDesign("Estes C6-5");
        QVERIFY(design);
        window.setDesign(*design, "peer");

        // The design's own motor, and the file its name is flown from.
        const std::optional<MotorByName> c6 = MotorNamed(w.library, "Estes C6-5");
        QVERIFY(c6);
        QCOMPARE(window.labelMotor->text(), QString::fromStdString(c6->caption));
        QCOMPARE(window.labelMotorFile->text(), QString::fromStdString(c6->file));

        window.rodLength->setValue(1.5);
        window.wind->setValue(3);
        window.recoveryKind->setCurrentIndex(1); // parachute
        window.chuteDiameter->setValue(0.3);
        window.flyButton->click();
        QVERIFY(window.lastRun());
        const FlightAnswers answers = window.lastRun()->answers;
        QVERIFY2(answers.valid, answers.message.c_str());
        QCOMPARE(window.answersTable->rowCount(), 20);
        QCOMPARE(window.answersTable->item(0, 0)->text(), QStringLiteral("Apogee [m]"));
        QCOMPARE(window.answersTable->item(0, 1)->text(), QString::number(*answers.apogee, 'f', 1));
        QVERIFY(*answers.apogee > 50);
        QVERIFY(window.answersTable->item(16, 1)->text().toDouble() > 0); // landing speed

        // Four lines with points, and the four events on the altitude line.
        QChartView& chart = *window.chartView;
        double top = 0;
        for (const char* name : {"altitude", "verticalVelocity", "acceleration", "thrust"}) {
            auto* line = qobject_cast<QLineSeries*>(Series(chart, name));
            QVERIFY2(line != nullptr, name);
            QVERIFY(line->count() > 50);
            if (QLatin1String(name) == QLatin1String("altitude"))
                for (const QPointF& p : line->points())
                    top = std::max(top, p.y());
        }
        for (const char* name :
             {"markerRodClearance", "markerBurnout", "markerApogee", "markerEjection"}) {
            auto* marker = qobject_cast<QScatterSeries*>(Series(chart, name));
            QVERIFY2(marker != nullptr && marker->count() == 1, name);
        }
        const QPointF apogee = qobject_cast<QScatterSeries*>(Series(chart, "markerApogee"))->at(0);
        QVERIFY(std::abs(apogee.y() - *answers.apogee) < 1e-6);
        QVERIFY(top <= *answers.apogee + 1e-6 && top > 0.99 * *answers.apogee);

        // The trajectory as CSV: a header and one row a step.
        QTemporaryDir folder;
        const QString csv = folder.filePath("flight.csv");
        w.interaction.files.enqueue(csv);
        window.exportButton->click();
        QFile file(csv);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = file.readAll().split('\n');
        QVERIFY(lines.front().startsWith("time_s,x_m,altitude_m"));
        QCOMPARE(lines.size() - 2, static_cast<qsizetype>(window.lastRun()->result.samples.size()));
        // A file that cannot be written is said so.
        QVERIFY(!window.writeCsv(folder.filePath("missing/flight.csv")));
        QCOMPARE(w.interaction.messages.size(), 1);
        QVERIFY(w.interaction.messages.front().text.startsWith("The file cannot be written:"));

        // Another motor chosen in the window flies in place of the design's.
        const std::optional<MotorByName> a8 = MotorNamed(w.library, "Estes A8-3");
        QVERIFY(a8);
        window.setMotorChooser([&](std::optional<double> tube, const std::string& caption) {
            return tube && *tube > 17 && caption == "Estes C6-5" ? std::optional(a8->chosen)
                                                                 : std::nullopt;
        });
        window.setDesign(*design, "peer");
        window.chooseMotor->click();
        QCOMPARE(window.labelMotor->text(), QString::fromStdString(a8->caption));
        window.flyButton->click();
        QVERIFY(window.lastRun() && window.lastRun()->answers.apogee);
        QVERIFY(*window.lastRun()->answers.apogee < *answers.apogee);

        // The launch settings are the user's next time.
        FlightWindow again(w.language, w.interaction);
        QVERIFY(again.FormCreate());
        QCOMPARE(again.rodLength->value(), 1.5);
        QCOMPARE(again.wind->value(), 3.0);
        QCOMPARE(again.recoveryKind->currentIndex(), 1);
    }

    void aCaptionNamingNoMotorSaysSo() {
        if (!QFile::exists(QString::fromStdString(DesignPath)))
            QSKIP("no shared data folder beside the project");
        Windows w;
        FlightWindow window(w.language, w.interaction);
        QVERIFY(window.FormCreate());
        window.setLibrary([&w]() -> const MotorLibrary& { return w.library; });
        const std::unique_ptr<Design> design = SampleDesign("Motor");
        window.setDesign(*design, "peer");
        window.flyButton->click();
        QVERIFY(window.status->text().startsWith("No motor chosen"));
        QVERIFY(!window.lastRun());
    }

    // A damaged curve chosen in the window is flown no further than the core allows, and
    // the window shows the core's reason instead of numbers.
    void aMotorThatCannotFlyShowsTheCoresReason() {
        if (!QFile::exists(QString::fromStdString(DesignPath)))
            QSKIP("no shared data folder beside the project");
        Windows w;
        FlightWindow window(w.language, w.interaction);
        QVERIFY(window.FormCreate());
        window.setLibrary([&w]() -> const MotorLibrary& { return w.library; });
        Motor broken;
        broken.maker = "Test";
        broken.designation = "X1";
        broken.diameter = 18;
        broken.loadedMass = 20;
        broken.propellantMass = 10;
        broken.curve = {{0.5, 10, -1}}; // one point
        window.setMotorChooser([&](std::optional<double>, const std::string&) {
            return std::optional(ChosenMotor{broken, 3.0});
        });
        window.setDesign(*SampleDesign("Motor"), "peer");
        window.chooseMotor->click();
        window.flyButton->click();
        QVERIFY(w.interaction.messages.isEmpty());
        QVERIFY(window.lastRun() && !window.lastRun()->answers.valid);
        QCOMPARE(window.status->text(),
                 QStringLiteral("The flight could not be completed: the thrust curve of Test X1 "
                                "has fewer than two points"));
        QCOMPARE(window.answersTable->item(0, 1)->text(), QStringLiteral("—"));
    }

    void comparisonRunsToTheEndAndSortsByNumber() {
        if (!QFile::exists(QString::fromStdString(DesignPath)))
            QSKIP("no shared data folder beside the project");
        Windows w;
        CompareMotorsWindow window(w.language, w.interaction);
        QVERIFY(window.FormCreate());
        window.setLibrary([&w]() -> const MotorLibrary& { return w.library; });
        window.setDesign(*SampleDesign("Motor"), "peer");
        QSignalSpy finished(&window, &CompareMotorsWindow::finished);
        window.compareButton->click();
        QVERIFY(window.cancelButton->isEnabled());
        QVERIFY(finished.wait(60000));

        std::size_t expected = 0;
        int fitting = 0;
        for (const Motor& m : w.library.motors)
            if (m.diameter <= 18.05) {
                ++fitting;
                expected += std::max<std::size_t>(1, m.delays.size());
            }
        QCOMPARE(window.model()->rows().size(), expected);
        QCOMPARE(window.progress->value(), fitting);
        QCOMPARE(window.status->text(), QStringLiteral("Motors compared: %1").arg(fitting));

        // Numbers sort as numbers ("95.0" below "100.0"), both ways, in every numeric column.
        QSortFilterProxyModel& sorted = *window.sorted();
        for (int column : {int(ComparisonModel::ApogeeColumn), int(ComparisonModel::RodSpeedColumn),
                           int(ComparisonModel::MaxVelocityColumn)})
            for (Qt::SortOrder order : {Qt::AscendingOrder, Qt::DescendingOrder}) {
                sorted.sort(column, order);
                for (int row = 1; row < sorted.rowCount(); ++row) {
                    const double a = sorted.index(row - 1, column).data().toString().toDouble();
                    const double b = sorted.index(row, column).data().toString().toDouble();
                    QVERIFY2(order == Qt::AscendingOrder ? a <= b : a >= b,
                             qPrintable(QStringLiteral("column %1 row %2").arg(column).arg(row)));
                }
            }
        QCOMPARE(sorted.headerData(ComparisonModel::ApogeeColumn, Qt::Horizontal).toString(),
                 QStringLiteral("Apogee [m]"));
    }

    void cancelStopsEarlyAndClosingIsSafe() {
        if (!QFile::exists(QString::fromStdString(DesignPath)))
            QSKIP("no shared data folder beside the project");
        Windows w;
        const std::unique_ptr<Design> design = SampleDesign("Motor");
        {
            CompareMotorsWindow window(w.language, w.interaction);
            QVERIFY(window.FormCreate());
            window.setLibrary([&w]() -> const MotorLibrary& { return w.library; });
            window.setDesign(*design, "peer");
            window.start();
            window.cancelButton->click();
            window.waitForFinished();
            QVERIFY(!window.running());
            QVERIFY(window.compareButton->isEnabled());
            int fitting = 0;
            for (const Motor& m : w.library.motors)
                fitting += m.diameter <= 18.05;
            std::set<const Motor*> flown;
            for (const ComparisonRow& row : window.model()->rows())
                flown.insert(row.motor);
            QVERIFY(static_cast<int>(flown.size()) < fitting);
            QCOMPARE(window.status->text(),
                     QStringLiteral("Cancelled: the motors flown so far are shown."));
        }
        // A window closed or destroyed while it flies waits for its worker.
        for (bool close : {true, false}) {
            auto window = std::make_unique<CompareMotorsWindow>(w.language, w.interaction);
            QVERIFY(window->FormCreate());
            window->setLibrary([&w]() -> const MotorLibrary& { return w.library; });
            window->setDesign(*design, "peer");
            window->show();
            window->start();
            if (close)
                window->close();
            window.reset();
        }
    }
};

VANTOR_TEST_MAIN(TestFlightWindow)
#include "tst_flight_window.moc"
