#pragma once

// The messenger's windows laid out as the bridge expects them, for the
// in-memory window tree and for the stand-in messenger alike. Each row is a
// window's class, its name (also its first text) and its parent's name
// (nullptr: a top-level window). Children stack in the order listed, first on
// top.
namespace MessengerLayouts {

struct Row {
    const char* className;
    const char* name;
    const char* parent;
};

// A window that is not the messenger's, whose children have the searched
// classes: a search among the top-level windows must not reach them.
inline constexpr Row kDecoys[] = {
    {"StandIn_Frame", "frame", nullptr},
    {"WndAte32Class", "frame.view", "frame"},
    {"_Oscar_IconBtn", "frame.button", "frame"},
};

// An IM window (screen-name combo box with its edit field, conversation view,
// entry box, send button, a further button) and a chat window (room view, a
// formatting button before the entry box, entry box, label, send button, a
// further button).
inline constexpr Row kMessenger[] = {
    {"AIM_IMessage", "im", nullptr},         {"_Oscar_PersistantCombo", "im.combo", "im"},
    {"Edit", "im.combo.edit", "im.combo"},   {"WndAte32Class", "im.view", "im"},
    {"WndAte32Class", "im.entry", "im"},     {"_Oscar_IconBtn", "im.send", "im"},
    {"_Oscar_IconBtn", "im.other", "im"},    {"AIM_ChatWnd", "chat", nullptr},
    {"WndAte32Class", "chat.view", "chat"},  {"_Oscar_IconBtn", "chat.format", "chat"},
    {"WndAte32Class", "chat.entry", "chat"}, {"StandIn_Label", "chat.label", "chat"},
    {"_Oscar_IconBtn", "chat.send", "chat"}, {"_Oscar_IconBtn", "chat.other", "chat"},
};

} // namespace MessengerLayouts
