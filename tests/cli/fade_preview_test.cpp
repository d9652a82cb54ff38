#include "preview/qt/qt_drawing_surface.h"
#include "cli/fade_command.h"
#include "cli/preview_png.h"
#include "engine/utf8.h"
#include "preview/render_markup.h"
#include "tests/cli/run_fade.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sstream>
#include <vector>

namespace Chromell {
namespace {

using Testing::Outcome;
using Testing::RunWith;

// What the window's preview box shows for the markup.
QImage PreviewBox(std::u16string_view markup) {
    QtDrawingSurface surface(QSize(kPreviewBoxWidth, kPreviewBoxHeight));
    VexoFade::RenderMarkupPreview(surface, markup);
    return surface.image().convertToFormat(QImage::Format_RGB32);
}

QRect Ink(const QImage& image) {
    QRect box;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != qRgb(255, 255, 255)) {
                box |= QRect(x, y, 1, 1);
            }
        }
    }
    return box;
}

class FadePreview : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }

    std::string PathOf(const char* name) const { return dir_.filePath(name).toStdString(); }
    QStringList Files() const { return QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden); }
    static QImage Load(const std::string& path) {
        return QImage(QString::fromStdString(path)).convertToFormat(QImage::Format_RGB32);
    }

private:
    QTemporaryDir dir_;
};

TEST_F(FadePreview, ShortTextGivesExactlyThePreviewBox) {
    const std::string png = PathOf("hi.png");
    const Outcome run = RunWith({"--preview", png, "Hi there"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, RunWith({"Hi there"}).out); // the markup as ever

    std::string markup = run.out;
    markup.pop_back();
    const QImage expected = PreviewBox(*VexoFade::DecodeUtf8(markup));
    EXPECT_EQ(Load(png), expected);
    EXPECT_FALSE(Ink(expected).isNull());
}

TEST_F(FadePreview, ImageGrowsToHoldEveryLineAtFullWidth) {
    const std::string png = PathOf("long.png");
    const std::string longLine(60, 'W');
    const Outcome run = RunWith({"-p", png}, longLine + "\rshort\rx\n");
    ASSERT_EQ(run.status, 0) << run.err;

    const QImage image = Load(png);
    EXPECT_GT(image.width(), kPreviewBoxWidth);
    EXPECT_GE(image.height(), 2 * 16 + 13);
    const QRect ink = Ink(image);
    // The widest line ends just inside the right edge; the third line is there.
    EXPECT_LT(ink.right(), image.width() - 1);
    EXPECT_GT(ink.right(), image.width() - 6);
    EXPECT_GE(ink.bottom(), 32 + 8);
    // The part the preview box shows is drawn just as it shows it.
    std::string markup = run.out;
    markup.pop_back();
    EXPECT_EQ(image.copy(0, 0, kPreviewBoxWidth, kPreviewBoxHeight),
              PreviewBox(*VexoFade::DecodeUtf8(markup)));
}

TEST_F(FadePreview, MarkupIsDrawnAsGiven) {
    const std::string png = PathOf("markup.png");
    const Outcome run = RunWith({"--markup", "--preview=" + PathOf("markup.png")},
                                "<b>x</b>\r<font color=#ff0000>y<\r\n");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "<b>x</b>\r<font color=#ff0000>y<\n");
    const QImage image = Load(png);
    EXPECT_EQ(image.height(), 16 + 15); // two lines: taller than the box
    EXPECT_EQ(image.copy(0, 0, kPreviewBoxWidth, kPreviewBoxHeight),
              PreviewBox(u"<b>x</b>\r<font color=#ff0000>y<"));
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
    {
        QFile old(QString::fromStdString(png));
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old");
    }
    std::istringstream in;
    std::ostringstream out;
    std::ostringstream err;
    out.setstate(std::ios::badbit);
    const std::vector<std::string_view> args = {"-p", png, "Hi"};
    EXPECT_EQ(RunFadeCommand(args, in, out, err), 1);
    EXPECT_NE(err.str().find("could not write the output"), std::string::npos);
    QFile old(QString::fromStdString(png));
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
