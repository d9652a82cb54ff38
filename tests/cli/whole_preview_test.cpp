#include "cli/whole_preview.h"
#include "preview/preview_box.h"
#include "preview/testing/recording_surface.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>

namespace Chromell {
namespace {

// A canvas that keeps what is drawn instead of pixels: ASCII text is
// `widthPerCharacter` a character wide and 16 high.
class RecordingCanvas : public PreviewCanvas {
public:
    explicit RecordingCanvas(PreviewSize start, float widthPerCharacter = 8.0f)
        : surface(widthPerCharacter), size(start), width(widthPerCharacter) {}

    VexoFade::DrawingSurface& Surface() override { return surface; }
    PreviewSize Size() const override { return size; }
    PreviewSize DrawnExtent() const override {
        PreviewSize extent;
        for (const VexoFade::DrawnText& text : surface.drawn()) {
            extent.width =
                std::max(extent.width,
                         static_cast<int>(text.x + width * static_cast<float>(text.text.size())));
            extent.height = std::max(extent.height, static_cast<int>(text.y) + 16);
        }
        return extent;
    }
    bool Resize(PreviewSize to) override {
        if (noMemory) {
            return false;
        }
        size = to;
        surface.Cls();
        return true;
    }

    // All that the picture shows, as one text with a "\r" between lines.
    std::string Shown() const {
        std::string shown;
        float y = 0.0f;
        for (const VexoFade::DrawnText& text : surface.drawn()) {
            shown += (text.y != y ? "\r" : "") + text.text;
            y = text.y;
        }
        return shown;
    }

    VexoFade::RecordingSurface surface;
    PreviewSize size;
    float width;
    bool noMemory = false;
};

constexpr PreviewSize kBox{VexoFade::kPreviewBoxWidth, VexoFade::kPreviewBoxHeight};

// The box's size when everything fits in it, else just what holds it all;
// either way the picture shows the whole markup once.
TEST(WholePreview, TheBoxGrownToHoldEverythingDrawnAndAllOfItShown) {
    const std::string wide(60, 'W');
    const struct {
        std::u16string markup;
        std::string shown;
        PreviewSize size;
    } cases[] = {
        {u"Hello", "Hello", kBox},
        {u"a\rb", "a\rb", {kBox.width, 32}},
        {std::u16string(wide.begin(), wide.end()) + u"\rx\ry", wide + "\rx\ry", {482, 48}},
    };
    for (const auto& test : cases) {
        RecordingCanvas canvas({1, 1}); // not yet the box's size
        std::string error;
        EXPECT_TRUE(DrawWholePreview(canvas, test.markup, error)) << error;
        EXPECT_EQ(canvas.Shown(), test.shown);
        EXPECT_EQ(canvas.size, test.size) << test.shown;
    }
}

TEST(WholePreview, TooLargeOrNoMemoryFailsWithTheSize) {
    std::u16string lines;
    for (int line = 0; line < 700; ++line) {
        lines += std::u16string(100, u'W') + u"\r"; // 100,002 x 11,200 pixels
    }
    RecordingCanvas large(kBox, 1000.0f);
    std::string error;
    EXPECT_FALSE(DrawWholePreview(large, lines, error));
    EXPECT_EQ(error, "the preview would be 100,002 x 11,200 pixels, more than the 67,108,864 "
                     "pixels this tool draws; use shorter lines or fewer of them");
    EXPECT_EQ(large.size, kBox);

    RecordingCanvas full(kBox);
    full.noMemory = true;
    EXPECT_FALSE(DrawWholePreview(full, u"a\rb", error));
    EXPECT_EQ(error, "not enough memory for a preview of 297 x 32 pixels");
}

} // namespace
} // namespace Chromell
