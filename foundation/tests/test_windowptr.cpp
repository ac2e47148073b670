// Object pointers on windows: the pointer pair, keyed pointers, the property snapshot and the
// snapshot of descendant windows, on real windows.
#include "qxwindowptr.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr uintptr_t FourGiB = 0x100000000ull;

// A plain top-level window for properties and children, destroyed with the test.
class TestWindow {
public:
    explicit TestWindow(HWND parent = nullptr, int id = 0)
        : window_(CreateWindowExA(0, "STATIC", "", parent ? WS_CHILD : WS_OVERLAPPED, 0, 0, 100, 50, parent,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr))
    {
    }
    ~TestWindow() { DestroyWindow(window_); }
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;
    operator HWND() const { return window_; }

private:
    HWND window_;
};

// Address space reserved far above 4 GiB, so that the pointers tested are real ones there.
class HighReservation {
public:
    HighReservation()
        : block_(VirtualAlloc(reinterpret_cast<void*>(0x7FF000000000ull), 0x10000, MEM_RESERVE, PAGE_NOACCESS))
    {
        if (!block_)
            block_ = VirtualAlloc(nullptr, 0x10000, MEM_RESERVE | MEM_TOP_DOWN, PAGE_NOACCESS);
    }
    ~HighReservation() { VirtualFree(block_, 0, MEM_RELEASE); }
    HighReservation(const HighReservation&) = delete;
    HighReservation& operator=(const HighReservation&) = delete;
    // An address inside the block whose low 16 bits are all set.
    void* Pointer() const { return static_cast<char*>(block_) + 0xFFFF; }

private:
    void* block_;
};

void* AsPointer(uintptr_t value) { return reinterpret_cast<void*>(value); }
uintptr_t PropertyValue(HWND window, const char* name) { return reinterpret_cast<uintptr_t>(GetPropA(window, name)); }

struct PairCase {
    uintptr_t pointer;
    uintptr_t high;  // expected under "QXHI"
    uintptr_t low;   // expected under "QXLO"
};

class PointerPair : public testing::TestWithParam<PairCase> {};

TEST_P(PointerPair, SplitsAtSixteenBitsAndComesBackWhole)
{
    const PairCase& c = GetParam();
    TestWindow window;
    EXPECT_TRUE(SetQORVEXpointer(window, AsPointer(c.pointer)));
    EXPECT_EQ(PropertyValue(window, "QXHI"), c.high);
    EXPECT_EQ(PropertyValue(window, "QXLO"), c.low);
    EXPECT_EQ(GetQORVEXpointer(window), AsPointer(c.pointer));
}

INSTANTIATE_TEST_SUITE_P(WindowPtr, PointerPair,
                         testing::Values(PairCase{0x12345678, 0x1234, 0x5678},
                                         PairCase{0x1234FFFF, 0x1234, 0xFFFF},
                                         PairCase{0x7FF012345678, 0x7FF01234, 0x5678},
                                         PairCase{0xFFFFFFFFFFFF0010, 0xFFFFFFFFFFFF, 0x0010},
                                         PairCase{0, 0, 0}));

TEST(WindowPtr, PairOnAWindowWithoutItIsNull)
{
    TestWindow window;
    EXPECT_EQ(GetQORVEXpointer(window), nullptr);
}

TEST(WindowPtr, PairOverwritesThePreviousPointer)
{
    TestWindow window;
    SetQORVEXpointer(window, AsPointer(0x11112222));
    SetQORVEXpointer(window, AsPointer(0x33334444));
    EXPECT_EQ(GetQORVEXpointer(window), AsPointer(0x33334444));
}

TEST(WindowPtr, ReservedPointerAboveFourGiBSurvivesBothForms)
{
    HighReservation reservation;
    void* pointer = reservation.Pointer();
    ASSERT_GT(reinterpret_cast<uintptr_t>(pointer), FourGiB) << "the system gave no address above 4 GiB";
    TestWindow window;
    SetQORVEXpointer(window, pointer);
    SetQORVEXXpointer(window, 275, pointer, 12);
    EXPECT_EQ(GetQORVEXpointer(window), pointer);
    EXPECT_EQ(GetQORVEXXpointer(window, 275, 12), pointer);
}

TEST(WindowPtr, KeyedNameCarriesSixteenDigits)
{
    TestWindow window;
    SetQORVEXXpointer(window, 275, AsPointer(0x7FF0ABCD1234), 4096);
    WINDOW_PROPS props(window);
    ASSERT_EQ(props.count, 1);
    EXPECT_STREQ(props.names[0], "QORVEY00007FF0ABCD1234 275 4096");
}

struct KeyedCase {
    int first;
    int second;
    uintptr_t expected;  // 0: nothing recorded with these keys
};

class KeyedLookup : public testing::TestWithParam<KeyedCase> {};

// The pairs of the system, and near misses, on one window carrying several keyed pointers.
TEST_P(KeyedLookup, FindsExactlyTheRecordedKeys)
{
    const KeyedCase& c = GetParam();
    TestWindow window;
    SetQORVEXXpointer(window, 500, AsPointer(0x7FFF00000500), 500);
    SetQORVEXXpointer(window, 999, AsPointer(0x7FFF00000999), 999);
    SetQORVEXXpointer(window, 512, AsPointer(0x0000000051200), 0);
    SetQORVEXXpointer(window, 512, AsPointer(0x7FFF00051201), 1);
    SetQORVEXXpointer(window, 0, AsPointer(0x7FFF00000001), 1);
    SetQORVEXXpointer(window, -7, AsPointer(0x7FFF0000FFF9), 275);
    EXPECT_EQ(GetQORVEXXpointer(window, c.first, c.second), AsPointer(c.expected));
}

INSTANTIATE_TEST_SUITE_P(WindowPtr, KeyedLookup,
                         testing::Values(KeyedCase{500, 500, 0x7FFF00000500}, KeyedCase{999, 999, 0x7FFF00000999},
                                         KeyedCase{512, 0, 0x51200}, KeyedCase{512, 1, 0x7FFF00051201},
                                         KeyedCase{0, 1, 0x7FFF00000001}, KeyedCase{-7, 275, 0x7FFF0000FFF9},
                                         KeyedCase{500, 501, 0}, KeyedCase{501, 500, 0}, KeyedCase{1, 0, 0},
                                         KeyedCase{275, -7, 0}));

TEST(WindowPtr, ClearRemovesWhatSetWrote)
{
    TestWindow window;
    void* pointer = AsPointer(0x7FF055556666);
    SetQORVEXXpointer(window, 500, pointer, 500);
    SetQORVEXXpointer(window, 999, pointer, 999);
    EXPECT_EQ(ClearQORVEXXpointer(window, pointer, 500, 500), nullptr);
    EXPECT_EQ(GetQORVEXXpointer(window, 500, 500), nullptr);
    EXPECT_EQ(GetQORVEXXpointer(window, 999, 999), pointer);
    EXPECT_EQ(WINDOW_PROPS(window).count, 1);
}

TEST(WindowPtr, KeyedPointersAreFoundAmongManyProperties)
{
    // More than the 32 properties that a capped snapshot would look at, keyed and plain mixed,
    // so that whatever the enumeration order some keyed names come late.
    constexpr int Keyed = 45;
    TestWindow window;
    SetQORVEXpointer(window, AsPointer(0x7FF000000001));
    for (int i = 0; i < Keyed; ++i) {
        char plain[16];
        std::snprintf(plain, sizeof plain, "P%02d", i);
        SetPropA(window, plain, AsPointer(1));
        SetQORVEXXpointer(window, 275, AsPointer(0x7FF000100000 + i), i + 1);
    }
    for (int i = 0; i < Keyed; ++i)
        EXPECT_EQ(GetQORVEXXpointer(window, 275, i + 1), AsPointer(0x7FF000100000 + i)) << "timer " << i + 1;
    EXPECT_EQ(GetQORVEXXpointer(window, 275, Keyed + 1), nullptr);

    WINDOW_PROPS props(window);
    EXPECT_EQ(props.count, 2 * Keyed + 2);
    EXPECT_EQ(props.GetQORVEXXpointer(275, Keyed), AsPointer(0x7FF000100000 + Keyed - 1));
}

// An atom-named property counts but never matches: Windows enumerates it as an atom (its
// entry stays empty), Wine as the text "#123".
TEST(WindowPtr, SnapshotCountsAtomNamesWithoutMatchingThem)
{
    TestWindow window;
    const LPCSTR integerAtom = MAKEINTATOM(123);
    SetPropA(window, integerAtom, AsPointer(5));
    SetQORVEXXpointer(window, 1, AsPointer(0x7FF000000010), 1);
    WINDOW_PROPS props(window);
    ASSERT_EQ(props.count, 2);
    int keyedNames = 0;
    for (int i = 0; i < props.count; ++i)
        keyedNames += std::strncmp(props.names[i], "QORVEY", 6) == 0;
    EXPECT_EQ(keyedNames, 1);
    EXPECT_EQ(props.GetQORVEXXpointer(1, 1), AsPointer(0x7FF000000010));
    EXPECT_EQ(props.GetQORVEXXpointer(0, 0), nullptr);
    EXPECT_EQ(GetQORVEXXpointer(window, 1, 1), AsPointer(0x7FF000000010));
    RemovePropA(window, integerAtom);
}

TEST(WindowPtr, SnapshotCutsLongNames)
{
    TestWindow window;
    const std::string longName(100, 'N');
    SetPropA(window, longName.c_str(), AsPointer(1));
    WINDOW_PROPS props(window);
    ASSERT_EQ(props.count, 1);
    EXPECT_EQ(std::string(props.names[0]), std::string(QX_PROPERTY_NAME_CHARS, 'N'));
}

TEST(WindowPtr, SnapshotOfAWindowWithoutPropertiesIsEmpty)
{
    TestWindow window;
    WINDOW_PROPS props(window);
    EXPECT_EQ(props.count, 0);
    EXPECT_EQ(props.names, nullptr);
    EXPECT_EQ(props.GetQORVEXXpointer(0, 0), nullptr);
}

// ---- Descendant windows ----

// Answers message WM_APP with the window's control id when that id is at least 10, else 0,
// and counts every WM_APP it receives.
int appMessagesSeen = 0;

LRESULT CALLBACK AnsweringProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_APP) {
        ++appMessagesSeen;
        const int id = GetDlgCtrlID(window);
        return id >= 10 ? id : 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

class Children : public testing::Test {
protected:
    void SetUp() override
    {
        WNDCLASSA wc{};
        wc.lpfnWndProc = AnsweringProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "QxTestAnswering";
        RegisterClassA(&wc);
        appMessagesSeen = 0;
    }
    void TearDown() override { UnregisterClassA("QxTestAnswering", GetModuleHandleA(nullptr)); }

    HWND Child(HWND parent, int id, int x, int y)
    {
        return CreateWindowExA(0, "QxTestAnswering", "", WS_CHILD, x, y, 20, 10, parent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
    }
};

TEST_F(Children, SnapshotHoldsChildrenAndGrandchildren)
{
    TestWindow top;
    const HWND a = Child(top, 1, 0, 0);
    const HWND b = Child(top, 2, 30, 0);
    const HWND a1 = Child(a, 3, 1, 1);
    const HWND a2 = Child(a, 4, 2, 2);
    WINDOW_CHILDREN children(top);
    ASSERT_EQ(children.count, 4);
    ASSERT_NE(children.windows, nullptr);
    std::vector<HWND> got(children.windows, children.windows + children.count);
    // The system's order: each child followed by its own descendants.
    std::vector<HWND> expected;
    for (HWND w = GetWindow(top, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
        expected.push_back(w);
        for (HWND g = GetWindow(w, GW_CHILD); g; g = GetWindow(g, GW_HWNDNEXT))
            expected.push_back(g);
    }
    EXPECT_EQ(got, expected);
    for (HWND w : {a, b, a1, a2})
        EXPECT_NE(std::find(got.begin(), got.end(), w), got.end());
}

TEST_F(Children, SnapshotDoesNotFollowLaterChanges)
{
    TestWindow top;
    Child(top, 1, 0, 0);
    WINDOW_CHILDREN children(top);
    Child(top, 2, 0, 0);
    EXPECT_EQ(children.count, 1);
    EXPECT_EQ(children.FindID(2), nullptr);
}

TEST_F(Children, WindowWithoutDescendantsGivesAnEmptySnapshot)
{
    TestWindow top;
    WINDOW_CHILDREN children(top);
    EXPECT_EQ(children.count, 0);
    EXPECT_EQ(children.windows, nullptr);
    EXPECT_EQ(children.BroadcastMessage(WM_APP, 0, 0), 0);
    EXPECT_EQ(children.FindID(0), nullptr);
}

TEST_F(Children, FindIdComparesSixteenBits)
{
    TestWindow top;
    const HWND five = Child(top, 5, 0, 0);
    const HWND inner = Child(five, 7, 0, 0);
    WINDOW_CHILDREN children(top);
    EXPECT_EQ(children.FindID(5), five);
    EXPECT_EQ(children.FindID(0x10005), five);
    EXPECT_EQ(children.FindID(7), inner);
    EXPECT_EQ(children.FindID(6), nullptr);
}

TEST_F(Children, BroadcastStopsAtTheFirstAnswer)
{
    TestWindow top;
    Child(top, 1, 0, 0);
    Child(top, 12, 0, 0);
    Child(top, 13, 0, 0);
    Child(top, 2, 0, 0);
    WINDOW_CHILDREN children(top);
    ASSERT_EQ(children.count, 4);
    // Windows 12 and 13 answer; whichever comes first in the snapshot gives the answer, and
    // nobody after it is asked.
    int first = 0;
    while (GetDlgCtrlID(children.windows[first]) < 10)
        ++first;
    EXPECT_EQ(children.BroadcastMessage(WM_APP, 0, 0), GetDlgCtrlID(children.windows[first]));
    EXPECT_EQ(appMessagesSeen, first + 1);
}

TEST_F(Children, BroadcastReachesEveryoneWhenNobodyAnswers)
{
    TestWindow top;
    Child(top, 1, 0, 0);
    Child(Child(top, 2, 0, 0), 3, 0, 0);
    WINDOW_CHILDREN children(top);
    EXPECT_EQ(children.BroadcastMessage(WM_APP, 0, 0), 0);
    EXPECT_EQ(appMessagesSeen, 3);
}

struct PosCase {
    int id;
    int left, top, right, bottom;
};

class ChildPositions : public Children, public testing::WithParamInterface<PosCase> {};

TEST_P(ChildPositions, AreRelativeToTheParentWindow)
{
    const PosCase& c = GetParam();
    TestWindow top;
    SetWindowPos(top, nullptr, 100, 200, 300, 300, SWP_NOZORDER);
    const HWND outer = Child(top, 1, 40, 30);
    Child(outer, 2, 5, 6);
    WINDOW_CHILDREN children(top);
    int left = -1, topEdge = -1, right = -1, bottom = -1;
    EXPECT_EQ(children.GetWindowPos(c.id, left, topEdge, right, bottom), 0);
    RECT topRect;
    GetWindowRect(top, &topRect);
    RECT client{};
    MapWindowPoints(top, nullptr, reinterpret_cast<POINT*>(&client), 1);
    // The parent's client area starts (border) pixels inside its window rectangle.
    const int dx = c.id == 1 ? client.left - topRect.left : 0;
    const int dy = c.id == 1 ? client.top - topRect.top : 0;
    EXPECT_EQ(left, c.left + dx);
    EXPECT_EQ(topEdge, c.top + dy);
    EXPECT_EQ(right, c.right + dx);
    EXPECT_EQ(bottom, c.bottom + dy);
}

INSTANTIATE_TEST_SUITE_P(WindowPtr, ChildPositions,
                         testing::Values(PosCase{1, 40, 30, 60, 40}, PosCase{2, 5, 6, 25, 16},
                                         PosCase{9, 0, 0, 0, 0}));

}  // namespace
