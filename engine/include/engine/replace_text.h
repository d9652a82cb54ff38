#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace VexoFade {

// Called once per replaced occurrence so the caller can let its event loop
// run; it answers whether the work should go on.
using YieldFunction = std::function<bool()>;

// Replaces the first occurrence of `search` again and again, each time looking
// from the start of the new text, until none is left. Occurrences that a
// replacement forms with its neighbours are therefore replaced too:
// ("aaaa", "aa", "a") gives "a". Runs in time linear in the work done.
//
// The search string must not be empty (invalid-argument error otherwise), and
// the caller must make sure the loop ends, e.g. with a replacement that is
// shorter than the search string or that does not contain it.
//
// Returns nothing when `yield` answers that the work should stop.
std::optional<std::u16string> ReplaceText(std::u16string_view text, std::u16string_view search,
                                          std::u16string_view replacement,
                                          const YieldFunction& yield = {});

} // namespace VexoFade
