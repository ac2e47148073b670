// The control's class, text, selection, styles, undo, clipboard and painting, read back through
// its messages and its notifications.
#include <cstring>

#include "clipboard_turn.h"
#include "control_fixture.h"
#include "rte_control_internal.h"
#include "rte_style_wrappers.h"
#include "rte_styles.h"
#include "rte_transfer.h"
#include "test_canvas.h"

namespace {

TEST_F(ControlTest, StartupTwiceAndShutdownOnceKeepsTheEngine)
{
    EXPECT_EQ(RteControlUsers(), 1);
    RteControlStartup(GetModuleHandleA(nullptr), nullptr, nullptr);
    RteControlShutdown();
    EXPECT_EQ(RteControlUsers(), 1);
    HWND control = MakeControl();
    EXPECT_NE(control, nullptr) << "the class stays registered and the engine running";
    WNDCLASSA wc = {};
    ASSERT_TRUE(GetClassInfoA(GetModuleHandleA(nullptr), RTE_CONTROL_CLASS, &wc));
    EXPECT_EQ(wc.style, RTE_CONTROL_CLASS_STYLE);
    EXPECT_EQ(wc.cbWndExtra, static_cast<int>(sizeof(void*)));
    EXPECT_NE(RegisterClipboardFormatA(RTE_CLIPBOARD_FORMAT), 0u);
}

TEST_F(ControlTest, ALongFontNameIsCutTo63Characters)
{
    std::string name(80, 'F');
    RteControlStartup(GetModuleHandleA(nullptr), name.c_str(), nullptr);
    EXPECT_EQ(static_cast<uint8_t>(RteEnvironmentOf()->defaultFont.name[0]), 63);
    EXPECT_EQ(std::string(RteEnvironmentOf()->defaultFont.name + 1, 63), name.substr(0, 63));
    RteControlStartup(GetModuleHandleA(nullptr), "Liberation Sans", nullptr);
    RteControlShutdown();
    RteControlShutdown();
}

TEST_F(ControlTest, ARecordWithItsInitialValues)
{
    HWND window = MakeControl(ES_MULTILINE, 300, 120, 42);
    RteHandle handle;
    RteControl* control = RteControlFromWindow(window, &handle);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->paintMode, 9);
    EXPECT_EQ(control->editRedraw, 1);
    EXPECT_EQ(control->scrollRedraw, 9);
    EXPECT_EQ(control->flags, 0x801Eu);
    EXPECT_EQ(control->hSlack, 16);
    EXPECT_EQ(control->vSlack, 0);
    EXPECT_EQ(control->id, 42);
    EXPECT_EQ(control->notifyWindow, parent_);
    EXPECT_EQ(control->view.right - control->view.left, 300);
    EXPECT_EQ(control->view.bottom - control->view.top, 120);
    RteUnlock(handle);
    EXPECT_EQ(SendMessageA(window, WM_GETDLGCODE, 0, 0), 0x89);
    EXPECT_EQ(SendMessageA(window, EM_GETMODIFY, 0, 0), 0) << "a new control is unmodified";
}

TEST_F(ControlTest, ZeroSizeTakesTheParentsClientExtent)
{
    HWND window = MakeControl(ES_MULTILINE, 0, 0);
    RECT parent;
    GetClientRect(parent_, &parent);
    RteHandle handle;
    RteControl* control = RteControlFromWindow(window, &handle);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->wrap.right - control->wrap.left, parent.right);
    EXPECT_EQ(control->wrap.bottom - control->wrap.top, parent.bottom);
    RteUnlock(handle);
}

TEST_F(ControlTest, SetTextGetTextAndTheirCounts)
{
    HWND control = MakeControl();
    SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Bonjour à tous"));
    EXPECT_EQ(SendMessageA(control, WM_GETTEXTLENGTH, 0, 0), 14);
    EXPECT_EQ(Text(control), "Bonjour à tous");
    struct Case {
        WPARAM room;
        LRESULT copied;
        const char* text;
    } cases[] = {{0, 0, "########"}, {1, 0, ""}, {4, 3, "Bon"}, {100, 14, "Bonjour à tous"}};
    for (const Case& c : cases) {
        char buffer[100];
        std::memset(buffer, '#', sizeof buffer);
        buffer[8] = 0;
        EXPECT_EQ(SendMessageA(control, WM_GETTEXT, c.room, reinterpret_cast<LPARAM>(buffer)), c.copied) << c.room;
        EXPECT_STREQ(buffer, c.text) << c.room;
    }
    SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
    EXPECT_EQ(SendMessageA(control, WM_GETTEXTLENGTH, 0, 0), 0);
}

TEST_F(ControlTest, SelectionMessages)
{
    HWND control = MakeControl();
    SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("un deux trois"));
    int32_t sel[2] = {};
    SendMessageA(control, EM_SETSEL, 0, MAKELPARAM(3, 7));
    SendMessageA(control, RTEM_GETSEL, 0, reinterpret_cast<LPARAM>(sel));
    EXPECT_EQ(sel[0], 3);
    EXPECT_EQ(sel[1], 7);
    EXPECT_EQ(SendMessageA(control, RTEM_HASRANGE, 0, 0), 1);
    int32_t set[2] = {8, 8};
    SendMessageA(control, RTEM_SETSEL, 0, reinterpret_cast<LPARAM>(set));
    SendMessageA(control, RTEM_GETSEL, 0, reinterpret_cast<LPARAM>(sel));
    EXPECT_EQ(sel[0], 8);
    EXPECT_EQ(SendMessageA(control, RTEM_HASRANGE, 0, 0), 0);
    SendMessageA(control, RTEM_SELECTALL, 0, 0);
    SendMessageA(control, RTEM_GETSEL, 0, reinterpret_cast<LPARAM>(sel));
    EXPECT_EQ(sel[1], 13);
    char buffer[32] = {};
    RteTextRangeRecord range{8, 100, buffer};
    EXPECT_EQ(SendMessageA(control, RTEM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&range)), 5)
        << "a count beyond the end copies only to the end";
    EXPECT_STREQ(buffer, "trois");
    EXPECT_EQ(SendMessageA(control, RTEM_GETLENGTH, 0, 0), 13);
}

TEST_F(ControlTest, ReplaceSelectionUndoAndModify)
{
    HWND control = MakeControl();
    SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("un deux trois"));
    SendMessageA(control, EM_SETMODIFY, 1, 0);
    EXPECT_EQ(SendMessageA(control, EM_GETMODIFY, 0, 0), 0) << "cleared whatever wParam says";
    SendMessageA(control, EM_SETSEL, 0, MAKELPARAM(3, 7));
    SendMessageA(control, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>("quatre"));
    EXPECT_EQ(Text(control), "un quatre trois");
    EXPECT_EQ(SendMessageA(control, EM_GETMODIFY, 0, 0), 1);
    EXPECT_EQ(SendMessageA(control, EM_CANUNDO, 0, 0), 1);
    EXPECT_EQ(SendMessageA(control, EM_UNDO, 0, 0), 1);
    EXPECT_EQ(Text(control), "un deux trois");
    EXPECT_LT(SendMessageA(control, RTEM_UNDOKIND, 0, 0), 0) << "a redo record in its place";
    SendMessageA(control, WM_UNDO, 0, 0);
    EXPECT_EQ(Text(control), "un quatre trois");
    SendMessageA(control, EM_EMPTYUNDOBUFFER, 0, 0);
    EXPECT_EQ(SendMessageA(control, EM_CANUNDO, 0, 0), 0);
    SendMessageA(control, RTEM_ENABLEUNDO, 0, 0);
    SendMessageA(control, EM_SETSEL, 0, MAKELPARAM(0, 2));
    SendMessageA(control, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(""));
    EXPECT_EQ(Text(control), " quatre trois");
    EXPECT_EQ(SendMessageA(control, EM_CANUNDO, 0, 0), 0) << "undo switched off";
}

TEST_F(ControlTest, AttributesToggleOverTheSelection)
{
    HWND control = MakeControl();
    SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("gras et italique"));
    SendMessageA(control, EM_SETSEL, 0, MAKELPARAM(0, 4));
    SendMessageA(control, RTEM_SETATTRIBUTES, 1, 0x1);
    uint32_t uniform = 0;
    EXPECT_EQ(SendMessageA(control, RTEM_GETATTRIBUTES, 0, reinterpret_cast<LPARAM>(&uniform)) & 0x1, 0x1);
    EXPECT_EQ(uniform & 0x1, 0x1u);
    EXPECT_EQ(Count(WM_COMMAND), 1) << "the style changed";
    SendMessageA(control, RTEM_SETATTRIBUTES, 1, 0x3);
    EXPECT_EQ(SendMessageA(control, RTEM_GETATTRIBUTES, 0, 0) & 0x3, 0x2) << "uniform bold off, italic on";
    SendMessageA(control, EM_SETSEL, 0, MAKELPARAM(2, 8));
    SendMessageA(control, RTEM_GETATTRIBUTES, 0, reinterpret_cast<LPARAM>(&uniform));
    EXPECT_EQ(uniform & 0x2, 0u) << "italic covers only part of the range";
    SendMessageA(control, RTEM_SETATTRIBUTES, 1, 0);
    EXPECT_EQ(SendMessageA(control, RTEM_GETATTRIBUTES, 0, 0) & 0x3, 0);
    SendMessageA(control, RTEM_SETTEXTCOLOR, 1, RGB(255, 0, 0));
    EXPECT_EQ(static_cast<COLORREF>(SendMessageA(control, RTEM_GETTEXTCOLOR, 0, 0)), RGB(255, 0, 0));
}

TEST_F(ControlTest, ChangeNotificationsGoAsTheFlagSays)
{
    HWND control = MakeControl();
    SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("abc"));
    SendMessageA(control, RTEM_SETATTRIBUTES, 1, 0x1);
    EXPECT_EQ(Count(WM_COMMAND), 1);
    EXPECT_EQ(notifications_.back().id, static_cast<WPARAM>(MAKEWPARAM(7, EN_CHANGE)));
    SendMessageA(control, RTEM_SETNOTIFY, 0, RTEN_FLAG_CHANGE);
    EXPECT_EQ(SendMessageA(control, RTEM_GETNOTIFY, 0, 0), static_cast<LRESULT>(RTEN_FLAG_CHANGE));
    SendMessageA(control, RTEM_SETATTRIBUTES, 1, 0x1);
    EXPECT_EQ(Count(WM_COMMAND), 1);
    EXPECT_EQ(Count(RTEN_CHANGE), 1);
    HWND other = CreateWindowA("STATIC", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    SendMessageA(control, RTEM_SETNOTIFYWND, 0, reinterpret_cast<LPARAM>(other));
    SendMessageA(control, RTEM_SETATTRIBUTES, 1, 0x1);
    EXPECT_EQ(Count(RTEN_CHANGE), 1) << "the new notify window gets it";
    DestroyWindow(other);
}

TEST_F(ControlTest, CopyAndPasteBetweenTwoControlsKeepStyles)
{
    ClipboardTurn turn;
    HWND from = MakeControl();
    HWND to = MakeControl();
    SendMessageA(from, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("un mot gras"));
    SendMessageA(from, EM_SETSEL, 0, MAKELPARAM(7, 11));
    SendMessageA(from, RTEM_SETATTRIBUTES, 0, 0x1);
    SendMessageA(from, WM_COPY, 0, 0);
    SendMessageA(to, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("[]"));
    SendMessageA(to, EM_SETSEL, 0, MAKELPARAM(1, 1));
    SendMessageA(to, WM_PASTE, 0, 0);
    EXPECT_EQ(Text(to), "[gras]");
    SendMessageA(to, EM_SETSEL, 0, MAKELPARAM(1, 5));
    uint32_t uniform = 0;
    EXPECT_EQ(SendMessageA(to, RTEM_GETATTRIBUTES, 0, reinterpret_cast<LPARAM>(&uniform)) & 0x1, 0x1);
    EXPECT_EQ(Text(from), "un mot gras") << "a copy leaves the source";
    SendMessageA(from, WM_CUT, 0, 0);
    EXPECT_EQ(Text(from), "un mot ");
    EXPECT_EQ(SendMessageA(from, RTEM_UNDOKIND, 0, 0), 3);
    SendMessageA(from, EM_SETSEL, 0, MAKELPARAM(0, 3));
    SendMessageA(from, WM_CLEAR, 0, 0);
    EXPECT_EQ(Text(from), "mot ");
}

TEST_F(ControlTest, ThePasteAndTheCopyTheParentServes)
{
    ClipboardTurn turn;
    HWND source = MakeControl();
    SendMessageA(source, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("du parent"));
    SendMessageA(source, RTEM_SELECTALL, 0, 0);
    SendMessageA(source, RTEM_SETNOTIFY, 0, RTEN_FLAG_COPYDATA);
    ASSERT_TRUE(OpenClipboard(parent_));
    EmptyClipboard();
    CloseClipboard();
    answers_ = {{RTEN_COPYDATA, 1}};
    SendMessageA(source, WM_COPY, 0, 0);
    EXPECT_EQ(Count(RTEN_COPYDATA), 1);
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT)) << "the parent took the copy";

    HWND control = MakeControl();
    SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("[]"));
    SendMessageA(control, EM_SETSEL, 0, MAKELPARAM(1, 1));
    SendMessageA(control, RTEM_SETNOTIFY, 0, RTEN_FLAG_PASTEDATA);
    RteRange all{0, 9};
    RteHandle served = RteCopyRange(reinterpret_cast<RteHandle>(SendMessageA(source, RTEM_GETDOC, 0, 0)), &all);
    answers_ = {{RTEN_PASTEDATA, reinterpret_cast<LRESULT>(served)}};
    SendMessageA(control, WM_PASTE, 0, 0);
    EXPECT_EQ(Text(control), "[du parent]");
    ASSERT_EQ(Count(RTEN_PASTEDATA), 1);
    EXPECT_EQ(notifications_.back().message, static_cast<UINT>(WM_COMMAND)) << "the change follows";
}

// The control drawn into a canvas: the text's ink in the view, red where the red word is.
TEST_F(ControlTest, PaintingDrawsTheTextAndItsColours)
{
    HWND control = MakeControl(ES_MULTILINE | WS_VISIBLE, 300, 60);
    ShowWindow(parent_, SW_SHOWNOACTIVATE);
    SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("MMMM MMMM"));
    SendMessageA(control, EM_SETSEL, 0, MAKELPARAM(5, 9));
    SendMessageA(control, RTEM_SETTEXTCOLOR, 0, RGB(255, 0, 0));
    SendMessageA(control, EM_SETSEL, 0, MAKELPARAM(0, 0));
    TestCanvas canvas(300, 60);
    Snapshot(control, canvas);
    RteCaretRecord split{5, {}, 0, 0};
    SendMessageA(control, RTEM_CARETRECT, 0, reinterpret_cast<LPARAM>(&split));
    int dark = 0, red = 0, redLeft = 0;
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 300; ++x) {
            COLORREF p = canvas.Pixel(x, y);
            if (GetRValue(p) < 100 && GetGValue(p) < 100 && x < split.rect.left)
                ++dark;
            if (GetRValue(p) > 180 && GetGValue(p) < 80 && GetBValue(p) < 80) {
                ++red;
                redLeft += x < split.rect.left;
            }
        }
    EXPECT_GT(dark, 40) << "black ink of the first word";
    EXPECT_GT(red, 40) << "red ink of the second word";
    EXPECT_EQ(redLeft, 0) << "no red left of the second word";
}

}  // namespace

namespace {

TEST_F(ControlTest, CharacterMessagesReadBack)
{
    HWND control = MakeControl();
    SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("police et taille"));
    SendMessageA(control, RTEM_SELECTALL, 0, 0);
    LOGFONTA logfont = {};
    std::strcpy(logfont.lfFaceName, "Liberation Serif");
    logfont.lfHeight = -16;
    logfont.lfWeight = 600;
    logfont.lfItalic = 1;
    SendMessageA(control, RTEM_SETLOGFONT, 1, reinterpret_cast<LPARAM>(&logfont));
    LOGFONTA back = {};
    ASSERT_EQ(SendMessageA(control, RTEM_GETLOGFONT, 0, reinterpret_cast<LPARAM>(&back)), 1);
    EXPECT_STREQ(back.lfFaceName, "Liberation Serif");
    EXPECT_EQ(back.lfWeight, FW_BOLD) << "weights from 600 are bold";
    EXPECT_EQ(back.lfItalic, 1);
    EXPECT_EQ(back.lfHeight, -16);
    char name[64] = {};
    EXPECT_EQ(SendMessageA(control, RTEM_GETFONTNAME, 0, reinterpret_cast<LPARAM>(name)), 1);
    EXPECT_STREQ(name, "Liberation Serif");
    SendMessageA(control, RTEM_SETPIXELSIZE, 1, 20);
    EXPECT_EQ(SendMessageA(control, RTEM_GETPIXELSIZE, 0, 0), 20);
    SendMessageA(control, RTEM_SETBACKCOLOR, 0, RGB(0, 128, 255));
    EXPECT_EQ(static_cast<COLORREF>(SendMessageA(control, RTEM_GETBACKCOLOR, 0, 0)), RGB(0, 128, 255));
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
    EXPECT_EQ(GetObjectType(font), static_cast<DWORD>(OBJ_FONT));

    HFONT plain = CreateFontA(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "Liberation Sans");
    SendMessageA(control, EM_SETSEL, 0, MAKELPARAM(0, 6));
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(plain), 1);
    DeleteObject(plain);
    SendMessageA(control, RTEM_GETFONTNAME, 0, reinterpret_cast<LPARAM>(name));
    EXPECT_STREQ(name, "Liberation Sans");
    SendMessageA(control, RTEM_SELECTALL, 0, 0);
    EXPECT_EQ(SendMessageA(control, RTEM_GETLOGFONT, 0, reinterpret_cast<LPARAM>(&back)), 0) << "mixed fonts";
    EXPECT_EQ(SendMessageA(control, RTEM_GETFONTNAME, 0, reinterpret_cast<LPARAM>(name)), 0);
}

TEST_F(ControlTest, WrapperEdgeCases)
{
    HWND control = MakeControl();
    SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("gras et maigre"));
    RteHandle doc = reinterpret_cast<RteHandle>(SendMessageA(control, RTEM_GETDOC, 0, 0));
    RteRange all{0, 14};
    RteSetPointSize(doc, 12, &all, 0);
    SendMessageA(control, RTEM_SELECTALL, 0, 0);
    RteCharStyle style = {}, uniform = {};
    RteGetCharStyle(doc, nullptr, false, &style, &uniform);
    EXPECT_EQ(style.pointSize, 0xC0000);
    RteCharStyle half = {}, mask = {};
    half.pointSize = 0xA8000;  // 10.5 points
    mask.pointSize = -1;
    RteSetCharStyle(doc, &all, &half, &mask, 0);
    int16_t points = 0;
    EXPECT_EQ(RteGetPointSize(doc, &points), 1);
    EXPECT_EQ(points, 11) << "rounding adds a half";
    std::string longName(100, 'N');
    RteSetFontName(doc, longName.c_str(), &all, 0);
    char name[64] = {};
    RteGetFontName(doc, name);
    EXPECT_EQ(std::string(name), longName.substr(0, 63));
    RteSetFontName(doc, "Liberation Sans", &all, 0);
    RteRange first{0, 4};
    RteSetStyleBitsMasked(doc, 0x1, 0x1, &first, 0);
    LOGFONTA untouched;
    std::memset(&untouched, 0x5A, sizeof untouched);
    LOGFONTA copy = untouched;
    EXPECT_EQ(RteGetLogFont(doc, &copy), 0);
    EXPECT_EQ(std::memcmp(&copy, &untouched, sizeof copy), 0) << "a mixed range leaves the structure";
    COLORREF colour = RGB(10, 20, 30);
    RteSetCharColor(doc, &colour, &first, 0);
    COLORREF read = 0;
    EXPECT_EQ(RteGetCharColor(doc, &read), 0) << "two colours over the selection";
    SendMessageA(control, EM_SETSEL, 0, MAKELPARAM(0, 4));
    EXPECT_EQ(RteGetCharColor(doc, &read), 1);
    EXPECT_EQ(read, colour);
    uint32_t bits = 0, same = 0;
    RteGetAttributeBits(doc, &bits, &same);
    EXPECT_EQ(bits & 0x1, 0x1u);
    RteSetStyleBitsMasked(doc, 0x1, 0x1, nullptr, 0);
    RteGetAttributeBits(doc, &bits, &same);
    EXPECT_EQ(bits & 0x1, 0u) << "a uniformly set unit is toggled off";
}

}  // namespace

namespace {

TEST_F(ControlTest, ControlGroupMessages)
{
    HWND control = MakeControl(ES_MULTILINE, 300, 120);
    SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("des données"));
    RteControlInfo info = {};
    SendMessageA(control, RTEM_GETPARAMS, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.flags, 0x801Eu);
    EXPECT_EQ(info.paintMode, 9);
    EXPECT_EQ(info.view.right, 300);
    info.margins = RECT{4, 3, 2, 1};
    info.hSlack = 30;
    info.framePen = CreatePen(PS_SOLID, 2, RGB(0, 0, 0));
    info.flags = 0x801E | RTE_CTL_NO_UNDO;
    SendMessageA(control, RTEM_SETPARAMS, 0, reinterpret_cast<LPARAM>(&info));
    RteControlInfo back = {};
    SendMessageA(control, RTEM_GETPARAMS, 0, reinterpret_cast<LPARAM>(&back));
    EXPECT_EQ(back.margins.left, 4);
    EXPECT_EQ(back.margins.bottom, 1);
    EXPECT_EQ(back.hSlack, 30);
    EXPECT_EQ(back.framePen, info.framePen);
    EXPECT_EQ(SendMessageA(control, RTEM_GETFLAGS, 0, 0), static_cast<LRESULT>(0x801E | RTE_CTL_NO_UNDO));
    SendMessageA(control, RTEM_SETFLAGS, 0, 0x801E);
    EXPECT_EQ(SendMessageA(control, RTEM_GETFLAGS, 0, 0), 0x801E);

    const char data[] = "données de l'appelant";
    SendMessageA(control, RTEM_SETUSERDATA, sizeof data, reinterpret_cast<LPARAM>(data));
    char out[64] = {};
    EXPECT_EQ(SendMessageA(control, RTEM_GETUSERDATA, 0, reinterpret_cast<LPARAM>(out)), static_cast<LRESULT>(sizeof data));
    EXPECT_STREQ(out, data);
    char few[8] = {};
    EXPECT_EQ(SendMessageA(control, RTEM_GETUSERDATA, 4, reinterpret_cast<LPARAM>(few)), 4);
    EXPECT_EQ(std::string(few), "donn");

    EXPECT_EQ(SendMessageA(control, RTEM_HITTEST, 0, MAKELPARAM(50, 10)) & 0x9, 0x9);
    EXPECT_EQ(SendMessageA(control, RTEM_HITTEST, 0, MAKELPARAM(500, 10)), 0) << "outside the view";
    RteCaretRecord caret{4, {}, 0, 0};
    SendMessageA(control, RTEM_CARETRECT, 0, reinterpret_cast<LPARAM>(&caret));
    LPARAM point = MAKELPARAM((caret.rect.top + caret.rect.bottom) / 2, caret.rect.left + 1);
    EXPECT_EQ(SendMessageA(control, RTEM_OFFSETATPOINT, 0, point), 4);
    int32_t scroll[2] = {-1, -1};
    SendMessageA(control, RTEM_GETSCROLLPOS, 0, reinterpret_cast<LPARAM>(scroll));
    EXPECT_EQ(scroll[0], 0);
    EXPECT_EQ(scroll[1], 0);
    EXPECT_GT(SendMessageA(control, RTEM_GETHEIGHT, 0, 0), 5);
    SendMessageA(control, RTEM_SETCHANGECOUNT, 0, 9);
    EXPECT_EQ(SendMessageA(control, RTEM_GETCHANGECOUNT, 0, 0), 9);
    EXPECT_EQ(SendMessageA(control, 0x1402, 0, 0), 0) << "not a message of the control";
}

}  // namespace
