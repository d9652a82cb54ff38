#include "tray_watch.h"

#include "status_notifier_host.h"
#include "xembed_tray.h"

namespace Chromell {

TrayWatch::TrayWatch(std::function<void(bool shown)> shownChanged)
    : host_(std::make_unique<StatusNotifierHost>([this] { Changed(); })),
      docked_(std::make_unique<XEmbedTray>([this] { Changed(); })) {
    kind_ = host_->Registered() ? TrayKind::StatusNotifier : TrayKind::Docked;
    shown_ = Shown();
    shownChanged_ = std::move(shownChanged);
}

TrayWatch::~TrayWatch() = default;

bool TrayWatch::Shown() const {
    return kind_ == TrayKind::StatusNotifier ? host_->Registered() : docked_->Present();
}

void TrayWatch::Changed() {
    if (Shown() != shown_) {
        shown_ = !shown_;
        if (shownChanged_) {
            shownChanged_(shown_);
        }
    }
}

} // namespace Chromell
