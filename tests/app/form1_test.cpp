// The About window, its handle list, and how long the program runs.

#include "app/qt/form1.h"
#include "app/qt/form30.h"
#include "app/qt/output_box.h"
#include "tests/app/modal_watcher.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace Chromell {

class Form1Test : public QObject {
    Q_OBJECT

    QPointer<Form30> form;

    template <typename T> static T* Child(QWidget* window, const char* name) {
        return window->findChild<T*>(QLatin1String(name));
    }

private slots:
    void init() {
        form = new Form30;
        form->Form_Load();
    }

    void cleanup() {
        delete Form1::Instance();
        delete form.data();
    }

    void thereIsOneAboutWindowMadeAfreshAfterClosing() {
        auto* about = Child<QAction>(form, "about");
        about->trigger();
        about->trigger();
        int open = 0;
        for (QWidget* window : QApplication::topLevelWidgets()) {
            open += qobject_cast<Form1*>(window) && window->isVisible() ? 1 : 0;
        }
        QCOMPARE(open, 1);
        QPointer<Form1> first = Form1::Instance();
        QVERIFY(QTest::qWaitForWindowActive(first));
        QCOMPARE(QApplication::focusWidget(), Child<QPushButton>(first, "Command1"));
        auto* credit = Child<QLabel>(first, "Label1"); // fits, on two lines at most
        QVERIFY(credit->heightForWidth(credit->width()) <= credit->height());
        first->showMinimized(); // showing it again brings the same window back
        QCOMPARE(Form1::ShowInstance(), first.data());
        QVERIFY(!first->isMinimized());
        first->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(first.isNull());
        about->trigger(); // a new one
        QVERIFY(Form1::Instance() && Form1::Instance()->isVisible());
    }

    // While the list is up, neither window takes input: a click that the
    // window system delivers to "Fade It" does nothing; afterwards it fades.
    void supzListsTwelveHandlesInAModalBox() {
        Form1* about = Form1::ShowInstance();
        QVERIFY(QTest::qWaitForWindowExposed(about));
        auto* output = Child<OutputBox>(form, "Text2");
        auto* supz = Child<QPushButton>(about, "Command1");
        const QPoint button = Child<QWidget>(form, "Command1")->geometry().center();
        QString text;
        QString outputWhileOpen = QStringLiteral("unchanged");
        Testing::OnNextMessageBox([&](QMessageBox* box) {
            QCOMPARE(box->standardButtons(), QMessageBox::StandardButtons(QMessageBox::Ok));
            QCOMPARE(box->icon(), QMessageBox::NoIcon);
            text = box->text();
            Child<QLineEdit>(form, "Text1")->setText(QStringLiteral("blocked"));
            QTest::mouseClick(form->windowHandle(), Qt::LeftButton, {}, button);
            QTest::mouseClick(about->windowHandle(), Qt::LeftButton, {}, supz->geometry().center());
            outputWhileOpen = output->text();
        });
        QTest::mouseClick(supz, Qt::LeftButton);
        QCOMPARE(outputWhileOpen, QString());
        const QStringList handles = text.split(QStringLiteral(", "));
        QCOMPARE(QSet<QString>(handles.begin(), handles.end()).size(), 12);
        QVERIFY(!handles.contains(QString()) && !text.contains(QLatin1String(",,")));
        QTest::mouseClick(form->windowHandle(), Qt::LeftButton, {}, button);
        QVERIFY(!output->text().isEmpty());
    }

    // An open About window keeps the program running after the main window has gone.
    void programEndsWithItsLastWindow() {
        QApplication::setQuitOnLastWindowClosed(true);
        QPointer<Form1> about = Form1::ShowInstance();
        QSignalSpy lastClosed(qApp, &QGuiApplication::lastWindowClosed);
        bool runningWithAboutAlone = false;
        connect(form, &QObject::destroyed, about, [&] {
            runningWithAboutAlone = lastClosed.isEmpty();
            about->close();
        });
        QMetaObject::invokeMethod(
            form, [this] { QTest::mouseClick(Child<QWidget>(form, "Label1"), Qt::LeftButton); },
            Qt::QueuedConnection);
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(runningWithAboutAlone);
        QCOMPARE(lastClosed.size(), 1);
    }
};

} // namespace Chromell

QTEST_MAIN(Chromell::Form1Test)
#include "form1_test.moc"
