#include "cli/fade_command.h"
#include "cli/fade_formats.h"
#include "cli/output.h"
#include "engine/utf8.h"
#include "tests/cli/run_fade.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace Chromell {
namespace {

using Testing::Outcome;
using Testing::RunWith;

// A parsed command line in one line, or "error: ..." for a usage error.
std::string Describe(std::vector<std::string_view> args) {
    std::string error;
    const auto line = ParseFadeCommandLine(args, error);
    if (!line) {
        return "error: " + error;
    }
    const auto& o = line->options;
    return std::to_string(line->stops.size()) + (o.wave ? " wave" : "") + " " +
           std::string(FormatName(o.format)) + (o.blend == VexoFade::Blend::Oklab ? " oklab" : "") +
           (o.perLine ? " per-line" : "") + (o.columns ? " columns" : "") +
           (line->markup ? " markup" : "") +
           (line->previewPath ? " png=" + *line->previewPath : "") + " [" +
           line->text.value_or("stdin") + "]";
}

TEST(FadeCommandLine, ParsesAsGetoptDoes) {
    const struct {
        std::vector<std::string_view> args;
        std::string_view expected; // a description, or a part of the usage error
    } cases[] = {
        {{}, "3 aim [stdin]"},
        {{"-wc", "FF0000,0000FF", "x"}, "2 wave aim [x]"},
        {{"-wcFF0000,#00f", "x"}, "2 wave aim [x]"},
        {{"-mp", "a.png", "x", "y"}, "3 aim markup png=a.png [x y]"},
        {{"--preview=b c.png", "--colors=#f00,#0f0,#00f,#fff"}, "4 aim png=b c.png [stdin]"},
        {{"x", "-w", "-", "--format", "html"}, "3 wave html [x -]"},
        {{"--format=ansi256", "--blend", "oklab", "--per-line"},
         "3 ansi256 oklab per-line [stdin]"},
        {{"--", "-w", "--colors"}, "3 aim [-w --colors]"},
        {{"-c", "FF0000,XYZ,0000FF"}, "-c: 'XYZ' is not a colour"},
        {{"-c", "FF0000"}, "got 1"},
        {{"--colors"}, "--colors needs a value"},
        {{"x", "-p"}, "-p needs a value"},
        {{"-p", ""}, "-p needs a file name"},
        {{"--bogus=1"}, "unknown option '--bogus'"},
        {{"-wx"}, "unknown option '-x'"},
        {{"--wave=1"}, "--wave takes no value"},
        {{"--format", "rtf"}, "'rtf'"},
        {{"--blend=hsv"}, "'hsv'"},
        {{"--format", "ansi", "-w"}, "The wave works only in the aim and html formats"},
        {{"--format=bbcode", "-p", "a.png"}, "--preview draws"},
        {{"-m", "--wave"}, "--wave has no effect with --markup"},
        {{"--per-line", "-m"}, "--per-line has no effect"},
        {{"--columns", "--format=ansi"}, "3 ansi columns [stdin]"},
        {{"--columns", "--per-line"}, "exclude each other"},
    };
    for (const auto& c : cases) {
        const std::string description = Describe(c.args);
        EXPECT_NE(description.find(c.expected), std::string::npos) << description;
        if (description.starts_with("error")) {
            const Outcome run = RunWith(c.args, "input");
            EXPECT_EQ(run.status, 2);
            EXPECT_EQ(run.out, "");
            EXPECT_EQ(run.err.rfind("chromell-fade: ", 0), 0u) << run.err;
        }
    }
}

TEST(FadeCommand, ThreeStopsInAimAreTheWindowsFade) {
    const Outcome run = RunWith({"--colors", "FF0000,00FF00,0000FF", "a", "c"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "<Font Color=#808000>a<Font Color=#00FF00> <Font Color=#0000FF>c\n");
    EXPECT_EQ(RunWith({"a c"}).out, run.out); // the default colours
    EXPECT_EQ(RunWith({"-wc", "black,black,blue", "x"}).out, "<Font Color=#0000FF><sup>x\n");
}

TEST(FadeCommand, EveryFormatNameReachesTheFader) {
    using enum VexoFade::MarkupFormat;
    const std::pair<std::string_view, VexoFade::MarkupFormat> names[] = {
        {"aim", Aim},   {"html", Html},       {"bbcode", BBCode},
        {"ansi", Ansi}, {"ansi256", Ansi256}, {"minimessage", MiniMessage}};
    const std::vector<VexoFade::Rgb> stops{{255, 0, 0}, {0, 0, 255}};
    for (const auto& [name, format] : names) {
        const Outcome run =
            RunWith({"--format", name, "--blend=oklab", "--per-line", "-c#f00,#00f"}, "ab\ncd");
        std::string expected;
        VexoFade::AppendUtf8(
            VexoFade::FadeGradient(stops, u"ab\ncd", {format, VexoFade::Blend::Oklab, false, true}),
            expected);
        EXPECT_EQ(run.out, expected + "\n") << name;
        EXPECT_NE(RunWith({"--help"}).out.find(name), std::string::npos) << name;
    }
}

TEST(FadeCommand, StandardInput) {
    const std::string unit = "<Font Color=#0000FF>";
    const std::pair<std::string, std::string> cases[] = {
        {"x\r\n", unit + "x\n"},           {"x\n", unit + "x\n"},
        {"\n\n", unit + "\n\n"},           {"", "\n"},
        {"\xEF\xBB\xBFx\n", unit + "x\n"}, {"\xF0\x9F\x98\x80", unit + "\xF0\x9F\x98\x80\n"}};
    for (const auto& [input, output] : cases) {
        EXPECT_EQ(RunWith({}, input).out, output) << input;
    }
}

TEST(FadeCommand, HintsAtEndOfFileOnlyWhenATerminalIsRead) {
    EXPECT_NE(RunWith({}, "x", true).err.find("until end of file"), std::string::npos);
    EXPECT_EQ(RunWith({}, "x", false).err, "");
    EXPECT_EQ(RunWith({"x"}, "", true).err, "");
}

TEST(FadeCommand, TextsThatCannotBeFadedExitOneAndWriteNothing) {
    std::string emoji(std::size_t{16384} * 4, '\0'); // 16,384 characters of two units each
    for (std::size_t k = 0; k < emoji.size(); k += 4) {
        emoji.replace(k, 4, "\xF0\x9F\x98\x80");
    }
    const struct {
        std::vector<std::string_view> args;
        std::string input;
        std::string_view message;
    } cases[] = {
        {{}, std::string(32768, 'a'), "32,768 UTF-16 units"},
        {{}, emoji, "32,768 UTF-16 units"},
        {{}, "abc\xC3(", "offset 3 of the input"},
        {{}, "\xEF\xBB\xBF\x61\xFF", "offset 4 of the input"}, // after a byte order mark
        {{"a", "\xFF"}, "", "offset 2 of the joined arguments"},
        {{"-m"}, "\xFF", "offset 0"},
    };
    for (const auto& c : cases) {
        const Outcome run = RunWith(c.args, c.input);
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        EXPECT_EQ(run.err.rfind("chromell-fade: ", 0), 0u) << run.err;
    }
    EXPECT_EQ(RunWith({}, std::string(32767, 'a') + "\n").status, 0);
    // The limit is the messenger's: the other formats take any length.
    const Outcome html = RunWith({"--format=html"}, std::string(40000, 'a'));
    EXPECT_EQ(html.status, 0);
    EXPECT_EQ(html.out.size(), 40000u * 36 + 43) << html.err;
    // Per line, the lines before a bad byte are out; its offset counts from
    // the first byte of the input.
    const Outcome bad = RunWith({"--format=bbcode", "--per-line"}, "\xEF\xBB\xBF"
                                                                   "a\nb\xC3");
    EXPECT_EQ(bad.status, 1);
    EXPECT_EQ(bad.out, "[color=#0000ff]a[/color]\n");
    EXPECT_NE(bad.err.find("offset 6 of the input"), std::string::npos) << bad.err;
}

TEST(FadeCommand, WriteFailuresNameTheReasonAndExitOne) {
    std::signal(SIGPIPE, SIG_IGN);
    int ends[2];
    ASSERT_EQ(pipe(ends), 0);
    close(ends[0]);
    const struct {
        std::FILE* file;
        int reason;
    } sinks[] = {{std::fopen("/dev/full", "w"), ENOSPC}, {fdopen(ends[1], "w"), EPIPE}};
    for (const auto& sink : sinks) {
        ASSERT_NE(sink.file, nullptr);
        for (const std::string_view arg : {"x", "--help", "--version"}) {
            std::istringstream in;
            StreamInput source(in);
            std::ostringstream err;
            FileOutput out(sink.file);
            EXPECT_EQ(RunFadeCommand({&arg, 1}, {source, out, err}), 1) << arg;
            EXPECT_NE(err.str().find(std::strerror(sink.reason)), std::string::npos) << err.str();
        }
        std::fclose(sink.file);
    }
}

// The real program on a pipe, per line: a line ended by CR is out while the
// input is still open, and the LF that follows it is part of that break.
TEST(FadeProgram, WritesEachLineAsSoonAsItHasEnded) {
    std::signal(SIGPIPE, SIG_IGN);
    int in[2], out[2];
    ASSERT_EQ(pipe(in), 0);
    ASSERT_EQ(pipe(out), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        dup2(in[0], 0);
        dup2(out[1], 1);
        for (const int fd : {in[0], in[1], out[0], out[1]}) {
            close(fd);
        }
        execl(CHROMELL_FADE_PROGRAM, "chromell-fade", "--format=ansi", "--per-line", "-cred,blue",
              nullptr);
        _exit(127);
    }
    close(in[0]);
    close(out[1]);
    // Reads until `end` has come, for at most ten seconds.
    const auto readUntil = [&](std::string_view end) {
        std::string got;
        while (!got.ends_with(end)) {
            pollfd ready{out[0], POLLIN, 0};
            char buffer[256];
            const ssize_t n = poll(&ready, 1, 10000) == 1 ? read(out[0], buffer, sizeof buffer) : 0;
            if (n <= 0) {
                break;
            }
            got.append(buffer, static_cast<std::size_t>(n));
        }
        return got;
    };
    ASSERT_EQ(write(in[1], "ab\r", 3), 3);
    EXPECT_EQ(readUntil("\r"), "\x1b[38;2;128;0;128ma\x1b[38;2;0;0;255mb\x1b[0m\r");
    ASSERT_EQ(write(in[1], "\nc", 2), 2);
    close(in[1]);
    EXPECT_EQ(readUntil("\x1b[0m\n"), "\n\x1b[38;2;0;0;255mc\x1b[0m\n");
    close(out[0]);
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
}

} // namespace
} // namespace Chromell
