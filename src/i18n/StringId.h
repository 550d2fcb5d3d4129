#pragma once

#include <string_view>

namespace vantor {

// The string identifier a form text carries after its first at-sign ("&Nowy projekt@1616"
// gives 1616), or 0 when there is none. At most 255 characters after the at-sign count.
// They must form a whole decimal integer: an optional '+' or '-' directly followed by
// decimal digits, with a value that fits a 32-bit int. Anything else gives 0: blanks
// anywhere, a hexadecimal prefix, any other character after the digits (a second at-sign
// included), an empty remainder, and values outside the int range.
//
// `text` is UTF-8. Counting bytes instead of characters cannot change the result: a
// non-ASCII character makes the number invalid wherever it falls within the limit, and
// up to the first such character bytes and characters are the same.
int ParseStringId(std::string_view text);

} // namespace vantor
