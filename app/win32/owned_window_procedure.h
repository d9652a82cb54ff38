#pragma once

#include "windows_api.h"

namespace Chromell::Win32 {

class Program;

// The window procedure of a class whose windows each belong to one object of
// `Form`: the object is made with the window (WM_NCCREATE, from the Program
// passed to CreateWindowExW), handles every message after that, and is
// deleted with the window (WM_NCDESTROY). `Form` makes this a friend.
template <class Form>
LRESULT CALLBACK OwnedWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* program =
            static_cast<Program*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(new Form(*program, window)));
    }
    auto* form = reinterpret_cast<Form*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (form == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        delete form;
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return form->Handle(message, wParam, lParam);
}

} // namespace Chromell::Win32
