#pragma once

#include "cli/fade_command.h"
#include "cli/input.h"
#include "cli/output.h"

#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace Chromell::Testing {

// What one chromell-fade run gave: its exit status and both output streams.
struct Outcome {
    int status;
    std::string out;
    std::string err;
};

inline Outcome RunWith(std::vector<std::string_view> args, const std::string& input = "",
                       bool inputIsTerminal = false) {
    std::istringstream in(input);
    StreamInput source(in);
    std::ostringstream out;
    std::ostringstream err;
    StreamOutput sink(out);
    const int status = RunFadeCommand(args, {source, sink, err, inputIsTerminal});
    return {status, out.str(), err.str()};
}

} // namespace Chromell::Testing
