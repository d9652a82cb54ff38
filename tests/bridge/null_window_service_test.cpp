#include "bridge/messenger.h"
#include "bridge/window_service.h"

#include <chrono>
#include <gtest/gtest.h>

namespace Module1 {
namespace {

// Away from Windows the program's own service stands for a desktop without
// the messenger: deliveries run to their end, reach nobody and report nothing.
TEST(PlatformWindowService, AwayFromWindowsFindsNoMessengerButStillPausesAndPumps) {
    int pumped = 0;
    const auto windows = CreatePlatformWindowService([&] { ++pumped; });
    EXPECT_EQ(windows->FindWindowA("AIM_IMessage"), kNoWindow);
    EXPECT_EQ(windows->FindWindowExA(0, 0, "WndAte32Class"), kNoWindow);

    const auto start = std::chrono::steady_clock::now();
    Quillbas::SendToIm(*windows, u"nobody");
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(pumped, 10);
    EXPECT_GE(elapsed, std::chrono::milliseconds(100)); // the click's pause is real
    EXPECT_NO_THROW(Quillbas::SendToChat(*windows, u"nobody"));
    EXPECT_EQ(windows->ToAnsi(u"\u00E9\u20AC"), "\xE9\x80");
}

} // namespace
} // namespace Module1
