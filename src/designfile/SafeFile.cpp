#include "designfile/SafeFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace vantor {

namespace {

std::string SystemReason(std::string_view what, int error) {
    return std::string(what) + ": " + std::strerror(error);
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
            const std::string name =
                "." + target.filename().string() + ".tmp" + std::to_string(random() % 1000000);
            const std::filesystem::path candidate = directory / name;
            // Mode 0666 lets the umask decide, as for any newly created file.
            fd_ = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd_ >= 0) {
                path_ = candidate;
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

FileWriteResult ReplaceFileContents(const std::filesystem::path& path,
                                    std::span<const std::uint8_t> bytes,
                                    std::optional<std::size_t> failAfterBytes) {
    FileWriteResult result;
    std::filesystem::path target = path;
    std::error_code error;
    if (std::filesystem::is_symlink(path, error)) {
        std::filesystem::path resolved = std::filesystem::weakly_canonical(path, error);
        if (!error)
            target = std::move(resolved);
    }
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

    if (!WriteAll(file.fd(), bytes, failAfterBytes)) {
        result.reason = SystemReason("cannot write", errno);
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
    result.ok = true;
    return result;
}

} // namespace vantor
