#include "cli/input_text.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace Chromell {
namespace {

// Input that arrives in the given reads.
class Reads final : public InputSource {
public:
    explicit Reads(std::vector<std::string> reads) : reads_(std::move(reads)) {}
    std::optional<std::size_t> Read(std::span<char> buffer, std::string&) override {
        if (next_ == reads_.size()) {
            return 0;
        }
        const std::string& read = reads_[next_++];
        std::copy(read.begin(), read.end(), buffer.begin());
        return read.size();
    }

private:
    std::vector<std::string> reads_;
    std::size_t next_ = 0;
};

std::u16string ReadText(std::vector<std::string> reads, LineEndings endings) {
    Reads in(std::move(reads));
    std::u16string text;
    ReadInputText(in, endings, [&](std::u16string_view piece) { text.append(piece); });
    return text;
}

// The input in one read, cut into every pair of reads, and read a byte at a
// time (a read of no bytes is the end of the input).
std::vector<std::vector<std::string>> Cuts(const std::string& input) {
    std::vector<std::vector<std::string>> cuts;
    for (std::size_t cut = 1; cut < input.size(); ++cut) {
        cuts.push_back({input.substr(0, cut), input.substr(cut)});
    }
    cuts.push_back({input});
    std::vector<std::string> bytes;
    for (const char c : input) {
        bytes.emplace_back(1, c);
    }
    cuts.push_back(bytes);
    return cuts;
}

// A UTF-8 sequence, a byte order mark or a CR LF cut by a read reads as if
// it had come whole.
TEST(InputText, PiecesCutAnywhereReadAsTheWhole) {
    const struct {
        std::string input;
        std::u16string dropped;    // faded whole
        std::u16string asTheyCome; // per line
    } cases[] = {
        {"\xEF\xBB\xBF"
         "a\xC3\xA9"
         "b\r\n",
         u"a\u00E9b", u"a\u00E9b\r\n"},
        {"x\r", u"x\r", u"x\r"},
        {"x\r\n\r\n", u"x\r\n", u"x\r\n\r\n"},
        {"x\n\n", u"x\n", u"x\n\n"},
        {"\xEF\xBB\xBF", u"", u""},
        {"\xEF\xBB\xBF\n", u"", u"\n"},
        {"a\xEF\xBB\xBF\xF0\x9F\x98\x80", u"a\uFEFF\U0001F600", u"a\uFEFF\U0001F600"},
    };
    for (const auto& c : cases) {
        for (const auto& reads : Cuts(c.input)) {
            EXPECT_EQ(ReadText(reads, LineEndings::DropTrailing), c.dropped)
                << testing::PrintToString(reads);
            EXPECT_EQ(ReadText(reads, LineEndings::AsTheyCome), c.asTheyCome)
                << testing::PrintToString(reads);
        }
    }
}

TEST(InputText, BadBytesAreFoundAtTheirOffsetWhereverTheReadsEnd) {
    const std::pair<std::string, std::size_t> cases[] = {
        {"ab\xC3(", 2}, {"\xEF\xBB\xBF\xFF", 3}, {"\xEF\xBB", 0}, {"a\xE2\x82", 1}};
    for (const auto& [input, offset] : cases) {
        for (const auto& reads : Cuts(input)) {
            try {
                ReadText(reads, LineEndings::DropTrailing);
                ADD_FAILURE() << testing::PrintToString(reads);
            } catch (const BadUtf8& bad) {
                EXPECT_EQ(bad.offset, offset) << testing::PrintToString(reads);
            }
        }
    }
}

// Per line, a read's text is handed on at once, a CR at its end too; faded
// whole, a possible trailing line ending waits for what follows it.
TEST(InputText, WhatHasArrivedIsHandedOnAtOnce) {
    for (const LineEndings endings : {LineEndings::AsTheyCome, LineEndings::DropTrailing}) {
        Reads in({"a\r", "\nb"});
        std::vector<std::u16string> pieces;
        ReadInputText(in, endings, [&](std::u16string_view piece) { pieces.emplace_back(piece); });
        if (endings == LineEndings::AsTheyCome) {
            EXPECT_EQ(pieces, (std::vector<std::u16string>{u"a\r", u"\nb"}));
        } else {
            EXPECT_EQ(pieces, (std::vector<std::u16string>{u"a", u"\r\nb"}));
        }
    }
}

} // namespace
} // namespace Chromell
