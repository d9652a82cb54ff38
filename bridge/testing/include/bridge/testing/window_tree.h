#pragma once

#include "bridge/ansi_text.h"
#include "bridge/window_service.h"

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace Module1 {

// An in-memory desktop that answers as Windows does: windows with a class, a
// parent, a z-order among their siblings and a text. Class names compare
// without regard to case (Windows-1252 letters); searches look among the
// direct children of one window, or among the top-level windows for a parent
// of 0; a message to window 0 or to a window that is gone reaches nobody.
// It keeps what a user would see of the calls: each window's text, the
// clicks a window received, the pauses and the turns of the event loop. A
// hook sees each call as a line, windows by name (by number when they have
// none), e.g. `FindWindowExA(im, 0, Edit) -> im.edit`,
// `SendMessageA(im.entry, WM_SETTEXT, 0, 'hi')`, `Sleep(100)`, `DoEvents()`.
class WindowTree final : public WindowService {
public:
    struct Delivery {
        Hwnd window = kNoWindow;
        bool posted = false;
        Message message = 0;
    };

    // Creates a window named `name`, which is also its first text. A top-level
    // window comes on top of the others, as a newly shown one does; a child
    // goes below its siblings, so children stack first-made on top.
    Hwnd AddWindow(const std::string& className, Hwnd parent = kNoWindow,
                   const std::string& name = {});
    // Creates the windows of a table of rows {className, name, parent's name
    // or nullptr}, parents first; returns their handles by name.
    template <typename Rows> std::map<std::string, Hwnd> AddWindows(const Rows& rows) {
        std::map<std::string, Hwnd> made;
        for (const auto& row : rows) {
            made[row.name] =
                AddWindow(row.className, row.parent ? made.at(row.parent) : 0, row.name);
        }
        return made;
    }
    // Destroys a window that has no children; its handle then reaches nobody.
    void RemoveWindow(Hwnd window) {
        std::erase(Siblings(window), window);
        nodes_.erase(window);
    }
    void RaiseToTop(Hwnd window);
    // A hung messenger: from now on every message sent to a window raises
    // NotAnswering and is not handled; posted messages are still queued.
    void Hang() { hung_ = true; }

    const std::string& ClassOf(Hwnd window) const { return nodes_.at(window).className; }
    // The children of `parent` (0: the top-level windows), topmost first.
    const std::vector<Hwnd>& ChildrenOf(Hwnd parent) const { return nodes_.at(parent).children; }
    const std::string& TextOf(Hwnd window) const { return nodes_.at(window).text; }
    std::vector<Delivery> DeliveriesTo(Hwnd window) const;
    // The messages that reached a window, in order, e.g.
    // "im.entry sent WM_SETTEXT, im.send posted WM_LBUTTONDOWN".
    std::string Received() const;
    // The clicks a window received: a left-button press followed by its release.
    int Clicks(Hwnd window) const;
    // Whether the window's left button was pressed and not released.
    bool HeldDown(Hwnd window) const;
    // The pauses asked for, in milliseconds, in order.
    const std::vector<std::int32_t>& Sleeps() const { return sleeps_; }
    // How often the program's own event loop was asked to run.
    int EventPumps() const { return eventPumps_; }
    // Runs at each call, before the call returns, with the call as a line.
    // It may change the tree, or throw to make the call fail.
    void SetCallHook(std::function<void(const std::string&)> hook) { hook_ = std::move(hook); }

    Hwnd FindWindowA(const std::string& className) override {
        return Logged("FindWindowA(" + className + ")", Search(kNoWindow, kNoWindow, className));
    }
    Hwnd FindWindowExA(Hwnd parent, Hwnd childAfter, const std::string& className) override {
        return Logged("FindWindowExA(" + Name(parent) + ", " + Name(childAfter) + ", " + className +
                          ")",
                      Search(parent, childAfter, className));
    }
    Hwnd GetWindow(Hwnd window, std::int32_t command) override {
        return Logged("GetWindow(" + Name(window) + ", " + std::to_string(command) + ")",
                      command == kGwHwndNext ? NextSibling(window) : kNoWindow);
    }
    LResult SendMessageA(Hwnd window, Message message, WParam wParam, LParam lParam) override {
        return Deliver(window, false, message, wParam, lParam);
    }
    std::int32_t PostMessageA(Hwnd window, Message message, WParam wParam, LParam lParam) override {
        return Deliver(window, true, message, wParam, lParam);
    }
    void Sleep(std::int32_t milliseconds) override {
        Log("Sleep(" + std::to_string(milliseconds) + ")");
        sleeps_.push_back(milliseconds);
    }
    void DoEvents() override {
        ++eventPumps_; // also when the hook makes it fail
        Log("DoEvents()");
    }
    std::string ToAnsi(std::u16string_view text) override { return EncodeWindows1252(text); }

private:
    struct Node {
        std::string className;
        Hwnd parent = kNoWindow;
        std::vector<Hwnd> children; // topmost first
        std::string name;
        std::string text;
    };

    bool Exists(Hwnd window) const { return window != kNoWindow && nodes_.contains(window); }
    std::vector<Hwnd>& Siblings(Hwnd window) {
        return nodes_.at(nodes_.at(window).parent).children;
    }
    std::string Name(Hwnd window) const;
    Hwnd Search(Hwnd parent, Hwnd childAfter, const std::string& className) const;
    Hwnd NextSibling(Hwnd window);
    Hwnd Logged(const std::string& call, Hwnd found) {
        Log(call + " -> " + Name(found));
        return found;
    }
    std::int32_t Deliver(Hwnd window, bool posted, Message message, WParam wParam, LParam lParam);
    void Log(const std::string& call);

    std::map<Hwnd, Node> nodes_{{kNoWindow, Node{}}}; // 0: the desktop
    Hwnd nextHandle_ = 0x100;
    std::vector<Delivery> deliveries_;
    std::vector<std::int32_t> sleeps_;
    int eventPumps_ = 0;
    bool hung_ = false;
    std::function<void(const std::string&)> hook_;
};

} // namespace Module1
