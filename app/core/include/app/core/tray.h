#pragma once

namespace Chromell {

// What the pointer did over the tray icon, as the shells' platforms report it.
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
};

// What the main window does about it.
enum class TrayAction : unsigned char {
    None,
    // Back to the normal state (a minimized window is restored), to the front, shown.
    Restore,
    // To the front, and the menu mnuFile pops up at the pointer.
    PopUpMenu,
};

// A left double-click restores the window; only the right button's release
// (not its press, nor a right double-click) pops up the menu; everything else
// does nothing.
constexpr TrayAction TrayActionFor(TrayEvent event) {
    switch (event) {
    case TrayEvent::LeftDoubleClick:
        return TrayAction::Restore;
    case TrayEvent::RightUp:
        return TrayAction::PopUpMenu;
    default:
        return TrayAction::None;
    }
}

} // namespace Chromell
