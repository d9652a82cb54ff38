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

// Whether a format writes the wave: aim and html.
bool HasWave(MarkupFormat format);

// Raises the invalid-argument error, with a message for a person, for fewer
// than kMinStops or more than kMaxStops stops, a wave in a format that has
// none, and columns with perLine.
void CheckGradient(std::size_t stopCount, const GradientOptions& options);

// Raises the overflow error for an Aim text over kMaxFadeLength UTF-16 units
// (the messenger's limit; the other formats take any length).
void CheckFadeLength(MarkupFormat format, std::size_t units);

// Fades the text over the stops, one colour per grapheme cluster; line breaks
// are LF, CR LF and CR. Three stops in Aim format give exactly
// FadeThreeColors' markup. In the terminal formats every control of the text
// (engine/terminal_controls.h: escape and control sequences, control strings,
// C1 controls and the C0 controls other than line breaks and tab) is written
// as it is and takes no colour step; one cut off by the end of the text is
// written as far as it goes, and a colour is never written inside one.
// Raises CheckGradient's and CheckFadeLength's errors.
void FadeGradient(std::span<const Rgb> stops, std::u16string_view text,
                  const GradientOptions& options, MarkupSink& sink);
std::u16string FadeGradient(std::span<const Rgb> stops, std::u16string_view text,
                            const GradientOptions& options = {});

// A fade of a text that arrives in pieces, as FadeGradient writes it. Per
// line, each line is written as soon as its break has arrived (a line ended
// by CR at once; an LF right after it belongs to that break), so memory stays
// bounded by the longest line. Otherwise the text is held until Finish(),
// which finds every cluster once to count them and writes from what it found.
// A control that spans a line break (a control string may) belongs to its
// line. Raises FadeGradient's errors: the options' from the constructor, an
// Aim text's length from Append().
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
