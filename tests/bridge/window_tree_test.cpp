#include "bridge/testing/window_tree.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace Module1 {
namespace {

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
    tree.RaiseToTop(b);
    EXPECT_EQ(tree.FindWindowExA(older, 0, "Child"), b);
}

TEST(WindowTree, SearchesDirectChildrenByClassWithoutCaseFromAChildAfterOfAnyClass) {
    WindowTree tree;
    const Hwnd frame = tree.AddWindow("Frame");
    const Hwnd first = tree.AddWindow("Button", frame);
    const Hwnd view = tree.AddWindow("View", frame);
    const Hwnd second = tree.AddWindow("BUTTON", frame);
    const Hwnd grandchild = tree.AddWindow("Edit", view);
    const Hwnd accented = tree.AddWindow("Caf\xC9", frame);
    EXPECT_EQ(tree.FindWindowExA(frame, 0, "button"), first);
    EXPECT_EQ(tree.FindWindowExA(frame, view, "Button"), second);
    EXPECT_EQ(tree.FindWindowExA(frame, second, "Button"), 0);
    EXPECT_EQ(tree.FindWindowExA(frame, 0, "caf\xE9"), accented);
    EXPECT_EQ(tree.FindWindowExA(view, 0, "EDIT"), grandchild);
    EXPECT_EQ(tree.FindWindowExA(frame, 0, "Edit"), 0);
    EXPECT_EQ(tree.FindWindowA("Button"), 0); // not top-level
    EXPECT_EQ(tree.FindWindowExA(0, 0, "frame"), frame);
    // A child-after window that is not a child of the parent finds nothing.
    EXPECT_EQ(tree.FindWindowExA(frame, grandchild, "Button"), 0);
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
    EXPECT_EQ(tree.FindWindowA("Frame"), 0);
    EXPECT_THAT(tree.DeliveriesTo(box), ::testing::SizeIs(1));
}

} // namespace
} // namespace Module1
