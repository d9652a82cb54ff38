// Builds without Qt cannot draw previews.
#include "cli/preview_png.h"

namespace Chromell {

bool PreviewAvailable(std::string& error) {
    error = "previews are not available in this build (it was made without Qt)";
    return false;
}

std::unique_ptr<PendingPreview> PreparePreviewPng(std::u16string_view, const std::string&,
                                                  std::string& error) {
    error = "previews are not available in this build (it was made without Qt)";
    return nullptr;
}

} // namespace Chromell
