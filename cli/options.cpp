#include "cli/options.h"

#include <algorithm>

namespace Chromell {
namespace {

const OptionDef* FindLong(std::span<const OptionDef> defs, std::string_view name) {
    const auto it = std::find_if(defs.begin(), defs.end(),
                                 [name](const OptionDef& def) { return def.longName == name; });
    return it == defs.end() ? nullptr : &*it;
}

const OptionDef* FindShort(std::span<const OptionDef> defs, char name) {
    const auto it = std::find_if(defs.begin(), defs.end(),
                                 [name](const OptionDef& def) { return def.shortName == name; });
    return it == defs.end() || name == 0 ? nullptr : &*it;
}

std::string Quoted(std::string_view text) {
    std::string quoted(1, '\'');
    quoted.append(text).push_back('\'');
    return quoted;
}

} // namespace

std::optional<ParsedArguments> ParseOptions(std::span<const OptionDef> defs,
                                            std::span<const std::string_view> args,
                                            std::string& error) {
    ParsedArguments parsed;
    std::size_t k = 0;
    // Gives the option its value, attached to it ("-cRED", "--colors=RED") or
    // else the next argument, and keeps it.
    const auto takeValue = [&](ParsedOption option, const OptionDef& def,
                               std::optional<std::string_view> attached) {
        if (attached) {
            option.value = *attached;
        } else if (k + 1 < args.size()) {
            option.value = args[++k];
        } else {
            error = option.name + " needs a value: " + std::string(def.valueName);
            return false;
        }
        parsed.options.push_back(std::move(option));
        return true;
    };
    for (; k < args.size(); ++k) {
        const std::string_view arg = args[k];
        if (arg == "--") {
            const auto rest = args.subspan(k + 1);
            parsed.operands.insert(parsed.operands.end(), rest.begin(), rest.end());
            break;
        }
        if (arg.size() < 2 || arg.front() != '-') {
            parsed.operands.push_back(arg);
            continue;
        }
        if (arg.starts_with("--")) {
            const std::size_t equals = arg.find('=');
            const std::string_view name = arg.substr(0, equals);
            const OptionDef* def = FindLong(defs, name.substr(2));
            if (def == nullptr) {
                error = "unknown option " + Quoted(name);
                return std::nullopt;
            }
            ParsedOption option{def->id, std::string(name), {}};
            const bool hasValue = equals != std::string_view::npos;
            if (def->valueName.empty()) {
                if (hasValue) {
                    error = option.name + " takes no value";
                    return std::nullopt;
                }
                parsed.options.push_back(std::move(option));
            } else if (!takeValue(std::move(option), *def,
                                  hasValue ? std::optional(arg.substr(equals + 1))
                                           : std::nullopt)) {
                return std::nullopt;
            }
            continue;
        }
        for (std::size_t at = 1; at < arg.size(); ++at) {
            const OptionDef* def = FindShort(defs, arg[at]);
            if (def == nullptr) {
                error = "unknown option " + Quoted(std::string{'-', arg[at]});
                return std::nullopt;
            }
            ParsedOption option{def->id, std::string{'-', arg[at]}, {}};
            if (!def->valueName.empty()) {
                if (!takeValue(std::move(option), *def,
                               at + 1 < arg.size() ? std::optional(arg.substr(at + 1))
                                                   : std::nullopt)) {
                    return std::nullopt;
                }
                break;
            }
            parsed.options.push_back(std::move(option));
        }
    }
    return parsed;
}

std::string DescribeOptions(std::span<const OptionDef> defs) {
    const auto head = [](const OptionDef& def) {
        std::string text = def.shortName != 0 ? std::string{' ', ' ', '-', def.shortName, ','}
                                              : std::string(5, ' ');
        text.append(" --").append(def.longName);
        if (!def.valueName.empty()) {
            text.append(" ").append(def.valueName);
        }
        return text;
    };
    std::size_t column = 0;
    for (const OptionDef& def : defs) {
        column = std::max(column, head(def).size() + 2);
    }
    std::string text;
    for (const OptionDef& def : defs) {
        std::string line = head(def);
        for (std::string_view help = def.help;;) {
            const std::size_t end = help.find('\n');
            line.resize(column, ' ');
            text.append(line).append(help.substr(0, end)).push_back('\n');
            if (end == std::string_view::npos) {
                break;
            }
            help.remove_prefix(end + 1);
            line.clear();
        }
    }
    return text;
}

} // namespace Chromell
