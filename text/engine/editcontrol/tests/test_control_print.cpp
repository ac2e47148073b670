// The control's text printed page by page into a memory DC.
#include "control_fixture.h"
#include "rte_control_internal.h"

namespace {

struct Printed {
    int pages = 0;
    bool inkOutside = false;
    std::vector<int> inkRows;  // per page, the first row with ink
};

bool Ink(COLORREF p) { return GetRValue(p) < 128; }

// Prints every page the control gives into the canvas, checking each for ink outside the page
// less its margins.
Printed PrintAll(HWND control, TestCanvas& canvas, const RECT& margins)
{
    RtePrintRecord record = {};
    record.dc = canvas.Dc();
    SendMessageA(control, RTEM_GETPRINTINFO, 0, reinterpret_cast<LPARAM>(&record));
    record.margins = margins;
    Printed printed;
    for (int guard = 0; guard < 50; ++guard) {
        canvas.Fill(RGB(255, 255, 255));
        LRESULT more = SendMessageA(control, RTEM_PRINTPAGE, 0, reinterpret_cast<LPARAM>(&record));
        if (record.result) {
            ++printed.pages;
            int first = -1;
            for (int y = 0; y < canvas.Height(); ++y)
                for (int x = 0; x < canvas.Width(); ++x)
                    if (Ink(canvas.Pixel(x, y))) {
                        if (first < 0)
                            first = y;
                        if (x < margins.left || y < margins.top || x >= canvas.Width() - margins.right ||
                            y >= canvas.Height() - margins.bottom)
                            printed.inkOutside = true;
                    }
            printed.inkRows.push_back(first);
        }
        if (!more)
            break;
    }
    return printed;
}

TEST_F(ControlTest, PrintInfoDescribesTheDc)
{
    HWND control = MakeControl();
    RECT margins{5, 6, 7, 8};
    SendMessageA(control, RTEM_SETMARGINS, 0, reinterpret_cast<LPARAM>(&margins));
    TestCanvas canvas(200, 150);
    RtePrintRecord record = {};
    record.dc = canvas.Dc();
    SendMessageA(control, RTEM_GETPRINTINFO, 0, reinterpret_cast<LPARAM>(&record));
    EXPECT_EQ(record.page.right - record.page.left, 200);
    EXPECT_EQ(record.page.bottom - record.page.top, 150);
    EXPECT_EQ(record.margins.left, 5);
    EXPECT_EQ(record.margins.bottom, 8);
    EXPECT_EQ(record.nextPage, 1);
    EXPECT_EQ(record.lastPage, 0);
    EXPECT_EQ(record.resolution, MAKELONG(96, 96));
}

TEST_F(ControlTest, PagesArePrintedToTheLastThatDraws)
{
    HWND control = MakeControl(ES_MULTILINE, 200, 150);
    TestCanvas canvas(200, 150);
    SendMessageA(control, RTEM_FITPRINTPAGE, 0, reinterpret_cast<LPARAM>(canvas.Dc()));
    std::string text;
    for (int i = 0; i < 30; ++i)
        text += "Ligne " + std::to_string(i) + "\r";
    SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    RECT margins{10, 10, 10, 10};
    Printed printed = PrintAll(control, canvas, margins);
    EXPECT_GE(printed.pages, 3) << "thirty lines on pages of 130 pixels";
    EXPECT_LE(printed.pages, 6);
    EXPECT_FALSE(printed.inkOutside);
    for (int row : printed.inkRows)
        EXPECT_GE(row, 10);
}

TEST_F(ControlTest, APageBreakStartsAPage)
{
    HWND control = MakeControl(ES_MULTILINE, 200, 150);
    TestCanvas canvas(200, 150);
    SendMessageA(control, RTEM_FITPRINTPAGE, 0, reinterpret_cast<LPARAM>(canvas.Dc()));
    SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Avant"));
    SendMessageA(control, RTEM_INSERTBREAK, 0, 0);
    SendMessageA(control, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>("Après"));
    RECT margins{10, 10, 10, 10};
    Printed printed = PrintAll(control, canvas, margins);
    EXPECT_EQ(printed.pages, 2);
    ASSERT_EQ(printed.inkRows.size(), 2u);
    EXPECT_LT(printed.inkRows[1], 30) << "the text after the break at the top of its page";
}

}  // namespace
