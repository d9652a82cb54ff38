#pragma once

#include "engine/color.h"
#include "preview/drawing_surface.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace Chromell {

// What the main window's rules (Form30Core) need of the window a shell shows:
// its boxes, bars, swatches and preview, the window commands and the event
// loop. Rows are 0 to 2 (color1, color2, Color3); channels 0 to 2 are red,
// green and blue.
class Form30View {
public:
    virtual ~Form30View() = default;

    // Text1's text.
    virtual std::u16string InputText() = 0;
    // Text2's text as the box gives it back, and setting it.
    virtual std::u16string OutputText() = 0;
    virtual void SetOutputText(std::u16string_view text) = 0;

    // A channel bar's current value, and showing a swatch's colour (which may
    // be a system-colour reference, see colour_rows.h).
    virtual int BarValue(std::size_t row, std::size_t channel) = 0;
    virtual void ShowSwatchColor(std::size_t row, VexoFade::RgbColor color) = 0;

    // Picture1's drawing surface, and word that drawing on it has ended (also
    // after a failure part way): the box shows the surface anew.
    virtual VexoFade::DrawingSurface& PreviewSurface() = 0;
    virtual void PreviewDrawn() = 0;

    // Handles the events waiting for the program once and returns whether the
    // window is still there. When it answers false the window, and the core
    // it owns, may be gone: the caller touches neither again.
    virtual bool Yield() = 0;

    // Tells the user that `step` failed, and why. It is the last thing a
    // handler does: the window may be gone when it returns.
    virtual void ReportFailure(std::u16string_view step, std::u16string_view reason) = 0;

    // The window commands.
    virtual void Show() = 0;
    virtual void Repaint() = 0;     // draws the window at once
    virtual void AddTrayIcon() = 0; // the icon, with the tip Texts::kAppTitle
    virtual void Minimize() = 0;
    virtual void Restore() = 0; // to the normal state
    virtual void BringToFront() = 0;
    virtual void Close() = 0;     // unloads the window; the shell then calls Form_Unload
    virtual void PopUpMenu() = 0; // mnuFile at the pointer
    virtual void ShowAbout() = 0; // through the program's AboutInstance
    // Gives the window its taskbar and pager entry, or takes it away.
    virtual void ShowOnTaskbar(bool shown) = 0;
};

} // namespace Chromell
