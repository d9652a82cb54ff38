#pragma once

#include <functional>
#include <memory>

namespace Chromell {

class StatusNotifierHost;
class XEmbedTray;

// The two ways a tray icon reaches a Linux desktop. They report different
// things: an icon docked in an X11 tray (XEmbed) gets the pointer's clicks,
// as on Windows; a status-notifier host sends activations and shows the
// item's exported menu itself.
enum class TrayKind : unsigned char { Docked, StatusNotifier };

// Which kind of tray the program's icon goes to, and whether a tray of that
// kind shows it now. The kind is fixed when the watch is made, as Qt fixes it
// when a tray icon is made: a status-notifier host if one is registered then,
// else an XEmbed tray, now or later. `shownChanged` runs on every change.
class TrayWatch {
public:
    explicit TrayWatch(std::function<void(bool shown)> shownChanged);
    ~TrayWatch();
    TrayWatch(const TrayWatch&) = delete;
    TrayWatch& operator=(const TrayWatch&) = delete;

    TrayKind Kind() const { return kind_; }
    bool Shown() const;

private:
    void Changed();

    std::function<void(bool)> shownChanged_;
    bool shown_ = false;
    TrayKind kind_ = TrayKind::Docked;
    std::unique_ptr<StatusNotifierHost> host_;
    std::unique_ptr<XEmbedTray> docked_;
};

} // namespace Chromell
