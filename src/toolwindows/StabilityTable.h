#pragma once

#include "i18n/RuntimeTexts.h"
#include "model/Quantities.h"

#include <QGroupBox>
#include <array>
#include <functional>
#include <vector>

class QLabel;
class QPushButton;

namespace vantor {

struct StabilityAnalysis;
struct StabilityRow;

// The small table of the standard stability analysis under the summary grid: CNα, CP,
// CG, calibers, verdict, the ballast needed and where it goes, each a caption and a value,
// and a button that adds that ballast. The captions are translated with the object
// window; the values use the system decimal separator.
// It stays a plain group box (no meta-object of its own), so the form translator
// translates its title as any other group box's.
class StabilityTable final : public QGroupBox {
public:
    explicit StabilityTable(QWidget* parent = nullptr);

    // Lengths and weights are shown in `units`.
    void showAnalysis(const StabilityAnalysis& analysis, UnitChoice units = {});
    // Empties every value (no design is shown).
    void clear();
    // The value shown in a row, for the tests: 0 CNα ... 5 ballast needed, 6 its position.
    QString value(int row) const;

    // Whether the note that the margin holds only in the plane of the fins is shown.
    bool finsPlaneNoteShown() const;

    static constexpr int Rows = 7;
    // Which rows of StabilityRows the table shows, in order: CNa, CP, CG, calibers,
    // verdict, ballast needed and its position (not the reference diameter).
    static constexpr std::array<std::size_t, Rows> ShownRows{0, 1, 2, 4, 5, 6, 7};

    // What the table shows for row `row` of the table from the analysis's rows: the value,
    // with the verdict in the program's language.
    QString shownValue(int row, const std::vector<StabilityRow>& rows) const;

    // Called when "Add ballast" is pressed, with the ballast's weight in grams.
    void setAddBallast(std::function<void(double)> add) { addBallastCall_ = std::move(add); }

private:
    // The translated explanation of the two methods, the tooltip when nothing is missing.
    QString methodTip() const;

    std::function<void(double)> addBallastCall_;
    mutable QString methodTip_;
    std::array<QLabel*, Rows> values_{};
    QLabel* finsPlaneNote_ = nullptr;
    QPushButton* addBallast_ = nullptr;
    double ballastNeeded_ = 0;
    RuntimeTexts verdicts_{*this, "StabilityVerdict", {2562, 2563}};
};

} // namespace vantor
