#include "picture_box.h"

#include "app/core/form30_layout.h"
#include "control_ids.h"

#include <exception>

namespace Chromell::Win32 {

void PictureBox::Register(HINSTANCE instance) {
    WNDCLASSEXW type{};
    type.cbSize = sizeof(type);
    type.lpfnWndProc = Procedure;
    type.hInstance = instance;
    type.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
    type.lpszClassName = kPictureClass;
    RegisterClassExW(&type);
}

PictureBox* PictureBox::Create(HWND parent, int id, HINSTANCE instance) {
    HWND window = CreateWindowExW(
        WS_EX_CLIENTEDGE, kPictureClass, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 0, 0, 0,
        parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    return window != nullptr
               ? reinterpret_cast<PictureBox*>(GetWindowLongPtrW(window, GWLP_USERDATA))
               : nullptr;
}

void PictureBox::Place(const RECT& outer, UINT dpi) {
    MoveWindow(window_, outer.left, outer.top, outer.right - outer.left, outer.bottom - outer.top,
               TRUE);
    RECT inside{};
    GetClientRect(window_, &inside);
    const int width = inside.right > 0 ? inside.right : 1;
    const int height = inside.bottom > 0 ? inside.bottom : 1;
    if (!surface_ || dpi != dpi_ || surface_->width() != width || surface_->height() != height) {
        // Without memory for the new picture the box keeps the one it has.
        try {
            surface_ = std::make_unique<VexoFade::GdiDrawingSurface>(
                width, height, static_cast<int>(dpi), Form30Layout::kPreviewBackColor);
            dpi_ = dpi;
        } catch (const std::exception&) {
            if (!surface_) {
                throw;
            }
        }
    }
}

void PictureBox::Paint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window_, &paint);
    if (surface_) {
        surface_->Paint(dc, 0, 0);
    }
    if (GetFocus() == window_) {
        RECT inside{};
        GetClientRect(window_, &inside);
        DrawFocusRect(dc, &inside);
    }
    EndPaint(window_, &paint);
}

LRESULT CALLBACK PictureBox::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* box = reinterpret_cast<PictureBox*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
    case WM_NCCREATE:
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(new PictureBox(window)));
        break;
    case WM_NCDESTROY:
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        delete box;
        return 0;
    case WM_PAINT:
        if (box != nullptr) {
            box->Paint();
            return 0;
        }
        break;
    case WM_ERASEBKGND:
        return 1; // the surface covers the inside
    case WM_LBUTTONDOWN:
        SetFocus(window);
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        InvalidateRect(window, nullptr, FALSE);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace Chromell::Win32
