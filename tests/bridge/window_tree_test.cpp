#include "bridge/testing/window_tree.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace Module1 {
namespace {

using ::testing::IsEmpty;

constexpr std::int32_t kGwHwndPrev = 3;
constexpr std::int32_t kGwChild = 5;

TEST(WindowTree, StacksChildrenFirstMadeOnTopAndTopLevelWindowsLastMadeOnTop) {
    WindowTree tree;
    const Hwnd older = tree.AddWindow("Frame");
    const Hwnd newer = tree.AddWindow("Frame");
    EXPECT_EQ(tree.FindWindowA("Frame"), newer);
    EXPECT_EQ(tree.GetWindow(newer, kGwHwndNext), older);

    const Hwnd a = tree.AddWindow("Child", older);
    const Hwnd b = tree.AddWindow("Child", older);
    EXPECT_EQ(tree.GetWindow(older, kGwChild), a);
    EXPECT_EQ(tree.GetWindow(a, kGwHwndNext), b);
    EXPECT_EQ(tree.GetWindow(b, kGwHwndNext), 0);
    EXPECT_EQ(tree.GetWindow(b, kGwHwndPrev), a);

    tree.RaiseToTop(b);
    EXPECT_EQ(tree.FindWindowExA(older, 0, "Child"), b);
    tree.RaiseToTop(older);
    EXPECT_EQ(tree.FindWindowA("Frame"), older);
}

TEST(WindowTree, MatchesClassesWithoutCaseAndOnlyAmongDirectChildren) {
    WindowTree tree;
    const Hwnd frame = tree.AddWindow("Frame");
    const Hwnd box = tree.AddWindow("Box", frame);
    const Hwnd grandchild = tree.AddWindow("Edit", box);
    const Hwnd accented = tree.AddWindow("Caf\xC9", frame);
    EXPECT_EQ(tree.FindWindowExA(box, 0, "EDIT"), grandchild);
    EXPECT_EQ(tree.FindWindowExA(frame, 0, "edit"), 0);
    EXPECT_EQ(tree.FindWindowExA(frame, 0, "caf\xE9"), accented);
    EXPECT_EQ(tree.FindWindowA("Box"), 0); // not a top-level window
    EXPECT_EQ(tree.FindWindowExA(0, 0, "FRAME"), frame);
    EXPECT_EQ(tree.FindWindowExA(frame, 0, "Fram"), 0);
}

TEST(WindowTree, SearchesOnFromAChildAfterOfAnyClass) {
    WindowTree tree;
    const Hwnd frame = tree.AddWindow("Frame");
    const Hwnd first = tree.AddWindow("Button", frame);
    const Hwnd view = tree.AddWindow("View", frame);
    const Hwnd second = tree.AddWindow("Button", frame);
    EXPECT_EQ(tree.FindWindowExA(frame, view, "Button"), second);
    EXPECT_EQ(tree.FindWindowExA(frame, first, "Button"), second);
    EXPECT_EQ(tree.FindWindowExA(frame, second, "Button"), 0);
    // A child-after window that is not a child of the parent finds nothing.
    const Hwnd other = tree.AddWindow("Frame");
    const Hwnd stranger = tree.AddWindow("View", other);
    EXPECT_EQ(tree.FindWindowExA(frame, stranger, "Button"), 0);
    EXPECT_EQ(tree.FindWindowExA(0, other, "Frame"), frame);
}

TEST(WindowTree, MessagesToNoWindowOrAGoneWindowReachNobody) {
    WindowTree tree;
    const Hwnd box = tree.AddWindow("Edit", 0, "before");
    EXPECT_EQ(tree.SendMessageA(box, kWmSetText, 0, reinterpret_cast<LParam>("after")), 1);
    EXPECT_EQ(tree.TextOf(box), "after");
    EXPECT_EQ(tree.SendMessageA(0, kWmSetText, 0, reinterpret_cast<LParam>("x")), 0);
    EXPECT_EQ(tree.PostMessageA(0, kWmLButtonDown, 0, 0), 0);
    EXPECT_EQ(tree.GetWindow(0, kGwHwndNext), 0);

    const Hwnd frame = tree.AddWindow("Frame");
    const Hwnd child = tree.AddWindow("Button", frame);
    tree.RemoveWindow(frame);
    EXPECT_EQ(tree.PostMessageA(child, kWmLButtonDown, 0, 0), 0);
    EXPECT_EQ(tree.FindWindowExA(frame, 0, "Button"), 0);
    EXPECT_EQ(tree.FindWindowA("Frame"), 0);
    EXPECT_THAT(tree.DeliveriesTo(box), ::testing::SizeIs(1));
}

TEST(WindowTree, LogsEveryCallInOrderAndSleepsOnItsOwnClock) {
    WindowTree tree;
    const Hwnd box = tree.AddWindow("Edit");
    tree.DoEvents();
    tree.Sleep(100);
    tree.PostMessageA(box, kWmLButtonUp, 0, 0);
    tree.Sleep(-5);
    EXPECT_EQ(tree.Now(), 100);
    ASSERT_EQ(tree.Calls().size(), 4u);
    EXPECT_EQ(tree.Calls()[2].at, 100);
    EXPECT_EQ(tree.Calls()[2].ToString(),
              "PostMessageA(" + std::to_string(box) + ", WM_LBUTTONUP, 0, 0) at 100 ms");
    EXPECT_THAT(tree.DeliveriesTo(box), ::testing::SizeIs(1));
    EXPECT_EQ(tree.ToAnsi(u"\u00FC"), "\xFC");
    EXPECT_EQ(tree.Calls().size(), 4u); // conversions are not window calls
}

} // namespace
} // namespace Module1
