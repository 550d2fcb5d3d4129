#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace vantor {

// The rules every reader and writer of the program's files keeps: only regular files are
// read, and only regular files are replaced. A FIFO would block the program, a device
// would be read without end or destroyed by the rename of a save, and a folder or socket
// is no file at all.

struct FileReadResult {
    bool ok = false;
    // The path names nothing (or a link that points nowhere).
    bool missing = false;
    // The file is larger than the reader allows; nothing of it was read.
    bool tooLarge = false;
    // Why the file could not be read, in plain words; empty when ok.
    std::string reason;
    std::vector<std::uint8_t> bytes;
    // The size of the whole file.
    std::uint64_t fileSize = 0;
};

// Reads a regular file, or the regular file a symbolic link leads to, without ever
// blocking on a FIFO or touching a device: anything else is refused with the reason.
// A file larger than `maxBytes` is refused unread, unless `prefixOnly`, which reads its
// first `maxBytes` bytes.
FileReadResult ReadRegularFile(const std::filesystem::path& path, std::size_t maxBytes,
                               bool prefixOnly = false);

// Why the path cannot be read as a regular file (a FIFO, a device, a folder, a socket);
// nothing when it is a regular file, a link to one, or names nothing at all.
std::optional<std::string> NotARegularFile(const std::filesystem::path& path);

struct WriteTarget {
    // The file a save replaces: the path itself, or where its chain of links ends.
    std::filesystem::path path;
    // Why nothing may be written there; empty when it may.
    std::string refusal;
};

// Follows the path's symbolic links to the file a save writes, so that the links stay
// links; a link that points nowhere gets its target created. Refuses a target that
// exists and is not a regular file, and a chain of links that does not end.
WriteTarget ResolveWriteTarget(const std::filesystem::path& path);

struct FileWriteResult {
    bool ok = false;
    // Why the write failed, in plain words (with the system's reason); empty when ok.
    std::string reason;
};

// Replaces the file's content with `bytes` so that it is never left half written: the
// bytes go to a new file beside it, which replaces the old one only once every byte is
// written and flushed to the disk. On any failure the old file is untouched and the new
// one removed. A symbolic link is followed and the file it points at replaced (or
// created); a file that may not be written, and anything that is not a regular file, are
// refused. The temporary name stays within the file system's name limit. After a save,
// the temporaries that killed saves left in the folder are removed: only those named as
// ours, older than a quarter of an hour and not locked by a save that is still running.
//
// `failAfterBytes` is for tests: the write behaves as if the disk refused every byte
// after the first `*failAfterBytes`.
FileWriteResult ReplaceFileContents(const std::filesystem::path& path,
                                    std::span<const std::uint8_t> bytes,
                                    std::optional<std::size_t> failAfterBytes = std::nullopt);

// Takes the next bytes of a file being written; false when they could not be written,
// after which the producer should stop.
using ByteSink = std::function<bool(std::span<const std::uint8_t>)>;
// Gives a file's bytes to the sink in order, as they are made, so that a large file never
// has to be held whole; returns why it could not make them (empty when it could).
using ByteProducer = std::function<std::string(const ByteSink&)>;

// ReplaceFileContents for a file made piece by piece: the same guarantees, the old file
// untouched on any failure of the producer or the disk. A failed write is reported with
// the system's reason; otherwise the producer's own reason is.
FileWriteResult
ReplaceFileContentsStreamed(const std::filesystem::path& path, const ByteProducer& produce,
                            std::optional<std::size_t> failAfterBytes = std::nullopt);

} // namespace vantor
