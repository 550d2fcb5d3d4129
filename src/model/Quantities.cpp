#include "model/Quantities.h"

#include "model/NumberFormat.h"

#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace vantor {

namespace {

struct UnitName {
    std::string_view name;
    double factor; // millimetres or grams in one
};

// Exact by definition: an inch is 25.4 mm, a foot 12 inches, an ounce (avoirdupois)
// 28.349523125 g.
constexpr std::array<UnitName, 7> LengthNames{
    {{"mm", 1}, {"cm", 10}, {"m", 1000}, {"in", 25.4}, {"\"", 25.4}, {"ft", 304.8}, {"'", 304.8}}};
constexpr std::array<UnitName, 3> WeightNames{{{"g", 1}, {"kg", 1000}, {"oz", 28.349523125}}};

class Cursor {
public:
    explicit Cursor(std::string_view text) : text_(text) {}

    void skipSpaces() {
        while (at_ < text_.size() && (text_[at_] == ' ' || text_[at_] == '\t'))
            ++at_;
    }
    bool done() const { return at_ >= text_.size(); }
    char peek() const { return done() ? '\0' : text_[at_]; }
    bool take(char c) {
        if (peek() != c)
            return false;
        ++at_;
        return true;
    }
    bool digitNext() const { return std::isdigit(static_cast<unsigned char>(peek())) != 0; }
    std::string_view rest() const { return text_.substr(at_); }
    std::size_t position() const { return at_; }
    void moveTo(std::size_t at) { at_ = at; }

    // Digits with at most one separator, "." or ","; false when there is no digit.
    bool decimal(double& value) {
        std::string digits;
        bool separator = false, any = false;
        while (!done()) {
            const char c = peek();
            if (std::isdigit(static_cast<unsigned char>(c)) != 0) {
                digits += c;
                any = true;
            } else if ((c == '.' || c == ',') && !separator) {
                digits += '.';
                separator = true;
            } else {
                break;
            }
            ++at_;
        }
        if (!any)
            return false;
        const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(),
                                                  value, std::chars_format::fixed);
        if (error == std::errc::result_out_of_range) {
            value = HUGE_VAL;
            return true;
        }
        return error == std::errc() && end == digits.data() + digits.size();
    }

    // Whole digits only.
    bool whole(double& value) {
        const std::size_t start = at_;
        while (digitNext())
            ++at_;
        if (at_ == start)
            return false;
        const std::string_view digits = text_.substr(start, at_ - start);
        const auto [end, error] =
            std::from_chars(digits.data(), digits.data() + digits.size(), value);
        if (error == std::errc::result_out_of_range)
            value = HUGE_VAL;
        return true;
    }

private:
    std::string_view text_;
    std::size_t at_ = 0;
};

// "a/b" at the cursor, spaces allowed around the stroke; nothing when there is none, and
// the cursor is then left where it was.
std::optional<std::pair<double, double>> Fraction(Cursor& cursor) {
    const std::size_t start = cursor.position();
    double over = 0, under = 0;
    if (!cursor.whole(over)) {
        cursor.moveTo(start);
        return std::nullopt;
    }
    cursor.skipSpaces();
    if (!cursor.take('/')) {
        cursor.moveTo(start);
        return std::nullopt;
    }
    cursor.skipSpaces();
    if (!cursor.whole(under)) {
        cursor.moveTo(start);
        return std::nullopt;
    }
    return std::pair{over, under};
}

template <std::size_t N>
QuantityReading Read(std::string_view text, const std::array<UnitName, N>& units, double bare,
                     double limit) {
    Cursor cursor(text);
    cursor.skipSpaces();
    if (cursor.done())
        return {std::nullopt, QuantityProblem::Empty};
    double sign = 1;
    if (cursor.take('-'))
        sign = -1;
    else
        cursor.take('+');
    cursor.skipSpaces();

    double magnitude = 0;
    if (const auto fraction = Fraction(cursor)) {
        // "1/2"
        if (fraction->second == 0)
            return {std::nullopt, QuantityProblem::DivisionByZero};
        magnitude = fraction->first / fraction->second;
    } else {
        if (!cursor.decimal(magnitude))
            return {std::nullopt, QuantityProblem::NotANumber};
        // "3 1/4": a whole number followed by a fraction.
        const std::size_t afterNumber = cursor.position();
        const std::string_view number = text.substr(0, afterNumber);
        const bool wholeNumber = number.find('.') == std::string_view::npos &&
                                 number.find(',') == std::string_view::npos;
        cursor.skipSpaces();
        if (wholeNumber && cursor.digitNext()) {
            const auto fraction = Fraction(cursor);
            if (!fraction)
                return {std::nullopt, QuantityProblem::NotANumber};
            if (fraction->second == 0)
                return {std::nullopt, QuantityProblem::DivisionByZero};
            magnitude += fraction->first / fraction->second;
        } else {
            cursor.moveTo(afterNumber);
        }
    }
    cursor.skipSpaces();

    double factor = bare;
    if (!cursor.done()) {
        std::string word;
        for (const char c : cursor.rest())
            word += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        while (!word.empty() && (word.back() == ' ' || word.back() == '\t'))
            word.pop_back();
        bool known = false;
        for (const UnitName& unit : units)
            if (word == unit.name) {
                factor = unit.factor;
                known = true;
            }
        if (!known) {
            // A letter starts a unit's name; anything else is no part of a quantity.
            const bool letters = std::isalpha(static_cast<unsigned char>(word.front())) != 0 ||
                                 word.front() == '"' || word.front() == '\'';
            return {std::nullopt,
                    letters ? QuantityProblem::UnknownUnit : QuantityProblem::NotANumber};
        }
    }
    const double value = sign * magnitude * factor;
    if (!std::isfinite(value) || std::abs(value) > limit)
        return {std::nullopt, QuantityProblem::TooLarge};
    return {value, QuantityProblem::None};
}

template <std::size_t N, typename Unit>
double FactorOf(const std::array<UnitName, N>& units, Unit unit) {
    // The enumerations list their units in the order of the tables, without the
    // second spellings.
    static_assert(N >= 3);
    std::size_t index = 0;
    for (std::size_t i = 0, seen = 0; i < N; ++i) {
        if (units[i].name == "\"" || units[i].name == "'")
            continue;
        if (seen++ == static_cast<std::size_t>(unit)) {
            index = i;
            break;
        }
    }
    return units[index].factor;
}

std::string WithSymbol(double value, int decimals, char separator, const std::string& symbol,
                       bool own) {
    std::string text = FormatFixed(value, decimals, separator);
    return own ? text : text + ' ' + symbol;
}

} // namespace

QuantityReading ReadLength(std::string_view text, LengthUnit bare, double limit) {
    return Read(text, LengthNames, MillimetresIn(bare), limit);
}

QuantityReading ReadWeight(std::string_view text, WeightUnit bare, double limit) {
    return Read(text, WeightNames, GramsIn(bare), limit);
}

double MillimetresIn(LengthUnit unit) {
    return FactorOf(LengthNames, unit);
}

double GramsIn(WeightUnit unit) {
    return FactorOf(WeightNames, unit);
}

std::string UnitSymbol(LengthUnit unit) {
    switch (unit) {
    case LengthUnit::Millimetre:
        return "mm";
    case LengthUnit::Centimetre:
        return "cm";
    case LengthUnit::Metre:
        return "m";
    case LengthUnit::Inch:
        return "in";
    case LengthUnit::Foot:
        return "ft";
    }
    return "mm";
}

std::string UnitSymbol(WeightUnit unit) {
    switch (unit) {
    case WeightUnit::Gram:
        return "g";
    case WeightUnit::Kilogram:
        return "kg";
    case WeightUnit::Ounce:
        return "oz";
    }
    return "g";
}

std::string FormatLength(double millimetres, LengthUnit unit, int decimals, char separator) {
    return WithSymbol(LengthToUnit(millimetres, unit), decimals, separator, UnitSymbol(unit),
                      unit == LengthUnit::Millimetre);
}

std::string FormatWeight(double grams, WeightUnit unit, int decimals, char separator) {
    return WithSymbol(WeightToUnit(grams, unit), decimals, separator, UnitSymbol(unit),
                      unit == WeightUnit::Gram);
}

} // namespace vantor
