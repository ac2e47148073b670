// qutl_EnableWindowTree on real windows: an application frame with a child view, a palette it
// owns with its own controls (one of them disabled beforehand), a dialog owned by the palette,
// and a window of someone else.
#include "qxwindowtree.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

HWND Create(const char* title, DWORD style, HWND parentOrOwner)
{
    return CreateWindowExA(0, "STATIC", title, style | WS_VISIBLE, 0, 0, 100, 100, parentOrOwner, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

bool Enabled(HWND window) { return IsWindowEnabled(window) != 0; }

class WindowTree : public testing::Test {
protected:
    WindowTree()
    {
        frame = Create("frame", WS_OVERLAPPEDWINDOW, nullptr);
        view = Create("view", WS_CHILD, frame);
        viewControl = Create("view control", WS_CHILD, view);
        palette = Create("palette", WS_POPUP, frame);
        paletteButton = Create("palette button", WS_CHILD, palette);
        paletteDisabled = Create("palette disabled", WS_CHILD | WS_DISABLED, palette);
        paletteDialog = Create("palette dialog", WS_POPUP, palette);
        stranger = Create("stranger", WS_OVERLAPPEDWINDOW, nullptr);
    }
    ~WindowTree() override
    {
        for (HWND window : {stranger, paletteDialog, palette, frame})
            DestroyWindow(window);
    }

    struct Named {
        const char* name;
        HWND window;
    };
    std::vector<Named> All() const
    {
        return {{"frame", frame},           {"view", view},
                {"view control", viewControl}, {"palette", palette},
                {"palette button", paletteButton}, {"palette disabled", paletteDisabled},
                {"palette dialog", paletteDialog}, {"stranger", stranger}};
    }

    HWND frame, view, viewControl, palette, paletteButton, paletteDisabled, paletteDialog, stranger;
};

}  // namespace

TEST_F(WindowTree, RecordsTheTopAndTheWindowsItOwnsWithTheirChildren)
{
    for (HWND start : {viewControl, view, frame}) {
        qutl_EnableWindowTree tree;
        tree.GetWindowTree(start);
        struct Expected {
            HWND window;
            int recorded;
        } expected[] = {
            {frame, 1},   {view, 0},   {viewControl, 0}, {palette, 1},
            {paletteButton, 1}, {paletteDisabled, 1}, {paletteDialog, 1}, {stranger, 0},
        };
        for (const Expected& e : expected) {
            char title[64] = "";
            GetWindowTextA(e.window, title, sizeof title);
            EXPECT_EQ(e.recorded, tree.FindHWND(e.window)) << title << " from window " << start;
        }
        EXPECT_EQ(5, tree.Items());
        EXPECT_EQ(0, tree.FindHWND(nullptr));
    }
}

TEST_F(WindowTree, DisablesAndGivesBackEachRecordedState)
{
    qutl_EnableWindowTree tree;
    tree.GetWindowTree(view);
    tree.SetEnableState(0);
    for (const Named& n : All()) {
        const bool recorded = tree.FindHWND(n.window);
        const bool enabledBefore = n.window != paletteDisabled;
        EXPECT_EQ(recorded ? false : enabledBefore, Enabled(n.window)) << n.name << " while disabled";
    }
    tree.ResetInitEnableState();
    for (const Named& n : All())
        EXPECT_EQ(n.window != paletteDisabled, Enabled(n.window)) << n.name << " after restoring";

    tree.SetEnableState(1);
    EXPECT_TRUE(Enabled(paletteDisabled)) << "enabling switches every recorded window on";
    tree.ResetInitEnableState();
    EXPECT_FALSE(Enabled(paletteDisabled)) << "restoring gives back the recorded state";
}

TEST_F(WindowTree, ForgettingTouchesNoState)
{
    {
        qutl_EnableWindowTree tree;
        tree.GetWindowTree(view);
        tree.SetEnableState(0);
    }
    EXPECT_FALSE(Enabled(frame));
    EXPECT_FALSE(Enabled(palette));
    EnableWindow(frame, TRUE);
    EnableWindow(palette, TRUE);
}

TEST_F(WindowTree, DestroyedWindowsAreSkipped)
{
    qutl_EnableWindowTree tree;
    tree.GetWindowTree(view);
    DestroyWindow(paletteDialog);
    tree.SetEnableState(0);
    tree.ResetInitEnableState();
    EXPECT_TRUE(Enabled(frame));
    EXPECT_TRUE(Enabled(paletteButton));
    EXPECT_FALSE(Enabled(paletteDisabled));
}

TEST_F(WindowTree, ANewRecordReplacesTheOldAndNullRecordsNothing)
{
    qutl_EnableWindowTree tree;
    tree.GetWindowTree(view);
    ASSERT_GT(tree.Items(), 0);
    tree.GetWindowTree(stranger);
    EXPECT_EQ(1, tree.Items());
    EXPECT_EQ(1, tree.FindHWND(stranger));
    tree.GetWindowTree(nullptr);
    EXPECT_EQ(0, tree.Items());
    tree.SetEnableState(0);
    EXPECT_TRUE(Enabled(frame));
}
