#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <functional>

namespace Chromell::Testing {

// Hands the message box that the next event loop runs modally to `inspect`
// and then presses its OK button. Nothing happens when no box is up then.
inline void OnNextMessageBox(std::function<void(QMessageBox*)> inspect) {
    QTimer::singleShot(0, qApp, [inspect = std::move(inspect)] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            inspect(box);
            box->button(QMessageBox::Ok)->click();
        }
    });
}

} // namespace Chromell::Testing
