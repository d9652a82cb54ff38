#include "cli/fade_command.h"
#include "tests/cli/run_fade.h"

#include <gtest/gtest.h>
#include <optional>
#include <sstream>
#include <vector>

namespace Chromell {
namespace {

using Testing::Outcome;
using Testing::RunWith;

TEST(FadeCommand, FadesArgumentsJoinedBySpaces) {
    const Outcome run = RunWith({"--colors", "FF0000,00FF00,0000FF", "a", "c"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "<Font Color=#808000>a<Font Color=#00FF00> <Font Color=#0000FF>c\n");
    EXPECT_EQ(run.err, "");
    // The default colours are red, green, blue.
    EXPECT_EQ(RunWith({"a c"}).out, run.out);
}

TEST(FadeCommand, OptionsAndTheEndOfOptions) {
    EXPECT_EQ(RunWith({"--wave", "--colors=#000000,#000000,#0000ff", "x"}).out,
              "<Font Color=#0000FF><sup>x\n");
    EXPECT_EQ(RunWith({"-c", "000000,000000,000000", "--", "--wave"}).out.size(), 6 * 21 + 1u);
    EXPECT_EQ(RunWith({"-"}).out, "<Font Color=#0000FF>-\n");
}

TEST(FadeCommand, ReadsStandardInputAndDropsOneLineEnding) {
    const std::string oneUnit = "<Font Color=#0000FF>";
    EXPECT_EQ(RunWith({}, "x\r\n").out, oneUnit + "x\n");
    EXPECT_EQ(RunWith({}, "x\n").out, oneUnit + "x\n");
    EXPECT_EQ(RunWith({}, "\n\n").out, oneUnit + "\n\n");
    EXPECT_EQ(RunWith({}, "").out, "\n");
    // Multi-byte characters come back as UTF-8, a pair as one unit.
    EXPECT_EQ(RunWith({}, "\xF0\x9F\x98\x80").out, oneUnit + "\xF0\x9F\x98\x80\n");
}

TEST(FadeCommand, UsageErrorsExitTwoAndWriteNothing) {
    for (const auto& args : std::vector<std::vector<std::string_view>>{
             {"--colors", "FF0000,XYZ,0000FF", "x"}, {"--colors"}, {"--bogus", "x"}}) {
        const Outcome run = RunWith(args);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find("chromell-fade: "), std::string::npos);
    }
    EXPECT_NE(RunWith({"--colors", "FF0000,XYZ,0000FF"}).err.find("'XYZ'"), std::string::npos);
}

TEST(FadeCommand, TextsThatCannotBeFadedExitOne) {
    const Outcome tooLong = RunWith({}, std::string(32768, 'a'));
    EXPECT_EQ(tooLong.status, 1);
    EXPECT_EQ(tooLong.out, "");
    EXPECT_NE(tooLong.err.find("32,768 characters; at most 32,767"), std::string::npos);
    EXPECT_EQ(RunWith({}, std::string(32767, 'a') + "\n").status, 0);

    const Outcome invalid = RunWith({}, "abc\xC3(");
    EXPECT_EQ(invalid.status, 1);
    EXPECT_EQ(invalid.out, "");
    EXPECT_NE(invalid.err.find("offset 3"), std::string::npos) << invalid.err;
}

std::optional<FadeCommandLine> Parse(std::vector<std::string_view> args, std::string& error) {
    return ParseFadeCommandLine(args, error);
}

TEST(FadeCommandLine, PreviewTakesAFileName) {
    std::string error;
    EXPECT_EQ(Parse({"-p", "a.png", "x"}, error)->previewPath, "a.png");
    EXPECT_EQ(Parse({"--preview=b c.png"}, error)->previewPath, "b c.png");
    EXPECT_EQ(Parse({"--", "--preview", "x"}, error)->previewPath, std::nullopt);
    for (const auto& args : std::vector<std::vector<std::string_view>>{
             {"--preview"}, {"--preview="}, {"x", "-p"}, {"-p", ""}}) {
        error.clear();
        EXPECT_FALSE(Parse(args, error));
        EXPECT_NE(error.find("needs"), std::string::npos) << error;
    }
}

TEST(FadeCommandLine, MarkupRefusesFadeOptions) {
    std::string error;
    const auto line = Parse({"--markup", "-p", "a.png", "<b>x"}, error);
    ASSERT_TRUE(line);
    EXPECT_TRUE(line->markup);
    EXPECT_EQ(line->text, "<b>x");
    EXPECT_FALSE(Parse({"-m", "--wave"}, error));
    EXPECT_NE(error.find("--wave has no effect with --markup"), std::string::npos) << error;
    EXPECT_FALSE(Parse({"--colors=000000,000000,000000", "--markup"}, error));
    EXPECT_NE(error.find("--colors"), std::string::npos) << error;
}

TEST(FadeCommand, MarkupIsPrintedUnchanged) {
    EXPECT_EQ(RunWith({"--markup", "<b>x", "</b>"}).out, "<b>x </b>\n");
    EXPECT_EQ(RunWith({"-m"}, "a\rb<\r\n").out, "a\rb<\n");
    const Outcome invalid = RunWith({"-m"}, "\xFF");
    EXPECT_EQ(invalid.status, 1);
    EXPECT_EQ(invalid.out, "");
}

TEST(FadeCommand, HelpAndVersion) {
    const std::string help = RunWith({"--help"}).out;
    EXPECT_NE(help.find("Usage: chromell-fade"), std::string::npos);
    EXPECT_NE(help.find("--preview FILE"), std::string::npos);
    EXPECT_NE(help.find("--markup"), std::string::npos);
    EXPECT_EQ(RunWith({"--version"}).out.rfind("chromell-fade ", 0), 0u);
    EXPECT_EQ(RunWith({"-h", "--bogus"}).status, 2);
}

} // namespace
} // namespace Chromell
