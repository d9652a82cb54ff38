#include "app/form30.h"

#include "app/art.h"
#include "app/channel_bar.h"
#include "app/form1.h"
#include "app/form30_layout.h"
#include "app/hotspot.h"
#include "app/output_box.h"
#include "app/preview_box.h"
#include "app/qt_text.h"
#include "app/swatch.h"
#include "bridge/messenger.h"
#include "bridge/window_service.h"
#include "engine/fader.h"
#include "preview/render_markup.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QCursor>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <algorithm>
#include <exception>
#include <limits>
#include <new>

namespace Chromell {
namespace {

using namespace Form30Layout;

QScrollBar* MakeChannelBar(QWidget* parent, QRect geometry) {
    auto* bar = new ChannelBar(parent);
    bar->setGeometry(geometry);
    return bar;
}

Swatch* MakeSwatch(QWidget* parent, QRect geometry) {
    auto* swatch = new Swatch(parent);
    swatch->setGeometry(geometry);
    return swatch;
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
      artwork_(Artwork()) {
    setWindowTitle(QStringLiteral("Chromell"));
    setWindowIcon(AppIcon());
    setAttribute(Qt::WA_DeleteOnClose);
    // A tool window does not keep the program running by default; this one must.
    setAttribute(Qt::WA_QuitOnClose, true);
    setGeometry(kWindow);
    setFixedSize(kWindow.size());
    QPalette colours = palette();
    colours.setColor(QPalette::Window, ToQColor(static_cast<VexoFade::RgbColor>(kBackColor)));
    setPalette(colours);
    setAutoFillBackground(true);

    red1 = MakeChannelBar(this, kRed1);
    green1 = MakeChannelBar(this, kGreen1);
    blue1 = MakeChannelBar(this, kBlue1);
    color1 = MakeSwatch(this, kColor1);
    red2 = MakeChannelBar(this, kRed2);
    green2 = MakeChannelBar(this, kGreen2);
    blue2 = MakeChannelBar(this, kBlue2);
    color2 = MakeSwatch(this, kColor2);
    red3 = MakeChannelBar(this, kRed3);
    green3 = MakeChannelBar(this, kGreen3);
    blue3 = MakeChannelBar(this, kBlue3);
    Color3 = MakeSwatch(this, kColor3);

    Text1 = new QLineEdit(this);
    Text1->setGeometry(kText1);
    // The line edit would cut pasted text at 32,767 characters without a word;
    // the fader is the one to say that a text is too long.
    Text1->setMaxLength(std::numeric_limits<int>::max());

    Command1 = new QPushButton(QStringLiteral("Fade It"), this);
    Command1->setGeometry(kCommand1);
    Command1->setAutoDefault(false);
    Command1->setDefault(false);

    Text2 = new OutputBox(this);
    Text2->setGeometry(kText2);

    Picture1 = new PreviewBox(kPicture1, this);

    Label1 = new Hotspot(this);
    Label1->setGeometry(kLabel1);
    Label1->setToolTip(tr("Close"));
    Label2 = new Hotspot(this);
    Label2->setGeometry(kLabel2);
    Label2->setToolTip(tr("Minimize"));

    mnuFile = new QMenu(tr("&File"), this);
    about = mnuFile->addAction(tr("&About"));
    div = mnuFile->addSeparator();
    exit = mnuFile->addAction(tr("E&xit"));

    QWidget* const focusOrder[] = {red3,  green3, blue3,  green2, blue2, red2,    Command1,
                                   Text1, red1,   green1, blue1,  Text2, Picture1};
    for (std::size_t i = 1; i < std::size(focusOrder); ++i) {
        setTabOrder(focusOrder[i - 1], focusOrder[i]);
    }
    red3->setFocus();

    connect(red1, &QScrollBar::valueChanged, this, &Form30::red1_Change);
    connect(green1, &QScrollBar::valueChanged, this, &Form30::green1_Change);
    connect(blue1, &QScrollBar::valueChanged, this, &Form30::blue1_Change);
    connect(red2, &QScrollBar::valueChanged, this, &Form30::red2_Change);
    connect(green2, &QScrollBar::valueChanged, this, &Form30::green2_Change);
    connect(blue2, &QScrollBar::valueChanged, this, &Form30::blue2_Change);
    connect(red3, &QScrollBar::valueChanged, this, &Form30::red3_Change);
    connect(green3, &QScrollBar::valueChanged, this, &Form30::green3_Change);
    connect(blue3, &QScrollBar::valueChanged, this, &Form30::blue3_Change);
    connect(Command1, &QPushButton::clicked, this, &Form30::Command1_Click);
    connect(Label1, &Hotspot::clicked, this, &Form30::Label1_Click);
    connect(Label2, &Hotspot::clicked, this, &Form30::Label2_Click);
    connect(about, &QAction::triggered, this, &Form30::about_Click);
    connect(exit, &QAction::triggered, this, &Form30::exit_Click);
}

Form30::~Form30() = default;

void Form30::Form_Load() {
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
    const std::u16string output = ToU16(Text2->text());
    // A local reference keeps the service alive should the window go away
    // while a delivery lets the event loop run.
    const std::shared_ptr<Module1::WindowService> windows = Windows();
    Quillbas::SendToChat(*windows, output);
}

void Form30::SendOutputToIm() {
    const std::u16string output = ToU16(Text2->text());
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

void Form30::closeEvent(QCloseEvent* event) {
    closing_ = true;
    // Nothing else takes the icon down, and it would stay in the tray with no
    // window behind it.
    if (trayIcon_ != nullptr) {
        trayIcon_->hide();
    }
    event->accept();
}

void Form30::red1_Change() {
    UpdateSwatch(red1, green1, blue1, color1);
}

void Form30::green1_Change() {
    UpdateSwatch(red1, green1, blue1, color1);
}

void Form30::blue1_Change() {
    UpdateSwatch(red1, green1, blue1, color1);
}

void Form30::red2_Change() {
    UpdateSwatch(red2, green2, blue2, color2);
}

void Form30::green2_Change() {
    UpdateSwatch(red2, green2, blue2, color2);
}

void Form30::blue2_Change() {
    UpdateSwatch(red2, green2, blue2, color2);
}

void Form30::red3_Change() {
    UpdateSwatch(red3, green3, blue3, Color3);
}

void Form30::green3_Change() {
    UpdateSwatch(red3, green3, blue3, Color3);
}

void Form30::blue3_Change() {
    UpdateSwatch(red3, green3, blue3, Color3);
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
        raise();
        activateWindow();
        mnuFile->popup(QCursor::pos());
        break;
    default:
        break;
    }
}

void Form30::UpdateSwatch(const QScrollBar* red, const QScrollBar* green, const QScrollBar* blue,
                          Swatch* swatch) {
    const auto channel = [](const QScrollBar* bar) { return std::min(bar->value(), 255); };
    swatch->setBackColor(VexoFade::MakeRgb(channel(red), channel(green), channel(blue)));
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
        markup = VexoFade::FadeThreeColors(color1->backColor(), color2->backColor(),
                                           Color3->backColor(), ToU16(Text1->text()), wave);
    } catch (const std::exception& error) {
        ReportFailure(tr("The text could not be faded."), Describe(error));
        return;
    }
    Text2->setText(ToQString(markup));
    const std::uint64_t fade = ++latestFade_;
    const QString shown = Text2->text();

    const QPointer<Form30> window(this);
    // Goes on only while no newer fade has taken over the boxes and the
    // window is not closing.
    const auto yield = [window, fade] {
        QCoreApplication::processEvents();
        return !window.isNull() && !window->closing_ && window->latestFade_ == fade;
    };
    try {
        if (!VexoFade::RenderMarkupPreview(Picture1->surface(), ToU16(shown), yield)) {
            return;
        }
    } catch (const std::exception& error) {
        Picture1->update();
        ReportFailure(tr("The preview could not be drawn."), Describe(error));
        return;
    }
    Picture1->update();
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
