#include "toolwindows/CompareMotorsWindow.h"

#include "aero/Drag.h"
#include "analysis/Stability.h"
#include "designfile/DesignFile.h"
#include "flight/Figures.h"
#include "model/Design.h"
#include "model/Placing.h"
#include "toolwindows/FlightWindow.h"

#include <QCloseEvent>
#include <QColor>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>
#include <algorithm>

namespace vantor {

namespace {

constexpr int FirstText = 6221, LastText = 6295;

QString Text(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

bool Has(const ComparisonRow& row, const char* key) {
    return std::find(row.warnings.begin(), row.warnings.end(), key) != row.warnings.end();
}

} // namespace

// What the worker and the window share. The worker reads its inputs and writes `rows`;
// the window reads `rows` only after the worker has ended.
struct CompareMotorsWindow::Work {
    std::vector<std::uint8_t> design;
    std::shared_ptr<const MotorLibrary> library;
    ComparisonSettings settings;
    std::atomic<bool> cancel{false};
    std::atomic<int> done{0}, total{-1};
    std::vector<ComparisonRow> rows;
    std::size_t mounts = 0;
    bool readable = true;
};

void ComparisonModel::setRows(std::shared_ptr<const MotorLibrary> library,
                              std::vector<ComparisonRow> rows) {
    beginResetModel();
    rows_ = std::move(rows);
    library_ = std::move(library);
    endResetModel();
}

int ComparisonModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int ComparisonModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ComparisonModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= static_cast<int>(rows_.size()))
        return {};
    const ComparisonRow& row = rows_[static_cast<std::size_t>(index.row())];
    const int column = index.column();
    const bool numeric = column >= DelayColumn && column <= OptimumDelayColumn;
    if (role == Qt::TextAlignmentRole)
        return numeric ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                       : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    if (role == Qt::ForegroundRole && column == DelayColumn &&
        (Has(row, "ejection_early") || Has(row, "ejection_late")))
        return QColor(200, 0, 0);
    if (role == Qt::ToolTipRole) {
        // Several files may carry one motor's name: the tip says which one flew.
        if (column == MotorColumn)
            return Text(row.motor->file);
        if (column == WarningsColumn)
            return data(index, Qt::DisplayRole);
        return {};
    }
    if (role != Qt::DisplayRole && role != Qt::UserRole)
        return {};
    const bool sort = role == Qt::UserRole;
    const auto number = [&](double value, int decimals) -> QVariant {
        // A motor that did not fly sorts below every one that did.
        if (!row.flew)
            return sort ? QVariant(-1.0) : QVariant(QStringLiteral("—"));
        // A flight of a damaged or hostile motor or design may give a number beyond any
        // rocket's: shown as "-" and sorted with the motors that did not fly.
        if (FigureFault("figure", value, figure_limit::AnyFigure))
            return sort ? QVariant(-1.0) : QVariant(QStringLiteral("-"));
        return sort ? QVariant(value) : QVariant(QString::number(value, 'f', decimals));
    };
    switch (column) {
    case MotorColumn: {
        const QString name = Text(row.motor->maker + " " + row.motor->designation);
        return name;
    }
    case DelayColumn:
        if (!row.delay)
            return sort ? QVariant(-1.0) : QVariant(QStringLiteral("P"));
        return sort ? QVariant(*row.delay) : QVariant(Text(DelayText(*row.delay)));
    case ApogeeColumn:
        return number(row.apogee, 1);
    case RodSpeedColumn:
        return number(row.rodSpeed, 1);
    case MaxVelocityColumn:
        return number(row.maxVelocity, 1);
    case OptimumDelayColumn:
        return number(row.optimumDelay, 1);
    case DelaysColumn: {
        if (sort)
            return row.motor->delays.empty() ? -1.0 : row.motor->delays.front();
        QStringList parts;
        for (double d : row.motor->delays)
            parts << Text(DelayText(d));
        return parts.isEmpty() ? QStringLiteral("P") : parts.join('-');
    }
    case WarningsColumn: {
        QStringList parts;
        if (!row.flew && !row.message.empty())
            parts << Text(row.message);
        for (const std::string& w : row.warnings)
            parts << (warningText_ ? warningText_(w) : Text(w));
        return parts.join(QStringLiteral("; "));
    }
    default:
        return {};
    }
}

QVariant ComparisonModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    return section < headers_.size() ? headers_[section] : QString();
}

CompareMotorsWindow::CompareMotorsWindow(LanguageSession& language, Interaction& interaction,
                                         QWidget* parent)
    : TAdvForm(language, parent), interaction_(interaction) {
    setObjectName("CompareMotorsWindow");
    setWindowTitle(Tagged(6270));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    resize(1100, 700);
    texts_ = std::make_unique<FlightTexts>(*this, FirstText, LastText);

    compareButton = new QPushButton(Tagged(6271), this);
    compareButton->setObjectName("compareButton");
    cancelButton = new QPushButton(Tagged(6272), this);
    cancelButton->setObjectName("cancelButton");
    cancelButton->setEnabled(false);
    cancelButton->setAutoDefault(false);
    compareButton->setDefault(true);
    progress = new QProgressBar(this);
    progress->setObjectName("progress");
    progress->setRange(0, 1);
    progress->setValue(0);
    status = new QLabel(this);
    status->setObjectName("status");
    status->setWordWrap(true);

    model_ = new ComparisonModel(this);
    model_->setWarningText([this](const std::string& key) { return texts_->warning(key); });
    proxy_ = new QSortFilterProxyModel(this);
    proxy_->setSourceModel(model_);
    proxy_->setSortRole(Qt::UserRole);
    proxy_->setSortCaseSensitivity(Qt::CaseInsensitive);
    table = new QTableView(this);
    table->setObjectName("comparisonTable");
    table->setModel(proxy_);
    table->setSortingEnabled(true);
    table->sortByColumn(ComparisonModel::ApogeeColumn, Qt::DescendingOrder);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->verticalHeader()->hide();
    table->setWordWrap(false);
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    table->horizontalHeader()->setStretchLastSection(true);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(compareButton);
    buttons->addWidget(cancelButton);
    buttons->addWidget(progress, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(status);
    layout->addWidget(table, 1);

    watcher_ = new QFutureWatcher<void>(this);
    connect(watcher_, &QFutureWatcher<void>::finished, this, &CompareMotorsWindow::showResult);
    connect(compareButton, &QPushButton::clicked, this, &CompareMotorsWindow::start);
    connect(cancelButton, &QPushButton::clicked, this, &CompareMotorsWindow::cancel);
    // The worker counts its flights; the window looks at the count while it runs.
    poll_ = new QTimer(this);
    poll_->setInterval(50);
    connect(poll_, &QTimer::timeout, this, [this] {
        if (work_)
            showProgress(work_->done.load(), work_->total.load());
    });
}

CompareMotorsWindow::~CompareMotorsWindow() {
    // The flights in progress end before the window's parts go.
    cancel();
    watcher_->disconnect(this);
    watcher_->waitForFinished();
}

bool CompareMotorsWindow::FormCreate() {
    if (!TranslateForm())
        return false;
    baseTitle_ = windowTitle();
    QStringList headers;
    for (int id = 6273; id <= 6280; ++id)
        headers << texts_->text(id);
    model_->setHeaders(headers);
    return true;
}

void CompareMotorsWindow::setDesign(const Design& design, const QString& name) {
    cancel();
    design_ = EncodeDesign(design);
    setWindowTitle(name.isEmpty() ? baseTitle_ : baseTitle_ + QStringLiteral(" - ") + name);
    model_->setRows(nullptr, {});
    status->clear();
    progress->setRange(0, 1);
    progress->setValue(0);
}

bool CompareMotorsWindow::running() const {
    return watcher_->isRunning();
}

void CompareMotorsWindow::cancel() {
    if (work_)
        work_->cancel = true;
}

void CompareMotorsWindow::waitForFinished() {
    watcher_->waitForFinished();
    // The finished signal is queued; a comparison ended is shown at once.
    if (work_)
        showResult();
}

void CompareMotorsWindow::start() {
    if (running()) {
        cancel();
        watcher_->waitForFinished();
    }
    auto work = std::make_shared<Work>();
    work->design = design_;
    work->library = std::make_shared<const MotorLibrary>(library_ ? library_() : MotorLibrary{});
    if (settings_) {
        work->settings = settings_();
    } else {
        const FlightSettings stored = StoredFlightSettings();
        work->settings.launch = stored.launch;
        work->settings.recovery = stored.recovery;
    }
    work_ = work;
    model_->setRows(nullptr, {});
    status->clear();
    progress->setRange(0, 0);
    compareButton->setEnabled(false);
    cancelButton->setEnabled(true);
    poll_->start();
    watcher_->setFuture(QtConcurrent::run([work] {
        Design design;
        if (work->design.empty() || !DecodeDesign(work->design, design).ok) {
            work->readable = false;
            return;
        }
        PlaceDesign(design);
        const StabilityAnalysis analysis = AnalyseStability(design);
        work->mounts = MotorMounts(design, analysis).size();
        ComparisonSettings settings = work->settings;
        settings.estimate = EstimateDrag(design, analysis, SiteDragConditions(settings.launch));
        work->rows = CompareMotors(design, analysis, *work->library, settings,
                                   [&work = *work](std::size_t done, std::size_t total) {
                                       work.done = static_cast<int>(done);
                                       work.total = static_cast<int>(total);
                                       return !work.cancel.load();
                                   });
    }));
}

void CompareMotorsWindow::showProgress(int done, int total) {
    if (total < 0 || !running())
        return;
    progress->setRange(0, std::max(total, 1));
    progress->setValue(done);
}

void CompareMotorsWindow::showResult() {
    if (!work_ || running())
        return;
    const std::shared_ptr<Work> work = std::move(work_);
    poll_->stop();
    compareButton->setEnabled(true);
    cancelButton->setEnabled(false);
    const int total = std::max(work->total.load(), 0);
    progress->setRange(0, std::max(total, 1));
    progress->setValue(work->done.load());
    if (!work->readable || work->mounts == 0) {
        status->setText(texts_->text(6233));
    } else if (work->total.load() == 0) {
        status->setText(texts_->text(6282));
    } else if (work->cancel.load() && work->done.load() < work->total.load()) {
        status->setText(texts_->text(6281));
    } else {
        status->setText(texts_->text(6283) + QStringLiteral(" ") + QString::number(total));
    }
    model_->setRows(work->library, std::move(work->rows));
    table->resizeColumnsToContents();
    emit finished();
}

void CompareMotorsWindow::closeEvent(QCloseEvent* event) {
    cancel();
    QDialog::closeEvent(event);
}

} // namespace vantor
