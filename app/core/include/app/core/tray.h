#pragma once

namespace Chromell {

// What happened to the tray icon, as the shells' platforms report it: the
// pointer over an icon docked in a notification area (Windows, an X11 tray),
// or a status-notifier host's activations (such hosts report no clicks).
enum class TrayEvent : unsigned char {
    Move,
    LeftDown,
    LeftUp,
    LeftDoubleClick,
    RightDown,
    RightUp,
    RightDoubleClick,
    MiddleDown,
    MiddleUp,
    MiddleDoubleClick,
    Activate,          // the host's primary activation (its click)
    SecondaryActivate, // the host's secondary activation (its middle click)
};

// What the main window does about it.
enum class TrayAction : unsigned char {
    None,
    // Back to the normal state (a minimized window is restored), to the front, shown.
    Restore,
    // To the front, and the menu mnuFile pops up at the pointer.
    PopUpMenu,
};

// A left double-click, or a status-notifier host's primary activation,
// restores the window; only the right button's release (not its press, nor a
// right double-click) pops up the menu; everything else does nothing. (A
// status-notifier host shows the menu itself, from the item's exported menu.)
constexpr TrayAction TrayActionFor(TrayEvent event) {
    switch (event) {
    case TrayEvent::LeftDoubleClick:
    case TrayEvent::Activate:
        return TrayAction::Restore;
    case TrayEvent::RightUp:
        return TrayAction::PopUpMenu;
    default:
        return TrayAction::None;
    }
}

// Whether the main window keeps its taskbar and pager entry: whenever no tray
// icon stands for it. Minimizing then always leaves a way back, the icon or
// the entry.
constexpr bool KeepsTaskbarEntry(bool trayIconShown) {
    return !trayIconShown;
}

} // namespace Chromell
