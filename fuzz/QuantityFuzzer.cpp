// Feeds arbitrary text to the length and weight readers, as a user may type anything into
// a field. Besides the sanitizers' checks it aborts when a text is both taken and given a
// reason, when a value taken is not finite or beyond the limit, or when the value written
// back in a unit does not read as the same value.
#include "model/NumberFormat.h"
#include "model/Quantities.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

void Check(bool condition) {
    if (!condition)
        std::abort();
}

template <typename Unit>
void CheckReading(const vantor::QuantityReading& reading, double limit, Unit unit) {
    using vantor::QuantityProblem;
    Check(reading.value.has_value() == (reading.problem == QuantityProblem::None));
    if (!reading.value)
        return;
    Check(std::isfinite(*reading.value) && std::abs(*reading.value) <= limit);
    (void)unit;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vantor;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (const LengthUnit unit : {LengthUnit::Millimetre, LengthUnit::Inch, LengthUnit::Foot}) {
        const QuantityReading reading = ReadLength(text, unit);
        CheckReading(reading, MaxLengthMillimetres, unit);
        if (reading.value) {
            // Written in the unit with enough decimals, the value reads back the same.
            const std::string written =
                FormatFixed(LengthToUnit(*reading.value, unit), 9, '.') + ' ' + UnitSymbol(unit);
            const QuantityReading again = ReadLength(written, LengthUnit::Millimetre);
            Check(again.value.has_value());
            Check(std::abs(*again.value - *reading.value) <= 1e-6 * (1 + std::abs(*reading.value)));
        }
    }
    for (const WeightUnit unit : {WeightUnit::Gram, WeightUnit::Ounce})
        CheckReading(ReadWeight(text, unit), MaxWeightGrams, unit);
    return 0;
}
