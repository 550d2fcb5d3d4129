#pragma once

#include <string>

namespace vantor {

// Formats like the fixed patterns "0", "0.0", "0.00": `decimals` digits after the
// separator, halves rounded away from zero, no minus sign on a value that rounds to 0.
std::string FormatFixed(double value, int decimals, char decimalSeparator);

// A number for JSON and CSV: `decimals` digits after a point, "null" when not finite.
std::string DataNumber(double value, int decimals);

} // namespace vantor
