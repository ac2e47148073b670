// The object tests' streams.
#include "object_fixture.h"

#include "rte_io.h"

void ObjectStreamTest::SetUp()
{
    StreamTest::SetUp();
    RteRegisterObjectRecords(&env_, nullptr, 0);
}

Bytes ObjectStreamTest::SaveWithObjects(RteHandle doc)
{
    RteHandle target = RteAlloc(&context_, 1, 0, 256, false);
    auto reference = reinterpret_cast<intptr_t>(target);
    int32_t position = 0;
    EXPECT_EQ(0, RteSaveDoc(doc, &position, nullptr, 0, RteMemWriter, reference, 0));
    EXPECT_EQ(0, RteSaveObjects(doc, RteMemWriter, &position, reference));
    EXPECT_EQ(0, RteSaveDocEnd(doc, &position, RteMemWriter, reference));
    Bytes bytes = Contents(target);
    RteFree(target);
    return bytes;
}
