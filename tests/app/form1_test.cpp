// The About window, its handle list, and how long the program runs.

#include "app/form1.h"
#include "app/form30.h"
#include "app/hotspot.h"
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

using Testing::ModalWatcher;

int OpenAboutWindows() {
    int count = 0;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (qobject_cast<Form1*>(window) != nullptr && window->isVisible()) {
            ++count;
        }
    }
    return count;
}

void DeleteLater() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

class Form1Test : public QObject {
    Q_OBJECT

private slots:
    void cleanup() {
        delete Form1::Instance();
        // Deleting a main window takes its menu, another top-level widget, with it.
        QList<QPointer<Form30>> forms;
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (auto* form = qobject_cast<Form30*>(window)) {
                forms.append(form);
            }
        }
        qDeleteAll(forms);
    }

    void aboutShowsTheCreditAndSupz() {
        Form1* about = Form1::ShowInstance();
        QVERIFY(QTest::qWaitForWindowActive(about));
        QCOMPARE(about->windowTitle(), QStringLiteral("About"));
        QVERIFY(!about->Label1->text().isEmpty());
        // The credit line fits its label on (at most) two lines.
        QVERIFY(about->Label1->heightForWidth(about->Label1->width()) <= about->Label1->height());
        QCOMPARE(about->Command1->text(), QStringLiteral("Supz"));
        QCOMPARE(QApplication::focusWidget(), about->Command1);
    }

    void thereIsOneAboutWindowMadeAfreshAfterClosing() {
        auto* form = new Form30;
        form->Form_Load();
        form->about->trigger();
        form->about->trigger();
        QCOMPARE(OpenAboutWindows(), 1);
        QPointer<Form1> first = Form1::Instance();
        QVERIFY(first);

        // Showing it again brings the same window back, even from minimized.
        first->showMinimized();
        QCOMPARE(Form1::ShowInstance(), first.data());
        QVERIFY(!first->isMinimized());

        first->close();
        DeleteLater();
        QVERIFY(first.isNull());
        QCOMPARE(Form1::Instance(), nullptr);

        form->about->trigger();
        QVERIFY(Form1::Instance() != nullptr);
        QCOMPARE(OpenAboutWindows(), 1);
    }

    void supzListsTwelveHandlesInAModalBox() {
        auto* form = new Form30;
        form->Form_Load();
        Form1* about = Form1::ShowInstance();
        QVERIFY(QTest::qWaitForWindowExposed(about));

        // Without a box, such a click fades.
        form->Text1->setText(QStringLiteral("free"));
        const QPoint button = form->Command1->mapTo(form, form->Command1->rect().center());
        QTest::mouseClick(form->windowHandle(), Qt::LeftButton, {}, button);
        QVERIFY(!form->Text2->text().isEmpty());
        form->Text2->clear();

        QString title;
        QString text;
        QMessageBox::StandardButtons buttons;
        QMessageBox::Icon icon = QMessageBox::Critical;
        Qt::WindowModality modality = Qt::NonModal;
        QString outputWhileOpen = QStringLiteral("unchanged");
        ModalWatcher watcher([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            QVERIFY(box != nullptr);
            title = box->windowTitle();
            text = box->text();
            buttons = box->standardButtons();
            icon = box->icon();
            modality = box->windowModality();
            // Neither window takes input while the box is up: a click that
            // the window system delivers to "Fade It" does nothing.
            form->Text1->setText(QStringLiteral("blocked"));
            QTest::mouseClick(form->windowHandle(), Qt::LeftButton, {}, button);
            QTest::mouseClick(about->windowHandle(), Qt::LeftButton, {},
                              about->Command1->geometry().center());
            outputWhileOpen = form->Text2->text();
        });
        QTest::mouseClick(about->Command1, Qt::LeftButton);

        QVERIFY(watcher.seen());
        QCOMPARE(title, QStringLiteral("Chromell"));
        QCOMPARE(buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(icon, QMessageBox::NoIcon);
        QCOMPARE(modality, Qt::ApplicationModal);
        QCOMPARE(outputWhileOpen, QString());
        const QStringList handles = text.split(QStringLiteral(", "));
        QCOMPARE(handles.size(), 12);
        QCOMPARE(QSet<QString>(handles.begin(), handles.end()).size(), 12);
        for (const QString& handle : handles) {
            QVERIFY(!handle.isEmpty() && !handle.contains(QLatin1Char(',')) &&
                    handle.trimmed() == handle);
        }
        QVERIFY(Form1::Instance() != nullptr); // the About window stays open
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
        QTimer::singleShot(0, form, [form] { QTest::mouseClick(form->Label1, Qt::LeftButton); });
        if (withAbout) {
            QTimer::singleShot(100, about, [&] {
                runningWithAboutAlone = form.isNull() && lastClosed.isEmpty();
                about->close();
            });
        }
        QTimer giveUp;
        giveUp.setSingleShot(true);
        connect(&giveUp, &QTimer::timeout, qApp, [] { QCoreApplication::exit(1); });
        giveUp.start(5000);

        QCOMPARE(QApplication::exec(), 0);
        QCOMPARE(lastClosed.size(), 1);
        QCOMPARE(runningWithAboutAlone, withAbout);
    }
};

} // namespace Chromell

QTEST_MAIN(Chromell::Form1Test)
#include "form1_test.moc"
