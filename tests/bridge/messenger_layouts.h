#pragma once

#include "bridge/testing/window_tree.h"

// The messenger's windows laid out as the bridge expects them, built into an
// in-memory desktop. Children stack in the order listed, first on top.
namespace Module1::Layouts {

// The screen-name combo box with its edit field, the conversation view, the
// entry box, the send button and a further button.
struct ImWindow {
    Hwnd window, combo, comboEdit, view, entry, send, other;
};

// The room's view, a formatting button, the entry box, a label, the send
// button and a further button.
struct ChatWindow {
    Hwnd window, view, format, entry, label, send, other;
};

inline ImWindow AddImWindow(WindowTree& tree) {
    const Hwnd w = tree.AddWindow("AIM_IMessage");
    const Hwnd combo = tree.AddWindow("_Oscar_PersistantCombo", w);
    return {w,
            combo,
            tree.AddWindow("Edit", combo),
            tree.AddWindow("WndAte32Class", w, "conversation"),
            tree.AddWindow("WndAte32Class", w, "draft"),
            tree.AddWindow("_Oscar_IconBtn", w),
            tree.AddWindow("_Oscar_IconBtn", w)};
}

inline ChatWindow AddChatWindow(WindowTree& tree) {
    const Hwnd w = tree.AddWindow("AIM_ChatWnd");
    return {w,
            tree.AddWindow("WndAte32Class", w, "room"),
            tree.AddWindow("_Oscar_IconBtn", w),
            tree.AddWindow("WndAte32Class", w, "draft"),
            tree.AddWindow("Static", w),
            tree.AddWindow("_Oscar_IconBtn", w),
            tree.AddWindow("_Oscar_IconBtn", w)};
}

// The messages that reached the window, e.g. "posted 513, posted 514".
inline std::string Received(const WindowTree& tree, Hwnd window) {
    std::string got;
    for (const auto& delivery : tree.DeliveriesTo(window)) {
        got += (got.empty() ? "" : ", ") + std::string(delivery.posted ? "posted " : "sent ") +
               std::to_string(delivery.message);
    }
    return got;
}

} // namespace Module1::Layouts
