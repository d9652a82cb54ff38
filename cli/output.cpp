#include "cli/output.h"

#include "cli/input.h"

#include <cerrno>
#include <cstring>
#include <istream>
#include <ostream>

namespace Chromell {

bool FileOutput::Write(std::string_view bytes, std::string& error) {
    // Success is told by the results alone: stdio may leave errno set after a
    // call that worked (its first look at whether the stream is a terminal).
    errno = 0;
    const std::size_t written = std::fwrite(bytes.data(), 1, bytes.size(), file_);
    int reason = written < bytes.size() ? errno : 0;
    const bool flushed = std::fflush(file_) == 0;
    if (!flushed && reason == 0) {
        reason = errno;
    }
    if (written == bytes.size() && flushed && std::ferror(file_) == 0) {
        return true;
    }
    error = reason != 0 ? std::strerror(reason) : "write error";
    return false;
}

bool StreamOutput::Write(std::string_view bytes, std::string& error) {
    out_.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out_.flush();
    if (out_) {
        return true;
    }
    error = "the output stream failed";
    return false;
}

std::optional<std::size_t> StreamInput::Read(std::span<char> buffer, std::string& error) {
    in_.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
    if (in_.bad()) {
        error = "the input stream failed";
        return std::nullopt;
    }
    return static_cast<std::size_t>(in_.gcount());
}

} // namespace Chromell
