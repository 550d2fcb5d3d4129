#pragma once

#include <QDoubleSpinBox>

namespace vantor {

// A number field with two decimals shown with the system's decimal separator, which takes
// either separator as typed: "7.1" and "7,1" both mean seven point one, whatever the
// locale, and neither is read as a digit group.
class DecimalField : public QDoubleSpinBox {
public:
    explicit DecimalField(QWidget* parent = nullptr);

    QValidator::State validate(QString& text, int& position) const override;
    double valueFromText(const QString& text) const override;

private:
    QString withLocaleSeparator(QString text) const;
};

} // namespace vantor
