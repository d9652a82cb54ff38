// Drives the main window the way a user would, on Qt's offscreen platform.

#include "app/form1.h"
#include "app/form30.h"
#include "app/hotspot.h"
#include "app/output_box.h"
#include "app/preview_box.h"
#include "app/swatch.h"
#include "bridge/testing/window_tree.h"
#include "tests/app/modal_watcher.h"

#include <QAbstractTextDocumentLayout>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QStyleOptionSlider>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <functional>

namespace Chromell {
namespace {

using Testing::ModalWatcher;

QRect ThumbRect(QScrollBar* bar) {
    QStyleOptionSlider option;
    option.initFrom(bar);
    option.orientation = bar->orientation();
    option.minimum = bar->minimum();
    option.maximum = bar->maximum();
    option.sliderPosition = bar->sliderPosition();
    option.sliderValue = bar->value();
    option.singleStep = bar->singleStep();
    option.pageStep = bar->pageStep();
    if (bar->orientation() == Qt::Horizontal) {
        option.state |= QStyle::State_Horizontal;
    }
    return bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider,
                                        bar);
}

QImage PreviewImage(Form30& form) {
    return form.Picture1->surface().image().copy();
}

// Leftmost column of the picture holding a pixel that `matches`, or -1.
int FirstColumn(const QImage& image, const std::function<bool(QColor)>& matches) {
    for (int x = 0; x < image.width(); ++x) {
        for (int y = 0; y < image.height(); ++y) {
            if (matches(image.pixelColor(x, y))) {
                return x;
            }
        }
    }
    return -1;
}

// Topmost row holding a pixel that is not background white, or -1.
int LastInkedRow(const QImage& image) {
    for (int y = image.height() - 1; y >= 0; --y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != qRgb(255, 255, 255)) {
                return y;
            }
        }
    }
    return -1;
}

bool IsBlank(const QImage& image) {
    return LastInkedRow(image) < 0;
}

} // namespace

class Form30Test : public QObject {
    Q_OBJECT

private:
    QPointer<Form30> form;

    // Pure red, green and blue in the three swatches.
    void PickRedGreenBlue() {
        form->red1->setValue(255);
        form->green2->setValue(255);
        form->blue3->setValue(255);
    }

private slots:
    void init() {
        form = new Form30;
        form->Form_Load();
        QVERIFY(QTest::qWaitForWindowExposed(form));
    }

    void cleanup() {
        if (Form1* about = Form1::Instance()) {
            delete about;
        }
        delete form.data();
    }

    void barsSpanOneByteAndStartBlack() {
        for (QScrollBar* bar : {form->red1, form->green1, form->blue1, form->red2, form->green2,
                                form->blue2, form->red3, form->green3, form->blue3}) {
            QCOMPARE(bar->minimum(), 0);
            QCOMPARE(bar->maximum(), 255);
            QCOMPARE(bar->value(), 0);
        }
        for (Swatch* swatch : {form->color1, form->color2, form->Color3}) {
            QCOMPARE(swatch->backColor(), 0);
            QCOMPARE(swatch->palette().color(QPalette::Window), QColor(Qt::black));
        }
    }

    void eachBarSetsOnlyItsOwnRowsSwatch() {
        form->red1->setValue(255);
        QCOMPARE(form->color1->backColor(), 0x0000FF);
        QCOMPARE(form->color2->backColor(), 0);
        QCOMPARE(form->Color3->backColor(), 0);

        form->green2->setValue(0x80);
        form->blue2->setValue(0x40);
        QCOMPARE(form->color2->backColor(), 0x408000);
        QCOMPARE(form->color2->palette().color(QPalette::Window), QColor(0, 0x80, 0x40));

        // The keyboard moves a focused bar one step, or to its end.
        form->activateWindow();
        form->blue3->setFocus();
        QTest::keyClick(form->blue3, Qt::Key_Right);
        QCOMPARE(form->Color3->backColor(), 0x010000);
        QTest::keyClick(form->blue3, Qt::Key_End);
        QCOMPARE(form->Color3->backColor(), 0xFF0000);
        QTest::keyClick(form->blue3, Qt::Key_Right);
        QCOMPARE(form->blue3->value(), 255);
        QCOMPARE(form->color1->backColor(), 0x0000FF);
    }

    void draggedThumbSetsTheSwatchOnlyWhenReleased() {
        QScrollBar* bar = form->green1;
        const QPoint grab = ThumbRect(bar).center();
        const QPoint drop = grab + QPoint(25, 0);
        QTest::mousePress(bar, Qt::LeftButton, {}, grab);
        QTest::mouseMove(bar, drop);
        QVERIFY(bar->isSliderDown());
        QVERIFY(bar->sliderPosition() > 0);
        QCOMPARE(bar->value(), 0);
        QCOMPARE(form->color1->backColor(), 0);

        QTest::mouseRelease(bar, Qt::LeftButton, {}, drop);
        QVERIFY(bar->value() > 0);
        QCOMPARE(form->color1->backColor(), VexoFade::MakeRgb(0, bar->value(), 0));
    }

    void fadeFillsTheOutputBoxAndDrawsItInTheFadedColours() {
        PickRedGreenBlue();
        form->Text1->setText(QStringLiteral("abc"));
        form->Text2->setPlainText(QStringLiteral("typed by the user"));
        QTest::mouseClick(form->Command1, Qt::LeftButton);

        QCOMPARE(form->Text2->text(),
                 QStringLiteral("<Font Color=#808000>a<Font Color=#00FF00>b<Font Color=#0000FF>c"));
        QCOMPARE(form->Text1->text(), QStringLiteral("abc"));

        // Olive a, green b, blue c, left to right.
        const QImage preview = PreviewImage(*form);
        const int olive = FirstColumn(preview, [](QColor c) {
            return c.red() < 200 && c.blue() < 80 && std::abs(c.red() - c.green()) < 40;
        });
        const int green = FirstColumn(
            preview, [](QColor c) { return c.green() > 160 && c.red() < 90 && c.blue() < 90; });
        const int blue = FirstColumn(
            preview, [](QColor c) { return c.blue() > 160 && c.red() < 90 && c.green() < 90; });
        QVERIFY2(olive >= 2 && olive < green && green < blue,
                 qPrintable(QStringLiteral("columns %1 %2 %3").arg(olive).arg(green).arg(blue)));
    }

    void wavyFadeTagsEveryCharacterAndShiftsThem() {
        PickRedGreenBlue();
        form->Text1->setText(QStringLiteral("Hello"));
        QTest::mouseClick(form->Command1, Qt::LeftButton);
        const QImage flat = PreviewImage(*form);

        form->FadeOutputWavy();
        QCOMPARE(form->Text2->text(),
                 QStringLiteral("<Font Color=#808000><sup>H<Font Color=#00FF00></sup>e"
                                "<Font Color=#00AA55><sub>l<Font Color=#0055AA></sub>l"
                                "<Font Color=#0000FF><sup>o"));
        const QImage wavy = PreviewImage(*form);
        QVERIFY(!IsBlank(wavy));
        QVERIFY(wavy != flat);
        // The subscript "l" reaches one row lower than anything in the flat line.
        QCOMPARE(LastInkedRow(wavy), LastInkedRow(flat) + 1);
    }

    void emptyInputEmptiesBothBoxes() {
        form->Text1->setText(QStringLiteral("something"));
        QTest::mouseClick(form->Command1, Qt::LeftButton);
        QVERIFY(!IsBlank(PreviewImage(*form)));

        form->Text1->clear();
        QTest::mouseClick(form->Command1, Qt::LeftButton);
        QCOMPARE(form->Text2->text(), QString());
        QVERIFY(IsBlank(PreviewImage(*form)));
    }

    void lineBreaksSurviveTheOutputBoxAndBreakThePreview() {
        form->Text1->setText(QStringLiteral("A\rB"));
        QTest::mouseClick(form->Command1, Qt::LeftButton);
        QCOMPARE(form->Text2->text(), QStringLiteral("<Font Color=#000000>A<Font Color=#000000>\r"
                                                     "<Font Color=#000000>B"));
        // "B" is drawn on the second line, 16 pixels down.
        QVERIFY(LastInkedRow(PreviewImage(*form)) >= 16);
    }

    void outputBoxGivesBackWhatItWasGiven() {
        OutputBox* box = form->Text2;
        const QString breaks =
            QStringLiteral("a\rb\nc\r\nd\u2029e\u00A0f\uFDD0g\uFDD1\U0001F600\r\r");
        box->setText(breaks);
        QCOMPARE(box->text(), breaks);

        // An edit keeps the line breaks that were there; a new one reads "\r\n".
        box->setText(QStringLiteral("one\rtwo"));
        box->moveCursor(QTextCursor::End);
        QTest::keyClicks(box, QStringLiteral("!"));
        QCOMPARE(box->text(), QStringLiteral("one\rtwo!"));
        QTest::keyClick(box, Qt::Key_Return);
        QTest::keyClicks(box, QStringLiteral("3"));
        QCOMPARE(box->text(), QStringLiteral("one\rtwo!\r\n3"));
        box->clear();
        QCOMPARE(box->text(), QString());
        box->setText(QStringLiteral("x"));
        QCOMPARE(box->text(), QStringLiteral("x"));
    }

    // The box wraps long markup itself, one paragraph per shown line; none of
    // that may show in its text or in what is copied from it.
    void outputBoxWrapsLongMarkupWithoutChangingIt() {
        form->Text1->setText(QString(300, QLatin1Char('w')) + QStringLiteral("\r\nend"));
        QTest::mouseClick(form->Command1, Qt::LeftButton);
        OutputBox* box = form->Text2;
        const QString markup = box->text();
        QVERIFY(markup.size() > 303 * 21);
        QVERIFY(box->document()->blockCount() > 20);

        const qreal room = box->viewport()->width() - 2 * box->document()->documentMargin();
        for (QTextBlock block = box->document()->begin(); block.isValid(); block = block.next()) {
            box->document()->documentLayout()->blockBoundingRect(block); // lays it out
            QVERIFY(block.layout()->lineCount() <= 1);
            QVERIFY(block.layout()->lineCount() == 0 ||
                    block.layout()->lineAt(0).naturalTextWidth() <= room);
        }
        // Lines are filled: no shown line but the last of a paragraph is short.
        const QTextBlock first = box->document()->begin();
        QVERIFY(first.layout()->lineAt(0).naturalTextWidth() > room - 30);

        box->selectAll();
        box->copy();
        QCOMPARE(QGuiApplication::clipboard()->text(), markup);
        QTextCursor middle(box->document()->findBlockByNumber(3));
        middle.movePosition(QTextCursor::Down, QTextCursor::KeepAnchor, 2);
        box->setTextCursor(middle);
        box->copy();
        const QString part = QGuiApplication::clipboard()->text();
        QVERIFY(part.size() > 40);
        QVERIFY(markup.contains(part));
    }

    void overlongTextIsReportedAndLeavesBothBoxesAsTheyWere() {
        form->Text1->setText(QStringLiteral("kept"));
        QTest::mouseClick(form->Command1, Qt::LeftButton);
        const QString markup = form->Text2->text();
        const QImage preview = PreviewImage(*form);

        form->Text1->setText(QString(32768, QLatin1Char('x')));
        QCOMPARE(form->Text1->text().size(), 32768); // the input box cuts nothing off
        QString title;
        QString text;
        QString detail;
        ModalWatcher watcher([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            QVERIFY(box != nullptr);
            title = box->windowTitle();
            text = box->text();
            detail = box->informativeText();
        });
        QTest::mouseClick(form->Command1, Qt::LeftButton);

        QVERIFY(watcher.seen());
        QCOMPARE(title, QStringLiteral("Chromell"));
        QVERIFY2(text.contains(QStringLiteral("could not be faded")), qPrintable(text));
        QVERIFY2(detail.contains(QStringLiteral("32,768")) &&
                     detail.contains(QStringLiteral("32,767")),
                 qPrintable(detail));
        QCOMPARE(form->Text2->text(), markup);
        QCOMPARE(PreviewImage(*form), preview);

        // One character less is the longest text that fades.
        form->Text1->setText(QString(32767, QLatin1Char('x')));
        QTest::mouseClick(form->Command1, Qt::LeftButton);
        QCOMPARE(form->Text2->text().size(), 32767 * 21);
    }

    void aNewerFadeDuringThePreviewsYieldWins() {
        PickRedGreenBlue();
        form->Text1->setText(QStringLiteral("one\rtwo"));
        bool ranInside = false;
        QMetaObject::invokeMethod(
            form,
            [this, &ranInside] {
                ranInside = true;
                form->Text1->setText(QStringLiteral("three"));
                QTest::mouseClick(form->Command1, Qt::LeftButton);
            },
            Qt::QueuedConnection);
        QTest::mouseClick(form->Command1, Qt::LeftButton);
        QVERIFY(ranInside);
        const QString markup = form->Text2->text();
        const QImage preview = PreviewImage(*form);

        // Both boxes show the newer fade, whole, as a fade of it alone gives.
        form->Text2->clear();
        form->Picture1->surface().Cls();
        QTest::mouseClick(form->Command1, Qt::LeftButton);
        QCOMPARE(markup, form->Text2->text());
        QCOMPARE(preview, PreviewImage(*form));
    }

    void closingTheWindowDuringTheYieldStopsTheFade() {
        form->Text1->setText(QStringLiteral("a\rb"));
        QMetaObject::invokeMethod(
            form, [this] { QTest::mouseClick(form->Label1, Qt::LeftButton); },
            Qt::QueuedConnection);
        QTest::mouseClick(form->Command1, Qt::LeftButton);
        QVERIFY(!form.isNull()); // deleted later, from the event loop
        QVERIFY(form->isHidden());
        QVERIFY(IsBlank(PreviewImage(*form)));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(form.isNull());
    }

    void deletingTheWindowDuringTheYieldIsSurvived() {
        form->Text1->setText(QStringLiteral("a\rb\rc"));
        QMetaObject::invokeMethod(
            form, [this] { delete form.data(); }, Qt::QueuedConnection);
        QPushButton* button = form->Command1;
        button->click();
        QVERIFY(form.isNull());
    }

    void tabVisitsTheControlsInLayoutOrder() {
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form));
        const QList<QWidget*> order = {form->red3,     form->green3, form->blue3,    form->green2,
                                       form->blue2,    form->red2,   form->Command1, form->Text1,
                                       form->red1,     form->green1, form->blue1,    form->Text2,
                                       form->Picture1, form->red3};
        QCOMPARE(QApplication::focusWidget(), order.front());
        for (qsizetype i = 1; i < order.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), order[i]);
        }
    }

    void hotspotsMinimizeAndClose() {
        QCOMPARE(form->Label1->geometry(), QRect(512, 8, 17, 9));
        QCOMPARE(form->Label2->geometry(), QRect(512, 24, 17, 17));

        // A press that is released away from the hotspot is no click.
        QTest::mousePress(form->Label2, Qt::LeftButton, {}, QPoint(8, 8));
        QTest::mouseRelease(form->Label2, Qt::LeftButton, {}, QPoint(40, 8));
        QVERIFY(!form->isMinimized());

        QTest::mouseClick(form->Label2, Qt::LeftButton, {}, QPoint(8, 8));
        QVERIFY(form->isMinimized());
        QVERIFY(form->isVisible());

        QTest::mouseClick(form->Label1, Qt::LeftButton, {}, QPoint(8, 4));
        QVERIFY(form->isHidden());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(form.isNull());
    }

    void exitOnTheMenuClosesTheWindow() {
        form->exit->trigger();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(form.isNull());
    }

    void trayDoubleClickRestoresAndRightButtonPopsUpTheMenu() {
        QSystemTrayIcon* tray = form->trayIcon();
        QVERIFY(tray != nullptr);
        QCOMPARE(tray->toolTip(), QStringLiteral("Chromell"));
        QVERIFY(!tray->icon().isNull());
        form->Form_Load();
        QCOMPARE(form->trayIcon(), tray); // put up once

        form->setWindowState(Qt::WindowMinimized);
        for (const auto reason :
             {QSystemTrayIcon::Trigger, QSystemTrayIcon::MiddleClick, QSystemTrayIcon::Unknown}) {
            emit tray->activated(reason);
            QVERIFY(form->isMinimized());
            QVERIFY(!form->mnuFile->isVisible());
        }

        emit tray->activated(QSystemTrayIcon::DoubleClick);
        QVERIFY(!form->isMinimized());
        QVERIFY(form->isVisible());
        emit tray->activated(QSystemTrayIcon::DoubleClick);
        QVERIFY(!form->isMinimized());

        emit tray->activated(QSystemTrayIcon::Context);
        QVERIFY(form->mnuFile->isVisible());
        form->mnuFile->close();
    }

    void closingTheWindowTakesTheTrayIconDown() {
        QPointer<QSystemTrayIcon> tray = form->trayIcon();
        tray->show(); // where there is no tray host Qt still keeps it "shown"
        form->close();
        QVERIFY(tray.isNull() || !tray->isVisible());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(tray.isNull());
    }

    // The output box's text, as it stands, goes to the messenger; the box keeps it.
    void sendOperationsDeliverTheOutputBoxsText() {
        auto desktop = std::make_shared<Module1::WindowTree>();
        const Module1::Hwnd im = desktop->AddWindow("AIM_IMessage");
        const Module1::Hwnd combo = desktop->AddWindow("_Oscar_PersistantCombo", im);
        desktop->AddWindow("Edit", combo);
        desktop->AddWindow("WndAte32Class", im);
        const Module1::Hwnd imEntry = desktop->AddWindow("WndAte32Class", im);
        const Module1::Hwnd imButton = desktop->AddWindow("_Oscar_IconBtn", im);
        const Module1::Hwnd chat = desktop->AddWindow("AIM_ChatWnd");
        desktop->AddWindow("WndAte32Class", chat);
        const Module1::Hwnd chatEntry = desktop->AddWindow("WndAte32Class", chat);
        const Module1::Hwnd chatButton = desktop->AddWindow("_Oscar_IconBtn", chat);
        form->SetWindowService(desktop);

        form->Text1->setText(QStringLiteral("hi"));
        QTest::mouseClick(form->Command1, Qt::LeftButton);
        const QString markup = form->Text2->text();
        form->SendOutputToIm();
        form->Text2->setText(QStringLiteral("typed over"));
        form->SendOutputToChat();

        QCOMPARE(QString::fromStdString(desktop->TextOf(imEntry)), markup);
        QCOMPARE(QString::fromStdString(desktop->TextOf(chatEntry)), QStringLiteral("typed over"));
        QCOMPARE(form->Text2->text(), QStringLiteral("typed over"));
        QCOMPARE(desktop->DeliveriesTo(imButton).size(), std::size_t{2});
        QCOMPARE(desktop->DeliveriesTo(chatButton).size(), std::size_t{2});
    }
};

} // namespace Chromell

QTEST_MAIN(Chromell::Form30Test)
#include "form30_test.moc"
