#pragma once

#include "flight/FlightSetup.h"
#include "i18n/AdvForm.h"
#include "motors/MotorLibrary.h"

#include <QDialog>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

class QChartView;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QListWidget;
class QPushButton;
class QTableWidget;

namespace vantor {

class Design;
class Interaction;
struct StabilityAnalysis;

// The launch and recovery settings a user flies with, kept in the settings store between
// sessions (QSettings "Qendel"/"Flight"). Values missing, damaged or out of range give the
// defaults.
struct FlightSettings {
    LaunchSettings launch;
    RecoverySettings recovery;
};
FlightSettings StoredFlightSettings();
void StoreFlightSettings(const FlightSettings& settings);

// The texts of the flight forms that are not captions of a widget: a hidden list whose
// items the translation pass translates, read by identifier.
class FlightTexts {
public:
    FlightTexts(QWidget& owner, int first, int last);
    QString text(int id) const;
    // The translated text of a warning's short English key; the key where it has none.
    QString warning(const std::string& key) const;

private:
    QComboBox* texts_;
    int first_;
};

// The flight window: the motor flown (the design's own, or one chosen here), the launch and
// recovery settings, "Fly", the answers and warnings, and altitude, vertical velocity,
// acceleration and thrust against time with markers at the flight's events.
class FlightWindow : public TAdvForm<QDialog> {
    Q_OBJECT

public:
    // Opens the motor chooser for a tube of the given inner diameter (mm), preselecting the
    // caption; the motor chosen, or none when cancelled.
    using MotorChooser = std::function<std::optional<ChosenMotor>(std::optional<double> tube,
                                                                  const std::string& caption)>;

    FlightWindow(LanguageSession& language, Interaction& interaction, QWidget* parent = nullptr);
    ~FlightWindow() override;
    bool FormCreate();

    // The library the design's captions are looked up in; read at each flight.
    void setLibrary(std::function<const MotorLibrary&()> library) { library_ = std::move(library); }
    void setMotorChooser(MotorChooser chooser) { chooser_ = std::move(chooser); }
    // Flies a copy of the design from now on; the window forgets the last flight and the
    // motor chosen here.
    void setDesign(const Design& design, const QString& name);

    // Flies with the fields as they are, and stores the settings.
    void fly();
    // Asks for a file and writes the last flight's trajectory as CSV; true when written.
    bool exportCsv();
    bool writeCsv(const QString& path);

    FlightSettings settings() const;
    void setSettings(const FlightSettings& settings);
    const std::optional<DesignFlightRun>& lastRun() const { return run_; }

    QLabel* labelMotor = nullptr;
    QLabel* labelMotorFile = nullptr;
    QPushButton* chooseMotor = nullptr;
    QPushButton* designMotors = nullptr;
    QDoubleSpinBox* rodLength = nullptr;
    QDoubleSpinBox* rodAngle = nullptr;
    QDoubleSpinBox* wind = nullptr;
    QDoubleSpinBox* siteAltitude = nullptr;
    QDoubleSpinBox* temperature = nullptr; // its minimum means the standard temperature
    QComboBox* recoveryKind = nullptr;
    QDoubleSpinBox* chuteDiameter = nullptr;
    QDoubleSpinBox* recoveryCd = nullptr;
    QDoubleSpinBox* streamerLength = nullptr;
    QDoubleSpinBox* streamerWidth = nullptr;
    QPushButton* flyButton = nullptr;
    QPushButton* exportButton = nullptr;
    QLabel* status = nullptr;
    QTableWidget* answersTable = nullptr;
    QListWidget* warningsList = nullptr;
    QChartView* chartView = nullptr;

private:
    void buildWidgets();
    void showMotor();
    void showRun();
    void showChart();
    void chooseMotorClick();
    void updateRecoveryFields();

    Interaction& interaction_;
    std::unique_ptr<FlightTexts> texts_;
    std::function<const MotorLibrary&()> library_;
    MotorChooser chooser_;
    std::unique_ptr<Design> design_;
    std::unique_ptr<StabilityAnalysis> analysis_;
    std::vector<MotorMount> mounts_;
    std::optional<MotorByName> override_; // a motor chosen here flies in every mount
    std::optional<DesignFlightRun> run_;
    QString baseTitle_;
};

} // namespace vantor
