// Object records written by older versions of the engine (the stream fixtures'
// make_old_streams.py): their fields by stream version, their picture header by record version.
#include <gtest/gtest.h>

#include "object_fixture.h"

namespace {

using OldObjectTest = ObjectStreamTest;

TEST_F(OldObjectTest, EachVersionReadsTheObjectFieldsItWrote)
{
    struct Case {
        const char* name;
        int16_t values16a[2];
        int32_t values32[2];
        RteRect rect;
        int32_t mappingMode;
        int16_t values16b[6];
    } cases[] = {
        {"objects-v1000B", {0, 0}, {0, 0}, {0, 0, 0, 0}, 0, {0, 0, 0, 0, 0, 0}},
        {"objects-v1000C", {11, 12}, {13, 14}, {1, 2, 3, 4}, 0, {0, 0, 0, 0, 0, 0}},
        {"objects-v10013", {11, 12}, {13, 14}, {1, 2, 3, 4}, 8, {21, 22, 23, 24, 0, 0}},
        {"objects-v20000", {11, 12}, {13, 14}, {1, 2, 3, 4}, 8, {21, 22, 23, 24, 25, 26}},
    };
    for (const Case& c : cases) {
        Bytes bytes = OldStream(c.name);
        ASSERT_FALSE(bytes.empty()) << c.name;
        uint16_t code = 1;
        RteHandle doc = Load(bytes, &code);
        ASSERT_EQ(0, code) << c.name;
        auto styles = Elements<RteCharStyle>(DocumentOf(doc).charStyles);
        ASSERT_EQ(3u, styles.size()) << c.name;
        EXPECT_EQ(0, styles[0].object) << c.name;
        ASSERT_NE(0, styles[1].object) << c.name;
        ASSERT_NE(0, styles[2].object) << c.name;
        RteObject value = Elements<RteObject>(reinterpret_cast<RteHandle>(styles[1].object))[0];
        EXPECT_EQ(RTE_KIND_VALUE, RteObjectKindOf(value)) << c.name;
        EXPECT_EQ(0x5151, value.data) << c.name;
        EXPECT_EQ(40, value.width) << c.name;
        EXPECT_EQ(30, value.height) << c.name;
        EXPECT_EQ(4, value.descent) << c.name;
        EXPECT_EQ(77, value.referenceValue) << c.name;
        EXPECT_EQ(2, value.insets[RTE_INSET_BOTTOM]) << c.name;
        EXPECT_EQ(RTE_OBJECT_VERSION, value.version) << c.name;

        RteObject picture = Elements<RteObject>(reinterpret_cast<RteHandle>(styles[2].object))[0];
        EXPECT_EQ(RTE_KIND_PICTURE, RteObjectKindOf(picture)) << c.name;
        EXPECT_EQ(50, picture.width) << c.name;
        EXPECT_EQ(Bytes({20, 0, 10, 0, 0, 0, 0, 0}), Contents(reinterpret_cast<RteHandle>(picture.data))) << c.name;
        const RtePictureBlock& p = picture.picture;
        EXPECT_EQ(c.values16a[0], p.values16a[0]) << c.name;
        EXPECT_EQ(c.values16a[1], p.values16a[1]) << c.name;
        EXPECT_EQ(c.values32[1], p.values32[1]) << c.name;
        EXPECT_EQ(c.rect, p.rect) << c.name;
        EXPECT_EQ(c.mappingMode, p.mappingMode) << c.name;
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(c.values16b[i], p.values16b[i]) << c.name << " value " << i;
        RteDocDestroy(doc);
    }
}

}  // namespace
