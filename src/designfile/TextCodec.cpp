#include "designfile/TextCodec.h"

#include <algorithm>
#include <cerrno>
#include <iconv.h>
#include <stdexcept>

namespace vantor {

namespace {

constexpr const char* FileCharset = "WINDOWS-1250";
constexpr std::string_view ReplacementCharacter = "\xEF\xBF\xBD"; // U+FFFD

iconv_t Handle(void* handle) {
    return static_cast<iconv_t>(handle);
}

void* Open(const char* to, const char* from) {
    iconv_t handle = iconv_open(to, from);
    if (handle == reinterpret_cast<iconv_t>(-1))
        throw std::runtime_error(std::string("no text conversion from ") + from + " to " + to);
    return handle;
}

// Length of the UTF-8 sequence that starts with `lead`, as far as the lead byte tells;
// a stray continuation byte or an invalid lead counts as one byte.
std::size_t SequenceLength(unsigned char lead) {
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    return 1;
}

// Skips the character iconv refused: its lead byte and the continuation bytes that follow.
std::size_t BrokenCharacterLength(const char* in, std::size_t left) {
    const std::size_t expected = std::min(SequenceLength(static_cast<unsigned char>(in[0])), left);
    std::size_t n = 1;
    while (n < expected && (static_cast<unsigned char>(in[n]) & 0xC0) == 0x80)
        ++n;
    return n;
}

} // namespace

TextFieldCodec::TextFieldCodec() : toFile_(Open(FileCharset, "UTF-8")), fromFile_(nullptr) {
    try {
        fromFile_ = Open("UTF-8", FileCharset);
    } catch (...) {
        iconv_close(Handle(toFile_));
        throw;
    }
}

TextFieldCodec::~TextFieldCodec() {
    iconv_close(Handle(toFile_));
    iconv_close(Handle(fromFile_));
}

TextField TextFieldCodec::encode(std::string_view utf8) const {
    TextField field{};
    // iconv takes non-const input pointers but does not write through them.
    char* in = const_cast<char*>(utf8.data());
    std::size_t inLeft = utf8.size();
    char* out = reinterpret_cast<char*>(field.data());
    std::size_t outLeft = TextFieldCapacity; // the last byte stays the terminating zero
    iconv(Handle(toFile_), nullptr, nullptr, nullptr, nullptr);
    while (inLeft > 0 && outLeft > 0) {
        if (iconv(Handle(toFile_), &in, &inLeft, &out, &outLeft) != static_cast<std::size_t>(-1))
            break;
        if (errno == E2BIG)
            break; // the field is full: the rest of the text is cut off
        // EILSEQ (no such character, or broken UTF-8) or EINVAL (a sequence cut short at
        // the end of the text): one "?" stands for the character.
        const std::size_t skip = BrokenCharacterLength(in, inLeft);
        in += skip;
        inLeft -= skip;
        *out++ = '?';
        --outLeft;
    }
    return field;
}

std::string TextFieldCodec::decode(std::span<const std::uint8_t> field) const {
    const auto end = std::find(field.begin(), field.end(), std::uint8_t{0});
    const std::size_t length = static_cast<std::size_t>(end - field.begin());
    // Every Windows-1250 character takes at most three UTF-8 bytes, U+FFFD too.
    std::string buffer(length * 3, '\0');
    char* in = const_cast<char*>(reinterpret_cast<const char*>(field.data()));
    std::size_t inLeft = length;
    char* out = buffer.data();
    std::size_t outLeft = buffer.size();
    iconv(Handle(fromFile_), nullptr, nullptr, nullptr, nullptr);
    while (inLeft > 0) {
        if (iconv(Handle(fromFile_), &in, &inLeft, &out, &outLeft) != static_cast<std::size_t>(-1))
            break;
        if (errno == E2BIG)
            break; // cannot happen with the buffer sized above; stop rather than loop
        // A byte Windows-1250 leaves undefined.
        std::copy(ReplacementCharacter.begin(), ReplacementCharacter.end(), out);
        out += ReplacementCharacter.size();
        outLeft -= ReplacementCharacter.size();
        ++in;
        --inLeft;
    }
    buffer.resize(buffer.size() - outLeft);
    return buffer;
}

} // namespace vantor
