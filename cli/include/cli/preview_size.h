#pragma once

#include <optional>
#include <string>

namespace Chromell {

// A preview image's size in pixels.
struct PreviewSize {
    int width = 0;
    int height = 0;

    bool operator==(const PreviewSize&) const = default;
};

// "W x H pixels", with thousands separators.
std::string Describe(PreviewSize size);

// The size of the image that shows everything drawn: the drawn extent, grown
// to the preview box's size where it is smaller. Nothing when that is over
// kMaxPreviewPixels; `error` then says why.
std::optional<PreviewSize> PreviewSizeFor(PreviewSize drawn, std::string& error);

} // namespace Chromell
