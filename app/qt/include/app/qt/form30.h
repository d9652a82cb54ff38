#pragma once

#include "app/core/form30_core.h"
#include "app/core/form30_view.h"

#include <QImage>
#include <QSystemTrayIcon>
#include <QWidget>
#include <cstddef>
#include <memory>

namespace Module1 {
class WindowService;
}

namespace Chromell {

class RightRelease;
class TrayWatch;

// The main window in Qt: three colour rows (channel bars and a swatch each),
// the input box, "Fade It", the output box and the preview box, two hotspots
// on the artwork that close and minimize it, and the menu the tray icon pops
// up. Its rules are Form30Core's; this class turns Qt's events into the
// core's handlers and carries out what the core asks of its view. While a
// tray shows its icon it has no taskbar button, and the icon leads back to
// it; without one it keeps its taskbar entry. It deletes itself when it is
// closed.
//
// Its controls carry the names of the window layout as object names (red1 to
// blue3, color1, color2, Color3, Text1, Command1, Text2, Picture1, Label1,
// Label2; the menu mnuFile with about, div and exit) for findChild.
class Form30 : public QWidget, private Form30View {
    Q_OBJECT
public:
    explicit Form30(QWidget* parent = nullptr);
    ~Form30() override;

    // Shows the window, paints it at once and then puts up the tray icon.
    void Form_Load();

    // The operations no control calls; see Form30Core.
    void FadeOutputWavy();
    void SendOutputToChat();
    void SendOutputToIm();
    void SetWindowService(std::shared_ptr<Module1::WindowService> windows);

    // The tray icon, once Form_Load has put it up; nullptr before.
    QSystemTrayIcon* trayIcon() const { return trayIcon_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Ui;

    void TrayIcon_Activated(QSystemTrayIcon::ActivationReason reason);
    void PlaceOnScreen();

    // Form30View
    std::u16string InputText() override;
    std::u16string OutputText() override;
    void SetOutputText(std::u16string_view text) override;
    int BarValue(std::size_t row, std::size_t channel) override;
    void ShowSwatchColor(std::size_t row, VexoFade::RgbColor color) override;
    VexoFade::DrawingSurface& PreviewSurface() override;
    void PreviewDrawn() override;
    bool Yield() override;
    void ReportFailure(std::u16string_view step, std::u16string_view reason) override;
    void Show() override;
    void Repaint() override;
    void AddTrayIcon() override;
    void Minimize() override;
    void Restore() override;
    void BringToFront() override;
    void Close() override;
    void PopUpMenu() override;
    void ShowAbout() override;
    void ShowOnTaskbar(bool shown) override;

    std::unique_ptr<Ui> ui_;
    QImage artwork_;
    QSystemTrayIcon* trayIcon_ = nullptr;
    RightRelease* menuOnRelease_ = nullptr;
    std::unique_ptr<TrayWatch> trayWatch_;
    // Whether the place has been checked again with the window frame known.
    bool placedWithFrame_ = false;
    Form30Core core_;
};

} // namespace Chromell
