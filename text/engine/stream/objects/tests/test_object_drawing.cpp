// Objects drawn in their place when the text is drawn on the GDI device into a DIB section:
// the default callback frames a frame object on the rect the object has on its line.
#include <gtest/gtest.h>

#include "object_fixture.h"
#include "rect_list.h"
#include "rte_gdi.h"
#include "rte_gdi_port.h"
#include "rte_object_batch.h"
#include "rte_object_place.h"
#include "rte_redisplay.h"
#include "test_canvas.h"

namespace {

class ObjectDrawingTest : public ObjectStreamTest {
protected:
    void SetUp() override
    {
        RteSetDevice(&RteGdiDevice());
        ObjectStreamTest::SetUp();
    }
    void TearDown() override
    {
        ObjectStreamTest::TearDown();
        RteSetDevice(nullptr);
    }
};

TEST_F(ObjectDrawingTest, AFrameObjectIsFramedOnItsRectAndTheTextAroundItStaysOutside)
{
    TestCanvas canvas(300, 100);
    RteHandle doc = MakeDocument("ab cd");
    RteRect area{0, 0, 100, 300};
    RteSetRectList(RteWrapArea(doc), &area);
    RteSetRectList(RteViewArea(doc), &area);
    RteSetPortDC(doc, canvas.Dc());
    RteRect size{0, 0, 20, 40};
    RteInsertObject(doc, RteNewObjectRecord(&context_, RTE_KIND_FRAME, &size, -(5 << 16)), 2, nullptr, 0, 0);
    RteRedisplay(doc, nullptr, 0, -1, nullptr, nullptr, 3, false);
    canvas.SavePng(L"rte_object_frame.png");

    RteRect rect;
    int32_t descent = 0;
    RtePoint origin;
    ASSERT_EQ(2, RteObjectRect(doc, 1, nullptr, &rect, &descent, &origin));
    ASSERT_EQ(40, rect.right - rect.left);
    int middle = (rect.top + rect.bottom) / 2;
    const COLORREF black = RGB(0, 0, 0), white = RGB(255, 255, 255);
    struct Case {
        int x, y;
        COLORREF colour;
        const char* why;
    } cases[] = {
        {rect.left, middle, black, "its left side"},
        {rect.right - 1, middle, black, "its right side"},
        {rect.left + 20, rect.top, black, "its top"},
        {rect.left + 20, rect.bottom - 1, black, "its bottom"},
        {rect.left + 20, middle, white, "inside"},
        {rect.left - 1, middle, white, "the inset before it"},
        {rect.right, middle, white, "the inset after it"},
        {rect.left + 20, rect.top - 1, white, "above it"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.colour, canvas.Pixel(c.x, c.y)) << c.why << " at " << c.x << "," << c.y;
}

}  // namespace
