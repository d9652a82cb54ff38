#include "bridge/testing/window_tree.h"

#include "bridge/ansi_text.h"

#include <algorithm>
#include <cstdio>
#include <ostream>
#include <stdexcept>
#include <utility>

namespace Module1 {
namespace {

// GetWindow commands.
constexpr std::int32_t kGwHwndFirst = 0;
constexpr std::int32_t kGwHwndLast = 1;
constexpr std::int32_t kGwHwndPrev = 3;
constexpr std::int32_t kGwChild = 5;

std::string MessageName(Message message) {
    switch (message) {
    case kWmSetText:
        return "WM_SETTEXT";
    case kWmLButtonDown:
        return "WM_LBUTTONDOWN";
    case kWmLButtonUp:
        return "WM_LBUTTONUP";
    default: {
        char hex[16];
        std::snprintf(hex, sizeof hex, "0x%04X", static_cast<unsigned>(message));
        return hex;
    }
    }
}

std::string Quoted(const std::string& text) {
    return '"' + text + '"';
}

} // namespace

bool operator==(const WindowCall& a, const WindowCall& b) {
    return a.kind == b.kind && a.window == b.window && a.childAfter == b.childAfter &&
           a.className == b.className && a.number == b.number && a.message == b.message &&
           a.wParam == b.wParam && a.lParam == b.lParam && a.text == b.text && a.result == b.result;
}

std::string WindowCall::ToString() const {
    using std::to_string;
    switch (kind) {
    case Kind::DoEvents:
        return "DoEvents()";
    case Kind::FindWindowA:
        return "FindWindowA(" + Quoted(className) + ") -> " + to_string(result);
    case Kind::FindWindowExA:
        return "FindWindowExA(" + to_string(window) + ", " + to_string(childAfter) + ", " +
               Quoted(className) + ") -> " + to_string(result);
    case Kind::GetWindow:
        return "GetWindow(" + to_string(window) + ", " + to_string(number) + ") -> " +
               to_string(result);
    case Kind::SendMessageA:
    case Kind::PostMessageA: {
        const std::string last = message == kWmSetText ? Quoted(text) : to_string(lParam);
        return (kind == Kind::SendMessageA ? "SendMessageA(" : "PostMessageA(") +
               to_string(window) + ", " + MessageName(message) + ", " + to_string(wParam) + ", " +
               last + ") at " + to_string(at) + " ms";
    }
    case Kind::Sleep:
        return "Sleep(" + to_string(number) + ")";
    }
    return "?";
}

std::ostream& operator<<(std::ostream& out, const WindowCall& call) {
    return out << call.ToString();
}

namespace Expect {

WindowCall DoEvents() {
    return {};
}

WindowCall FindWindowA(std::string className, Hwnd result) {
    WindowCall call;
    call.kind = WindowCall::Kind::FindWindowA;
    call.className = std::move(className);
    call.result = result;
    return call;
}

WindowCall FindWindowExA(Hwnd parent, Hwnd childAfter, std::string className, Hwnd result) {
    WindowCall call;
    call.kind = WindowCall::Kind::FindWindowExA;
    call.window = parent;
    call.childAfter = childAfter;
    call.className = std::move(className);
    call.result = result;
    return call;
}

WindowCall GetNextWindow(Hwnd window, Hwnd result) {
    WindowCall call;
    call.kind = WindowCall::Kind::GetWindow;
    call.window = window;
    call.number = kGwHwndNext;
    call.result = result;
    return call;
}

WindowCall SetText(Hwnd window, std::string text) {
    WindowCall call = Send(window, kWmSetText);
    call.text = std::move(text);
    return call;
}

WindowCall Send(Hwnd window, Message message) {
    WindowCall call;
    call.kind = WindowCall::Kind::SendMessageA;
    call.window = window;
    call.message = message;
    return call;
}

WindowCall Post(Hwnd window, Message message) {
    WindowCall call = Send(window, message);
    call.kind = WindowCall::Kind::PostMessageA;
    return call;
}

WindowCall Sleep(std::int32_t milliseconds) {
    WindowCall call;
    call.kind = WindowCall::Kind::Sleep;
    call.number = milliseconds;
    return call;
}

} // namespace Expect

Hwnd WindowTree::AddWindow(const std::string& className, Hwnd parent, std::string text) {
    std::vector<Hwnd>* siblings = SiblingsOf(parent);
    if (siblings == nullptr) {
        throw std::invalid_argument("AddWindow: no window " + std::to_string(parent));
    }
    const Hwnd window = nextHandle_;
    nextHandle_ += 2; // Windows handles are even, too
    if (parent == kNoWindow) {
        siblings->insert(siblings->begin(), window);
    } else {
        siblings->push_back(window);
    }
    nodes_[window] = Node{className, parent, {}, std::move(text), {}};
    return window;
}

void WindowTree::RemoveWindow(Hwnd window) {
    Node* node = Find(window);
    if (node == nullptr) {
        return;
    }
    for (const Hwnd child : std::vector<Hwnd>(node->children)) {
        RemoveWindow(child);
    }
    std::vector<Hwnd>& siblings = *SiblingsOf(node->parent);
    siblings.erase(std::find(siblings.begin(), siblings.end(), window));
    nodes_.erase(window);
}

void WindowTree::RaiseToTop(Hwnd window) {
    std::vector<Hwnd>& siblings = *SiblingsOf(Get(window).parent);
    const auto at = std::find(siblings.begin(), siblings.end(), window);
    std::rotate(siblings.begin(), at, at + 1);
}

const std::string& WindowTree::TextOf(Hwnd window) const {
    return Get(window).text;
}

const std::vector<WindowTree::Delivery>& WindowTree::DeliveriesTo(Hwnd window) const {
    return Get(window).deliveries;
}

Hwnd WindowTree::FindWindowA(const std::string& className) {
    Hwnd found = kNoWindow;
    for (const Hwnd window : topLevel_) {
        if (EqualIgnoringCase1252(nodes_.at(window).className, className)) {
            found = window;
            break;
        }
    }
    return Log(Expect::FindWindowA(className, found));
}

Hwnd WindowTree::FindWindowExA(Hwnd parent, Hwnd childAfter, const std::string& className) {
    Hwnd found = kNoWindow;
    if (const std::vector<Hwnd>* siblings = SiblingsOf(parent)) {
        auto from = siblings->begin();
        if (childAfter != kNoWindow) {
            // The child-after window must be a direct child of the parent.
            from = std::find(siblings->begin(), siblings->end(), childAfter);
            from = from == siblings->end() ? from : from + 1;
        }
        const auto match = std::find_if(from, siblings->end(), [&](Hwnd window) {
            return EqualIgnoringCase1252(nodes_.at(window).className, className);
        });
        found = match == siblings->end() ? kNoWindow : *match;
    }
    return Log(Expect::FindWindowExA(parent, childAfter, className, found));
}

Hwnd WindowTree::GetWindow(Hwnd window, std::int32_t command) {
    Hwnd found = kNoWindow;
    if (const Node* node = Find(window)) {
        const std::vector<Hwnd>& siblings = *SiblingsOf(node->parent);
        const auto at = std::find(siblings.begin(), siblings.end(), window);
        switch (command) {
        case kGwHwndFirst:
            found = siblings.front();
            break;
        case kGwHwndLast:
            found = siblings.back();
            break;
        case kGwHwndNext:
            found = at + 1 == siblings.end() ? kNoWindow : at[1];
            break;
        case kGwHwndPrev:
            found = at == siblings.begin() ? kNoWindow : at[-1];
            break;
        case kGwChild:
            found = node->children.empty() ? kNoWindow : node->children.front();
            break;
        default: // owners are not modelled
            break;
        }
    }
    WindowCall call = Expect::GetNextWindow(window, found);
    call.number = command;
    return Log(std::move(call));
}

LResult WindowTree::SendMessageA(Hwnd window, Message message, WParam wParam, LParam lParam) {
    WindowCall call = Expect::Send(window, message);
    call.wParam = wParam;
    if (message == kWmSetText) {
        call.text = lParam == 0 ? "" : reinterpret_cast<const char*>(lParam);
    } else {
        call.lParam = lParam;
    }
    LResult result = 0;
    if (Node* node = Find(window)) {
        node->deliveries.push_back({false, message, wParam, lParam, now_});
        if (message == kWmSetText) {
            node->text = call.text;
            result = 1;
        }
    }
    Log(std::move(call));
    return result;
}

std::int32_t WindowTree::PostMessageA(Hwnd window, Message message, WParam wParam, LParam lParam) {
    WindowCall call = Expect::Post(window, message);
    call.wParam = wParam;
    call.lParam = lParam;
    Node* node = Find(window);
    if (node != nullptr) {
        node->deliveries.push_back({true, message, wParam, lParam, now_});
    }
    Log(std::move(call));
    return node != nullptr ? 1 : 0;
}

void WindowTree::Sleep(std::int32_t milliseconds) {
    Log(Expect::Sleep(milliseconds));
    now_ += std::max<std::int32_t>(milliseconds, 0);
}

void WindowTree::DoEvents() {
    Log(Expect::DoEvents());
}

std::string WindowTree::ToAnsi(std::u16string_view text) {
    return EncodeWindows1252(text);
}

WindowTree::Node* WindowTree::Find(Hwnd window) {
    const auto found = nodes_.find(window);
    return found == nodes_.end() ? nullptr : &found->second;
}

const WindowTree::Node& WindowTree::Get(Hwnd window) const {
    const auto found = nodes_.find(window);
    if (found == nodes_.end()) {
        throw std::invalid_argument("no window " + std::to_string(window));
    }
    return found->second;
}

std::vector<Hwnd>* WindowTree::SiblingsOf(Hwnd parent) {
    if (parent == kNoWindow) {
        return &topLevel_;
    }
    Node* node = Find(parent);
    return node == nullptr ? nullptr : &node->children;
}

Hwnd WindowTree::Log(WindowCall call) {
    call.at = now_;
    calls_.push_back(call);
    if (hook_) {
        hook_(call); // a copy: the hook may make calls of its own
    }
    return call.result;
}

} // namespace Module1
