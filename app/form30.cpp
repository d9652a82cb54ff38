#include "app/form30.h"

#include "app/art.h"
#include "app/channel_bar.h"
#include "app/desktop.h"
#include "app/form1.h"
#include "app/form30_layout.h"
#include "app/hotspot.h"
#include "app/output_box.h"
#include "app/preview_box.h"
#include "app/qt_text.h"
#include "app/right_release.h"
#include "app/screen_fit.h"
#include "app/swatch.h"
#include "bridge/messenger.h"
#include "bridge/window_service.h"
#include "engine/fader.h"
#include "preview/qt/qt_color.h"
#include "preview/render_markup.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QWindow>
#include <algorithm>
#include <array>
#include <exception>
#include <limits>
#include <new>

namespace Chromell {

struct Form30::Ui {
    // Row k: the bars redk, greenk and bluek, and the row's swatch.
    struct ColourRow {
        std::array<ChannelBar*, 3> bars{};
        Swatch* swatch = nullptr;
    };
    std::array<ColourRow, 3> rows{};
    QLineEdit* Text1 = nullptr;
    QPushButton* Command1 = nullptr;
    OutputBox* Text2 = nullptr;
    PreviewBox* Picture1 = nullptr;
    Hotspot* Label1 = nullptr;
    Hotspot* Label2 = nullptr;
    QMenu* mnuFile = nullptr;
    QAction* about = nullptr;
    QAction* div = nullptr;
    QAction* exit = nullptr;
};

namespace {

using namespace Form30Layout;

// Names a control for findChild and for screen readers: the captions are
// pixels in the artwork, so nothing else tells them what a control is.
template <typename Widget>
Widget* Named(Widget* widget, const char* objectName, const QString& name,
              const QString& description) {
    widget->setObjectName(QLatin1String(objectName));
    widget->setAccessibleName(name);
    widget->setAccessibleDescription(description);
    return widget;
}

QString Describe(const std::exception& error) {
    if (dynamic_cast<const std::bad_alloc*>(&error) != nullptr) {
        return QObject::tr("There is not enough memory for a text this long.");
    }
    return QString::fromStdString(error.what());
}

} // namespace

Form30::Form30(QWidget* parent)
    : QWidget(parent,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      ui_(std::make_unique<Ui>()), artwork_(Artwork()) {
    setWindowTitle(QStringLiteral("Chromell"));
    setWindowIcon(AppIcon());
    setAttribute(Qt::WA_DeleteOnClose);
    // A tool window does not keep the program running by default; this one must.
    setAttribute(Qt::WA_QuitOnClose, true);
    setGeometry(kWindow);
    setFixedSize(kWindow.size());
    QPalette colours = palette();
    colours.setColor(QPalette::Window,
                     VexoFade::ToQColor(static_cast<VexoFade::RgbColor>(kBackColor)));
    setPalette(colours);
    setAutoFillBackground(true);

    static constexpr std::array<const char*, 3> kChannels = {"red", "green", "blue"};
    static constexpr std::array<const char*, 3> kSwatchNames = {"color1", "color2", "Color3"};
    const std::array<QString, 3> channelWords = {tr("Red"), tr("Green"), tr("Blue")};
    for (std::size_t row = 0; row < ui_->rows.size(); ++row) {
        const QString number = QString::number(row + 1);
        Ui::ColourRow& controls = ui_->rows[row];
        for (std::size_t channel = 0; channel < kChannels.size(); ++channel) {
            const QByteArray name = kChannels[channel] + number.toLatin1();
            auto* bar = Named(new ChannelBar(this), name.constData(),
                              tr("%1 of colour %2").arg(channelWords[channel], number),
                              tr("Sets the %1 channel of colour %2, 0 to 255")
                                  .arg(channelWords[channel].toLower(), number));
            bar->setGeometry(kRows[row].bars[channel]);
            controls.bars[channel] = bar;
            connect(bar, &QScrollBar::valueChanged, this, [this, row] { UpdateSwatch(row); });
        }
        controls.swatch = Named(new Swatch(this), kSwatchNames[row], tr("Colour %1").arg(number),
                                tr("Shows colour %1, set by the three bars beside it").arg(number));
        controls.swatch->setGeometry(kRows[row].swatch);
    }

    ui_->Text1 = Named(new QLineEdit(this), "Text1", tr("Text to fade"),
                       tr("The line that Fade It colours"));
    ui_->Text1->setGeometry(kText1);
    // The line edit would cut pasted text at 32,767 characters without a word;
    // the fader is the one to say that a text is too long.
    ui_->Text1->setMaxLength(std::numeric_limits<int>::max());

    ui_->Command1 = Named(new QPushButton(QStringLiteral("Fade It"), this), "Command1",
                          tr("Fade It"), tr("Fades the text through the three colours"));
    ui_->Command1->setGeometry(kCommand1);
    ui_->Command1->setAutoDefault(false);
    ui_->Command1->setDefault(false);

    ui_->Text2 = Named(new OutputBox(this), "Text2", tr("Markup to copy"),
                       tr("The faded text as chat markup, to copy into the messenger"));
    ui_->Text2->setGeometry(kText2);

    ui_->Picture1 = Named(new PreviewBox(kPicture1, this), "Picture1", tr("Preview"),
                          tr("How the markup will look in the messenger"));

    ui_->Label1 = Named(new Hotspot(this), "Label1", tr("Close"), tr("Closes the window"));
    ui_->Label1->setGeometry(kLabel1);
    ui_->Label1->setToolTip(tr("Close"));
    ui_->Label2 = Named(new Hotspot(this), "Label2", tr("Minimize"),
                        tr("Minimizes the window; the tray icon brings it back"));
    ui_->Label2->setGeometry(kLabel2);
    ui_->Label2->setToolTip(tr("Minimize"));

    ui_->mnuFile = new QMenu(tr("&File"), this);
    ui_->mnuFile->setObjectName(QStringLiteral("mnuFile"));
    ui_->about = ui_->mnuFile->addAction(tr("&About"));
    ui_->about->setObjectName(QStringLiteral("about"));
    ui_->div = ui_->mnuFile->addSeparator();
    ui_->div->setObjectName(QStringLiteral("div"));
    ui_->exit = ui_->mnuFile->addAction(tr("E&xit"));
    ui_->exit->setObjectName(QStringLiteral("exit"));
    menuOnRelease_ = new RightRelease(this);

    const auto& rows = ui_->rows;
    QWidget* const focusOrder[] = {
        rows[2].bars[0], rows[2].bars[1], rows[2].bars[2], rows[1].bars[1], rows[1].bars[2],
        rows[1].bars[0], ui_->Command1,   ui_->Text1,      rows[0].bars[0], rows[0].bars[1],
        rows[0].bars[2], ui_->Text2,      ui_->Picture1};
    for (std::size_t i = 1; i < std::size(focusOrder); ++i) {
        setTabOrder(focusOrder[i - 1], focusOrder[i]);
    }
    focusOrder[0]->setFocus();

    connect(ui_->Command1, &QPushButton::clicked, this, &Form30::Command1_Click);
    connect(ui_->Label1, &Hotspot::clicked, this, &Form30::Label1_Click);
    connect(ui_->Label2, &Hotspot::clicked, this, &Form30::Label2_Click);
    connect(ui_->about, &QAction::triggered, this, &Form30::about_Click);
    connect(ui_->exit, &QAction::triggered, this, &Form30::exit_Click);
}

Form30::~Form30() = default;

void Form30::Form_Load() {
    if (!isVisible()) {
        PlaceOnScreen();
    }
    show();
    repaint();
    if (trayIcon_ != nullptr) {
        return;
    }
    // Where there is no tray the icon simply never appears; the window works on.
    trayIcon_ = new QSystemTrayIcon(windowIcon(), this);
    trayIcon_->setToolTip(QStringLiteral("Chromell"));
    connect(trayIcon_, &QSystemTrayIcon::activated, this, &Form30::TrayIcon_Activated);
    trayIcon_->show();
}

void Form30::FadeOutputWavy() {
    Fade(VexoFade::kTrue);
}

void Form30::SendOutputToChat() {
    const std::u16string output = ToU16(ui_->Text2->text());
    // A local reference keeps the service alive should the window go away
    // while a delivery lets the event loop run.
    const std::shared_ptr<Module1::WindowService> windows = Windows();
    Quillbas::SendToChat(*windows, output);
}

void Form30::SendOutputToIm() {
    const std::u16string output = ToU16(ui_->Text2->text());
    const std::shared_ptr<Module1::WindowService> windows = Windows();
    Quillbas::SendToIm(*windows, output);
}

void Form30::SetWindowService(std::shared_ptr<Module1::WindowService> windows) {
    windows_ = std::move(windows);
}

std::shared_ptr<Module1::WindowService> Form30::Windows() {
    if (!windows_) {
        windows_ = Module1::CreatePlatformWindowService([] { QCoreApplication::processEvents(); });
    }
    return windows_;
}

void Form30::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), artwork_);
}

void Form30::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!placedWithFrame_ && windowHandle() != nullptr) {
        windowHandle()->installEventFilter(this);
    }
    // Before the window is mapped; the tray icon stands for it instead.
    KeepOffTaskbar(*this);
}

void Form30::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    // A restored window is mapped anew.
    if (event->type() == QEvent::WindowStateChange && !isMinimized()) {
        KeepOffTaskbar(*this);
    }
}

// The first place was found before the window manager framed the window.
// When it is first exposed, the frame is known, and the frame must fit, too.
bool Form30::eventFilter(QObject* watched, QEvent* event) {
    QWindow* handle = windowHandle();
    if (watched == handle && event->type() == QEvent::Expose && handle->isExposed()) {
        placedWithFrame_ = true;
        handle->removeEventFilter(this);
        if (!handle->frameMargins().isNull()) {
            PlaceOnScreen();
        }
    }
    return QWidget::eventFilter(watched, event);
}

void Form30::closeEvent(QCloseEvent* event) {
    closing_ = true;
    // Nothing else takes the icon down, and it would stay in the tray with no
    // window behind it.
    if (trayIcon_ != nullptr) {
        trayIcon_->hide();
    }
    event->accept();
}

void Form30::Command1_Click() {
    Fade(VexoFade::kFalse);
}

void Form30::Label1_Click() {
    close();
}

void Form30::Label2_Click() {
    setWindowState(windowState() | Qt::WindowMinimized);
}

void Form30::about_Click() {
    Form1::ShowInstance();
}

void Form30::exit_Click() {
    close();
}

void Form30::TrayIcon_Activated(QSystemTrayIcon::ActivationReason reason) {
    switch (reason) {
    case QSystemTrayIcon::DoubleClick:
        setWindowState(windowState() & ~Qt::WindowMinimized);
        show();
        raise();
        activateWindow();
        break;
    case QSystemTrayIcon::Context:
        // Qt's X11 tray asks on the right button's press; the menu waits for
        // its release.
        menuOnRelease_->Run([this] {
            raise();
            activateWindow();
            ui_->mnuFile->popup(QCursor::pos());
        });
        break;
    default:
        break;
    }
}

// Refreshes the row's swatch from its three bars, red, green and blue.
void Form30::UpdateSwatch(std::size_t row) {
    const Ui::ColourRow& controls = ui_->rows[row];
    const auto channel = [&controls](std::size_t i) {
        return std::min(controls.bars[i]->value(), 255);
    };
    controls.swatch->setBackColor(VexoFade::MakeRgb(channel(0), channel(1), channel(2)));
}

// Keeps the window's own place where it fits on the screen, else moves it the
// least distance that shows it whole (a large scale factor or a small screen).
void Form30::PlaceOnScreen() {
    QScreen* screen = QGuiApplication::screenAt(geometry().center());
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    if (screen == nullptr) {
        return;
    }
    const QRect frame = frameGeometry(); // the client area until the first show
    const QRect fitted = FitOnScreen(frame, screen->availableGeometry());
    setGeometry(geometry().translated(fitted.topLeft() - frame.topLeft()));
}

// Reads the swatches and the input box, fades, puts the markup into the output
// box and draws what the output box then holds. A failure stops the fade at
// its step, with the steps before it kept, and is reported.
//
// The preview yields to the event loop while it prepares line breaks, before
// it draws anything. If another fade runs to its end in there, or the window
// is closed, this fade stops at that point: the boxes keep the newer fade's
// markup and drawing whole, and nothing touches a window that is going away.
void Form30::Fade(VexoFade::Flag wave) {
    std::u16string markup;
    try {
        const auto& rows = ui_->rows;
        markup =
            VexoFade::FadeThreeColors(rows[0].swatch->backColor(), rows[1].swatch->backColor(),
                                      rows[2].swatch->backColor(), ToU16(ui_->Text1->text()), wave);
    } catch (const std::exception& error) {
        ReportFailure(tr("The text could not be faded."), Describe(error));
        return;
    }
    ui_->Text2->setText(ToQString(markup));
    const std::uint64_t fade = ++latestFade_;
    const QString shown = ui_->Text2->text();

    const QPointer<Form30> window(this);
    // Goes on only while no newer fade has taken over the boxes and the
    // window is not closing.
    const auto yield = [window, fade] {
        QCoreApplication::processEvents();
        return !window.isNull() && !window->closing_ && window->latestFade_ == fade;
    };
    try {
        if (!VexoFade::RenderMarkupPreview(ui_->Picture1->surface(), ToU16(shown), yield)) {
            return;
        }
    } catch (const std::exception& error) {
        ui_->Picture1->update();
        ReportFailure(tr("The preview could not be drawn."), Describe(error));
        return;
    }
    ui_->Picture1->update();
}

// Says what went wrong in an application-modal box and waits for the user.
// The window may be gone when the box returns; nothing may touch it after.
void Form30::ReportFailure(const QString& step, const QString& reason) {
    auto* box = new QMessageBox(QMessageBox::Warning, QStringLiteral("Chromell"), step,
                                QMessageBox::Ok, this);
    box->setInformativeText(reason);
    box->setWindowModality(Qt::ApplicationModal);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->exec();
}

} // namespace Chromell
