#pragma once

#include "app/core/form30_view.h"
#include "preview/testing/recording_surface.h"

#include <array>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace Chromell::Testing {

// A main window in memory: boxes and bars are plain values, and the window
// commands change what a user would see of the window (shown, minimized, in
// front, closed, its tray icon, its menu, the About window).
class FakeForm30View : public Form30View {
public:
    // What the input box holds, what the output box keeps of a text put into
    // it (as it stands, unless changed), the bars' values.
    std::u16string input;
    std::u16string output;
    std::function<std::u16string(std::u16string_view)> keep = [](std::u16string_view text) {
        return std::u16string(text);
    };
    std::array<std::array<int, 3>, 3> bars{};
    std::array<VexoFade::RgbColor, 3> shownSwatches{};

    // The preview's surface; it fails on printing `failOn`, when set.
    struct Surface : VexoFade::RecordingSurface {
        std::u16string failOn;
        void Print(std::u16string_view text) override {
            if (!failOn.empty() && text == failOn) {
                throw std::runtime_error("cannot draw");
            }
            RecordingSurface::Print(text);
        }
    } surface;
    // What the preview box shows: the surface as it was when drawing last ended.
    std::vector<VexoFade::DrawnText> preview;
    int previewUpdates = 0;

    // The window as a user sees it.
    bool visible = false;
    bool minimized = false;
    bool inFront = false;
    bool closed = false;
    bool menuOpen = false;
    int paintsWhileVisible = 0;
    int trayIcons = 0;
    bool paintedBeforeTrayIcon = false;
    int aboutWindowsShown = 0;
    bool onTaskbar = true;
    int taskbarChanges = 0;

    // Each failure reported: the step, the reason; whether the report was the
    // last thing asked of the view.
    std::vector<std::pair<std::u16string, std::u16string>> reports;
    bool reportWasLast = false;

    // What a yield does besides letting events run; it answers for the view.
    std::function<bool()> onYield = [] { return true; };
    std::function<std::u16string()> onInputText;
    int yields = 0;

    std::u16string InputText() override {
        Asked();
        return onInputText ? onInputText() : input;
    }
    std::u16string OutputText() override {
        Asked();
        return output;
    }
    void SetOutputText(std::u16string_view text) override {
        Asked();
        output = keep(text);
    }
    int BarValue(std::size_t row, std::size_t channel) override {
        Asked();
        return bars.at(row).at(channel);
    }
    void ShowSwatchColor(std::size_t row, VexoFade::RgbColor color) override {
        Asked();
        shownSwatches.at(row) = color;
    }
    VexoFade::DrawingSurface& PreviewSurface() override {
        Asked();
        return surface;
    }
    void PreviewDrawn() override {
        Asked();
        preview = surface.drawn();
        ++previewUpdates;
    }
    bool Yield() override {
        Asked();
        ++yields;
        return onYield();
    }
    void ReportFailure(std::u16string_view step, std::u16string_view reason) override {
        reports.emplace_back(step, reason);
        reportWasLast = true;
    }
    void Show() override {
        Asked();
        visible = !closed;
    }
    void Repaint() override {
        Asked();
        paintsWhileVisible += visible ? 1 : 0;
    }
    void AddTrayIcon() override {
        Asked();
        ++trayIcons;
        paintedBeforeTrayIcon = paintsWhileVisible > 0;
    }
    void Minimize() override {
        Asked();
        minimized = true;
    }
    void Restore() override {
        Asked();
        minimized = false;
    }
    void BringToFront() override {
        Asked();
        inFront = true;
    }
    void Close() override {
        Asked();
        closed = true;
        visible = false;
    }
    void PopUpMenu() override {
        Asked();
        menuOpen = true;
    }
    void ShowAbout() override {
        Asked();
        ++aboutWindowsShown;
    }
    void ShowOnTaskbar(bool shown) override {
        Asked();
        onTaskbar = shown;
        ++taskbarChanges;
    }

private:
    void Asked() { reportWasLast = false; }
};

} // namespace Chromell::Testing
