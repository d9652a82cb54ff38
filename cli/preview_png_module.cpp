// The preview as a module of its own: chromell-fade loads it only when a
// preview is asked for, so that a plain fade does not pay for loading Qt.
#include "cli/preview_png.h"

#include <cstddef>

extern "C" Chromell::PendingPreview* chromell_fade_prepare_preview(const char16_t* markup,
                                                                   std::size_t length,
                                                                   const std::string* path,
                                                                   std::string* error) {
    return Chromell::PreparePreviewPng(std::u16string_view(markup, length), *path, *error)
        .release();
}
