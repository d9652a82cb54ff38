#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace Chromell {

// The largest preview image written, in pixels (width times height).
inline constexpr long long kMaxPreviewPixels = 64LL * 1024 * 1024;

// A preview PNG that has been drawn and written to a temporary file next to
// its destination. Nothing appears at the destination until Commit(); without
// it, the destructor throws the temporary file away.
class PendingPreview {
public:
    virtual ~PendingPreview() = default;
    // Moves the file into place. On failure puts a message into `error`.
    virtual bool Commit(std::string& error) = 0;
};

// Whether previews can be drawn (they need Qt); if not, says why in `error`.
bool PreviewAvailable(std::string& error);

// Draws the markup as the preview box shows it (the same renderer and
// surface): white, at least the box's size, grown to hold every line at the
// full width of the longest. Creates a QGuiApplication for the drawing when
// none exists, on Qt's offscreen platform when there is no display. On failure
// (the path cannot be written, the image would be too large) returns nothing
// and puts a message into `error`; the destination is then untouched.
std::unique_ptr<PendingPreview> PreparePreviewPng(std::u16string_view markup,
                                                  const std::string& path, std::string& error);

} // namespace Chromell
