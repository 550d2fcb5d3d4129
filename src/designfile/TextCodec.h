#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace vantor {

// Size of a text field of the design file, and the most text bytes it keeps before its
// terminating zero.
inline constexpr std::size_t TextFieldSize = 30;
inline constexpr std::size_t TextFieldCapacity = TextFieldSize - 1;

using TextField = std::array<std::uint8_t, TextFieldSize>;

// Converts the texts of a design file between the program's UTF-8 and the file's
// Windows-1250. One codec serves a whole file; it holds the two iconv conversions.
class TextFieldCodec {
public:
    // Throws std::runtime_error when the C library offers no Windows-1250 conversion.
    TextFieldCodec();
    ~TextFieldCodec();
    TextFieldCodec(const TextFieldCodec&) = delete;
    TextFieldCodec& operator=(const TextFieldCodec&) = delete;

    // The 30-byte field for a UTF-8 text: at most 29 bytes of Windows-1250, a zero byte,
    // zero fill. A character Windows-1250 has no byte for (or a broken UTF-8 sequence)
    // becomes "?"; a longer text is cut after its 29th character.
    TextField encode(std::string_view utf8) const;

    // The UTF-8 text of a field: its bytes up to the first zero, or all of them when
    // there is none. A byte Windows-1250 leaves undefined becomes U+FFFD.
    std::string decode(std::span<const std::uint8_t> field) const;

private:
    void* toFile_;   // iconv_t, UTF-8 to Windows-1250
    void* fromFile_; // iconv_t, Windows-1250 to UTF-8
};

} // namespace vantor
