// The page's entry points into the engine and the renderer (web/site/chromell.js
// calls them). Text crosses as UTF-8 in buffers the module owns: the page
// asks for an input buffer of a size, writes into it and calls a function; the
// result and any message are read back from the output and error buffers.

#include "cli/color_args.h"
#include "cli/fade_command.h"
#include "cli/input.h"
#include "cli/output.h"
#include "engine/unicode/grapheme.h"
#include "engine/utf8.h"
#include "preview/render_markup.h"
#include "preview/web/canvas_drawing_surface.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <exception>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#define CHROMELL_EXPORT(name) extern "C" __attribute__((export_name(name)))

namespace {

std::string g_input;
std::string g_output;
std::string g_error;

// The command runs on its arguments alone: the text is always one of them.
class NoInput final : public Chromell::InputSource {
public:
    std::optional<std::size_t> Read(std::span<char>, std::string&) override { return 0; }
};

class OutputBuffer final : public Chromell::OutputSink {
public:
    bool Write(std::string_view bytes, std::string&) override {
        g_output.append(bytes);
        return true;
    }
};

// The input buffer as a list of arguments: each a 4-byte little-endian length
// and that many bytes. Nothing when the list is cut short.
std::optional<std::vector<std::string_view>> Arguments() {
    std::vector<std::string_view> args;
    std::string_view rest = g_input;
    while (!rest.empty()) {
        if (rest.size() < 4) {
            return std::nullopt;
        }
        std::uint32_t length = 0;
        for (int k = 3; k >= 0; --k) {
            length = (length << 8) | static_cast<unsigned char>(rest[static_cast<std::size_t>(k)]);
        }
        rest.remove_prefix(4);
        if (rest.size() < length) {
            return std::nullopt;
        }
        args.push_back(rest.substr(0, length));
        rest.remove_prefix(length);
    }
    return args;
}

void Clear() {
    g_output.clear();
    g_error.clear();
}

} // namespace

// A buffer of `size` bytes for the next call's input.
CHROMELL_EXPORT("input") char* Input(std::size_t size) {
    g_input.resize(size);
    return g_input.data();
}

CHROMELL_EXPORT("output_data") const char* OutputData() {
    return g_output.data();
}

CHROMELL_EXPORT("output_size") std::size_t OutputSize() {
    return g_output.size();
}

CHROMELL_EXPORT("error_data") const char* ErrorData() {
    return g_error.data();
}

CHROMELL_EXPORT("error_size") std::size_t ErrorSize() {
    return g_error.size();
}

// Runs chromell-fade on the arguments in the input buffer (the program name
// left out): its exit status, standard output in the output buffer and
// standard error in the error buffer, byte for byte as the program writes them.
CHROMELL_EXPORT("fade") int Fade() {
    Clear();
    const auto args = Arguments();
    if (!args) {
        g_error = "chromell-fade: the arguments are cut short\n";
        return 2;
    }
    NoInput in;
    OutputBuffer out;
    std::ostringstream err;
    int status = 1;
    try {
        status = Chromell::RunFadeCommand(*args, Chromell::FadeStreams{in, out, err});
    } catch (const std::exception& e) {
        err << "chromell-fade: " << e.what() << '\n';
    }
    g_error = err.str();
    if (status != 0) {
        g_output.clear();
    }
    return status;
}

// Reads the colour in the input buffer as --colors reads one: 0x1RRGGBB, or
// 0 with the reason in the error buffer.
CHROMELL_EXPORT("parse_color") std::uint32_t ParseColor() {
    Clear();
    const auto stop = Chromell::ParseStop(g_input, g_error);
    if (!stop) {
        return 0;
    }
    return 0x1000000U | static_cast<std::uint32_t>(stop->red) << 16 |
           static_cast<std::uint32_t>(stop->green) << 8 | stop->blue;
}

// The characters (grapheme clusters) of the UTF-8 text in the input buffer;
// -1 if it is not UTF-8.
CHROMELL_EXPORT("count_characters") int CountCharacters() {
    const auto text = VexoFade::DecodeUtf8(g_input);
    return text ? static_cast<int>(VexoFade::CountGraphemes(*text)) : -1;
}

// Draws the markup in the input buffer (UTF-8) on a canvas of the given size
// as the window's preview box draws it. Returns the height in pixels that
// shows every line, or -1 with the reason in the error buffer.
CHROMELL_EXPORT("render_preview") int RenderPreview(float width, float height) {
    Clear();
    VexoFade::Utf8Error bad{};
    const auto markup = VexoFade::DecodeUtf8(g_input, &bad);
    if (!markup) {
        g_error =
            "the markup is not valid UTF-8 (bad byte at offset " + std::to_string(bad.offset) + ")";
        return -1;
    }
    VexoFade::CanvasDrawingSurface surface(width, height);
    try {
        VexoFade::RenderMarkupPreview(surface, *markup);
    } catch (const std::exception& e) {
        g_error = e.what();
        return -1;
    }
    return static_cast<int>(std::ceil(surface.DrawnBottom()));
}
