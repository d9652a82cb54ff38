// Drives the main window the way a user would, on Qt's offscreen platform.

#include "app/core/form30_layout.h"
#include "app/qt/form1.h"
#include "app/qt/form30.h"
#include "app/qt/output_box.h"
#include "app/qt/preview_box.h"
#include "app/qt/qt_rect.h"
#include "app/qt/swatch.h"
#include "bridge/testing/window_tree.h"
#include "preview/qt/qt_color.h"
#include "tests/app/modal_watcher.h"
#include "tests/bridge/messenger_layouts.h"
#include "tests/support/pixels.h"

#include <QAbstractTextDocumentLayout>
#include <QClipboard>
#include <QLineEdit>
#include <QPointer>
#include <QScrollBar>
#include <QStyleOptionSlider>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <functional>

namespace Chromell {

class Form30Test : public QObject {
    Q_OBJECT

    QPointer<Form30> form;

    template <typename T = QWidget> T* Child(const char* name) {
        return form->findChild<T*>(QLatin1String(name));
    }
    QImage Preview() { return Child<PreviewBox>("Picture1")->surface().image().copy(); }
    QString Output() { return Child<OutputBox>("Text2")->text(); }
    void FadeIt(const QString& text) {
        Child<QLineEdit>("Text1")->setText(text);
        QTest::mouseClick(Child("Command1"), Qt::LeftButton);
    }
    static QRect BarPart(QScrollBar* bar, QStyle::SubControl part) {
        QStyleOptionSlider option;
        option.initFrom(bar);
        option.maximum = bar->maximum();
        option.sliderPosition = bar->sliderPosition();
        return bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, part, bar);
    }

private slots:
    void init() {
        form = new Form30;
        form->Form_Load();
        QVERIFY(QTest::qWaitForWindowExposed(form));
    }

    void cleanup() {
        delete Form1::Instance();
        delete form.data();
    }

    // Every control where the layout puts it, inside the window and named for
    // assistive tools; the window of fixed size, a tool window with a close box.
    void controlsStandWhereTheLayoutPutsThem() {
        QCOMPARE(form->geometry(), ToQRect(TwipsToPixels(Form30Layout::kWindow)));
        QCOMPARE(form->minimumSize(), form->maximumSize());
        QCOMPARE(form->windowFlags() & (Qt::WindowType_Mask | Qt::WindowCloseButtonHint |
                                        Qt::WindowMinMaxButtonsHint),
                 Qt::Tool | Qt::WindowCloseButtonHint);
        for (const auto& layout : Form30Layout::kControls) {
            const QByteArray name(layout.name.data(), static_cast<qsizetype>(layout.name.size()));
            QWidget* widget = Child(name.constData());
            QVERIFY2(widget != nullptr, name.constData());
            QCOMPARE(widget->geometry(), ToQRect(TwipsToPixels(layout.twips)));
            QVERIFY2(form->rect().contains(widget->geometry()), name.constData());
            QVERIFY2(!widget->accessibleName().isEmpty(), name.constData()); // captions are pixels
        }
    }

    // A bar sets its row's swatch's channel only: by 1 on a track click or PageDown, on release.
    void eachBarMovesItsOwnChannel_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("shift");
        for (int row = 1; row <= 3; ++row) {
            for (const auto& [channel, shift] : {std::pair{"red", 0}, {"green", 8}, {"blue", 16}}) {
                QTest::addRow("%s%d", channel, row) << row - 1 << shift;
            }
        }
    }

    void eachBarMovesItsOwnChannel() {
        QFETCH(int, row);
        QFETCH(int, shift);
        auto* bar = Child<QScrollBar>(QTest::currentDataTag());
        const auto swatchesShow = [&](int value) {
            QList<QColor> shown, want;
            for (const char* name : {"color1", "color2", "Color3"}) {
                want << (want.size() == row ? VexoFade::ToQColor(value << shift)
                                            : form->palette().color(QPalette::HighlightedText));
                shown << Child<Swatch>(name)->palette().color(QPalette::Window);
            }
            return shown == want;
        };
        QTest::mouseClick(bar, Qt::LeftButton, {},
                          BarPart(bar, QStyle::SC_ScrollBarAddPage).center());
        QVERIFY(bar->value() == 1 && swatchesShow(1));
        QTest::keyClick(bar, Qt::Key_PageDown);
        QVERIFY(bar->value() == 2 && swatchesShow(2));
        const QPoint grab = BarPart(bar, QStyle::SC_ScrollBarSlider).center();
        QTest::mousePress(bar, Qt::LeftButton, {}, grab);
        QTest::mouseMove(bar, grab + QPoint(25, 0));
        QVERIFY(bar->sliderPosition() > 2 && swatchesShow(2));
        QTest::mouseRelease(bar, Qt::LeftButton, {}, grab + QPoint(25, 0));
        QVERIFY(bar->value() > 2 && swatchesShow(bar->value()));
    }

    // A fade replaces both boxes; a failure is reported and changes neither.
    void fadeFillsBothBoxesAndAFailureNeither() {
        for (const char* bar : {"red1", "green2", "blue3"}) {
            Child<QScrollBar>(bar)->setValue(255);
        }
        Child<OutputBox>("Text2")->setPlainText(QStringLiteral("typed by the user"));
        FadeIt(QStringLiteral("abc"));
        QCOMPARE(Output(),
                 QStringLiteral("<Font Color=#808000>a<Font Color=#00FF00>b<Font Color=#0000FF>c"));
        const int plainBottom = Testing::Ink(Preview()).bottom();
        QVERIFY(plainBottom > 0);
        form->FadeOutputWavy();
        QCOMPARE(Output(), QStringLiteral("<Font Color=#808000><sup>a<Font Color=#00FF00></sup>b"
                                          "<Font Color=#0000FF><sub>c"));
        QCOMPARE(Testing::Ink(Preview()).bottom(), plainBottom + 1); // the subscript c
        const QString markup = Output();
        const QImage preview = Preview();
        bool reported = false;
        Testing::OnNextMessageBox([&](QMessageBox*) { reported = true; });
        FadeIt(QString(32768, QLatin1Char('x'))); // the input box cuts nothing off
        QVERIFY(reported);
        QCOMPARE(Output(), markup);
        QCOMPARE(Preview(), preview);
        FadeIt(QString());
        QCOMPARE(Output(), QString());
        QVERIFY(Testing::Ink(Preview()).isNull());
    }

    // The text reads back as set (a new break as "\r\n"), and the copy too, however the
    // box wraps it: a paragraph per line filled to a new width or font, whole clusters.
    void outputBoxGivesBackItsTextAndWrapsIt() {
        auto* box = Child<OutputBox>("Text2");
        const QString breaks =
            QStringLiteral("a\rb\nc\r\nd\u2029e\u00A0f\uFDD0g\uFDD1\U0001F600\r\r\u0600\uFDD0x");
        box->setText(breaks);
        QCOMPARE(box->text(), breaks);
        box->moveCursor(QTextCursor::End);
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(box->text(), breaks + QStringLiteral("\r\n"));
        FadeIt(QString(300, QLatin1Char('w')));
        const QString markup = box->text();
        const auto fitsAndFills = [box] {
            const qreal room = box->viewport()->width() - 2 * box->document()->documentMargin();
            const QTextBlock first = box->document()->begin();
            box->document()->documentLayout()->blockBoundingRect(first);
            const qreal width = first.layout()->lineAt(0).naturalTextWidth();
            return first.layout()->lineCount() == 1 && width <= room && width > room - 30;
        };
        QVERIFY(fitsAndFills());
        box->resize(box->width() * 2, box->height());
        QVERIFY(fitsAndFills());
        box->setFont(QFont(box->font().family(), box->font().pointSize() * 2));
        QVERIFY(fitsAndFills());
        QCOMPARE(box->text(), markup);
        box->selectAll();
        box->copy();
        QCOMPARE(QGuiApplication::clipboard()->text(), markup);
        const QString family = QStringLiteral("\U0001F469\u200D\U0001F469\u200D\U0001F467");
        box->setText(QLatin1Char('x') + family.repeated(300));
        QVERIFY(box->document()->blockCount() > 1);
        for (QTextBlock line = box->document()->begin(); line.isValid(); line = line.next()) {
            QCOMPARE((line.text().size() - (line.position() == 0 ? 1 : 0)) % family.size(), 0);
        }
    }

    void aNewerFadeDuringThePreviewsYieldWins() {
        bool ranInside = false;
        QMetaObject::invokeMethod(
            form, [&] { ranInside = true, FadeIt(QStringLiteral("three")); }, Qt::QueuedConnection);
        FadeIt(QStringLiteral("one\rtwo"));
        QVERIFY(ranInside);
        const QString markup = Output();
        const QImage preview = Preview();
        Child<PreviewBox>("Picture1")->surface().Cls();
        FadeIt(QStringLiteral("three"));
        QCOMPARE(markup, Output());
        QCOMPARE(preview, Preview());
    }

    // Every way of closing ends the window, also amid a fade, which then draws nothing.
    void closingEndsTheWindow_data() {
        QTest::addColumn<int>("how");
        const char* names[] = {"Label1", "exit", "close box", "delete"};
        for (int how = 0; how < 8; ++how) {
            QTest::addRow("%s%s", names[how % 4], how < 4 ? "" : " in a fade") << how;
        }
    }

    void closingEndsTheWindow() {
        QFETCH(int, how);
        const std::function<void()> ways[] = {
            [this] { QTest::mouseClick(Child("Label1"), Qt::LeftButton); },
            [this] { Child<QAction>("exit")->trigger(); }, [this] { form->close(); },
            [this] { delete form.data(); }};
        if (how < 4) {
            ways[how]();
        } else {
            QMetaObject::invokeMethod(form, ways[how % 4], Qt::QueuedConnection);
            FadeIt(QStringLiteral("a\rb"));
            QVERIFY(form.isNull() || Testing::Ink(Preview()).isNull());
        }
        QVERIFY(form.isNull() || form->isHidden());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(form.isNull());
    }

    // Tab goes round in the layout's order; bars and preview show the focus.
    void tabVisitsTheControlsInLayoutOrderShowingTheFocus() {
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form));
        QCOMPARE(QApplication::focusWidget(), Child("red3"));
        for (const char* name : {"green3", "blue3", "green2", "blue2", "red2", "Command1", "Text1",
                                 "red1", "green1", "blue1", "Text2", "Picture1", "red3"}) {
            QWidget* next = Child(name);
            const QImage unfocused = next->grab().toImage();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), next);
            const bool framed = qobject_cast<QScrollBar*>(next) || qobject_cast<PreviewBox*>(next);
            QVERIFY2(!framed || next->grab().toImage() != unfocused, name);
        }
    }

    // Only a double click restores; the menu opens on the right button's release.
    void minimizeAndTheTrayIcon() {
        QSystemTrayIcon* tray = form->trayIcon();
        QWidget* menu = Child("mnuFile");
        QTest::mouseClick(Child("Label2"), Qt::LeftButton);
        QVERIFY(form->isMinimized());
        for (const auto reason : {QSystemTrayIcon::Trigger, QSystemTrayIcon::MiddleClick}) {
            emit tray->activated(reason);
            QVERIFY(form->isMinimized() && !menu->isVisible());
        }
        emit tray->activated(QSystemTrayIcon::DoubleClick);
        QVERIFY(!form->isMinimized() && form->isVisible());
        const QPoint artwork(300, 10);
        QTest::mousePress(form->windowHandle(), Qt::RightButton, {}, artwork);
        emit tray->activated(QSystemTrayIcon::Context);
        QVERIFY(!menu->isVisible());
        QTest::mouseRelease(form->windowHandle(), Qt::RightButton, {}, artwork);
        QVERIFY(menu->isVisible());
        menu->close();
    }

    // Chat delivery's errors reach the caller, the IM delivery's do not.
    void sendOperationsDeliverTheOutputBoxsText() {
        auto desktop = std::make_shared<Module1::WindowTree>();
        const auto windows = desktop->AddWindows(MessengerLayouts::kMessenger);
        form->SetWindowService(desktop);
        FadeIt(QStringLiteral("hi"));
        form->SendOutputToChat();
        QCOMPARE(QString::fromStdString(desktop->TextOf(windows.at("chat.entry"))), Output());
        desktop->Hang();
        QVERIFY_THROWS_EXCEPTION(Module1::NotAnswering, form->SendOutputToChat());
        form->SendOutputToIm();
        QVERIFY(!Output().isEmpty());
    }
};

} // namespace Chromell

QTEST_MAIN(Chromell::Form30Test)
#include "form30_test.moc"
