#include "toolwindows/MotorChooser.h"

#include "flight/Figures.h"
#include "widgets/FixedCaptionButton.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QTableView>
#include <algorithm>
#include <cmath>

namespace vantor {

namespace {

QString Text(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString DelaysText(const Motor& motor) {
    if (motor.delays.empty())
        return QStringLiteral("P");
    QStringList parts;
    for (double delay : motor.delays)
        parts << Text(DelayText(delay));
    return parts.join('-');
}

// A round step for an axis: 1, 2 or 5 times a power of ten, about a fifth of the span.
double AxisStep(double span) {
    const double rough = span / 5;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (double factor : {1.0, 2.0, 5.0})
        if (factor * power >= rough)
            return factor * power;
    return 10 * power;
}

// The chosen motor's thrust against time, with round ticks on both axes.
class ThrustCurvePlot final : public QWidget {
public:
    using QWidget::QWidget;
    void setMotor(const Motor* motor) {
        motor_ = motor;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        if (motor_ == nullptr || motor_->curve.size() < 2)
            return;
        const MotorFigures figures = FiguresOf(*motor_);
        const double tMax = std::max(figures.burnTime, 1e-6);
        const double fMax = std::max(figures.peakThrust, 1e-6) * 1.1;
        const QFontMetrics metrics(font());
        const double left = metrics.horizontalAdvance(QStringLiteral("00000")) + 6;
        const QRectF plot(left, metrics.height() + 6, width() - left - 10,
                          height() - 2 * metrics.height() - 14);
        if (plot.width() < 10 || plot.height() < 10)
            return;
        const auto at = [&](double t, double f) {
            return QPointF(plot.left() + plot.width() * t / tMax,
                           plot.bottom() - plot.height() * f / fMax);
        };
        painter.setPen(QPen(Qt::lightGray, 1));
        const double tStep = AxisStep(tMax), fStep = AxisStep(fMax);
        for (double t = 0; t <= tMax * 1.0001; t += tStep) {
            painter.drawLine(at(t, 0), at(t, fMax));
            painter.drawText(QRectF(at(t, 0).x() - 30, plot.bottom() + 2, 60, metrics.height()),
                             Qt::AlignHCenter, QString::number(t, 'g', 3));
        }
        for (double f = 0; f <= fMax; f += fStep) {
            painter.drawLine(at(0, f), at(tMax, f));
            painter.drawText(
                QRectF(0, at(0, f).y() - metrics.height() / 2.0, plot.left() - 4, metrics.height()),
                Qt::AlignRight | Qt::AlignVCenter, QString::number(f, 'g', 4));
        }
        painter.drawText(QRectF(plot.right() - 40, plot.bottom() + 2, 40, metrics.height()),
                         Qt::AlignRight, QStringLiteral("s"));
        painter.drawText(QRectF(0, 0, plot.left() - 4, metrics.height()), Qt::AlignRight,
                         QStringLiteral("N"));
        painter.setPen(QPen(Qt::black, 1));
        painter.drawRect(plot);
        painter.setRenderHint(QPainter::Antialiasing);
        QPainterPath path(at(motor_->curve.front().time, motor_->curve.front().thrust));
        for (const ThrustSample& sample : motor_->curve)
            path.lineTo(at(sample.time, sample.thrust));
        painter.setPen(QPen(QColor(200, 0, 0), 2));
        painter.drawPath(path);
    }

private:
    const Motor* motor_ = nullptr;
};

} // namespace

void MotorTableModel::setLibrary(const MotorLibrary* library) {
    beginResetModel();
    library_ = library;
    rows_.clear();
    endResetModel();
}

void MotorTableModel::setRows(std::vector<std::size_t> rows) {
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

std::ptrdiff_t MotorTableModel::motorAt(int row) const {
    if (row < 0 || static_cast<std::size_t>(row) >= rows_.size())
        return -1;
    return static_cast<std::ptrdiff_t>(rows_[static_cast<std::size_t>(row)]);
}

int MotorTableModel::rowOf(std::size_t motor) const {
    const auto it = std::find(rows_.begin(), rows_.end(), motor);
    return it == rows_.end() ? -1 : static_cast<int>(it - rows_.begin());
}

int MotorTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int MotorTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

namespace {

// A motor's figure as the table shows it: "-" where a damaged or hostile file gives a value
// beyond any motor, with no number to mislead.
QString Shown(double value, int decimals, double limit) {
    return FigureFault("figure", value, limit) ? QStringLiteral("-")
                                               : QString::number(value, 'f', decimals);
}

} // namespace

QVariant MotorTableModel::data(const QModelIndex& index, int role) const {
    const std::ptrdiff_t i = motorAt(index.row());
    if (library_ == nullptr || i < 0 || (role != Qt::DisplayRole && role != Qt::TextAlignmentRole))
        return {};
    if (role == Qt::TextAlignmentRole)
        return index.column() >= 3 && index.column() != 8
                   ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                   : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    const Motor& m = library_->motors[static_cast<std::size_t>(i)];
    const MotorFigures& f = library_->figures[static_cast<std::size_t>(i)];
    switch (index.column()) {
    case 0:
        return Text(m.designation);
    case 1:
        return Text(m.maker);
    case 2:
        return Text(f.impulseClass);
    case 3:
        return Shown(m.diameter, 1, figure_limit::LengthMm);
    case 4:
        return Shown(m.length, 1, figure_limit::LengthMm);
    case 5:
        return Shown(f.totalImpulse, 2, figure_limit::Impulse);
    case 6:
        return Shown(f.averageThrust, 2, figure_limit::Thrust);
    case 7:
        return Shown(f.burnTime, 2, figure_limit::Time);
    case 8:
        return DelaysText(m);
    case 9:
        return Shown(m.loadedMass, 1, figure_limit::MassGrams);
    default:
        return {};
    }
}

QVariant MotorTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    return section < headers_.size() ? headers_[section] : QString();
}

TFormSilnik::TFormSilnik(LanguageSession& language, QWidget* parent) : TAdvForm(language, parent) {
    setObjectName("FormSilnik");
    setWindowTitle(Tagged(5531));
    setModal(true);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    resize(1000, 520);

    lSzukaj = new QLabel(Tagged(5532), this);
    lSzukaj->setObjectName("lSzukaj");
    lSzukaj->setGeometry(8, 8, 80, 24);
    eSzukaj = new QLineEdit(this);
    eSzukaj->setObjectName("eSzukaj");
    eSzukaj->setClearButtonEnabled(true);
    eSzukaj->setGeometry(92, 8, 260, 24);
    cbPasujace = new QCheckBox(Tagged(5533), this);
    cbPasujace->setObjectName("cbPasujace");
    cbPasujace->setGeometry(366, 8, 300, 24);
    cbPasujace->setChecked(true);

    model_ = new MotorTableModel(this);
    ListSilniki = new QTableView(this);
    ListSilniki->setObjectName("ListSilniki");
    ListSilniki->setModel(model_);
    ListSilniki->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListSilniki->setSelectionMode(QAbstractItemView::SingleSelection);
    ListSilniki->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListSilniki->verticalHeader()->hide();
    ListSilniki->horizontalHeader()->setDefaultSectionSize(64);
    ListSilniki->horizontalHeader()->setStretchLastSection(true);
    ListSilniki->setGeometry(8, 40, 660, 430);

    lBrakSilnikow = new QLabel(Tagged(5535), this);
    lBrakSilnikow->setObjectName("lBrakSilnikow");
    lBrakSilnikow->setWordWrap(true);
    lBrakSilnikow->setAlignment(Qt::AlignCenter);
    lBrakSilnikow->setGeometry(28, 120, 620, 160);
    lBrakSilnikow->hide();

    ThrustCurve = new ThrustCurvePlot(this);
    ThrustCurve->setObjectName("ThrustCurve");
    ThrustCurve->setToolTip(Tagged(5536));
    ThrustCurve->setGeometry(676, 40, 316, 300);

    lOpoznienie = new QLabel(Tagged(5534), this);
    lOpoznienie->setObjectName("lOpoznienie");
    lOpoznienie->setGeometry(676, 352, 120, 24);
    cbOpoznienie = new QComboBox(this);
    cbOpoznienie->setObjectName("cbOpoznienie");
    cbOpoznienie->setGeometry(800, 352, 192, 24);

    lZaslepiony = new QLabel(Tagged(5547), this);
    lZaslepiony->setObjectName("lZaslepiony");
    lZaslepiony->hide();
    cbKolumny = new QComboBox(this);
    cbKolumny->setObjectName("cbKolumny");
    for (int id = 5537; id <= 5546; ++id)
        cbKolumny->addItem(Tagged(id));
    cbKolumny->hide();

    // The two buttons keep their captions in every language, as in the parameters dialog.
    BitBtn2 = new FixedCaptionButton(QStringLiteral("Cancel"), this);
    BitBtn2->setObjectName("BitBtn2");
    BitBtn2->setGeometry(1000 - 184, 480, 84, 28);
    btnOK = new FixedCaptionButton(QStringLiteral("Ok"), this);
    btnOK->setObjectName("btnOK");
    btnOK->setGeometry(1000 - 92, 480, 84, 28);
    btnOK->setDefault(true);

    connect(eSzukaj, &QLineEdit::textChanged, this, &TFormSilnik::refresh);
    connect(cbPasujace, &QCheckBox::toggled, this, &TFormSilnik::refresh);
    connect(ListSilniki->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &TFormSilnik::showSelected);
    connect(ListSilniki, &QTableView::doubleClicked, this, [this] {
        if (chosenMotor() != nullptr)
            accept();
    });
    connect(btnOK, &QPushButton::clicked, this, [this] {
        if (chosenMotor() != nullptr)
            accept();
    });
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

bool TFormSilnik::FormCreate() {
    const bool translated = TranslateForm();
    QStringList headers;
    for (int i = 0; i < cbKolumny->count(); ++i)
        headers << cbKolumny->itemText(i);
    model_->setHeaders(headers);
    return translated;
}

void TFormSilnik::setLibrary(const MotorLibrary* library) {
    library_ = library;
    search_ = library != nullptr ? std::make_unique<MotorSearch>(*library) : nullptr;
    model_->setLibrary(library);
    eSzukaj->clear();
    cbPasujace->setChecked(true);
    // Columns as wide as the full list needs them, measured once per library shown.
    model_->setRows(search_ ? search_->find({}) : std::vector<std::size_t>{});
    ListSilniki->resizeColumnsToContents();
    refresh();
}

void TFormSilnik::setTube(std::optional<double> diameter) {
    tube_ = diameter;
    cbPasujace->setEnabled(diameter.has_value());
    refresh();
}

void TFormSilnik::refresh() {
    const std::ptrdiff_t before = model_->motorAt(ListSilniki->currentIndex().row());
    std::vector<std::size_t> rows;
    if (search_)
        rows = search_->find(eSzukaj->text().toStdString(),
                             cbPasujace->isChecked() ? tube_ : std::nullopt);
    model_->setRows(std::move(rows));
    const bool empty = library_ == nullptr || library_->motors.empty();
    lBrakSilnikow->setVisible(empty);
    ListSilniki->setEnabled(!empty);
    eSzukaj->setEnabled(!empty);
    // Keep the motor selected where the new list still holds it.
    const int row = before >= 0 ? model_->rowOf(static_cast<std::size_t>(before)) : -1;
    if (model_->rowCount() > 0)
        ListSilniki->setCurrentIndex(model_->index(std::max(row, 0), 0));
    else
        showSelected();
}

void TFormSilnik::selectMotor(std::size_t index) {
    int row = model_->rowOf(index);
    if (row < 0) {
        // Not in the filtered list: show everything so the named motor can be seen.
        eSzukaj->clear();
        cbPasujace->setChecked(false);
        row = model_->rowOf(index);
    }
    if (row >= 0)
        ListSilniki->setCurrentIndex(model_->index(row, 0));
}

void TFormSilnik::preselect(const std::string& caption) {
    if (library_ == nullptr)
        return;
    const NamedMotor named = FindMotorByCaption(*library_, caption);
    if (named.motor == nullptr)
        return;
    selectMotor(static_cast<std::size_t>(named.motor - library_->motors.data()));
    fillDelays(*named.motor, named.delay);
}

const Motor* TFormSilnik::chosenMotor() const {
    const std::ptrdiff_t i = model_->motorAt(ListSilniki->currentIndex().row());
    return i >= 0 && library_ != nullptr ? &library_->motors[static_cast<std::size_t>(i)] : nullptr;
}

std::optional<double> TFormSilnik::chosenDelay() const {
    const QVariant delay = cbOpoznienie->currentData();
    if (!delay.isValid())
        return std::nullopt;
    return delay.toDouble();
}

void TFormSilnik::fillDelays(const Motor& motor, std::optional<double> wanted) {
    cbOpoznienie->clear();
    if (motor.delays.empty()) {
        cbOpoznienie->addItem(lZaslepiony->text());
        return;
    }
    for (double delay : motor.delays)
        cbOpoznienie->addItem(Text(DelayText(delay)) + QStringLiteral(" s"), delay);
    // The middle delay unless one is asked for: the usual choice for a sport flight.
    int index = static_cast<int>(motor.delays.size() / 2);
    if (const int found = wanted ? cbOpoznienie->findData(*wanted) : -1; found >= 0)
        index = found;
    cbOpoznienie->setCurrentIndex(index);
}

void TFormSilnik::showSelected() {
    const Motor* motor = chosenMotor();
    static_cast<ThrustCurvePlot*>(ThrustCurve)->setMotor(motor);
    btnOK->setEnabled(motor != nullptr);
    if (motor == nullptr) {
        cbOpoznienie->clear();
        return;
    }
    const std::optional<double> kept = chosenDelay();
    fillDelays(*motor, kept);
}

} // namespace vantor
