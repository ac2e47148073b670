// The output record handed to the control and the refit to its client rectangle.
#include "control_fixture.h"
#include "object_pictures.h"
#include "rect_list.h"
#include "record_copies.h"
#include "rte_control_internal.h"
#include "rte_document.h"
#include "rte_object_batch.h"

namespace {

TEST_F(ControlTest, TheOutputRecordsDcGoesWithTheControl)
{
    HWND control = MakeControl();
    SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("sortie"));
    EXPECT_EQ(SendMessageA(control, RTEM_GETOUTPUTDC, 0, 0), 0);
    RteOutputRecord kept{CreateCompatibleDC(nullptr)};
    EXPECT_EQ(SendMessageA(control, RTEM_SETOUTPUTREC, 1, reinterpret_cast<LPARAM>(&kept)), 1);
    EXPECT_EQ(reinterpret_cast<HDC>(SendMessageA(control, RTEM_GETOUTPUTDC, 0, 0)), kept.dc);
    SendMessageA(control, RTEM_SETOUTPUTREC, 0, 0);
    EXPECT_EQ(SendMessageA(control, RTEM_GETOUTPUTDC, 0, 0), 0);
    EXPECT_EQ(Text(control), "sortie") << "laid out again with its fonts";
    RteOutputRecord handed{CreateCompatibleDC(nullptr)};
    SendMessageA(control, RTEM_SETOUTPUTREC, 0, reinterpret_cast<LPARAM>(&handed));
    DestroyWindow(control);
    EXPECT_EQ(GetObjectType(handed.dc), 0u) << "the DC of the record in use goes with the control";
    EXPECT_EQ(GetObjectType(kept.dc), static_cast<DWORD>(OBJ_MEMDC)) << "a record given up stays the caller's";
    DeleteDC(kept.dc);
}

RECT ViewArea(HWND control)
{
    RECT view = {};
    SendMessageA(control, RTEM_GETVIEWAREA, 0, reinterpret_cast<LPARAM>(&view));
    return view;
}

TEST_F(ControlTest, RefitTakesTheClientRectangle)
{
    HWND control = MakeControl(ES_MULTILINE, 300, 120);
    RECT margins{10, 5, 20, 8};
    SendMessageA(control, RTEM_SETMARGINS, 0, reinterpret_cast<LPARAM>(&margins));
    auto flags = static_cast<uint32_t>(SendMessageA(control, RTEM_GETFLAGS, 0, 0));
    SendMessageA(control, RTEM_SETFLAGS, 0, flags | RTE_CTL_FIXED_VIEW);
    SetWindowPos(control, nullptr, 0, 0, 200, 80, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(ViewArea(control).right, 300) << "the view does not follow the size";
    SendMessageA(control, RTEM_REFIT, 0, 0);
    RECT view = ViewArea(control);
    EXPECT_EQ(view.right, 200);
    EXPECT_EQ(view.bottom, 80);
    RteHandle doc = reinterpret_cast<RteHandle>(SendMessageA(control, RTEM_GETDOC, 0, 0));
    RteRect text;
    RteRectListFirst(RteWrapArea(doc), &text);
    EXPECT_EQ(text.left, 10);
    EXPECT_EQ(text.top, 5);
    EXPECT_EQ(text.right, 180);
    EXPECT_EQ(text.bottom, 72);
    SendMessageA(control, RTEM_SETFRAMEPEN, PS_SOLID, 0);
    SendMessageA(control, RTEM_REFIT, 1, 0);
    RteRectListFirst(RteWrapArea(doc), &text);
    EXPECT_EQ(text.left, 11) << "the frame's width comes off";
}

bool ParentAskedToDraw(const RecordCopies& copies)
{
    for (const RteObjectHookRecord& hook : copies.Of<RteObjectHookRecord>(RTEN_OBJECT))
        if (hook.code == RTE_OBJECT_DRAW)
            return true;
    return false;
}

// An object put in by the engine itself (as a translator does) keeps the engine's callback until
// the refit hands it to the control.
TEST_F(ControlTest, RefitHandsEveryObjectToTheControl)
{
    HWND control = MakeControl(ES_MULTILINE | WS_VISIBLE, 200, 80);
    ShowWindow(parent_, SW_SHOWNOACTIVATE);
    SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("image "));
    RteHandle doc = reinterpret_cast<RteHandle>(SendMessageA(control, RTEM_GETDOC, 0, 0));
    RteControlObject picture = BluePictureRecord(0, 40, 30);
    RteInsertObject(doc, RteNewControlObject(RteControlContext(), &picture), 0, nullptr, 0, 0);
    SendMessageA(control, RTEM_SETNOTIFY, 0, RTEN_FLAG_OBJECT);
    RecordCopies copies(parent_, {{RTEN_OBJECT, sizeof(RteObjectHookRecord)}});
    TestCanvas before(200, 80);
    InvalidateRect(control, nullptr, TRUE);
    Snapshot(control, before);
    EXPECT_FALSE(ParentAskedToDraw(copies)) << "the engine's own callback draws it";
    SendMessageA(control, RTEM_REFIT, 1, 0);
    TestCanvas after(200, 80);
    Snapshot(control, after);
    EXPECT_TRUE(ParentAskedToDraw(copies)) << "the parent serves it now";
}

}  // namespace
