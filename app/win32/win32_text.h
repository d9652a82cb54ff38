#pragma once

#include "windows_api.h"

#include <string>
#include <string_view>

static_assert(sizeof(wchar_t) == sizeof(char16_t));

// The program's texts are UTF-16, as Windows' wide-character functions take
// them; only the character type differs.
namespace Chromell::Win32 {

inline std::wstring Wide(std::u16string_view text) {
    return std::wstring(text.begin(), text.end());
}

// A window's whole text (an edit box's, a caption).
inline std::u16string WindowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    const int length = GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
    return std::u16string(text.begin(), text.begin() + (length > 0 ? length : 0));
}

} // namespace Chromell::Win32
