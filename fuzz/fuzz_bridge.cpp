// Random desktops in the in-memory window tree: delivering to the messenger
// must not crash, and no text and no click may reach any window other than
// the entry box and send button that the searches designate.
#include "bridge/messenger.h"
#include "bridge/testing/window_tree.h"
#include "fuzz/fuzz_input.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace {

using Module1::Hwnd;

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
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

// The same desktop, kept by this harness: each window's siblings, topmost first.
struct Desktop {
    std::map<Hwnd, std::vector<Hwnd>> children; // 0: the top-level windows
    std::map<Hwnd, std::string> classes;

    Hwnd First(Hwnd parent, Hwnd after, const std::string& className) const {
        const auto it = children.find(parent);
        if (it == children.end()) {
            return 0;
        }
        const auto& list = it->second;
        auto from = list.begin();
        if (after != 0) {
            from = std::find(list.begin(), list.end(), after);
            if (from == list.end()) {
                return 0;
            }
            ++from;
        }
        for (; from != list.end(); ++from) {
            if (SameClass(classes.at(*from), className)) {
                return *from;
            }
        }
        return 0;
    }

    Hwnd Next(Hwnd window) const {
        if (window == 0) {
            return 0;
        }
        for (const auto& [parent, list] : children) {
            const auto at = std::find(list.begin(), list.end(), window);
            if (at != list.end()) {
                return at + 1 == list.end() ? 0 : *(at + 1);
            }
        }
        return 0;
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ChromellFuzz::FuzzInput input(data, size);
    Module1::WindowTree tree;
    Desktop desktop;
    desktop.children[0];
    std::vector<Hwnd> windows;

    const std::size_t count = input.Byte() % 24;
    for (std::size_t k = 0; k < count; ++k) {
        const std::uint8_t parentPick = input.Byte();
        const std::string className = kClasses[input.Byte() % std::size(kClasses)];
        const Hwnd parent =
            windows.empty() || parentPick % 3 == 0 ? 0 : windows[parentPick % windows.size()];
        const Hwnd window = tree.AddWindow(className, parent, "old");
        desktop.classes[window] = className;
        desktop.children[window];
        auto& siblings = desktop.children[parent];
        // A new top-level window comes on top; children stack first-made on top.
        if (parent == 0) {
            siblings.insert(siblings.begin(), window);
        } else {
            siblings.push_back(window);
        }
        windows.push_back(window);
    }
    const std::uint8_t mode = input.Byte();
    const std::u16string text = (mode & 2) ? std::u16string() : input.Units(input.Byte() % 40);
    // WM_SETTEXT carries a NUL-terminated text: a NUL in it ends what arrives.
    std::string ansi = tree.ToAnsi(text);
    ansi.resize(std::min(ansi.size(), ansi.find('\0')));

    Hwnd entry = 0;
    Hwnd button = 0;
    if (mode & 1) {
        const Hwnd chat = desktop.First(0, 0, "AIM_ChatWnd");
        entry = desktop.First(chat, desktop.First(chat, 0, "WndAte32Class"), "WndAte32Class");
        button = desktop.First(chat, entry, "_Oscar_IconBtn");
        Quillbas::SendToChat(tree, text);
    } else {
        const Hwnd im = desktop.First(0, 0, "AIM_IMessage");
        entry = desktop.Next(desktop.First(im, 0, "WndAte32Class"));
        button = desktop.First(im, 0, "_Oscar_IconBtn");
        Quillbas::SendToIm(tree, text);
    }

    for (const Hwnd window : windows) {
        for (const auto& delivery : tree.DeliveriesTo(window)) {
            if (delivery.message == Module1::kWmSetText) {
                Check(window == entry);
            } else {
                Check(window == button);
                Check(delivery.message == Module1::kWmLButtonDown ||
                      delivery.message == Module1::kWmLButtonUp);
            }
        }
        const bool textSet = (mode & 1) || !text.empty();
        Check(tree.TextOf(window) == (window == entry && textSet ? ansi : "old"));
    }
    if (button != 0) {
        const auto& clicks = tree.DeliveriesTo(button);
        const std::size_t first = clicks.size() >= 2 ? clicks.size() - 2 : 0;
        Check(clicks.size() >= 2 && clicks[first].message == Module1::kWmLButtonDown &&
              clicks[first + 1].message == Module1::kWmLButtonUp);
    }
    return 0;
}
