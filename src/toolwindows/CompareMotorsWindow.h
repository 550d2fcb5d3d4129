#pragma once

#include "flight/CompareMotors.h"
#include "i18n/AdvForm.h"

#include <QAbstractTableModel>
#include <QDialog>
#include <QFutureWatcher>
#include <QStringList>
#include <atomic>
#include <functional>
#include <memory>
#include <vector>

class QLabel;
class QProgressBar;
class QPushButton;
class QSortFilterProxyModel;
class QTableView;
class QTimer;

namespace vantor {

class Design;
class FlightTexts;
class Interaction;

// The rows of a motor comparison: motor, delay, apogee, rod speed, maximum velocity,
// optimum delay, the delays the motor has, and warnings. Qt::UserRole holds the number a
// column sorts by.
class ComparisonModel : public QAbstractTableModel {
    Q_OBJECT

public:
    static constexpr int ColumnCount = 8;
    enum Column {
        MotorColumn,
        DelayColumn,
        ApogeeColumn,
        RodSpeedColumn,
        MaxVelocityColumn,
        OptimumDelayColumn,
        DelaysColumn,
        WarningsColumn
    };

    explicit ComparisonModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}
    // The rows point into `library`, which the model keeps alive with them.
    void setRows(std::shared_ptr<const MotorLibrary> library, std::vector<ComparisonRow> rows);
    void setHeaders(const QStringList& headers) { headers_ = headers; }
    void setWarningText(std::function<QString(const std::string&)> text) {
        warningText_ = std::move(text);
    }
    const std::vector<ComparisonRow>& rows() const { return rows_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::shared_ptr<const MotorLibrary> library_;
    std::vector<ComparisonRow> rows_;
    QStringList headers_;
    std::function<QString(const std::string&)> warningText_;
};

// "Compare motors": flies the design on every library motor that fits, off the GUI thread,
// with a progress bar and Cancel; the rows sort by any column. Closing the window cancels
// the work; the window waits for the flights in progress before it goes.
class CompareMotorsWindow : public TAdvForm<QDialog> {
    Q_OBJECT

public:
    CompareMotorsWindow(LanguageSession& language, Interaction& interaction,
                        QWidget* parent = nullptr);
    ~CompareMotorsWindow() override;
    bool FormCreate();

    // The library and the launch settings are read when a comparison starts.
    void setLibrary(std::function<const MotorLibrary&()> library) { library_ = std::move(library); }
    void setSettings(std::function<ComparisonSettings()> settings) {
        settings_ = std::move(settings);
    }
    // Compares on a copy of the design from now on; forgets the rows shown.
    void setDesign(const Design& design, const QString& name);

    // Starts a comparison (cancelling one running); returns at once.
    void start();
    void cancel();
    bool running() const;
    // Blocks until the comparison has ended and its rows are shown (tests, closing).
    void waitForFinished();

    ComparisonModel* model() const { return model_; }
    QSortFilterProxyModel* sorted() const { return proxy_; }

    QPushButton* compareButton = nullptr;
    QPushButton* cancelButton = nullptr;
    QProgressBar* progress = nullptr;
    QLabel* status = nullptr;
    QTableView* table = nullptr;

signals:
    void finished();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    struct Work;
    void showProgress(int done, int total);
    void showResult();

    Interaction& interaction_;
    std::unique_ptr<FlightTexts> texts_;
    std::function<const MotorLibrary&()> library_;
    std::function<ComparisonSettings()> settings_;
    std::vector<std::uint8_t> design_; // the design as stored, decoded by the worker
    ComparisonModel* model_ = nullptr;
    QSortFilterProxyModel* proxy_ = nullptr;
    std::shared_ptr<Work> work_;
    QFutureWatcher<void>* watcher_ = nullptr;
    QTimer* poll_ = nullptr; // shows the worker's count while it runs
    QString baseTitle_;
};

} // namespace vantor
