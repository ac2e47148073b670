#include "qxfile.h"
#include "qxlist.h"
#include "qxsupport.h"
#include "scratch_dir.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

struct Record {
    int index;
    char text[96];
};
static_assert(sizeof(Record) == 100);

Record MakeRecord(int i)
{
    Record r{};
    r.index = i;
    std::snprintf(r.text, sizeof r.text, "item %d", i);
    return r;
}

void Fill(ARRAY& array, int count)
{
    array.SetItemSize(sizeof(Record));
    for (int i = 0; i < count; ++i) {
        Record r = MakeRecord(i);
        ASSERT_EQ(array.AddItem(&r), 0) << i;
    }
}

bool IsLocked(HGLOBAL block) { return (GlobalFlags(block) & GMEM_LOCKCOUNT) != 0; }

TEST(Array, HundredByteItemsHold81PerBlock)
{
    ARRAY array;
    Fill(array, 200);
    EXPECT_EQ(array.Items(), 200);
    EXPECT_EQ(static_cast<LIST&>(array).Items(), 3) << "three blocks for 200 items";
    for (int i : {0, 80, 81, 161, 162, 199}) {
        auto* r = static_cast<Record*>(array[i]);
        ASSERT_NE(r, nullptr);
        EXPECT_EQ(r->index, i);
        EXPECT_STREQ(r->text, MakeRecord(i).text);
    }
    auto* first = static_cast<char*>(array.GetItem(0));
    auto* item80 = static_cast<char*>(array.GetItem(80));
    auto* item81 = static_cast<char*>(array.GetItem(81));
    EXPECT_EQ(item80 - first, 80 * 100);
    EXPECT_NE(GlobalHandle(item81), GlobalHandle(first)) << "item 81 opens the second block";
    HGLOBAL second = GlobalHandle(item81);
    EXPECT_EQ(GlobalLock(second), item81) << "at the start of its block";
    GlobalUnlock(second);
    EXPECT_EQ(array.GetItem(200), nullptr);
}

TEST(Array, AtMostTwoBlocksLocked)
{
    ARRAY array;
    Fill(array, 243);  // three full blocks
    HGLOBAL blocks[3];
    for (int b = 0; b < 3; ++b)
        blocks[b] = GlobalHandle(array.GetItem(b * 81));  // each block's first item is its base
    // Alternate between the three blocks: the block just read stays locked, and never more
    // than two are.
    for (int step = 0; step < 12; ++step) {
        const int b = (step * 2) % 3;
        auto* r = static_cast<Record*>(array.GetItem(b * 81 + step));
        ASSERT_EQ(r->index, b * 81 + step);
        EXPECT_TRUE(IsLocked(blocks[b])) << "step " << step;
        int locked = 0;
        for (HGLOBAL block : blocks)
            locked += IsLocked(block) ? 1 : 0;
        EXPECT_LE(locked, 2) << "step " << step;
    }
    // The two most recently used stay locked together: pointers into both remain valid.
    auto* late = static_cast<Record*>(array.GetItem(200));
    auto* early = static_cast<Record*>(array.GetItem(3));
    EXPECT_EQ(late->index, 200);
    EXPECT_EQ(early->index, 3);
    EXPECT_TRUE(IsLocked(blocks[2]));
    EXPECT_TRUE(IsLocked(blocks[0]));
    EXPECT_FALSE(IsLocked(blocks[1]));
}

TEST(Array, WriteGoesBlockByBlock)
{
    ScratchDir dir;
    ARRAY array;
    Fill(array, 200);
    QXFILE file = QXopen((dir / "items.bin").c_str(), 1);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(array.Write(file), 200);
    QXclose(file);
    const std::string bytes = dir.Read("items.bin");
    ASSERT_EQ(bytes.size(), 200u * 100u);
    for (int i : {0, 81, 162, 199}) {
        Record r;
        std::memcpy(&r, bytes.data() + i * 100, sizeof r);
        EXPECT_EQ(r.index, i);
    }
    ARRAY empty;
    empty.SetItemSize(10);
    EXPECT_EQ(empty.Write(file), 0);
}

TEST(Array, WriteStopsAtAShortWrite)
{
    ScratchDir dir;
    dir.Write("ro.bin", "");
    ARRAY array;
    Fill(array, 10);
    // A handle opened for reading only: the first write fails.
    HANDLE file = CreateFileA((dir / "ro.bin").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    EXPECT_EQ(array.Write(file), 0);
    CloseHandle(file);
}

TEST(Array, AssignmentMovesClearFrees)
{
    ARRAY source, target;
    Fill(source, 100);
    Fill(target, 5);
    target = source;
    EXPECT_EQ(source.Items(), 0);
    EXPECT_EQ(source.GetItem(0), nullptr);
    ASSERT_EQ(target.Items(), 100);
    EXPECT_EQ(static_cast<Record*>(target.GetItem(99))->index, 99);
    EXPECT_EQ(static_cast<Record*>(target.GetItem(0))->index, 0);
    target.Clear();
    EXPECT_EQ(target.Items(), 0);
    Record r = MakeRecord(7);
    EXPECT_EQ(target.AddItem(&r), 0) << "usable again after Clear";
    EXPECT_EQ(static_cast<Record*>(target[0])->index, 7);
}

TEST(Array, WithoutAnItemSizeHoldsNothing)
{
    ARRAY array;
    int value = 1;
    EXPECT_EQ(array.AddItem(&value), 1);
    array.SetItemSize(9000);
    EXPECT_EQ(array.AddItem(&value), 1) << "no room per block";
    EXPECT_EQ(array.Items(), 0);
}

}  // namespace
