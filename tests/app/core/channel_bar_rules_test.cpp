#include "app/core/channel_bar_rules.h"

#include <gtest/gtest.h>

namespace Chromell {
namespace {

// Every request keeps a bar within 0 to 255, from anywhere in its span.
TEST(ChannelBarRules, NoRequestLeavesTheSpan) {
    for (const BarRequest request :
         {BarRequest::StepBack, BarRequest::StepForward, BarRequest::PageBack,
          BarRequest::PageForward, BarRequest::ToMinimum, BarRequest::ToMaximum}) {
        for (const int value : {0, 1, 128, 254, 255}) {
            const int moved = MoveChannelBar(value, request);
            EXPECT_GE(moved, 0) << value;
            EXPECT_LE(moved, 255) << value;
        }
    }
}

TEST(ChannelBarRules, StepsGoOneValueEachWayAndStopAtTheEnds) {
    EXPECT_EQ(MoveChannelBar(10, BarRequest::StepBack), 9);
    EXPECT_EQ(MoveChannelBar(10, BarRequest::StepForward), 11);
    EXPECT_EQ(MoveChannelBar(10, BarRequest::PageBack), 9);
    EXPECT_EQ(MoveChannelBar(10, BarRequest::PageForward), 11);
    EXPECT_EQ(MoveChannelBar(0, BarRequest::StepBack), 0);
    EXPECT_EQ(MoveChannelBar(255, BarRequest::PageForward), 255);
    EXPECT_EQ(MoveChannelBar(77, BarRequest::ToMinimum), 0);
    EXPECT_EQ(MoveChannelBar(77, BarRequest::ToMaximum), 255);
    // A dragged thumb let go beyond either end lands on it.
    EXPECT_EQ(ClampChannelBar(-3), 0);
    EXPECT_EQ(ClampChannelBar(300), 255);
}

} // namespace
} // namespace Chromell
