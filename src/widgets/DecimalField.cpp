#include "widgets/DecimalField.h"

namespace vantor {

DecimalField::DecimalField(QWidget* parent) : QDoubleSpinBox(parent) {
    setDecimals(2);
    setGroupSeparatorShown(false);
    setKeyboardTracking(true);
}

QString DecimalField::withLocaleSeparator(QString text) const {
    const QString separator = locale().decimalPoint();
    text.replace(QLatin1Char('.'), separator);
    text.replace(QLatin1Char(','), separator);
    return text;
}

QValidator::State DecimalField::validate(QString& text, int& position) const {
    text = withLocaleSeparator(text);
    return QDoubleSpinBox::validate(text, position);
}

double DecimalField::valueFromText(const QString& text) const {
    return QDoubleSpinBox::valueFromText(withLocaleSeparator(text));
}

} // namespace vantor
