#pragma once

#include <cstdio>
#include <iosfwd>
#include <string>
#include <string_view>

namespace Chromell {

// Where a tool's result goes. Write() takes the whole result at once and
// reports whether it reached its destination; on failure it says why.
class OutputSink {
public:
    virtual ~OutputSink() = default;
    virtual bool Write(std::string_view bytes, std::string& error) = 0;
};

// A C stream such as stdout: writes, flushes and checks, so that a full disk,
// a closed descriptor or a broken pipe is reported with the system's reason.
class FileOutput final : public OutputSink {
public:
    explicit FileOutput(std::FILE* file) : file_(file) {}
    bool Write(std::string_view bytes, std::string& error) override;

private:
    std::FILE* file_;
};

// A C++ stream; a stream that fails after the flush is reported as failed.
class StreamOutput final : public OutputSink {
public:
    explicit StreamOutput(std::ostream& out) : out_(out) {}
    bool Write(std::string_view bytes, std::string& error) override;

private:
    std::ostream& out_;
};

} // namespace Chromell
