#pragma once

#include <QObject>
#include <functional>

namespace Chromell {

// Runs an action once the right mouse button is up. Qt's X11 tray icon asks
// for its context menu when the right button goes down; the menu belongs to
// the release. Run() acts at once when the button is not held, else on its
// release, wherever in the program that arrives. Another press first drops
// the wait (it starts a gesture of its own).
class RightRelease : public QObject {
    Q_OBJECT
public:
    explicit RightRelease(QObject* parent = nullptr);

    void Run(std::function<void()> action);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Stop();

    std::function<void()> action_;
};

} // namespace Chromell
