// The drawing port on GDI under Wine's null display driver: acquisitions, the port hook, bands,
// scrolling, regions, the caret and the conversions.
#include <gtest/gtest.h>

#include <vector>

#include "device_fixture.h"
#include "rte_areas.h"
#include "rte_caret.h"
#include "rte_device_draw.h"
#include "rte_device_units.h"
#include "rte_gdi_port.h"
#include "rte_offscreen.h"
#include "rte_text_blocks.h"
#include "scaling.h"
#include "test_canvas.h"
#include "test_window.h"

namespace {

using GdiPortTest = DeviceTest;

// A hidden top-level window of the tests' own class.
class TestWindow {
public:
    TestWindow() : window_(CreateTestWindow("RteDeviceTestWindow", DefWindowProcA, WS_OVERLAPPEDWINDOW, nullptr, 200, 100)) {}
    ~TestWindow() { DestroyWindow(window_); }
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;
    HWND Handle() const { return window_; }

private:
    HWND window_;
};

RteGdiPort* PortOf(RteHandle doc)
{
    RteDocument copy = DocumentOf(doc);
    return RteGdiPortOf(&copy.port);
}

TEST_F(GdiPortTest, APortWithoutWindowOrDcMeasuresWithTheScreen)
{
    RteHandle doc = MakeDocument("abc");
    RteGdiPort* port = PortOf(doc);
    EXPECT_GT(port->resolution, 0);
    EXPECT_EQ(RtePortGetDC(port), RteGdiOf(&env_)->screen);
    RtePortReleaseDC(port);
    EXPECT_EQ(port->acquires, 0);
}

TEST_F(GdiPortTest, ADcGivenToADocumentIsItsOwn)
{
    TestCanvas canvas(10, 10);
    RteHandle drawn = MakeDocument("abc");
    RteHandle other = MakeDocument("def");
    ASSERT_EQ(PortOf(drawn), PortOf(other)) << "both borrow the environment's port";
    RteSetPortDC(drawn, canvas.Dc());
    EXPECT_NE(PortOf(drawn), PortOf(other));
    EXPECT_EQ(RtePortGetDC(PortOf(other)), RteGdiOf(&env_)->screen) << "the other still measures with the screen";
    RtePortReleaseDC(PortOf(other));
    RteDocDestroy(drawn);
    EXPECT_EQ(PortOf(other), RteGdiPortOf(&env_.port));
}

// A DC taken back from the port (a drawing into a given DC over): the document measures with
// the screen again, points and pixels as before.
TEST_F(GdiPortTest, ADcTakenBackLeavesTheResolutionOfTheScreen)
{
    TestCanvas canvas(10, 10);
    RteHandle doc = MakeDocument("abc");
    HDC screen = GetDC(nullptr);
    const int32_t resolution = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    ASSERT_GT(resolution, 0);
    RteSetPortDC(doc, canvas.Dc());
    RteSetPortDC(doc, nullptr);
    EXPECT_EQ(DocumentOf(doc).resolution, resolution);
    EXPECT_EQ(PortOf(doc)->resolution, resolution);
    EXPECT_EQ(RtePointsToPixelsInt(doc, 72), resolution);
}

TEST_F(GdiPortTest, NestedAcquisitionsTakeTheWindowDcOnce)
{
    TestWindow window;
    RteHandle doc = RteDocCreate(&env_, window.Handle(), nullptr, nullptr, nullptr, 0);
    RteGdiPort* port = PortOf(doc);
    HDC outer = RtePortGetDC(port);
    ASSERT_NE(outer, nullptr);
    EXPECT_EQ(RtePortGetDC(port), outer) << "a nested acquisition keeps the DC";
    RtePortReleaseDC(port);
    EXPECT_EQ(port->dc, outer) << "still held by the outer acquisition";
    RtePortReleaseDC(port);
    EXPECT_EQ(port->dc, nullptr) << "given back at the last release";
    EXPECT_EQ(port->acquires, 0);
    RteDocDestroy(doc);
}

TEST_F(GdiPortTest, ThePortHookSavesAndRestoresTheDc)
{
    TestCanvas canvas(10, 10);
    RteHandle doc = MakeDocument("abc");
    RteSetPortDC(doc, canvas.Dc());
    SetTextColor(canvas.Dc(), RGB(1, 2, 3));
    RteHookTable hooks;
    RteGetDocHooks(doc, &hooks);
    hooks.port(doc, 1);
    EXPECT_EQ(RteGdiOf(&env_)->current, PortOf(doc));
    EXPECT_EQ(RteCount(PortOf(doc)->saveStack), 1);
    SetTextColor(canvas.Dc(), RGB(200, 0, 0));
    hooks.port(doc, 1);
    hooks.port(doc, 0);
    EXPECT_EQ(RteGdiOf(&env_)->current, PortOf(doc)) << "the inner pop makes the outer port current again";
    hooks.port(doc, 0);
    EXPECT_EQ(GetTextColor(canvas.Dc()), RGB(1, 2, 3));
    EXPECT_EQ(RteGdiOf(&env_)->current, nullptr);
    EXPECT_EQ(RteCount(PortOf(doc)->saveStack), 0);
}

// Draws a picture within the area, in the document's coordinates, through the current port.
void DrawPicture(RteEnvironment* env, const RteRect& area)
{
    HDC dc = RtePortGetDC(RteGdiOf(env)->current);
    HBRUSH brush = CreateSolidBrush(RGB(20, 120, 220));
    HGDIOBJ old = SelectObject(dc, brush);
    Ellipse(dc, area.left + 10, area.top + 5, area.right - 10, area.bottom - 5);
    SelectObject(dc, old);
    DeleteObject(brush);
    MoveToEx(dc, area.left, area.top, nullptr);
    LineTo(dc, area.right - 1, area.bottom - 1);
    TextOutA(dc, area.left + 30, area.top + 40, "Bandes", 6);
    RtePortReleaseDC(RteGdiOf(env)->current);
}

struct DisplayCall {
    int32_t mode;
    RteRect band;
};
std::vector<DisplayCall> g_displayCalls;

void RecordDisplay(RteHandle, intptr_t, intptr_t mode, intptr_t band, intptr_t, intptr_t, intptr_t)
{
    g_displayCalls.push_back({static_cast<int32_t>(mode), *reinterpret_cast<const RteRect*>(band)});
}

TEST_F(GdiPortTest, TheDisplayHookHearsOfEveryBand)
{
    const RteRect area{10, 20, 110, 620};
    TestCanvas canvas(640, 130);
    RteHandle doc = MakeDocument("abc");
    RteSetPortDC(doc, canvas.Dc());
    RteHookTable hooks;
    RteGetDocHooks(doc, &hooks);
    hooks.display = RecordDisplay;
    RteSetDocHooks(doc, &hooks, false);
    g_displayCalls.clear();
    std::vector<RteRect> bands;
    hooks.port(doc, 1);
    int32_t done = 0;
    while (!done && bands.size() < 100) {
        RteRect rect;
        RtePoint offset;
        RteOffscreenBegin(doc, &area, &rect, &offset);
        bands.push_back(RteOffscreenBand(&env_));
        done = RteOffscreenEnd(doc);
    }
    hooks.port(doc, 0);
    ASSERT_GT(bands.size(), 1u);
    ASSERT_EQ(g_displayCalls.size(), 2 * bands.size());
    for (size_t i = 0; i < bands.size(); ++i) {
        const RteRect& band = bands[i];
        EXPECT_EQ(g_displayCalls[2 * i].mode, 0);
        EXPECT_EQ(g_displayCalls[2 * i].band, band) << "band " << i;
        EXPECT_EQ(g_displayCalls[2 * i + 1].mode, 1);
        EXPECT_EQ(g_displayCalls[2 * i + 1].band, (RteRect{0, 0, band.bottom - band.top, band.right - band.left}))
            << "band " << i << " at its own origin";
    }
}

TEST_F(GdiPortTest, AnAreaPast48000BytesIsDrawnInBands)
{
    const RteRect area{10, 20, 110, 620};
    TestCanvas banded(640, 130);
    TestCanvas whole(640, 130);
    RteHandle doc = MakeDocument("abc");
    RteSetPortDC(doc, banded.Dc());
    RteHookTable hooks;
    RteGetDocHooks(doc, &hooks);
    hooks.port(doc, 1);
    std::vector<int32_t> ends;
    std::vector<RteRect> bands;
    do {
        RteRect rect;
        RtePoint offset;
        RteOffscreenBegin(doc, &area, &rect, &offset);
        EXPECT_EQ(offset, (RtePoint{-10, -20}));
        bands.push_back(RteOffscreenBand(&env_));
        DrawPicture(&env_, area);
        ends.push_back(RteOffscreenEnd(doc));
    } while (ends.back() == 0 && ends.size() < 100);
    hooks.port(doc, 0);
    ASSERT_GT(ends.size(), 1u) << "one band would pass 48000 bytes";
    EXPECT_EQ(ends.back(), 1);
    for (size_t i = 0; i + 1 < ends.size(); ++i)
        EXPECT_EQ(ends[i], 0) << "band " << i;
    for (const RteRect& band : bands) {
        int32_t bytesPerRow = 32 * ((band.right - band.left) / 8 + 1);
        EXPECT_LE(bytesPerRow * (band.bottom - band.top), 48000);
    }
    EXPECT_EQ(bands.front().top, area.top);
    EXPECT_EQ(bands.back().bottom, area.bottom);
    RteSetPortDC(doc, whole.Dc());
    hooks.port(doc, 1);
    DrawPicture(&env_, area);
    hooks.port(doc, 0);
    int differing = 0;
    for (int y = 0; y < 130; ++y) {
        for (int x = 0; x < 640; ++x) {
            if (banded.Raw(x, y) != whole.Raw(x, y) && differing++ < 5)
                ADD_FAILURE() << x << "," << y << " " << std::hex << banded.Raw(x, y) << " " << whole.Raw(x, y);
        }
    }
    EXPECT_EQ(differing, 0);
}

TEST_F(GdiPortTest, ASubstituteDcTakesTheDrawingBetweenItsCalls)
{
    TestCanvas screen(40, 20);
    TestCanvas print(40, 20);
    RteHandle doc = MakeDocument("abc");
    RteSetPortDC(doc, screen.Dc());
    RteSetPrintDC(doc, print.Dc());
    auto fill = [&] {
        RECT all{0, 0, 40, 20};
        FillRect(RtePortGetDC(RteGdiOf(&env_)->current), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        RtePortReleaseDC(RteGdiOf(&env_)->current);
    };
    RteUseSubstituteDC(doc);
    fill();
    RteEndSubstituteDC(doc);
    EXPECT_EQ(print.Pixel(5, 5), RGB(0, 0, 0));
    EXPECT_EQ(screen.Pixel(5, 5), RGB(255, 255, 255));
    EXPECT_EQ(GetMapMode(print.Dc()), MM_TEXT) << "the print DC's mapping is reset";
    RteHookTable hooks;
    RteGetDocHooks(doc, &hooks);
    hooks.port(doc, 1);
    fill();
    hooks.port(doc, 0);
    EXPECT_EQ(screen.Pixel(5, 5), RGB(0, 0, 0)) << "afterwards the port's own DC draws again";
}

TEST_F(GdiPortTest, ScrollingGrowsAnInstalledUpdateRegion)
{
    TestCanvas canvas(100, 100);
    RteHandle doc = MakeDocument("abc");
    RteSetPortDC(doc, canvas.Dc());
    RteSetUpdateRegion(doc, CreateRectRgn(0, 0, 10, 10));
    RteRect rect{0, 0, 100, 100};
    RteRect uncovered;
    HRGN result = RteScrollPixels(doc, &rect, 0, -20, &uncovered);
    EXPECT_EQ(result, PortOf(doc)->update);
    EXPECT_EQ(uncovered, (RteRect{80, 0, 100, 100}));
    EXPECT_TRUE(PtInRegion(result, 5, 5));
    EXPECT_TRUE(PtInRegion(result, 50, 90));
    EXPECT_FALSE(PtInRegion(result, 50, 50));
}

TEST_F(GdiPortTest, ScrollingWithoutUpdateRegionAnswersTheUncoveredOne)
{
    TestCanvas canvas(100, 100, RGB(0, 0, 0));
    RteHandle doc = MakeDocument("abc");
    RteSetPortDC(doc, canvas.Dc());
    RteRect rect{0, 0, 100, 100};
    HRGN result = RteScrollPixels(doc, &rect, 30, 0, nullptr);
    EXPECT_TRUE(PtInRegion(result, 10, 50));
    EXPECT_FALSE(PtInRegion(result, 50, 50));
    EXPECT_EQ(canvas.Pixel(10, 50), GetSysColor(COLOR_WINDOW)) << "the uncovered part is filled";
    DeleteObject(result);
}

void TopMargin(RteHandle, intptr_t, intptr_t margins) { reinterpret_cast<RteRect*>(margins)->top = 10; }

TEST_F(GdiPortTest, TheWrapAreaAsDisplayedRepeatsOverTheView)
{
    RteHandle doc = MakeDocument("abc");
    RteRect wrap{0, 0, 100, 50};
    RteRect view{0, 0, 250, 50};
    RteSetAreaRects(doc, &wrap, &view);
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    RteWrapRegion(doc, nullptr, region);
    RECT box;
    GetRgnBox(region, &box);
    EXPECT_EQ(box.bottom, 100) << "without repetition, one copy";
    {
        RteLocked<RteDocument> model(doc);
        model->layoutFlags = RTE_LAYOUT_REPEAT_DOWN;
        model->repeatGapV = 20;
        model->hooks.pageMargins = TopMargin;
    }
    RteWrapRegion(doc, nullptr, region);
    EXPECT_TRUE(PtInRegion(region, 10, 50));
    EXPECT_FALSE(PtInRegion(region, 10, 110)) << "the gap";
    EXPECT_TRUE(PtInRegion(region, 10, 135));
    EXPECT_FALSE(PtInRegion(region, 10, 125)) << "the second copy's top margin";
    EXPECT_TRUE(PtInRegion(region, 10, 255)) << "the third copy begins in the view";
    GetRgnBox(region, &box);
    EXPECT_EQ(box.bottom, 340) << "no copy past the view";
    RteRect extra{300, 0, 310, 10};
    RteSetRectList(RteExtraArea(doc), &extra);
    EXPECT_EQ(RteExtraRegion(doc, nullptr, region), 0) << "the extra area misses the view";
    RteRect inView{20, 0, 30, 10};
    RteSetRectList(RteExtraArea(doc), &inView);
    EXPECT_EQ(RteExtraRegion(doc, nullptr, region), 1);
    EXPECT_TRUE(PtInRegion(region, 5, 25));
    DeleteObject(region);
}

TEST_F(GdiPortTest, RegionsInsetAndGrow)
{
    HRGN region = CreateRectRgn(10, 10, 30, 20);
    RteInsetRegion(region, -2, 0);
    RECT box;
    GetRgnBox(region, &box);
    EXPECT_EQ(box.left, 8);
    EXPECT_EQ(box.right, 32);
    EXPECT_EQ(box.top, 10);
    EXPECT_EQ(box.bottom, 20);
    RteInsetRegion(region, 3, 1);
    GetRgnBox(region, &box);
    EXPECT_EQ(box.left, 11);
    EXPECT_EQ(box.right, 29);
    EXPECT_EQ(box.top, 11);
    EXPECT_EQ(box.bottom, 19);
    RteInsetRegion(region, 20, 0);
    EXPECT_TRUE(RteRegionIsEmpty(region));
    DeleteObject(region);
}

TEST_F(GdiPortTest, TheClipKeepsDrawingInTheViewArea)
{
    TestCanvas canvas(100, 100);
    RteHandle doc = MakeDocument("abc");
    RteSetPortDC(doc, canvas.Dc());
    RteRect view{20, 20, 60, 60};
    RteSetRectList(RteViewArea(doc), &view);
    RteSetClip(doc, RTE_CLIP_KEPT, nullptr);
    RECT all{0, 0, 100, 100};
    FillRect(canvas.Dc(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    EXPECT_EQ(canvas.Pixel(30, 30), RGB(0, 0, 0));
    EXPECT_EQ(canvas.Pixel(10, 10), RGB(255, 255, 255));
    EXPECT_EQ(canvas.Pixel(70, 70), RGB(255, 255, 255));
    RteRect wider{0, 0, 100, 100};
    RteRectList temporary = RteNewRectList(&context_, &wider);
    RteSetClip(doc, RTE_CLIP_TEMPORARY, temporary);
    FillRect(canvas.Dc(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    EXPECT_EQ(canvas.Pixel(10, 10), RGB(0, 0, 0));
    RteFreeRectList(temporary);
    SelectClipRgn(canvas.Dc(), nullptr);
}

bool CaretOn(HWND window, RECT* rect)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetCurrentThreadId(), &info);
    *rect = info.rcCaret;
    return info.hwndCaret == window;
}

// The caret hook called in a mode for a point of a line 15 units high.
void Caret(RteHandle doc, intptr_t mode, int32_t v, int32_t h)
{
    RteSelectPoint point{};
    point.point = RtePoint{v, h};
    point.height = 15;
    RteHookTable hooks;
    RteGetDocHooks(doc, &hooks);
    hooks.caret(doc, mode, reinterpret_cast<intptr_t>(&point), 0, 0, 0);
}

TEST_F(GdiPortTest, TheCaretOfAHiddenWindow)
{
    TestWindow window;
    ASSERT_FALSE(IsWindowVisible(window.Handle()));
    RteHandle doc = RteDocCreate(&env_, window.Handle(), nullptr, nullptr, nullptr, 0);
    Caret(doc, RTE_CARET_SHOW, 12, 40);
    RECT rect;
    ASSERT_TRUE(CaretOn(window.Handle(), &rect));
    EXPECT_EQ(rect.top, 12);
    EXPECT_EQ(rect.bottom - rect.top, 15);
    EXPECT_EQ(rect.left, 40) << "centred on the position, a pixel wide";
    Caret(doc, RTE_CARET_POINT, 12, 40);
    RtePoint noted = RteLocked<RteDocument>(doc)->caretPoint;
    EXPECT_EQ(noted.h, 40);
    EXPECT_EQ(noted.v, 13);
    Caret(doc, RTE_CARET_HIDE, 12, 40);
    EXPECT_FALSE(CaretOn(window.Handle(), &rect));
    RteSetDocFlags2(doc, RteGetDocFlags2(doc) | RTE_DOC2_NO_CARET);
    Caret(doc, RTE_CARET_SHOW, 12, 40);
    EXPECT_FALSE(CaretOn(window.Handle(), &rect)) << "a suppressed caret is not made";
    RteDocDestroy(doc);
}

TEST_F(GdiPortTest, TheCaretIsScrolledAndScaledAsTheText)
{
    TestWindow window;
    RteHandle doc = RteDocCreate(&env_, window.Handle(), nullptr, nullptr, nullptr, 0);
    {
        RteLocked<RteDocument> model(doc);
        model->scroll = RtePoint{2, 10};
        model->scaling.factor = RtePackFactor(2, 1);
    }
    Caret(doc, RTE_CARET_SHOW, 12, 40);
    RECT rect;
    ASSERT_TRUE(CaretOn(window.Handle(), &rect));
    EXPECT_EQ(rect.top, 20) << "(12 - 2) twice";
    EXPECT_EQ(rect.bottom - rect.top, 30);
    EXPECT_EQ(rect.left, 60) << "(40 - 10) twice";
    RteDocDestroy(doc);
}

TEST_F(GdiPortTest, TheCaretFollowsTextThatMoved)
{
    TestWindow window;
    RteHandle doc = RteDocCreate(&env_, window.Handle(), nullptr, nullptr, nullptr, 0);
    auto caret = [&](intptr_t mode, int32_t v, int32_t h) { Caret(doc, mode, v, h); };
    auto moved = [&] { RteLocked<RteDocument>(doc)->caretMoved = true; };
    RECT rect;
    caret(RTE_CARET_SHOW, 12, 40);
    caret(RTE_CARET_CHANGED_PLACE, 30, 80);
    ASSERT_TRUE(CaretOn(window.Handle(), &rect));
    EXPECT_EQ(rect.top, 12) << "a caret shown where the text still is stays";
    moved();
    caret(RTE_CARET_CHANGED_PLACE, 30, 80);
    ASSERT_TRUE(CaretOn(window.Handle(), &rect));
    EXPECT_EQ(rect.top, 30) << "after the text moved the caret is drawn anew";
    EXPECT_EQ(rect.left, 80);
    caret(RTE_CARET_CHANGED, 50, 90);
    EXPECT_TRUE(CaretOn(window.Handle(), &rect)) << "nothing moved since";
    moved();
    caret(RTE_CARET_CHANGED, 50, 90);
    EXPECT_FALSE(CaretOn(window.Handle(), &rect)) << "mode 7 only takes the stale caret away";
    caret(RTE_CARET_IDLE, 50, 90);
    ASSERT_TRUE(CaretOn(window.Handle(), &rect));
    EXPECT_EQ(rect.top, 50) << "the next idle call draws it again";
    RteDocDestroy(doc);
}

TEST_F(GdiPortTest, TheDefaultContainerHookDrawsTheBackground)
{
    for (bool offscreen : {false, true}) {
        TestCanvas canvas(100, 60, RGB(255, 0, 0));
        RteHandle doc = MakeDocument("abc");
        RteSetPortDC(doc, canvas.Dc());
        RteRect view{0, 0, 60, 100};
        RteSetAreaRects(doc, nullptr, &view);
        if (offscreen)
            RteSetDocFlags(doc, RteGetDocFlags(doc) | RTE_DOC_OFFSCREEN_CONTAINERS);
        RteHookTable hooks;
        RteGetDocHooks(doc, &hooks);
        RteRect rect{10, 20, 40, 50};
        int32_t state = 0;
        hooks.container(doc, 1, &rect, 0, 0, RTE_CONTAINER_OPEN, &state);
        EXPECT_EQ(canvas.Pixel(25, 30), RGB(255, 0, 0)) << "opening draws nothing";
        hooks.container(doc, 1, &rect, 0, 0, RTE_CONTAINER_DRAW, &state);
        EXPECT_EQ(canvas.Pixel(20, 10), RGB(255, 255, 255)) << offscreen;
        EXPECT_EQ(canvas.Pixel(49, 39), RGB(255, 255, 255)) << offscreen;
        for (auto [x, y] : {std::pair{19, 25}, {50, 25}, {30, 9}, {30, 40}})
            EXPECT_EQ(canvas.Pixel(x, y), RGB(255, 0, 0)) << offscreen << " " << x << "," << y;
        RteDocDestroy(doc);
    }
}

TEST(DeviceUnitsTest, Colours)
{
    RteColor colour;
    RteColorFromRGB(RGB(0, 128, 255), &colour);
    EXPECT_EQ(colour.red, 0);
    EXPECT_EQ(colour.green, 0x80FF);
    EXPECT_EQ(colour.blue, 0xFFFF);
    COLORREF back = 0;
    RteColorToRGB(&colour, &back);
    EXPECT_EQ(back, RGB(0, 128, 255));
}

TEST(DeviceUnitsTest, FixedPoint)
{
    struct Case {
        int32_t a;
        int32_t b;
        int32_t product;
        int32_t quotient;
    };
    const Case cases[] = {{0x18000, 0x20000, 0x30000, 0xC000},
                          {-0x18000, 0x20000, -0x30000, -0xC000},
                          {0x10001, 0x8000, 0x8001, 0x20002},
                          {0, 0x20000, 0, 0},
                          {0x20000, 0, 0, 0}};
    for (const Case& c : cases) {
        EXPECT_EQ(RteFixMul(c.a, c.b), c.product) << c.a << " x " << c.b;
        EXPECT_EQ(RteFixDiv(c.a, c.b), c.quotient) << c.a << " / " << c.b;
    }
    EXPECT_EQ(RteFixRatio(10, 0x10003), RteFixDiv(10, 3)) << "the divisor as 16 bits";
    uint8_t text[] = "Abc-Z9";
    uint8_t out[6];
    RteCaseCopy(text, 6, out, true);
    EXPECT_EQ(std::string(out, out + 6), "ABC-Z9");
    RteCaseCopy(text, 6, out, false);
    EXPECT_EQ(std::string(out, out + 6), "abc-z9");
}

TEST_F(GdiPortTest, PointsAndPixels)
{
    RteHandle doc = MakeDocument("abc");
    int32_t resolution = DocumentOf(doc).resolution;
    EXPECT_EQ(RtePointsToPixels(doc, 72 << 16), resolution);
    EXPECT_EQ(RtePixelsToPoints(doc, resolution), 72 << 16);
    EXPECT_EQ(RtePointsToPixelsInt(doc, 72), resolution) << "whole points";
    EXPECT_EQ(RtePixelsToPointsInt(doc, resolution), 72) << "whole pixels";
    EXPECT_EQ(RtePixelsToPointsInt(doc, resolution / 2), 36);
}

TEST_F(GdiPortTest, GlobalBlocksBecomeHandlesAndBack)
{
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 12);
    auto* bytes = static_cast<int32_t*>(GlobalLock(block));
    bytes[0] = 7;
    bytes[1] = 8;
    bytes[2] = 9;
    GlobalUnlock(block);
    RteHandle handle = RteHandleFromGlobal(&context_, block, sizeof(int32_t));
    EXPECT_EQ(RteCount(handle), 3);
    EXPECT_EQ(RteLocked<int32_t>(handle)[2], 9);
    HGLOBAL back = RteHandleToGlobal(handle);
    EXPECT_EQ(GlobalSize(back), 12u);
    EXPECT_EQ(static_cast<int32_t*>(GlobalLock(back))[0], 7);
    GlobalUnlock(back);
    GlobalFree(back);
}

}  // namespace

namespace {

TEST_F(GdiPortTest, DrawingOntoAnotherDevice)
{
    TestCanvas page(100, 100);
    RteHandle doc = MakeDocument("abc");
    {
        RteLocked<RteDocument> model(doc);
        RteLocked<RteTextBlock>(model->blocks)[0].bounds = RteRect{0, 0, 60, 100};
    }
    RteDeviceTarget target{page.Dc(), 0, 0};
    RteRect area{0, 0, 100, 100};
    RteBeginDeviceDraw(doc, &target, 0, &area);
    EXPECT_GT(target.resolution, 0);
    EXPECT_EQ(target.blocks, 1);
    EXPECT_EQ(GetMapMode(page.Dc()), MM_ISOTROPIC);
    RteLocked<RteFontCacheEntry> fonts(RteGdiOf(&env_)->fontCache);
    ASSERT_GT(fonts.size(), 0);
    EXPECT_EQ(fonts[0].flags & RTE_FONT_OTHER_DEVICE, RTE_FONT_OTHER_DEVICE);
    RteEndDeviceDraw(doc, &target);
    EXPECT_EQ(fonts[0].flags & RTE_FONT_OTHER_DEVICE, 0);
    EXPECT_EQ(GetMapMode(page.Dc()), MM_TEXT);
}

TEST_F(GdiPortTest, MeasuringIsInDeviceUnits)
{
    TestCanvas canvas(10, 10);
    RteHandle doc = MakeDocument("abc");
    RteSetPortDC(doc, canvas.Dc());
    SetMapMode(canvas.Dc(), MM_LOMETRIC);
    int32_t saved = -1;
    HDC dc = RteMeasureDC(doc, &saved);
    EXPECT_EQ(dc, canvas.Dc());
    EXPECT_EQ(GetMapMode(dc), MM_TEXT);
    EXPECT_EQ(saved, 0) << "no substitute DC: nothing saved";
    RteEndMeasureDC(doc, saved);
}

}  // namespace
