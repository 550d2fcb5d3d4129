#pragma once

#include <array>
#include <cstdint>
#include <limits>
#include <string_view>

namespace vantor {

// Where the program's settings live: QSettings(organisation, application), native format.
inline constexpr std::string_view SettingsOrganization = "Qendel";
inline constexpr std::string_view SettingsApplication = "CAD";

enum class SettingKind {
    Colour,  // 0x00BBGGRR, or a system colour code
    Integer, // a whole number in [minimum, maximum]
    Boolean, // stored as 0 or 1, read as true for anything but 0
};

// One stored value: its name in the store, what it holds, the value the program uses
// when it is absent, and the range a value read or typed is held to.
struct SettingKey {
    std::string_view name;
    SettingKind kind;
    std::int32_t defaultValue;
    std::int32_t minimum = std::numeric_limits<std::int32_t>::min();
    std::int32_t maximum = std::numeric_limits<std::int32_t>::max();

    constexpr std::int32_t clamped(std::int32_t value) const {
        return value < minimum ? minimum : (value > maximum ? maximum : value);
    }
    constexpr bool inRange(std::int32_t value) const {
        return minimum <= value && value <= maximum;
    }
};

namespace Settings {

inline constexpr SettingKey BackgroundColor{"BackgroundColor", SettingKind::Colour, 0xFFFFFF};
// Index of the unit of the pointer readout: pixels, millimetres, centimetres, inches.
inline constexpr SettingKey Units{"jednostki", SettingKind::Integer, 0, 0, 3};
inline constexpr SettingKey GridX{"GridX", SettingKind::Integer, 50, 5, 500};
inline constexpr SettingKey GridY{"GridY", SettingKind::Integer, 50, 5, 500};
inline constexpr SettingKey GridColor{"GridColor", SettingKind::Colour, 0xE2E2E2};
inline constexpr SettingKey VisibleGrid{"VisibleGrid", SettingKind::Boolean, 0, 0, 1};
inline constexpr SettingKey SnapGrid{"SnapGrid", SettingKind::Boolean, 0, 0, 1};
inline constexpr SettingKey Rulers{"Linijki", SettingKind::Boolean, 1, 0, 1};
inline constexpr SettingKey Grid{"Siatka1", SettingKind::Boolean, 1, 0, 1};
inline constexpr SettingKey Guides{"Prowadnice1", SettingKind::Boolean, 1, 0, 1};
// Whether the captions are Polish (the language library chosen at start).
inline constexpr SettingKey Polish{"Pol", SettingKind::Boolean, 1, 0, 1};
inline constexpr SettingKey English{"Eng", SettingKind::Boolean, 0, 0, 1};
// Whether the standard stability analysis's centre of pressure is marked on the axis.
inline constexpr SettingKey StabilityMarker{"StabilityMarker", SettingKind::Boolean, 1, 0, 1};

// Every value, in the order they are read and written.
inline constexpr std::array<SettingKey, 13> All{
    BackgroundColor, Units, GridX,  GridY,  GridColor, VisibleGrid,    SnapGrid,
    Rulers,          Grid,  Guides, Polish, English,   StabilityMarker};

} // namespace Settings

} // namespace vantor
