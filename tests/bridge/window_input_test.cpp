#include "bridge/testing/window_tree.h"
#include "bridge/window_input.h"
#include "engine/error.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <limits>

namespace Quillbas {
namespace {

using Module1::WindowTree;
namespace Expect = Module1::Expect;
using ::testing::ElementsAre;

std::int32_t SleptFor(double seconds) {
    WindowTree tree;
    PauseSeconds(tree, seconds);
    EXPECT_EQ(tree.Calls().size(), 1u);
    return tree.Calls().at(0).number;
}

TEST(PauseSeconds, RoundsToWholeMillisecondsTiesToEven) {
    EXPECT_EQ(SleptFor(0.1), 100);
    EXPECT_EQ(SleptFor(0.001), 1);
    EXPECT_EQ(SleptFor(0), 0);
    EXPECT_EQ(SleptFor(0.0005), 0);
    EXPECT_EQ(SleptFor(0.0015), 2);
    EXPECT_EQ(SleptFor(0.0025), 2);
    EXPECT_EQ(SleptFor(-0.0015), -2);
}

TEST(PauseSeconds, TakesTheWholeSigned32BitRange) {
    EXPECT_EQ(SleptFor(2147483.6474), 2147483647);
    EXPECT_EQ(SleptFor(-2147483.648), -2147483647 - 1);
    // -2147483648.5 rounds to the even -2147483648, which still fits.
    EXPECT_EQ(SleptFor(-2147483.6485), -2147483647 - 1);
}

TEST(PauseSeconds, RaisesOverflowAndDoesNotSleepOutsideTheRange) {
    const double inf = std::numeric_limits<double>::infinity();
    // 2147483647.5 rounds to the even 2147483648, one past the top.
    for (const double seconds : {2147483.6475, 2147483.648, -2147483.649, 1e300, inf, -inf,
                                 std::numeric_limits<double>::quiet_NaN()}) {
        WindowTree tree;
        try {
            PauseSeconds(tree, seconds);
            ADD_FAILURE() << "no error for " << seconds;
        } catch (const VexoFade::Error& e) {
            EXPECT_EQ(e.number(), VexoFade::ErrorNumber::Overflow) << seconds;
        }
        EXPECT_TRUE(tree.Calls().empty()) << seconds;
    }
}

TEST(ClickByPost, PostsPressAndReleaseATenthOfASecondApart) {
    WindowTree tree;
    const Module1::Hwnd button = tree.AddWindow("_Oscar_IconBtn");
    ClickByPost(tree, button);
    EXPECT_THAT(tree.Calls(),
                ElementsAre(Expect::Post(button, Module1::kWmLButtonDown), Expect::Sleep(100),
                            Expect::Post(button, Module1::kWmLButtonUp)));
    const auto& got = tree.DeliveriesTo(button);
    ASSERT_EQ(got.size(), 2u);
    EXPECT_TRUE(got[0].posted && got[1].posted);
    EXPECT_EQ(got[1].at - got[0].at, 100);
}

TEST(ClickByPost, AFailedPauseLeavesTheButtonPressedAndRaises) {
    WindowTree tree;
    const Module1::Hwnd button = tree.AddWindow("_Oscar_IconBtn");
    tree.SetCallHook([](const Module1::WindowCall& call) {
        if (call.kind == Module1::WindowCall::Kind::Sleep) {
            throw std::runtime_error("no sleep");
        }
    });
    EXPECT_THROW(ClickByPost(tree, button), std::runtime_error);
    EXPECT_EQ(tree.DeliveriesTo(button).size(), 1u);
}

TEST(ClickBySend, SendsPressThenReleaseWithNoFlagsAndNoPause) {
    WindowTree tree;
    const Module1::Hwnd button = tree.AddWindow("_Oscar_IconBtn");
    ClickBySend(tree, button);
    EXPECT_THAT(tree.Calls(), ElementsAre(Expect::Send(button, Module1::kWmLButtonDown),
                                          Expect::Send(button, Module1::kWmLButtonUp)));
    for (const auto& delivery : tree.DeliveriesTo(button)) {
        EXPECT_FALSE(delivery.posted);
        EXPECT_EQ(delivery.wParam, 0u);
        EXPECT_EQ(delivery.lParam, 0);
        EXPECT_EQ(delivery.at, 0);
    }
}

TEST(PutWindowText, ReplacesTheTextInTheAnsiCodePageUnlessEmpty) {
    WindowTree tree;
    const Module1::Hwnd box = tree.AddWindow("Edit", 0, "old text");
    PutWindowText(tree, box, u"");
    EXPECT_TRUE(tree.Calls().empty());
    EXPECT_EQ(tree.TextOf(box), "old text");

    PutWindowText(tree, box, u"caf\u00E9 \u20AC\U0001F600");
    EXPECT_THAT(tree.Calls(), ElementsAre(Expect::SetText(box, "caf\xE9 \x80?")));
    EXPECT_EQ(tree.TextOf(box), "caf\xE9 \x80?");
}

} // namespace
} // namespace Quillbas
