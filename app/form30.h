#pragma once

#include "engine/color.h"

#include <QImage>
#include <QSystemTrayIcon>
#include <QWidget>
#include <cstddef>
#include <cstdint>
#include <memory>

namespace Module1 {
class WindowService;
}

namespace Chromell {

class RightRelease;

// The main window: three colour rows (channel bars and a swatch each), the
// input box, "Fade It", the output box and the preview box, two hotspots on
// the artwork that close and minimize it, and the menu the tray icon pops up.
// It has no taskbar button; the tray icon leads back to it. It deletes itself
// when it is closed.
//
// Its controls carry the names of the window layout as object names (red1 to
// blue3, color1, color2, Color3, Text1, Command1, Text2, Picture1, Label1,
// Label2; the menu mnuFile with about, div and exit) for findChild.
class Form30 : public QWidget {
    Q_OBJECT
public:
    explicit Form30(QWidget* parent = nullptr);
    ~Form30() override;

    // Shows the window, paints it at once and then puts up the tray icon.
    void Form_Load();

    // The fade of "Fade It" with the wave switched on. No control calls it.
    void FadeOutputWavy();

    // Hand a copy of the output box's text to the messenger's chat window or
    // IM window. No control calls them; the box itself is left as it is.
    // An error of the chat delivery (the messenger did not answer) goes up to
    // the caller; the IM delivery raises none.
    void SendOutputToChat();
    void SendOutputToIm();

    // The desktop the two operations above reach; by default the platform's
    // (on systems without the messenger, one that finds no windows).
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

    void Command1_Click();
    void Label1_Click();
    void Label2_Click();
    void about_Click();
    void exit_Click();
    void TrayIcon_Activated(QSystemTrayIcon::ActivationReason reason);

    void UpdateSwatch(std::size_t row);
    void Fade(VexoFade::Flag wave);
    void PlaceOnScreen();
    void ReportFailure(const QString& step, const QString& reason);

    std::shared_ptr<Module1::WindowService> Windows();

    std::unique_ptr<Ui> ui_;
    QImage artwork_;
    std::shared_ptr<Module1::WindowService> windows_;
    QSystemTrayIcon* trayIcon_ = nullptr;
    RightRelease* menuOnRelease_ = nullptr;
    // Counts the fades that have put markup into the output box; a fade whose
    // number is no longer the latest gives up before it draws.
    std::uint64_t latestFade_ = 0;
    bool closing_ = false;
    // Whether the place has been checked again with the window frame known.
    bool placedWithFrame_ = false;
};

} // namespace Chromell
