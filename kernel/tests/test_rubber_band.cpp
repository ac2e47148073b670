// The rubber band, the click delay and the grid of the editing modes, driven through the
// object windows' messages as the mouse would, and the layout operations on the selection.
#include "edittest.h"

#include "authoring.h"
#include "editmouse.h"
#include "rubberband.h"
#include "selection.h"
#include "undo.h"
#include "qxutil.h"

#include <gtest/gtest.h>

namespace {

using Labels = std::vector<std::string>;

void ExpectPlace(const RECT& expected, OBJET* object)
{
    const RECT place = PlaceOf(object);
    EXPECT_EQ(expected.left, place.left);
    EXPECT_EQ(expected.top, place.top);
    EXPECT_EQ(expected.right, place.right);
    EXPECT_EQ(expected.bottom, place.bottom);
}

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

class RubberBand : public testing::Test {
protected:
    KERNEL* Kernel() const { return page.Kernel(); }
    HWND PageWindow() const { return page.Root()->window; }

    void Press(OBJET* object, int x, int y, WPARAM keys = MK_LBUTTON)
    {
        SendMessageA(object->window, WM_LBUTTONDOWN, keys, At(x, y));
    }
    void Release(HWND window, int x, int y, WPARAM keys = 0) { SendMessageA(window, WM_LBUTTONUP, keys, At(x, y)); }
    // Holds the button past the click delay, so that the press becomes a selection band.
    void Hold() { PumpMessagesFor(QX_CLICK_DELAY_MS + 150); }

    EditPage page;
};

TEST_F(RubberBand, AClickReleasedWithinTheDelaySelectsAndDrawsNoBand)
{
    Press(page.A(), 5, 5);
    EXPECT_EQ(1, Kernel()->clickDelay);
    Release(page.A()->window, 5, 5);
    EXPECT_EQ(0, Kernel()->clickDelay);
    EXPECT_EQ(Labels{"A"}, SelectedLabels(Kernel()));
    Hold();
    EXPECT_EQ(nullptr, Kernel()->rubber);
    EXPECT_EQ(Labels{"A"}, SelectedLabels(Kernel()));
}

TEST_F(RubberBand, AClickOnThePageUnselectsAll)
{
    KernSelectObject(Kernel(), page.B());
    Press(page.Root(), 180, 90);
    Release(PageWindow(), 180, 90);
    EXPECT_TRUE(SelectedLabels(Kernel()).empty());
}

TEST_F(RubberBand, APressHeldLongerDrawsASelectionRectangleFromThePress)
{
    KernSelectObject(Kernel(), page.B());
    const int before = Kernel()->undo.Items();
    Press(page.Root(), 5, 5);
    Hold();
    ASSERT_NE(nullptr, Kernel()->rubber);
    EXPECT_EQ(0, Kernel()->clickDelay);
    EXPECT_EQ(PageWindow(), GetCapture());
    // The band covers A wholly and C only partly; B was unselected when the band began.
    SendMessageA(PageWindow(), WM_MOUSEMOVE, MK_LBUTTON, At(75, 70));
    Release(PageWindow(), 75, 70);
    EXPECT_EQ(nullptr, Kernel()->rubber);
    EXPECT_EQ(nullptr, GetCapture());
    EXPECT_EQ(Labels{"A"}, SelectedLabels(Kernel()));
    // One undo step takes the whole gesture back.
    KernUndoPop(Kernel());
    EXPECT_EQ(Labels{"B"}, SelectedLabels(Kernel()));
    EXPECT_EQ(before, Kernel()->undo.Items());
}

TEST_F(RubberBand, ARectangleStartedWithControlAddsToTheSelection)
{
    KernSelectObject(Kernel(), page.B());
    Press(page.Root(), 5, 5, MK_LBUTTON | MK_CONTROL);
    Hold();
    SendMessageA(PageWindow(), WM_MOUSEMOVE, MK_LBUTTON, At(75, 45));
    Release(PageWindow(), 75, 45);
    EXPECT_EQ((Labels{"B", "A"}), SelectedLabels(Kernel()));
}

TEST_F(RubberBand, EscapeDropsTheSelectionBandAndLeavesTheUndoListBalanced)
{
    const int before = Kernel()->undo.Items();
    Press(page.Root(), 5, 5);
    Hold();
    ASSERT_NE(nullptr, Kernel()->rubber);
    SendMessageA(PageWindow(), WM_KEYUP, VK_ESCAPE, 0);
    EXPECT_EQ(nullptr, Kernel()->rubber);
    EXPECT_EQ(nullptr, GetCapture());
    EXPECT_EQ(0, Kernel()->rubberCapture);
    // The group the press opened is closed: being empty, it leaves nothing.
    EXPECT_EQ(before, Kernel()->undo.Items());
    EXPECT_TRUE(SelectedLabels(Kernel()).empty());
}

TEST_F(RubberBand, AMoveBandMovesTheWholeSelectionAsOneUndoStep)
{
    KernSelectObject(Kernel(), page.A());
    MSGL withControl = {QX_MODE_EDIT_BIT, page.C()->window, WM_LBUTTONUP, MK_CONTROL, 0};
    KernEventSelectObject(Kernel(), page.C(), &withControl);
    KernStartRubber(page.A()->window, 30, 20, 1);
    ASSERT_NE(nullptr, Kernel()->rubber);
    EXPECT_EQ(page.A()->window, GetCapture());
    KernMoveRubber(Kernel(), 45, 25, 0);
    KernEndRubber(page.A()->window);
    EXPECT_EQ(nullptr, GetCapture());
    ExpectPlace({25, 15, 75, 45}, page.A());
    ExpectPlace({35, 65, 65, 85}, page.C());
    ExpectPlace({100, 10, 140, 50}, page.B());
    EXPECT_EQ(1, Kernel()->undo.IsModified());

    KernUndoPop(Kernel());
    ExpectPlace({10, 10, 60, 40}, page.A());
    ExpectPlace({20, 60, 50, 80}, page.C());
    EXPECT_EQ((Labels{"A", "C"}), SelectedLabels(Kernel()));
}

TEST_F(RubberBand, AMoveThatEndsWhereItStartedRecordsNothing)
{
    KernSelectObject(Kernel(), page.A());
    const int before = Kernel()->undo.Items();
    KernStartRubber(page.A()->window, 30, 20, 1);
    KernMoveRubber(Kernel(), 50, 35, 0);
    KernMoveRubber(Kernel(), 30, 20, 0);
    KernEndRubber(page.A()->window);
    EXPECT_EQ(before, Kernel()->undo.Items());
    ExpectPlace({10, 10, 60, 40}, page.A());
}

TEST_F(RubberBand, AMoveBandOnThePageMovesThePageWindow)
{
    KernStartRubber(PageWindow(), 100, 50, 1);
    KernMoveRubber(Kernel(), 130, 70, 0);
    KernEndRubber(PageWindow());
    ExpectPlace({30, 20, 230, 120}, page.Root());
    KernUndoPop(Kernel());
    ExpectPlace({0, 0, 200, 100}, page.Root());
}

TEST_F(RubberBand, MovesFollowTheGridWhileItIsActive)
{
    KernSetGridX(Kernel(), 10);
    KernSetGridY(Kernel(), 10);
    KernSetGridActive(Kernel(), 1);
    KernSelectObject(Kernel(), page.A());
    KernStartRubber(page.A()->window, 30, 20, 1);
    KernMoveRubber(Kernel(), 44, 27, 0);  // left 24, top 17: snapped to 20, 20
    KernEndRubber(page.A()->window);
    ExpectPlace({20, 20, 70, 50}, page.A());
}

TEST_F(RubberBand, ASizingCommandSizesTheObjectByItsEdge)
{
    KernSelectObject(Kernel(), page.A());
    SetCursorPos(60, 25);
    SendMessageA(page.A()->window, WM_SYSCOMMAND, SC_SIZE + WMSZ_RIGHT, 0);
    ASSERT_NE(nullptr, Kernel()->rubber);
    EXPECT_EQ(page.A()->window, GetCapture());
    // The mouse moves 20 pixels right of where it took the edge.
    POINT grabbed = {};
    GetCursorPos(&grabbed);
    POINT to = {grabbed.x + 20, grabbed.y};
    ScreenToClient(page.A()->window, &to);
    SendMessageA(page.A()->window, WM_MOUSEMOVE, MK_LBUTTON, At(to.x, to.y));
    Release(page.A()->window, to.x, to.y);
    EXPECT_EQ(nullptr, Kernel()->rubber);
    ExpectPlace({10, 10, 80, 40}, page.A());
    KernUndoPop(Kernel());
    ExpectPlace({10, 10, 60, 40}, page.A());
}

TEST_F(RubberBand, APressOnASelectedObjectDragsTheSelection)
{
    KernSelectObject(Kernel(), page.B());
    SetCursorPos(110, 20);
    Press(page.B(), 10, 10);
    EXPECT_EQ(0, Kernel()->clickDelay);
    PumpMessagesFor(50);  // the posted drag command
    ASSERT_NE(nullptr, Kernel()->rubber);
    EXPECT_EQ(page.B()->window, GetCapture());
    // Another press while the band holds the mouse goes nowhere.
    Press(page.A(), 5, 5);
    EXPECT_EQ(0, Kernel()->clickDelay);
    SendMessageA(page.B()->window, WM_KEYUP, VK_ESCAPE, 0);
    EXPECT_EQ(nullptr, Kernel()->rubber);
}

struct PressCase {
    const char* name;
    int object;  // 0 the page, 1 A
    bool selectedFirst;
    bool maximal;
    WPARAM keys;
    bool waitsForClick;  // else the press drags at once
};

TEST_F(RubberBand, APressWaitsForTheClickDelayUnlessItDragsASelectedObjectOrThePage)
{
    const PressCase cases[] = {
        {"object not selected", 1, false, false, 0, true},
        {"selected, with Control", 1, true, false, MK_CONTROL, true},
        {"the page", 0, false, false, 0, true},
        {"selected, of maximal size", 1, true, true, 0, true},
        {"selected", 1, true, false, 0, false},
        {"the page, with Shift", 0, false, false, MK_SHIFT, false},
    };
    for (const PressCase& c : cases) {
        OBJET* object = c.object ? page.A() : page.Root();
        object->sizeMode = c.maximal ? 3 : 1;
        if (c.selectedFirst)
            KernSelectObject(Kernel(), object);
        Press(object, 5, 5, MK_LBUTTON | c.keys);
        PumpMessagesFor(50);  // a drag comes as a posted command
        EXPECT_EQ(c.waitsForClick ? 1 : 0, Kernel()->clickDelay) << c.name;
        EXPECT_EQ(!c.waitsForClick, Kernel()->rubber != nullptr) << c.name;
        if (c.waitsForClick)
            Release(object->window, 5, 5);
        else
            SendMessageA(object->window, WM_KEYUP, VK_ESCAPE, 0);
        EXPECT_EQ(0, Kernel()->clickDelay) << c.name;
        EXPECT_EQ(nullptr, Kernel()->rubber) << c.name;
        KernUnSelectAllObjects(Kernel());
    }
}

TEST_F(RubberBand, FourHandlesFrameTheSelectionWhileThereIsOne)
{
    KernSelectObject(Kernel(), page.A());
    // The frame as the system's layouts measure it.
    const int frameX = _GetSystemMetrics(SM_CXFRAME);
    const int frameY = _GetSystemMetrics(SM_CYFRAME);
    const RECT expected[] = {{10 - frameX, 10 - frameY, 10, 40 + frameY},
                             {10, 10 - frameY, 60, 10},
                             {60, 10 - frameY, 60 + frameX, 40 + frameY},
                             {10, 40, 60, 40 + frameY}};
    for (int side = 0; side < QX_SELECTION_HANDLES; ++side) {
        const HWND handle = Kernel()->handles[side];
        ASSERT_TRUE(IsWindow(handle)) << side;
        EXPECT_EQ(PageWindow(), GetParent(handle));
        EXPECT_EQ(side + 1, static_cast<int>(reinterpret_cast<INT_PTR>(GetPropA(handle, "SIDE"))));
        RECT place;
        GetWindowRect(handle, &place);
        EXPECT_TRUE(EqualRect(&expected[side], &place)) << side << ": " << place.left << "," << place.top << ","
                                                         << place.right << "," << place.bottom;
    }
    const HWND left = Kernel()->handles[0];
    KernUnSelectAllObjects(Kernel());
    EXPECT_FALSE(IsWindow(left));
    EXPECT_EQ(nullptr, Kernel()->handles[0]);
}

TEST_F(RubberBand, DraggingAHandleSizesTheSelectionInProportion)
{
    KernSelectObject(Kernel(), page.A());
    MSGL withControl = {QX_MODE_EDIT_BIT, page.B()->window, WM_LBUTTONUP, MK_CONTROL, 0};
    KernEventSelectObject(Kernel(), page.B(), &withControl);
    // The extent runs from 10 to 140; its right edge is taken halfway down and brought to 75.
    const HWND right = Kernel()->handles[2];
    RECT handle;
    GetClientRect(right, &handle);
    SendMessageA(right, WM_LBUTTONDOWN, MK_LBUTTON, At(1, handle.bottom / 2));
    ASSERT_NE(nullptr, Kernel()->rubber);
    EXPECT_EQ(right, GetCapture());
    POINT to = {76, 30};
    ScreenToClient(right, &to);
    SendMessageA(right, WM_MOUSEMOVE, MK_LBUTTON, At(to.x, to.y));
    SendMessageA(right, WM_LBUTTONUP, 0, At(to.x, to.y));
    EXPECT_EQ(nullptr, Kernel()->rubber);
    EXPECT_EQ(nullptr, GetCapture());
    ExpectPlace({10, 10, 35, 40}, page.A());
    ExpectPlace({55, 10, 75, 50}, page.B());
    EXPECT_EQ(10, Kernel()->selLeft);
    EXPECT_EQ(75, Kernel()->selRight);
    KernUndoPop(Kernel());
    ExpectPlace({10, 10, 60, 40}, page.A());
    ExpectPlace({100, 10, 140, 50}, page.B());
}

TEST_F(RubberBand, DeletedObjectsComeBackWithOneUndoStep)
{
    OBJET* a = page.A();
    OBJET* b = page.B();
    OBJET* c = page.C();
    KernSelectObject(Kernel(), a);
    MSGL withControl = {QX_MODE_EDIT_BIT, c->window, WM_LBUTTONUP, MK_CONTROL, 0};
    KernEventSelectObject(Kernel(), c, &withControl);
    KernDeleteSelectObjects(Kernel());
    EXPECT_EQ(0, Kernel()->selection.Items());
    ASSERT_EQ(1, page.Root()->GetChildItems());
    EXPECT_EQ(b, page.Root()->GetChild(0));
    EXPECT_FALSE(IsWindowVisible(a->window));
    EXPECT_EQ(0, GetWindowLongPtrA(a->window, 0));
    EXPECT_EQ(nullptr, Kernel()->handles[0]);

    KernUndoPop(Kernel());
    ASSERT_EQ(3, page.Root()->GetChildItems());
    EXPECT_EQ(a, page.Root()->GetChild(0));
    EXPECT_EQ(c, page.Root()->GetChild(2));
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(a), GetWindowLongPtrA(a->window, 0));
    EXPECT_TRUE(IsWindowVisible(a->window));
    // Undone backwards, the last deleted comes back first.
    EXPECT_EQ((Labels{"C", "A"}), SelectedLabels(Kernel()));
}

struct GridCase {
    int active, stepX, stepY;
    int x, y;
    int snappedX, snappedY;
};

TEST_F(RubberBand, GridSnapping)
{
    const GridCase cases[] = {
        {1, 10, 10, 14, 14, 10, 10},    // below half a step: down
        {1, 10, 10, 15, 25, 20, 30},    // half a step: up
        {1, 10, 10, -14, -16, -10, -10}, // negative values move toward zero
        {1, 10, 4, 3, 6, 0, 8},         // each axis its own step
        {0, 10, 10, 14, 15, 14, 15},    // inactive grid
        {1, 0, 0, 14, 15, 14, 15},      // zero steps
        {1, 0, 10, 14, 15, 14, 20},     // one zero step
    };
    for (const GridCase& c : cases) {
        KernSetGridActive(Kernel(), c.active);
        KernSetGridX(Kernel(), c.stepX);
        KernSetGridY(Kernel(), c.stepY);
        int x = c.x, y = c.y;
        EXPECT_EQ(c.snappedX, KernPosToGridXY(Kernel(), nullptr, &x, &y)) << c.x;
        EXPECT_EQ(c.snappedX, x) << c.x;
        EXPECT_EQ(c.snappedY, y) << c.y;
    }
}

TEST_F(RubberBand, GridSizesSnapTheFarCornerAndNeverFallBelowAStep)
{
    KernSetGridX(Kernel(), 10);
    KernSetGridY(Kernel(), 8);
    int width = 14, height = 13;
    KernSetGridActive(Kernel(), 1);
    KernPosToGridWH(Kernel(), nullptr, 3, &width, 2, &height);
    EXPECT_EQ(17, width);   // far corner 17 -> 20
    EXPECT_EQ(14, height);  // far corner 15 -> 16
    KernSetGridActive(Kernel(), 0);
    width = 0;
    height = 5;
    KernPosToGridWH(Kernel(), nullptr, 3, &width, 2, &height);
    EXPECT_EQ(10, width);
    EXPECT_EQ(8, height);
}

// The grid drawn over the page into a memory picture: which pixels are in the grid colour.
class GridPicture {
public:
    explicit GridPicture(KERNEL* kernel, OBJET* page)
    {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), Size, -Size, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        dc_ = CreateCompatibleDC(nullptr);
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        previous_ = SelectObject(dc_, bitmap_);
        const RECT clip = {0, 0, Size, Size};
        KernDrawGrid(kernel, page, dc_, clip);
    }
    ~GridPicture()
    {
        SelectObject(dc_, previous_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    bool Marked(int x, int y) const { return GetPixel(dc_, x, y) == RGB(255, 255, 0); }

    static constexpr int Size = 40;

private:
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ previous_;
};

TEST_F(RubberBand, GridStepsUpToTenDrawPointsAndLongerStepsCrosses)
{
    KernSetGridVisible(Kernel(), 1);
    KernSetGridX(Kernel(), 10);
    KernSetGridY(Kernel(), 10);
    {
        GridPicture picture(Kernel(), page.Root());
        EXPECT_TRUE(picture.Marked(10, 10));
        EXPECT_TRUE(picture.Marked(20, 30));
        EXPECT_FALSE(picture.Marked(11, 11));
        EXPECT_FALSE(picture.Marked(15, 10));
    }
    KernSetGridX(Kernel(), 11);
    {
        GridPicture picture(Kernel(), page.Root());
        EXPECT_TRUE(picture.Marked(11, 10));
        EXPECT_TRUE(picture.Marked(12, 11));
        EXPECT_TRUE(picture.Marked(10, 9));
        EXPECT_FALSE(picture.Marked(12, 10));
    }
    KernSetGridVisible(Kernel(), 0);
    GridPicture hidden(Kernel(), page.Root());
    EXPECT_FALSE(hidden.Marked(10, 10));
}

TEST_F(RubberBand, AligningAndStretchingUseTheSelectionsExtent)
{
    KernSelectObject(Kernel(), page.A());
    MSGL withControl = {QX_MODE_EDIT_BIT, page.C()->window, WM_LBUTTONUP, MK_CONTROL, 0};
    KernEventSelectObject(Kernel(), page.C(), &withControl);
    const int before = Kernel()->undo.Items();
    KernAlignObjSel(Kernel(), VK_HOME);  // not an arrow: nothing moves, nothing is recorded
    EXPECT_EQ(before, Kernel()->undo.Items());
    // The extent is the union of the client areas, (10,10)-(60,80).
    KernAlignObjSel(Kernel(), VK_LEFT);
    ExpectPlace({10, 10, 60, 40}, page.A());
    ExpectPlace({10, 60, 40, 80}, page.C());
    KernUndoPop(Kernel());
    ExpectPlace({20, 60, 50, 80}, page.C());
    KernExpandObjSel(Kernel(), VK_RIGHT);
    ExpectPlace({10, 10, 60, 40}, page.A());
    ExpectPlace({20, 60, 60, 80}, page.C());
}

TEST_F(RubberBand, ObjectsOfMaximalSizeStayInPlace)
{
    page.B()->sizeMode = 3;
    KernSelectObject(Kernel(), page.A());
    MSGL withControl = {QX_MODE_EDIT_BIT, page.B()->window, WM_LBUTTONUP, MK_CONTROL, 0};
    KernEventSelectObject(Kernel(), page.B(), &withControl);
    KernMoveObjet(Kernel(), 5, 7);
    ExpectPlace({15, 17, 65, 47}, page.A());
    ExpectPlace({100, 10, 140, 50}, page.B());
}

TEST_F(RubberBand, SelectingByRectangleTakesWholeObjectsOnlyAndNeverThePage)
{
    EXPECT_EQ(2, KernSelectObjectInRect(Kernel(), 0, 0, 200, 55));
    EXPECT_EQ((Labels{"B", "A"}), SelectedLabels(Kernel()));
    EXPECT_EQ(0, KernSelectObjectInRect(Kernel(), 0, 0, 200, 55));  // selected already
    KernUnSelectAllObjects(Kernel());
    EXPECT_EQ(3, KernSelectAllObjects(Kernel()));
    const int before = Kernel()->undo.Items();
    EXPECT_EQ(0, KernSelectAllObjects(Kernel()));  // nothing left: no undo step
    EXPECT_EQ(before, Kernel()->undo.Items());
}

TEST_F(RubberBand, ACancelledPropertyDialogLeavesNoUndoStep)
{
    KernSelectObject(Kernel(), page.A());
    const int before = Kernel()->undo.Items();
    KernModifySelectObjects(Kernel());  // the recording kind's dialog answers "cancelled"
    EXPECT_EQ(before, Kernel()->undo.Items());
    KernUnSelectAllObjects(Kernel());
    const int unselected = Kernel()->undo.Items();
    KernModifySelectObjects(Kernel());  // the page's own dialog
    EXPECT_EQ(unselected, Kernel()->undo.Items());
}

TEST_F(RubberBand, BringingToTheBackReordersTheChildrenAsOneUndoStep)
{
    KernSelectObject(Kernel(), page.C());
    KernBringSelectObjectToBack(Kernel());
    EXPECT_EQ(page.Root()->GetChild(0), Kernel()->selection.GetObjet(0));
    const int after = Kernel()->undo.Items();
    KernBringSelectObjectToBack(Kernel());  // first already: nothing recorded
    EXPECT_EQ(after, Kernel()->undo.Items());
    KernUndoPop(Kernel());
    EXPECT_EQ(page.Root()->GetChild(2), Kernel()->selection.GetObjet(0));
}

}  // namespace
