#pragma once

// The messenger's windows as the bridge expects them, for the window tree and
// the stand-in messenger: class, name (also the first text), parent's name
// (nullptr: top-level). Children stack in the order listed, first on top.
namespace MessengerLayouts {

struct Row {
    const char* className;
    const char* name;
    const char* parent;
};

// Not the messenger's: a search among top-level windows must not reach its children.
inline constexpr Row kDecoys[] = {
    {"StandIn_Frame", "frame", nullptr},
    {"WndAte32Class", "frame.view", "frame"},
    {"_Oscar_IconBtn", "frame.button", "frame"},
};

// An IM window and a chat window (with a formatting button before the entry box).
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
