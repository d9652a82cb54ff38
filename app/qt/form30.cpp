#include "app/qt/form30.h"

#include "app/core/colour_rows.h"
#include "app/core/screen_fit.h"
#include "app/core/texts.h"
#include "app/qt/art.h"
#include "app/qt/channel_bar.h"
#include "app/qt/desktop.h"
#include "app/qt/event_loop.h"
#include "app/qt/form1.h"
#include "app/qt/hotspot.h"
#include "app/qt/output_box.h"
#include "app/qt/preview_box.h"
#include "app/qt/qt_rect.h"
#include "app/qt/qt_text.h"
#include "app/qt/right_release.h"
#include "app/qt/swatch.h"
#include "tray_watch.h"
#include "bridge/window_service.h"
#include "preview/qt/qt_color.h"

#include <QCloseEvent>
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
#include <array>
#include <limits>

namespace Chromell {

struct Form30::Ui {
    // Row k: the bars redk, greenk and bluek, and the row's swatch.
    struct ColourRow {
        std::array<ChannelBar*, 3> bars{};
        Swatch* swatch = nullptr;
    };
    std::array<ColourRow, 3> rows{};
    std::array<QWidget*, kForm30ControlCount> controls{};
    QLineEdit* Text1 = nullptr;
    QPushButton* Command1 = nullptr;
    OutputBox* Text2 = nullptr;
    PreviewBox* Picture1 = nullptr;
    Hotspot* Label1 = nullptr;
    Hotspot* Label2 = nullptr;
    QMenu* mnuFile = nullptr;
};

namespace {

using namespace Form30Layout;

// Places a control as the layout says and names it for findChild and for
// screen readers.
template <typename Widget> Widget* Placed(Widget* widget, Form30Control control) {
    const ControlLayout& layout = kControls[Index(control)];
    widget->setObjectName(ToQString(layout.name));
    widget->setGeometry(PixelRect(layout.twips));
    widget->setAccessibleName(ToQString(Texts::Accessible(control).name));
    widget->setAccessibleDescription(ToQString(Texts::Accessible(control).description));
    return widget;
}

} // namespace

Form30::Form30(QWidget* parent)
    : QWidget(parent,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      ui_(std::make_unique<Ui>()), artwork_(Artwork()), core_(*this, &ProcessPendingEvents) {
    setWindowTitle(ToQString(Texts::kAppTitle));
    setWindowIcon(AppIcon());
    setAttribute(Qt::WA_DeleteOnClose);
    // A tool window does not keep the program running by default; this one must.
    setAttribute(Qt::WA_QuitOnClose, true);
    setGeometry(PixelRect(kWindow));
    setFixedSize(size());
    QPalette colours = palette();
    colours.setColor(QPalette::Window,
                     VexoFade::ToQColor(static_cast<VexoFade::RgbColor>(kBackColor)));
    setPalette(colours);
    setAutoFillBackground(true);

    auto& controls = ui_->controls;
    for (std::size_t row = 0; row < kRows.size(); ++row) {
        Ui::ColourRow& widgets = ui_->rows[row];
        for (std::size_t channel = 0; channel < widgets.bars.size(); ++channel) {
            const Form30Control bar = kRows[row].bars[channel];
            widgets.bars[channel] = Placed(new ChannelBar(this), bar);
            controls[Index(bar)] = widgets.bars[channel];
            connect(widgets.bars[channel], &QScrollBar::valueChanged, this,
                    [this, row] { core_.Bar_Change(row); });
        }
        widgets.swatch = Placed(new Swatch(this), kRows[row].swatch);
        widgets.swatch->setBackColor(core_.SwatchColor(row));
        controls[Index(kRows[row].swatch)] = widgets.swatch;
    }

    ui_->Text1 = Placed(new QLineEdit(this), Form30Control::Text1);
    // The line edit would cut pasted text at 32,767 characters without a word;
    // the fader is the one to say that a text is too long.
    ui_->Text1->setMaxLength(std::numeric_limits<int>::max());
    ui_->Command1 =
        Placed(new QPushButton(ToQString(Texts::kFadeItCaption), this), Form30Control::Command1);
    ui_->Command1->setAutoDefault(false);
    ui_->Command1->setDefault(false);
    ui_->Text2 = Placed(new OutputBox(this), Form30Control::Text2);
    ui_->Picture1 = Placed(new PreviewBox(PixelRect(kPicture1), this), Form30Control::Picture1);
    ui_->Label1 = Placed(new Hotspot(this), Form30Control::Label1);
    ui_->Label2 = Placed(new Hotspot(this), Form30Control::Label2);
    for (Hotspot* hotspot : {ui_->Label1, ui_->Label2}) {
        hotspot->setToolTip(hotspot->accessibleName());
    }
    controls[Index(Form30Control::Text1)] = ui_->Text1;
    controls[Index(Form30Control::Command1)] = ui_->Command1;
    controls[Index(Form30Control::Text2)] = ui_->Text2;
    controls[Index(Form30Control::Picture1)] = ui_->Picture1;

    ui_->mnuFile = new QMenu(ToQString(Texts::kMenuCaption), this);
    ui_->mnuFile->setObjectName(ToQString(Texts::kMenuName));
    for (const Texts::MenuEntry& entry : Texts::kMenu) {
        QAction* action = entry.text.empty() ? ui_->mnuFile->addSeparator()
                                             : ui_->mnuFile->addAction(ToQString(entry.text));
        action->setObjectName(ToQString(entry.name));
        connect(action, &QAction::triggered, this,
                [this, item = entry.item] { core_.Menu_Click(item); });
    }
    menuOnRelease_ = new RightRelease(this);

    for (std::size_t i = 1; i < kTabOrder.size(); ++i) {
        setTabOrder(controls[Index(kTabOrder[i - 1])], controls[Index(kTabOrder[i])]);
    }
    controls[Index(kTabOrder[0])]->setFocus();

    connect(ui_->Command1, &QPushButton::clicked, this, [this] { core_.Command1_Click(); });
    connect(ui_->Label1, &Hotspot::clicked, this, [this] { core_.Label1_Click(); });
    connect(ui_->Label2, &Hotspot::clicked, this, [this] { core_.Label2_Click(); });

    // Known before the window is first mapped, so that it maps with its
    // taskbar entry or without.
    trayWatch_ = std::make_unique<TrayWatch>([this](bool shown) { core_.TrayIcon_Shown(shown); });
    core_.TrayIcon_Shown(trayWatch_->Shown());
}

Form30::~Form30() = default;

void Form30::Form_Load() {
    core_.Form_Load();
}

void Form30::FadeOutputWavy() {
    core_.FadeOutputWavy();
}

void Form30::SendOutputToChat() {
    core_.SendOutputToChat();
}

void Form30::SendOutputToIm() {
    core_.SendOutputToIm();
}

void Form30::SetWindowService(std::shared_ptr<Module1::WindowService> windows) {
    core_.SetWindowService(std::move(windows));
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
    // Before the window is mapped.
    SetTaskbarEntry(*this, core_.OnTaskbar());
}

void Form30::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    // A restored window is mapped anew.
    if (event->type() == QEvent::WindowStateChange && !isMinimized()) {
        SetTaskbarEntry(*this, core_.OnTaskbar());
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
    core_.Form_Unload();
    // Nothing else takes the icon down, and it would stay in the tray with no
    // window behind it.
    if (trayIcon_ != nullptr) {
        trayIcon_->hide();
    }
    event->accept();
}

void Form30::TrayIcon_Activated(QSystemTrayIcon::ActivationReason reason) {
    if (trayWatch_->Kind() == TrayKind::StatusNotifier) {
        // The host's activations; it shows the exported menu itself.
        if (reason == QSystemTrayIcon::Trigger) {
            core_.TrayIcon_Event(TrayEvent::Activate);
        } else if (reason == QSystemTrayIcon::MiddleClick) {
            core_.TrayIcon_Event(TrayEvent::SecondaryActivate);
        }
        return;
    }
    switch (reason) {
    case QSystemTrayIcon::DoubleClick:
        core_.TrayIcon_Event(TrayEvent::LeftDoubleClick);
        break;
    case QSystemTrayIcon::Trigger:
        core_.TrayIcon_Event(TrayEvent::LeftUp);
        break;
    case QSystemTrayIcon::MiddleClick:
        core_.TrayIcon_Event(TrayEvent::MiddleUp);
        break;
    case QSystemTrayIcon::Context:
        // Qt's X11 tray asks on the right button's press; the menu waits for
        // its release.
        core_.TrayIcon_Event(TrayEvent::RightDown);
        menuOnRelease_->Run([this] { core_.TrayIcon_Event(TrayEvent::RightUp); });
        break;
    default:
        break;
    }
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
    const QRect fitted =
        ToQRect(FitOnScreen(FromQRect(frame), FromQRect(screen->availableGeometry())));
    setGeometry(geometry().translated(fitted.topLeft() - frame.topLeft()));
}

std::u16string Form30::InputText() {
    return ToU16(ui_->Text1->text());
}

std::u16string Form30::OutputText() {
    return ToU16(ui_->Text2->text());
}

void Form30::SetOutputText(std::u16string_view text) {
    ui_->Text2->setText(ToQString(text));
}

int Form30::BarValue(std::size_t row, std::size_t channel) {
    return ui_->rows.at(row).bars.at(channel)->value();
}

void Form30::ShowSwatchColor(std::size_t row, VexoFade::RgbColor color) {
    ui_->rows.at(row).swatch->setBackColor(color);
}

VexoFade::DrawingSurface& Form30::PreviewSurface() {
    return ui_->Picture1->surface();
}

void Form30::PreviewDrawn() {
    ui_->Picture1->update();
}

bool Form30::Yield() {
    const QPointer<Form30> window(this);
    ProcessPendingEvents();
    return !window.isNull();
}

// Says what went wrong in an application-modal box and waits for the user.
// The window may be gone when the box returns; nothing may touch it after.
void Form30::ReportFailure(std::u16string_view step, std::u16string_view reason) {
    auto* box = new QMessageBox(QMessageBox::Warning, ToQString(Texts::kAppTitle), ToQString(step),
                                QMessageBox::Ok, this);
    box->setInformativeText(ToQString(reason));
    box->setWindowModality(Qt::ApplicationModal);
    box->setAttribute(Qt::WA_DeleteOnClose);
    RunModal(*box);
}

void Form30::Show() {
    if (!isVisible()) {
        PlaceOnScreen();
    }
    show();
}

void Form30::Repaint() {
    repaint();
}

void Form30::AddTrayIcon() {
    // Where there is no tray the icon simply never appears; the window works on.
    trayIcon_ = new QSystemTrayIcon(windowIcon(), this);
    trayIcon_->setToolTip(ToQString(Texts::kAppTitle));
    connect(trayIcon_, &QSystemTrayIcon::activated, this, &Form30::TrayIcon_Activated);
    if (trayWatch_->Kind() == TrayKind::StatusNotifier) {
        // Exported over D-Bus, for the host to show on the right button. An
        // icon docked in an X11 tray must not have it: Qt would pop it up on
        // the press, and the menu belongs to the release.
        trayIcon_->setContextMenu(ui_->mnuFile);
    }
    trayIcon_->show();
}

void Form30::Minimize() {
    setWindowState(windowState() | Qt::WindowMinimized);
}

void Form30::Restore() {
    setWindowState(windowState() & ~Qt::WindowMinimized);
}

void Form30::BringToFront() {
    raise();
    activateWindow();
}

void Form30::Close() {
    close();
}

void Form30::PopUpMenu() {
    ui_->mnuFile->popup(QCursor::pos());
}

void Form30::ShowAbout() {
    Form1::ShowInstance();
}

void Form30::ShowOnTaskbar(bool shown) {
    SetTaskbarEntry(*this, shown);
}

} // namespace Chromell
