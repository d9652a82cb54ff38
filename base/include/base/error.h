#pragma once

#include <stdexcept>
#include <string>

namespace Chromell {

// The numbered failures the engine raises. The numbers are part of the
// interface: callers and reports show them to the user.
enum class ErrorNumber : int {
    InvalidArgument = 5,
    Overflow = 6,
};

// One exception type for every numbered failure, with a message a person can read.
class Error : public std::runtime_error {
public:
    Error(ErrorNumber number, const std::string& message);

    ErrorNumber number() const noexcept { return number_; }
    int code() const noexcept { return static_cast<int>(number_); }

private:
    ErrorNumber number_;
};

// Writes a count with thousands separators, e.g. 40000 -> "40,000".
std::string FormatCount(long long value);

} // namespace Chromell
