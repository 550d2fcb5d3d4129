#include "designfile/SafeFile.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vantor {

namespace {

std::string SystemReason(std::string_view what, int error) {
    return std::string(what) + ": " + std::strerror(error);
}

// What a file of this mode is, for the reason a reader or writer gives.
std::string KindOf(mode_t mode) {
    if (S_ISDIR(mode))
        return "it is a folder";
    if (S_ISFIFO(mode))
        return "it is a FIFO, not a regular file";
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return "it is a device, not a regular file";
    if (S_ISSOCK(mode))
        return "it is a socket, not a regular file";
    return "it is not a regular file";
}

// Enough of the file name to recognise the temporary file by, cut so that the hidden
// temporary name stays within the 255 bytes a file name may have.
std::string TemporaryStem(const std::string& name) {
    constexpr std::size_t Keep = 200;
    if (name.size() <= Keep)
        return name;
    std::size_t cut = Keep;
    while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80)
        --cut; // not inside a UTF-8 character
    return name.substr(0, cut);
}

// What marks a temporary file of a save: "." + name + marker + up to six digits.
constexpr char TemporaryMarker[] = ".vantor-save-";
// A temporary file older than this was left by a save that was killed.
constexpr std::chrono::minutes StaleAge{15};

bool IsTemporaryName(std::string_view name) {
    const std::string_view markerText = TemporaryMarker;
    const std::size_t marker = name.rfind(markerText);
    if (name.empty() || name.front() != '.' || marker == std::string_view::npos || marker < 2)
        return false;
    const std::string_view digits = name.substr(marker + markerText.size());
    return !digits.empty() && digits.size() <= 6 &&
           std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Removes the temporary files that killed saves left in the folder: only files named as
// ours, owned by this user, older than a running save could be, and not locked by one.
void RemoveStaleTemporaries(const std::filesystem::path& directory) {
    std::error_code error;
    std::filesystem::directory_iterator entries(directory.empty() ? "." : directory, error);
    if (error)
        return;
    const auto now = std::chrono::system_clock::now();
    for (const std::filesystem::directory_entry& entry : entries) {
        if (!IsTemporaryName(entry.path().filename().string()))
            continue;
        const int fd = ::open(entry.path().c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            continue;
        struct stat status {};
        const bool stale =
            ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && status.st_uid == ::geteuid() &&
            now - std::chrono::system_clock::from_time_t(status.st_mtime) > StaleAge &&
            ::flock(fd, LOCK_EX | LOCK_NB) == 0;
        if (stale)
            ::unlink(entry.path().c_str());
        ::close(fd);
    }
}

// Closes the descriptor and removes the temporary file unless the save went through.
class TemporaryFile {
public:
    ~TemporaryFile() {
        if (fd_ >= 0)
            ::close(fd_);
        if (!path_.empty())
            ::unlink(path_.c_str());
    }

    // Creates a new, hidden file beside `target`; false with errno set when it cannot.
    bool create(const std::filesystem::path& target) {
        std::random_device random;
        const std::filesystem::path directory = target.parent_path();
        for (int attempt = 0; attempt < 100; ++attempt) {
            const std::string name = "." + TemporaryStem(target.filename().string()) +
                                     TemporaryMarker + std::to_string(random() % 1000000);
            const std::filesystem::path candidate = directory / name;
            // Mode 0666 lets the umask decide, as for any newly created file.
            fd_ = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd_ >= 0) {
                path_ = candidate;
                // Held until the descriptor closes: a save that cleans the folder
                // leaves a locked temporary alone.
                ::flock(fd_, LOCK_EX | LOCK_NB);
                return true;
            }
            if (errno != EEXIST)
                return false;
        }
        return false;
    }

    int fd() const { return fd_; }
    const std::filesystem::path& path() const { return path_; }

    // Closes the descriptor; false with errno set when the close reports an error.
    bool close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

    // The file has become the target: nothing to remove any more.
    void keep() { path_.clear(); }

private:
    int fd_ = -1;
    std::filesystem::path path_;
};

bool WriteAll(int fd, std::span<const std::uint8_t> bytes, std::optional<std::size_t> limit) {
    std::size_t written = 0;
    while (written < bytes.size()) {
        std::size_t chunk = bytes.size() - written;
        if (limit) {
            if (written >= *limit) {
                errno = ENOSPC;
                return false;
            }
            chunk = std::min(chunk, *limit - written);
        }
        const ssize_t n = ::write(fd, bytes.data() + written, chunk);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        written += static_cast<std::size_t>(n);
    }
    return true;
}

// Flushes the directory entry of the renamed file; a failure here is not worth
// reporting, the data itself is already on the disk.
void SyncDirectory(const std::filesystem::path& directory) {
    const int fd =
        ::open(directory.empty() ? "." : directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

} // namespace

FileReadResult ReadRegularFile(const std::filesystem::path& path, std::size_t maxBytes,
                               bool prefixOnly) {
    FileReadResult result;
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        result.missing = errno == ENOENT;
        result.reason = SystemReason("cannot open the file", errno);
        return result;
    }
    if (!S_ISREG(status.st_mode)) {
        result.reason = "cannot open the file: " + KindOf(status.st_mode);
        return result;
    }
    // Not blocking, should the file have been swapped for a FIFO since the check.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        result.reason = SystemReason("cannot open the file", errno);
        return result;
    }
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        result.reason = "cannot open the file: " + KindOf(status.st_mode);
        return result;
    }
    result.fileSize = static_cast<std::uint64_t>(status.st_size);
    const auto tooLarge = [&] {
        result.tooLarge = true;
        result.reason = "the file is larger than " + std::to_string(maxBytes) + " bytes";
        result.bytes.clear();
        return result;
    };
    if (result.fileSize > maxBytes && !prefixOnly)
        return tooLarge();
    // One byte more than allowed tells a file that grew while it was read.
    const std::size_t wanted = prefixOnly ? maxBytes : maxBytes + 1;
    result.bytes.resize(std::min<std::uint64_t>(result.fileSize, maxBytes) + 1);
    std::size_t got = 0;
    while (got < wanted) {
        if (got == result.bytes.size())
            result.bytes.resize(std::min(wanted, std::max<std::size_t>(got * 2, 65536)));
        const std::size_t room = std::min(result.bytes.size(), wanted) - got;
        const ssize_t n = ::read(fd, result.bytes.data() + got, room);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            result.reason = SystemReason("cannot read the file", errno);
            result.bytes.clear();
            return result;
        }
        if (n == 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    if (got > maxBytes)
        return tooLarge();
    result.bytes.resize(got);
    result.ok = true;
    return result;
}

std::optional<std::string> NotARegularFile(const std::filesystem::path& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0 || S_ISREG(status.st_mode))
        return std::nullopt;
    return KindOf(status.st_mode);
}

WriteTarget ResolveWriteTarget(const std::filesystem::path& path) {
    std::filesystem::path current = path;
    // As many links as the system itself follows.
    for (int hop = 0; hop < 40; ++hop) {
        struct stat status {};
        if (::lstat(current.c_str(), &status) != 0) {
            // Nothing there yet: the save creates it (or fails to create it beside).
            if (errno == ENOENT || errno == ENOTDIR)
                return {current, {}};
            return {current, SystemReason("cannot reach the file", errno)};
        }
        if (S_ISREG(status.st_mode))
            return {current, {}};
        if (!S_ISLNK(status.st_mode))
            return {current,
                    "will not write over " + current.string() + ": " + KindOf(status.st_mode)};
        std::error_code error;
        std::filesystem::path next = std::filesystem::read_symlink(current, error);
        if (error)
            return {current, "cannot follow the link: " + error.message()};
        current = next.is_relative() ? current.parent_path() / next : next;
    }
    return {path, "cannot follow the link: too many levels of links"};
}

FileWriteResult ReplaceFileContents(const std::filesystem::path& path,
                                    std::span<const std::uint8_t> bytes,
                                    std::optional<std::size_t> failAfterBytes) {
    return ReplaceFileContentsStreamed(
        path, [bytes](const ByteSink& sink) { return sink(bytes) ? std::string() : "-"; },
        failAfterBytes);
}

FileWriteResult ReplaceFileContentsStreamed(const std::filesystem::path& path,
                                            const ByteProducer& produce,
                                            std::optional<std::size_t> failAfterBytes) {
    FileWriteResult result;
    const WriteTarget resolved = ResolveWriteTarget(path);
    if (!resolved.refusal.empty()) {
        result.reason = resolved.refusal;
        return result;
    }
    const std::filesystem::path& target = resolved.path;
    if (target.filename().empty()) {
        result.reason = "not a file name";
        return result;
    }

    // A file the user made read-only is not replaced behind their back.
    if (::access(target.c_str(), F_OK) == 0 && ::access(target.c_str(), W_OK) != 0) {
        result.reason = SystemReason("cannot write the file", errno);
        return result;
    }

    TemporaryFile file;
    if (!file.create(target)) {
        result.reason = SystemReason("cannot create a file in the folder", errno);
        return result;
    }
    // Keep the permissions of the file being replaced.
    struct stat old {};
    if (::stat(target.c_str(), &old) == 0)
        ::fchmod(file.fd(), old.st_mode & 07777);

    std::size_t written = 0;
    int writeError = 0;
    const ByteSink sink = [&](std::span<const std::uint8_t> bytes) {
        if (writeError != 0)
            return false;
        std::optional<std::size_t> left;
        if (failAfterBytes)
            left = *failAfterBytes > written ? *failAfterBytes - written : 0;
        if (!WriteAll(file.fd(), bytes, left)) {
            writeError = errno != 0 ? errno : EIO;
            return false;
        }
        written += bytes.size();
        return true;
    };
    const std::string produced = produce(sink);
    if (writeError != 0) {
        result.reason = SystemReason("cannot write", writeError);
        return result;
    }
    if (!produced.empty()) {
        result.reason = produced;
        return result;
    }
    if (::fsync(file.fd()) != 0) {
        result.reason = SystemReason("cannot flush to the disk", errno);
        return result;
    }
    if (!file.close()) {
        result.reason = SystemReason("cannot close", errno);
        return result;
    }
    if (::rename(file.path().c_str(), target.c_str()) != 0) {
        result.reason = SystemReason("cannot replace the file", errno);
        return result;
    }
    file.keep();
    SyncDirectory(target.parent_path());
    RemoveStaleTemporaries(target.parent_path());
    result.ok = true;
    return result;
}

} // namespace vantor
