// Memory context and handles: life cycle, locks, growth, typed elements, tables, keys and
// running out of memory.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "failing_blocks.h"
#include "rte_memory.h"
#include "rte_typed.h"

namespace {

class RteHandleTest : public testing::Test {
protected:
    void SetUp() override { RteMemInit(&context_, 0); }
    void TearDown() override { RteMemFree(&context_); }

    // Runs work in a frame and answers the code raised to it.
    template <class Work>
    uint16_t Raised(Work&& work)
    {
        return RteTry(&context_, work);
    }

    std::string Bytes(RteHandle handle)
    {
        RteLocked<char> bytes(handle);
        return std::string(bytes.get(), RteByteSize(handle));
    }

    RteMemContext context_ = {};
};

size_t BlockOf(size_t elementSize, size_t elements) { return sizeof(RteHandleHeader) + elementSize * elements; }

RteHandleHeader HeaderOf(RteHandle handle)
{
    RteHandleHeader header;
    std::memcpy(&header, RteBlocks().lock(*handle), sizeof header);
    RteBlocks().unlock(*handle);
    return header;
}

TEST_F(RteHandleTest, InitialisationFillsTheContext)
{
    EXPECT_EQ(0x7777, context_.magic);
    EXPECT_EQ(143, context_.reserved);
    EXPECT_EQ(1u, context_.keyCounter);
    EXPECT_EQ(1u, context_.currentKey);
    EXPECT_EQ(0x10000u, context_.purgeExtra);
    EXPECT_EQ(0x7FFFFFFFu, context_.byteLimit) << "limit 0 means no limit";
    EXPECT_EQ(RTE_TABLE_BYTES + RTE_RESERVE_BYTES, context_.bytesInUse);
    EXPECT_EQ(nullptr, context_.purgeHook);

    RteMemContext limited = {};
    RteMemInit(&limited, 50000);
    EXPECT_EQ(50000u, limited.byteLimit);
    RteMemFree(&limited);
}

TEST_F(RteHandleTest, HandleLifeCycle)
{
    size_t before = context_.bytesInUse;
    RteHandle handle = RteAlloc(&context_, 4, 10, 6, true);
    ASSERT_NE(nullptr, handle);
    EXPECT_EQ(10, RteCount(handle));
    EXPECT_EQ(4, RteElementSize(handle));
    EXPECT_EQ(6, RteGetGrowBy(handle));
    EXPECT_EQ(40u, RteByteSize(handle));
    EXPECT_EQ(RTE_PRIORITY_DEFAULT, RteGetPurgeFlags(handle));
    EXPECT_EQ(1u, RteGetKey(handle));
    EXPECT_EQ(&context_, RteHandleContext(handle));
    EXPECT_EQ(before + BlockOf(4, 16), context_.bytesInUse);
    EXPECT_EQ(std::string(40, '\0'), Bytes(handle));

    RteFree(handle);
    EXPECT_EQ(nullptr, *handle) << "the slot is free again";
    EXPECT_EQ(before, context_.bytesInUse);
    RteFreeAny(nullptr);
    RteDisposeAny(nullptr);
    EXPECT_EQ(nullptr, RteDuplicateAny(nullptr));
}

TEST_F(RteHandleTest, LocksAreCounted)
{
    RteHandle handle = RteNewString(&context_, "abc");
    char* first = static_cast<char*>(RteLock(handle));
    char* second = static_cast<char*>(RteLockData(handle));
    EXPECT_EQ(first, second);
    EXPECT_STREQ("abc", first);
    EXPECT_EQ(2, RteLockCount(handle));
    RteUnlock(handle);
    EXPECT_EQ(1, RteLockCount(handle));
    RteLock(handle);
    RteUnlockAll(handle);
    EXPECT_EQ(0, RteLockCount(handle));
    RteUnlock(handle);
    EXPECT_EQ(0, RteLockCount(handle)) << "an unlock too many leaves the count at 0";
    EXPECT_EQ(3u, HeaderOf(handle).accessCount);
}


TEST_F(RteHandleTest, GrowingAddsGrowByAndKeepsTheContents)
{
    RteHandle handle = RteNewFromData(&context_, "0123456789", 1, 10);
    RteSetGrowBy(handle, 20);
    size_t before = context_.bytesInUse;
    RteSetCount(handle, 11);
    EXPECT_EQ(31, HeaderOf(handle).allocated);
    EXPECT_EQ(before + 31 - 10, context_.bytesInUse);
    EXPECT_EQ("0123456789", Bytes(handle).substr(0, 10));

    void* block = *handle;
    RteSetCount(handle, 30);
    EXPECT_EQ(block, *handle) << "within the room only the count changes";
    EXPECT_EQ(31, HeaderOf(handle).allocated);
}

TEST_F(RteHandleTest, ShrinkingKeepsTheRoomUntilCompacted)
{
    RteHandle handle = RteAlloc(&context_, 2, 100, 0, true);
    RteSetCount(handle, 10);
    EXPECT_EQ(10, RteCount(handle));
    EXPECT_EQ(100, HeaderOf(handle).allocated);
    RteDelete(handle, 0, 5);
    EXPECT_EQ(100, HeaderOf(handle).allocated) << "deletes never shrink";

    size_t before = context_.bytesInUse;
    RteCompact(handle);
    EXPECT_EQ(5, HeaderOf(handle).allocated);
    EXPECT_EQ(before - 2 * 95, context_.bytesInUse);
    EXPECT_EQ(BlockOf(2, 5), RteBlocks().size(*handle));
}

TEST_F(RteHandleTest, InsertAppendAndDelete)
{
    RteHandle handle = RteNewFromData(&context_, "abef", 1, 4);
    std::memcpy(RteInsert(handle, 2, 2), "cd", 2);
    EXPECT_EQ(1, RteLockCount(handle)) << "the inserted elements come locked";
    RteUnlock(handle);
    EXPECT_EQ("abcdef", Bytes(handle));

    std::memcpy(RteInsert(handle, 6, 1), "g", 1);
    RteUnlock(handle);
    EXPECT_EQ("abcdefg", Bytes(handle)) << "an insert at the count appends";

    std::memcpy(RteAppend(handle, 2, false), "hi", 2);
    RteUnlock(handle);
    RteDelete(handle, 1, 0);
    EXPECT_EQ("abcdefghi", Bytes(handle)) << "a delete of none does nothing";
    RteDelete(handle, 1, 2);
    EXPECT_EQ("adefghi", Bytes(handle));
    RteDelete(handle, 5, 100);
    EXPECT_EQ("adefg", Bytes(handle)) << "a delete past the end stops at it";

    RteLock(handle);
    RteAppend(handle, 300, true);
    EXPECT_EQ(1, RteLockCount(handle)) << "the caller's lock moved to the returned pointer";
    RteUnlock(handle);
    EXPECT_EQ(305, RteCount(handle));
}

TEST_F(RteHandleTest, SmallHelpers)
{
    RteHandle handle = RteAllocOf<int32_t>(&context_, 0, 4, false);
    EXPECT_EQ(0, RtePop(handle)) << "nothing to take from an empty handle";
    EXPECT_EQ(0, RteDeleteFirst(handle));
    EXPECT_EQ(0, RteAppendZero(handle));
    auto* first = static_cast<int32_t*>(RteAppendZeroLock(handle));
    first[0] = 7;
    first[1] = 8;
    EXPECT_EQ(1, RteLockCount(handle));
    EXPECT_EQ(1, RteUnlockDeleteFirst(handle));
    int32_t value = 0;
    RteGetElement(handle, 0, &value);
    EXPECT_EQ(8, value);
    RteLock(handle);
    EXPECT_EQ(0, RteUnlockPop(handle));
    RteAppendZero(handle);
    RteLock(handle);
    RteUnlockClear(handle);
    EXPECT_EQ(0, RteCount(handle));
    EXPECT_EQ(0, RteLockCount(handle));
}

TEST_F(RteHandleTest, TypedElementsOfEverySize)
{
    for (int16_t size : {1, 2, 3, 4, 8, 12, 16, 40}) {
        RteHandle handle = RteAlloc(&context_, size, 5, 0, false);
        auto* elements = static_cast<uint8_t*>(RteLock(handle));
        for (int i = 0; i < 5 * size; ++i)
            elements[i] = static_cast<uint8_t>(i);
        RteUnlock(handle);
        EXPECT_EQ(static_cast<size_t>(5 * size), RteByteSize(handle)) << size;
        std::vector<uint8_t> element(size);
        RteGetElement(handle, 3, element.data());
        EXPECT_EQ(3 * size, element[0]) << size;
        EXPECT_EQ(3 * size, *static_cast<uint8_t*>(RteElementPtr(handle, 3, false))) << size;
        EXPECT_EQ(0, RteLockCount(handle));
        RteElementPtr(handle, 4, true);
        EXPECT_EQ(1, RteLockCount(handle));
        RteUnlockAllAndFree(handle);
    }

    struct Pair {
        int32_t a;
        double b;
    };
    RteHandle pairs = RteAllocOf<Pair>(&context_, 2, 0, true);
    {
        RteLocked<Pair> locked(pairs);
        locked[1].b = 2.5;
        EXPECT_EQ(2, locked.size());
    }
    EXPECT_EQ(0, RteLockCount(pairs));
    Pair second;
    RteGetElement(pairs, 1, &second);
    EXPECT_EQ(2.5, second.b);
}

TEST_F(RteHandleTest, CopiesAndComparisons)
{
    RteHandle text = RteNewString(&context_, "texte");
    EXPECT_EQ(6, RteCount(text));
    RteHandle copy = RteDuplicate(text);
    EXPECT_TRUE(RteEqual(text, copy));
    EXPECT_EQ(1u, RteGetKey(copy));
    RteHandle keyed = RteDuplicateKeyed(text, 9);
    EXPECT_EQ(9u, RteGetKey(keyed));

    RteHandle wide = RteAlloc(&context_, 16, 3, 0, true);
    RteCopyInto(text, wide);
    EXPECT_EQ(1, RteElementSize(wide));
    EXPECT_EQ(6, RteCount(wide));
    EXPECT_TRUE(RteEqual(text, wide));
    RteDelete(wide, 0, 1);
    EXPECT_FALSE(RteEqual(text, wide));
    RteHandle other = RteNewString(&context_, "texta");
    EXPECT_FALSE(RteEqual(text, other)) << "same length, other bytes";
}

TEST_F(RteHandleTest, BlocksHandedOutAndIn)
{
    RteHandle text = RteNewString(&context_, "bloc");
    void* elements = RteLock(text);
    EXPECT_EQ(*text, RteHandleOfData(elements));
    RteUnlock(text);

    size_t before = context_.bytesInUse;
    RteBlock plain = RteReleaseBlock(text);
    EXPECT_EQ(nullptr, *text);
    EXPECT_EQ(before - BlockOf(1, 5), context_.bytesInUse);
    ASSERT_EQ(5u, RteBlocks().size(plain));
    EXPECT_STREQ("bloc", static_cast<char*>(RteBlocks().lock(plain)));
    RteBlocks().unlock(plain);

    RteHandle adopted = RteAdoptBlock(&context_, plain, 1);
    EXPECT_EQ(5, RteCount(adopted));
    EXPECT_EQ(0, RteGetGrowBy(adopted));
    EXPECT_EQ(8, RteGetPurgeFlags(adopted) & RTE_PURGE_PRIORITY_MASK);
    EXPECT_EQ(std::string("bloc", 5), Bytes(adopted));

    RteLock(adopted);
    RteBlock raw = RteDetachBlock(adopted);
    EXPECT_EQ(0, static_cast<RteHandleHeader*>(RteBlocks().lock(raw))->lockCount) << "detaching releases the locks";
    RteBlocks().unlock(raw);
    RteBlocks().free(raw);
}

TEST_F(RteHandleTest, LengthPrefixes)
{
    struct Case {
        int32_t count;
        bool prefixed;
    } cases[] = {{0, true}, {10, true}, {254, true}, {255, false}, {256, false}, {300, false}};
    for (const Case& c : cases) {
        RteHandle handle = RteAlloc(&context_, 1, c.count, 0, true);
        EXPECT_EQ(c.count, RteMakeLengthPrefixed(handle)) << c.count;
        EXPECT_EQ(c.prefixed ? c.count + 1 : c.count, RteCount(handle)) << c.count;
        if (c.prefixed) {
            EXPECT_EQ(c.count, *static_cast<uint8_t*>(RteElementPtr(handle, 0, false)));
        }

        RteHandle locked = RteAlloc(&context_, 1, c.count, 0, true);
        uint16_t code = Raised([&] {
            auto* bytes = static_cast<uint8_t*>(RteMakeLengthPrefixedLock(locked));
            EXPECT_EQ(c.count, bytes[0]);
        });
        EXPECT_EQ(c.prefixed ? 0 : 523, code) << c.count;
        EXPECT_EQ(c.prefixed ? 1 : 0, RteLockCount(locked)) << c.count;
    }
}

TEST_F(RteHandleTest, MoveCopiesForwardOrFromTheEnds)
{
    char forward[] = "abcdefgh";
    RteMove(forward, forward + 2, 4);
    EXPECT_STREQ("ababcdgh", forward);
    char backward[] = "abcdefgh";
    RteMove(backward + 5, backward + 7, -5);  // the areas end before 'f' and 'h'
    EXPECT_STREQ("ababcdeh", backward);
}

TEST_F(RteHandleTest, The256thHandleOpensASecondTable)
{
    std::vector<RteHandle> handles;
    for (int i = 0; i < RTE_TABLE_SLOTS; ++i)
        handles.push_back(RteAlloc(&context_, 1, 1, 0, false));
    size_t before = context_.bytesInUse;
    RteHandle second = RteAlloc(&context_, 1, 1, 0, false);
    EXPECT_EQ(before + RTE_TABLE_BYTES + BlockOf(1, 1), context_.bytesInUse);
    auto* firstTable = static_cast<RteBlock*>(RteBlocks().lock(context_.firstTable));
    RteBlocks().unlock(context_.firstTable);
    EXPECT_TRUE(second < firstTable || second >= firstTable + RTE_TABLE_SLOTS + 1);
    EXPECT_NE(nullptr, firstTable[RTE_TABLE_SLOTS]) << "linked from the first table's last entry";

    RteFree(handles[5]);
    RteHandle next = RteAlloc(&context_, 1, 1, 0, false);
    EXPECT_NE(handles[5], next) << "the current table is not full yet";
    for (int i = 2; i < RTE_TABLE_SLOTS; ++i)
        RteAlloc(&context_, 1, 1, 0, false);
    EXPECT_EQ(handles[5], RteAlloc(&context_, 1, 1, 0, false)) << "found by the search once the table is full";
}

TEST_F(RteHandleTest, KeysGroupHandles)
{
    RteHandle plain = RteAlloc(&context_, 1, 10, 0, false);
    uint32_t key = RteNewKey(&context_);
    EXPECT_EQ(2u, key);
    RteHandle a = RteAlloc(&context_, 2, 3, 0, false);
    RteHandle b = RteAllocKeyedClear(&context_, 4, 5, 0, key);
    RteHandle other = RteAllocKeyed(&context_, 1, 7, 0, 77);
    EXPECT_EQ(key, RteGetKey(a));
    EXPECT_EQ(3 + 5, RteKeyCount(&context_, key, false));
    EXPECT_EQ(7, RteKeyCount(&context_, 77, false));
    EXPECT_EQ(26, RteKeyCount(&context_, key, true));
    EXPECT_EQ(10 + 3 + 5 + 7, RteKeyCount(&context_, 0, false));

    RteLock(a);
    RteLock(a);
    RteLock(b);
    RteUnlockByKey(&context_, key);
    EXPECT_EQ(1, RteLockCount(a));
    EXPECT_EQ(0, RteLockCount(b));
    RteUnlockAllByKey(&context_, key);
    EXPECT_EQ(0, RteLockCount(a));

    RteChangeKey(&context_, 77, key);
    RteLock(other);
    RteFreeByKey(&context_, key);
    EXPECT_EQ(nullptr, *a);
    EXPECT_EQ(nullptr, *b);
    EXPECT_EQ(nullptr, *other) << "locked handles of the key go too";
    EXPECT_NE(nullptr, *plain);
}

TEST_F(RteHandleTest, OutOfMemoryIsRaisedAs256ToTheInnermostFrame)
{
    RteHandle kept = RteNewString(&context_, "garde");
    size_t before = context_.bytesInUse;
    FailingBlocks blocks;
    blocks.FailAbove(100000);
    RteHandle made = nullptr;
    uint16_t outer = Raised([&] {
        uint16_t inner = Raised([&] { made = RteAlloc(&context_, 1, 200000, 0, false); });
        EXPECT_EQ(256, inner);
        EXPECT_NE(nullptr, context_.innermostFrame) << "the outer frame is still there";
    });
    EXPECT_EQ(0, outer);
    EXPECT_EQ(nullptr, made);
    EXPECT_EQ(nullptr, context_.reserveBlock) << "given up at the first failure";
    EXPECT_EQ(before - RTE_RESERVE_BYTES, context_.bytesInUse);
    EXPECT_EQ(2, blocks.Failures()) << "tried again once after giving up the reserve";

    blocks.Heal();
    RteAlloc(&context_, 1, 10, 0, false);
    EXPECT_NE(nullptr, context_.reserveBlock) << "made again after the next success";
    EXPECT_EQ("garde", std::string(static_cast<char*>(RteElementPtr(kept, 0, false))));
}

TEST_F(RteHandleTest, GrowthThatFailsLeavesTheHandleAsItWas)
{
    RteHandle handle = RteNewString(&context_, "abc");
    RteLock(handle);
    FailingBlocks blocks;
    blocks.FailAbove(1000);
    EXPECT_EQ(256, Raised([&] { RteAppend(handle, 5000, false); }));
    EXPECT_EQ(4, RteCount(handle));
    EXPECT_EQ(1, RteLockCount(handle)) << "the caller's lock is given back";
    EXPECT_EQ(256, Raised([&] { RteSetCount(handle, 4000); }));
    EXPECT_EQ(handle, context_.guiltyHandle);
    EXPECT_STREQ("abc", static_cast<char*>(RteElementPtr(handle, 0, false)));
}

TEST_F(RteHandleTest, SizesNoBlockCanHaveAreOutOfMemory)
{
    FailingBlocks blocks;
    struct Case {
        int16_t elementSize;
        int32_t count;
        uint16_t growBy;
    } cases[] = {{16, INT32_MAX, 10}, {1, -1, 0}, {0, 10, 0}, {-4, 10, 0}};
    for (const Case& c : cases)
        EXPECT_EQ(256, Raised([&] { RteAlloc(&context_, c.elementSize, c.count, c.growBy, false); }))
            << c.elementSize << " x " << c.count;
    EXPECT_EQ(0, blocks.Failures()) << "refused before asking the platform";
    RteHandle handle = RteAlloc(&context_, 8, 1, 0, false);
    EXPECT_EQ(256, Raised([&] { RteSetCount(handle, -2); }));
    EXPECT_EQ(1, RteCount(handle));
}

TEST_F(RteHandleTest, ResetThatCannotResizeClaimsOnlyTheRealRoom)
{
    RteHandle handle = RteAlloc(&context_, 1, 10, 0, true);
    FailingBlocks blocks;
    blocks.FailAbove(RteBlocks().size(*handle));
    Raised([&] { RteReset(handle, 16, 100); });
    EXPECT_EQ(256, context_.lastError) << "noted, not raised";
    RteHandleHeader header = HeaderOf(handle);
    EXPECT_EQ(16, header.elementSize);
    EXPECT_EQ(0, header.count);
    EXPECT_LE(BlockOf(16, header.allocated), RteBlocks().size(*handle));

    blocks.Heal();
    std::memset(RteAppend(handle, 50, false), 0xAB, 50 * 16);
    RteUnlock(handle);
    EXPECT_LE(BlockOf(16, 50), RteBlocks().size(*handle));
}

TEST_F(RteHandleTest, InitialisationFailureReachesAFramePushedBeforeIt)
{
    FailingBlocks blocks;
    blocks.FailAll();
    RteMemContext fresh = {};
    uint16_t code = RteTry(&fresh, [&] { RteMemInit(&fresh, 0); });
    EXPECT_EQ(256, code);
    EXPECT_EQ(nullptr, fresh.firstTable);
    EXPECT_EQ(nullptr, fresh.reserveBlock);
}

}  // namespace
