#pragma once

#include "i18n/AdvForm.h"
#include "motors/MotorLibrary.h"

#include <QAbstractTableModel>
#include <QDialog>
#include <QStringList>
#include <memory>
#include <optional>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace vantor {

// The motors a search kept, as rows: designation, maker, class, diameter, length, total
// impulse, average thrust, burn time, delays and loaded mass.
class MotorTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    static constexpr int ColumnCount = 10;

    explicit MotorTableModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}
    void setLibrary(const MotorLibrary* library);
    void setRows(std::vector<std::size_t> rows);
    void setHeaders(const QStringList& headers) { headers_ = headers; }
    // The library index of a row, or -1.
    std::ptrdiff_t motorAt(int row) const;
    int rowOf(std::size_t motor) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const MotorLibrary* library_ = nullptr;
    std::vector<std::size_t> rows_;
    QStringList headers_;
};

// The motor chooser: a searchable list of the library's motors, by default only those
// that fit the tube the motor sits in, the chosen motor's thrust curve, and its delay.
//
// Use: setLibrary(), setTube(), preselect() with the component's caption, then run it
// modally; after Accepted, chosenMotor() and chosenDelay() say what was chosen.
class TFormSilnik : public TAdvForm<QDialog> {
    Q_OBJECT

public:
    TFormSilnik(LanguageSession& language, QWidget* parent = nullptr);
    bool FormCreate();

    // The library to choose from; not owned, it must outlive the dialog's use of it.
    void setLibrary(const MotorLibrary* library);
    // The inner diameter the motor must fit, or none when the tube is unknown.
    void setTube(std::optional<double> diameter);
    // Selects the motor and delay a caption names, when it names one.
    void preselect(const std::string& caption);

    const Motor* chosenMotor() const;
    std::optional<double> chosenDelay() const;
    // Runs the search again with the text and the fit as they are.
    void refresh();

    QLabel* lSzukaj = nullptr;
    QLineEdit* eSzukaj = nullptr;
    QCheckBox* cbPasujace = nullptr;
    QTableView* ListSilniki = nullptr;
    QWidget* ThrustCurve = nullptr;
    QLabel* lOpoznienie = nullptr;
    QComboBox* cbOpoznienie = nullptr;
    QLabel* lBrakSilnikow = nullptr;
    QLabel* lZaslepiony = nullptr;     // never shown: the translated "plugged"
    QComboBox* cbKolumny = nullptr;    // never shown: the translated column titles
    QPushButton* BitBtn2 = nullptr;    // Cancel
    QPushButton* btnOK = nullptr;

private:
    void showSelected();
    void fillDelays(const Motor& motor, std::optional<double> wanted);
    void selectMotor(std::size_t index);

    const MotorLibrary* library_ = nullptr;
    std::unique_ptr<MotorSearch> search_;
    std::optional<double> tube_;
    MotorTableModel* model_ = nullptr;
};

} // namespace vantor
