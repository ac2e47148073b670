// Object records from hostile streams, read into memory that ends where a page no one may read
// begins: seeded mutations of a stream of objects end with a code, and what was read draws.
#include <gtest/gtest.h>

#include <random>

#include "guarded_blocks.h"
#include "object_fixture.h"
#include "rte_object_draw.h"
#include "test_canvas.h"

namespace {

class HostileObjectTest : public ObjectStreamTest {
protected:
    GuardedBlocks guarded_;
};

TEST_F(HostileObjectTest, MutatedObjectRecordsEndWithACodeAndWhatWasReadDraws)
{
    HDC recorder = CreateMetaFileA(nullptr);
    Rectangle(recorder, 1, 1, 9, 9);
    RteMetafileData meta = {CloseMetaFile(recorder), MM_TEXT, 0, 0, {0, 0, 10, 10}};
    std::string longText(50, 'x');
    RteRect rect = {0, 0, 10, 10};
    RteHandle doc = DocumentWithObjects("[][][][]", {{0, RteNewObjectRecord(&context_, RTE_KIND_METAFILE, &meta, 0)},
                                                     {2, RteNewObjectRecord(&context_, RTE_KIND_TEXT, "court", 0)},
                                                     {4, RteNewObjectRecord(&context_, RTE_KIND_TEXT, longText.c_str(), 0)},
                                                     {6, RteNewObjectRecord(&context_, RTE_KIND_FRAME, &rect, 0)}});
    Bytes whole = SaveWithObjects(doc);
    TestCanvas canvas(20, 20);
    RtePicturePort port = {canvas.Dc(), &context_, nullptr, nullptr};
    std::mt19937 random(1211);
    for (int round = 0; round < 1500; ++round) {
        Bytes bytes = whole;
        for (int i = 0, n = 1 + static_cast<int>(random() % 3); i < n; ++i) {
            size_t at = whole.size() / 2 + random() % (whole.size() / 2);  // the object records lie there
            bytes[at] = static_cast<uint8_t>(random() % 3 ? random() : "0123456789ABCDEF,\x02\x03"[random() % 19]);
        }
        uint16_t code = 1;
        RteHandle back = Load(bytes, &code);
        EXPECT_TRUE(code == 0 || code == RTE_ERR_STREAM_DAMAGED) << round << ": " << code;
        EXPECT_EQ(0, LockedHandles()) << round;
        for (const RteCharStyle& style : Elements<RteCharStyle>(DocumentOf(back).charStyles))
            if (style.object)
                RteDrawObjectDefault(&port, reinterpret_cast<RteHandle>(style.object), &rect);
        RteDocDestroy(back);
        if (HasFailure())
            break;
    }
}

}  // namespace
