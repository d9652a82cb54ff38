#pragma once

#include "app/core/about.h"
#include "owned_window_procedure.h"
#include "windows_api.h"

namespace Chromell::Win32 {

class Program;

// The About window Form1: an ordinary window with a taskbar button (made
// without an owner, so that it keeps its button and outlives the main
// window), the credit line and "Supz". It deletes itself when its window is
// gone and tells the program's AboutInstance.
class Form1Window final : public Form1View {
public:
    static void Register(Program& program);
    // Makes the window, not yet shown; nullptr when it could not be made.
    static Form1Window* Open(Program& program);

    HWND window() const { return window_; }

    // Form1View
    void Restore() override;
    void Show() override;
    void BringToFront() override;
    void ShowProgramModalMessage(std::u16string_view title, std::u16string_view text) override;

private:
    Form1Window(Program& program, HWND window);
    ~Form1Window() override;

    template <class Form> friend LRESULT CALLBACK OwnedWindowProcedure(HWND, UINT, WPARAM, LPARAM);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void Lay(UINT dpi, const RECT* suggested);

    Program& program_;
    HWND window_;
    HWND label_ = nullptr;
    HWND supz_ = nullptr;
    HFONT font_ = nullptr;
};

} // namespace Chromell::Win32
