// Random desktops in the in-memory window tree, grown around the messenger's
// own windows or from nothing: delivering to the messenger must not crash,
// and no text and no click may reach any window other than the entry box and
// send button that the searches designate.
#include "bridge/messenger.h"
#include "bridge/testing/window_tree.h"
#include "tests/bridge/messenger_layouts.h"

#include <algorithm>
#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>
#include <span>
#include <string>
#include <vector>

namespace {

using Module1::Hwnd;
using Module1::WindowTree;

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// The classes the messenger's windows have, in mixed case now and then, and
// a few others.
const char* const kClasses[] = {"AIM_IMessage", "AIM_ChatWnd",   "_Oscar_PersistantCombo",
                                "Edit",         "WndAte32Class", "_Oscar_IconBtn",
                                "aim_imessage", "WNDATE32CLASS", "_oscar_iconbtn",
                                "Static",       "Button",        "AIM_ChatWndX"};

bool SameClass(const std::string& a, const std::string& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

// The searches done afresh on the tree's layout, independently of the tree's
// own search.
Hwnd First(const WindowTree& tree, Hwnd parent, Hwnd after, const std::string& className) {
    const auto& children = tree.ChildrenOf(parent);
    auto from = after == 0 ? children.begin() : std::find(children.begin(), children.end(), after);
    if (after != 0 && from != children.end()) {
        ++from;
    }
    const auto match = std::find_if(from, children.end(), [&](Hwnd window) {
        return SameClass(tree.ClassOf(window), className);
    });
    return match == children.end() ? 0 : *match;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    WindowTree tree;
    // Start from the messenger's own windows now and then: the IM window is
    // its first seven rows, the chat window the rest.
    const std::span<const MessengerLayouts::Row> messenger(MessengerLayouts::kMessenger);
    if (input.ConsumeBool()) {
        tree.AddWindows(messenger.first(7));
    }
    if (input.ConsumeBool()) {
        tree.AddWindows(messenger.subspan(7));
    }
    // Every window so far, parents before their children.
    std::vector<Hwnd> windows;
    for (std::size_t k = 0; k <= windows.size(); ++k) {
        const auto& children = tree.ChildrenOf(k == 0 ? 0 : windows[k - 1]);
        windows.insert(windows.end(), children.begin(), children.end());
    }
    const std::size_t count = input.ConsumeIntegralInRange<std::size_t>(0, 23);
    for (std::size_t k = 0; k < count; ++k) {
        const bool topLevel = windows.empty() || input.ConsumeIntegralInRange(0, 2) == 0;
        const Hwnd parent =
            topLevel ? 0
                     : windows[input.ConsumeIntegralInRange<std::size_t>(0, windows.size() - 1)];
        const std::string className = input.PickValueInArray(kClasses);
        windows.push_back(tree.AddWindow(className, parent, "old"));
    }
    const bool chat = input.ConsumeBool();
    const bool empty = input.ConsumeBool();
    std::u16string text;
    for (std::size_t n = empty ? 0 : input.ConsumeIntegralInRange<std::size_t>(0, 40); n > 0; --n) {
        text.push_back(input.ConsumeIntegral<char16_t>());
    }
    std::vector<std::string> before;
    for (const Hwnd window : windows) {
        before.push_back(tree.TextOf(window));
    }
    // WM_SETTEXT carries a NUL-terminated text: a NUL in it ends what arrives.
    std::string ansi = tree.ToAnsi(text);
    ansi.resize(std::min(ansi.size(), ansi.find('\0')));

    Hwnd entry = 0;
    Hwnd button = 0;
    if (chat) {
        const Hwnd window = First(tree, 0, 0, "AIM_ChatWnd");
        entry = First(tree, window, First(tree, window, 0, "WndAte32Class"), "WndAte32Class");
        button = First(tree, window, entry, "_Oscar_IconBtn");
        Quillbas::SendToChat(tree, text);
    } else {
        const Hwnd window = First(tree, 0, 0, "AIM_IMessage");
        const Hwnd view = First(tree, window, 0, "WndAte32Class");
        if (view != 0) {
            const auto& siblings = tree.ChildrenOf(window);
            const auto at = std::find(siblings.begin(), siblings.end(), view);
            entry = at + 1 == siblings.end() ? 0 : at[1];
        }
        button = First(tree, window, 0, "_Oscar_IconBtn");
        Quillbas::SendToIm(tree, text);
    }

    for (std::size_t k = 0; k < windows.size(); ++k) {
        const Hwnd window = windows[k];
        for (const auto& delivery : tree.DeliveriesTo(window)) {
            Check(delivery.message == Module1::kWmSetText ? window == entry : window == button);
        }
        const bool textSet = window == entry && (chat || !text.empty());
        Check(tree.TextOf(window) == (textSet ? ansi : before[k]));
    }
    if (button != 0) { // pressed once, whatever else it got (it may be the entry box, too)
        std::vector<Module1::Message> clicks;
        for (const auto& delivery : tree.DeliveriesTo(button)) {
            if (delivery.message != Module1::kWmSetText) {
                clicks.push_back(delivery.message);
            }
        }
        Check(clicks == std::vector{Module1::kWmLButtonDown, Module1::kWmLButtonUp});
    }
    return 0;
}
