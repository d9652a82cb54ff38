#include "program.h"

#include "artwork.h"
#include "resource_ids.h"

namespace Chromell::Win32 {

Program::Program(HINSTANCE instance)
    : instance_(instance),
      icon_(static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(CHROMELL_ICON), IMAGE_ICON,
                                          GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON),
                                          LR_DEFAULTCOLOR))),
      smallIcon_(static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(CHROMELL_ICON),
                                               IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                               GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR))),
      artwork_(LoadArtwork(instance)) {}

Program::~Program() {
    if (artwork_ != nullptr) {
        DeleteObject(artwork_);
    }
    DestroyIcon(icon_);
    DestroyIcon(smallIcon_);
}

void Program::WindowUnloaded() {
    if (loaded_.Unloaded()) {
        PostQuitMessage(0);
    }
}

int Program::Run() {
    MSG message;
    for (;;) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) {
            return static_cast<int>(message.wParam);
        }
        if (got == -1) {
            return 1;
        }
        Dispatch(message);
    }
}

bool Program::Pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return false;
        }
        Dispatch(message);
    }
    return true;
}

// Tab, the arrow keys and the mnemonic keys move the focus in the program's
// windows as in a dialog.
void Program::Dispatch(MSG& message) {
    HWND root = message.hwnd != nullptr ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    if (root != nullptr && IsDialogMessageW(root, &message)) {
        return;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

HFONT CreateGuiFont(UINT dpi) {
    LOGFONTW font{};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(font), &font);
    // The stock font is made for the system's DPI.
    font.lfHeight =
        MulDiv(font.lfHeight, static_cast<int>(dpi), static_cast<int>(GetDpiForSystem()));
    return CreateFontIndirectW(&font);
}

void SetFontOfChildren(HWND window, HFONT font) {
    EnumChildWindows(
        window,
        [](HWND child, LPARAM value) -> BOOL {
            SendMessageW(child, WM_SETFONT, static_cast<WPARAM>(value), TRUE);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(font));
}

} // namespace Chromell::Win32
