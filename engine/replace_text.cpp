#include "engine/replace_text.h"

#include "base/error.h"

#include <algorithm>
#include <vector>

namespace VexoFade {
namespace {

// Failure function of the search string for Knuth-Morris-Pratt matching.
std::vector<std::size_t> BuildFailure(std::u16string_view search) {
    std::vector<std::size_t> failure(search.size(), 0);
    std::size_t k = 0;
    for (std::size_t i = 1; i < search.size(); ++i) {
        while (k > 0 && search[i] != search[k]) {
            k = failure[k - 1];
        }
        if (search[i] == search[k]) {
            ++k;
        }
        failure[i] = k;
    }
    return failure;
}

std::optional<std::u16string> ReplaceSingleUnit(std::u16string_view text, char16_t search,
                                                std::u16string_view replacement,
                                                const YieldFunction& yield) {
    std::u16string out;
    std::size_t start = 0;
    for (std::size_t at = text.find(search); at != std::u16string_view::npos;
         at = text.find(search, start)) {
        // The replacement never contains the search unit, so every occurrence
        // in the text is replaced exactly once and none is formed anew.
        if (yield && !yield()) {
            return std::nullopt;
        }
        if (start == 0) {
            const auto count =
                static_cast<std::size_t>(std::count(text.begin(), text.end(), search));
            out.reserve(text.size() + count * replacement.size() - count);
        }
        out.append(text.substr(start, at - start));
        out.append(replacement);
        start = at + 1;
    }
    if (start == 0) {
        return std::u16string(text);
    }
    out.append(text.substr(start));
    return out;
}

} // namespace

std::optional<std::u16string> ReplaceText(std::u16string_view text, std::u16string_view search,
                                          std::u16string_view replacement,
                                          const YieldFunction& yield) {
    if (search.empty()) {
        throw Chromell::Error(Chromell::ErrorNumber::InvalidArgument,
                              "The text to search for is empty.");
    }
    if (search.size() == 1 && replacement.find(search.front()) == std::u16string_view::npos) {
        return ReplaceSingleUnit(text, search.front(), replacement, yield);
    }

    // Restarting the search from the beginning after every replacement finds,
    // each time, the occurrence that ends first. The output holds what has been
    // scanned and contains no occurrence; each replacement is pushed back onto
    // the input so that occurrences it forms with its neighbours are found
    // exactly where a restart would find them. The matcher state after every
    // output unit is kept, so undoing a match costs no rescanning.
    const std::vector<std::size_t> failure = BuildFailure(search);
    std::u16string out;
    out.reserve(text.size());
    std::vector<std::size_t> states;
    states.reserve(text.size() + 1);
    states.push_back(0);

    struct Source {
        std::u16string_view chars;
        std::size_t next;
    };
    std::vector<Source> pending;
    if (!text.empty()) {
        pending.push_back({text, 0});
    }
    while (!pending.empty()) {
        Source& top = pending.back();
        const char16_t c = top.chars[top.next++];
        if (top.next == top.chars.size()) {
            pending.pop_back();
        }
        std::size_t k = states.back();
        while (k > 0 && c != search[k]) {
            k = failure[k - 1];
        }
        if (c == search[k]) {
            ++k;
        }
        out.push_back(c);
        if (k < search.size()) {
            states.push_back(k);
            continue;
        }
        if (yield && !yield()) {
            return std::nullopt;
        }
        // Drop the occurrence (its last unit was never given a state).
        out.resize(out.size() - search.size());
        states.resize(states.size() - (search.size() - 1));
        if (!replacement.empty()) {
            pending.push_back({replacement, 0});
        }
    }
    return out;
}

} // namespace VexoFade
