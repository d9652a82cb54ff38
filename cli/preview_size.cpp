#include "cli/preview_size.h"

#include "base/error.h"
#include "cli/preview_png.h"
#include "preview/preview_box.h"

#include <algorithm>

namespace Chromell {

std::string Describe(PreviewSize size) {
    return Chromell::FormatCount(size.width) + " x " + Chromell::FormatCount(size.height) +
           " pixels";
}

std::optional<PreviewSize> PreviewSizeFor(PreviewSize drawn, std::string& error) {
    const PreviewSize size{std::max(drawn.width, VexoFade::kPreviewBoxWidth),
                           std::max(drawn.height, VexoFade::kPreviewBoxHeight)};
    if (static_cast<long long>(size.width) * size.height > kMaxPreviewPixels) {
        error = "the preview would be " + Describe(size) + ", more than the " +
                Chromell::FormatCount(kMaxPreviewPixels) +
                " pixels this tool draws; use shorter lines or fewer of them";
        return std::nullopt;
    }
    return size;
}

} // namespace Chromell
