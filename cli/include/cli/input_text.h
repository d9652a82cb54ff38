#pragma once

#include "cli/input.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace Chromell {

// The input is not UTF-8: the offset of the bad byte in the whole input.
struct BadUtf8 {
    std::size_t offset;
};

// What becomes of the input's line endings.
enum class LineEndings {
    // The text is faded whole: one trailing line ending (LF or CR LF) ends
    // the input and is not part of the text.
    DropTrailing,
    // Per line: every line ending is part of the text, handed on as it comes.
    AsTheyCome,
};

// Reads standard input to its end as UTF-8 text, less a leading byte order
// mark, handing on the text as it arrives, in pieces (a UTF-8 sequence, a
// byte order mark or a CR LF cut by a read waits for the next). Throws
// BadUtf8 for a byte that is not UTF-8, std::runtime_error when a read fails.
void ReadInputText(InputSource& in, LineEndings endings,
                   const std::function<void(std::u16string_view piece)>& take);

// All of it at once.
std::u16string ReadAllInputText(InputSource& in);

// The text of the command line's words (UTF-8); throws BadUtf8.
std::u16string DecodeArguments(std::string_view bytes);

} // namespace Chromell
