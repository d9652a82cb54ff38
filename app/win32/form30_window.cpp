#include "form30_window.h"

#include "accessible.h"
#include "app/core/channel_bar_rules.h"
#include "app/core/colour_rows.h"
#include "app/core/form30_layout.h"
#include "app/core/screen_fit.h"
#include "app/core/texts.h"
#include "app/core/twips.h"
#include "control_ids.h"
#include "form1_window.h"
#include "picture_box.h"
#include "program.h"
#include "win32_text.h"

#include <exception>
#include <optional>
#include <windowsx.h>

namespace Chromell::Win32 {
namespace {

using namespace Form30Layout;

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_TOOLWINDOW;

RECT Pixels(const Rect& twips, UINT dpi) {
    const Rect pixels = TwipsToPixels(twips, static_cast<int>(dpi));
    return {pixels.left, pixels.top, pixels.right(), pixels.bottom()};
}

Rect FromRect(const RECT& rect) {
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

// The bar's row and channel, from its place in the layout's rows.
std::optional<std::pair<std::size_t, std::size_t>> RowOfBar(Form30Control control) {
    for (std::size_t row = 0; row < kRows.size(); ++row) {
        for (std::size_t channel = 0; channel < 3; ++channel) {
            if (kRows[row].bars[channel] == control) {
                return std::pair{row, channel};
            }
        }
    }
    return std::nullopt;
}

// The kind of window each control is, and its styles.
struct ControlKind {
    const wchar_t* type;
    DWORD style;
    DWORD exStyle;
};
ControlKind KindOf(Form30Control control) {
    constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
    switch (control) {
    case Form30Control::color1:
    case Form30Control::color2:
    case Form30Control::Color3:
        return {L"STATIC", kChild, WS_EX_CLIENTEDGE};
    case Form30Control::Text1:
        return {L"EDIT", kChild | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case Form30Control::Command1:
        return {L"BUTTON", kChild | WS_TABSTOP | BS_PUSHBUTTON, 0};
    case Form30Control::Text2:
        // No ES_AUTOHSCROLL: long lines wrap.
        return {L"EDIT", kChild | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL,
                WS_EX_CLIENTEDGE};
    default:
        return {L"SCROLLBAR", kChild | WS_TABSTOP | SBS_HORZ, 0};
    }
}

} // namespace

void Form30Window::Register(Program& program) {
    WNDCLASSEXW type{};
    type.cbSize = sizeof(type);
    type.style = CS_DBLCLKS;
    type.lpfnWndProc = OwnedWindowProcedure<Form30Window>;
    type.hInstance = program.instance();
    type.hIcon = program.icon();
    type.hIconSm = program.smallIcon();
    type.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
    type.hbrBackground = CreateSolidBrush(kBackColor);
    type.lpszClassName = kForm30Class;
    RegisterClassExW(&type);
    PictureBox::Register(program.instance());
}

Form30Window* Form30Window::Open(Program& program) {
    const POINT corner{TwipsToPixels(kWindow.left), TwipsToPixels(kWindow.top)};
    HWND window =
        CreateWindowExW(kExStyle, kForm30Class, Wide(Texts::kAppTitle).c_str(), kStyle, corner.x,
                        corner.y, 0, 0, nullptr, nullptr, program.instance(), &program);
    if (window == nullptr) {
        return nullptr;
    }
    auto* form = reinterpret_cast<Form30Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    form->CreateControls();
    try {
        form->Lay(GetDpiForWindow(window), nullptr);
    } catch (const std::exception&) { // no memory for the preview's picture
        DestroyWindow(window);
        return nullptr;
    }
    // Windows always has a notification area, and the icon stands for the
    // window from its load on: a tool window, off the taskbar.
    form->core_.TrayIcon_Shown(true);
    form->core_.Form_Load();
    return form;
}

Form30Window::Form30Window(Program& program, HWND window)
    : program_(program), window_(window), core_(*this, [&program] { program.Pump(); }) {
    program_.WindowLoaded();
}

Form30Window::~Form30Window() {
    *alive_ = false;
    for (HBRUSH brush : swatchBrushes_) {
        if (brush != nullptr) {
            DeleteObject(brush);
        }
    }
    if (font_ != nullptr) {
        DeleteObject(font_);
    }
    program_.WindowUnloaded();
}

// In the order of the keyboard focus (the creation order is the tab order),
// then the controls that take no focus.
void Form30Window::CreateControls() {
    const auto make = [this](Form30Control control) {
        const ControlKind kind = KindOf(control);
        const int id = ControlId(control);
        if (control == Form30Control::Picture1) {
            picture_ = PictureBox::Create(window_, id, program_.instance());
            controls_[Index(control)] = picture_ != nullptr ? picture_->window() : nullptr;
            SetAccessibleText(controls_[Index(control)], Texts::Accessible(control).name,
                              Texts::Accessible(control).description);
            return;
        }
        const std::wstring caption =
            control == Form30Control::Command1 ? Wide(Texts::kFadeItCaption) : std::wstring();
        HWND child = CreateWindowExW(kind.exStyle, kind.type, caption.c_str(), kind.style, 0, 0, 0,
                                     0, window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                     program_.instance(), nullptr);
        controls_[Index(control)] = child;
        SetAccessibleText(child, Texts::Accessible(control).name,
                          Texts::Accessible(control).description);
        if (RowOfBar(control)) {
            SCROLLINFO range{};
            range.cbSize = sizeof(range);
            range.fMask = SIF_RANGE | SIF_POS | SIF_PAGE;
            range.nMin = kChannelBarMinimum;
            range.nMax = kChannelBarMaximum;
            range.nPos = kChannelBarMinimum;
            SetScrollInfo(child, SB_CTL, &range, FALSE);
        } else if (control == Form30Control::Text1 || control == Form30Control::Text2) {
            // As long a text as memory takes; the fader says when it is too long.
            SendMessageW(child, EM_SETLIMITTEXT, 0x7FFFFFFE, 0);
        }
    };
    for (Form30Control control : kTabOrder) {
        make(control);
    }
    for (std::size_t row = 0; row < kRows.size(); ++row) {
        make(kRows[row].swatch);
        ShowSwatchColor(row, core_.SwatchColor(row));
    }
    lastFocus_ = controls_[Index(kTabOrder.front())];
    SetFocus(lastFocus_);
}

void Form30Window::Lay(UINT dpi, const RECT* suggested) {
    dpi_ = dpi;
    RECT frame = Pixels({0, 0, kWindow.width, kWindow.height}, dpi);
    AdjustWindowRectExForDpi(&frame, kStyle, FALSE, kExStyle, dpi);
    RECT place{};
    GetWindowRect(window_, &place);
    if (suggested != nullptr) {
        place = *suggested;
    } else {
        // The client area's corner where the layout says, the whole frame on
        // the screen.
        const int clientLeft = TwipsToPixels(kWindow.left, static_cast<int>(dpi));
        const int clientTop = TwipsToPixels(kWindow.top, static_cast<int>(dpi));
        MONITORINFO monitor{};
        monitor.cbSize = sizeof(monitor);
        GetMonitorInfoW(MonitorFromWindow(window_, MONITOR_DEFAULTTOPRIMARY), &monitor);
        const Rect fitted = FitOnScreen({clientLeft + frame.left, clientTop + frame.top,
                                         frame.right - frame.left, frame.bottom - frame.top},
                                        FromRect(monitor.rcWork));
        place = {fitted.left, fitted.top, fitted.right(), fitted.bottom()};
    }
    SetWindowPos(window_, nullptr, place.left, place.top, frame.right - frame.left,
                 frame.bottom - frame.top, SWP_NOZORDER | SWP_NOACTIVATE);

    for (const ControlLayout& control : kControls) {
        const RECT where = Pixels(control.twips, dpi);
        if (control.control == Form30Control::Picture1 && picture_ != nullptr) {
            picture_->Place(where, dpi);
        } else if (HWND child = controls_[Index(control.control)]; child != nullptr) {
            MoveWindow(child, where.left, where.top, where.right - where.left,
                       where.bottom - where.top, TRUE);
        }
    }
    HFONT old = font_;
    font_ = CreateGuiFont(dpi);
    SetFontOfChildren(window_, font_);
    if (old != nullptr) {
        DeleteObject(old);
    }
    InvalidateRect(window_, nullptr, TRUE);
}

// The artwork at the client origin, unscaled at 96 DPI and in proportion at
// any other, so that its glyphs stay under the hotspots.
void Form30Window::Paint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window_, &paint);
    if (HBITMAP artwork = program_.artwork(); artwork != nullptr) {
        HDC source = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(source, artwork);
        const int width = MulDiv(kArtworkSize.width, static_cast<int>(dpi_), 96);
        const int height = MulDiv(kArtworkSize.height, static_cast<int>(dpi_), 96);
        if (width == kArtworkSize.width) {
            BitBlt(dc, 0, 0, width, height, source, 0, 0, SRCCOPY);
        } else {
            SetStretchBltMode(dc, HALFTONE);
            StretchBlt(dc, 0, 0, width, height, source, 0, 0, kArtworkSize.width,
                       kArtworkSize.height, SRCCOPY);
        }
        SelectObject(source, old);
        DeleteDC(source);
    }
    EndPaint(window_, &paint);
}

// The value changes on an arrow or track click, a key, or when a dragged
// thumb is let go; not while the thumb is dragged.
void Form30Window::Scroll(HWND bar, int request) {
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_POS | SIF_TRACKPOS;
    GetScrollInfo(bar, SB_CTL, &info);
    int value = info.nPos;
    switch (request) {
    case SB_LINELEFT:
        value = MoveChannelBar(value, BarRequest::StepBack);
        break;
    case SB_LINERIGHT:
        value = MoveChannelBar(value, BarRequest::StepForward);
        break;
    case SB_PAGELEFT:
        value = MoveChannelBar(value, BarRequest::PageBack);
        break;
    case SB_PAGERIGHT:
        value = MoveChannelBar(value, BarRequest::PageForward);
        break;
    case SB_LEFT:
        value = MoveChannelBar(value, BarRequest::ToMinimum);
        break;
    case SB_RIGHT:
        value = MoveChannelBar(value, BarRequest::ToMaximum);
        break;
    case SB_THUMBPOSITION:
        value = ClampChannelBar(info.nTrackPos);
        break;
    default: // SB_THUMBTRACK, SB_ENDSCROLL
        return;
    }
    if (value == info.nPos) {
        return;
    }
    SetScrollPos(bar, SB_CTL, value, TRUE);
    const auto place = RowOfBar(static_cast<Form30Control>(GetDlgCtrlID(bar) - kForm30ControlBase));
    if (place) {
        core_.Bar_Change(place->first);
    }
}

void Form30Window::Command(int id, int notification) {
    if (id == ControlId(Form30Control::Command1) && notification == BN_CLICKED) {
        core_.Command1_Click();
    } else if (id == MenuId(Texts::MenuItem::about)) {
        core_.Menu_Click(Texts::MenuItem::about);
    } else if (id == MenuId(Texts::MenuItem::exit)) {
        core_.Menu_Click(Texts::MenuItem::exit);
    }
}

LRESULT Form30Window::SwatchBrush(HWND control, HDC dc) {
    for (std::size_t row = 0; row < kRows.size(); ++row) {
        if (controls_[Index(kRows[row].swatch)] == control) {
            SetBkColor(dc, GetSysColor(COLOR_WINDOW));
            return reinterpret_cast<LRESULT>(swatchBrushes_[row]);
        }
    }
    return -1;
}

int Form30Window::HotspotAt(POINT point) const {
    for (Form30Control hotspot : {Form30Control::Label1, Form30Control::Label2}) {
        const RECT area = Pixels(kControls[Index(hotspot)].twips, dpi_);
        if (PtInRect(&area, point)) {
            return static_cast<int>(Index(hotspot));
        }
    }
    return -1;
}

LRESULT Form30Window::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        Paint();
        return 0;
    case WM_HSCROLL:
        if (lParam != 0) {
            Scroll(reinterpret_cast<HWND>(lParam), LOWORD(wParam));
        }
        return 0;
    case WM_COMMAND:
        Command(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_CTLCOLORSTATIC:
        if (LRESULT brush =
                SwatchBrush(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam));
            brush != -1) {
            return brush;
        }
        break;
    case WM_LBUTTONDOWN:
        pressedHotspot_ = HotspotAt({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        if (pressedHotspot_ != -1) {
            SetCapture(window_);
        }
        return 0;
    case WM_LBUTTONUP: {
        const int pressed = pressedHotspot_;
        pressedHotspot_ = -1;
        if (GetCapture() == window_) {
            ReleaseCapture();
        }
        if (pressed != -1 && HotspotAt({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}) == pressed) {
            if (pressed == static_cast<int>(Index(Form30Control::Label1))) {
                core_.Label1_Click();
            } else {
                core_.Label2_Click();
            }
        }
        return 0;
    }
    case WM_ACTIVATE:
        // Back to the control that had the focus when the window was left.
        if (LOWORD(wParam) == WA_INACTIVE) {
            if (HWND focus = GetFocus(); focus != nullptr && IsChild(window_, focus)) {
                lastFocus_ = focus;
            }
        } else if (lastFocus_ != nullptr) {
            SetFocus(lastFocus_);
        }
        return 0;
    case WM_DPICHANGED:
        Lay(HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_DESTROY:
        tray_.Remove();
        core_.Form_Unload();
        return 0;
    case TrayIcon::kMessage:
        if (const auto event = TrayIcon::EventOf(lParam)) {
            core_.TrayIcon_Event(*event);
        }
        return 0;
    default:
        if (tray_.Readd(message)) {
            return 0;
        }
        break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

// Form30View

std::u16string Form30Window::InputText() {
    return WindowText(controls_[Index(Form30Control::Text1)]);
}

std::u16string Form30Window::OutputText() {
    return WindowText(controls_[Index(Form30Control::Text2)]);
}

void Form30Window::SetOutputText(std::u16string_view text) {
    SetWindowTextW(controls_[Index(Form30Control::Text2)], Wide(text).c_str());
}

int Form30Window::BarValue(std::size_t row, std::size_t channel) {
    return GetScrollPos(controls_[Index(kRows[row].bars[channel])], SB_CTL);
}

void Form30Window::ShowSwatchColor(std::size_t row, VexoFade::RgbColor color) {
    swatchColors_[row] = color;
    HBRUSH old = swatchBrushes_[row];
    swatchBrushes_[row] =
        CreateSolidBrush(IsSystemColorReference(color) ? GetSysColor(SystemColorIndex(color))
                                                       : static_cast<COLORREF>(color));
    if (old != nullptr) {
        DeleteObject(old);
    }
    InvalidateRect(controls_[Index(kRows[row].swatch)], nullptr, TRUE);
}

VexoFade::DrawingSurface& Form30Window::PreviewSurface() {
    return picture_->surface();
}

void Form30Window::PreviewDrawn() {
    picture_->Refresh();
}

bool Form30Window::Yield() {
    const std::shared_ptr<bool> alive = alive_;
    program_.Pump();
    return *alive;
}

void Form30Window::ReportFailure(std::u16string_view step, std::u16string_view reason) {
    std::u16string text(step);
    text += u"\n\n";
    text += reason;
    MessageBoxW(nullptr, Wide(text).c_str(), Wide(Texts::kAppTitle).c_str(),
                MB_OK | MB_ICONWARNING | MB_TASKMODAL);
}

void Form30Window::Show() {
    ShowWindow(window_, SW_SHOW);
}

void Form30Window::Repaint() {
    RedrawWindow(window_, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void Form30Window::AddTrayIcon() {
    tray_.Add(window_, program_.smallIcon());
}

void Form30Window::Minimize() {
    ShowWindow(window_, SW_MINIMIZE);
}

void Form30Window::Restore() {
    if (IsIconic(window_)) {
        ShowWindow(window_, SW_RESTORE);
    }
}

void Form30Window::BringToFront() {
    SetForegroundWindow(window_);
}

void Form30Window::Close() {
    DestroyWindow(window_);
}

// mnuFile at the pointer. The window comes to the front first, so that the
// menu gets the keys and closes when the user clicks elsewhere.
void Form30Window::PopUpMenu() {
    HMENU menu = CreatePopupMenu();
    for (const Texts::MenuEntry& entry : Texts::kMenu) {
        if (entry.text.empty()) {
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        } else {
            AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(MenuId(entry.item)),
                        Wide(entry.text).c_str());
        }
    }
    POINT pointer{};
    GetCursorPos(&pointer);
    SetForegroundWindow(window_);
    // The chosen entry is handled from the event loop, once the handler that
    // popped the menu up has ended (Exit takes the window away).
    const BOOL chosen =
        TrackPopupMenu(menu, TPM_RETURNCMD, pointer.x, pointer.y, 0, window_, nullptr);
    DestroyMenu(menu);
    if (chosen != 0) {
        PostMessageW(window_, WM_COMMAND, static_cast<WPARAM>(chosen), 0);
    }
    PostMessageW(window_, WM_NULL, 0, 0);
}

// A tool window has no taskbar button unless it asks for one.
void Form30Window::ShowOnTaskbar(bool shown) {
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_EXSTYLE));
    const DWORD wanted = shown ? (style | WS_EX_APPWINDOW) : (style & ~DWORD{WS_EX_APPWINDOW});
    if (wanted != style) {
        SetWindowLongPtrW(window_, GWL_EXSTYLE, static_cast<LONG_PTR>(wanted));
    }
}

void Form30Window::ShowAbout() {
    program_.about().Show([this]() -> Form1View* { return Form1Window::Open(program_); });
}

} // namespace Chromell::Win32
