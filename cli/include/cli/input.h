#pragma once

#include <cstddef>
#include <iosfwd>
#include <optional>
#include <span>
#include <string>

namespace Chromell {

// Where a tool's input comes from, read in pieces as they arrive.
class InputSource {
public:
    virtual ~InputSource() = default;
    // Reads at most buffer.size() bytes, waiting only until some are there:
    // the count, 0 at the end of the input. On failure returns nothing and
    // says why.
    virtual std::optional<std::size_t> Read(std::span<char> buffer, std::string& error) = 0;
};

// A C++ stream.
class StreamInput final : public InputSource {
public:
    explicit StreamInput(std::istream& in) : in_(in) {}
    std::optional<std::size_t> Read(std::span<char> buffer, std::string& error) override;

private:
    std::istream& in_;
};

} // namespace Chromell
