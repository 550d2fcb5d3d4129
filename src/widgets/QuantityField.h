#pragma once

#include "model/Quantities.h"
#include "widgets/DecimalField.h"

#include <optional>

namespace vantor {

// A decimal field for a length or a weight that shows its value in the chosen display
// unit, with the unit's symbol ("12.70 mm", "0.50 in", "1.00 oz"), and takes a typed
// value with or without a unit ("1/2 in", "3 1/4\"", "0,5", "2 oz"). A bare number is in
// the display unit: "0.5" is half of it. On leaving the field the text is converted into
// the display unit. A typed value keeps all its precision, though two decimals are shown.
class QuantityField final : public DecimalField {
    Q_OBJECT

public:
    enum class Kind { Length, Weight };

    explicit QuantityField(Kind kind, QWidget* parent = nullptr);

    Kind kind() const { return kind_; }
    // Shows the value in the new unit; the value itself does not change.
    void setUnits(UnitChoice units);
    UnitChoice units() const { return units_; }

    // The value in the design's unit (millimetres or grams): the one typed or given while
    // the field still shows it, else the shown one converted.
    double designValue() const;
    void setDesignValue(double value);

    // Why the text typed last cannot be taken, when it cannot: the text the field holds
    // now, or the one it held when it was left (the field then went back to its value).
    std::optional<QuantityProblem> problem() const;
    // Puts a text that could not be taken back into the field, to be corrected.
    void showRefusedText();
    // Forgets a text that could not be taken (the field is loaded afresh).
    void forgetRefusal() { refusedText_.reset(); }

    QValidator::State validate(QString& text, int& position) const override;
    double valueFromText(const QString& text) const override;
    QString textFromValue(double value) const override;
    void fixup(QString& text) const override;

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QuantityReading read(const QString& text) const;
    // Keeps a text that cannot be taken, before the spin box puts its value back.
    void rememberRefusal();
    double toDisplay(double designValue) const;
    double fromDisplay(double displayValue) const;
    // The value as the field rounds it.
    double rounded(double displayValue) const;

    Kind kind_;
    UnitChoice units_;
    // The exact value behind the rounded one shown.
    struct Exact {
        double shown;
        double design;
    };
    mutable std::optional<Exact> exact_;
    std::optional<QString> refusedText_;
    QuantityProblem refusedProblem_ = QuantityProblem::None;
};

} // namespace vantor
