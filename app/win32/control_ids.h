#pragma once

#include "app/core/form30_layout.h"
#include "app/core/texts.h"

#include <cstddef>

// The window classes and control IDs of chromell.exe. A control's ID stands
// for its name in the window layout (the end-to-end helper finds controls by
// these IDs). IDOK (1) and IDCANCEL (2), which the dialog keys send, are left
// free.
namespace Chromell::Win32 {

inline constexpr wchar_t kForm30Class[] = L"Chromell.Form30";
inline constexpr wchar_t kForm1Class[] = L"Chromell.Form1";
inline constexpr wchar_t kPictureClass[] = L"Chromell.Picture";

// Form30's controls: 100 + their place in Form30Layout::kControls (red1 is
// 100, Picture1 115, Label2 117). The hotspots are places on the window, not
// child windows, so no window carries 116 or 117.
inline constexpr int kForm30ControlBase = 100;
constexpr int ControlId(Form30Control control) {
    return kForm30ControlBase + static_cast<int>(Index(control));
}

// The entries of mnuFile: 200 + their place in Texts::kMenu.
inline constexpr int kMenuBase = 200;
constexpr int MenuId(Texts::MenuItem item) {
    return kMenuBase + static_cast<int>(item);
}

// Form1 (About): the credit line and "Supz".
inline constexpr int kAboutLabel1 = 300;
inline constexpr int kAboutCommand1 = 301;

} // namespace Chromell::Win32
