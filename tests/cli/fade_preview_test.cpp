#include "cli/fade_command.h"
#include "cli/preview_png.h"
#include "engine/utf8.h"
#include "preview/preview_box.h"
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
#include <tuple>
#include <vector>

namespace Chromell {
namespace {

using Testing::Ink;
using Testing::Outcome;
using Testing::RunWith;

class FadePreview : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }
    std::string PathOf(const char* name) const { return dir_.filePath(name).toStdString(); }
    QStringList Files() const {
        return QDir(dir_.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }
    QTemporaryDir dir_;
};

// The preview box, grown just enough to hold all that is drawn (long lines,
// more lines, glyphs below the descent), drawn as the window's surface draws it.
TEST_F(FadePreview, ImageHoldsEverythingDrawn) {
    const std::string png = PathOf("p.png");
    for (const auto& [markup, input] : {std::pair<bool, std::string>{false, "Hi there"},
                                        {false, std::string(60, 'W') + "\rshort\rx\n"},
                                        {true, "<b>x</b>\r<font color=#ff0000>y<\r\n"},
                                        {true, "x\r\u2320 \u222B"}}) {
        std::vector<std::string_view> args(markup ? 1 : 0, "-m");
        const std::string plain = RunWith(args, input).out;
        args.insert(args.end(), {"--preview", png});
        const Outcome run = RunWith(args, input);
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.err, "");
        EXPECT_EQ(run.out, plain);

        VexoFade::QtDrawingSurface surface(QSize(2000, 200));
        VexoFade::RenderMarkupPreview(surface,
                                      *VexoFade::DecodeUtf8(plain.substr(0, plain.size() - 1)));
        const QImage large = surface.image().convertToFormat(QImage::Format_RGB32);
        const QImage image =
            QImage(QString::fromStdString(png)).convertToFormat(QImage::Format_RGB32);
        const QRect ink = Ink(large);
        EXPECT_EQ(image, large.copy(image.rect())) << plain;
        EXPECT_TRUE(image.rect().contains(ink)) << plain;
        EXPECT_LE(image.width(), std::max(VexoFade::kPreviewBoxWidth, ink.right() + 6)) << plain;
        EXPECT_LE(image.height(), std::max(VexoFade::kPreviewBoxHeight, ink.bottom() + 6)) << plain;
    }
}

TEST_F(FadePreview, WithoutRuntimeDirectoryQtSaysNothing) {
    QProcess fade;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"XDG_RUNTIME_DIR", "DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        environment.remove(name);
    }
    environment.insert("TMPDIR", dir_.path()); // for the runtime directory
    fade.setProcessEnvironment(environment);
    fade.start(CHROMELL_FADE_PROGRAM, {"--preview", QString::fromStdString(PathOf("x.png")), "Hi"});
    ASSERT_TRUE(fade.waitForFinished(30000));
    EXPECT_EQ(fade.exitCode(), 0);
    EXPECT_EQ(fade.readAllStandardError().toStdString(), "");
    EXPECT_EQ(Files(), QStringList{"x.png"});
}

TEST_F(FadePreview, FailureWritesNothing) {
    const std::string missing = PathOf("missing/x.png"), directory = PathOf("");
    for (const auto& [path, input, error] :
         {std::tuple<std::string, std::string, std::string>{
              missing, "Hi", "cannot write the preview to '" + missing + "': "},
          {directory, "Hi", "cannot write the preview to '" + directory + "': "},
          {PathOf("huge.png"), std::string(15000, '\r') + "x",
           "more than the 67,108,864 pixels"}}) {
        const Outcome run = RunWith({"-m", "-p", path}, input);
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find(error), std::string::npos) << run.err;
    }
    EXPECT_TRUE(Files().isEmpty());
}

TEST_F(FadePreview, FailedOutputLeavesTheOldFileAsItWas) {
    const std::string png = PathOf("old.png");
    QFile old(QString::fromStdString(png));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
    old.close();
    std::istringstream in;
    std::ostringstream out, err;
    out.setstate(std::ios::badbit);
    const std::vector<std::string_view> args = {"-p", png, "Hi"};
    EXPECT_EQ(RunFadeCommand(args, in, out, err), 1);
    EXPECT_NE(err.str().find("could not write the output"), std::string::npos);
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), "old");
    EXPECT_EQ(Files(), QStringList{"old.png"}); // no temporary file left behind
}

} // namespace
} // namespace Chromell
