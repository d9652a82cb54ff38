#include "bridge/testing/window_tree.h"

#include "bridge/ansi_text.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace Module1 {
namespace {

std::string MessageCall(const char* function, Hwnd window, Message message, WParam wParam,
                        LParam lParam) {
    const std::string name = message == kWmLButtonDown ? "WM_LBUTTONDOWN"
                             : message == kWmLButtonUp ? "WM_LBUTTONUP"
                                                       : std::to_string(message);
    return std::string(function) + "(" + std::to_string(window) + ", " + name + ", " +
           std::to_string(wParam) + ", " + std::to_string(lParam) + ")";
}

} // namespace

namespace Call {
std::string FindWindowA(const std::string& className, Hwnd found) {
    return "FindWindowA(\"" + className + "\") -> " + std::to_string(found);
}
std::string FindWindowExA(Hwnd parent, Hwnd childAfter, const std::string& className, Hwnd found) {
    return "FindWindowExA(" + std::to_string(parent) + ", " + std::to_string(childAfter) + ", \"" +
           className + "\") -> " + std::to_string(found);
}
std::string NextWindow(Hwnd window, Hwnd found) {
    return "GetWindow(" + std::to_string(window) + ", 2) -> " + std::to_string(found);
}
std::string SetText(Hwnd window, const std::string& text) {
    return "SendMessageA(" + std::to_string(window) + ", WM_SETTEXT, 0, \"" + text + "\")";
}
std::string Send(Hwnd window, Message message, WParam wParam, LParam lParam) {
    return MessageCall("SendMessageA", window, message, wParam, lParam);
}
std::string Post(Hwnd window, Message message, WParam wParam, LParam lParam) {
    return MessageCall("PostMessageA", window, message, wParam, lParam);
}
std::string Sleep(std::int32_t milliseconds) {
    return "Sleep(" + std::to_string(milliseconds) + ")";
}
std::string DoEvents() {
    return "DoEvents()";
}
} // namespace Call

Hwnd WindowTree::AddWindow(const std::string& className, Hwnd parent, std::string text) {
    std::vector<Hwnd>& siblings = parent == kNoWindow ? topLevel_ : nodes_.at(parent).children;
    const Hwnd window = nextHandle_;
    nextHandle_ += 2; // Windows handles are even, too
    siblings.insert(parent == kNoWindow ? siblings.begin() : siblings.end(), window);
    nodes_[window] = Node{className, parent, {}, std::move(text), {}};
    return window;
}

void WindowTree::RemoveWindow(Hwnd window) {
    for (const Hwnd child : std::vector<Hwnd>(ChildrenOf(window))) {
        RemoveWindow(child);
    }
    const Hwnd parent = Get(window).parent;
    std::vector<Hwnd>& siblings = parent == kNoWindow ? topLevel_ : nodes_.at(parent).children;
    siblings.erase(std::find(siblings.begin(), siblings.end(), window));
    nodes_.erase(window);
}

void WindowTree::RaiseToTop(Hwnd window) {
    const Hwnd parent = Get(window).parent;
    std::vector<Hwnd>& siblings = parent == kNoWindow ? topLevel_ : nodes_.at(parent).children;
    const auto at = std::find(siblings.begin(), siblings.end(), window);
    std::rotate(siblings.begin(), at, at + 1);
}

const std::vector<Hwnd>& WindowTree::ChildrenOf(Hwnd parent) const {
    return parent == kNoWindow ? topLevel_ : Get(parent).children;
}

Hwnd WindowTree::FindWindowA(const std::string& className) {
    const Hwnd found = Search(kNoWindow, kNoWindow, className);
    Log(Call::FindWindowA(className, found));
    return found;
}

Hwnd WindowTree::FindWindowExA(Hwnd parent, Hwnd childAfter, const std::string& className) {
    const Hwnd found = Search(parent, childAfter, className);
    Log(Call::FindWindowExA(parent, childAfter, className, found));
    return found;
}

Hwnd WindowTree::GetWindow(Hwnd window, std::int32_t command) {
    Hwnd found = kNoWindow;
    if (nodes_.contains(window) && command == kGwHwndNext) {
        const std::vector<Hwnd>& siblings = ChildrenOf(Get(window).parent);
        const auto at = std::find(siblings.begin(), siblings.end(), window);
        found = at + 1 == siblings.end() ? kNoWindow : at[1];
    }
    Log("GetWindow(" + std::to_string(window) + ", " + std::to_string(command) + ") -> " +
        std::to_string(found));
    return found;
}

LResult WindowTree::SendMessageA(Hwnd window, Message message, WParam wParam, LParam lParam) {
    const bool reaches = nodes_.contains(window);
    const char* text = message == kWmSetText ? reinterpret_cast<const char*>(lParam) : nullptr;
    std::string call =
        text != nullptr ? Call::SetText(window, text) : Call::Send(window, message, wParam, lParam);
    if (reaches && hung_) {
        Log(call + " not answered");
        throw NotAnswering("window " + std::to_string(window) + " does not answer");
    }
    Log(std::move(call));
    const auto node = nodes_.find(window); // the hook may have removed it
    if (!reaches || node == nodes_.end()) {
        return 0;
    }
    node->second.deliveries.push_back({false, message, now_});
    if (text != nullptr) {
        node->second.text = text;
    }
    return 1;
}

std::int32_t WindowTree::PostMessageA(Hwnd window, Message message, WParam wParam, LParam lParam) {
    Log(Call::Post(window, message, wParam, lParam));
    const auto node = nodes_.find(window);
    if (node == nodes_.end()) {
        return 0;
    }
    node->second.deliveries.push_back({true, message, now_});
    return 1;
}

void WindowTree::Sleep(std::int32_t milliseconds) {
    Log(Call::Sleep(milliseconds));
    now_ += std::max<std::int32_t>(milliseconds, 0);
}

void WindowTree::DoEvents() {
    Log(Call::DoEvents());
}

std::string WindowTree::ToAnsi(std::u16string_view text) {
    return EncodeWindows1252(text);
}

Hwnd WindowTree::Search(Hwnd parent, Hwnd childAfter, const std::string& className) const {
    if (parent != kNoWindow && !nodes_.contains(parent)) {
        return kNoWindow;
    }
    const std::vector<Hwnd>& siblings = ChildrenOf(parent);
    // The child-after window must be a direct child of the parent.
    auto from = siblings.begin();
    if (childAfter != kNoWindow) {
        from = std::find(siblings.begin(), siblings.end(), childAfter);
        from = from == siblings.end() ? from : from + 1;
    }
    const auto match = std::find_if(from, siblings.end(), [&](Hwnd window) {
        return EqualIgnoringCase1252(nodes_.at(window).className, className);
    });
    return match == siblings.end() ? kNoWindow : *match;
}

const WindowTree::Node& WindowTree::Get(Hwnd window) const {
    const auto found = nodes_.find(window);
    if (found == nodes_.end()) {
        throw std::invalid_argument("no window " + std::to_string(window));
    }
    return found->second;
}

void WindowTree::Log(std::string call) {
    calls_.push_back(call);
    if (hook_) {
        hook_(call); // a copy: the hook may make calls of its own
    }
}

} // namespace Module1
