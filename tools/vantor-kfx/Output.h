#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <ostream>
#include <span>
#include <streambuf>
#include <string>
#include <vector>

namespace vantor::kfx {

// The tool's outputs are checked so that it never reports success for output that was
// not written: standard output through CheckedOutput, files through WriteOutputFile.
// Every command uses them; a failure makes the command exit with FileFailure.

// A stream onto a file descriptor (standard output by default) that checks every write
// and remembers the first failure with its reason.
class CheckedOutput {
public:
    explicit CheckedOutput(int fd = 1);
    CheckedOutput(const CheckedOutput&) = delete;
    CheckedOutput& operator=(const CheckedOutput&) = delete;

    std::ostream& stream() { return stream_; }

    // Flushes what is left; true when every byte arrived. Otherwise writes
    // "cannot write the output: <reason>" to `err`.
    bool finish(std::ostream& err);

    // `status` when the output was written whole, FileFailure (after saying why) when not.
    int finish(int status, std::ostream& err);

private:
    class Buffer : public std::streambuf {
    public:
        explicit Buffer(int fd);
        int error() const { return error_; }

    protected:
        int_type overflow(int_type c) override;
        int sync() override;

    private:
        bool drain();
        int fd_;
        int error_ = 0;
        std::vector<char> space_;
    };

    Buffer buffer_;
    std::ostream stream_;
};

// Writes a file output through the safe save: the earlier file stays whole unless every
// byte of the new one is on the disk; special files are not written over and links are
// followed. On failure writes the path and the reason to `err` and returns false.
// `failAfterBytes` is for tests, as in ReplaceFileContents.
bool WriteOutputFile(const std::string& path, std::span<const std::uint8_t> bytes,
                     std::ostream& err, std::optional<std::size_t> failAfterBytes = std::nullopt);

} // namespace vantor::kfx
