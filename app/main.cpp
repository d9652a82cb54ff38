#include "app/art.h"
#include "app/form30.h"

#include <QApplication>

// The program starts into its main window and ends when no window of it is open.
int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("chromell"));
    QApplication::setWindowIcon(Chromell::AppIcon());

    auto* form = new Chromell::Form30; // deletes itself when closed
    form->Form_Load();
    return QApplication::exec();
}
