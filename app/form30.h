#pragma once

#include "engine/color.h"

#include <QImage>
#include <QSystemTrayIcon>
#include <QWidget>
#include <cstdint>
#include <memory>

namespace Module1 {
class WindowService;
}

class QAction;
class QLineEdit;
class QMenu;
class QPushButton;
class QScrollBar;

namespace Chromell {

class Hotspot;
class OutputBox;
class PreviewBox;
class Swatch;

// The main window: three colour rows (channel bars and a swatch each), the
// input box, "Fade It", the output box and the preview box, two hotspots on
// the artwork that close and minimize it, and the menu the tray icon pops up.
// It has no taskbar button; the tray icon leads back to it. It deletes itself
// when it is closed.
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
    void SendOutputToChat();
    void SendOutputToIm();

    // The desktop the two operations above reach; by default the platform's
    // (on systems without the messenger, one that finds no windows).
    void SetWindowService(std::shared_ptr<Module1::WindowService> windows);

    // The tray icon, once Form_Load has put it up; nullptr before.
    QSystemTrayIcon* trayIcon() const { return trayIcon_; }

    // Controls, named as in the window layout.
    QScrollBar* red1;
    QScrollBar* green1;
    QScrollBar* blue1;
    Swatch* color1;
    QScrollBar* red2;
    QScrollBar* green2;
    QScrollBar* blue2;
    Swatch* color2;
    QScrollBar* red3;
    QScrollBar* green3;
    QScrollBar* blue3;
    Swatch* Color3;
    QLineEdit* Text1;
    QPushButton* Command1;
    OutputBox* Text2;
    PreviewBox* Picture1;
    Hotspot* Label1;
    Hotspot* Label2;

    // The menu (not shown as a menu bar): About, a divider, Exit.
    QMenu* mnuFile;
    QAction* about;
    QAction* div;
    QAction* exit;

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private slots:
    void red1_Change();
    void green1_Change();
    void blue1_Change();
    void red2_Change();
    void green2_Change();
    void blue2_Change();
    void red3_Change();
    void green3_Change();
    void blue3_Change();
    void Command1_Click();
    void Label1_Click();
    void Label2_Click();
    void about_Click();
    void exit_Click();
    void TrayIcon_Activated(QSystemTrayIcon::ActivationReason reason);

private:
    void UpdateSwatch(const QScrollBar* red, const QScrollBar* green, const QScrollBar* blue,
                      Swatch* swatch);
    void Fade(VexoFade::Flag wave);
    void ReportFailure(const QString& step, const QString& reason);

    std::shared_ptr<Module1::WindowService> Windows();

    QImage artwork_;
    std::shared_ptr<Module1::WindowService> windows_;
    QSystemTrayIcon* trayIcon_ = nullptr;
    // Counts the fades that have put markup into the output box; a fade whose
    // number is no longer the latest gives up before it draws.
    std::uint64_t latestFade_ = 0;
    bool closing_ = false;
};

} // namespace Chromell
