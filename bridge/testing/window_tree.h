#pragma once

#include "bridge/window_service.h"

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace Module1 {

// How WindowTree writes each call into its log, for building expected logs:
// e.g. `FindWindowExA(256, 0, "Edit") -> 260`, `SendMessageA(262, WM_SETTEXT, 0, "hi")`,
// `PostMessageA(264, WM_LBUTTONDOWN, 0, 0)`, `Sleep(100)`, `DoEvents()`.
namespace Call {
std::string FindWindowA(const std::string& className, Hwnd found);
std::string FindWindowExA(Hwnd parent, Hwnd childAfter, const std::string& className, Hwnd found);
std::string NextWindow(Hwnd window, Hwnd found); // GetWindow with GW_HWNDNEXT
std::string SetText(Hwnd window, const std::string& text);
std::string Send(Hwnd window, Message message, WParam wParam = 0, LParam lParam = 0);
std::string Post(Hwnd window, Message message, WParam wParam = 0, LParam lParam = 0);
std::string Sleep(std::int32_t milliseconds);
std::string DoEvents();
} // namespace Call

// An in-memory desktop that answers as Windows does: windows with a class, a
// parent, a z-order among their siblings and a text. Class names compare
// without regard to case (Windows-1252 letters); searches look among the
// direct children of one window, or among the top-level windows for a parent
// of 0; a message to window 0 or to a window that is gone reaches nobody.
// Every call is logged in order, and Sleep advances a clock instead of
// blocking.
class WindowTree final : public WindowService {
public:
    // A message that reached a window.
    struct Delivery {
        bool posted = false;
        Message message = 0;
        std::int64_t at = 0; // the clock, in ms
    };

    // Creates a window. A top-level window (parent 0) comes on top of the
    // others, as a newly shown one does; a child goes below its existing
    // siblings, so children made one after another stack first-made on top.
    Hwnd AddWindow(const std::string& className, Hwnd parent = kNoWindow, std::string text = {});
    // Destroys the window and its children; their handles then reach nobody.
    void RemoveWindow(Hwnd window);
    // Brings the window to the top of its siblings.
    void RaiseToTop(Hwnd window);
    // A hung messenger: from now on every message sent to a window raises
    // NotAnswering and is not handled; posted messages are still queued.
    void Hang() { hung_ = true; }

    const std::string& ClassOf(Hwnd window) const { return Get(window).className; }
    // The children of `parent` (0: the top-level windows), topmost first.
    const std::vector<Hwnd>& ChildrenOf(Hwnd parent) const;
    const std::string& TextOf(Hwnd window) const { return Get(window).text; }
    const std::vector<Delivery>& DeliveriesTo(Hwnd window) const { return Get(window).deliveries; }
    const std::vector<std::string>& Calls() const { return calls_; }
    std::int64_t Now() const { return now_; }

    // Runs after each call has been logged, before the call returns. It may
    // change the tree, or throw to make the call fail.
    void SetCallHook(std::function<void(const std::string&)> hook) { hook_ = std::move(hook); }

    Hwnd FindWindowA(const std::string& className) override;
    Hwnd FindWindowExA(Hwnd parent, Hwnd childAfter, const std::string& className) override;
    // Knows GW_HWNDNEXT only, the one command the bridge uses.
    Hwnd GetWindow(Hwnd window, std::int32_t command) override;
    LResult SendMessageA(Hwnd window, Message message, WParam wParam, LParam lParam) override;
    std::int32_t PostMessageA(Hwnd window, Message message, WParam wParam, LParam lParam) override;
    void Sleep(std::int32_t milliseconds) override;
    void DoEvents() override;
    // Windows-1252; not logged, as it is no window call.
    std::string ToAnsi(std::u16string_view text) override;

private:
    struct Node {
        std::string className;
        Hwnd parent = kNoWindow;
        std::vector<Hwnd> children; // topmost first
        std::string text;
        std::vector<Delivery> deliveries;
    };

    Hwnd Search(Hwnd parent, Hwnd childAfter, const std::string& className) const;
    const Node& Get(Hwnd window) const;
    void Log(std::string call);

    std::map<Hwnd, Node> nodes_;
    std::vector<Hwnd> topLevel_; // topmost first
    Hwnd nextHandle_ = 0x100;
    std::vector<std::string> calls_;
    std::int64_t now_ = 0;
    bool hung_ = false;
    std::function<void(const std::string&)> hook_;
};

} // namespace Module1
