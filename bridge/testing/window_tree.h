#pragma once

#include "bridge/window_service.h"

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <map>
#include <string>
#include <vector>

namespace Module1 {

// One call a WindowTree received, with the handle it answered for searches.
struct WindowCall {
    enum class Kind {
        DoEvents,
        FindWindowA,
        FindWindowExA,
        GetWindow,
        SendMessageA,
        PostMessageA,
        Sleep
    };

    Kind kind = Kind::DoEvents;
    Hwnd window = kNoWindow;     // the parent of FindWindowExA; the target of the others
    Hwnd childAfter = kNoWindow; // FindWindowExA
    std::string className;       // FindWindowA, FindWindowExA
    std::int32_t number = 0;     // the GetWindow command; Sleep's milliseconds
    Message message = 0;
    WParam wParam = 0;
    LParam lParam = 0;       // as passed; 0 for WM_SETTEXT, whose text is kept instead
    std::string text;        // the text WM_SETTEXT pointed to
    Hwnd result = kNoWindow; // the handle a search or GetWindow returned
    std::int64_t at = 0;     // the tree's clock, in ms, when the call was made

    // Calls are alike when they ask the same and got the same answer; the
    // time they were made is not compared.
    friend bool operator==(const WindowCall& a, const WindowCall& b);
    std::string ToString() const;
};

std::ostream& operator<<(std::ostream& out, const WindowCall& call);

// Builders of expected calls, for comparisons with WindowTree::Calls().
namespace Expect {
WindowCall DoEvents();
WindowCall FindWindowA(std::string className, Hwnd result);
WindowCall FindWindowExA(Hwnd parent, Hwnd childAfter, std::string className, Hwnd result);
WindowCall GetNextWindow(Hwnd window, Hwnd result);
WindowCall SetText(Hwnd window, std::string text);
WindowCall Send(Hwnd window, Message message);
WindowCall Post(Hwnd window, Message message);
WindowCall Sleep(std::int32_t milliseconds);
} // namespace Expect

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
        WParam wParam = 0;
        LParam lParam = 0;
        std::int64_t at = 0;
    };

    // Creates a window. A top-level window (parent 0) comes on top of the
    // others, as a newly shown one does; a child goes below its existing
    // siblings, so children made one after another stack first-made on top.
    Hwnd AddWindow(const std::string& className, Hwnd parent = kNoWindow, std::string text = {});
    // Destroys the window and its children; their handles then reach nobody.
    void RemoveWindow(Hwnd window);
    // Brings the window to the top of its siblings.
    void RaiseToTop(Hwnd window);

    const std::string& TextOf(Hwnd window) const;
    const std::vector<Delivery>& DeliveriesTo(Hwnd window) const;
    const std::vector<WindowCall>& Calls() const { return calls_; }
    std::int64_t Now() const { return now_; }

    // Runs after each call has been logged, before the call returns. It may
    // change the tree, or throw to make the call fail.
    void SetCallHook(std::function<void(const WindowCall&)> hook) { hook_ = std::move(hook); }

    Hwnd FindWindowA(const std::string& className) override;
    Hwnd FindWindowExA(Hwnd parent, Hwnd childAfter, const std::string& className) override;
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

    Node* Find(Hwnd window);
    const Node& Get(Hwnd window) const;
    std::vector<Hwnd>* SiblingsOf(Hwnd parent);
    Hwnd Log(WindowCall call);

    std::map<Hwnd, Node> nodes_;
    std::vector<Hwnd> topLevel_; // topmost first
    Hwnd nextHandle_ = 0x100;
    std::vector<WindowCall> calls_;
    std::int64_t now_ = 0;
    std::function<void(const WindowCall&)> hook_;
};

} // namespace Module1
