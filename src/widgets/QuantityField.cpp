#include "widgets/QuantityField.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <cmath>

namespace vantor {

QuantityField::QuantityField(Kind kind, QWidget* parent) : DecimalField(parent), kind_(kind) {}

void QuantityField::setUnits(UnitChoice units) {
    if (units == units_)
        return;
    const double design = designValue();
    units_ = units;
    setDesignValue(design);
}

double QuantityField::toDisplay(double designValue) const {
    return kind_ == Kind::Length ? LengthToUnit(designValue, units_.length)
                                 : WeightToUnit(designValue, units_.weight);
}

double QuantityField::fromDisplay(double displayValue) const {
    return kind_ == Kind::Length ? LengthFromUnit(displayValue, units_.length)
                                 : WeightFromUnit(displayValue, units_.weight);
}

double QuantityField::rounded(double displayValue) const {
    // As the spin box rounds a value it is given.
    return QString::number(displayValue, 'f', decimals()).toDouble();
}

double QuantityField::designValue() const {
    if (exact_ && value() == exact_->shown)
        return exact_->design;
    return fromDisplay(value());
}

void QuantityField::setDesignValue(double design) {
    setValue(toDisplay(design));
    exact_ = Exact{value(), design};
    refusedText_.reset();
}

QuantityReading QuantityField::read(const QString& text) const {
    const std::string typed = text.toStdString();
    // The field's own range is the limit here: a number it can show is no nonsense.
    const double limit = fromDisplay(std::max(std::abs(minimum()), std::abs(maximum())));
    return kind_ == Kind::Length ? ReadLength(typed, units_.length, limit)
                                 : ReadWeight(typed, units_.weight, limit);
}

QValidator::State QuantityField::validate(QString& text, int&) const {
    const QuantityReading reading = read(text);
    if (reading.value) {
        const double shown = toDisplay(*reading.value);
        if (shown >= minimum() && shown <= maximum())
            return QValidator::Acceptable;
        return QValidator::Intermediate;
    }
    // Whatever may still become a quantity while it is typed.
    for (const QChar c : text)
        if (!c.isLetterOrNumber() && !QStringLiteral(" .,/\"'+-\t").contains(c))
            return QValidator::Invalid;
    return QValidator::Intermediate;
}

double QuantityField::valueFromText(const QString& text) const {
    const QuantityReading reading = read(text);
    if (!reading.value)
        return value();
    const double display = toDisplay(*reading.value);
    const double shown = std::clamp(display, minimum(), maximum());
    exact_ = Exact{rounded(shown), shown == display ? *reading.value : fromDisplay(shown)};
    return shown;
}

QString QuantityField::textFromValue(double value) const {
    QString number = locale().toString(value, 'f', decimals());
    if (std::abs(value) >= 1000.0)
        number.remove(locale().groupSeparator());
    const std::string symbol =
        kind_ == Kind::Length ? UnitSymbol(units_.length) : UnitSymbol(units_.weight);
    return number + QLatin1Char(' ') + QString::fromStdString(symbol);
}

void QuantityField::fixup(QString&) const {
    // Nothing to repair: a text that is no quantity is refused, not guessed at.
}

std::optional<QuantityProblem> QuantityField::problem() const {
    if (refusedText_)
        return refusedProblem_;
    const QuantityReading reading = read(text());
    if (!reading.value)
        return reading.problem;
    return std::nullopt;
}

void QuantityField::showRefusedText() {
    if (refusedText_)
        lineEdit()->setText(*refusedText_);
}

void QuantityField::focusInEvent(QFocusEvent* event) {
    refusedText_.reset();
    DecimalField::focusInEvent(event);
}

void QuantityField::rememberRefusal() {
    const QuantityReading reading = read(text());
    if (!reading.value) {
        refusedText_ = text();
        refusedProblem_ = reading.problem;
    }
}

void QuantityField::focusOutEvent(QFocusEvent* event) {
    // The spin box goes back to its last value; what was typed is kept to be reported.
    rememberRefusal();
    DecimalField::focusOutEvent(event);
}

void QuantityField::keyPressEvent(QKeyEvent* event) {
    // Enter, too, puts the last value back before the dialog's default button acts.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        rememberRefusal();
    DecimalField::keyPressEvent(event);
}

} // namespace vantor
