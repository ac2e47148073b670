// Exclusions the text flows around, the document's scale, flags, values and pages, set through
// the control's messages and read back through its getters and the engine.
#include "control_fixture.h"
#include "rte_areas.h"
#include "rte_control_internal.h"
#include "rte_extra_rects.h"
#include "rte_text_blocks.h"
#include "rte_typed.h"

namespace {

RteHandle DocOf(HWND control) { return reinterpret_cast<RteHandle>(SendMessageA(control, RTEM_GETDOC, 0, 0)); }

RteContainerRecord Record(const RteRect& rect)
{
    RteContainerRecord record{};
    record.rect = rect;
    return record;
}

RteRect Exclusion(HWND control, int index)
{
    RteContainerRecord record{};
    SendMessageA(control, RTEM_GETEXCLUSION, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&record));
    return record.rect;
}

TEST_F(ControlTest, ExclusionsAreAddedReadReplacedMovedAndDeleted)
{
    HWND control = MakeControl(ES_MULTILINE, 300, 200);
    const RteRect a{10, 10, 40, 60}, b{50, 100, 90, 200}, c{100, 20, 120, 40};
    EXPECT_EQ(SendMessageA(control, RTEM_EXCLUSIONCOUNT, 0, 0), 0);
    for (const RteRect& rect : {a, b}) {
        RteContainerRecord record = Record(rect);
        SendMessageA(control, RTEM_ADDEXCLUSION, 0, reinterpret_cast<LPARAM>(&record));
    }
    EXPECT_EQ(Count(WM_COMMAND), 2) << "each addition is a change";
    ASSERT_EQ(SendMessageA(control, RTEM_EXCLUSIONCOUNT, 0, 0), 2);
    EXPECT_EQ(Exclusion(control, 1), a);
    EXPECT_EQ(Exclusion(control, 2), b);
    struct ValueCase {
        int index;
        LPARAM set;
        LRESULT read;
    } values[] = {{1, 11, 11}, {2, -4, -4}, {3, 99, 0}, {0, 5, 0}};
    for (const ValueCase& v : values) {
        SendMessageA(control, RTEM_SETEXCLUSIONVALUE, static_cast<WPARAM>(v.index), v.set);
        EXPECT_EQ(SendMessageA(control, RTEM_GETEXCLUSIONVALUE, static_cast<WPARAM>(v.index), 0), v.read) << v.index;
    }
    EXPECT_EQ(SendMessageA(control, RTEM_EXCLUSIONATPOINT, 0, MAKELPARAM(150, 70)), 2);
    EXPECT_EQ(SendMessageA(control, RTEM_EXCLUSIONATPOINT, 0, MAKELPARAM(30, 20)), 1);
    EXPECT_EQ(SendMessageA(control, RTEM_EXCLUSIONATPOINT, 0, MAKELPARAM(250, 150)), 0);

    SendMessageA(control, RTEM_MOVEEXCLUSION, 0, MAKELPARAM(2, 1));
    EXPECT_EQ(Exclusion(control, 1), b) << "the two swap";
    EXPECT_EQ(SendMessageA(control, RTEM_GETEXCLUSIONVALUE, 1, 0), -4) << "their values with them";
    RteContainerRecord replacement = Record(c);
    SendMessageA(control, RTEM_SETEXCLUSION, 2, reinterpret_cast<LPARAM>(&replacement));
    EXPECT_EQ(Exclusion(control, 2), c);
    SendMessageA(control, RTEM_SETEXCLUSION, 7, reinterpret_cast<LPARAM>(&replacement));
    SendMessageA(control, RTEM_DELEXCLUSION, 7, 0);
    EXPECT_EQ(SendMessageA(control, RTEM_EXCLUSIONCOUNT, 0, 0), 2) << "indexes beyond the list do nothing";
    SendMessageA(control, RTEM_DELEXCLUSION, 1, 0);
    ASSERT_EQ(SendMessageA(control, RTEM_EXCLUSIONCOUNT, 0, 0), 1);
    EXPECT_EQ(Exclusion(control, 1), c);
    SendMessageA(control, RTEM_CLEAREXCLUSIONS, 1, 0);
    EXPECT_EQ(SendMessageA(control, RTEM_EXCLUSIONCOUNT, 0, 0), 0);
    EXPECT_EQ(RteExtraRectCount(DocOf(control)), 0);
}

TEST_F(ControlTest, TextFlowsAroundAnExclusionAndBackWhenItGoes)
{
    HWND control = MakeControl(ES_MULTILINE, 300, 200);
    SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("abc"));
    const RteRect before = CaretRect(control, 0);
    RteContainerRecord record = Record(RteRect{0, 0, 40, 120});
    SendMessageA(control, RTEM_ADDEXCLUSION, 0, reinterpret_cast<LPARAM>(&record));
    const RteRect beside = CaretRect(control, 0);
    EXPECT_TRUE(beside.left >= 120 || beside.top >= 40)
        << "the first character leaves the excluded corner: " << beside.top << "," << beside.left;
    SendMessageA(control, RTEM_CLEAREXCLUSIONS, 0, 0);
    EXPECT_EQ(CaretRect(control, 0), before);
}

TEST_F(ControlTest, ScaleFlagsValuesAndPagePairAreReadBack)
{
    HWND control = MakeControl();
    RteHandle doc = DocOf(control);
    struct Case {
        UINT set;
        WPARAM wParam;
        LPARAM lParam;
        UINT get;
        LRESULT read;
    } cases[] = {
        {RTEM_SETSCALE, 0, MAKELONG(1, 2), RTEM_GETSCALE, MAKELONG(1, 2)},
        {RTEM_SETSCALE, 1, MAKELONG(3, 3), RTEM_GETSCALE, MAKELONG(3, 3)},
        {RTEM_SETDOCBIT6, 1, 0, RTEM_GETDOCBIT6, 1},
        {RTEM_SETDOCBIT6, 0, 0, RTEM_GETDOCBIT6, 0},
        {RTEM_SETDOCBIT7, 5, 0, RTEM_GETDOCBIT7, 1},
        {RTEM_SETDOCBIT7, 0, 0, RTEM_GETDOCBIT7, 0},
        {RTEM_SETDOCVALUE, 0, 123456, RTEM_GETDOCVALUE, 123456},
        {RTEM_SETPAGEPAIR, 0, MAKELONG(7, 9), RTEM_GETPAGEPAIR, MAKELONG(7, 9)},
    };
    for (const Case& c : cases) {
        SendMessageA(control, c.set, c.wParam, c.lParam);
        EXPECT_EQ(SendMessageA(control, c.get, 0, 0), c.read) << std::hex << c.set << " " << c.lParam;
    }
    RteScaling scaling{};
    RteGetScaling(doc, &scaling);
    EXPECT_EQ(scaling.factor, 0) << "equal halves are no scaling";
    SendMessageA(control, RTEM_SETSCALE, 0, MAKELONG(1, 2));
    RteGetScaling(doc, &scaling);
    EXPECT_EQ(scaling.factor, MAKELONG(1, 2));
    SendMessageA(control, RTEM_SETDOCBIT6, 1, 0);
    EXPECT_TRUE(RteGetDocFlags(doc) & 0x40);
    RtePageSettings page;
    RteGetPageSettings(doc, &page);
    EXPECT_EQ(page.columns, 9) << "the high word first";
    EXPECT_EQ(page.gap, 7);
}

TEST_F(ControlTest, AScaledDocumentPlacesItsCharactersAndClicksThroughTheScale)
{
    HWND control = MakeControl(ES_MULTILINE, 300, 120);
    SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Mmmm mmmm"));
    const RteRect plain = CaretRect(control, 6);
    SendMessageA(control, RTEM_SETSCALE, 0, MAKELONG(1, 2));
    const RteRect scaled = CaretRect(control, 6);
    EXPECT_EQ(scaled.left, 2 * plain.left);
    EXPECT_EQ(scaled.bottom, 2 * plain.bottom);
    // A click where the scaled character stands lands on it.
    SendMessageA(control, WM_SETFOCUS, 0, 0);
    LPARAM at = MAKELPARAM(scaled.left + 1, (scaled.top + scaled.bottom) / 2);
    SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(control, WM_LBUTTONUP, 0, at);
    int32_t selection[2] = {};
    SendMessageA(control, RTEM_GETSEL, 0, reinterpret_cast<LPARAM>(selection));
    EXPECT_EQ(selection[0], 6);
    SendMessageA(control, RTEM_SETSCALE, 0, MAKELONG(1, 1));
    EXPECT_EQ(CaretRect(control, 6), plain);
}

TEST_F(ControlTest, PagesOfARepeatingWrapArea)
{
    HWND control = MakeControl(ES_MULTILINE, 200, 400);
    RteHandle doc = DocOf(control);
    RteContainerRecord one = Record(RteRect{0, 0, 40, 200});
    SendMessageA(control, RTEM_SETCONTAINERS, 0, reinterpret_cast<LPARAM>(&one));
    std::string text;
    for (int i = 0; i < 12; ++i)
        text += "ligne " + std::to_string(i) + "\r";
    SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    const int32_t lastLine = static_cast<int32_t>(text.size()) - 3;
    EXPECT_EQ(SendMessageA(control, RTEM_PAGEOFOFFSET, 0, lastLine), 0) << "without page flags there are no pages";
    // Pages: copies of the wrap area down the document, asked for by the control's flag. The
    // container, which followed the text so far, is set again and the text laid into it.
    auto flags = static_cast<uint32_t>(SendMessageA(control, RTEM_GETFLAGS, 0, 0));
    SendMessageA(control, RTEM_SETFLAGS, 0, flags | RTE_CTL_PAGES);
    SendMessageA(control, RTEM_SETCONTAINERS, 0, reinterpret_cast<LPARAM>(&one));
    SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    RtePageSettings page;
    RteGetPageSettings(doc, &page);
    EXPECT_EQ(page.flags & 0x25u, 0x25u);
    EXPECT_EQ(SendMessageA(control, RTEM_PAGEOFOFFSET, 0, 0), 1);
    LRESULT last = SendMessageA(control, RTEM_PAGEOFOFFSET, 0, lastLine);
    EXPECT_GT(last, 1);
    for (LRESULT n = 1; n <= last; ++n) {
        RtePageRectRecord record{static_cast<int32_t>(n), {}, 0, 0};
        SendMessageA(control, RTEM_GETPAGERECT, 0, reinterpret_cast<LPARAM>(&record));
        EXPECT_EQ(record.rect.top, 40 * (n - 1)) << n;
        EXPECT_EQ(record.rect.right, 200) << n;
        int32_t point[2] = {record.rect.top + 5 + record.v, 10};
        EXPECT_EQ(SendMessageA(control, RTEM_PAGEATPOINT, 0, reinterpret_cast<LPARAM>(point)), n);
    }
}

TEST_F(ControlTest, RelayoutKeepsTheParagraphWhereItStands)
{
    HWND control = MakeControl();
    SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("un\rdeux\rtrois"));
    const RteRect before = CaretRect(control, 5);
    RteHandle doc = DocOf(control);
    auto waiting = [&] {
        RteLocked<RteDocument> locked(doc);
        return (RteLocked<RteTextBlock>(locked->blocks)[0].flags & RTE_BLOCK_RELAYOUT) != 0;
    };
    RteMarkForLayout(RteLocked<RteDocument>(doc).get(), 0, 1);
    ASSERT_TRUE(waiting());
    SendMessageA(control, RTEM_RELAYOUT, 0, 5);
    EXPECT_FALSE(waiting()) << "laid out at once";
    EXPECT_EQ(CaretRect(control, 5), before);
}

}  // namespace
