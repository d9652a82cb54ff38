#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <functional>

namespace Chromell::Testing {

// Waits, from inside whatever event loop is running, for an application-modal
// widget to open; hands it to `inspect` and then dismisses it (a message box
// with its OK button, anything else by closing it). Gives up after about five
// seconds, leaving seen() false.
class ModalWatcher : public QObject {
public:
    explicit ModalWatcher(std::function<void(QWidget*)> inspect) : inspect_(std::move(inspect)) {
        timer_.setInterval(10);
        connect(&timer_, &QTimer::timeout, this, &ModalWatcher::Poll);
        timer_.start();
    }

    bool seen() const { return seen_; }

private:
    void Poll() {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr) {
            if (++polls_ > 500) {
                timer_.stop();
            }
            return;
        }
        timer_.stop();
        seen_ = true;
        inspect_(modal);
        auto* box = qobject_cast<QMessageBox*>(modal);
        QAbstractButton* ok = box != nullptr ? box->button(QMessageBox::Ok) : nullptr;
        ok != nullptr ? ok->click() : static_cast<void>(modal->close());
    }

    std::function<void(QWidget*)> inspect_;
    QTimer timer_;
    int polls_ = 0;
    bool seen_ = false;
};

} // namespace Chromell::Testing
