// A stand-in for the messenger, for end-to-end tests of chromell-send under
// Wine or Windows. It opens an IM window and a chat window with the window
// classes and child layout the bridge expects, plus decoy windows that must
// never be touched, and logs every WM_SETTEXT and mouse message any of its
// windows receives.
//
//   stand_in_messenger LOG STOP [--no-messenger]
//
// LOG gets one line per event (see LogEvent); "ready" once the windows are
// up. The program ends when the file STOP exists, or after two minutes.
// With --no-messenger only the decoys are opened.

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <cstdio>
#include <map>
#include <string>
#include <windows.h>

namespace {

std::FILE* logFile = nullptr;
const char* stopPath = nullptr;
std::map<HWND, std::string> names;
WNDPROC systemEditProc = nullptr;
const MSG* dispatching = nullptr; // the posted message being dispatched, if any
LARGE_INTEGER startCount;
LARGE_INTEGER countsPerSecond;

constexpr UINT kStopPollMilliseconds = 50;
constexpr DWORD kLifetimeMilliseconds = 120000;

double MillisecondsSinceStart() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart - startCount.QuadPart) /
           static_cast<double>(countsPerSecond.QuadPart);
}

const char* MessageName(UINT message) {
    switch (message) {
    case WM_SETTEXT:
        return "WM_SETTEXT";
    case WM_MOUSEMOVE:
        return "WM_MOUSEMOVE";
    case WM_LBUTTONDOWN:
        return "WM_LBUTTONDOWN";
    case WM_LBUTTONUP:
        return "WM_LBUTTONUP";
    case WM_LBUTTONDBLCLK:
        return "WM_LBUTTONDBLCLK";
    case WM_RBUTTONDOWN:
        return "WM_RBUTTONDOWN";
    case WM_RBUTTONUP:
        return "WM_RBUTTONUP";
    default:
        return nullptr;
    }
}

bool IsLogged(UINT message) {
    return message == WM_SETTEXT || (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
           (message >= WM_NCMOUSEMOVE && message <= WM_NCXBUTTONDBLCLK);
}

// One line per message:
//   event NAME MESSAGE HOW RECEIVED_MS POSTED_MS WPARAM LPARAM TEXT
// HOW is "posted", "sent" (by another thread) or "own" (sent by this thread);
// POSTED_MS is the message time of a posted message, else -1; TEXT is the hex
// of WM_SETTEXT's 8-bit text ("-" when empty or not WM_SETTEXT).
void LogEvent(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto name = names.find(window);
    const bool posted =
        dispatching != nullptr && dispatching->hwnd == window && dispatching->message == message;
    const char* how = posted ? "posted" : (InSendMessage() ? "sent" : "own");
    std::string text = "-";
    if (message == WM_SETTEXT && lParam != 0) {
        const auto* bytes = reinterpret_cast<const unsigned char*>(lParam);
        if (*bytes != 0) {
            text.clear();
        }
        for (; *bytes != 0; ++bytes) {
            char hex[3];
            std::snprintf(hex, sizeof hex, "%02x", *bytes);
            text += hex;
        }
    }
    char messageHex[16];
    std::snprintf(messageHex, sizeof messageHex, "0x%04X", message);
    const char* messageName = MessageName(message);
    std::fprintf(logFile, "event %s %s %s %.3f %ld %llu %lld %s\n",
                 name == names.end() ? "unknown" : name->second.c_str(),
                 messageName != nullptr ? messageName : messageHex, how, MillisecondsSinceStart(),
                 posted ? static_cast<long>(GetMessageTime()) : -1L,
                 static_cast<unsigned long long>(wParam), static_cast<long long>(lParam),
                 text.c_str());
    std::fflush(logFile);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (IsLogged(message)) {
        LogEvent(window, message, wParam, lParam);
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK EditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (IsLogged(message)) {
        LogEvent(window, message, wParam, lParam);
    }
    return CallWindowProcA(systemEditProc, window, message, wParam, lParam);
}

struct Layout {
    const char* className;
    const char* name;
    const char* parent; // nullptr: a top-level window
};

// Children are listed in the order they are made, which is also their
// z-order: the first made is on top.
constexpr Layout kDecoys[] = {
    // Top-level windows of other classes whose children have the searched
    // classes: a search among top-level windows must not reach them.
    {"StandIn_Frame", "frame", nullptr},
    {"WndAte32Class", "frame.view", "frame"},
    {"_Oscar_IconBtn", "frame.button", "frame"},
};

constexpr Layout kMessenger[] = {
    {"AIM_IMessage", "im", nullptr},           {"_Oscar_PersistantCombo", "im.combo", "im"},
    {"EDIT", "im.combo.edit", "im.combo"}, // the system's edit control
    {"WndAte32Class", "im.view", "im"},        {"WndAte32Class", "im.entry", "im"},
    {"_Oscar_IconBtn", "im.send", "im"},       {"_Oscar_IconBtn", "im.other", "im"},
    {"AIM_ChatWnd", "chat", nullptr},          {"WndAte32Class", "chat.view", "chat"},
    {"_Oscar_IconBtn", "chat.format", "chat"}, // a button before the entry box
    {"WndAte32Class", "chat.entry", "chat"},   {"StandIn_Label", "chat.label", "chat"},
    {"_Oscar_IconBtn", "chat.send", "chat"},   {"_Oscar_IconBtn", "chat.other", "chat"},
};

HWND FindByName(const char* name) {
    for (const auto& [window, windowName] : names) {
        if (windowName == name) {
            return window;
        }
    }
    return nullptr;
}

bool Create(const Layout& item) {
    const HWND parent = item.parent != nullptr ? FindByName(item.parent) : nullptr;
    const DWORD style =
        parent != nullptr ? WS_CHILD | WS_VISIBLE : WS_OVERLAPPEDWINDOW | WS_VISIBLE;
    const HWND window = CreateWindowExA(0, item.className, item.name, style, 10, 10, 200, 100,
                                        parent, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (window == nullptr) {
        std::fprintf(stderr, "stand-in: could not create %s (error %lu)\n", item.name,
                     GetLastError());
        return false;
    }
    names[window] = item.name;
    if (std::string(item.className) == "EDIT") {
        systemEditProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&EditProc)));
    }
    return true;
}

// Writes "layout PARENT: CHILD CHILD..." in z-order, topmost first, so the
// test can see that the windows stack as intended.
void LogLayout(const char* parentName) {
    std::string line = std::string("layout ") + parentName + ":";
    for (HWND child = GetWindow(FindByName(parentName), GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        const auto name = names.find(child);
        line += " " + (name == names.end() ? std::string("unknown") : name->second);
    }
    std::fprintf(logFile, "%s\n", line.c_str());
}

bool RegisterClasses() {
    for (const char* className :
         {"AIM_IMessage", "AIM_ChatWnd", "_Oscar_PersistantCombo", "WndAte32Class",
          "_Oscar_IconBtn", "StandIn_Frame", "StandIn_Label"}) {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = &WindowProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        windowClass.lpszClassName = className;
        if (RegisterClassA(&windowClass) == 0) {
            std::fprintf(stderr, "stand-in: could not register %s\n", className);
            return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3 || argc > 4 || (argc == 4 && std::string(argv[3]) != "--no-messenger")) {
        std::fprintf(stderr, "usage: stand_in_messenger LOG STOP [--no-messenger]\n");
        return 2;
    }
    QueryPerformanceFrequency(&countsPerSecond);
    QueryPerformanceCounter(&startCount);
    const DWORD startTick = GetTickCount();
    logFile = std::fopen(argv[1], "wb"); // Unix line ends for the test
    if (logFile == nullptr) {
        std::fprintf(stderr, "stand-in: cannot write %s\n", argv[1]);
        return 1;
    }
    stopPath = argv[2];
    const bool messenger = argc == 3;

    if (!RegisterClasses()) {
        return 1;
    }
    for (const Layout& item : kDecoys) {
        if (!Create(item)) {
            return 1;
        }
    }
    if (messenger) {
        for (const Layout& item : kMessenger) {
            if (!Create(item)) {
                return 1;
            }
        }
        LogLayout("im");
        LogLayout("chat");
    }
    std::fprintf(logFile, "codepage %u\nready\n", GetACP());
    std::fflush(logFile);

    SetTimer(nullptr, 0, kStopPollMilliseconds, nullptr);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (message.message == WM_TIMER && message.hwnd == nullptr) {
            if (GetFileAttributesA(stopPath) != INVALID_FILE_ATTRIBUTES ||
                GetTickCount() - startTick > kLifetimeMilliseconds) {
                break;
            }
            continue;
        }
        TranslateMessage(&message);
        dispatching = &message;
        DispatchMessageA(&message);
        dispatching = nullptr;
    }
    std::fprintf(logFile, "exit\n");
    std::fclose(logFile);
    return 0;
}
