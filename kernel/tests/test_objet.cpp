// OBJET: the tree, the default operations, the default handling of kernel messages, show
// delays run by real window timers, hover messages, and KillObjet.
#include "kerneltest.h"
#include "branch.h"
#include "history.h"
#include "authoring.h"
#include "enclosers.h"
#include "kerntree.h"
#include "qxwindowptr.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

// Object windows as the kernel's window class keeps them: the object in window long 0.
LRESULT CALLBACK ObjectWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE)
        SetWindowLongPtrA(window, 0, reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
    return DefWindowProcA(window, message, wParam, lParam);
}

const char* ObjectWindowClass()
{
    static const char* name = [] {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = ObjectWindowProc;
        windowClass.cbWndExtra = 40;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "QXTestObjetWindow";
        RegisterClassA(&windowClass);
        return "QXTestObjetWindow";
    }();
    return name;
}

// A page of plain objects with windows: a root window on the screen, children inside it.
class Page {
public:
    explicit Page(KERNEL* kernel) : kernel_(kernel)
    {
        root = new OBJET(kernel, nullptr);
        root->window = CreateWindowExA(0, ObjectWindowClass(), "page", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300,
                                       nullptr, nullptr, GetModuleHandleA(nullptr), root);
        kernel->loadedPages.AddTail(new TREE("page.pag", root));
    }

    // The windows go before their objects, which the kernel destroys with its pages.
    ~Page() { DestroyWindow(root->window); }

    OBJET* Add(OBJET* parent, int x, int y, int w, int h, double delay = 0.0)
    {
        OBJET* object = new OBJET(kernel_, nullptr);
        object->SetXYWH(x, y, w, h);
        object->showDelay = delay;
        object->window = CreateWindowExA(0, ObjectWindowClass(), "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, x, y, w,
                                         h, parent->window, nullptr, GetModuleHandleA(nullptr), object);
        parent->AddChild(object);
        return object;
    }

    OBJET* root;

private:
    KERNEL* kernel_;
};

void Pump(DWORD milliseconds)
{
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(2);
    }
}

TEST(ObjetTree, KeepsChildrenInStackingOrder)
{
    TestKernel kernel;
    OBJET parent(kernel, nullptr);
    OBJET* a = new OBJET(kernel, nullptr);
    OBJET* b = new OBJET(kernel, nullptr);
    OBJET* c = new OBJET(kernel, nullptr);
    parent.AddChild(a);
    parent.AddChild(a);
    parent.InsertChild(b, 0);
    parent.InsertChild(c, 7);
    ASSERT_EQ(3, parent.GetChildItems());
    EXPECT_EQ(b, parent.GetChild(0));
    EXPECT_EQ(a, parent.GetChild(1));
    EXPECT_EQ(c, parent.GetChild(2));
    EXPECT_EQ(&parent, a->GetParent());
    EXPECT_EQ(2, c->FindPos());
    EXPECT_EQ(-1, parent.FindPos());
    EXPECT_EQ(nullptr, a->FindHwnd(3));
    EXPECT_EQ(nullptr, a->FindHwnd(-1));
    EXPECT_EQ(a, b->NextSibling());
    EXPECT_EQ(c, a->NextSibling());
    EXPECT_EQ(nullptr, c->NextSibling());
    EXPECT_EQ(nullptr, parent.NextSibling());
    parent.RemoveChild(b);
    EXPECT_EQ(nullptr, b->GetParent());
    EXPECT_EQ(nullptr, b->NextSibling());
    EXPECT_EQ(c, a->NextSibling());
    EXPECT_EQ(2, parent.GetChildItems());
    KillObjet(b);
}

TEST(ObjetDefaults, StartAsTheObjectModelSays)
{
    TestKernel kernel;
    OBJET object(kernel, nullptr);
    EXPECT_STREQ("Objet pur", object.GetObjetName());
    EXPECT_EQ(1, object.beParent);
    EXPECT_EQ(1, object.sizeMode);
    EXPECT_EQ(75u, object.defWidth);
    EXPECT_EQ(75u, object.defHeight);
    EXPECT_EQ(1, object.paintThrough);
    EXPECT_EQ(1, object.delayPending);
    EXPECT_EQ(1, object.closeOnLeave);
    EXPECT_EQ(1, object.effectPending);
    EXPECT_EQ(nullptr, object.message);
    EXPECT_EQ(0, object.isBaseObject());

    char buffer[8] = "x";
    EXPECT_EQ(1, object.SetProperties(999, "v"));
    EXPECT_EQ(0, object.SetProperties(999, nullptr));
    EXPECT_EQ(0, object.SetProperties(1000, "v"));
    EXPECT_EQ(1, object.GetProperties(999, sizeof buffer, buffer));
    EXPECT_STREQ("", buffer);
    EXPECT_EQ(0, object.GetProperties(1000, sizeof buffer, buffer));

    object.SetXYWH(1, 2, 10, 20);
    EXPECT_EQ(1, object.In(0, 0));
    EXPECT_EQ(1, object.In(9, 19));
    EXPECT_EQ(0, object.In(10, 5));
    EXPECT_EQ(0, object.In(-1, 5));
}

TEST(ObjetDefaults, TheVisibilityWordKeepsTheWaitingBitApart)
{
    TestKernel kernel;
    OBJET object(kernel, nullptr);
    object.SetInvisibility(1);
    EXPECT_EQ(1, object.Invisibility());
    object.visibility |= QX_VISIBILITY_WAITING;
    object.SetInvisibility(0);
    EXPECT_EQ(1, object.Invisibility());
    object.visibility &= ~QX_VISIBILITY_WAITING;
    EXPECT_EQ(0, object.Invisibility());
}

TEST(ObjetDefaults, AssignmentCopiesTheMessageAndTheBranches)
{
    TestKernel kernel;
    OBJET source(kernel, nullptr);
    source.SetDLLName("QXPICT.DLL");
    lstrcpyA(source.userID, "id");
    source.SetUserString("chaîne");
    source.message = new MESSOBJ;
    source.message->text = "hello";
    source.message->delay = 4;
    source.showDelay = 1.5;
    source.effectId = 3;
    source.effectModule = "QXFX.DLL";
    source.AddBranch(new BRANCH(kernel));
    source.GetBranch(0)->target = "p.pag";
    OBJET target(kernel, nullptr);
    target.AddBranch(new BRANCH(kernel));
    target.AddBranch(new BRANCH(kernel));
    target = source;
    EXPECT_STREQ("QXPICT.DLL", target.GetDLLName());
    EXPECT_STREQ("id", target.GetUserID());
    EXPECT_STREQ("chaîne", target.GetUserString());
    ASSERT_NE(nullptr, target.message);
    EXPECT_NE(source.message, target.message);
    EXPECT_STREQ("hello", target.message->text);
    EXPECT_EQ(4, target.message->delay);
    EXPECT_DOUBLE_EQ(1.5, target.showDelay);
    EXPECT_EQ(3, target.effectId);
    EXPECT_STREQ("", target.effectModule);
    ASSERT_EQ(1, target.GetBranchItems());
    EXPECT_NE(source.GetBranch(0), target.GetBranch(0));
    EXPECT_STREQ("p.pag", target.GetBranch(0)->target);
}

TEST(KillObjet, GivesBackTheReferenceOnThePlugInModule)
{
    TestKernel kernel;
    const std::string module = TestPluginFolder() + "qxnoalloc40.dll";
    ASSERT_EQ(nullptr, GetModuleHandleA(module.c_str()));
    OBJET* object = new OBJET(kernel, LoadLibraryA(module.c_str()));
    ASSERT_NE(nullptr, GetModuleHandleA(module.c_str()));
    OBJET* parent = new OBJET(kernel, nullptr);
    parent->AddChild(object);
    kernel->hovered = object;
    KillObjet(object);
    EXPECT_EQ(nullptr, GetModuleHandleA(module.c_str()));
    EXPECT_EQ(0, parent->GetChildItems());
    EXPECT_EQ(nullptr, kernel->hovered);
    KillObjet(parent);
}

TEST(KernelMessages, RelinkingEndsWhenNoObjectChangesParent)
{
    TestKernel kernel;
    Page page(kernel);
    OBJET* frame = page.Add(page.root, 10, 10, 200, 200);
    // Placed inside the frame's area but linked to the root: 1041 moves it into the frame.
    OBJET* inner = page.Add(page.root, 50, 50, 20, 20);
    int rounds = 0;
    while (KernBroadCastToObjet(kernel, page.root, KM_RELINK, 0, 0) && rounds < 10)
        ++rounds;
    EXPECT_EQ(1, rounds);
    EXPECT_EQ(frame, inner->GetParent());
    EXPECT_EQ(frame->window, GetParent(inner->window));
    EXPECT_EQ(40, inner->x);
    EXPECT_EQ(40, inner->y);
    RECT onScreen;
    GetWindowRect(inner->window, &onScreen);
    EXPECT_EQ(50, onScreen.left);
}

// Pages whose objects are all linked to the root, placed so that some lie inside others;
// after the page is shown each object hangs under the expected one (-1 for the root).
struct EnclosedPage {
    const char* name;
    std::vector<RECT> places;  // left, top, width, height; added to the root in this order
    std::vector<int> parents;
};

class Enclosers : public testing::TestWithParam<EnclosedPage> {};

TEST_P(Enclosers, ShowingThePageLinksEachObjectUnderItsEncloser)
{
    TestKernel kernel;
    Page page(kernel);
    std::vector<OBJET*> objects;
    for (const RECT& place : GetParam().places)
        objects.push_back(page.Add(page.root, place.left, place.top, place.right, place.bottom));
    KernBroadCastUntilDone(kernel, page.root, KM_SHOWN, KM_SHOWN_PAGE, 0);
    for (size_t i = 0; i < objects.size(); ++i) {
        const int expected = GetParam().parents[i];
        OBJET* parent = expected < 0 ? page.root : objects[static_cast<size_t>(expected)];
        EXPECT_EQ(parent, objects[i]->GetParent()) << "object " << i;
        EXPECT_EQ(parent->window, GetParent(objects[i]->window)) << "object " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    ByGeometry, Enclosers,
    testing::Values(
        EnclosedPage{"Nested", {{0, 0, 300, 250}, {20, 20, 100, 100}, {30, 30, 10, 10}}, {-1, 0, 1}},
        EnclosedPage{"NestedInReverse", {{30, 30, 10, 10}, {20, 20, 100, 100}, {0, 0, 300, 250}}, {1, 2, -1}},
        EnclosedPage{"EqualRectanglesHoldNothing", {{10, 10, 50, 50}, {10, 10, 50, 50}}, {-1, -1}},
        EnclosedPage{"OverlapIsNotEnclosing", {{10, 10, 50, 50}, {40, 40, 50, 50}}, {-1, -1}},
        EnclosedPage{"SharedEdgesStillEnclose", {{10, 10, 50, 50}, {10, 10, 20, 50}}, {-1, 0}},
        // Of two frames that both hold it, the later sibling is looked at first, larger or not.
        EnclosedPage{"TheLaterLargerFrameTakesIt", {{50, 50, 10, 10}, {40, 40, 40, 40}, {45, 45, 60, 60}}, {2, -1, -1}},
        EnclosedPage{"TheLaterSmallerFrameTakesIt", {{50, 50, 10, 10}, {45, 45, 60, 60}, {40, 40, 40, 40}}, {2, -1, -1}},
        // Children are looked at before their parent: the innermost frame takes it.
        EnclosedPage{"TheInnermostFrameTakesIt", {{50, 50, 10, 10}, {40, 40, 40, 40}, {0, 0, 200, 200}}, {1, 2, -1}},
        EnclosedPage{"ALaterFrameBeforeAnEarlierOne", {{50, 50, 10, 10}, {0, 0, 200, 200}, {40, 40, 40, 40}}, {2, -1, 1}}),
    [](const testing::TestParamInfo<EnclosedPage>& info) { return std::string(info.param.name); });

TEST(Enclosers, ObjectsThatHoldNothingAreNeverTaken)
{
    TestKernel kernel;
    Page page(kernel);
    OBJET* shelf = page.Add(page.root, 10, 10, 200, 200);
    OBJET* frame = page.Add(page.root, 20, 20, 100, 100);
    OBJET* inner = page.Add(page.root, 30, 30, 10, 10);
    frame->beParent = 0;
    EXPECT_EQ(shelf, KernLocateParent(kernel, inner));
    // One that holds only invisible objects takes an invisible one only.
    shelf->beParent = 2;
    EXPECT_EQ(page.root, KernLocateParent(kernel, inner));
    inner->SetInvisibility(1);
    EXPECT_EQ(shelf, KernLocateParent(kernel, inner));
}

// During a broadcast the rectangles are taken once; an object added is seen by the next
// search.
TEST(Enclosers, ABroadcastSeesTheObjectsAdded)
{
    TestKernel kernel;
    Page page(kernel);
    OBJET* inner = page.Add(page.root, 50, 50, 10, 10);
    const ENCLOSERSCOPE scope(kernel);
    EXPECT_EQ(page.root, KernLocateParent(kernel, inner));
    OBJET* frame = page.Add(page.root, 40, 40, 40, 40);
    EXPECT_EQ(frame, KernLocateParent(kernel, inner));
}

TEST(KernelMessages, LeavingThePageClearsTheShownMarks)
{
    TestKernel kernel;
    Page page(kernel);
    OBJET* child = page.Add(page.root, 10, 10, 20, 20);
    KernBroadCastUntilDone(kernel, page.root, KM_SHOWN, KM_SHOWN_PAGE, 0);
    EXPECT_EQ(1, page.root->shown);
    EXPECT_EQ(1, child->shown);
    EXPECT_EQ(0, KernBroadCastToObjet(kernel, page.root, KM_LEAVEPAGE, 0, 0));
    EXPECT_EQ(0, page.root->shown);
    EXPECT_EQ(0, child->shown);
}

TEST(KernelMessages, TheHostFilterCanDropThem)
{
    TestKernel kernel;
    Page page(kernel);
    kernel->filterMsg = [](MSGL*, void*) { return 0; };
    KernBroadCastToObjet(kernel, page.root, KM_SHOWN, KM_SHOWN_PAGE, 0);
    EXPECT_EQ(0, page.root->shown);
}

// Show delays, by real window timers: the objects of a page come up in the order of their
// delays, those with equal delays together.
TEST(ShowDelay, ObjectsComeUpInTheOrderOfTheirDelays)
{
    TestKernel kernel;
    Page page(kernel);
    OBJET* first = page.Add(page.root, 10, 10, 20, 20, 0.1);
    OBJET* second = page.Add(page.root, 40, 10, 20, 20, 0.3);
    OBJET* third = page.Add(page.root, 70, 10, 20, 20, 0.3);
    OBJET* plain = page.Add(page.root, 100, 10, 20, 20, 0.0);
    KernBroadCastUntilDone(kernel, page.root, KM_SHOWN, KM_SHOWN_PAGE, 0);
    for (OBJET* waiting : {first, second, third}) {
        EXPECT_FALSE(IsWindowVisible(waiting->window));
        EXPECT_EQ(1, waiting->Invisibility());
        EXPECT_NE(0u, waiting->delayTimer);
    }
    EXPECT_TRUE(IsWindowVisible(plain->window));
    EXPECT_EQ(0u, plain->delayTimer);
    EXPECT_EQ(first, KernFindMinDelai(kernel, page.root));

    std::map<OBJET*, DWORD> cameUp;
    const DWORD start = GetTickCount();
    while (cameUp.size() < 3 && GetTickCount() - start < 5000) {
        Pump(2);
        for (OBJET* waiting : {first, second, third}) {
            if (!cameUp.count(waiting) && IsWindowVisible(waiting->window))
                cameUp[waiting] = GetTickCount() - start;
        }
    }
    ASSERT_EQ(3u, cameUp.size());
    EXPECT_LT(cameUp[first], cameUp[second]);
    EXPECT_LT(cameUp[first], cameUp[third]);
    EXPECT_LE(cameUp[second] > cameUp[third] ? cameUp[second] - cameUp[third] : cameUp[third] - cameUp[second], 100u);
    for (OBJET* waiting : {first, second, third}) {
        EXPECT_EQ(0, waiting->Invisibility());
        EXPECT_EQ(0u, waiting->delayTimer);
        EXPECT_EQ(0, waiting->delayPending);
    }
}

TEST(ShowDelay, DisablingThePageShowsTheFirstWaitingObjectAtOnce)
{
    TestKernel kernel;
    Page page(kernel);
    OBJET* late = page.Add(page.root, 10, 10, 20, 20, 30.0);
    OBJET* later = page.Add(page.root, 40, 10, 20, 20, 40.0);
    KernBroadCastUntilDone(kernel, page.root, KM_SHOWN, KM_SHOWN_PAGE, 0);
    ASSERT_FALSE(IsWindowVisible(late->window));
    EXPECT_EQ(1, KernBroadCastToObjet(kernel, page.root, KM_ENABLE, 0, 0));
    EXPECT_TRUE(IsWindowVisible(late->window));
    EXPECT_EQ(0u, late->delayTimer);
    EXPECT_FALSE(IsWindowVisible(later->window));
    KillTimer(later->window, later->delayTimer);
}

TEST(ShowDelay, AZeroDelayNeverWaits)
{
    TestKernel kernel;
    Page page(kernel);
    OBJET* object = page.Add(page.root, 10, 10, 20, 20, 0.0);
    KernBroadCastUntilDone(kernel, page.root, KM_SHOWN, KM_SHOWN_PAGE, 0);
    EXPECT_EQ(0u, object->delayTimer);
    EXPECT_EQ(nullptr, KernFindMinDelai(kernel, page.root));
}

TEST(HoverMessage, ShowsAtOnceWithoutDelayAndGoesWhenTheMouseLeaves)
{
    TestKernel kernel;
    Page page(kernel);
    OBJET* object = page.Add(page.root, 10, 10, 20, 20);
    object->message = new MESSOBJ;
    object->message->text = "Bonjour";
    object->message->title = "Titre";
    MSGL enter = {0, object->window, KM_HOVERSTART, 0, 0};
    EXPECT_EQ(0, object->KernelMessage(&enter));
    EXPECT_EQ(1, object->message->shown);
    EXPECT_EQ(object, GetQORVEXXpointer(object->window, QXKEY_HOVER_OBJECT_1, QXKEY_HOVER_OBJECT_2));
    ASSERT_NE(nullptr, object->message->window.Window());
    EXPECT_TRUE(IsWindowVisible(object->message->window.Window()));
    MSGL leave = {0, object->window, KM_HOVEREND, 0, 0};
    EXPECT_EQ(0, object->KernelMessage(&leave));
    EXPECT_EQ(0, object->message->shown);
}

TEST(HoverMessage, ABlockWithNeitherTextNorTitleShowsNothing)
{
    struct Case {
        const char* text;
        const char* title;
        int shown;
    };
    for (const Case& c : {Case{"", "", 0}, Case{"", "Titre", 1}, Case{"Bonjour", "", 1}}) {
        TestKernel kernel;
        Page page(kernel);
        OBJET* object = page.Add(page.root, 10, 10, 20, 20);
        object->message = new MESSOBJ;
        object->message->text = c.text;
        object->message->title = c.title;
        MSGL enter = {0, object->window, KM_HOVERSTART, 0, 0};
        object->KernelMessage(&enter);
        EXPECT_EQ(c.shown, object->message->shown) << "text \"" << c.text << "\", title \"" << c.title << "\"";
        object->ReleaseMessage();
    }
}

TEST(HoverMessage, WaitsForItsDelayOutsidePresentation)
{
    TestKernel kernel(TestPluginFolder(), 2);
    Page page(kernel);
    OBJET* object = page.Add(page.root, 10, 10, 20, 20);
    object->message = new MESSOBJ;
    object->message->text = "x";
    object->SetMsgTimer();
    EXPECT_EQ(0, object->message->shown);
    EXPECT_EQ(1, object->message->timerArmed);
    object->ReleaseMsgTimer();
    EXPECT_EQ(0, object->message->timerArmed);
}

TEST(HoverMessage, ANewBlockTakesTheProcessStyle)
{
    MESSOBJ block;
    EXPECT_EQ(20, block.font.lfHeight);
    EXPECT_EQ(400, block.font.lfWeight);
    EXPECT_EQ(3, block.font.lfOutPrecision);
    EXPECT_EQ(2, block.font.lfClipPrecision);
    EXPECT_EQ(34, block.font.lfPitchAndFamily);
    EXPECT_STREQ("System", block.font.lfFaceName);
    EXPECT_EQ(192, block.backColour.green);
    EXPECT_EQ(0, block.textColour.red);
}

}  // namespace

namespace {

TEST(ClipChildren, LeavesTheVisibleChildrenOutOfTheRegion)
{
    TestKernel kernel(TestPluginFolder(), 2);
    Page page(kernel);
    page.Add(page.root, 10, 10, 20, 20);
    OBJET* seeThrough = page.Add(page.root, 50, 10, 20, 20);
    seeThrough->SetInvisibility(1);
    HRGN region = CreateRectRgn(0, 0, 100, 100);
    ASSERT_EQ(region, KernClipChildrenRgn(kernel, page.root, region));
    EXPECT_FALSE(PtInRegion(region, 15, 15));
    EXPECT_TRUE(PtInRegion(region, 55, 15));
    EXPECT_TRUE(PtInRegion(region, 5, 5));
    DeleteObject(region);
}

}  // namespace
