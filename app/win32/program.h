#pragma once

#include "app/core/about.h"
#include "windows_api.h"

namespace Chromell::Win32 {

// What the windows of chromell.exe share: the module, its icon and artwork,
// the one About window, the count of open windows, and the event loop.
class Program {
public:
    explicit Program(HINSTANCE instance);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    HINSTANCE instance() const { return instance_; }
    HICON icon() const { return icon_; }
    HICON smallIcon() const { return smallIcon_; }
    // The artwork as a bitmap, nullptr when it could not be decoded.
    HBITMAP artwork() const { return artwork_; }

    AboutInstance& about() { return about_; }
    // A window of the program has opened; and has closed: after the last one
    // the event loop ends.
    void WindowLoaded() { loaded_.Loaded(); }
    void WindowUnloaded();

    // Runs the event loop until the last window has closed; the exit code.
    int Run();
    // Handles the messages waiting now, then returns; false once the program
    // has been told to end (the end is passed on to Run).
    bool Pump();

private:
    static void Dispatch(MSG& message);

    HINSTANCE instance_;
    HICON icon_;
    HICON smallIcon_;
    HBITMAP artwork_;
    AboutInstance about_;
    LoadedWindows loaded_;
};

// The controls' font at `dpi`: the system's default GUI font at that DPI.
// The caller deletes it.
HFONT CreateGuiFont(UINT dpi);
void SetFontOfChildren(HWND window, HFONT font);

} // namespace Chromell::Win32
