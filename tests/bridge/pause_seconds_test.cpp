#include "bridge/testing/window_tree.h"
#include "bridge/window_input.h"
#include "engine/base/error.h"

#include <gtest/gtest.h>
#include <limits>

namespace Quillbas {
namespace {

using Module1::WindowTree;

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

} // namespace
} // namespace Quillbas
