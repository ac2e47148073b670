// Embedded objects inserted through insertion batches.
#include <gtest/gtest.h>

#include <cstring>

#include "object_fixture.h"
#include "rte_batch.h"
#include "rte_object_batch.h"
#include "rte_object_queries.h"
#include "style_checks.h"

namespace {

using ObjectBatchTest = ObjectStreamTest;

void Append(RteHandle doc, const char* text)
{
    RteBatchAppend(doc, reinterpret_cast<const uint8_t*>(text), static_cast<int32_t>(std::strlen(text)), nullptr,
                   nullptr, nullptr, 0);
}

TEST_F(ObjectBatchTest, AnObjectInABatchIsTwoCharactersCarryingItsStyle)
{
    RteHandle doc = MakeDocument("ab");
    RteHandle object = RteNewObjectRecord(&context_, RTE_KIND_MAC, nullptr, 0);
    RteBeginBatch(doc, 1);
    Append(doc, "x");
    EXPECT_EQ(RTE_KIND_MAC, RteBatchInsertObject(doc, object, nullptr, 0, 0));
    Append(doc, "y");
    RteEndBatch(doc, false, 0);
    EXPECT_EQ(4 + 2, RteTextLength(doc));
    EXPECT_EQ(1, RteCountObjects(doc, nullptr));
    int32_t offset = 0, style = 0;
    RteRange all = {0, 6};
    EXPECT_EQ(object, RteNthObject(doc, &all, 1, &offset, &style));
    EXPECT_EQ(2, offset);
    EXPECT_EQ(1, Elements<RteCharStyle>(DocumentOf(doc).charStyles)[style].units23to34[10]);
    EXPECT_EQ("", RunProblems(doc));
}

TEST_F(ObjectBatchTest, OutsideABatchTheObjectGoesInAtTheSelection)
{
    RteHandle doc = MakeDocument("abcd");
    {
        RteLocked<RteSelectPoint> points(DocumentOf(doc).selection);
        points[0].offset = points[1].offset = 3;
    }
    RteHandle object = RteNewObjectRecord(&context_, RTE_KIND_MAC, nullptr, 0);
    RteBatchInsertObject(doc, object, nullptr, 0, 1);
    int32_t offset = 0, style = 0;
    RteRange all = {0, 6};
    EXPECT_EQ(object, RteNthObject(doc, &all, 1, &offset, &style));
    EXPECT_EQ(3, offset);
    RteLocked<RteSelectPoint> points(DocumentOf(doc).selection);
    EXPECT_EQ(5, points[0].offset);
    EXPECT_EQ("", RunProblems(doc));
}

}  // namespace
