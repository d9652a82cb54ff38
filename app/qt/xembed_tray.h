#pragma once

#include <functional>
#include <memory>

namespace Chromell {

// Watches for an X11 system tray (XEmbed): a window owning the selection
// _NET_SYSTEM_TRAY_S<n> of the default screen. `changed` runs when a tray
// comes or goes. Where Qt does not run on X11 there is never one.
class XEmbedTray {
public:
    explicit XEmbedTray(std::function<void()> changed);
    ~XEmbedTray();
    XEmbedTray(const XEmbedTray&) = delete;
    XEmbedTray& operator=(const XEmbedTray&) = delete;

    bool Present() const;

private:
    struct Watch;
    std::unique_ptr<Watch> watch_;
};

} // namespace Chromell
