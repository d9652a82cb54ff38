#include "bridge/messenger.h"

#include "bridge/window_input.h"

#include <string>

namespace Quillbas {
namespace {

using Module1::Hwnd;
using Module1::WindowService;

// The messenger's window classes.
constexpr std::u16string_view kImWindow = u"AIM_IMessage";
constexpr std::u16string_view kScreenNameCombo = u"_Oscar_PersistantCombo";
constexpr std::u16string_view kComboEdit = u"Edit";
constexpr std::u16string_view kTextView = u"WndAte32Class";
constexpr std::u16string_view kIconButton = u"_Oscar_IconBtn";
constexpr std::u16string_view kChatWindow = u"AIM_ChatWnd";

// How many passes the IM path waits for its window at most.
constexpr int kWaitPasses = 10;

Hwnd FindTopLevel(WindowService& windows, std::u16string_view className) {
    return windows.FindWindowA(windows.ToAnsi(className));
}

Hwnd FindChild(WindowService& windows, Hwnd parent, Hwnd childAfter,
               std::u16string_view className) {
    return windows.FindWindowExA(parent, childAfter, windows.ToAnsi(className));
}

// Runs one step of SendToIm. A failing step is passed over, whatever it
// throws; the caller goes on with the next one.
template <typename Step> void Attempt(Step&& step) {
    try {
        step();
    } catch (...) {
    }
}

} // namespace

void SendToIm(WindowService& windows, std::u16string_view text) {
    Hwnd imWindow = 0;
    Hwnd combo = 0;
    Hwnd edit = 0;
    int passes = 0;
    // Give a window that is just opening the chance to appear. The handles of
    // the wait decide only when it ends.
    do {
        Attempt([&] { windows.DoEvents(); });
        ++passes;
        Attempt([&] { imWindow = FindTopLevel(windows, kImWindow); });
        Attempt([&] { combo = FindChild(windows, imWindow, 0, kScreenNameCombo); });
        Attempt([&] { edit = FindChild(windows, combo, 0, kComboEdit); });
    } while (passes < kWaitPasses && (imWindow == 0 || combo == 0 || edit == 0));

    Attempt([&] { PauseSeconds(windows, 0.001); });

    Hwnd firstView = 0;
    Hwnd entryBox = 0;
    Attempt([&] { imWindow = FindTopLevel(windows, kImWindow); });
    Attempt([&] { firstView = FindChild(windows, imWindow, 0, kTextView); });
    Attempt([&] { entryBox = windows.GetWindow(firstView, Module1::kGwHwndNext); });
    // A messenger that did not take the text would still take the posted
    // click once it wakes, and send whatever draft it holds: no click then.
    bool textAbandoned = false;
    Attempt([&] {
        try {
            PutWindowText(windows, entryBox, text);
        } catch (const Module1::NotAnswering&) {
            textAbandoned = true;
        }
    });

    if (!textAbandoned) {
        Hwnd sendButton = 0;
        Attempt([&] { imWindow = FindTopLevel(windows, kImWindow); });
        Attempt([&] { sendButton = FindChild(windows, imWindow, 0, kIconButton); });
        Attempt([&] { ClickByPost(windows, sendButton); });
    }

    Attempt([&] { PauseSeconds(windows, 0.001); });
}

void SendToChat(WindowService& windows, std::u16string_view text) {
    const Hwnd chatWindow = FindTopLevel(windows, kChatWindow);
    const Hwnd firstView = FindChild(windows, chatWindow, 0, kTextView);
    const Hwnd entryBox = FindChild(windows, chatWindow, firstView, kTextView);
    // Always sent, so an empty text empties the entry box.
    const std::string bytes = windows.ToAnsi(text);
    windows.SendMessageA(entryBox, Module1::kWmSetText, 0,
                         reinterpret_cast<Module1::LParam>(bytes.c_str()));
    const Hwnd sendButton = FindChild(windows, chatWindow, entryBox, kIconButton);
    ClickBySend(windows, sendButton);
}

} // namespace Quillbas
