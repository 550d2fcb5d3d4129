#include "Output.h"

#include "Commands.h"
#include "designfile/SafeFile.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace vantor::kfx {

CheckedOutput::Buffer::Buffer(int fd) : fd_(fd), space_(65536) {
    setp(space_.data(), space_.data() + space_.size());
}

bool CheckedOutput::Buffer::drain() {
    const char* next = pbase();
    const char* end = pptr();
    // After a failure nothing more is written: the output is already incomplete.
    while (error_ == 0 && next < end) {
        const ssize_t n = ::write(fd_, next, static_cast<std::size_t>(end - next));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            error_ = n < 0 ? errno : EIO;
        else
            next += n;
    }
    setp(space_.data(), space_.data() + space_.size());
    return error_ == 0;
}

CheckedOutput::Buffer::int_type CheckedOutput::Buffer::overflow(int_type c) {
    if (!drain())
        return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
        *pptr() = traits_type::to_char_type(c);
        pbump(1);
    }
    return traits_type::not_eof(c);
}

int CheckedOutput::Buffer::sync() {
    return drain() ? 0 : -1;
}

CheckedOutput::CheckedOutput(int fd) : buffer_(fd), stream_(&buffer_) {}

bool CheckedOutput::finish(std::ostream& err) {
    stream_.flush();
    if (buffer_.error() == 0 && stream_.good())
        return true;
    err << "cannot write the output: "
        << (buffer_.error() != 0 ? std::strerror(buffer_.error()) : "the stream failed") << "\n";
    return false;
}

int CheckedOutput::finish(int status, std::ostream& err) {
    return finish(err) ? status : FileFailure;
}

bool WriteOutputFile(const std::string& path, std::span<const std::uint8_t> bytes,
                     std::ostream& err, std::optional<std::size_t> failAfterBytes) {
    const FileWriteResult written = ReplaceFileContents(path, bytes, failAfterBytes);
    if (!written.ok)
        err << path << "\n" << written.reason << "\n";
    return written.ok;
}

} // namespace vantor::kfx
