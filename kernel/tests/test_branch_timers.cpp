// Requesting branches: a timed branch fires from the page window's timer and becomes the
// pending branch, which wakes the page window with WM_NULL.
#include "kerneltest.h"
#include "branch.h"
#include "history.h"

#include <gtest/gtest.h>

namespace {

class PendingBranch : public testing::Test {
protected:
    void SetUp() override
    {
        root = new OBJET(kernel, nullptr);
        root->window = CreateWindowExA(0, "STATIC", "page", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
        kernel->loadedPages.AddTail(new TREE("page.pag", root));
    }

    void TearDown() override { DestroyWindow(root->window); }

    // Runs the page window's messages; true when a WM_NULL reached it.
    bool PumpUntilWoken(DWORD milliseconds)
    {
        const DWORD start = GetTickCount();
        while (GetTickCount() - start < milliseconds) {
            MSG msg;
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
                if (msg.message == WM_NULL && msg.hwnd == root->window)
                    return true;
                DispatchMessageA(&msg);
            }
            Sleep(2);
        }
        return false;
    }

    TestKernel kernel;
    OBJET* root = nullptr;
};

TEST_F(PendingBranch, ATimedBranchBecomesPendingAfterItsDelay)
{
    BRANCH branch(kernel);
    branch.target = "next.pag";
    branch.delay = 0.05;
    KernAddBranchTimer(kernel, &branch);
    ASSERT_EQ(1, kernel->branchTimers.Items());
    EXPECT_EQ(0, kernel->branchState);
    ASSERT_TRUE(PumpUntilWoken(3000));
    EXPECT_EQ(1, kernel->branchState);
    EXPECT_EQ(&branch, kernel->pendingBranch);
    EXPECT_EQ(0, kernel->branchTimers.Items());
}

TEST_F(PendingBranch, ASecondRequestBeforeTheFirstRunsIsLost)
{
    BRANCH first(kernel);
    BRANCH second(kernel);
    EXPECT_NE(0, KernSetBranch(kernel, &first));
    EXPECT_EQ(0, KernSetBranch(kernel, &second));
    EXPECT_EQ(&first, kernel->pendingBranch);
    EXPECT_TRUE(PumpUntilWoken(1000));
}

TEST_F(PendingBranch, RequestsAreRefusedWhileADependentProgramRuns)
{
    BRANCH branch(kernel);
    kernel->depProcessRunning = 1;
    EXPECT_EQ(1, KernSetBranch(kernel, &branch));
    EXPECT_EQ(0, kernel->branchState);
}

TEST_F(PendingBranch, TheEditingModeArmsNoTimer)
{
    BRANCH branch(kernel);
    branch.delay = 0.01;
    kernel->mode = 2;
    KernAddBranchTimer(kernel, &branch);
    EXPECT_EQ(0, kernel->branchTimers.Items());
}

TEST_F(PendingBranch, ASlideShowStepAdvancesTheSequence)
{
    kernel->slideRunning = 1;
    kernel->slideLoop = 1;
    kernel->bookmarks.AddTail(new KERNBOOKMARK("a.pag", "A"));
    kernel->bookmarks.AddTail(new KERNBOOKMARK("b.pag", "B"));
    kernel->slideIndex = 1;
    BRANCH step(kernel);
    step.slideShowMark = 1;
    KernSetBranch(kernel, &step);
    EXPECT_EQ(0, kernel->slideIndex);
}

}  // namespace
