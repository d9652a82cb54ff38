#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace Chromell {

// One option a command accepts. `shortName` is 0 for a long-only option;
// `valueName` is empty for an option that takes no value; `help` says what it
// does, its lines separated by "\n".
struct OptionDef {
    int id;
    char shortName;
    std::string_view longName;
    std::string_view valueName;
    std::string_view help;
};

struct ParsedOption {
    int id;
    // The name as written ("-c", "--colors"), for messages.
    std::string name;
    std::string_view value;
};

// Options in the order given, and the other arguments (operands).
struct ParsedArguments {
    std::vector<ParsedOption> options;
    std::vector<std::string_view> operands;
};

// Splits arguments as getopt_long does: short options bundle ("-wm") and take
// their value attached or as the next argument ("-cRED,BLUE", "-c RED,BLUE");
// long options take "--name=value" or "--name value"; "--" ends the options;
// "-" and every argument not starting with "-" is an operand, wherever it
// stands. On an unknown option or a missing or unexpected value returns
// nothing and puts a message into `error`.
std::optional<ParsedArguments> ParseOptions(std::span<const OptionDef> defs,
                                            std::span<const std::string_view> args,
                                            std::string& error);

// The options' part of a help text: "  -c, --colors C1,C2  help", one line per
// line of help, the help texts lined up.
std::string DescribeOptions(std::span<const OptionDef> defs);

} // namespace Chromell
