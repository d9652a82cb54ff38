#include "form1_window.h"

#include "accessible.h"
#include "app/core/form30_layout.h"
#include "app/core/texts.h"
#include "app/core/twips.h"
#include "control_ids.h"
#include "program.h"
#include "win32_text.h"

namespace Chromell::Win32 {
namespace {

constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW;

HWND MakeControl(HWND parent, HINSTANCE instance, const wchar_t* type, std::u16string_view text,
                 DWORD style, int id) {
    return CreateWindowExW(0, type, Wide(text).c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0,
                           parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance,
                           nullptr);
}

void Place(HWND control, const Rect& twips, UINT dpi) {
    const Rect pixels = TwipsToPixels(twips, static_cast<int>(dpi));
    MoveWindow(control, pixels.left, pixels.top, pixels.width, pixels.height, TRUE);
}

} // namespace

void Form1Window::Register(Program& program) {
    WNDCLASSEXW type{};
    type.cbSize = sizeof(type);
    type.lpfnWndProc = OwnedWindowProcedure<Form1Window>;
    type.hInstance = program.instance();
    type.hIcon = program.icon();
    type.hIconSm = program.smallIcon();
    type.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
    type.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    type.lpszClassName = kForm1Class;
    RegisterClassExW(&type);
}

Form1Window* Form1Window::Open(Program& program) {
    HWND window =
        CreateWindowExW(0, kForm1Class, Wide(Texts::kAboutCaption).c_str(), kStyle, CW_USEDEFAULT,
                        CW_USEDEFAULT, 0, 0, nullptr, nullptr, program.instance(), &program);
    if (window == nullptr) {
        return nullptr;
    }
    auto* form = reinterpret_cast<Form1Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    form->label_ = MakeControl(window, program.instance(), L"STATIC", Texts::kCreditLine, SS_CENTER,
                               kAboutLabel1);
    form->supz_ = MakeControl(window, program.instance(), L"BUTTON", Texts::kSupzCaption,
                              WS_TABSTOP | BS_PUSHBUTTON, kAboutCommand1);
    SetAccessibleText(form->label_, Texts::kForm1Label1Accessible.name,
                      Texts::kForm1Label1Accessible.description);
    SetAccessibleText(form->supz_, Texts::kForm1Command1Accessible.name,
                      Texts::kForm1Command1Accessible.description);
    form->Lay(GetDpiForWindow(window), nullptr);
    SetFocus(form->supz_);
    return form;
}

Form1Window::Form1Window(Program& program, HWND window) : program_(program), window_(window) {
    program_.WindowLoaded();
}

Form1Window::~Form1Window() {
    if (font_ != nullptr) {
        DeleteObject(font_);
    }
    program_.about().Unloaded(*this);
    program_.WindowUnloaded();
}

// The client area and the controls from the layout at `dpi`; the window keeps
// its place, or takes the one a DPI change suggests.
void Form1Window::Lay(UINT dpi, const RECT* suggested) {
    RECT frame{0, 0, TwipsToPixels(Form1Layout::kClient.width, static_cast<int>(dpi)),
               TwipsToPixels(Form1Layout::kClient.height, static_cast<int>(dpi))};
    AdjustWindowRectExForDpi(&frame, kStyle, FALSE, 0, dpi);
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    if (suggested == nullptr) {
        flags |= SWP_NOMOVE;
    }
    SetWindowPos(window_, nullptr, suggested != nullptr ? suggested->left : 0,
                 suggested != nullptr ? suggested->top : 0, frame.right - frame.left,
                 frame.bottom - frame.top, flags);
    Place(label_, Form1Layout::kLabel1, dpi);
    Place(supz_, Form1Layout::kCommand1, dpi);
    HFONT old = font_;
    font_ = CreateGuiFont(dpi);
    SetFontOfChildren(window_, font_);
    if (old != nullptr) {
        DeleteObject(old);
    }
}

LRESULT Form1Window::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (LOWORD(wParam) == kAboutCommand1 && HIWORD(wParam) == BN_CLICKED) {
            Supz_Click(*this);
        }
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE) {
            SetFocus(supz_);
        }
        return 0;
    case WM_DPICHANGED:
        Lay(HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

// A task-modal box with no owner: every window of the program waits on it.
void Form1Window::ShowProgramModalMessage(std::u16string_view title, std::u16string_view text) {
    MessageBoxW(nullptr, Wide(text).c_str(), Wide(title).c_str(), MB_OK | MB_TASKMODAL);
}

void Form1Window::Restore() {
    if (IsIconic(window_)) {
        ShowWindow(window_, SW_RESTORE);
    }
}

void Form1Window::Show() {
    ShowWindow(window_, SW_SHOW);
}

void Form1Window::BringToFront() {
    SetForegroundWindow(window_);
}

} // namespace Chromell::Win32
