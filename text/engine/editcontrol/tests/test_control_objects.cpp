// Embedded objects through the control's object messages: inserted, applied, counted, read,
// changed, found and deleted; drawn by the engine or by the parent that serves them.
#include "control_fixture.h"
#include "object_pictures.h"
#include "record_copies.h"
#include "rte_control_internal.h"
#include "rte_runs.h"

namespace {

RteControlObject PictureRecord(int32_t offset)
{
    RteControlObject record = BluePictureRecord(offset, 40, 30);
    record.referenceValue = 77;
    return record;
}

LRESULT Send(HWND control, UINT message, WPARAM wParam, RteControlObject& record)
{
    return SendMessageA(control, message, wParam, reinterpret_cast<LPARAM>(&record));
}

int BluePixels(const TestCanvas& canvas)
{
    int count = 0;
    for (uint32_t pixel : canvas.Pixels())
        count += pixel == kPictureBlue;
    return count;
}

TEST_F(ControlTest, AnObjectIsInsertedReadChangedFoundAndDeleted)
{
    HWND control = MakeControl(ES_MULTILINE, 300, 120);
    SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("abcdef"));
    RteControlObject inserted = PictureRecord(2);
    int changes = Count(WM_COMMAND);
    Send(control, RTEM_INSERTOBJECT, 1, inserted);
    EXPECT_EQ(Count(WM_COMMAND), changes + 1) << "a change";
    EXPECT_EQ(Text(control), "ab[]cdef");
    EXPECT_EQ(SendMessageA(control, RTEM_UNDOKIND, 0, 0), 12);
    EXPECT_TRUE(SendMessageA(control, RTEM_GETNOTIFY, 0, 0) & RTEN_FLAG_OBJECT) << "the parent serves objects now";
    EXPECT_EQ(SendMessageA(control, RTEM_COUNTOBJECTS, 0, 0), 1);
    RteRange before{0, 2};
    EXPECT_EQ(SendMessageA(control, RTEM_COUNTOBJECTS, 0, reinterpret_cast<LPARAM>(&before)), 0);

    RteControlObject read{};
    ASSERT_EQ(Send(control, RTEM_GETOBJECT, 1, read), 1);
    EXPECT_EQ(read.kind, RTE_KIND_METAFILE);
    EXPECT_EQ(read.height, 30);
    EXPECT_EQ(read.referenceValue, 77);
    EXPECT_EQ(read.offset, 2);
    EXPECT_NE(read.object, nullptr);
    RteControlObject none{};
    EXPECT_EQ(Send(control, RTEM_GETOBJECT, 2, none), 0) << "no second object";

    RteControlObject place{};
    ASSERT_EQ(Send(control, RTEM_GETOBJECTRECT, 1, place), 2) << "the object's offset";
    const RteRect& rect = place.picture.rect;
    EXPECT_EQ(rect.bottom - rect.top, 30);
    EXPECT_GE(rect.right - rect.left, 40);
    int v = (rect.top + rect.bottom) / 2, h = (rect.left + rect.right) / 2;
    EXPECT_EQ(SendMessageA(control, RTEM_OBJECTATPOINT, 0, MAKELPARAM(h, v)), 1);
    EXPECT_EQ(SendMessageA(control, RTEM_OBJECTATPOINT, 0, MAKELPARAM(h, rect.bottom + 40)), 0);

    RteControlObject search{};
    EXPECT_EQ(Send(control, RTEM_NEXTOBJECT, 0, search), 1);
    EXPECT_EQ(search.offset, 2);
    search.offset = 3;
    EXPECT_EQ(Send(control, RTEM_NEXTOBJECT, 0, search), 0) << "none after it";

    read.referenceValue = 78;
    read.ownerValue = 5;
    EXPECT_EQ(Send(control, RTEM_SETOBJECT, 1, read), 1);
    RteControlObject again{};
    again.offset = 2;
    ASSERT_EQ(Send(control, RTEM_GETOBJECTAT, 1, again), 1);
    EXPECT_EQ(again.referenceValue, 78);
    EXPECT_EQ(again.ownerValue, 5);
    RteControlObject nothing{};
    nothing.offset = 5;
    nothing.kind = 3;
    EXPECT_EQ(Send(control, RTEM_GETOBJECTAT, 1, nothing), 0);
    EXPECT_EQ(nothing.kind, 0) << "cleared";

    EXPECT_EQ(SendMessageA(control, RTEM_DELETEOBJECT, 4, 0), 0) << "no such object";
    EXPECT_EQ(SendMessageA(control, RTEM_DELETEOBJECT, 1, 0), 1);
    EXPECT_EQ(Text(control), "abcdef");
    EXPECT_EQ(SendMessageA(control, RTEM_COUNTOBJECTS, 0, 0), 0);
}

TEST_F(ControlTest, AnObjectAppliedOverTheSelectionAndSized)
{
    HWND control = MakeControl(ES_MULTILINE, 300, 120);
    SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("abcdef"));
    SendMessageA(control, EM_SETSEL, 0, MAKELPARAM(1, 3));
    RteControlObject box{};
    box.kind = RTE_KIND_RECT;
    box.width = 20;
    box.height = 20;
    Send(control, RTEM_APPLYOBJECT, 0, box);
    EXPECT_EQ(Text(control), "abcdef") << "the characters stay";
    EXPECT_EQ(SendMessageA(control, RTEM_UNDOKIND, 0, 0), 6);
    RteRange all{0, 6};
    EXPECT_EQ(SendMessageA(control, RTEM_COUNTOBJECTS, 0, reinterpret_cast<LPARAM>(&all)), 1);
    RteControlObject size{};
    size.picture.rect = RteRect{0, 0, 44, 20};
    EXPECT_EQ(Send(control, RTEM_SETOBJECTSIZE, 1, size), 1);
    RteControlObject place{};
    Send(control, RTEM_GETOBJECTRECT, 1, place);
    EXPECT_EQ(place.picture.rect.bottom - place.picture.rect.top, 44);
}

TEST_F(ControlTest, TheParentServesTheObjectsItAnswersFor)
{
    HWND control = MakeControl(ES_MULTILINE | WS_VISIBLE, 200, 80);
    ShowWindow(parent_, SW_SHOWNOACTIVATE);
    RteControlObject picture = PictureRecord(0);
    Send(control, RTEM_INSERTOBJECT, 0, picture);
    RecordCopies copies(parent_, {{RTEN_OBJECT, sizeof(RteObjectHookRecord)}});
    TestCanvas drawn(200, 80);
    InvalidateRect(control, nullptr, TRUE);
    Snapshot(control, drawn);
    std::vector<RteObjectHookRecord> hooks = copies.Of<RteObjectHookRecord>(RTEN_OBJECT);
    bool drawCall = false;
    for (const RteObjectHookRecord& hook : hooks) {
        EXPECT_EQ(hook.kind, RTE_KIND_METAFILE);
        EXPECT_EQ(hook.referenceValue, 77);
        EXPECT_EQ(hook.window, control);
        drawCall |= hook.code == RTE_OBJECT_DRAW;
    }
    EXPECT_TRUE(drawCall) << "the parent is asked to draw the object";
    EXPECT_GT(BluePixels(drawn), 30 * 30) << "a 0 answer leaves the drawing to the engine";

    copies.answers[RTEN_OBJECT] = 1;
    TestCanvas served(200, 80);
    InvalidateRect(control, nullptr, TRUE);
    Snapshot(control, served);
    EXPECT_EQ(BluePixels(served), 0) << "the parent drew it (here: nothing)";
}

TEST_F(ControlTest, TheParentSizesAndMeasuresTheObjectsItServes)
{
    HWND control = MakeControl(ES_MULTILINE, 300, 120);
    SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("ab"));
    RecordCopies copies(parent_, {{RTEN_OBJECT, sizeof(RteObjectHookRecord)}});
    // The parent widens every object it measures to 100 pixels and answers only that.
    copies.responses[RTEN_OBJECT] = [](void* record) -> LRESULT {
        auto* hook = static_cast<RteObjectHookRecord*>(record);
        if (hook->code != RTE_OBJECT_MEASURED)
            return 0;
        hook->width = 100;
        return 1;
    };
    RteControlObject picture = PictureRecord(2);
    Send(control, RTEM_INSERTOBJECT, 0, picture);
    RteControlObject place{};
    ASSERT_EQ(Send(control, RTEM_GETOBJECTRECT, 1, place), 2);
    EXPECT_EQ(place.picture.rect.right - place.picture.rect.left, 100);
    bool measured = false;
    for (const RteObjectHookRecord& hook : copies.Of<RteObjectHookRecord>(RTEN_OBJECT))
        measured |= hook.code == RTE_OBJECT_MEASURED && hook.width == 40;
    EXPECT_TRUE(measured) << "the parent saw the object's own width first";
}

TEST_F(ControlTest, ALoadedObjectIsDrawnLikeTheOneSaved)
{
    HWND from = MakeControl(ES_MULTILINE, 200, 80, 7);
    HWND to = MakeControl(ES_MULTILINE | WS_VISIBLE, 200, 80, 8);
    ShowWindow(parent_, SW_SHOWNOACTIVATE);
    SendMessageA(from, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("image "));
    RteControlObject picture = PictureRecord(-1);
    Send(from, RTEM_INSERTOBJECT, 0, picture);
    RteHandle memory = RteAlloc(RteControlContext(), 1, 0, 0, false);
    ASSERT_GT(SendMessageA(from, RTEM_SAVEMEM, 0, reinterpret_cast<LPARAM>(memory)), 0);
    ASSERT_GT(SendMessageA(to, RTEM_LOADMEM, 0, reinterpret_cast<LPARAM>(memory)), 0);
    RteFree(memory);
    EXPECT_EQ(SendMessageA(to, RTEM_COUNTOBJECTS, 0, 0), 1);
    TestCanvas drawn(200, 80);
    Snapshot(to, drawn);
    EXPECT_GT(BluePixels(drawn), 40 * 30 * 9 / 10);
}

}  // namespace
