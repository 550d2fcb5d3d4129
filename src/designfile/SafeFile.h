#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>

namespace vantor {

struct FileWriteResult {
    bool ok = false;
    // Why the write failed, in plain words (with the system's reason); empty when ok.
    std::string reason;
};

// Replaces the file's content with `bytes` so that it is never left half written: the
// bytes go to a new file beside it, which replaces the old one only once every byte is
// written and flushed to the disk. On any failure the old file is untouched and the new
// one removed. A symbolic link is followed and the file it points at replaced; a file
// that may not be written is refused.
//
// `failAfterBytes` is for tests: the write behaves as if the disk refused every byte
// after the first `*failAfterBytes`.
FileWriteResult ReplaceFileContents(const std::filesystem::path& path,
                                    std::span<const std::uint8_t> bytes,
                                    std::optional<std::size_t> failAfterBytes = std::nullopt);

} // namespace vantor
