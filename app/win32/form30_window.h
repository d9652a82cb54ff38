#pragma once

#include "app/core/form30_core.h"
#include "app/core/form30_view.h"
#include "owned_window_procedure.h"
#include "tray_icon.h"
#include "windows_api.h"

#include <array>
#include <memory>

namespace Chromell::Win32 {

class PictureBox;
class Program;

// The main window Form30 with the Win32 API: a fixed tool window without a
// taskbar button, its controls placed from the layout in twips at the
// window's DPI, the artwork behind them, and the tray icon. Every rule is the
// core's (Form30Core); this class turns window messages into its handlers
// and carries out what it asks. It deletes itself when its window is gone.
class Form30Window final : public Form30View {
public:
    static void Register(Program& program);
    // Makes the window and loads it (shown, then the tray icon); nullptr when
    // the window could not be made.
    static Form30Window* Open(Program& program);

    HWND window() const { return window_; }
    Form30Core& core() { return core_; }

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

private:
    Form30Window(Program& program, HWND window);
    ~Form30Window() override;

    template <class Form> friend LRESULT CALLBACK OwnedWindowProcedure(HWND, UINT, WPARAM, LPARAM);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

    void CreateControls();
    // Places the window and its controls from the layout at `dpi`; with a
    // `suggested` frame (a DPI change), the window goes there.
    void Lay(UINT dpi, const RECT* suggested);
    void Paint();
    void Scroll(HWND bar, int request);
    void Command(int id, int notification);
    LRESULT SwatchBrush(HWND control, HDC dc);
    // The hotspot under a point of the client area, -1 for none.
    int HotspotAt(POINT point) const;

    Program& program_;
    HWND window_;
    Form30Core core_;
    std::array<HWND, kForm30ControlCount> controls_{};
    PictureBox* picture_ = nullptr;
    std::array<VexoFade::RgbColor, 3> swatchColors_{};
    std::array<HBRUSH, 3> swatchBrushes_{};
    HFONT font_ = nullptr;
    UINT dpi_ = 96;
    TrayIcon tray_;
    int pressedHotspot_ = -1;
    HWND lastFocus_ = nullptr; // the control that gets the focus back
    // Shared with every Yield on the stack: false once the window is gone.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

} // namespace Chromell::Win32
