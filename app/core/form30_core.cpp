#include "app/core/form30_core.h"

#include "app/core/colour_rows.h"
#include "bridge/messenger.h"
#include "engine/utf8.h"
#include "preview/render_markup.h"

#include <exception>
#include <new>
#include <string>
#include <utility>

namespace Chromell {
namespace {

// An error's message for the user, in UTF-16.
std::u16string Describe(const std::exception& error) {
    if (dynamic_cast<const std::bad_alloc*>(&error) != nullptr) {
        return std::u16string(Texts::kOutOfMemory);
    }
    const std::string_view what = error.what();
    if (auto text = VexoFade::DecodeUtf8(what)) {
        return *std::move(text);
    }
    // Not UTF-8: each byte as the character of that number, so nothing is lost.
    return std::u16string(what.begin(), what.end());
}

} // namespace

Form30Core::Form30Core(Form30View& view, Module1::EventPump pump)
    : view_(view),
      pump_(std::move(pump)), swatches_{kSwatchStartColor, kSwatchStartColor, kSwatchStartColor} {}

void Form30Core::Form_Load() {
    view_.Show();
    view_.Repaint();
    if (!trayIconAdded_) {
        trayIconAdded_ = true;
        view_.AddTrayIcon();
    }
}

void Form30Core::Form_Unload() {
    unloaded_ = true;
}

void Form30Core::Bar_Change(std::size_t row) {
    const int red = view_.BarValue(row, 0);
    const int green = view_.BarValue(row, 1);
    const int blue = view_.BarValue(row, 2);
    swatches_.at(row) = ComposeSwatchColor(red, green, blue);
    view_.ShowSwatchColor(row, swatches_[row]);
}

void Form30Core::Command1_Click() {
    Fade(VexoFade::kFalse);
}

void Form30Core::FadeOutputWavy() {
    Fade(VexoFade::kTrue);
}

void Form30Core::Label1_Click() {
    view_.Close();
}

void Form30Core::Label2_Click() {
    view_.Minimize();
}

void Form30Core::Menu_Click(Texts::MenuItem item) {
    switch (item) {
    case Texts::MenuItem::about:
        view_.ShowAbout();
        break;
    case Texts::MenuItem::exit:
        view_.Close();
        break;
    case Texts::MenuItem::div:
        break;
    }
}

void Form30Core::TrayIcon_Event(TrayEvent event) {
    switch (TrayActionFor(event)) {
    case TrayAction::Restore:
        view_.Restore();
        view_.BringToFront();
        view_.Show();
        break;
    case TrayAction::PopUpMenu:
        view_.BringToFront();
        view_.PopUpMenu();
        break;
    case TrayAction::None:
        break;
    }
}

void Form30Core::TrayIcon_Shown(bool shown) {
    const bool before = OnTaskbar();
    trayIconShown_ = shown;
    if (OnTaskbar() != before) {
        view_.ShowOnTaskbar(OnTaskbar());
    }
}

void Form30Core::SendOutputToChat() {
    const std::u16string output = view_.OutputText();
    // A local reference keeps the service alive should the window go away
    // while a delivery lets the event loop run.
    const std::shared_ptr<Module1::WindowService> windows = Windows();
    Quillbas::SendToChat(*windows, output);
}

void Form30Core::SendOutputToIm() {
    const std::u16string output = view_.OutputText();
    const std::shared_ptr<Module1::WindowService> windows = Windows();
    Quillbas::SendToIm(*windows, output);
}

void Form30Core::SetWindowService(std::shared_ptr<Module1::WindowService> windows) {
    windows_ = std::move(windows);
}

std::shared_ptr<Module1::WindowService> Form30Core::Windows() {
    if (!windows_) {
        windows_ = Module1::CreatePlatformWindowService(pump_);
    }
    return windows_;
}

// Reads the swatches and Text1, fades, puts the markup into Text2 and draws
// what Text2 then gives back. A failure stops the fade at its step, with the
// steps before it kept, and is reported last of all.
//
// The preview yields to the event loop while it prepares line breaks, before
// it draws anything. If another fade runs to its end in there, or the window
// is closed, this fade stops at that point: the boxes keep the newer fade's
// markup and drawing whole, and nothing touches a window that is going away.
void Form30Core::Fade(VexoFade::Flag wave) {
    std::u16string markup;
    try {
        markup = VexoFade::FadeThreeColors(swatches_[0], swatches_[1], swatches_[2],
                                           view_.InputText(), wave);
    } catch (const std::exception& error) {
        view_.ReportFailure(Texts::kFadeFailed, Describe(error));
        return;
    }
    view_.SetOutputText(markup);
    const std::uint64_t fade = ++latestFade_;
    const std::u16string shown = view_.OutputText();

    // Goes on only while the window is there, not unloading, and no newer
    // fade has taken over the boxes. Once the view says the window is gone,
    // `this` is not looked at either.
    const auto yield = [this, fade] { return view_.Yield() && !unloaded_ && latestFade_ == fade; };
    try {
        if (!VexoFade::RenderMarkupPreview(view_.PreviewSurface(), shown, yield)) {
            return;
        }
    } catch (const std::exception& error) {
        view_.PreviewDrawn();
        view_.ReportFailure(Texts::kPreviewFailed, Describe(error));
        return;
    }
    view_.PreviewDrawn();
}

} // namespace Chromell
