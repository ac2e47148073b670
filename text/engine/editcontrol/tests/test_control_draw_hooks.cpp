// The drawing, page, auto-scroll and page-margin notifications, each flag on and off, and a
// page printed at the resolution its record asks for.
#include "control_fixture.h"
#include "record_copies.h"
#include "rte_areas.h"
#include "rte_control_internal.h"
#include "rte_gdi_text.h"
#include "rte_runs.h"
#include "rte_typed.h"

namespace {

RteHandle DocOf(HWND control) { return reinterpret_cast<RteHandle>(SendMessageA(control, RTEM_GETDOC, 0, 0)); }

void Repaint(HWND control)
{
    InvalidateRect(control, nullptr, TRUE);
    UpdateWindow(control);
    Pump();
}

TEST_F(ControlTest, PaintsAreReportedAsTheFlagsAsk)
{
    HWND control = MakeControl(ES_MULTILINE | WS_VISIBLE, 200, 80);
    ShowWindow(parent_, SW_SHOWNOACTIVATE);
    SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("du texte"));
    RecordCopies copies(parent_, {{RTEN_PREDRAW, sizeof(RtePageNotify)},
                                  {RTEN_PAGEDRAWN, sizeof(RtePageNotify)},
                                  {RTEN_PAGEDECOR, sizeof(RtePageNotify)}});
    struct Case {
        uint32_t flags;
        size_t predraw, drawn, decor;
    } cases[] = {{0, 0, 0, 0},
                 {RTEN_FLAG_PREDRAW, 1, 0, 0},
                 {RTEN_FLAG_PAGEDRAWN, 0, 1, 0},
                 {RTEN_FLAG_PAGEDECOR, 0, 0, 1},
                 {RTEN_FLAG_PREDRAW | RTEN_FLAG_PAGEDRAWN | RTEN_FLAG_PAGEDECOR, 1, 1, 1}};
    for (const Case& c : cases) {
        SendMessageA(control, RTEM_SETNOTIFY, 0, c.flags);
        copies.Clear();
        Repaint(control);
        EXPECT_EQ(copies.Of<RtePageNotify>(RTEN_PREDRAW).size(), c.predraw) << c.flags;
        EXPECT_EQ(copies.Of<RtePageNotify>(RTEN_PAGEDRAWN).size(), c.drawn) << c.flags;
        EXPECT_EQ(copies.Of<RtePageNotify>(RTEN_PAGEDECOR).size(), c.decor) << c.flags;
    }
    RtePageNotify predraw = copies.Of<RtePageNotify>(RTEN_PREDRAW).at(0);
    EXPECT_EQ(predraw.page, 0);
    EXPECT_EQ(predraw.rect, (RteRect{0, 0, 80, 200})) << "the view about to be drawn";
    EXPECT_NE(predraw.dc, nullptr);
    RtePageNotify drawn = copies.Of<RtePageNotify>(RTEN_PAGEDRAWN).at(0);
    EXPECT_EQ(drawn.page, 1);
    RteRect wrap;
    RteRectListFirst(RteWrapArea(DocOf(control)), &wrap);
    EXPECT_EQ(drawn.rect, wrap);
}

TEST_F(ControlTest, ParagraphsDrawnAreReportedAsTheFlagAsks)
{
    HWND control = MakeControl(ES_MULTILINE | WS_VISIBLE, 200, 80);
    ShowWindow(parent_, SW_SHOWNOACTIVATE);
    SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("un\rdeux trois"));
    RecordCopies copies(parent_, {{RTEN_PARDRAWN, sizeof(RteParagraphNotify)}});
    for (uint32_t flags : {RTEN_FLAG_PARDRAWN, RTEN_FLAG_PAGEDRAWN, 0u, RTEN_FLAG_PARDRAWN}) {
        SendMessageA(control, RTEM_SETNOTIFY, 0, flags);
        copies.Clear();
        Repaint(control);
        EXPECT_EQ(copies.Of<RteParagraphNotify>(RTEN_PARDRAWN).size(), flags == RTEN_FLAG_PARDRAWN ? 2u : 0u) << flags;
    }
    std::vector<RteParagraphNotify> told = copies.Of<RteParagraphNotify>(RTEN_PARDRAWN);
    ASSERT_EQ(told.size(), 2u);
    const RteRect lines[] = {CaretRect(control, 0), CaretRect(control, 3)};
    struct Expected {
        int32_t start, end;
        uint16_t flags;
    } expected[] = {{0, 3, 0x4200 | RTE_PARDRAWN_NO_SECOND},
                    {3, 13, 0x200 | RTE_PARDRAWN_NO_SECOND | RTE_PARDRAWN_TEXT_END}};  // no paragraph end
    for (size_t i = 0; i < 2; ++i) {
        const RteParagraphNotify& record = told[i];
        EXPECT_NE(record.dc, nullptr);
        EXPECT_EQ(record.start, expected[i].start) << i;
        EXPECT_EQ(record.end, expected[i].end) << i;
        EXPECT_EQ(record.flags, expected[i].flags) << i;
        EXPECT_EQ(record.rect.top, lines[i].top) << i;
        EXPECT_EQ(record.rect.bottom, lines[i].bottom) << i;
        EXPECT_EQ(record.rect.left, 0) << i;
        EXPECT_GT(record.rect.right, lines[i].left) << i;
        EXPECT_EQ(record.second.left | record.second.top | record.second.right | record.second.bottom, 0) << i;
        EXPECT_EQ(record.mode, 9) << "the paint mode";
        EXPECT_EQ(record.block, 0);
    }

    // The tab leaders of the format's drawing slot stay the engine's, and are not reported.
    RteHandle doc = DocOf(control);
    RteParFormat format = *RteParFormatAt(doc, 0);
    RteUnlock(RteLocked<RteDocument>(doc)->parFormats);
    RteCharStyle style = *RteCharStyleAt(doc, 0);
    RteUnlock(RteLocked<RteDocument>(doc)->charStyles);
    copies.Clear();
    RteTabLeader gap{&style, '.', 10, 120, 40};
    EXPECT_GT(format.hooks.draw(doc, &format, RTE_PAR_DRAW_TAB_LEADER, reinterpret_cast<intptr_t>(&gap), 0), 0);
    EXPECT_TRUE(copies.Of<RteParagraphNotify>(RTEN_PARDRAWN).empty());
}

TEST_F(ControlTest, AParagraphRunningOnIntoTheNextColumnIsReportedWithItsSecondPart)
{
    HWND control = MakeControl(ES_MULTILINE | WS_VISIBLE, 300, 60);
    ShowWindow(parent_, SW_SHOWNOACTIVATE);
    SendMessageA(control, RTEM_SETCOLUMNS, 0, MAKELPARAM(2, 20));
    std::string text;
    for (int i = 0; i < 12; ++i)
        text += "mot" + std::to_string(i) + " ";
    SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageA(control, RTEM_SETNOTIFY, 0, RTEN_FLAG_PARDRAWN);
    RecordCopies copies(parent_, {{RTEN_PARDRAWN, sizeof(RteParagraphNotify)}});
    Repaint(control);
    std::vector<RteParagraphNotify> told = copies.Of<RteParagraphNotify>(RTEN_PARDRAWN);
    ASSERT_EQ(told.size(), 1u);
    RteContainerRecord column{};
    SendMessageA(control, RTEM_GETCONTAINER, 1, reinterpret_cast<LPARAM>(&column));
    EXPECT_FALSE(told[0].flags & RTE_PARDRAWN_NO_SECOND);
    EXPECT_GE(told[0].second.left, column.rect.right) << "in the second column";
    EXPECT_LT(told[0].rect.left, column.rect.right) << "the whole paragraph from the first";
    EXPECT_GE(told[0].rect.right, told[0].second.right);
    EXPECT_EQ(told[0].end, static_cast<int32_t>(text.size()));
}

TEST_F(ControlTest, AutoScrollIsOfferedToTheParentFirst)
{
    HWND control = MakeControl(ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL, 300, 60);
    std::string text;
    for (int i = 0; i < 30; ++i)
        text += "ligne " + std::to_string(i) + "\r";
    SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageA(control, EM_SETSEL, 0, 0);
    SendMessageA(control, RTEM_SETNOTIFY, 0, RTEN_FLAG_AUTOSCROLL);
    RecordCopies copies(parent_, {{RTEN_AUTOSCROLL, sizeof(RteAutoScrollNotify)}});
    copies.answers[RTEN_AUTOSCROLL] = 1;
    auto scrolled = [&] {
        int32_t position[2] = {};
        SendMessageA(control, RTEM_GETSCROLLPOS, 0, reinterpret_cast<LPARAM>(position));
        return position[0];
    };
    // A drag held below the view, in the active control.
    SendMessageA(control, WM_SETFOCUS, 0, 0);
    SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 5));
    SendMessageA(control, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(10, 90));
    std::vector<RteAutoScrollNotify> asked = copies.Of<RteAutoScrollNotify>(RTEN_AUTOSCROLL);
    ASSERT_FALSE(asked.empty());
    EXPECT_EQ(asked[0].v, -1) << "below the view";
    EXPECT_EQ(asked[0].h, 0);
    EXPECT_EQ(scrolled(), 0) << "the parent scrolled (here: not at all)";
    copies.answers[RTEN_AUTOSCROLL] = 0;
    SendMessageA(control, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(10, 90));
    SendMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(10, 90));
    EXPECT_GT(scrolled(), 0) << "a 0 answer leaves the scrolling to the engine";
}

TEST_F(ControlTest, TheParentGivesTheMarginsOfRepeatedPages)
{
    HWND control = MakeControl(ES_MULTILINE, 200, 400);
    RteHandle doc = DocOf(control);
    RecordCopies copies(parent_, {{RTEN_PAGEMARGINS1, 0}, {RTEN_PAGEMARGINS2, 0}});
    copies.answers[RTEN_PAGEMARGINS1] = MAKELONG(5, 7);
    copies.answers[RTEN_PAGEMARGINS2] = MAKELONG(3, 11);
    RteContainerRecord one{};
    one.rect = RteRect{0, 0, 60, 200};
    SendMessageA(control, RTEM_SETCONTAINERS, 0, reinterpret_cast<LPARAM>(&one));
    RteLocked<RteDocument>(doc)->layoutFlags |= RTE_LAYOUT_REPEAT_DOWN | RTE_LAYOUT_KEEP_LAST_HEIGHT;
    std::string text;
    for (int i = 0; i < 10; ++i)
        text += "ligne " + std::to_string(i) + "\r";
    for (uint32_t flags : {0u, RTEN_FLAG_PAGEMARGINS}) {
        SendMessageA(control, RTEM_SETNOTIFY, 0, flags);
        copies.Clear();
        SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
        RteCaretRecord first{0, {}, 0, 0};
        SendMessageA(control, RTEM_CARETRECT, 0, reinterpret_cast<LPARAM>(&first));
        if (!flags) {
            EXPECT_TRUE(copies.Of<LPARAM>(RTEN_PAGEMARGINS1).empty());
            EXPECT_EQ(first.rect.top, 0);
            EXPECT_EQ(first.rect.left, 0);
            continue;
        }
        std::vector<LPARAM> pages = copies.Of<LPARAM>(RTEN_PAGEMARGINS1);
        ASSERT_FALSE(pages.empty());
        EXPECT_EQ(pages[0], 1) << "pages count from 1";
        EXPECT_EQ(copies.Of<LPARAM>(RTEN_PAGEMARGINS2).size(), pages.size());
        EXPECT_EQ(first.rect.top, 5) << "the top margin from the low word";
        EXPECT_EQ(first.rect.left, 7) << "the left margin from the high word";
    }
}

// The ink's right edge of a page printed at the given resolution (0: the DC's).
int InkRight(HWND control, int32_t resolution)
{
    TestCanvas canvas(400, 200);
    RtePrintRecord record{};
    record.dc = canvas.Dc();
    SendMessageA(control, RTEM_GETPRINTINFO, 0, reinterpret_cast<LPARAM>(&record));
    record.resolution = resolution;
    SendMessageA(control, RTEM_PRINTPAGE, 0, reinterpret_cast<LPARAM>(&record));
    int right = -1;
    for (int y = 0; y < canvas.Height(); ++y)
        for (int x = 0; x < canvas.Width(); ++x)
            if (canvas.Raw(x, y) != 0xFFFFFF && x > right)
                right = x;
    return right;
}

TEST_F(ControlTest, APageIsPrintedAtTheRecordsResolution)
{
    HWND control = MakeControl(ES_MULTILINE, 400, 200);
    SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Mmmm mmmm"));
    int own = InkRight(control, 0);
    int twice = InkRight(control, MAKELONG(192, 192));
    ASSERT_GT(own, 10);
    EXPECT_NEAR(twice, 2 * own, own / 10) << "twice the dots per inch, twice as wide";
}

}  // namespace
