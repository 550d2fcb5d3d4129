#pragma once

#include <QVariant>
#include <cstdint>
#include <optional>

namespace vantor {

// A value of the settings store read as a 32-bit integer. The store gives an integer
// where it keeps types (a registry DWORD) and text where it does not (the INI-style
// file of other platforms); a decimal text is accepted in the signed or unsigned 32-bit
// range, the unsigned one wrapping as a DWORD does. Anything else - a missing value,
// another kind, a number out of range, a text that is not a whole number - gives
// nothing, so that the caller treats it as missing.
std::optional<std::int32_t> StoredInt32(const QVariant& value);

// A stored boolean: any integer but 0 is true; the words "true" and "false" (a value
// written as a boolean) are read as well. Nothing for anything else.
std::optional<bool> StoredBool(const QVariant& value);

} // namespace vantor
