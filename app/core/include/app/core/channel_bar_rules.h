#pragma once

namespace Chromell {

// A colour row's red, green and blue bars: the values a bar spans, and how a
// click or key moves it. Each shell builds its bars from these.
inline constexpr int kChannelBarMinimum = 0;
inline constexpr int kChannelBarMaximum = 255;
inline constexpr int kChannelBarSmallStep = 1; // an arrow button or arrow key
inline constexpr int kChannelBarLargeStep = 1; // a click on the track, Page Up or Down

enum class BarRequest { StepBack, StepForward, PageBack, PageForward, ToMinimum, ToMaximum };

// A value brought into the bar's span.
constexpr int ClampChannelBar(int value) {
    return value < kChannelBarMinimum   ? kChannelBarMinimum
           : value > kChannelBarMaximum ? kChannelBarMaximum
                                        : value;
}

// Where a request takes a bar that stands at `value`; it never leaves the span.
constexpr int MoveChannelBar(int value, BarRequest request) {
    switch (request) {
    case BarRequest::StepBack:
        return ClampChannelBar(value - kChannelBarSmallStep);
    case BarRequest::StepForward:
        return ClampChannelBar(value + kChannelBarSmallStep);
    case BarRequest::PageBack:
        return ClampChannelBar(value - kChannelBarLargeStep);
    case BarRequest::PageForward:
        return ClampChannelBar(value + kChannelBarLargeStep);
    case BarRequest::ToMinimum:
        return kChannelBarMinimum;
    case BarRequest::ToMaximum:
        return kChannelBarMaximum;
    }
    return ClampChannelBar(value);
}

} // namespace Chromell
