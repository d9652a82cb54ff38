#include "bridge/testing/window_tree.h"

#include <algorithm>

namespace Module1 {
namespace {

std::string MessageName(Message message) {
    return message == kWmSetText       ? "WM_SETTEXT"
           : message == kWmLButtonDown ? "WM_LBUTTONDOWN"
           : message == kWmLButtonUp   ? "WM_LBUTTONUP"
                                       : std::to_string(message);
}

} // namespace

Hwnd WindowTree::AddWindow(const std::string& className, Hwnd parent, const std::string& name) {
    std::vector<Hwnd>& siblings = nodes_.at(parent).children;
    const Hwnd window = nextHandle_;
    nextHandle_ += 2; // Windows handles are even, too
    siblings.insert(parent == kNoWindow ? siblings.begin() : siblings.end(), window);
    nodes_[window] = Node{className, parent, {}, name, name};
    return window;
}

void WindowTree::RaiseToTop(Hwnd window) {
    std::vector<Hwnd>& siblings = Siblings(window);
    const auto at = std::find(siblings.begin(), siblings.end(), window);
    std::rotate(siblings.begin(), at, at + 1);
}

std::vector<WindowTree::Delivery> WindowTree::DeliveriesTo(Hwnd window) const {
    std::vector<Delivery> to;
    std::ranges::copy_if(deliveries_, std::back_inserter(to),
                         [&](const Delivery& delivery) { return delivery.window == window; });
    return to;
}

std::string WindowTree::Received() const {
    std::string got;
    for (const Delivery& delivery : deliveries_) {
        got += (got.empty() ? "" : ", ") + Name(delivery.window) +
               (delivery.posted ? " posted " : " sent ") + MessageName(delivery.message);
    }
    return got;
}

int WindowTree::Clicks(Hwnd window) const {
    int clicks = 0;
    bool down = false;
    for (const Delivery& delivery : DeliveriesTo(window)) {
        if (delivery.message == kWmLButtonDown) {
            down = true;
        } else if (delivery.message == kWmLButtonUp && down) {
            down = false;
            ++clicks;
        }
    }
    return clicks;
}

bool WindowTree::HeldDown(Hwnd window) const {
    const std::vector<Delivery> to = DeliveriesTo(window);
    const auto last = std::find_if(to.rbegin(), to.rend(), [](const Delivery& delivery) {
        return delivery.message == kWmLButtonDown || delivery.message == kWmLButtonUp;
    });
    return last != to.rend() && last->message == kWmLButtonDown;
}

Hwnd WindowTree::NextSibling(Hwnd window) {
    if (!Exists(window)) {
        return kNoWindow;
    }
    const std::vector<Hwnd>& siblings = Siblings(window);
    const auto at = std::find(siblings.begin(), siblings.end(), window);
    return at + 1 == siblings.end() ? kNoWindow : at[1];
}

std::string WindowTree::Name(Hwnd window) const {
    return Exists(window) && !nodes_.at(window).name.empty() ? nodes_.at(window).name
                                                             : std::to_string(window);
}

Hwnd WindowTree::Search(Hwnd parent, Hwnd childAfter, const std::string& className) const {
    if (!nodes_.contains(parent)) {
        return kNoWindow;
    }
    const std::vector<Hwnd>& siblings = ChildrenOf(parent);
    // The child-after window must be a direct child of the parent.
    auto from = std::find(siblings.begin(), siblings.end(), childAfter);
    from = childAfter == kNoWindow ? siblings.begin() : from + (from != siblings.end());
    const auto match = std::find_if(from, siblings.end(), [&](Hwnd window) {
        return EqualIgnoringCase1252(nodes_.at(window).className, className);
    });
    return match == siblings.end() ? kNoWindow : *match;
}

std::int32_t WindowTree::Deliver(Hwnd window, bool posted, Message message, WParam wParam,
                                 LParam lParam) {
    // WM_SETTEXT carries the text's address in lParam, as the platform's does.
    // NOLINTNEXTLINE(performance-no-int-to-ptr)
    const char* text = message == kWmSetText ? reinterpret_cast<const char*>(lParam) : nullptr;
    std::string call = std::string(posted ? "PostMessageA(" : "SendMessageA(") + Name(window) +
                       ", " + MessageName(message) + ", " + std::to_string(wParam) + ", " +
                       (text != nullptr ? "'" + std::string(text) + "'" : std::to_string(lParam)) +
                       ")";
    if (Exists(window) && hung_ && !posted) {
        Log(call + " not answered");
        throw NotAnswering("window " + std::to_string(window) + " does not answer");
    }
    Log(call);
    if (!Exists(window)) { // also when the hook removed it
        return 0;
    }
    deliveries_.push_back({window, posted, message});
    if (text != nullptr) {
        nodes_.at(window).text = text;
    }
    return 1;
}

void WindowTree::Log(const std::string& call) {
    if (hook_) {
        hook_(call); // a copy: the hook may make calls of its own
    }
}

} // namespace Module1
