#include "xembed_tray.h"

// Desktops without X11 have no XEmbed tray.
namespace Chromell {

struct XEmbedTray::Watch {};

XEmbedTray::XEmbedTray(std::function<void()> /*changed*/) {}

XEmbedTray::~XEmbedTray() = default;

bool XEmbedTray::Present() const {
    return false;
}

} // namespace Chromell
