// The per-style hooks called over the runs of a range.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "document_fixture.h"
#include "rte_run_hooks.h"
#include "rte_style_units.h"
#include "rte_styles.h"

namespace {

struct HeardCall {
    int32_t slot;
    RteRunHookCall call;
    std::string text;
};
std::vector<HeardCall> g_heard;

intptr_t Hear(int32_t slot, intptr_t call)
{
    const auto* heard = reinterpret_cast<const RteRunHookCall*>(call);
    g_heard.push_back({slot, *heard, std::string(reinterpret_cast<const char*>(heard->text),
                                                 static_cast<size_t>(heard->count))});
    return 0;
}
intptr_t HearSlot10(RteHandle, RteCharStyle*, intptr_t call, intptr_t) { return Hear(10, call); }
intptr_t HearSlot14(RteHandle, RteCharStyle*, intptr_t call, intptr_t) { return Hear(14, call); }

// "Quelques mots." with "mots" in a style that hears both kinds of call.
class RunHooksTest : public DocumentTest {
protected:
    void SetUp() override
    {
        DocumentTest::SetUp();
        doc_ = MakeDocument("Quelques mots.");
        RteCharStyle style;
        RteCharStyle mask;
        RteClearCharStyle(&style, 0);
        RteClearCharStyle(&mask, 0);
        style.styleBits = 0x200 | 0x800;
        style.hooks.slot10 = HearSlot10;
        style.hooks.slot14 = HearSlot14;
        mask.styleBits = 0xFFFFFFFF;
        std::memset(&mask.hooks.slot10, 0xFF, sizeof mask.hooks.slot10);
        std::memset(&mask.hooks.slot14, 0xFF, sizeof mask.hooks.slot14);
        RteRange words{9, 13};
        RteSetCharStyle(doc_, &words, &style, &mask, 0);
        g_heard.clear();
    }

    RteHandle doc_ = nullptr;
};

TEST_F(RunHooksTest, OnlyTheRunsWhoseStylesAskHear)
{
    RteCallRunHooks(doc_, 77, 13, 5, 7, RTE_RUN_HOOK_NOTICE, 0, 0, 0);
    ASSERT_EQ(g_heard.size(), 1u);
    EXPECT_EQ(g_heard[0].slot, 10);
    EXPECT_EQ(g_heard[0].call.argument, 77);
    EXPECT_EQ(g_heard[0].call.verb, 13);
    EXPECT_EQ(g_heard[0].call.runStart, 9);
    EXPECT_EQ(g_heard[0].call.rangeStart, 5);
    EXPECT_EQ(g_heard[0].text, "ues mots") << "from the range start to the run's end";

    g_heard.clear();
    RteCallRunHooks(doc_, 0, 4, 0, 9, RTE_RUN_HOOK_VERB, 0, 0, 0);
    EXPECT_TRUE(g_heard.empty()) << "a range that ends where the run starts";
    EXPECT_EQ(LockedHandles(), 0);
}

TEST_F(RunHooksTest, TheRangeKindHandsEachRunItsPart)
{
    RteCallRunHooks(doc_, 0, 0, 11, 10, RTE_RUN_HOOK_RANGE, 1, 2, 3);
    ASSERT_EQ(g_heard.size(), 1u);
    EXPECT_EQ(g_heard[0].slot, 14);
    EXPECT_EQ(g_heard[0].text, "mots") << "from the run's own start";
    EXPECT_EQ(g_heard[0].call.clipped.start, 11);
    EXPECT_EQ(g_heard[0].call.clipped.end, 13);
    EXPECT_EQ(g_heard[0].call.values[2], 3);
}

}  // namespace
