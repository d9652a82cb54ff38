#include "bridge/null_window_service.h"

#include "bridge/ansi_text.h"

#include <chrono>
#include <thread>
#include <utility>

namespace Module1 {

NullWindowService::NullWindowService(EventPump pump) : pump_(std::move(pump)) {}

Hwnd NullWindowService::FindWindowA(const std::string&) {
    return kNoWindow;
}

Hwnd NullWindowService::FindWindowExA(Hwnd, Hwnd, const std::string&) {
    return kNoWindow;
}

Hwnd NullWindowService::GetWindow(Hwnd, std::int32_t) {
    return kNoWindow;
}

LResult NullWindowService::SendMessageA(Hwnd, Message, WParam, LParam) {
    return 0;
}

std::int32_t NullWindowService::PostMessageA(Hwnd, Message, WParam, LParam) {
    return 0;
}

void NullWindowService::Sleep(std::int32_t milliseconds) {
    if (milliseconds > 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
    }
}

void NullWindowService::DoEvents() {
    if (pump_) {
        pump_();
    }
}

std::string NullWindowService::ToAnsi(std::u16string_view text) {
    return EncodeWindows1252(text);
}

} // namespace Module1
