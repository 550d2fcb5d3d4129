#pragma once

#include <QGroupBox>
#include <array>

class QLabel;

namespace vantor {

struct StabilityAnalysis;

// The small table of the standard stability analysis under the summary grid: CNα, CP,
// CG, calibers, verdict and the ballast needed, each a caption and a value. The captions
// are translated with the object window; the values use the system decimal separator.
class StabilityTable final : public QGroupBox {
public:
    explicit StabilityTable(QWidget* parent = nullptr);

    void showAnalysis(const StabilityAnalysis& analysis);
    // Empties every value (no design is shown).
    void clear();
    // The value shown in a row, for the tests: 0 CNα ... 5 ballast needed.
    QString value(int row) const;

    // Whether the note that the margin holds only in the plane of the fins is shown.
    bool finsPlaneNoteShown() const;

    static constexpr int Rows = 6;

private:
    std::array<QLabel*, Rows> values_{};
    QLabel* finsPlaneNote_ = nullptr;
};

} // namespace vantor
