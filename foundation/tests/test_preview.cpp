// The preview pane on a real dialog: where its controls go, the image it draws scaled to fit
// (read back from a DIB section), its border, the callback codes and the pane owning its
// preview.
#include "preview_test_support.h"
#include "qxbmp.h"
#include "scratch_dir.h"

#include <cstring>

using namespace preview_test;

namespace {

// The same picture as a PNG, written through the library's own export.
void WriteHalvesPng(const ScratchDir& dir, const std::string& name, int width, int height)
{
    dir.Write("source.bmp", HalvesBmp(width, height));
    BMP image;
    ASSERT_EQ(0, image.Import((dir / "source.bmp").c_str()));
    ASSERT_EQ(0, image.Export((dir / name).c_str(), BMP_FORMAT_PNG, 24));
}

// The check box's width as the preview defines it: its text in the dialog's font, plus 25.
int CheckBoxWidth(HWND dialog)
{
    HDC dc = GetDC(dialog);
    const HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(dialog, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32A(dc, CheckBoxText, static_cast<int>(std::strlen(CheckBoxText)), &size);
    SelectObject(dc, previous);
    ReleaseDC(dialog, dc);
    return size.cx + 25;
}

}  // namespace

// ---- Layout ----

using PreviewLayout = PreviewTest;

TEST_F(PreviewLayout, PlacesTheControlsAndGrowsTheDialog)
{
    HostDialog host;
    const int cb = CheckBoxWidth(host.Window());
    ASSERT_GT(cb, 58) << "the check box needs more room than the buttons";
    const RECT none{};
    struct Case {
        const char* what;
        char flags;
        char placement;
        RECT rect;
        RECT pane, play, stop, check;
        SIZE client;
    };
    const Case cases[] = {
        {"pane alone, given rectangle", 0x01, 0, {10, 20, 110, 80}, {10, 20, 110, 80}, none, none, none, {400, 200}},
        {"pane and check box, given rectangle", 0x09, 0, {10, 20, 310, 80}, {10, 20, 310 - cb, 80}, none, none,
         {317 - cb, 20, 317, 35}, {400, 200}},
        {"check box alone", 0x08, 4, {0, 0, 300, 22}, none, none, none, {7, 200, 7 + cb, 215}, {400, 229}},
        {"pane below, left", 0x01, 4, {0, 0, 300, 100}, {7, 200, 307, 300}, none, none, none, {400, 307}},
        {"pane below, centred", 0x01, 5, {0, 0, 300, 100}, {50, 200, 350, 300}, none, none, none, {400, 307}},
        {"pane below, right", 0x01, 6, {0, 0, 300, 100}, {93, 200, 393, 300}, none, none, none, {400, 307}},
        {"pane below, wider than the dialog", 0x01, 4, {0, 0, 500, 50}, {7, 200, 507, 250}, none, none, none,
         {514, 257}},
        {"pane right", 0x01, 10, {0, 0, 300, 100}, {407, 7, 707, 107}, none, none, none, {714, 200}},
        {"pane right, taller than the dialog", 0x01, 10, {0, 0, 100, 250}, {407, 7, 507, 257}, none, none, none,
         {514, 264}},
        {"check box wider than the pane", 0x09, 4, {0, 0, 40, 100}, {7, 200, 47, 300}, none, none,
         {54, 200, 54 + cb, 215}, {400, 307}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        HostDialog dialog;
        RECT rect = c.rect;
        QXPREVIEW preview(dialog.Window(), c.flags, c.placement, &rect, nullptr, 0);
        EXPECT_EQ(RectText(c.pane), RectText(PlaceOf(preview.GetHwnd(QXPREVIEW_IMAGE))));
        EXPECT_EQ(RectText(c.play), RectText(PlaceOf(preview.GetHwnd(QXPREVIEW_PLAY))));
        EXPECT_EQ(RectText(c.stop), RectText(PlaceOf(preview.GetHwnd(QXPREVIEW_STOP))));
        EXPECT_EQ(RectText(c.check), RectText(PlaceOf(preview.GetHwnd(QXPREVIEW_CHECKBOX))));
        const SIZE client = ClientSize(dialog.Window());
        EXPECT_EQ(c.client.cx, client.cx);
        EXPECT_EQ(c.client.cy, client.cy);
    }
}

TEST_F(PreviewLayout, PutsPlayAndStopRightOfThePane)
{
    HostDialog host;
    const int cb = CheckBoxWidth(host.Window());
    const RECT none{};
    struct Case {
        const char* what;
        char flags;
        RECT pane, play, stop, check;
    };
    // Below a 300-pixel-wide list in a 400 x 200 dialog.
    const Case cases[] = {
        {"pane, play and stop", 0x07, {7, 200, 249, 300}, {256, 200, 278, 222}, {285, 200, 307, 222}, none},
        {"pane and play", 0x03, {7, 200, 278, 300}, {285, 200, 307, 222}, none, none},
        {"pane and stop", 0x05, {7, 200, 278, 300}, none, {285, 200, 307, 222}, none},
        {"everything", 0x0F, {7, 200, 307 - cb, 300}, {314 - cb, 200, 336 - cb, 222}, {343 - cb, 200, 365 - cb, 222},
         {314 - cb, 229, 314, 244}},
        {"play, stop and check box", 0x0E, none, {7, 200, 29, 222}, {36, 200, 58, 222}, {7, 229, 7 + cb, 244}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        HostDialog dialog;
        RECT rect{0, 0, 300, 100};
        QXPREVIEW preview(dialog.Window(), c.flags, QXPREVIEW_BELOW_LEFT, &rect, nullptr, 0);
        EXPECT_EQ(RectText(c.pane), RectText(PlaceOf(preview.GetHwnd(QXPREVIEW_IMAGE))));
        EXPECT_EQ(RectText(c.play), RectText(PlaceOf(preview.GetHwnd(QXPREVIEW_PLAY))));
        EXPECT_EQ(RectText(c.stop), RectText(PlaceOf(preview.GetHwnd(QXPREVIEW_STOP))));
        EXPECT_EQ(RectText(c.check), RectText(PlaceOf(preview.GetHwnd(QXPREVIEW_CHECKBOX))));
    }
}

TEST_F(PreviewLayout, RefusesWhatItCannotPlace)
{
    struct Case {
        const char* what;
        bool withDialog;
        bool withRect;
        char placement;
    };
    const Case cases[] = {
        {"no dialog", false, true, 0},     {"no rectangle", true, false, 0},  {"placement 1", true, true, 1},
        {"placement 3", true, true, 3},    {"placement 7", true, true, 7},    {"placement 11", true, true, 11},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        calls.clear();
        HostDialog dialog;
        RECT rect{0, 0, 100, 50};
        QXPREVIEW preview(c.withDialog ? dialog.Window() : nullptr, 0x09, c.placement, c.withRect ? &rect : nullptr,
                          Record, 5);
        EXPECT_EQ(nullptr, preview.GetHwnd(QXPREVIEW_IMAGE));
        EXPECT_EQ(nullptr, preview.GetHwnd(QXPREVIEW_CHECKBOX));
        preview.SetFilename("C:\\a.bmp");
        EXPECT_EQ(0, preview.DoCallback(QXPREVIEW_PAINT, nullptr, nullptr));
        EXPECT_EQ(0, preview.DoCallback(QXPREVIEW_END, nullptr, nullptr));
        EXPECT_TRUE(calls.empty()) << "an inactive preview calls nobody";
        const SIZE client = ClientSize(dialog.Window());
        EXPECT_EQ(400, client.cx);
        EXPECT_EQ(200, client.cy);
    }
    QXPREVIEW empty;
    EXPECT_EQ(nullptr, empty.GetHwnd(QXPREVIEW_IMAGE));
    empty.SetFilename("C:\\a.bmp");
    EXPECT_EQ(0, empty.DoCallback(QXPREVIEW_PAINT, nullptr, nullptr));
}

TEST_F(PreviewLayout, TakesTheFirstFreeControlIdsFrom100)
{
    HostDialog dialog({100, 101, 103, 105});
    RECT rect{0, 0, 300, 100};
    QXPREVIEW preview(dialog.Window(), 0x09, QXPREVIEW_BELOW_LEFT, &rect, nullptr, 0);
    EXPECT_EQ(102, GetDlgCtrlID(preview.GetHwnd(QXPREVIEW_IMAGE)));
    EXPECT_EQ(104, GetDlgCtrlID(preview.GetHwnd(QXPREVIEW_CHECKBOX)));
    char text[64] = {};
    GetWindowTextA(preview.GetHwnd(QXPREVIEW_CHECKBOX), text, sizeof text);
    EXPECT_STREQ(CheckBoxText, text);
    for (char which : {char(0), char(3), char(16)})
        EXPECT_EQ(nullptr, preview.GetHwnd(which)) << int(which);
}

// ---- Drawing ----

using PreviewPane = PreviewTest;

TEST_F(PreviewPane, DrawsTheImageShrunkToFitAndCentred)
{
    ScratchDir dir;
    // The pane is 204 x 104: its picture area, inside the border, is (2,2)-(202,102).
    struct Case {
        const char* what;
        const char* file;
        int width, height;
        bool png;
        RECT drawn;
    };
    const Case cases[] = {
        {"wide image shrunk", "wide.bmp", 400, 100, false, {2, 27, 202, 77}},
        {"tall image shrunk", "tall.bmp", 100, 400, false, {90, 2, 115, 102}},
        {"small image at its own size", "small.bmp", 20, 10, false, {92, 47, 112, 57}},
        {"exact fit", "exact.bmp", 200, 100, false, {2, 2, 202, 102}},
        {"wide PNG shrunk", "wide.png", 400, 100, true, {2, 27, 202, 77}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.png)
            WriteHalvesPng(dir, c.file, c.width, c.height);
        else
            dir.Write(c.file, HalvesBmp(c.width, c.height));
        HostDialog dialog;
        RECT rect{10, 10, 214, 114};
        QXPREVIEW preview(dialog.Window(), QXPREVIEW_IMAGE, QXPREVIEW_AT_RECT, &rect, nullptr, 0);
        preview.SetFilename((dir / c.file).c_str());
        const Rendered shown(preview.GetHwnd(QXPREVIEW_IMAGE));
        const RECT& d = c.drawn;
        const int middleY = (d.top + d.bottom) / 2;
        const int quarter = (d.right - d.left) / 4;
        EXPECT_EQ(Red, shown.canvas.Pixel(d.left + quarter, middleY));
        EXPECT_EQ(Blue, shown.canvas.Pixel(d.right - 1 - quarter, middleY));
        EXPECT_EQ(Red, shown.canvas.Pixel(d.left, d.top));
        EXPECT_EQ(Blue, shown.canvas.Pixel(d.right - 1, d.bottom - 1));
        // Just outside the drawn rectangle the pane stays white (where the area goes on).
        if (d.left > 2) {
            EXPECT_EQ(White, shown.canvas.Pixel(d.left - 1, middleY));
        }
        if (d.right < 202) {
            EXPECT_EQ(White, shown.canvas.Pixel(d.right, middleY));
        }
        if (d.top > 2) {
            EXPECT_EQ(White, shown.canvas.Pixel((d.left + d.right) / 2, d.top - 1));
        }
        if (d.bottom < 102) {
            EXPECT_EQ(White, shown.canvas.Pixel((d.left + d.right) / 2, d.bottom));
        }
    }
}

TEST_F(PreviewPane, DrawsNothingButTheBorderWithoutAnImage)
{
    ScratchDir dir;
    dir.Write("notes.txt", "not an image");
    struct Case {
        const char* what;
        std::string file;
    };
    const Case cases[] = {
        {"no file", ""},
        {"a file that is not an image", dir / "notes.txt"},
        {"a missing file", dir / "missing.bmp"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        HostDialog dialog;
        RECT rect{0, 0, 60, 40};
        QXPREVIEW preview(dialog.Window(), QXPREVIEW_IMAGE, QXPREVIEW_AT_RECT, &rect, nullptr, 0);
        preview.SetFilename(c.file.c_str());
        const Rendered shown(preview.GetHwnd(QXPREVIEW_IMAGE));
        // The sunken border: grey then black along the left and top, white along the right and bottom.
        struct Point {
            int x, y;
            COLORREF colour;
        };
        const Point points[] = {
            {0, 20, Grey},  {30, 0, Grey},  {1, 20, Black},  {30, 1, Black},  {59, 20, White},
            {30, 39, White}, {2, 2, White}, {30, 20, White}, {57, 37, White}, {58, 38, White},
        };
        for (const Point& p : points)
            EXPECT_EQ(p.colour, shown.canvas.Pixel(p.x, p.y)) << p.x << ',' << p.y;
    }
}

TEST_F(PreviewPane, OwnsItsPreview)
{
    // Counts its own destruction, so that the test sees who deletes it.
    class Watched : public QXPREVIEW {
    public:
        Watched(HWND dialog, RECT* rect, int* deaths) : QXPREVIEW(dialog, 0x01, 0, rect, nullptr, 0), deaths_(deaths) {}
        ~Watched() override { ++*deaths_; }

    private:
        int* deaths_;
    };
    int deaths = 0;
    RECT rect{0, 0, 50, 50};
    {
        HostDialog dialog;
        new Watched(dialog.Window(), &rect, &deaths);
    }
    EXPECT_EQ(1, deaths) << "the dialog's end destroyed the pane, which deleted its preview";

    HostDialog dialog;
    auto* preview = new Watched(dialog.Window(), &rect, &deaths);
    const HWND pane = preview->GetHwnd(QXPREVIEW_IMAGE);
    ASSERT_TRUE(IsWindow(pane));
    delete preview;
    EXPECT_EQ(2, deaths);
    EXPECT_FALSE(IsWindow(pane)) << "deleting the preview destroyed its pane";
    EXPECT_TRUE(IsWindow(dialog.Window()));
}

// ---- Callback ----

using PreviewCallback = PreviewTest;

TEST_F(PreviewCallback, SeesEveryCodeWithItsArguments)
{
    HostDialog dialog;
    RECT rect{0, 0, 80, 60};
    QXPREVIEW preview(dialog.Window(), QXPREVIEW_IMAGE, QXPREVIEW_AT_RECT, &rect, Record, 42);
    const HWND pane = preview.GetHwnd(QXPREVIEW_IMAGE);
    ASSERT_EQ(1u, calls.size());
    EXPECT_EQ(QXPREVIEW_READY, calls[0].code);
    EXPECT_EQ(pane, calls[0].handle);
    EXPECT_EQ(RectText(RECT{2, 2, 78, 58}), RectText(calls[0].rect));
    EXPECT_EQ(42, calls[0].user);
    EXPECT_EQ(42, preview.GetUserData());

    preview.SetFilename("C:\\movies\\a.avi");
    preview.SetUserData(7);
    const Rendered shown(pane);
    ASSERT_EQ(2u, calls.size());
    EXPECT_EQ(QXPREVIEW_PAINT, calls[1].code);
    EXPECT_EQ(shown.canvas.Dc(), calls[1].handle);
    EXPECT_EQ(RectText(RECT{2, 2, 78, 58}), RectText(calls[1].rect));
    EXPECT_EQ("C:\\movies\\a.avi", calls[1].file);
    EXPECT_EQ(7, calls[1].user);

    struct Case {
        char code;
        int answer;
        int result;  // the callback's answer, or the library's for the codes it handles
    };
    const Case cases[] = {
        {QXPREVIEW_END, 0, 1},          {QXPREVIEW_PLAY_PRESSED, 0, 1}, {QXPREVIEW_STOP_PRESSED, 0, 1},
        {QXPREVIEW_READY, 0, 0},        {6, 0, 0},                      {QXPREVIEW_END, 9, 9},
        {QXPREVIEW_PLAY_PRESSED, -1, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.code));
        calls.clear();
        callbackAnswer = c.answer;
        EXPECT_EQ(c.result, preview.DoCallback(c.code, nullptr, nullptr));
        ASSERT_EQ(1u, calls.size());
        EXPECT_EQ(c.code, calls[0].code);
        EXPECT_FALSE(calls[0].hasRect);
        EXPECT_EQ("C:\\movies\\a.avi", calls[0].file);
    }

    callbackAnswer = 0;
    preview.SetFilename(nullptr);
    EXPECT_EQ(0, preview.DoCallback(QXPREVIEW_END, nullptr, nullptr)) << "nothing to do without a file";
    EXPECT_EQ("", calls.back().file);
}

TEST_F(PreviewCallback, AnAnswerOtherThanZeroKeepsTheLibraryFromDrawing)
{
    ScratchDir dir;
    dir.Write("a.bmp", HalvesBmp(40, 20));
    struct Case {
        int answer;
        COLORREF left, right;
    };
    const Case cases[] = {{0, Red, Blue}, {1, White, White}, {-3, White, White}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer);
        callbackAnswer = c.answer;
        HostDialog dialog;
        RECT rect{0, 0, 44, 24};
        QXPREVIEW preview(dialog.Window(), QXPREVIEW_IMAGE, QXPREVIEW_AT_RECT, &rect, Record, 0);
        preview.SetFilename((dir / "a.bmp").c_str());
        const Rendered shown(preview.GetHwnd(QXPREVIEW_IMAGE));
        EXPECT_EQ(c.left, shown.canvas.Pixel(10, 12));
        EXPECT_EQ(c.right, shown.canvas.Pixel(32, 12));
    }
}

