// The About window, its handle list, and how long the program runs.

#include "app/form1.h"
#include "app/form30.h"
#include "app/output_box.h"
#include "tests/app/modal_watcher.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace Chromell {
namespace {

template <typename T> T* Child(QWidget* window, const char* name) {
    return window->findChild<T*>(QLatin1String(name));
}

int OpenAboutWindows() {
    int count = 0;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        count += qobject_cast<Form1*>(window) != nullptr && window->isVisible() ? 1 : 0;
    }
    return count;
}

} // namespace

class Form1Test : public QObject {
    Q_OBJECT

private slots:
    void cleanup() {
        delete Form1::Instance();
        QList<QPointer<Form30>> forms;
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (auto* form = qobject_cast<Form30*>(window)) {
                forms.append(form);
            }
        }
        qDeleteAll(forms); // a main window takes its menu, a top-level widget, with it
    }

    void thereIsOneAboutWindowMadeAfreshAfterClosing() {
        auto* form = new Form30;
        form->Form_Load();
        auto* about = Child<QAction>(form, "about");
        about->trigger();
        about->trigger();
        QCOMPARE(OpenAboutWindows(), 1);
        QPointer<Form1> first = Form1::Instance();
        QVERIFY(QTest::qWaitForWindowActive(first));
        QCOMPARE(QApplication::focusWidget(), Child<QPushButton>(first, "Command1"));
        auto* credit = Child<QLabel>(first, "Label1"); // fits, on two lines at most
        QVERIFY(credit->heightForWidth(credit->width()) <= credit->height());
        // Showing it again brings the same window back, even from minimized.
        first->showMinimized();
        QCOMPARE(Form1::ShowInstance(), first.data());
        QVERIFY(!first->isMinimized());
        first->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(first.isNull());
        about->trigger();
        QVERIFY(Form1::Instance() != nullptr);
        QCOMPARE(OpenAboutWindows(), 1);
    }

    void supzListsTwelveHandlesInAModalBox() {
        auto* form = new Form30;
        form->Form_Load();
        Form1* about = Form1::ShowInstance();
        QVERIFY(QTest::qWaitForWindowExposed(about));
        auto* input = Child<QLineEdit>(form, "Text1");
        auto* output = Child<OutputBox>(form, "Text2");
        auto* fadeIt = Child<QPushButton>(form, "Command1");
        auto* supz = Child<QPushButton>(about, "Command1");
        const QPoint button = fadeIt->mapTo(form, fadeIt->rect().center());
        QString text;
        QString outputWhileOpen = QStringLiteral("unchanged");
        Testing::OnNextMessageBox([&](QMessageBox* box) {
            QCOMPARE(box->standardButtons(), QMessageBox::StandardButtons(QMessageBox::Ok));
            QCOMPARE(box->icon(), QMessageBox::NoIcon);
            text = box->text();
            // Neither window takes input while the box is up: a click that
            // the window system delivers to "Fade It" does nothing.
            input->setText(QStringLiteral("blocked"));
            QTest::mouseClick(form->windowHandle(), Qt::LeftButton, {}, button);
            QTest::mouseClick(about->windowHandle(), Qt::LeftButton, {}, supz->geometry().center());
            outputWhileOpen = output->text();
        });
        QTest::mouseClick(supz, Qt::LeftButton);
        QCOMPARE(outputWhileOpen, QString());
        const QStringList handles = text.split(QStringLiteral(", "));
        QCOMPARE(QSet<QString>(handles.begin(), handles.end()).size(), 12);
        QVERIFY(!handles.contains(QString()) && !text.contains(QLatin1String(",,")));
        // Once it is dismissed, the same click fades.
        QTest::mouseClick(form->windowHandle(), Qt::LeftButton, {}, button);
        QVERIFY(!output->text().isEmpty());
    }

    // The program ends when its last window closes, and not before: an open
    // About window keeps it running after the main window has gone.
    void programEndsWithItsLastWindow_data() {
        QTest::addColumn<bool>("withAbout");
        QTest::newRow("main window alone") << false;
        QTest::newRow("About open too") << true;
    }

    void programEndsWithItsLastWindow() {
        QFETCH(bool, withAbout);
        QApplication::setQuitOnLastWindowClosed(true);
        QPointer<Form30> form = new Form30;
        form->Form_Load();
        QPointer<Form1> about = withAbout ? Form1::ShowInstance() : nullptr;
        QSignalSpy lastClosed(qApp, &QGuiApplication::lastWindowClosed);
        bool runningWithAboutAlone = false;
        QTimer::singleShot(0, form, [form] {
            QTest::mouseClick(Child<QAbstractButton>(form, "Label1"), Qt::LeftButton);
        });
        if (withAbout) {
            QTimer::singleShot(100, about, [&] {
                runningWithAboutAlone = form.isNull() && lastClosed.isEmpty();
                about->close();
            });
        }
        const QObject giveUp; // the timer goes with it
        QTimer::singleShot(5000, &giveUp, [] { QCoreApplication::exit(1); });
        QCOMPARE(QApplication::exec(), 0);
        QCOMPARE(lastClosed.size(), 1);
        QCOMPARE(runningWithAboutAlone, withAbout);
    }
};

} // namespace Chromell

QTEST_MAIN(Chromell::Form1Test)
#include "form1_test.moc"
