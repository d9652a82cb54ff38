#pragma once

#include "app/core/form30_view.h"
#include "app/core/texts.h"
#include "app/core/tray.h"
#include "bridge/window_service.h"
#include "engine/fader.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>

namespace Chromell {

// The main window's rules, apart from any toolkit: the shell turns its
// events into calls of these handlers and carries out what they ask of its
// Form30View. The view must outlive the core (a shell's window owns both).
class Form30Core {
public:
    // `pump` runs the program's event loop once; the platform's window service
    // is made with it the first time a delivery needs one.
    explicit Form30Core(Form30View& view, Module1::EventPump pump = {});

    // The window has loaded: it is shown and repainted, then the tray icon is
    // added (once, however often this runs).
    void Form_Load();
    // The window is unloading, however it was closed. A fade that is waiting
    // in the preview's yield gives up without touching it.
    void Form_Unload();

    // A bar of `row` changed: the row's swatch takes the colour of its three
    // bars. The other rows keep theirs.
    void Bar_Change(std::size_t row);
    // What a swatch holds: kSwatchStartColor until a bar of its row changes.
    VexoFade::RgbColor SwatchColor(std::size_t row) const { return swatches_[row]; }

    // "Fade It": the three swatch colours and Text1 go through the fader with
    // the wave off; the markup goes into Text2; what Text2 then gives back is
    // drawn on the preview. A fader failure leaves both boxes as they were;
    // a preview failure leaves the markup and the drawing as far as it got.
    // Both are reported. A newer fade, or the window closing, during the
    // preview's yield makes this one stop there.
    void Command1_Click();
    // The same fade with the wave on. No control calls it.
    void FadeOutputWavy();

    void Label1_Click();                   // closes the window
    void Label2_Click();                   // minimizes it
    void Menu_Click(Texts::MenuItem item); // about shows About; exit closes
    void TrayIcon_Event(TrayEvent event);  // as TrayActionFor says
    // The shell's word on whether a tray shows the window's icon now: a
    // notification area it is docked in, or a status-notifier host that shows
    // it (at load it may come just before the icon is added, so that the
    // window is mapped in its final state). Until a word comes, none does.
    // The window's taskbar entry follows KeepsTaskbarEntry.
    void TrayIcon_Shown(bool shown);
    // Whether the window is to have its taskbar and pager entry now; a shell
    // asks again whenever it maps the window anew.
    bool OnTaskbar() const { return KeepsTaskbarEntry(trayIconShown_); }

    // Hand a copy of Text2's text to the messenger's chat or IM window (the
    // box is left as it is). No control calls them. The chat delivery's
    // errors (Module1::NotAnswering: the messenger did not answer) go up to
    // the caller; the IM delivery raises none.
    void SendOutputToChat();
    void SendOutputToIm();
    // The desktop the deliveries reach; by default the platform's.
    void SetWindowService(std::shared_ptr<Module1::WindowService> windows);

private:
    void Fade(VexoFade::Flag wave);
    std::shared_ptr<Module1::WindowService> Windows();

    Form30View& view_;
    Module1::EventPump pump_;
    std::shared_ptr<Module1::WindowService> windows_;
    std::array<VexoFade::RgbColor, 3> swatches_;
    // Counts the fades that have put markup into Text2; a fade whose number
    // is no longer the latest gives up before it draws.
    std::uint64_t latestFade_ = 0;
    bool unloaded_ = false;
    bool trayIconAdded_ = false;
    bool trayIconShown_ = false;
};

} // namespace Chromell
