#include "toolwindows/StabilityTable.h"

#include "analysis/Stability.h"
#include "canvas/QtDrawingSurface.h"
#include "i18n/AdvForm.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace vantor {

namespace {

struct RowCaption {
    const char* name;
    int id;
};

constexpr std::array<RowCaption, StabilityTable::Rows> Captions{{
    {"lbStabilityCNa", 2551},
    {"lbStabilityCP", 2552},
    {"lbStabilityCG", 2553},
    {"lbStabilityCalibers", 2554},
    {"lbStabilityVerdict", 2555},
    {"lbStabilityBallast", 2556},
    {"lbStabilityBallastPosition", 2558},
}};

QLabel* Cell(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setFrameShape(QFrame::Box);
    label->setLineWidth(1);
    label->setStyleSheet(QStringLiteral("QLabel { border: 1px solid #d0d0d0; padding: 1px 3px; "
                                        "background: white; }"));
    return label;
}

} // namespace

StabilityTable::StabilityTable(QWidget* parent) : QGroupBox(Tagged(2550), parent) {
    setObjectName("GroupStability");
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(0);
    for (int row = 0; row < Rows; ++row) {
        QLabel* caption = Cell(Tagged(Captions[std::size_t(row)].id), this);
        caption->setObjectName(Captions[std::size_t(row)].name);
        layout->addWidget(caption, row, 0);
        values_[std::size_t(row)] = Cell(QString(), this);
        layout->addWidget(values_[std::size_t(row)], row, 1);
    }
    // Shown only for a rocket whose fins steady it in one plane.
    finsPlaneNote_ = new QLabel(Tagged(2557), this);
    finsPlaneNote_->setObjectName("lbStabilityFinsPlane");
    finsPlaneNote_->setWordWrap(true);
    finsPlaneNote_->setVisible(false);
    layout->addWidget(finsPlaneNote_, Rows, 0, 1, 2);
    addBallast_ = new QPushButton(Tagged(2559), this);
    addBallast_->setObjectName("bAddBallast");
    addBallast_->setEnabled(false);
    layout->addWidget(addBallast_, Rows + 1, 0, 1, 2);
    connect(addBallast_, &QPushButton::clicked, this, [this] {
        if (addBallastCall_)
            addBallastCall_(ballastNeeded_);
    });
    setToolTip(Tagged(2561));
    layout->setColumnStretch(0, 1);
    layout->setColumnStretch(1, 1);
}

void StabilityTable::showAnalysis(const StabilityAnalysis& analysis, UnitChoice units) {
    const QString tip = methodTip(); // before the tooltip is changed below
    const std::vector<StabilityRow> rows =
        StabilityRows(analysis, SystemDecimalSeparator(), 3, units);
    for (int row = 0; row < Rows; ++row)
        values_[std::size_t(row)]->setText(shownValue(row, rows));
    finsPlaneNote_->setVisible(analysis.finsPlaneOnly);
    ballastNeeded_ = analysis.ballastNeeded.value_or(0);
    addBallast_->setEnabled(ballastNeeded_ > 0 && analysis.ballastPosition.has_value());
    // Values left out ("-") say why when the pointer rests on the table.
    QStringList reasons;
    for (const std::string& error : analysis.errors)
        reasons << QString::fromStdString(error);
    setToolTip(reasons.isEmpty() ? tip : reasons.join('\n'));
}

QString StabilityTable::shownValue(int row, const std::vector<StabilityRow>& rows) const {
    const std::string& value = rows.at(ShownRows.at(std::size_t(row))).value;
    // The analysis says its verdict in English for files and the command line.
    if (value == "Stable")
        return verdicts_(2562);
    if (value == "Unstable")
        return verdicts_(2563);
    return QString::fromStdString(value);
}

void StabilityTable::clear() {
    for (QLabel* value : values_)
        value->clear();
    finsPlaneNote_->setVisible(false);
    ballastNeeded_ = 0;
    addBallast_->setEnabled(false);
    setToolTip(methodTip());
}

QString StabilityTable::methodTip() const {
    // Read once the form translator has translated the tooltip set at construction.
    if (methodTip_.isEmpty())
        methodTip_ = toolTip();
    return methodTip_;
}

bool StabilityTable::finsPlaneNoteShown() const {
    return !finsPlaneNote_->isHidden();
}

QString StabilityTable::value(int row) const {
    return row >= 0 && row < Rows ? values_[std::size_t(row)]->text() : QString();
}

} // namespace vantor
