// Rect lists on the engine's own memory handles: growth that moves the list, and running out
// of memory half way through an operation.
#include <gtest/gtest.h>

#include "failing_blocks.h"
#include "rect_list.h"
#include "rte_error.h"
#include "rte_memory.h"

namespace {

class RectListsOnHandles : public testing::Test {
protected:
    void SetUp() override { RteMemInit(&context_, 0); }
    void TearDown() override { RteMemFree(&context_); }

    RteMemContext context_ = {};
};

RteHandle HandleOf(RteRectList list) { return reinterpret_cast<RteHandle>(list); }

TEST_F(RectListsOnHandles, AStaircaseOfRectsGrowsTheListAndKeepsItsBounds)
{
    const RteRect first{0, 0, 10, 10};
    RteRectList list = RteNewRectList(&context_, &first);
    ASSERT_NE(nullptr, list);
    // Steps that touch no earlier rect: each one is a rect of its own.
    for (int32_t step = 1; step < 40; ++step) {
        const RteRect rect{step * 20, step * 20, step * 20 + 10, step * 20 + 10};
        RteUnionRectIntoList(list, &rect);
    }
    EXPECT_EQ(40, RteRectListCount(list));
    RteRect bounds{};
    RteRectListFirst(list, &bounds);
    EXPECT_EQ((RteRect{0, 0, 790, 790}), bounds);
    EXPECT_EQ(0, RteLockCount(HandleOf(list))) << "every lock given back";
    RteFreeRectList(list);
}

TEST_F(RectListsOnHandles, RunningOutOfMemoryRaisesAndLeavesTheListUnlocked)
{
    const RteRect first{0, 0, 10, 10};
    RteRectList list = RteNewRectList(&context_, &first);
    ASSERT_NE(nullptr, list);
    FailingBlocks blocks;
    blocks.FailAll();
    const uint16_t raised = RteTry(&context_, [&] {
        for (int32_t step = 1; step < 40; ++step) {
            const RteRect rect{step * 20, step * 20, step * 20 + 10, step * 20 + 10};
            RteUnionRectIntoList(list, &rect);
        }
    });
    EXPECT_EQ(256, raised);
    EXPECT_GT(blocks.Failures(), 0);
    EXPECT_EQ(0, RteLockCount(HandleOf(list)));
    blocks.Heal();
    RteFreeRectList(list);
}

}  // namespace
