#pragma once

#include <QObject>
#include <functional>

namespace Chromell {

// Watches the session bus for a status-notifier host, the D-Bus tray of KDE
// Plasma, AppIndicator, waybar and xfce4-panel: the watcher
// org.kde.StatusNotifierWatcher saying IsStatusNotifierHostRegistered. Qt's
// tray icon takes this way when a host is there as the icon is made.
// `changed` runs when a host comes or goes. Without a session bus there is
// never one.
class StatusNotifierHost : public QObject {
    Q_OBJECT
public:
    explicit StatusNotifierHost(std::function<void()> changed, QObject* parent = nullptr);

    bool Registered() const { return registered_; }

private Q_SLOTS:
    void Check();

private:
    bool registered_ = false;
    std::function<void()> changed_;
};

} // namespace Chromell
