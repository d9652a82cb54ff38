#pragma once

#include "engine/markup_sink.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace VexoFade {

// A colour stop, each channel 0 to 255.
struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(Rgb, Rgb) = default;
};

inline constexpr std::size_t kMinStops = 2;
inline constexpr std::size_t kMaxStops = 16;

// How the colours between two stops are mixed.
enum class Blend { Rgb, Oklab };

// How each unit and its colour are written.
enum class MarkupFormat { Aim, Html, BBCode, Ansi, Ansi256, MiniMessage };

struct GradientOptions {
    MarkupFormat format = MarkupFormat::Aim;
    Blend blend = Blend::Rgb;
    // The <sup>, </sup>, <sub>, </sub> cycle; Aim and Html only.
    bool wave = false;
    // Each line gets a gradient of its own over all the stops.
    bool perLine = false;
    // The gradient runs across display columns, over the widest line, the
    // same on every line: a cluster takes the colour of its first column.
    bool columns = false;
};

// Fades the text over the stops, one colour per grapheme cluster; line breaks
// are LF, CR LF and CR. Three stops in Aim format give exactly
// FadeThreeColors' markup. In the terminal formats an escape sequence of the
// text (CSI: ESC [ up to its final byte; OSC: ESC ] up to BEL or ESC \; a
// lone ESC) is written as it is and takes no colour step; one cut short by a
// line break or the end is written as far as it goes. Raises the
// invalid-argument error for fewer than kMinStops or more than kMaxStops
// stops, for a wave in a format that has none and for columns with perLine;
// the overflow error for an Aim text over kMaxFadeLength UTF-16 units (the
// messenger's limit; the other formats take any length).
void FadeGradient(std::span<const Rgb> stops, std::u16string_view text,
                  const GradientOptions& options, MarkupSink& sink);
std::u16string FadeGradient(std::span<const Rgb> stops, std::u16string_view text,
                            const GradientOptions& options = {});

// A fade of a text that arrives in pieces, as FadeGradient writes it. Per
// line, each line is written as soon as its break has arrived (a line ended
// by CR at once; an LF right after it belongs to that break), so memory stays
// bounded by the longest line. Otherwise the text is held until Finish(),
// which finds every cluster once to count them and writes from what it found.
// Raises FadeGradient's errors: the options' from the constructor, an Aim
// text's length from Append().
class GradientStream {
public:
    GradientStream(std::span<const Rgb> stops, const GradientOptions& options, MarkupSink& sink);
    ~GradientStream();
    GradientStream(const GradientStream&) = delete;
    GradientStream& operator=(const GradientStream&) = delete;

    void Append(std::u16string_view piece);
    // Writes what is left and the format's ending; call once, after the last piece.
    void Finish();

    class Impl;

private:
    std::unique_ptr<Impl> impl_;
    MarkupFormat format_;
    std::size_t appended_ = 0;
};

} // namespace VexoFade
