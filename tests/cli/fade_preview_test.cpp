#include "cli/fade_command.h"
#include "cli/preview_png.h"
#include "engine/utf8.h"
#include "preview/qt/qt_drawing_surface.h"
#include "preview/render_markup.h"
#include "tests/cli/run_fade.h"
#include "tests/support/pixels.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sstream>
#include <vector>

namespace Chromell {
namespace {

using Testing::Ink;
using Testing::Outcome;
using Testing::RunWith;

// The markup drawn on a canvas far larger than anything drawn here.
QImage DrawnLarge(const std::string& markupLine) {
    QtDrawingSurface surface(QSize(2000, 200));
    VexoFade::RenderMarkupPreview(
        surface, *VexoFade::DecodeUtf8(markupLine.substr(0, markupLine.size() - 1)));
    return surface.image().convertToFormat(QImage::Format_RGB32);
}

class FadePreview : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }
    std::string PathOf(const char* name) const { return dir_.filePath(name).toStdString(); }
    QStringList Files() const {
        return QDir(dir_.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }

private:
    QTemporaryDir dir_;
};

// The image is the preview box, grown just enough to hold all that is drawn
// (long lines, more lines, glyphs that reach below the descent), and drawn
// as the window's surface draws it.
TEST_F(FadePreview, ImageHoldsEverythingDrawn) {
    const struct {
        std::vector<std::string_view> args;
        std::string input;
    } cases[] = {
        {{"Hi there"}, ""},
        {{}, std::string(60, 'W') + "\rshort\rx\n"},
        {{"--markup"}, "<b>x</b>\r<font color=#ff0000>y<\r\n"},
        {{"-m"}, "x\r\u2320 \u222B"},
    };
    for (const auto& c : cases) {
        const std::string png = PathOf("p.png");
        std::vector<std::string_view> args = {"--preview", png};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const Outcome run = RunWith(args, c.input);
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.err, "");
        args.erase(args.begin(), args.begin() + 2);
        EXPECT_EQ(run.out, RunWith(args, c.input).out); // the markup as ever

        const QImage image =
            QImage(QString::fromStdString(png)).convertToFormat(QImage::Format_RGB32);
        const QImage large = DrawnLarge(run.out);
        const QRect ink = Ink(large);
        EXPECT_EQ(image, large.copy(QRect(QPoint(0, 0), image.size()))) << run.out;
        EXPECT_TRUE(QRect(QPoint(0, 0), image.size()).contains(ink)) << run.out;
        EXPECT_LE(image.width(), std::max(kPreviewBoxWidth, ink.right() + 6)) << run.out;
        EXPECT_LE(image.height(), std::max(kPreviewBoxHeight, ink.bottom() + 6)) << run.out;
    }
}

TEST_F(FadePreview, WithoutRuntimeDirectoryQtSaysNothing) {
    QProcess fade;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"XDG_RUNTIME_DIR", "DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        environment.remove(name);
    }
    environment.insert("TMPDIR", QString::fromStdString(PathOf(""))); // for the runtime directory
    fade.setProcessEnvironment(environment);
    fade.start(CHROMELL_FADE_PROGRAM, {"--preview", QString::fromStdString(PathOf("x.png")), "Hi"});
    ASSERT_TRUE(fade.waitForFinished(30000));
    EXPECT_EQ(fade.exitCode(), 0);
    EXPECT_EQ(fade.readAllStandardError().toStdString(), "");
    EXPECT_EQ(Files(), QStringList{"x.png"});
}

TEST_F(FadePreview, UnwritablePathIsAnErrorAndNothingIsPrinted) {
    for (const std::string& path : {PathOf("missing/x.png"), PathOf("")}) {
        const Outcome run = RunWith({"--preview", path, "Hi"});
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err.rfind("chromell-fade: cannot write the preview to '" + path + "': ", 0),
                  0u)
            << run.err;
    }
    EXPECT_TRUE(Files().isEmpty());
}

TEST_F(FadePreview, FailedOutputLeavesTheOldFileAsItWas) {
    const std::string png = PathOf("old.png");
    QFile old(QString::fromStdString(png));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
    old.close();
    std::istringstream in;
    std::ostringstream out;
    std::ostringstream err;
    out.setstate(std::ios::badbit);
    const std::vector<std::string_view> args = {"-p", png, "Hi"};
    EXPECT_EQ(RunFadeCommand(args, in, out, err), 1);
    EXPECT_NE(err.str().find("could not write the output"), std::string::npos);
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), "old");
    EXPECT_EQ(Files(), QStringList{"old.png"}); // no temporary file left behind
}

TEST_F(FadePreview, ImageTooLargeToDrawIsAnError) {
    std::string markup;
    for (int line = 0; line < 12; ++line) {
        markup += std::string(32767, 'W') + "\r";
    }
    const Outcome run = RunWith({"-m", "-p", PathOf("huge.png")}, markup);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("more than the 67,108,864 pixels"), std::string::npos) << run.err;
    EXPECT_TRUE(Files().isEmpty());
}

} // namespace
} // namespace Chromell
