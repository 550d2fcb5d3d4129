#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vantor {

// Units a length may be typed in; the design keeps lengths in millimetres.
enum class LengthUnit { Millimetre, Centimetre, Metre, Inch, Foot };
// Units a weight may be typed in; the design keeps weights in grams.
enum class WeightUnit { Gram, Kilogram, Ounce };

// The units lengths and weights are shown in. The defaults are the design's own units,
// so that with them every number reads as it always has.
struct UnitChoice {
    LengthUnit length = LengthUnit::Millimetre;
    WeightUnit weight = WeightUnit::Gram;
    bool operator==(const UnitChoice&) const = default;
};

// Why a typed quantity was not taken.
enum class QuantityProblem {
    None,
    Empty,          // nothing but spaces
    NotANumber,     // no number where one belongs, or characters that belong to none
    UnknownUnit,    // a word after the number that is no unit of this quantity
    DivisionByZero, // a fraction over zero
    TooLarge,       // beyond any model rocket, or not finite
};

struct QuantityReading {
    std::optional<double> value; // in millimetres or grams, when the text was taken
    QuantityProblem problem = QuantityProblem::None;
};

// Reads a length such as "120", "0,5", "12.7 mm", "1.5in", "1/2 in", "3 1/4\"", "2 ft",
// "0.3 m": an optional sign, a decimal number (either separator) or a fraction with or
// without a whole part, and an optional unit (mm, cm, m, in or ", ft; any case), spaces
// allowed between the parts. A number without a unit is in `bare`. A magnitude beyond
// `limit` millimetres is refused.
// Largest magnitudes taken unless a caller says otherwise: a kilometre, a tonne.
inline constexpr double MaxLengthMillimetres = 1e6;
inline constexpr double MaxWeightGrams = 1e6;
QuantityReading ReadLength(std::string_view text, LengthUnit bare,
                           double limit = MaxLengthMillimetres);
// The same for a weight, with the units g, kg and oz, and a limit in grams.
QuantityReading ReadWeight(std::string_view text, WeightUnit bare, double limit = MaxWeightGrams);

// Conversions between the design's units and the given one.
double MillimetresIn(LengthUnit unit);
double GramsIn(WeightUnit unit);
inline double LengthToUnit(double millimetres, LengthUnit unit) {
    return millimetres / MillimetresIn(unit);
}
inline double LengthFromUnit(double value, LengthUnit unit) {
    return value * MillimetresIn(unit);
}
inline double WeightToUnit(double grams, WeightUnit unit) {
    return grams / GramsIn(unit);
}
inline double WeightFromUnit(double value, WeightUnit unit) {
    return value * GramsIn(unit);
}

// The short symbol a value in the unit is written with: "mm", "in", "g", "oz", ...
std::string UnitSymbol(LengthUnit unit);
std::string UnitSymbol(WeightUnit unit);

// A length or weight written in the chosen unit with `decimals` decimals; with the
// design's own unit (mm, g) only the number, as the tables have always shown it, with
// another the unit's symbol after a space ("0.50 in").
std::string FormatLength(double millimetres, LengthUnit unit, int decimals, char separator);
std::string FormatWeight(double grams, WeightUnit unit, int decimals, char separator);

} // namespace vantor
