#include "cli/input_text.h"

#include "engine/utf8.h"

#include <stdexcept>
#include <vector>

namespace Chromell {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::size_t kReadSize = std::size_t{1} << 16;

// How many units at the end of `text` may be the start of its trailing line
// ending, and so wait for what follows: an LF or CR LF, or a CR that an LF may follow.
std::size_t PossibleTrailingBreak(std::u16string_view text) {
    if (text.ends_with(u"\r\n")) {
        return 2;
    }
    return text.ends_with(u'\n') || text.ends_with(u'\r') ? 1 : 0;
}

// Reads the input as ReadInputText() says; with no `take`, it is all kept in
// `text` instead of being handed on.
void Read(InputSource& in, LineEndings endings,
          const std::function<void(std::u16string_view piece)>* take, std::u16string& text) {
    std::vector<char> buffer(kReadSize);
    std::string start; // the first bytes, until they show whether a mark is there
    std::optional<VexoFade::Utf8Stream> decoder;
    while (true) {
        std::string why;
        const auto got = in.Read(buffer, why);
        if (!got) {
            throw std::runtime_error("could not read the input: " + why);
        }
        const bool end = *got == 0;
        std::string_view bytes(buffer.data(), *got);
        if (!decoder) {
            start.append(bytes);
            if (!end && start.size() < kByteOrderMark.size() && kByteOrderMark.starts_with(start)) {
                continue;
            }
            const std::size_t mark = start.starts_with(kByteOrderMark) ? kByteOrderMark.size() : 0;
            decoder.emplace(mark);
            bytes = std::string_view(start).substr(mark);
        }
        VexoFade::Utf8Error bad{};
        if (!decoder->Decode(bytes, end, text, bad)) {
            throw BadUtf8{bad.offset};
        }
        std::size_t keep = 0;
        if (endings == LineEndings::DropTrailing) {
            keep = PossibleTrailingBreak(text);
            if (end) {
                // A lone CR is a line break of the text, not the input's end.
                text.resize(text.size() - (text.ends_with(u'\n') ? keep : 0));
                keep = 0;
            }
        }
        if (take != nullptr && text.size() > keep) {
            (*take)(std::u16string_view(text).substr(0, text.size() - keep));
            text.erase(0, text.size() - keep);
        }
        if (end) {
            return;
        }
        start.clear();
    }
}

} // namespace

void ReadInputText(InputSource& in, LineEndings endings,
                   const std::function<void(std::u16string_view piece)>& take) {
    std::u16string text;
    Read(in, endings, &take, text);
}

std::u16string ReadAllInputText(InputSource& in) {
    std::u16string all;
    Read(in, LineEndings::DropTrailing, nullptr, all);
    return all;
}

std::u16string DecodeArguments(std::string_view bytes) {
    VexoFade::Utf8Error bad{};
    auto text = VexoFade::DecodeUtf8(bytes, &bad);
    if (!text) {
        throw BadUtf8{bad.offset};
    }
    return std::move(*text);
}

} // namespace Chromell
