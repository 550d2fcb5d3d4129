#include "widgets/ColourBox.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <array>

namespace vantor {

namespace {

struct NamedColour {
    std::uint32_t code;
    const char* name;
};

// The standard and the extended colours, 0x00BBGGRR.
constexpr std::array<NamedColour, 20> ExplicitColours{{
    {0x000000, "Black"}, {0x000080, "Maroon"},      {0x008000, "Green"},
    {0x008080, "Olive"}, {0x800000, "Navy"},        {0x800080, "Purple"},
    {0x808000, "Teal"},  {0x808080, "Gray"},        {0xC0C0C0, "Silver"},
    {0x0000FF, "Red"},   {0x00FF00, "Lime"},        {0x00FFFF, "Yellow"},
    {0xFF0000, "Blue"},  {0xFF00FF, "Fuchsia"},     {0xFFFF00, "Aqua"},
    {0xFFFFFF, "White"}, {0xC0DCC0, "Money Green"}, {0xF0CAA6, "Sky Blue"},
    {0xF0FBFF, "Cream"}, {0xA4A0A0, "Medium Gray"},
}};

// The system colours by their index, with the palette entry that plays their part here.
struct SystemColour {
    const char* name;
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

constexpr std::array<SystemColour, 25> SystemColours{{
    {"Scroll Bar", QPalette::Active, QPalette::Button},
    {"Background", QPalette::Active, QPalette::Window},
    {"Active Caption", QPalette::Active, QPalette::Highlight},
    {"Inactive Caption", QPalette::Inactive, QPalette::Highlight},
    {"Menu", QPalette::Active, QPalette::Window},
    {"Window", QPalette::Active, QPalette::Base},
    {"Window Frame", QPalette::Active, QPalette::Shadow},
    {"Menu Text", QPalette::Active, QPalette::WindowText},
    {"Window Text", QPalette::Active, QPalette::Text},
    {"Caption Text", QPalette::Active, QPalette::HighlightedText},
    {"Active Border", QPalette::Active, QPalette::Window},
    {"Inactive Border", QPalette::Inactive, QPalette::Window},
    {"Application Workspace", QPalette::Active, QPalette::Mid},
    {"Highlight", QPalette::Active, QPalette::Highlight},
    {"Highlight Text", QPalette::Active, QPalette::HighlightedText},
    {"Button Face", QPalette::Active, QPalette::Button},
    {"Button Shadow", QPalette::Active, QPalette::Dark},
    {"Gray Text", QPalette::Disabled, QPalette::Text},
    {"Button Text", QPalette::Active, QPalette::ButtonText},
    {"Inactive Caption Text", QPalette::Inactive, QPalette::HighlightedText},
    {"Button Highlight", QPalette::Active, QPalette::Light},
    {"3D Dark Shadow", QPalette::Active, QPalette::Shadow},
    {"3D Light", QPalette::Active, QPalette::Midlight},
    {"Info Text", QPalette::Active, QPalette::ToolTipText},
    {"Info Background", QPalette::Active, QPalette::ToolTipBase},
}};

bool IsExplicit(std::uint32_t code) {
    return (code & 0xFF000000u) == 0;
}

bool IsListedSystemColour(std::uint32_t code) {
    return (code & 0xFFFFFF00u) == SystemColourFlag && (code & 0xFFu) < SystemColours.size();
}

QIcon Swatch(const QColor& colour) {
    QPixmap pixmap(16, 12);
    pixmap.fill(colour);
    QPainter painter(&pixmap);
    painter.setPen(Qt::black);
    painter.drawRect(pixmap.rect().adjusted(0, 0, -1, -1));
    return QIcon(pixmap);
}

} // namespace

bool IsKnownColourCode(std::uint32_t code) {
    return IsExplicit(code) || IsListedSystemColour(code);
}

QColor ColourOfCode(std::uint32_t code) {
    if (IsExplicit(code))
        return QColor(int(code & 0xFF), int((code >> 8) & 0xFF), int((code >> 16) & 0xFF));
    if (IsListedSystemColour(code)) {
        const SystemColour& system = SystemColours[code & 0xFF];
        return QGuiApplication::palette().color(system.group, system.role);
    }
    return Qt::black;
}

std::uint32_t CodeOfColour(const QColor& colour) {
    const QColor rgb = colour.toRgb();
    return std::uint32_t(rgb.red()) | std::uint32_t(rgb.green()) << 8 |
           std::uint32_t(rgb.blue()) << 16;
}

ColourBox::ColourBox(QWidget* parent) : QComboBox(parent) {
    addItem(QString(), 0u);
    setCustomCode(0);
    for (const NamedColour& named : ExplicitColours)
        addItem(Swatch(ColourOfCode(named.code)), QString::fromLatin1(named.name), named.code);
    for (std::uint32_t index = 0; index < SystemColours.size(); ++index) {
        const std::uint32_t code = SystemColourFlag | index;
        addItem(Swatch(ColourOfCode(code)), QString::fromLatin1(SystemColours[index].name), code);
    }
    setCurrentIndex(1); // black
    previousIndex_ = currentIndex();
    connect(this, &QComboBox::activated, this, &ColourBox::entryActivated);
}

std::uint32_t ColourBox::colourCode() const {
    const int index = currentIndex();
    return index < 0 ? 0u : itemData(index).toUInt();
}

bool ColourBox::setColourCode(std::uint32_t code) {
    if (!IsKnownColourCode(code))
        return false;
    int index = -1;
    for (int i = CustomIndex + 1; i < count() && index < 0; ++i)
        if (itemData(i).toUInt() == code)
            index = i;
    if (index < 0) {
        setCustomCode(code);
        index = CustomIndex;
    }
    setCurrentIndex(index);
    previousIndex_ = index;
    return true;
}

void ColourBox::setCustomCode(std::uint32_t code) {
    setItemData(CustomIndex, code);
    setItemIcon(CustomIndex, Swatch(ColourOfCode(code)));
    setItemText(CustomIndex, QStringLiteral("Custom..."));
}

void ColourBox::entryActivated(int index) {
    if (index == CustomIndex) {
        const std::optional<QColor> chosen =
            chooser_ ? chooser_(ColourOfCode(itemData(CustomIndex).toUInt())) : std::nullopt;
        if (!chosen || !chosen->isValid()) {
            setCurrentIndex(previousIndex_);
            return;
        }
        setColourCode(CodeOfColour(*chosen));
        // A chosen colour that is listed selects its entry; the custom entry keeps it too.
        setCustomCode(CodeOfColour(*chosen));
    }
    previousIndex_ = currentIndex();
}

} // namespace vantor
