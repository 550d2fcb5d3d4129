#pragma once

#include <pugixml.hpp>

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace vantor {

// What is wrong with a file being imported, in plain words.
class ImportError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The largest design document read, unpacked: real designs with their stored simulations
// stay below a few megabytes.
inline constexpr std::size_t MaxDesignXmlBytes = 64u << 20;
// How deep components may nest inside one another.
inline constexpr int MaxComponentDepth = 64;

// Parses the document. Entity declarations are refused (designs never use them), so no
// entity is ever expanded; the size is bounded by the caller.
void ParseDesignXml(pugi::xml_document& doc, std::string_view text);

// A number read from the text of an element; empty when the element is absent. Text that
// is not a finite number is an ImportError naming the element.
std::optional<double> NumberOf(const pugi::xml_node& parent, const char* child);
double NumberOr(const pugi::xml_node& parent, const char* child, double fallback);
// A whole number (a count, a code): the element's number truncated toward zero and held
// to the range of an int, so that any value a file holds converts safely.
int WholeNumberOr(const pugi::xml_node& parent, const char* child, int fallback);
// A number from a string, with the name used in the message.
double ParseNumber(std::string_view text, std::string_view what);
std::string TextOf(const pugi::xml_node& parent, const char* child);

} // namespace vantor
