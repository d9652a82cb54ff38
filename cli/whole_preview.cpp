#include "cli/whole_preview.h"

#include "preview/preview_box.h"
#include "preview/render_markup.h"

#include <optional>

namespace Chromell {

bool DrawWholePreview(PreviewCanvas& canvas, std::u16string_view markup, std::string& error) {
    const PreviewSize box{VexoFade::kPreviewBoxWidth, VexoFade::kPreviewBoxHeight};
    if (canvas.Size() != box && !canvas.Resize(box)) {
        error = "not enough memory for a preview of " + Describe(box);
        return false;
    }
    VexoFade::RenderMarkupPreview(canvas.Surface(), markup);
    const std::optional<PreviewSize> size = PreviewSizeFor(canvas.DrawnExtent(), error);
    if (!size) {
        return false;
    }
    if (*size == box) {
        return true;
    }
    if (!canvas.Resize(*size)) {
        error = "not enough memory for a preview of " + Describe(*size);
        return false;
    }
    VexoFade::RenderMarkupPreview(canvas.Surface(), markup);
    return true;
}

} // namespace Chromell
