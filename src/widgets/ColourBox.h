#pragma once

#include <QColor>
#include <QComboBox>
#include <cstdint>
#include <functional>
#include <optional>

namespace vantor {

// Colours as the settings store them: 0x00BBGGRR for an explicit colour, 0xFF0000nn for
// the system colour nn (a colour of the desktop's palette, resolved when it is used).
inline constexpr std::uint32_t SystemColourFlag = 0xFF000000u;

// Whether `code` is an explicit colour or one of the system colours the box lists.
bool IsKnownColourCode(std::uint32_t code);
// The colour a code stands for now; system colours through the application palette.
// An unknown code gives black.
QColor ColourOfCode(std::uint32_t code);
// The explicit code of a colour (its alpha is dropped).
std::uint32_t CodeOfColour(const QColor& colour);

// A list of colours to choose from: a "Custom..." entry first, which holds the custom
// colour, then the standard, the extended and the system colours, each with a swatch
// and its English name. It is a class of its own, not a plain QComboBox, so the
// caption translation leaves its colour names alone.
class ColourBox : public QComboBox {
    Q_OBJECT

public:
    // Asked for a colour when the user picks "Custom...", starting from the current
    // custom colour; nothing when the user cancels.
    using CustomChooser = std::function<std::optional<QColor>(const QColor& current)>;

    explicit ColourBox(QWidget* parent = nullptr);

    std::uint32_t colourCode() const;
    QColor colour() const { return ColourOfCode(colourCode()); }
    // Selects the entry of `code`; an explicit colour that is not listed becomes the
    // custom colour. A code that is neither explicit nor a listed system colour changes
    // nothing and gives false.
    bool setColourCode(std::uint32_t code);

    // Without a chooser, picking "Custom..." keeps the previous choice.
    void setCustomChooser(CustomChooser chooser) { chooser_ = std::move(chooser); }

    static constexpr int CustomIndex = 0;

private:
    void setCustomCode(std::uint32_t code);
    void entryActivated(int index);

    CustomChooser chooser_;
    int previousIndex_ = -1;
};

} // namespace vantor
