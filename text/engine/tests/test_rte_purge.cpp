// Purging: handles written out to the spill file when memory runs short and read back on use.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>

#include "failing_blocks.h"
#include "rte_memory.h"
#include "scratch_dir.h"

namespace {

class RtePurgeTest : public testing::Test {
protected:
    void SetUp() override
    {
        RteMemInit(&context_, 0);
        spill_ = CreateFileA((scratch_ / "spill.tmp").c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                             CREATE_ALWAYS, FILE_ATTRIBUTE_TEMPORARY, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, spill_);
        ASSERT_EQ(0, RteSetPurgeHook(&context_, nullptr, reinterpret_cast<intptr_t>(spill_)));
    }
    void TearDown() override
    {
        RteMemFree(&context_);
        CloseHandle(spill_);
    }

    // A byte handle of `size` bytes, each the low byte of (its index + seed).
    RteHandle Filled(int32_t size, int seed)
    {
        RteHandle handle = RteAlloc(&context_, 1, size, 0, false);
        auto* bytes = static_cast<uint8_t*>(RteLock(handle));
        for (int32_t i = 0; i < size; ++i)
            bytes[i] = static_cast<uint8_t>(i + seed);
        RteUnlock(handle);
        return handle;
    }

    static bool HoldsFill(RteHandle handle, int32_t size, int seed)
    {
        auto* bytes = static_cast<uint8_t*>(RteLock(handle));
        bool same = RteCount(handle) == size;
        for (int32_t i = 0; same && i < size; ++i)
            same = bytes[i] == static_cast<uint8_t>(i + seed);
        RteUnlock(handle);
        return same;
    }

    static bool IsPurged(RteHandle handle) { return (RteGetPurgeFlags(handle) & RTE_PURGED) != 0; }

    std::string FreeRanges()
    {
        std::string text;
        auto* values = static_cast<uint32_t*>(RteElementPtr(context_.spillFreeList, 0, false));
        for (int32_t i = 0; i < RteCount(context_.spillFreeList) / 4; i += 2)
            text += std::to_string(values[i]) + "-" + std::to_string(values[i + 1]) + " ";
        return text;
    }

    ScratchDir scratch_;
    HANDLE spill_ = INVALID_HANDLE_VALUE;
    RteMemContext context_ = {};
};

TEST_F(RtePurgeTest, InstallingMakesTheWholeFileFree)
{
    EXPECT_EQ("0-2147483647 ", FreeRanges());
    EXPECT_EQ(RTE_PRIORITY_NEVER, RteGetPurgeFlags(context_.spillFreeList) & RTE_PURGE_PRIORITY_MASK);
}

TEST_F(RtePurgeTest, PurgedHandleComesBackOnLock)
{
    RteHandle handle = Filled(4000, 3);
    size_t before = context_.bytesInUse;
    EXPECT_EQ(0, RtePurge(&context_, 1000, nullptr));
    ASSERT_TRUE(IsPurged(handle));
    EXPECT_EQ(before - 4000 + 8, context_.bytesInUse);
    EXPECT_EQ("4000-2147483647 ", FreeRanges());
    EXPECT_EQ(4000, RteCount(handle));

    EXPECT_TRUE(HoldsFill(handle, 4000, 3));
    EXPECT_FALSE(IsPurged(handle));
    EXPECT_EQ(before, context_.bytesInUse);
    EXPECT_EQ("0-2147483647 ", FreeRanges()) << "the range is given back and merged";
}

TEST_F(RtePurgeTest, LockedAndSmallHandlesAreNeverPurged)
{
    RteHandle locked = Filled(4000, 1);
    RteLock(locked);
    RteHandle small = Filled(255, 2);
    RteHandle keeper = Filled(2000, 4);
    RteSetPurgeFlags(keeper, RTE_PRIORITY_NEVER, false);
    EXPECT_EQ(RTE_ERR_PURGE_SHORT, RtePurge(&context_, 100000, nullptr));
    EXPECT_FALSE(IsPurged(locked));
    EXPECT_FALSE(IsPurged(small));
    EXPECT_FALSE(IsPurged(keeper));
    RteUnlock(locked);
}

TEST_F(RtePurgeTest, LowerPrioritiesGoFirstAndTheSpareStays)
{
    RteHandle common = Filled(3000, 1);
    RteHandle cheap = Filled(3000, 2);
    RteSetPurgeFlags(cheap, 10, false);
    RteHandle spared = Filled(3000, 3);
    RteSetPurgeFlags(spared, 0, false);
    EXPECT_EQ(0, RtePurge(&context_, 2000, spared));
    EXPECT_TRUE(IsPurged(cheap));
    EXPECT_FALSE(IsPurged(common));
    EXPECT_FALSE(IsPurged(spared));
}

TEST_F(RtePurgeTest, DiscardedHandleComesBackWithItsSize)
{
    RteHandle handle = Filled(1000, 0);
    RteSetPurgeFlags(handle, 50, true);
    RtePurge(&context_, 500, nullptr);
    ASSERT_TRUE(IsPurged(handle));
    EXPECT_EQ("0-2147483647 ", FreeRanges()) << "nothing written";
    RteLock(handle);
    EXPECT_EQ(1000, RteCount(handle));
    EXPECT_LE(sizeof(RteHandleHeader) + 1000, RteBlocks().size(*handle));
    RteUnlock(handle);
}

TEST_F(RtePurgeTest, PurgedHandlesResizeFreeAndReloadByOtherPaths)
{
    RteHandle grown = Filled(600, 5);
    RteHandle freed = Filled(700, 6);
    RteHandle read = Filled(800, 7);
    RtePurge(&context_, 100000, nullptr);
    ASSERT_TRUE(IsPurged(grown) && IsPurged(freed) && IsPurged(read));

    RteFree(freed);
    uint8_t byte = 0;
    RteGetElement(read, 10, &byte);
    EXPECT_EQ(17, byte);
    RteSetCount(grown, 900);
    EXPECT_TRUE(IsPurged(grown)) << "sized on reload";
    RteLock(grown);
    EXPECT_EQ(900, RteCount(grown));
    RteUnlock(grown);
    RteSetCount(grown, 600);
    EXPECT_TRUE(HoldsFill(grown, 600, 5));
    RteFree(grown);
    EXPECT_EQ("0-2147483647 ", FreeRanges());
}

TEST_F(RtePurgeTest, ByteLimitPurgesOlderHandles)
{
    RteMemContext limited = {};
    RteMemInit(&limited, 20000);
    RteSetPurgeHook(&limited, nullptr, reinterpret_cast<intptr_t>(spill_));
    limited.purgeExtra = 0;
    RteHandle handles[10];
    for (int i = 0; i < 10; ++i) {
        handles[i] = RteAlloc(&limited, 1, 4000, 0, false);
        std::memset(RteLock(handles[i]), 'a' + i, 4000);
        RteUnlock(handles[i]);
    }
    EXPECT_TRUE(IsPurged(handles[0]));
    EXPECT_FALSE(IsPurged(handles[9])) << "the handle just made is spared";
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(std::string(4000, static_cast<char>('a' + i)), std::string(static_cast<char*>(RteLock(handles[i])), 4000))
            << i;
    RteMemFree(&limited);
}

TEST_F(RtePurgeTest, ShortMemoryPurgesBeforeRaising256)
{
    context_.purgeExtra = 0;
    RteHandle old = Filled(80000, 9);
    FailingBlocks blocks;
    blocks.FailAbove(60000);
    uint16_t code = RteTry(&context_, [&] { RteAlloc(&context_, 1, 70000, 0, false); });
    EXPECT_EQ(256, code);
    EXPECT_TRUE(IsPurged(old)) << "purged to make room before giving up";
    blocks.Heal();
    EXPECT_TRUE(HoldsFill(old, 80000, 9));
}

TEST_F(RtePurgeTest, PurgingThatFreesTooLittleRaises257)
{
    RteHandle old = Filled(50000, 9);
    FailingBlocks blocks;
    blocks.FailAbove(60000);
    EXPECT_EQ(257, RteTry(&context_, [&] { RteAlloc(&context_, 1, 70000, 0, false); }));
    EXPECT_TRUE(IsPurged(old));
}

TEST_F(RtePurgeTest, ReloadThatCannotHaveMemoryRaises256NamingTheHandle)
{
    context_.purgeExtra = 0;
    RteHandle handle = Filled(5000, 1);
    RtePurge(&context_, 1000, nullptr);
    ASSERT_TRUE(IsPurged(handle));
    RteHandle other = Filled(6000, 2);
    FailingBlocks blocks;
    blocks.FailAbove(1000);
    EXPECT_EQ(256, RteTry(&context_, [&] { RteLock(handle); }));
    EXPECT_EQ(handle, context_.guiltyHandle);
    EXPECT_EQ(0, RteGetPurgeFlags(handle) & RTE_PURGE_RELOADING) << "the reload nesting is undone";
    EXPECT_TRUE(IsPurged(other)) << "purged to make room before giving up";
    blocks.Heal();
    EXPECT_TRUE(HoldsFill(handle, 5000, 1));
}

TEST_F(RtePurgeTest, PurgeThatCannotCutTheBlockDownLosesNothing)
{
    RteHandle handle = Filled(4000, 6);
    FailingBlocks blocks;
    blocks.FailAll();
    EXPECT_EQ(256, RtePurge(&context_, 1000, nullptr));
    EXPECT_FALSE(IsPurged(handle));
    EXPECT_EQ("0-2147483647 ", FreeRanges()) << "the range written is given back";
    EXPECT_TRUE(HoldsFill(handle, 4000, 6));
}

TEST_F(RtePurgeTest, PurgeKeyPurgesOnlyThatGroup)
{
    RteHandle plain = Filled(1000, 1);
    uint32_t key = RteNewKey(&context_);
    RteHandle keyed = Filled(1000, 2);
    RteHandle lockedKeyed = Filled(1000, 3);
    RteLock(lockedKeyed);
    RtePurgeKey(&context_, key);
    EXPECT_TRUE(IsPurged(keyed));
    EXPECT_FALSE(IsPurged(lockedKeyed));
    EXPECT_FALSE(IsPurged(plain));
    RteUnlock(lockedKeyed);
    RteFreeByKey(&context_, 0);
    EXPECT_NE(nullptr, *context_.spillFreeList) << "the context's own list is no caller's handle";
}

TEST(RteSpillTest, WithoutASpillFileTheHookAnswers258)
{
    RteMemContext context = {};
    RteMemInit(&context, 0);
    EXPECT_EQ(0, RteSetPurgeHook(&context, nullptr, 0));
    RteHandle handle = RteAlloc(&context, 1, 1000, 0, true);
    EXPECT_EQ(RTE_ERR_NO_SPILL_FILE, RtePurge(&context, 100, nullptr));
    EXPECT_EQ(0, RteGetPurgeFlags(handle) & RTE_PURGED);
    RteMemFree(&context);
}

size_t g_freedByHook = 0;
size_t FreeingHook(RteMemContext*, RteHandle, size_t wanted)
{
    g_freedByHook = wanted;
    return wanted;
}

TEST(RteSpillTest, FreeMemoryHookIsAskedFirst)
{
    RteMemContext context = {};
    RteMemInit(&context, 0);
    RteHandle handle = RteAlloc(&context, 1, 1000, 0, true);
    context.freeMemoryHook = FreeingHook;
    size_t before = context.bytesInUse;
    EXPECT_EQ(0, RtePurge(&context, 300, nullptr));
    EXPECT_EQ(300u, g_freedByHook);
    EXPECT_EQ(before - 300, context.bytesInUse);
    EXPECT_EQ(0, RteGetPurgeFlags(handle) & RTE_PURGED);
    context.freeMemoryHook = nullptr;
    RteMemFree(&context);
}

}  // namespace
