// The edit control's object records: objects made from them by kind, read into them with the
// style's baseline, and changed through them.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>

#include "object_fixture.h"
#include "rect_list.h"
#include "rte_control_objects.h"
#include "rte_object_batch.h"
#include "rte_object_queries.h"
#include "rte_text_blocks.h"

namespace {

class ControlObjectTest : public ObjectStreamTest {
protected:
    static RteControlObject Record(int16_t kind, int16_t width, int16_t height, int32_t descent, intptr_t data)
    {
        RteControlObject record = {};
        record.kind = kind;
        record.width = width;
        record.height = height;
        record.descent = descent;
        record.data = data;
        record.insets[0] = 1, record.insets[1] = 2, record.insets[2] = 3, record.insets[3] = 4;
        record.ownerValue = 7;
        record.referenceValue = 77;
        return record;
    }

    // A document "ab cd" whose characters 2 and 3 carry the object.
    RteHandle DocumentWith(RteHandle object)
    {
        RteHandle doc = MakeDocument("ab cd");
        RteRect wrap{0, 0, 500, 400};
        RteSetRectList(RteWrapArea(doc), &wrap);
        RteInsertObject(doc, object, 2, nullptr, 0, 0);
        return doc;
    }
};

TEST_F(ControlObjectTest, ObjectsAreMadeFromTheRecordByKind)
{
    HDC recorder = CreateMetaFileA(nullptr);
    Rectangle(recorder, 0, 0, 10, 10);
    HMETAFILE metafile = CloseMetaFile(recorder);
    const char* text = "Bonjour";
    struct Case {
        RteControlObject record;
        int32_t width, height, descent;
        int16_t insetTop, insetLeft;  // the record's when the data gives no size, else 1
        const char* why;
    } cases[] = {
        {Record(RTE_KIND_RECT, 30, 10, -2, 0), 30, 10, 2, 1, 1, "a rect of the record's size; 2 pixels below"},
        {Record(RTE_KIND_RECT, 30, 10, 50, 0), 30, 10, 5, 1, 1, "half its height below"},
        {Record(RTE_KIND_METAFILE, 40, 20, -4, reinterpret_cast<intptr_t>(metafile)), 40, 20, 4, 1, 1, "a metafile"},
        {Record(RTE_KIND_TEXT, 0, 12, 0, reinterpret_cast<intptr_t>(text)), 0, 12, 0, 1, 2, "a text"},
        {Record(RTE_KIND_VALUE, 25, 15, -3, 0x5151), 25, 15, 3, 1, 2, "a value, 3 pixels below"},
    };
    for (const Case& c : cases) {
        RteHandle handle = RteNewControlObject(&context_, &c.record);
        RteObject object = RteObjectOf(handle);
        EXPECT_EQ(c.record.kind, RteObjectKindOf(object)) << c.why;
        EXPECT_EQ(c.width, object.width) << c.why;
        EXPECT_EQ(c.height, object.height) << c.why;
        EXPECT_EQ(c.descent, object.descent) << c.why;
        EXPECT_EQ(c.insetTop, object.insets[RTE_INSET_TOP]) << c.why;
        EXPECT_EQ(c.insetLeft, object.insets[RTE_INSET_LEFT]) << c.why;
        EXPECT_EQ(77, object.referenceValue) << c.why;
        EXPECT_EQ(7, object.ownerValue) << c.why;
        if (c.record.kind == RTE_KIND_TEXT) {
            RteHandle locked = nullptr;
            EXPECT_STREQ(text, RteObjectText(&object, &locked)) << c.why;
        }
        if (c.record.kind == RTE_KIND_VALUE) {
            EXPECT_EQ(0x5151, object.data) << c.why;
        }
        if (c.record.kind == RTE_KIND_METAFILE) {
            EXPECT_EQ(reinterpret_cast<intptr_t>(metafile), object.data) << c.why;
        }
        // The metafile is the object's now: its release deletes it.
        RteFreeObjectData(&object, RteObjectKindOf(object));
        RteFree(handle);
    }
}

TEST_F(ControlObjectTest, AReadRecordHoldsTheObjectWithItsInsetsInTheControlsOrder)
{
    RteControlObject made = Record(RTE_KIND_VALUE, 25, 15, -3, 0x5151);
    RteHandle object = RteNewControlObject(&context_, &made);
    RteHandle doc = DocumentWith(object);
    for (int32_t offset : {2, 3}) {
        RteControlObject read = {};
        read.offset = offset;
        read.zero = 9;
        ASSERT_EQ(1, RteReadControlObject(doc, &read)) << offset;
        EXPECT_EQ(RTE_KIND_VALUE, read.kind);
        EXPECT_EQ(25, read.width);
        EXPECT_EQ(15, read.height);
        EXPECT_EQ(3, read.descent) << "no baseline raise";
        EXPECT_EQ(1, read.insets[0]);
        EXPECT_EQ(2, read.insets[1]);
        EXPECT_EQ(3, read.insets[2]);
        EXPECT_EQ(4, read.insets[3]);
        EXPECT_EQ(0x5151, read.data);
        EXPECT_EQ(2, read.offset) << "the object's first character";
        EXPECT_EQ(0, read.zero);
        EXPECT_EQ(object, read.object);
    }
    RteControlObject plain = {};
    plain.offset = 0;
    EXPECT_EQ(0, RteReadControlObject(doc, &plain)) << "no object on \"a\"";
}

TEST_F(ControlObjectTest, AnUpdateMovesTheBaselineForANewDescentAndKeepsTheWidth)
{
    RteControlObject made = Record(RTE_KIND_VALUE, 25, 15, -3, 0x5151);
    RteHandle object = RteNewControlObject(&context_, &made);
    RteHandle doc = DocumentWith(object);
    RteControlObject record = {};
    record.offset = 2;
    RteReadControlObject(doc, &record);
    EXPECT_EQ(0, RteUpdateControlObject(doc, &record)) << "the record as read changes nothing";

    record.width = 99;
    record.height = 18;
    record.descent = 5;
    record.insets[1] = 6;
    record.styleData = 42;
    EXPECT_EQ(1, RteUpdateControlObject(doc, &record));
    RteObject updated = RteObjectOf(object);
    EXPECT_EQ(25, updated.width) << "the width stays";
    EXPECT_EQ(18, updated.height);
    EXPECT_EQ(3, updated.descent) << "the descent stays: the baseline moves";
    EXPECT_EQ(6, updated.insets[RTE_INSET_LEFT]);
    EXPECT_EQ(42, updated.styleData);
    RteControlObject again = {};
    again.offset = 2;
    RteReadControlObject(doc, &again);
    EXPECT_EQ(5, again.descent);
    for (const RteTextBlock& block : Elements<RteTextBlock>(DocumentOf(doc).blocks))
        EXPECT_TRUE(block.flags & RTE_BLOCK_RELAYOUT);

    // Far below: the baseline goes no lower than minus the style's descent.
    record.descent = -500;
    record.offset = -1;
    record.object = object;
    EXPECT_EQ(1, RteUpdateControlObject(doc, &record));
    RteReadControlObject(doc, &again);
    int32_t offset = 0, style = 0;
    RteNthObject(doc, nullptr, 1, &offset, &style);
    RteCharStyle carried = Elements<RteCharStyle>(DocumentOf(doc).charStyles)[static_cast<size_t>(style)];
    EXPECT_EQ(-carried.descent, carried.superscript);
}

TEST_F(ControlObjectTest, AHookRecordCarriesTheObjectAndLocksTheBytesOfKind12WhileItStands)
{
    RteRegisterObjectRecords(&env_, nullptr, 0x1234);
    const char bytes[] = "donnees";
    RteControlObject made = Record(RTE_KIND_BYTES, 25, 15, -3, reinterpret_cast<intptr_t>(bytes));
    made.kindValue = sizeof bytes;
    made.typeFlags = RTE_OBJECT_SHAREABLE;
    RteHandle object = RteNewControlObject(&context_, &made);
    RteHandle doc = DocumentWith(object);
    RteLocked<RteDocument>(doc)->flags |= 0x200000;
    RteClickRecord click = {};
    RteObjectHookRecord record;
    int window = 0;
    RteFillObjectHookRecord(doc, object, 8, reinterpret_cast<intptr_t>(&click), 2, &window, &record);
    EXPECT_EQ(8, record.code);
    EXPECT_EQ(RTE_KIND_BYTES, record.kind);
    EXPECT_EQ(25, record.width);
    EXPECT_EQ(15, record.height);
    EXPECT_EQ(2, record.insets[1]) << "the control's order: top, left, bottom, right";
    EXPECT_EQ(RTE_OBJECT_SHAREABLE | 0x40000000u, record.typeFlags) << "no kind; the device-scaled document's bit";
    EXPECT_EQ(3, record.descent);
    EXPECT_STREQ(bytes, reinterpret_cast<const char*>(record.data)) << "a pointer to the object's bytes";
    RteHandle data = reinterpret_cast<RteHandle>(RteObjectOf(object).data);
    EXPECT_EQ(1, RteLockCount(data));
    EXPECT_EQ(reinterpret_cast<intptr_t>(&click), record.hookData[0]);
    EXPECT_EQ(2, record.hookData[1]);
    EXPECT_EQ(object, record.object);
    EXPECT_EQ(&window, record.window);
    EXPECT_EQ(0x1234, record.environmentValue);
    RteEndObjectHookRecord(&record);
    EXPECT_EQ(0, RteLockCount(data));
}

}  // namespace
