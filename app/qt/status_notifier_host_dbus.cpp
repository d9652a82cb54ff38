#include "status_notifier_host.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusServiceWatcher>
#include <QDBusVariant>

namespace Chromell {
namespace {

const QString kWatcher = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString kWatcherPath = QStringLiteral("/StatusNotifierWatcher");
// A watcher that does not answer within this time has no host for us.
constexpr int kAnswerMilliseconds = 2000;

} // namespace

StatusNotifierHost::StatusNotifierHost(std::function<void()> changed, QObject* parent)
    : QObject(parent) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        return;
    }
    // The watcher comes and goes with the panel that holds it (a restart);
    // while it runs, hosts register with it and leave.
    auto* watcher =
        new QDBusServiceWatcher(kWatcher, bus, QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(watcher, &QDBusServiceWatcher::serviceOwnerChanged, this, &StatusNotifierHost::Check);
    for (const char* signal : {"StatusNotifierHostRegistered", "StatusNotifierHostUnregistered"}) {
        bus.connect(QString(), kWatcherPath, kWatcher, QString::fromLatin1(signal), this,
                    SLOT(Check()));
    }
    Check();
    changed_ = std::move(changed);
}

void StatusNotifierHost::Check() {
    QDBusMessage question = QDBusMessage::createMethodCall(
        kWatcher, kWatcherPath, QStringLiteral("org.freedesktop.DBus.Properties"),
        QStringLiteral("Get"));
    question << kWatcher << QStringLiteral("IsStatusNotifierHostRegistered");
    question.setAutoStartService(false); // a host is one that runs
    const QDBusMessage answer =
        QDBusConnection::sessionBus().call(question, QDBus::Block, kAnswerMilliseconds);
    const bool registered =
        answer.type() == QDBusMessage::ReplyMessage && !answer.arguments().isEmpty() &&
        answer.arguments().constFirst().value<QDBusVariant>().variant().toBool();
    if (registered != registered_) {
        registered_ = registered;
        if (changed_) {
            changed_();
        }
    }
}

} // namespace Chromell
