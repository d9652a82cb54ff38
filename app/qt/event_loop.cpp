#include "app/qt/event_loop.h"

#include <QCoreApplication>
#include <QDialog>

namespace Chromell {

void ProcessPendingEvents() {
    QCoreApplication::processEvents();
}

void RunModal(QDialog& dialog) {
    dialog.exec();
}

} // namespace Chromell
