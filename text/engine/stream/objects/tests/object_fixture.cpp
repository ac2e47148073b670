// The object tests' streams.
#include "object_fixture.h"

#include "rte_io.h"
#include "rte_style_units.h"
#include "rte_styles.h"

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

RteHandle ObjectStreamTest::DocumentWithObjects(const std::string& text,
                                                const std::vector<std::pair<int32_t, RteHandle>>& objects)
{
    RteHandle doc = MakeDocument(text);
    int32_t distinct = 0;
    for (const auto& [offset, object] : objects) {
        RteCharStyle style = {};
        RteCharStyle mask;
        RteClearCharStyle(&mask, 0);
        style.value15 = ++distinct;  // keeps the styles apart
        mask.value15 = -1;
        RteRange range = {offset, offset + 2};
        RteSetCharStyle(doc, &range, &style, &mask, 0);
        RteLocked<RteDocument> d(doc);
        int32_t index = 0;
        int32_t styleIndex = RteFindRun(d->charRuns, offset, &index)->index;
        RteUnlock(d->charRuns);
        RteCharStyle equipped = Elements<RteCharStyle>(d->charStyles)[styleIndex];
        equipped.object = reinterpret_cast<intptr_t>(object);
        RteSetObjectHooks(&equipped, Elements<RteObject>(object)[0]);
        RteFont font = Elements<RteFont>(d->fonts)[0];
        equipped.hooks.metrics(doc, &equipped, &font);
        RteLocked<RteCharStyle>(d->charStyles)[styleIndex] = equipped;
    }
    return doc;
}
