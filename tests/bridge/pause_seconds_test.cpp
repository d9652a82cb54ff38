#include "bridge/testing/window_tree.h"
#include "bridge/window_input.h"
#include "engine/base/error.h"

#include <gtest/gtest.h>
#include <limits>

namespace Quillbas {
namespace {

// Whole milliseconds, ties to even, over the whole signed 32-bit range; out
// of it the overflow error, and no pause.
TEST(PauseSeconds, RoundsToWholeMillisecondsOrRaisesOverflowWithoutSleeping) {
    constexpr double kInf = std::numeric_limits<double>::infinity();
    const struct {
        double seconds;
        const char* slept; // nullptr: overflow
    } cases[] = {
        {0.1, "Sleep(100)"},
        {0.0005, "Sleep(0)"},
        {0.0015, "Sleep(2)"},
        {0.0025, "Sleep(2)"},
        {-0.0015, "Sleep(-2)"},
        {2147483.6474, "Sleep(2147483647)"},
        {-2147483.6485, "Sleep(-2147483648)"}, // -2147483648.5 rounds to even
        {2147483.6475, nullptr},               // 2147483647.5 rounds to even, one past
        {-2147483.649, nullptr},
        {kInf, nullptr},
        {-kInf, nullptr},
        {std::numeric_limits<double>::quiet_NaN(), nullptr},
    };
    for (const auto& test : cases) {
        Module1::WindowTree tree;
        try {
            PauseSeconds(tree, test.seconds);
            EXPECT_EQ(tree.Calls(), std::vector<std::string>{test.slept ? test.slept : "overflow"})
                << test.seconds;
        } catch (const VexoFade::Error& e) {
            EXPECT_EQ(test.slept, nullptr) << test.seconds;
            EXPECT_EQ(e.number(), VexoFade::ErrorNumber::Overflow) << test.seconds;
            EXPECT_TRUE(tree.Calls().empty()) << test.seconds;
        }
    }
}

} // namespace
} // namespace Quillbas
