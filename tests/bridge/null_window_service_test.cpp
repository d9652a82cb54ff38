#include "bridge/window_service.h"

#include <gtest/gtest.h>

namespace Module1 {
namespace {

// Away from Windows the program's own service stands for a desktop without
// the messenger.
TEST(PlatformWindowService, AwayFromWindowsFindsNoMessenger) {
    const auto windows = CreatePlatformWindowService();
    EXPECT_EQ(windows->FindWindowA("AIM_IMessage"), kNoWindow);
    EXPECT_EQ(windows->FindWindowA("AIM_ChatWnd"), kNoWindow);
}

} // namespace
} // namespace Module1
