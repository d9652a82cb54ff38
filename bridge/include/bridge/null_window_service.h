#pragma once

#include "bridge/window_service.h"

namespace Module1 {

// The window service of a system without the messenger: every search finds
// nothing and every message reaches no window. Pauses do block, and texts are
// converted to Windows-1252, so callers behave as with a closed messenger.
class NullWindowService final : public WindowService {
public:
    explicit NullWindowService(EventPump pump = {});

    Hwnd FindWindowA(const std::string& className) override;
    Hwnd FindWindowExA(Hwnd parent, Hwnd childAfter, const std::string& className) override;
    Hwnd GetWindow(Hwnd window, std::int32_t command) override;
    LResult SendMessageA(Hwnd window, Message message, WParam wParam, LParam lParam) override;
    std::int32_t PostMessageA(Hwnd window, Message message, WParam wParam, LParam lParam) override;
    void Sleep(std::int32_t milliseconds) override;
    void DoEvents() override;
    std::string ToAnsi(std::u16string_view text) override;

private:
    EventPump pump_;
};

} // namespace Module1
