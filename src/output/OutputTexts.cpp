#include "output/OutputTexts.h"

#include <vector>

namespace vantor {

std::string OutputTexts::word(std::string_view english) const {
    const auto found = words.find(english);
    return found != words.end() ? found->second : std::string(english);
}

std::string FillPattern(std::string_view pattern, std::initializer_list<std::string_view> values) {
    const std::vector<std::string_view> list(values);
    std::string out;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        const auto index = static_cast<std::size_t>(next - '1');
        if (pattern[i] == '%' && next >= '1' && next <= '9' && index < list.size()) {
            out += list[index];
            ++i;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

} // namespace vantor
