#include "cli/options.h"

#include <algorithm>

namespace Chromell {
namespace {

const OptionDef* FindLong(std::span<const OptionDef> defs, std::string_view name) {
    const auto it = std::ranges::find(defs, name, &OptionDef::longName);
    return it == defs.end() ? nullptr : &*it;
}

const OptionDef* FindShort(std::span<const OptionDef> defs, char name) {
    const auto it = std::ranges::find(defs, name, &OptionDef::shortName);
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
    for (std::size_t k = 0; k < args.size(); ++k) {
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
            if (def->valueName.empty()) {
                if (equals != std::string_view::npos) {
                    error = option.name + " takes no value";
                    return std::nullopt;
                }
            } else if (equals != std::string_view::npos) {
                option.value = arg.substr(equals + 1);
            } else if (k + 1 < args.size()) {
                option.value = args[++k];
            } else {
                error = option.name + " needs a value: " + std::string(def->valueName);
                return std::nullopt;
            }
            parsed.options.push_back(std::move(option));
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
                if (at + 1 < arg.size()) {
                    option.value = arg.substr(at + 1);
                } else if (k + 1 < args.size()) {
                    option.value = args[++k];
                } else {
                    error = option.name + " needs a value: " + std::string(def->valueName);
                    return std::nullopt;
                }
                parsed.options.push_back(std::move(option));
                break;
            }
            parsed.options.push_back(std::move(option));
        }
    }
    return parsed;
}

} // namespace Chromell
