// Drives the main window the way a user would, on Qt's offscreen platform.

#include "app/form1.h"
#include "app/form30.h"
#include "app/output_box.h"
#include "app/preview_box.h"
#include "app/screen_fit.h"
#include "app/swatch.h"
#include "preview/qt/qt_color.h"
#include "tests/app/modal_watcher.h"
#include "tests/bridge/messenger_layouts.h"

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
#include <array>
#include <functional>
#include <tuple>

namespace Chromell {
namespace {

QRect BarPart(QScrollBar* bar, QStyle::SubControl part) {
    QStyleOptionSlider option;
    option.initFrom(bar);
    option.orientation = Qt::Horizontal;
    option.state |= QStyle::State_Horizontal;
    option.maximum = bar->maximum();
    option.sliderPosition = bar->sliderPosition();
    option.sliderValue = bar->value();
    option.pageStep = bar->pageStep();
    return bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, part, bar);
}

// Lowest row holding a pixel that is not background white, or -1.
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

} // namespace

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
        QTest::mouseClick(Child<QPushButton>("Command1"), Qt::LeftButton);
    }

    void PickRedGreenBlue() {
        Child<QScrollBar>("red1")->setValue(255);
        Child<QScrollBar>("green2")->setValue(255);
        Child<QScrollBar>("blue3")->setValue(255);
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

    // Places and sizes in twips, as the window was designed; 15 to the pixel.
    void layoutMatchesTheDesign_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("twips");
        static const std::tuple<const char*, QRect> design[] = {
            {"Form30", {2025, 1695, 7980, 4140}},  {"red1", {0, 1320, 1215, 255}},
            {"green1", {0, 1560, 1215, 255}},      {"blue1", {0, 1800, 1215, 255}},
            {"color1", {1320, 1560, 615, 375}},    {"red2", {0, 2400, 1215, 255}},
            {"green2", {0, 2640, 1215, 255}},      {"blue2", {0, 2880, 1215, 255}},
            {"color2", {1320, 2640, 615, 375}},    {"red3", {0, 3360, 1215, 255}},
            {"green3", {0, 3600, 1215, 255}},      {"blue3", {0, 3840, 1215, 255}},
            {"Color3", {1320, 3480, 615, 375}},    {"Text1", {2160, 1680, 4455, 285}},
            {"Command1", {4200, 480, 1095, 255}},  {"Text2", {2160, 2400, 5535, 495}},
            {"Picture1", {2160, 3360, 4455, 375}}, {"Label1", {7680, 120, 255, 135}},
            {"Label2", {7680, 360, 255, 255}}};
        for (const auto& [name, twips] : design) {
            QTest::newRow(name) << QString::fromLatin1(name) << twips;
        }
    }

    void layoutMatchesTheDesign() {
        QFETCH(QString, name);
        QFETCH(QRect, twips);
        QWidget* widget = name == QLatin1String("Form30") ? form.data() : Child(qPrintable(name));
        const QRect pixels(twips.x() / 15, twips.y() / 15, twips.width() / 15, twips.height() / 15);
        QCOMPARE(widget->geometry(), pixels);
        if (widget == form) {
            QCOMPARE(form->minimumSize(), pixels.size());
            QCOMPARE(form->maximumSize(), pixels.size());
            const Qt::WindowFlags flags = form->windowFlags();
            QCOMPARE(flags & Qt::WindowType_Mask, Qt::Tool);
            QVERIFY(flags & Qt::WindowCloseButtonHint);
            QVERIFY(!(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        } else {
            QVERIFY(!widget->accessibleName().isEmpty()); // the captions are only pixels
        }
    }

    // Each bar sets its own channel of its own row's swatch and nothing else;
    // a click on the track and PageDown move it by the large change (1); a
    // dragged thumb sets the swatch only when it is let go.
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
        const char* swatches[] = {"color1", "color2", "Color3"};
        const auto swatchesShow = [&](int value) {
            for (int i = 0; i < 3; ++i) {
                const auto expected =
                    static_cast<VexoFade::RgbColor>(i == row ? value << shift : 0);
                if (Child<Swatch>(swatches[i])->backColor() != expected ||
                    Child<Swatch>(swatches[i])->palette().color(QPalette::Window) !=
                        VexoFade::ToQColor(expected)) {
                    return false;
                }
            }
            return true;
        };
        QTest::mouseClick(bar, Qt::LeftButton, {},
                          BarPart(bar, QStyle::SC_ScrollBarAddPage).center());
        QVERIFY(bar->value() == 1 && swatchesShow(1));
        bar->setFocus();
        QTest::keyClick(bar, Qt::Key_PageDown);
        QVERIFY(bar->value() == 2 && swatchesShow(2));
        const QPoint grab = BarPart(bar, QStyle::SC_ScrollBarSlider).center();
        QTest::mousePress(bar, Qt::LeftButton, {}, grab);
        QTest::mouseMove(bar, grab + QPoint(25, 0));
        QVERIFY(bar->sliderPosition() > 2 && swatchesShow(2));
        QTest::mouseRelease(bar, Qt::LeftButton, {}, grab + QPoint(25, 0));
        QVERIFY(bar->value() > 2 && swatchesShow(bar->value()));
    }

    void fadeFillsTheOutputBoxAndDrawsIt() {
        PickRedGreenBlue();
        Child<OutputBox>("Text2")->setPlainText(QStringLiteral("typed by the user"));
        FadeIt(QStringLiteral("abc"));
        QCOMPARE(Output(),
                 QStringLiteral("<Font Color=#808000>a<Font Color=#00FF00>b<Font Color=#0000FF>c"));
        const QImage preview = Preview();
        QVERIFY(LastInkedRow(preview) > 0);
        form->FadeOutputWavy();
        QCOMPARE(Output(), QStringLiteral("<Font Color=#808000><sup>a<Font Color=#00FF00></sup>b"
                                          "<Font Color=#0000FF><sub>c"));
        QCOMPARE(LastInkedRow(Preview()), LastInkedRow(preview) + 1); // the subscript c
        FadeIt(QStringLiteral("A\rB"));
        QVERIFY(LastInkedRow(Preview()) >= 16); // B on the second line
        FadeIt(QString());
        QCOMPARE(Output(), QString());
        QCOMPARE(LastInkedRow(Preview()), -1);
    }

    void outputBoxGivesBackWhatItWasGiven() {
        auto* box = Child<OutputBox>("Text2");
        const QString breaks =
            QStringLiteral("a\rb\nc\r\nd\u2029e\u00A0f\uFDD0g\uFDD1\U0001F600\r\r\u0600\uFDD0x");
        box->setText(breaks);
        QCOMPARE(box->text(), breaks);
        // An edit keeps the line breaks that were there; a new one reads "\r\n".
        box->setText(QStringLiteral("one\rtwo"));
        box->moveCursor(QTextCursor::End);
        QTest::keyClick(box, Qt::Key_Return);
        QTest::keyClicks(box, QStringLiteral("3"));
        QCOMPARE(box->text(), QStringLiteral("one\rtwo\r\n3"));
    }

    // The box wraps long markup itself, a paragraph per shown line, filled to
    // its width, and again when its width or font changes; the text and what
    // is copied stay the markup.
    void outputBoxWrapsToItsWidthAndFont() {
        FadeIt(QString(300, QLatin1Char('w')));
        auto* box = Child<OutputBox>("Text2");
        const QString markup = box->text();
        const auto lines = [box] { return box->document()->blockCount(); };
        const auto fitsAndFills = [box] {
            const qreal room = box->viewport()->width() - 2 * box->document()->documentMargin();
            const QTextBlock first = box->document()->begin();
            box->document()->documentLayout()->blockBoundingRect(first);
            return first.layout()->lineCount() == 1 &&
                   first.layout()->lineAt(0).naturalTextWidth() <= room &&
                   first.layout()->lineAt(0).naturalTextWidth() > room - 30;
        };
        const int atStart = lines();
        QVERIFY(atStart > 20 && fitsAndFills());
        box->resize(box->width() * 2, box->height());
        const int wide = lines();
        QVERIFY(wide < atStart * 2 / 3 && fitsAndFills());
        QFont larger = box->font();
        larger.setPointSizeF(larger.pointSizeF() * 2);
        box->setFont(larger);
        QVERIFY(lines() > wide * 3 / 2 && fitsAndFills());
        QCOMPARE(box->text(), markup);
        box->selectAll();
        box->copy();
        QCOMPARE(QGuiApplication::clipboard()->text(), markup);
    }

    void overlongTextIsReportedAndChangesNeitherBox() {
        FadeIt(QStringLiteral("kept"));
        const QString markup = Output();
        const QImage preview = Preview();
        bool reported = false;
        Testing::OnNextMessageBox([&](QMessageBox*) { reported = true; });
        FadeIt(QString(32768, QLatin1Char('x'))); // the input box cuts nothing off
        QVERIFY(reported);
        QCOMPARE(Output(), markup);
        QCOMPARE(Preview(), preview);
    }

    void aNewerFadeDuringThePreviewsYieldWins() {
        PickRedGreenBlue();
        bool ranInside = false;
        QMetaObject::invokeMethod(
            form,
            [&] {
                ranInside = true;
                FadeIt(QStringLiteral("three"));
            },
            Qt::QueuedConnection);
        FadeIt(QStringLiteral("one\rtwo"));
        QVERIFY(ranInside);
        const QString markup = Output();
        const QImage preview = Preview();
        Child<PreviewBox>("Picture1")->surface().Cls();
        FadeIt(QStringLiteral("three"));
        QCOMPARE(markup, Output());
        QCOMPARE(preview, Preview());
    }

    // Every way of closing ends the window, also in the middle of a fade,
    // which then draws nothing; a window deleted there is survived too.
    void closingEndsTheWindow_data() {
        QTest::addColumn<int>("how");
        QTest::addColumn<bool>("duringFade");
        const char* names[] = {"Label1", "exit", "close box", "delete"};
        for (const bool during : {false, true}) {
            for (int how = 0; how < 4; ++how) {
                QTest::addRow("%s%s", names[how], during ? " in a fade" : "") << how << during;
            }
        }
    }

    void closingEndsTheWindow() {
        QFETCH(int, how);
        QFETCH(bool, duringFade);
        const std::function<void()> ways[] = {
            [this] { QTest::mouseClick(Child<QAbstractButton>("Label1"), Qt::LeftButton); },
            [this] { Child<QAction>("exit")->trigger(); }, [this] { form->close(); },
            [this] { delete form.data(); }};
        const std::function<void()> close = ways[how];
        if (!duringFade) {
            close();
        } else {
            QMetaObject::invokeMethod(form, close, Qt::QueuedConnection);
            Child<QLineEdit>("Text1")->setText(QStringLiteral("a\rb"));
            Child<QPushButton>("Command1")->click();
            QVERIFY(form.isNull() || LastInkedRow(Preview()) < 0);
        }
        QVERIFY(form.isNull() || form->isHidden());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(form.isNull());
    }

    // Tab goes round in the layout's order; a bar and the preview box show
    // that they have the keyboard focus.
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
            const bool framesFocus =
                qobject_cast<QScrollBar*>(next) || qobject_cast<PreviewBox*>(next);
            QVERIFY2(!framesFocus || next->grab().toImage() != unfocused, name);
        }
    }

    void minimizeAndTheTrayIcon() {
        QSystemTrayIcon* tray = form->trayIcon();
        QTest::mouseClick(Child<QAbstractButton>("Label2"), Qt::LeftButton);
        QVERIFY(form->isMinimized());
        auto* menu = Child<QMenu>("mnuFile");
        for (const auto reason : {QSystemTrayIcon::Trigger, QSystemTrayIcon::MiddleClick}) {
            emit tray->activated(reason);
            QVERIFY(form->isMinimized() && !menu->isVisible());
        }
        emit tray->activated(QSystemTrayIcon::DoubleClick);
        QVERIFY(!form->isMinimized() && form->isVisible());
        // The right button's press asks for the menu; it opens on the release.
        const QPoint artwork(300, 10);
        QTest::mousePress(form->windowHandle(), Qt::RightButton, {}, artwork);
        emit tray->activated(QSystemTrayIcon::Context);
        QVERIFY(!menu->isVisible());
        QTest::mouseRelease(form->windowHandle(), Qt::RightButton, {}, artwork);
        QVERIFY(menu->isVisible());
        menu->close();
    }

    // A window that fits stays; one that does not moves the least distance
    // onto the free area (right of a panel at 50); a larger one sits at its top left.
    void placeKeepsTheWindowWhollyOnTheScreen() {
        const QRect small(0, 0, 640, 480);
        const std::tuple<QRect, QRect, QPoint> cases[] = {
            {{135, 113, 532, 276}, {0, 0, 800, 600}, {135, 113}},
            {{135, 300, 532, 276}, small, {108, 204}},
            {{10, 10, 100, 100}, {50, 0, 590, 480}, {50, 10}},
            {{100, 100, 700, 500}, small, {0, 0}}};
        for (const auto& [frame, available, placed] : cases) {
            QCOMPARE(FitOnScreen(frame, available), QRect(placed, frame.size()));
        }
    }

    // The output box's text goes to the messenger, the box keeps it; the
    // chat delivery's errors reach the caller, the IM delivery's do not.
    void sendOperationsDeliverTheOutputBoxsText() {
        auto desktop = std::make_shared<Module1::WindowTree>();
        const auto chat = Module1::Layouts::AddChatWindow(*desktop);
        Module1::Layouts::AddImWindow(*desktop);
        form->SetWindowService(desktop);
        FadeIt(QStringLiteral("hi"));
        form->SendOutputToChat();
        QCOMPARE(QString::fromStdString(desktop->TextOf(chat.entry)), Output());
        desktop->Hang();
        QVERIFY_THROWS_EXCEPTION(Module1::NotAnswering, form->SendOutputToChat());
        form->SendOutputToIm();
        QVERIFY(!Output().isEmpty());
    }
};

} // namespace Chromell

QTEST_MAIN(Chromell::Form30Test)
#include "form30_test.moc"
