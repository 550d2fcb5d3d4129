#include "exchange/XmlSupport.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace vantor {

void ParseDesignXml(pugi::xml_document& doc, std::string_view text) {
    if (text.size() > MaxDesignXmlBytes)
        throw ImportError("the design document is larger than " +
                          std::to_string(MaxDesignXmlBytes >> 20) + " MB");
    // Entities are declared in a document type; designs have none. Refusing them keeps
    // the reader from any expansion, internal or external.
    if (text.find("<!ENTITY") != std::string_view::npos)
        throw ImportError("the document declares XML entities, which design files never use");
    const pugi::xml_parse_result parsed =
        doc.load_buffer(text.data(), text.size(), pugi::parse_default, pugi::encoding_auto);
    if (!parsed)
        throw ImportError(std::string("the XML is damaged (") + parsed.description() +
                          " at byte " + std::to_string(parsed.offset) + ")");
}

double ParseNumber(std::string_view text, std::string_view what) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\n' || text.front() == '\t' ||
                             text.front() == '\r'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\n' || text.back() == '\t' ||
                             text.back() == '\r'))
        text.remove_suffix(1);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        throw ImportError(std::string(what) + " is not a number (\"" +
                          std::string(text.substr(0, 40)) + "\")");
    return value;
}

std::optional<double> NumberOf(const pugi::xml_node& parent, const char* child) {
    const pugi::xml_node node = parent.child(child);
    if (!node)
        return std::nullopt;
    return ParseNumber(node.child_value(), child);
}

double NumberOr(const pugi::xml_node& parent, const char* child, double fallback) {
    return NumberOf(parent, child).value_or(fallback);
}

int WholeNumberOr(const pugi::xml_node& parent, const char* child, int fallback) {
    const std::optional<double> value = NumberOf(parent, child);
    if (!value)
        return fallback;
    constexpr double low = std::numeric_limits<int>::min(), high = std::numeric_limits<int>::max();
    return static_cast<int>(std::clamp(std::trunc(*value), low, high));
}

std::string TextOf(const pugi::xml_node& parent, const char* child) {
    return parent.child(child).child_value();
}

} // namespace vantor
