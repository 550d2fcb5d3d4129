#include "toolwindows/FlightWindow.h"

#include "analysis/Stability.h"
#include "designfile/DesignFile.h"
#include "flight/Figures.h"
#include "interaction/Interaction.h"
#include "model/Design.h"
#include "model/Placing.h"
#include "settings/SettingsKeys.h"

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLegendMarker>
#include <QLineSeries>
#include <QListWidget>
#include <QPushButton>
#include <QSaveFile>
#include <QScatterSeries>
#include <QSettings>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <array>
#include <cmath>

namespace vantor {

namespace {

// The translated texts of the window, by identifier.
constexpr int FirstText = 6221, LastText = 6295;

QSettings FlightStore() {
    return QSettings(QString::fromLatin1(SettingsOrganization.data(),
                                         static_cast<qsizetype>(SettingsOrganization.size())),
                     QStringLiteral("Flight"));
}

double StoredNumber(const QSettings& store, const char* key, double fallback, double low,
                    double high) {
    bool ok = false;
    const double value = store.value(QLatin1String(key)).toDouble(&ok);
    return ok && std::isfinite(value) && value >= low && value <= high ? value : fallback;
}

QString Text(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QDoubleSpinBox* Spin(QWidget* parent, const char* name, double low, double high, int decimals,
                     double step) {
    auto* spin = new QDoubleSpinBox(parent);
    spin->setObjectName(name);
    spin->setRange(low, high);
    spin->setDecimals(decimals);
    spin->setSingleStep(step);
    spin->setKeyboardTracking(false);
    return spin;
}

QLabel* Caption(QWidget* parent, const char* name, int id) {
    auto* label = new QLabel(Tagged(id), parent);
    label->setObjectName(name);
    return label;
}

// Ranges of the launch fields, as the command-line tool takes them.
constexpr double MinTemperature = -81; // shown as "standard"
constexpr int RecoveryKinds = 3;

} // namespace

FlightSettings StoredFlightSettings() {
    FlightSettings settings;
    const QSettings store = FlightStore();
    LaunchSettings& l = settings.launch;
    l.rodLength = StoredNumber(store, "RodLength", l.rodLength, 0, 100);
    l.rodAngle = StoredNumber(store, "RodAngle", l.rodAngle, -45, 45);
    l.windSpeed = StoredNumber(store, "Wind", l.windSpeed, 0, 200);
    l.siteAltitude = StoredNumber(store, "SiteAltitude", l.siteAltitude, -500, 10000);
    const double t = StoredNumber(store, "Temperature", MinTemperature, MinTemperature, 60);
    if (t > MinTemperature)
        l.siteTemperature = t;
    RecoverySettings& r = settings.recovery;
    const double kind = StoredNumber(store, "Recovery", 0, 0, RecoveryKinds - 1);
    r.kind = static_cast<RecoverySettings::Kind>(static_cast<int>(kind));
    r.diameter = StoredNumber(store, "ChuteDiameter", r.diameter, 0.01, 20);
    r.cd = StoredNumber(store, "RecoveryCd", r.cd, 0.01, 5);
    r.length = StoredNumber(store, "StreamerLength", r.length, 0.01, 20);
    r.width = StoredNumber(store, "StreamerWidth", r.width, 0.001, 5);
    return settings;
}

void StoreFlightSettings(const FlightSettings& settings) {
    QSettings store = FlightStore();
    const LaunchSettings& l = settings.launch;
    store.setValue(QStringLiteral("RodLength"), l.rodLength);
    store.setValue(QStringLiteral("RodAngle"), l.rodAngle);
    store.setValue(QStringLiteral("Wind"), l.windSpeed);
    store.setValue(QStringLiteral("SiteAltitude"), l.siteAltitude);
    store.setValue(QStringLiteral("Temperature"), l.siteTemperature.value_or(MinTemperature));
    const RecoverySettings& r = settings.recovery;
    store.setValue(QStringLiteral("Recovery"), static_cast<int>(r.kind));
    store.setValue(QStringLiteral("ChuteDiameter"), r.diameter);
    store.setValue(QStringLiteral("RecoveryCd"), r.cd);
    store.setValue(QStringLiteral("StreamerLength"), r.length);
    store.setValue(QStringLiteral("StreamerWidth"), r.width);
}

FlightTexts::FlightTexts(QWidget& owner, int first, int last) : first_(first) {
    texts_ = new QComboBox(&owner);
    texts_->setObjectName("cbTeksty");
    texts_->hide();
    for (int id = first; id <= last; ++id)
        texts_->addItem(Tagged(id));
}

QString FlightTexts::text(int id) const {
    return texts_->itemText(id - first_);
}

QString FlightTexts::warning(const std::string& key) const {
    static constexpr std::array<const char*, 11> Keys{
        "rod_speed_low",     "thrust_to_weight_low", "margin_low",
        "ejection_early",    "ejection_late",        "no_motor",
        "motor_too_wide",    "wind_too_strong",      "tumbled",
        "flight_incomplete", "flight_invalid"};
    for (std::size_t i = 0; i < Keys.size(); ++i)
        if (key == Keys[i])
            return text(6285 + static_cast<int>(i));
    return Text(key);
}

FlightWindow::FlightWindow(LanguageSession& language, Interaction& interaction, QWidget* parent)
    : TAdvForm(language, parent), interaction_(interaction) {
    setObjectName("FlightWindow");
    setWindowTitle(Tagged(6210));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    resize(1400, 860);
    buildWidgets();
}

FlightWindow::~FlightWindow() = default;

void FlightWindow::buildWidgets() {
    texts_ = std::make_unique<FlightTexts>(*this, FirstText, LastText);

    auto* groupMotor = new QGroupBox(Tagged(6211), this);
    groupMotor->setObjectName("groupMotor");
    labelMotor = new QLabel(groupMotor);
    labelMotor->setWordWrap(true);
    auto* fileCaption = Caption(groupMotor, "labelMotorFileCaption", 6214);
    labelMotorFile = new QLabel(groupMotor);
    labelMotorFile->setWordWrap(true);
    labelMotorFile->setTextInteractionFlags(Qt::TextSelectableByMouse);
    chooseMotor = new QPushButton(Tagged(6212), groupMotor);
    chooseMotor->setObjectName("chooseMotor");
    designMotors = new QPushButton(Tagged(6213), groupMotor);
    designMotors->setObjectName("designMotors");
    auto* motorLayout = new QVBoxLayout(groupMotor);
    motorLayout->addWidget(labelMotor);
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(fileCaption);
    fileRow->addWidget(labelMotorFile, 1);
    motorLayout->addLayout(fileRow);
    auto* motorButtons = new QHBoxLayout;
    motorButtons->addWidget(chooseMotor);
    motorButtons->addWidget(designMotors);
    motorLayout->addLayout(motorButtons);

    auto* groupLaunch = new QGroupBox(Tagged(6215), this);
    groupLaunch->setObjectName("groupLaunch");
    auto* launchForm = new QFormLayout(groupLaunch);
    rodLength = Spin(groupLaunch, "rodLength", 0, 100, 2, 0.1);
    rodAngle = Spin(groupLaunch, "rodAngle", -45, 45, 1, 1);
    wind = Spin(groupLaunch, "wind", 0, 200, 1, 0.5);
    siteAltitude = Spin(groupLaunch, "siteAltitude", -500, 10000, 0, 10);
    temperature = Spin(groupLaunch, "temperature", MinTemperature, 60, 1, 1);
    temperature->setSpecialValueText(texts_->text(6221));
    launchForm->addRow(Caption(groupLaunch, "labelRodLength", 6216), rodLength);
    launchForm->addRow(Caption(groupLaunch, "labelRodAngle", 6217), rodAngle);
    launchForm->addRow(Caption(groupLaunch, "labelWind", 6218), wind);
    launchForm->addRow(Caption(groupLaunch, "labelSiteAltitude", 6219), siteAltitude);
    launchForm->addRow(Caption(groupLaunch, "labelTemperature", 6220), temperature);

    auto* groupRecovery = new QGroupBox(Tagged(6222), this);
    groupRecovery->setObjectName("groupRecovery");
    auto* recoveryForm = new QFormLayout(groupRecovery);
    recoveryKind = new QComboBox(groupRecovery);
    recoveryKind->setObjectName("recoveryKind");
    recoveryKind->addItems({Tagged(6223), Tagged(6224), Tagged(6225)});
    chuteDiameter = Spin(groupRecovery, "chuteDiameter", 0.01, 20, 3, 0.05);
    recoveryCd = Spin(groupRecovery, "recoveryCd", 0.01, 5, 2, 0.05);
    streamerLength = Spin(groupRecovery, "streamerLength", 0.01, 20, 3, 0.05);
    streamerWidth = Spin(groupRecovery, "streamerWidth", 0.001, 5, 3, 0.01);
    recoveryForm->addRow(recoveryKind);
    recoveryForm->addRow(Caption(groupRecovery, "labelChuteDiameter", 6226), chuteDiameter);
    recoveryForm->addRow(Caption(groupRecovery, "labelRecoveryCd", 6227), recoveryCd);
    recoveryForm->addRow(Caption(groupRecovery, "labelStreamerLength", 6228), streamerLength);
    recoveryForm->addRow(Caption(groupRecovery, "labelStreamerWidth", 6229), streamerWidth);

    flyButton = new QPushButton(Tagged(6230), this);
    flyButton->setObjectName("flyButton");
    flyButton->setDefault(true);
    exportButton = new QPushButton(Tagged(6231), this);
    exportButton->setObjectName("exportCsv");
    exportButton->setEnabled(false);
    // Return flies, whichever button has the focus.
    for (QPushButton* button : {chooseMotor, designMotors, exportButton})
        button->setAutoDefault(false);
    status = new QLabel(this);
    status->setObjectName("status");
    status->setWordWrap(true);
    status->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* left = new QVBoxLayout;
    left->addWidget(groupMotor);
    left->addWidget(groupLaunch);
    left->addWidget(groupRecovery);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(flyButton);
    buttons->addWidget(exportButton);
    left->addLayout(buttons);
    left->addWidget(status);
    left->addStretch(1);

    answersTable = new QTableWidget(0, 2, this);
    answersTable->setObjectName("answersTable");
    answersTable->setHorizontalHeaderLabels({texts_->text(6238), texts_->text(6239)});
    answersTable->verticalHeader()->hide();
    answersTable->verticalHeader()->setDefaultSectionSize(answersTable->fontMetrics().height() + 6);
    answersTable->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    answersTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    auto* warningsBox = new QWidget(this);
    auto* warningsLayout = new QVBoxLayout(warningsBox);
    warningsLayout->setContentsMargins(0, 0, 0, 0);
    warningsLayout->addWidget(Caption(warningsBox, "labelWarnings", 6236));
    warningsList = new QListWidget(warningsBox);
    warningsList->setObjectName("warningsList");
    warningsLayout->addWidget(warningsList);

    chartView = new QChartView(new QChart, this);
    chartView->setObjectName("flightChart");
    chartView->setRenderHint(QPainter::Antialiasing);
    chartView->setMinimumHeight(320);

    auto* top = new QSplitter(Qt::Horizontal);
    top->addWidget(answersTable);
    top->addWidget(warningsBox);
    top->setStretchFactor(0, 3);
    top->setStretchFactor(1, 2);
    auto* right = new QSplitter(Qt::Vertical);
    right->addWidget(top);
    right->addWidget(chartView);
    right->setStretchFactor(0, 2);
    right->setStretchFactor(1, 3);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 0);
    layout->addWidget(right, 1);

    connect(flyButton, &QPushButton::clicked, this, &FlightWindow::fly);
    connect(exportButton, &QPushButton::clicked, this, &FlightWindow::exportCsv);
    connect(chooseMotor, &QPushButton::clicked, this, &FlightWindow::chooseMotorClick);
    connect(designMotors, &QPushButton::clicked, this, [this] {
        override_.reset();
        showMotor();
    });
    connect(recoveryKind, &QComboBox::currentIndexChanged, this,
            &FlightWindow::updateRecoveryFields);
}

bool FlightWindow::FormCreate() {
    if (!TranslateForm())
        return false;
    // Texts set from the hidden list are set again in the translated language.
    temperature->setSpecialValueText(texts_->text(6221));
    answersTable->setHorizontalHeaderLabels({texts_->text(6238), texts_->text(6239)});
    baseTitle_ = windowTitle();
    setSettings(StoredFlightSettings());
    showMotor();
    return true;
}

FlightSettings FlightWindow::settings() const {
    FlightSettings s;
    s.launch.rodLength = rodLength->value();
    s.launch.rodAngle = rodAngle->value();
    s.launch.windSpeed = wind->value();
    s.launch.siteAltitude = siteAltitude->value();
    if (temperature->value() > MinTemperature)
        s.launch.siteTemperature = temperature->value();
    s.recovery.kind = static_cast<RecoverySettings::Kind>(
        std::clamp(recoveryKind->currentIndex(), 0, RecoveryKinds - 1));
    s.recovery.diameter = chuteDiameter->value();
    s.recovery.cd = recoveryCd->value();
    s.recovery.length = streamerLength->value();
    s.recovery.width = streamerWidth->value();
    return s;
}

void FlightWindow::setSettings(const FlightSettings& s) {
    rodLength->setValue(s.launch.rodLength);
    rodAngle->setValue(s.launch.rodAngle);
    wind->setValue(s.launch.windSpeed);
    siteAltitude->setValue(s.launch.siteAltitude);
    temperature->setValue(s.launch.siteTemperature.value_or(MinTemperature));
    recoveryKind->setCurrentIndex(static_cast<int>(s.recovery.kind));
    chuteDiameter->setValue(s.recovery.diameter);
    recoveryCd->setValue(s.recovery.cd);
    streamerLength->setValue(s.recovery.length);
    streamerWidth->setValue(s.recovery.width);
    updateRecoveryFields();
}

void FlightWindow::updateRecoveryFields() {
    const int kind = recoveryKind->currentIndex();
    chuteDiameter->setEnabled(kind == static_cast<int>(RecoverySettings::Kind::Parachute));
    recoveryCd->setEnabled(kind != static_cast<int>(RecoverySettings::Kind::None));
    streamerLength->setEnabled(kind == static_cast<int>(RecoverySettings::Kind::Streamer));
    streamerWidth->setEnabled(kind == static_cast<int>(RecoverySettings::Kind::Streamer));
}

void FlightWindow::setDesign(const Design& design, const QString& name) {
    // A copy of its own: the design window may change or close while this one stays open.
    auto copy = std::make_unique<Design>();
    const std::vector<std::uint8_t> bytes = EncodeDesign(design);
    if (DecodeDesign(bytes, *copy).ok) {
        PlaceDesign(*copy);
        analysis_ = std::make_unique<StabilityAnalysis>(AnalyseStability(*copy));
        mounts_ = MotorMounts(*copy, *analysis_);
        design_ = std::move(copy);
    } else {
        design_.reset();
        analysis_.reset();
        mounts_.clear();
    }
    setWindowTitle(name.isEmpty() ? baseTitle_ : baseTitle_ + QStringLiteral(" - ") + name);
    override_.reset();
    run_.reset();
    showMotor();
    showRun();
}

void FlightWindow::showMotor() {
    if (override_) {
        labelMotor->setText(Text(override_->caption));
        labelMotorFile->setText(Text(override_->file));
    } else if (!design_ || mounts_.empty()) {
        labelMotor->setText(texts_->text(6233));
        labelMotorFile->clear();
    } else {
        QStringList captions, files;
        if (library_) {
            const MountMotors own = MotorsOfMounts(library_(), mounts_);
            for (const std::string& c : own.captions)
                captions << Text(c);
            for (const std::string& f : own.files)
                files << Text(f);
        }
        labelMotor->setText(captions.isEmpty() ? texts_->text(6234)
                                               : captions.join(QStringLiteral(" + ")));
        labelMotorFile->setText(files.join(QStringLiteral("\n")));
    }
    chooseMotor->setEnabled(design_ && !mounts_.empty() && chooser_);
    designMotors->setEnabled(override_.has_value());
}

void FlightWindow::chooseMotorClick() {
    if (!chooser_ || mounts_.empty())
        return;
    double tube = mounts_.front().diameter;
    for (const MotorMount& m : mounts_)
        tube = std::min(tube, m.diameter);
    const std::string caption = override_ ? override_->caption : mounts_.front().caption;
    std::optional<ChosenMotor> chosen = chooser_(tube, caption);
    if (!chosen)
        return;
    MotorByName named;
    named.caption = MotorCaption(chosen->motor, chosen->delay);
    named.file = chosen->motor.file;
    named.chosen = std::move(*chosen);
    override_ = std::move(named);
    showMotor();
}

void FlightWindow::fly() {
    const FlightSettings s = settings();
    StoreFlightSettings(s);
    run_.reset();
    status->clear();
    if (!design_ || mounts_.empty()) {
        showRun();
        status->setText(texts_->text(6233));
        return;
    }
    std::vector<std::optional<ChosenMotor>> chosen(mounts_.size());
    QStringList notes;
    if (override_) {
        for (auto& c : chosen)
            c = override_->chosen;
    } else if (library_) {
        MountMotors own = MotorsOfMounts(library_(), mounts_);
        chosen = std::move(own.chosen);
        for (const std::string& note : own.notes)
            notes << Text(note);
    }
    if (std::none_of(chosen.begin(), chosen.end(), [](const auto& c) { return c.has_value(); })) {
        showRun();
        status->setText(texts_->text(6234));
        return;
    }
    DesignFlightRun run =
        FlyDesign(*design_, *analysis_, chosen, DragChoice{}, s.launch, s.recovery);
    if (!run.error.empty()) {
        showRun();
        status->setText(Text(run.error));
        return;
    }
    run_ = std::move(run);
    showRun();
    if (!run_->answers.valid)
        notes.prepend(
            texts_->text(6237) + QStringLiteral(" ") +
            Text(run_->answers.message.empty() ? run_->result.message : run_->answers.message));
    status->setText(notes.join(QStringLiteral("\n")));
}

void FlightWindow::showRun() {
    answersTable->setRowCount(0);
    warningsList->clear();
    exportButton->setEnabled(run_ && !run_->result.samples.empty());
    showChart();
    if (!run_)
        return;
    const FlightAnswers& a = run_->answers;
    const bool ok = a.valid;
    const QString none = QStringLiteral("—");
    // A figure beyond any rocket's (from sizes or a curve no rocket has) is no answer:
    // shown as a dash, the reason in its tool tip. The rows below are made in order, so
    // the n-th reason belongs to the n-th row.
    QStringList reasons;
    const auto value = [&](const std::optional<double>& v, int decimals, bool flown = true) {
        reasons << QString();
        if ((flown && !ok) || !v)
            return none;
        if (const auto fault = FigureFault("value", *v, figure_limit::AnyFigure)) {
            reasons.back() = QString::fromStdString(*fault);
            return none;
        }
        return QString::number(*v, 'f', decimals);
    };
    struct Row {
        int id;
        QString value;
    };
    const std::vector<Row> rows{
        {6240, value(a.apogee, 1)},
        {6241, value(a.timeToApogee, 2)},
        {6242, value(a.maxVelocity, 1)},
        {6243, value(a.maxMach, 3)},
        {6244, value(a.maxAcceleration, 1)},
        {6245, value(a.rodExitVelocity, 1)},
        {6246, value(a.thrustToWeight, 1, false)},
        {6247, value(a.burnoutTime, 2)},
        {6248, value(a.burnoutAltitude, 1)},
        {6249, value(a.burnoutVelocity, 1)},
        {6250, value(a.optimumDelay, 1)},
        {6251, value(a.chosenDelay, 1, false)},
        {6252, value(a.ejectionAltitude, 1)},
        {6253, value(a.ejectionVelocity, 1)},
        {6254, value(a.liftoffCalibers, 2, false)},
        {6255, value(a.rodClearanceCalibers, 2)},
        {6256, value(a.landingVelocity, 1)},
        {6257, value(a.flightTime, 1)},
        {6258, value(a.drift, 1)},
        {6259, value(a.launchMass * 1000, 1, false)},
    };
    answersTable->setRowCount(static_cast<int>(rows.size()));
    for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
        answersTable->setItem(
            i, 0, new QTableWidgetItem(texts_->text(rows[static_cast<std::size_t>(i)].id)));
        auto* item = new QTableWidgetItem(rows[static_cast<std::size_t>(i)].value);
        if (i < reasons.size())
            item->setToolTip(reasons[i]);
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        answersTable->setItem(i, 1, item);
    }
    for (const std::string& w : a.warnings)
        warningsList->addItem(texts_->warning(w));
}

void FlightWindow::showChart() {
    auto* chart = new QChart;
    chart->legend()->setAlignment(Qt::AlignBottom);
    if (run_ && !run_->result.samples.empty()) {
        const std::vector<FlightSample>& samples = run_->result.samples;
        // At most about two thousand points a line: more only slow the drawing.
        const std::size_t stride = std::max<std::size_t>(1, samples.size() / 2000);
        struct Line {
            const char* name;
            int id;
            double FlightSample::*member;
        };
        const std::array<Line, 4> lines{{{"altitude", 6260, &FlightSample::altitude},
                                         {"verticalVelocity", 6261, &FlightSample::vz},
                                         {"acceleration", 6262, &FlightSample::acceleration},
                                         {"thrust", 6263, &FlightSample::thrust}}};
        auto* time = new QValueAxis;
        time->setTitleText(texts_->text(6264));
        chart->addAxis(time, Qt::AlignBottom);
        auto* height = new QValueAxis;
        height->setTitleText(texts_->text(6260));
        chart->addAxis(height, Qt::AlignLeft);
        auto* motion = new QValueAxis;
        motion->setTitleText(texts_->text(6261) + QStringLiteral(", ") + texts_->text(6262));
        chart->addAxis(motion, Qt::AlignRight);
        auto* force = new QValueAxis;
        force->setTitleText(texts_->text(6263));
        chart->addAxis(force, Qt::AlignRight);
        const std::array<QValueAxis*, 4> axes{height, motion, motion, force};
        std::array<std::pair<double, double>, 4> ranges;
        ranges.fill({0.0, 0.0});
        double tEnd = 0;
        for (std::size_t k = 0; k < lines.size(); ++k) {
            auto* series = new QLineSeries;
            series->setObjectName(lines[k].name);
            series->setName(texts_->text(lines[k].id));
            QList<QPointF> points;
            points.reserve(static_cast<qsizetype>(samples.size() / stride + 2));
            for (std::size_t i = 0; i < samples.size(); i += stride) {
                const double v = samples[i].*lines[k].member;
                if (!std::isfinite(v) || !std::isfinite(samples[i].time))
                    continue;
                points.append({samples[i].time, v});
            }
            if (samples.size() > 1 && (samples.size() - 1) % stride != 0)
                points.append({samples.back().time, samples.back().*lines[k].member});
            for (const QPointF& p : points) {
                ranges[k].first = std::min(ranges[k].first, p.y());
                ranges[k].second = std::max(ranges[k].second, p.y());
                tEnd = std::max(tEnd, p.x());
            }
            series->replace(points);
            chart->addSeries(series);
            series->attachAxis(time);
            series->attachAxis(axes[k]);
        }
        const auto spread = [](std::pair<double, double> r) {
            if (r.second - r.first < 1e-9)
                r.second = r.first + 1;
            const double margin = 0.05 * (r.second - r.first);
            return std::pair{r.first < 0 ? r.first - margin : r.first, r.second + margin};
        };
        time->setRange(0, tEnd > 0 ? tEnd : 1);
        const auto h = spread(ranges[0]);
        height->setRange(h.first, h.second);
        const auto m = spread({std::min(ranges[1].first, ranges[2].first),
                               std::max(ranges[1].second, ranges[2].second)});
        motion->setRange(m.first, m.second);
        const auto f = spread(ranges[3]);
        force->setRange(f.first, f.second);
        for (QValueAxis* axis : {time, height, motion, force})
            axis->applyNiceNumbers();

        // The events on the altitude line.
        struct Marker {
            FlightEventKind kind;
            const char* name;
            int id;
            QColor colour;
        };
        const std::array<Marker, 4> markers{{
            {FlightEventKind::RodClearance, "markerRodClearance", 6265, QColor(0, 140, 0)},
            {FlightEventKind::Burnout, "markerBurnout", 6266, QColor(220, 120, 0)},
            {FlightEventKind::Apogee, "markerApogee", 6267, QColor(200, 0, 0)},
            {FlightEventKind::Ejection, "markerEjection", 6268, QColor(120, 0, 160)},
        }};
        for (const Marker& marker : markers) {
            const FlightEvent* event = run_->result.event(marker.kind);
            if (event == nullptr || !std::isfinite(event->time) || !std::isfinite(event->altitude))
                continue;
            auto* point = new QScatterSeries;
            point->setObjectName(marker.name);
            point->setName(texts_->text(marker.id));
            point->setColor(marker.colour);
            point->setMarkerSize(11);
            point->append(event->time, event->altitude);
            chart->addSeries(point);
            point->attachAxis(time);
            point->attachAxis(height);
        }
    }
    QChart* old = chartView->chart();
    chartView->setChart(chart);
    delete old;
}

bool FlightWindow::exportCsv() {
    if (!run_ || run_->result.samples.empty())
        return false;
    const QString path =
        interaction_.chooseFileToSave(this, QStringLiteral("flight.csv"), texts_->text(6232));
    return !path.isEmpty() && writeCsv(path);
}

bool FlightWindow::writeCsv(const QString& path) {
    if (!run_)
        return false;
    const std::string text = TrajectoryCsv(run_->result);
    QSaveFile file(path);
    const bool written = file.open(QIODevice::WriteOnly) &&
                         file.write(text.data(), static_cast<qint64>(text.size())) ==
                             static_cast<qint64>(text.size()) &&
                         file.commit();
    if (!written)
        interaction_.showMessage(this,
                                 texts_->text(6235) + QStringLiteral("\n") + path +
                                     QStringLiteral("\n") + file.errorString(),
                                 QString(), Interaction::Icon::Warning);
    return written;
}

} // namespace vantor
