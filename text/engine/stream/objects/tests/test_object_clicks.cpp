// Clicks on embedded objects in laid-out text under the null device: a press on an object goes
// to its callback first, which may take the click (the object is selected and hears the drags
// and the release) or leave it to the selection; objects selected by their record.
#include <gtest/gtest.h>

#include "object_fixture.h"
#include "rect_list.h"
#include "rte_object_batch.h"
#include "rte_object_place.h"
#include "rte_object_queries.h"
#include "rte_position_queries.h"
#include "rte_selection.h"

namespace {

struct Heard {
    int32_t message;
    RtePoint point;
    intptr_t data;
};
std::vector<Heard> g_heard;
// What the callback answers to a press, a drag and a release.
intptr_t g_answers[3];

intptr_t Listen(RteHandle, RteHandle, intptr_t, int32_t message, intptr_t x, intptr_t data, int32_t)
{
    if (message < RTE_OBJECT_PRESSED || message > RTE_OBJECT_PRESSED + 2)
        return 0;
    g_heard.push_back({message, *reinterpret_cast<const RtePoint*>(x), data});
    return g_answers[message - RTE_OBJECT_PRESSED];
}

class ObjectClickTest : public ObjectStreamTest {
protected:
    // "ab" then a frame of 40 x 20 at offset 2, then " cd".
    RteHandle Document(RteObjectProc callback, RteHandle object = nullptr)
    {
        RteHandle doc = MakeDocument("ab cd");
        RteRect wrap{0, 0, 500, 400};
        RteSetRectList(RteWrapArea(doc), &wrap);
        RteSetRectList(RteViewArea(doc), &wrap);
        if (!object) {
            RteRect rect{0, 0, 20, 40};
            object = RteNewObjectRecord(&context_, RTE_KIND_FRAME, &rect, -(5 << 16));
        }
        object_ = object;
        RteInsertObject(doc, object, 2, callback, 0, 0);
        int32_t descent = 0;
        RtePoint origin;
        RteObjectRect(doc, 1, nullptr, &rect_, &descent, &origin);
        RteSetCaretQuiet(doc, 0);
        g_heard.clear();
        return doc;
    }

    RtePoint Inside() const { return {(rect_.top + rect_.bottom) / 2, (rect_.left + rect_.right) / 2}; }

    static std::pair<int32_t, int32_t> Selection(RteHandle doc)
    {
        int32_t start = 0, end = 0;
        RteGetSelection(doc, &start, &end);
        return {start, end};
    }

    static bool Held(RteHandle doc)
    {
        return (Elements<RteSelectPoint>(DocumentOf(doc).selection)[0].flags & RTE_SELECT_ON_OBJECT) != 0;
    }

    RteHandle object_ = nullptr;
    RteRect rect_ = {};
};

using Range = std::pair<int32_t, int32_t>;

TEST_F(ObjectClickTest, AnObjectThatTakesThePressIsSelectedAndHearsTheDragAndTheReleaseInsideIt)
{
    g_answers[0] = 1;
    g_answers[1] = 1;
    g_answers[2] = 0;
    RteHandle doc = Document(Listen);
    RtePoint inside = Inside();
    RtePoint far = {rect_.bottom + 200, rect_.right + 300};
    EXPECT_EQ(1, RteClick(doc, &inside, RTE_CLICK_PRESS, 0, 77, false));
    EXPECT_EQ(Range(2, 4), Selection(doc)) << "the object's characters";
    EXPECT_TRUE(Held(doc));
    EXPECT_EQ(1, RteClick(doc, &far, RTE_CLICK_DRAG, 0, 78, false));
    EXPECT_EQ(Range(2, 4), Selection(doc)) << "the drag is the object's";
    EXPECT_TRUE(Held(doc));
    EXPECT_EQ(1, RteClick(doc, &far, RTE_CLICK_RELEASE, 0, 79, false));
    EXPECT_FALSE(Held(doc)) << "a zero answer to the release lets the click go";
    EXPECT_FALSE(DocumentOf(doc).flags2 & RTE_DOC2_TRACKING);
    // The object's cells: from its first character to the end of its last one, on its line.
    RteRect first, last;
    RteCaretRect(doc, 2, false, false, &first);
    RteCaretRect(doc, 3, false, false, &last);
    ASSERT_EQ(3u, g_heard.size());
    for (size_t i = 0; i < g_heard.size(); ++i) {
        EXPECT_EQ(RTE_OBJECT_PRESSED + static_cast<int32_t>(i), g_heard[i].message);
        EXPECT_EQ(77 + static_cast<intptr_t>(i), g_heard[i].data);
        const RtePoint& p = g_heard[i].point;
        EXPECT_TRUE(p.v >= first.top && p.v < first.bottom && p.h >= first.left && p.h < last.right)
            << "message " << g_heard[i].message << " at " << p.v << "," << p.h;
    }
    EXPECT_EQ(last.right - 1, g_heard[1].point.h) << "a far drag: the nearest corner";
    EXPECT_EQ(first.bottom - 1, g_heard[1].point.v);
    EXPECT_EQ(inside.h, g_heard[0].point.h);
    EXPECT_EQ(0, LockedHandles());
}

TEST_F(ObjectClickTest, AnObjectThatDeclinesThePressLeavesTheClickToTheSelection)
{
    g_answers[0] = 0;
    RteHandle doc = Document(Listen);
    RtePoint inside = Inside();
    RteRect after;
    RteCaretRect(doc, 5, true, false, &after);
    RtePoint later = {(after.top + after.bottom) / 2, after.left};
    EXPECT_EQ(0, RteClick(doc, &inside, RTE_CLICK_PRESS, 0, 0, false));
    EXPECT_FALSE(Held(doc));
    EXPECT_EQ(0, RteClick(doc, &later, RTE_CLICK_DRAG, 0, 0, false));
    EXPECT_EQ(0, RteClick(doc, &later, RTE_CLICK_RELEASE, 0, 0, false));
    EXPECT_EQ(1u, g_heard.size()) << "only the press was offered";
    EXPECT_EQ(5, Selection(doc).second) << "the drag extended the selection";
    EXPECT_NE(Range(2, 4), Selection(doc));
}

TEST_F(ObjectClickTest, PressesBesideAnObjectAreNotOfferedToIt)
{
    g_answers[0] = 1;
    RteHandle doc = Document(Listen);
    const RtePoint beside[] = {
        {(rect_.top + rect_.bottom) / 2, 2},                // on the "a"
        {(rect_.top + rect_.bottom) / 2, rect_.right + 4},  // on the blank after it
    };
    for (RtePoint point : beside) {
        RteClick(doc, &point, RTE_CLICK_PRESS, 0, 0, false);
        RteClick(doc, &point, RTE_CLICK_RELEASE, 0, 0, false);
        EXPECT_TRUE(g_heard.empty()) << point.h;
        EXPECT_FALSE(Held(doc));
    }
}

TEST_F(ObjectClickTest, TheDefaultCallbackTakesAPressOnAnObjectHoldingData)
{
    // A value object holds data; a frame keeps only its size.
    RteHandle value = RteNewObjectRecord(&context_, RTE_KIND_VALUE, reinterpret_cast<const void*>(intptr_t{41}), 0);
    {
        RteLocked<RteObject> record(value);
        record->width = 40;
        record->height = 20;
    }
    struct Case {
        RteHandle object;
        int32_t taken;
        Range selection;
    } cases[] = {{value, 1, {2, 4}}, {nullptr, 0, {4, 4}}};
    for (const Case& c : cases) {
        RteHandle doc = Document(nullptr, c.object);
        RtePoint inside = Inside();
        RtePoint right = {inside.v, rect_.right - 1};
        EXPECT_EQ(c.taken, RteClick(doc, &right, RTE_CLICK_PRESS, 0, 0, false));
        EXPECT_EQ(c.taken, RteClick(doc, &right, RTE_CLICK_RELEASE, 0, 0, false));
        EXPECT_EQ(c.selection, Selection(doc)) << "taken " << c.taken;
    }
}

TEST_F(ObjectClickTest, AnObjectIsSelectedByItsRecordWhenItsKindIsDrawnWhole)
{
    RteHandle doc = Document(nullptr);
    uint32_t key = RteLocked<RteObject>(object_)->key;
    ASSERT_NE(0u, key) << "the record took a key when its style entered the table";
    EXPECT_EQ(object_, RteObjectByKey(doc, key));
    struct Case {
        int32_t kind;
        int32_t answer;
        Range selection;
    } cases[] = {
        {RTE_KIND_FRAME, 1, {2, 4}},        {RTE_KIND_MAC, 1, {0, 0}},     {RTE_KIND_METAFILE, 1, {2, 4}},
        {RTE_KIND_UNKNOWN_TEXT, 1, {0, 0}}, {RTE_KIND_VALUE, 0, {0, 0}},   {RTE_KIND_BYTES, 0, {0, 0}},
        {32, 1, {2, 4}},                    {RTE_KIND_TEXT_BOX, 1, {2, 4}}, {27, 0, {0, 0}},
    };
    for (const Case& c : cases) {
        RteSetCaretQuiet(doc, 0);
        EXPECT_EQ(c.answer ? static_cast<int32_t>(key) : 0, RteObjectSelect(doc, object_, c.kind)) << c.kind;
        EXPECT_EQ(c.selection, Selection(doc)) << c.kind;
    }
    RteRect rect{0, 0, 20, 40};
    RteHandle elsewhere = RteNewObjectRecord(&context_, RTE_KIND_FRAME, &rect, 0);
    EXPECT_EQ(0, RteObjectSelect(doc, elsewhere, RTE_KIND_FRAME)) << "not in the text";
    RteFree(elsewhere);
    EXPECT_EQ(0, LockedHandles());
}

TEST_F(ObjectClickTest, AnObjectReadBackFromAStreamIsSelectedByItsRecordToo)
{
    RteHandle doc = Document(nullptr);
    uint16_t code = 1;
    RteHandle back = Load(SaveWithObjects(doc), &code);
    ASSERT_EQ(0, code);
    int32_t offset = 0, style = 0;
    RteHandle read = RteNthObject(back, nullptr, 1, &offset, &style);
    ASSERT_NE(nullptr, read);
    int32_t key = RteObjectSelect(back, read, RTE_KIND_FRAME);
    EXPECT_NE(0, key);
    EXPECT_EQ(read, RteObjectByKey(back, static_cast<uint32_t>(key)));
    EXPECT_EQ(Range(2, 4), Selection(back));
}

}  // namespace
