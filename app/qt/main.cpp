#include "app/qt/art.h"
#include "app/qt/desktop.h"
#include "app/qt/form30.h"

#include <QApplication>
#include <cstdio>

// The program starts into its main window and ends when no window of it is open.
int main(int argc, char* argv[]) {
    // Qt aborts when its platform cannot start; say why and how to run instead.
    if (const QString problem = Chromell::DisplayProblem(); !problem.isEmpty()) {
        std::fprintf(stderr,
                     "chromell: %s; to run it without a display, use a virtual X server: "
                     "xvfb-run -a chromell\n",
                     qPrintable(problem));
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("chromell"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.chromell.Chromell"));
    QApplication::setWindowIcon(Chromell::AppIcon());

    auto* form = new Chromell::Form30; // deletes itself when closed
    form->Form_Load();
    return QApplication::exec();
}
