#pragma once

// First: see the header.
#include "preview/win32/gdi_drawing_surface.h"
#include "windows_api.h"

#include <memory>

namespace Chromell::Win32 {

// Picture1: a child window with the standard sunken border whose inside
// shows a GDI drawing surface of its size (white until drawn on). It takes
// the keyboard focus, and shows it with a focus frame.
class PictureBox {
public:
    static void Register(HINSTANCE instance);
    // Makes the box as a child of `parent` with the control ID `id`.
    static PictureBox* Create(HWND parent, int id, HINSTANCE instance);

    HWND window() const { return window_; }
    VexoFade::GdiDrawingSurface& surface() { return *surface_; }
    // Places the box (outer rectangle, in pixels); the surface is made anew at
    // `dpi` when its size changes, and is then blank. Throws when the first
    // surface cannot be made; a later one that cannot be made keeps the old.
    void Place(const RECT& outer, UINT dpi);
    // Shows what was drawn on the surface.
    void Refresh() { InvalidateRect(window_, nullptr, FALSE); }

private:
    explicit PictureBox(HWND window) : window_(window) {}
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Paint();

    HWND window_;
    std::unique_ptr<VexoFade::GdiDrawingSurface> surface_;
    UINT dpi_ = 0;
};

} // namespace Chromell::Win32
