// When memory runs out part way through an operation, the raise leaves no list locked and no
// working list behind.
#include "random_rects.h"
#include "rect_list_region.h"

#include <functional>

namespace {

using RectListFailures = RectListTest;

// Runs the operation with the first, second, ... growth failing until it runs through.
void FailEachGrowthInTurn(RteMemContext& context, const char* name, const std::function<void()>& operation)
{
    const size_t listsBefore = context.lists.size();
    for (int growths = 0;; ++growths) {
        context.growthsBeforeFailure = growths;
        bool failed = false;
        try {
            operation();
        } catch (const StandinOutOfMemory&) {
            failed = true;
        }
        context.growthsBeforeFailure = -1;
        EXPECT_EQ(LockedLists(context), 0) << name << ", growth " << growths;
        EXPECT_EQ(context.lists.size(), listsBefore) << name << ", growth " << growths;
        if (!failed || growths > 1000)
            break;
    }
}

TEST_F(RectListFailures, NoLocksOrWorkingListsSurviveARaise)
{
    RandomRects random(99);
    RteRectList a = Make(random.Next(5));
    RteRectList b = Make(random.Next(5));
    RteRectList out = Empty();
    const RteRect added{3, 3, 12, 14};
    HRGN region = CreateRectRgn(0, 0, 0, 0);

    FailEachGrowthInTurn(context_, "union", [&] { RteUnionRectIntoList(a, &added); });
    FailEachGrowthInTurn(context_, "quick add", [&] { RteAddRectToList(b, &added); });
    FailEachGrowthInTurn(context_, "intersection", [&] { RteSectRectLists(a, b, out); });
    FailEachGrowthInTurn(context_, "difference", [&] { RteDiffRectLists(a, b, out); });
    FailEachGrowthInTurn(context_, "difference into an input", [&] { RteDiffRectLists(a, b, b); });
    FailEachGrowthInTurn(context_, "inset", [&] { RteInsetRectList(a, 1, 1); });
    FailEachGrowthInTurn(context_, "region", [&] { RteRectListToRegion(a, 0, 0, nullptr, 0, nullptr, region); });

    DeleteObject(region);
}

}  // namespace
