#include "app/qt/right_release.h"

#include <QGuiApplication>
#include <QMouseEvent>

namespace Chromell {

RightRelease::RightRelease(QObject* parent) : QObject(parent) {}

void RightRelease::Run(std::function<void()> action) {
    if (!(QGuiApplication::mouseButtons() & Qt::RightButton)) {
        Stop();
        action();
        return;
    }
    if (!action_) {
        qApp->installEventFilter(this);
    }
    action_ = std::move(action);
}

bool RightRelease::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress) {
        Stop();
    } else if (event->type() == QEvent::MouseButtonRelease &&
               static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
        const std::function<void()> action = std::move(action_);
        Stop();
        if (action) {
            action();
        }
    }
    return QObject::eventFilter(watched, event);
}

void RightRelease::Stop() {
    if (qApp != nullptr) {
        qApp->removeEventFilter(this);
    }
    action_ = nullptr;
}

} // namespace Chromell
