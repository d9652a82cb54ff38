#include "status_notifier_host.h"

// Builds without Qt D-Bus see no status-notifier host.
namespace Chromell {

StatusNotifierHost::StatusNotifierHost(std::function<void()> changed, QObject* parent)
    : QObject(parent), changed_(std::move(changed)) {}

void StatusNotifierHost::Check() {}

} // namespace Chromell
