#include "i18n/StringId.h"

#include <charconv>

namespace vantor {

int ParseStringId(std::string_view text) {
    const auto at = text.find('@');
    if (at == std::string_view::npos)
        return 0;
    constexpr std::size_t MaxIdLength = 255;
    std::string_view digits = text.substr(at + 1, MaxIdLength);
    if (digits.empty())
        return 0;
    // std::from_chars takes a '-' but not a '+'.
    if (digits.front() == '+') {
        digits.remove_prefix(1);
        if (digits.empty() || digits.front() == '-')
            return 0;
    }
    int value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || end != digits.data() + digits.size())
        return 0;
    return value;
}

} // namespace vantor
