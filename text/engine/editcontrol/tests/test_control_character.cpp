// Shifts, style values, style-sheet entries and style names set through the character messages,
// read back and seen in the pixels.
#include <algorithm>
#include <cstring>
#include <string>

#include "control_fixture.h"
#include "failing_blocks.h"
#include "rte_undo.h"
#include "test_canvas.h"

namespace {

LRESULT Send(HWND control, UINT message, WPARAM wParam, const void* record)
{
    return SendMessageA(control, message, wParam, reinterpret_cast<LPARAM>(record));
}

TEST_F(ControlTest, ShiftAndStyleValuesReadBack)
{
    HWND control = MakeControl();
    SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("haut et bas"));
    SendMessageA(control, EM_SETSEL, 0, MAKELPARAM(0, 4));
    struct Case {
        UINT set;
        UINT get;
        LPARAM value;
        LRESULT read;
    } cases[] = {
        {RTEM_SETSHIFT, RTEM_GETSHIFT, -3, -3},
        {RTEM_SETSHIFT, RTEM_GETSHIFT, 4, 4},  // lowering clears the raise
        {RTEM_SETSHIFT, RTEM_GETSHIFT, 0, 0},
        {RTEM_SETSTYLEVALUEA, RTEM_GETSTYLEVALUEA, 1234, 1234},
        {RTEM_SETSTYLEVALUEB, RTEM_GETSTYLEVALUEB, 0x7FFF0001, 0x7FFF0001},
        {RTEM_SETSTYLEVALUEB, RTEM_GETSTYLEVALUEB, -5, -5},
    };
    for (const Case& c : cases) {
        notifications_.clear();
        SendMessageA(control, c.set, 1, c.value);
        EXPECT_EQ(SendMessageA(control, c.get, 0, 0), c.read) << std::hex << c.set << " " << c.value;
        EXPECT_EQ(Count(WM_COMMAND), 1) << "a change the owner hears of: " << std::hex << c.set;
        EXPECT_EQ(SendMessageA(control, RTEM_UNDOKIND, 0, 0), RTE_UNDO_RESTYLE) << std::hex << c.set;
    }
    EXPECT_EQ(SendMessageA(control, RTEM_GETSTYLEVALUEA, 0, 0), 1234) << "the values are apart";
    SendMessageA(control, EM_SETSEL, 0, MAKELPARAM(5, 7));
    EXPECT_EQ(SendMessageA(control, RTEM_GETSTYLEVALUEA, 0, 0), 0) << "only the selection";
    SendMessageA(control, EM_UNDO, 0, 0);
    SendMessageA(control, EM_SETSEL, 0, MAKELPARAM(0, 4));
    EXPECT_EQ(SendMessageA(control, RTEM_GETSTYLEVALUEB, 0, 0), 0x7FFF0001) << "the last change undone";
    EXPECT_EQ(SendMessageA(control, 0x2612, 1, 1), 0) << "0x2612 does nothing";
}

// A style change that runs out of memory once its undo record is made is reported and leaves
// no undo record behind.
TEST_F(ControlTest, AStyleChangeOutOfMemoryIsReported)
{
    HWND control = MakeControl();
    SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("texte\rsuite"));
    SendMessageA(control, EM_SETSEL, 0, MAKELPARAM(0, 3));
    struct Case {
        UINT set;
        LPARAM value;
        UINT get;
    } cases[] = {
        {RTEM_SETSTYLEVALUEA, 77, RTEM_GETSTYLEVALUEA},
        {RTEM_SETATTRIBUTES, 0x1, RTEM_GETATTRIBUTES},
        {RTEM_SETPARVALUE1, 33, RTEM_GETPARVALUE1},
    };
    for (const Case& c : cases) {
        int prepare = 0;
        {
            FailingBlocks counting;
            SendMessageA(control, RTEM_PREPAREUNDO, RTE_UNDO_RESTYLE, 0);
            prepare = counting.Requests();
        }
        ASSERT_EQ(SendMessageA(control, RTEM_UNDOKIND, 0, 0), RTE_UNDO_RESTYLE);
        LRESULT before = SendMessageA(control, c.get, 0, 0);
        notifications_.clear();
        {
            FailingBlocks blocks;
            blocks.FailFromRequest(prepare + 1);
            SendMessageA(control, c.set, 1, c.value);
        }
        EXPECT_EQ(Count(RTEN_ERROR), 1) << std::hex << c.set;
        EXPECT_EQ(SendMessageA(control, RTEM_UNDOKIND, 0, 0), 0) << std::hex << c.set;
        EXPECT_EQ(SendMessageA(control, c.get, 0, 0), before) << std::hex << c.set;
    }
}

// The row of the highest dark pixel between two columns, or the canvas height.
int InkTop(const TestCanvas& canvas, int from, int to)
{
    for (int y = 0; y < canvas.Height(); ++y)
        for (int x = from; x < to; ++x)
            if (GetRValue(canvas.Pixel(x, y)) < 100)
                return y;
    return canvas.Height();
}

TEST_F(ControlTest, RaisedTextIsDrawnHigher)
{
    HWND control = MakeControl(ES_MULTILINE | WS_VISIBLE, 300, 60);
    ShowWindow(parent_, SW_SHOWNOACTIVATE);
    SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("MMMM MMMM"));
    SendMessageA(control, EM_SETSEL, 0, MAKELPARAM(5, 9));
    SendMessageA(control, RTEM_SETSHIFT, 1, -6);
    SendMessageA(control, EM_SETSEL, 0, MAKELPARAM(0, 0));
    TestCanvas canvas(300, 60);
    Snapshot(control, canvas);
    RteCaretRecord split{5, {}, 0, 0};
    SendMessageA(control, RTEM_CARETRECT, 0, reinterpret_cast<LPARAM>(&split));
    int plain = InkTop(canvas, 0, split.rect.left - 2);
    int raised = InkTop(canvas, split.rect.left, 300);
    ASSERT_LT(plain, canvas.Height());
    EXPECT_EQ(plain - raised, 6) << "raised by six pixels";
}

LOGFONTA Font(const char* face, LONG height, LONG weight, BYTE italic)
{
    LOGFONTA logfont = {};
    std::strcpy(logfont.lfFaceName, face);
    logfont.lfHeight = height;
    logfont.lfWeight = weight;
    logfont.lfItalic = italic;
    return logfont;
}

TEST_F(ControlTest, StyleSheetEntriesDefinedAppliedAndRedefined)
{
    HWND control = MakeControl();
    SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("titre et texte"));
    LOGFONTA bold = Font("Liberation Serif", -16, FW_BOLD, 0);
    LRESULT id = Send(control, RTEM_DEFINESTYLE, 0, &bold);
    EXPECT_GT(id, 0);
    EXPECT_EQ(Send(control, RTEM_DEFINESTYLE, 0, &bold), id) << "an equal entry is found";
    LOGFONTA other = Font("Liberation Sans", -12, FW_NORMAL, 1);
    LRESULT otherId = Send(control, RTEM_DEFINESTYLE, 0, &other);
    EXPECT_GT(otherId, id);
    RteFontStyleRecord record = {};
    std::strcpy(record.fontName, "Liberation Mono");
    record.pointSize = 10;
    record.attributes = 0x4;  // underline
    LRESULT recordId = Send(control, RTEM_DEFINESTYLEREC, 0, &record);
    EXPECT_GT(recordId, otherId);
    EXPECT_EQ(Send(control, RTEM_DEFINESTYLEREC, 0, &record), recordId);

    SendMessageA(control, EM_SETSEL, 0, MAKELPARAM(0, 5));
    SendMessageA(control, RTEM_APPLYSTYLE, 1, id);
    LOGFONTA back = {};
    ASSERT_EQ(Send(control, RTEM_GETLOGFONT, 0, &back), 1);
    EXPECT_STREQ(back.lfFaceName, "Liberation Serif");
    EXPECT_EQ(back.lfWeight, FW_BOLD);
    EXPECT_EQ(back.lfHeight, -16);
    SendMessageA(control, EM_SETSEL, 0, MAKELPARAM(9, 14));
    SendMessageA(control, RTEM_APPLYSTYLE, 0, recordId);
    char name[64] = {};
    Send(control, RTEM_GETFONTNAME, 0, name);
    EXPECT_STREQ(name, "Liberation Mono");
    EXPECT_EQ(SendMessageA(control, RTEM_GETATTRIBUTES, 0, 0) & 0x7, 0x4);

    // Redefined, the entry changes the text made from it.
    LOGFONTA italic = Font("Liberation Serif", -16, FW_BOLD, 1);
    EXPECT_EQ(Send(control, RTEM_DEFINESTYLE, id, &italic), 0);
    SendMessageA(control, EM_SETSEL, 0, MAKELPARAM(0, 5));
    EXPECT_EQ(SendMessageA(control, RTEM_GETATTRIBUTES, 0, 0) & 0x3, 0x3) << "bold and now italic";
    SendMessageA(control, EM_SETSEL, 0, MAKELPARAM(6, 8));
    EXPECT_EQ(SendMessageA(control, RTEM_GETATTRIBUTES, 0, 0) & 0x3, 0) << "text of no entry";
}

RteStyleNameRecord TitleStyle()
{
    RteStyleNameRecord record = {};
    std::strcpy(record.name, "Titre");
    std::strcpy(record.character.fontName, "Liberation Serif");
    record.character.pointSize = 18;
    record.character.attributes = 0x1;
    record.character.textColor = RteColor{0xFFFF, 0, 0};
    record.paragraph.alignment = 1;
    record.paragraph.leftIndent = 20;
    record.paragraph.tabCount = 1;
    record.paragraph.tabs[0] = RteTab{RTE_TAB_LEFT, 0, 100, 0};
    record.paragraph.spaceBefore = 6;
    return record;
}

TEST_F(ControlTest, StyleNamesMadeReadAppliedRenamedAndDeleted)
{
    HWND control = MakeControl();
    SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Chapitre un\rle texte"));
    RteStyleNameRecord title = TitleStyle();
    EXPECT_EQ(Send(control, RTEM_NEWSTYLENAME, 0, &title), 1);
    EXPECT_EQ(SendMessageA(control, RTEM_STYLENAMECOUNT, 0, 0), 1);
    RteStyleNameRecord back;
    std::memset(&back, 0xCC, sizeof back);
    ASSERT_EQ(Send(control, RTEM_GETSTYLENAME, 1, &back), 1);
    EXPECT_STREQ(back.name, "Titre");
    EXPECT_STREQ(back.character.fontName, "Liberation Serif");
    EXPECT_EQ(back.character.pointSize, 18);
    EXPECT_EQ(back.character.attributes, 0x1u);
    EXPECT_EQ(back.character.textColor.red, 0xFFFF);
    EXPECT_EQ(back.paragraph.alignment, 1);
    EXPECT_EQ(back.paragraph.leftIndent, 20);
    EXPECT_EQ(back.paragraph.tabCount, 1);
    EXPECT_EQ(back.paragraph.tabs[0].position, 100);
    EXPECT_EQ(back.paragraph.spaceBefore, 6);
    for (WPARAM bad : {0, 2, 99})
        EXPECT_EQ(Send(control, RTEM_GETSTYLENAME, bad, &back), 0) << bad;

    SendMessageA(control, EM_SETSEL, 0, MAKELPARAM(0, 11));
    EXPECT_EQ(Send(control, RTEM_GETRANGESTYLENAME, 0, &back), 0) << "the text has no named style yet";
    SendMessageA(control, RTEM_APPLYSTYLENAME, 1, 1);
    EXPECT_EQ(SendMessageA(control, RTEM_GETALIGN, 0, 0), 1);
    EXPECT_EQ(static_cast<COLORREF>(SendMessageA(control, RTEM_GETTEXTCOLOR, 0, 0)), RGB(255, 0, 0));
    EXPECT_EQ(SendMessageA(control, RTEM_GETATTRIBUTES, 0, 0) & 0x1, 0x1);
    std::memset(&back, 0, sizeof back);
    EXPECT_EQ(Send(control, RTEM_GETRANGESTYLENAME, 0, &back), 1);
    EXPECT_STREQ(back.name, "Titre");
    EXPECT_EQ(SendMessageA(control, RTEM_FINDSTYLENAME, 0, 0), 1) << "no name: the selection's";
    EXPECT_EQ(Send(control, RTEM_FINDSTYLENAME, 0, "Titre"), 1);
    EXPECT_EQ(Send(control, RTEM_FINDSTYLENAME, 0, "titre"), 0) << "names are compared exactly";

    Send(control, RTEM_RENAMESTYLE, 1, "Chapitre");
    EXPECT_EQ(Send(control, RTEM_FINDSTYLENAME, 0, "Chapitre"), 1);
    EXPECT_EQ(Send(control, RTEM_FINDSTYLENAME, 0, "Titre"), 0);
    std::string longName(70, 'n');
    Send(control, RTEM_RENAMESTYLE, 1, longName.c_str());
    Send(control, RTEM_GETSTYLENAME, 1, &back);
    EXPECT_EQ(std::string(back.name), longName.substr(0, 63)) << "at most 63 characters";

    SendMessageA(control, RTEM_DELETESTYLENAME, 1, 0);
    EXPECT_EQ(SendMessageA(control, RTEM_STYLENAMECOUNT, 0, 0), 0);
    EXPECT_EQ(static_cast<COLORREF>(SendMessageA(control, RTEM_GETTEXTCOLOR, 0, 0)), RGB(255, 0, 0))
        << "the text keeps its look";
    SendMessageA(control, RTEM_DELETESTYLENAME, 1, 0);
    EXPECT_EQ(SendMessageA(control, RTEM_STYLENAMECOUNT, 0, 0), 0) << "a bad index does nothing";
}

// A paragraph given the named style is drawn in its red, centred away from the left edge.
TEST_F(ControlTest, AStyleNameAppliedIsSeenInThePixels)
{
    HWND control = MakeControl(ES_MULTILINE | WS_VISIBLE, 300, 60);
    ShowWindow(parent_, SW_SHOWNOACTIVATE);
    SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Chapitre"));
    RteStyleNameRecord title = TitleStyle();
    Send(control, RTEM_NEWSTYLENAME, 0, &title);
    SendMessageA(control, RTEM_SELECTALL, 0, 0);
    SendMessageA(control, RTEM_APPLYSTYLENAME, 1, 1);
    SendMessageA(control, EM_SETSEL, 0, MAKELPARAM(0, 0));
    TestCanvas canvas(300, 60);
    Snapshot(control, canvas);
    int red = 0, leftmost = canvas.Width();
    for (int y = 0; y < canvas.Height(); ++y)
        for (int x = 0; x < canvas.Width(); ++x) {
            COLORREF p = canvas.Pixel(x, y);
            if (GetRValue(p) > 180 && GetGValue(p) < 80 && GetBValue(p) < 80) {
                ++red;
                leftmost = std::min(leftmost, x);
            }
        }
    EXPECT_GT(red, 60) << "red ink of the title";
    EXPECT_GT(leftmost, 60) << "centred";
}

}  // namespace
