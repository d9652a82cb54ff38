#pragma once

#include "app/core/form30_view.h"
#include "preview/testing/recording_surface.h"

#include <array>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace Chromell::Testing {

// A main window in memory: boxes and bars are plain values, and every
// command, every read or write of the output box and every end of drawing
// goes into `log` in the order the core asked for them.
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

    // What a yield does besides being logged; it answers for the view.
    std::function<bool()> onYield = [] { return true; };
    std::function<std::u16string()> onInputText;

    std::vector<std::string> log;

    std::u16string InputText() override { return onInputText ? onInputText() : input; }
    std::u16string OutputText() override {
        log.emplace_back("read output");
        return output;
    }
    void SetOutputText(std::u16string_view text) override {
        log.emplace_back("set output");
        output = keep(text);
    }
    int BarValue(std::size_t row, std::size_t channel) override { return bars.at(row).at(channel); }
    void ShowSwatchColor(std::size_t row, VexoFade::RgbColor color) override {
        shownSwatches.at(row) = color;
    }
    VexoFade::DrawingSurface& PreviewSurface() override { return surface; }
    void PreviewDrawn() override { log.emplace_back("preview drawn"); }
    bool Yield() override {
        log.emplace_back("yield");
        return onYield();
    }
    void ReportFailure(std::u16string_view step, std::u16string_view reason) override {
        reports.emplace_back(step, reason);
        log.emplace_back("report");
    }
    void Show() override { log.emplace_back("show"); }
    void Repaint() override { log.emplace_back("repaint"); }
    void AddTrayIcon() override { log.emplace_back("add tray icon"); }
    void Minimize() override { log.emplace_back("minimize"); }
    void Restore() override { log.emplace_back("restore"); }
    void BringToFront() override { log.emplace_back("bring to front"); }
    void Close() override { log.emplace_back("close"); }
    void PopUpMenu() override { log.emplace_back("pop up menu"); }
    void ShowAbout() override { log.emplace_back("show about"); }
    void ShowOnTaskbar(bool shown) override {
        log.emplace_back(shown ? "on taskbar" : "off taskbar");
    }

    // Each failure reported: the step, the reason.
    std::vector<std::pair<std::u16string, std::u16string>> reports;
};

} // namespace Chromell::Testing
