// The background painter drawn into a bitmap of the test: what each background type paints and
// in which order, the images it looks for, the logo over it, and the placement of the logo.
#include "player.h"

#include "scratch_dir.h"
#include "test_canvas.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace {

// A 24-bit BMP file of w x h pixels, each coloured by the function.
template <typename Colour>
std::string BmpFile(int w, int h, Colour colourAt)
{
    const int stride = (w * 3 + 3) & ~3;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = w;
    info.biHeight = h;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biSizeImage = stride * h;
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + info.biSizeImage;
    std::string bytes(file.bfSize, '\0');
    std::memcpy(&bytes[0], &file, sizeof file);
    std::memcpy(&bytes[sizeof file], &info, sizeof info);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            COLORREF c = colourAt(x, h - 1 - y);  // rows are stored bottom-up
            char* pixel = &bytes[file.bfOffBits + y * stride + x * 3];
            pixel[0] = static_cast<char>(GetBValue(c));
            pixel[1] = static_cast<char>(GetGValue(c));
            pixel[2] = static_cast<char>(GetRValue(c));
        }
    return bytes;
}

// A window of the given client size that hosts a kernel, as the player's background does.
class Background : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr, nullptr, nullptr);
        kernel = KernConstructeur(window, nullptr, "", "", "");
        ASSERT_TRUE(kernel);
        SetPubDefaults(settings);
        settings.kernel = kernel;
    }

    void TearDown() override
    {
        if (settings.background) DeleteObject(settings.background);
        if (kernel) KernDestructeur(kernel);
        DestroyWindow(window);
    }

    HWND window = nullptr;
    KERNEL* kernel = nullptr;
    PUBSETTINGS settings;
    ScratchDir dir;
};

}  // namespace

TEST(LogoPlace, PositionCodesPlaceTheBoxInTheArea)
{
    struct Case {
        int code, x, y;
    };
    // A box of 105 x 25 (a text of 100 x 20 and its margin) on an 800 x 600 area, from (5, 5).
    for (const Case& c : {Case{0, 695, 287}, Case{1, 347, 287}, Case{2, 347, 575}, Case{3, 695, 575},
                          Case{4, 347, 5}, Case{5, 5, 287}, Case{6, 5, 575}, Case{7, 695, 5}, Case{8, 5, 5},
                          Case{42, 5, 5}}) {
        int x = 5, y = 5;
        PlaceByPosition(c.code, x, y, 105, 25, 800, 600);
        EXPECT_EQ(c.x, x) << "code " << c.code;
        EXPECT_EQ(c.y, y) << "code " << c.code;
    }
}

TEST_F(Background, ALogoImageLetsTheBackgroundShowThroughItsSurround)
{
    // A 20 x 20 logo: a white surround and a blue square in its middle.
    dir.Write("logo.bmp", BmpFile(20, 20, [](int x, int y) {
                  return x >= 5 && x < 15 && y >= 5 && y < 15 ? RGB(0, 0, 255) : RGB(255, 255, 255);
              }));
    settings.backgroundType = 1;
    settings.startColor = RGB(200, 0, 0);
    settings.showLogo = 1;
    settings.logoType = 1;
    settings.logoPos = 8;  // top left, from (5, 5)
    settings.logoStr = dir / "logo.bmp";
    TestCanvas canvas(200, 100);
    PaintBackground(settings, window, canvas.Dc());
    struct Spot {
        int x, y;
        COLORREF colour;
    };
    for (const Spot& s : {Spot{1, 1, RGB(200, 0, 0)}, Spot{6, 6, RGB(200, 0, 0)}, Spot{15, 15, RGB(0, 0, 255)},
                          Spot{22, 22, RGB(200, 0, 0)}, Spot{150, 80, RGB(200, 0, 0)}})
        EXPECT_EQ(s.colour, canvas.Pixel(s.x, s.y)) << s.x << "," << s.y;
}

TEST_F(Background, AMissingImagePaintsBlackAndTheNextPaintCopiesTheCache)
{
    settings.backgroundType = 3;
    settings.imageFile = dir / "absent.bmp";
    TestCanvas canvas(200, 100, RGB(255, 255, 255));
    PaintBackground(settings, window, canvas.Dc());
    EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(100, 50));
    ASSERT_TRUE(settings.background);
    // Later paints copy the bitmap without painting again.
    settings.backgroundType = 1;
    settings.startColor = RGB(0, 255, 0);
    canvas.Fill(RGB(255, 255, 255));
    PaintBackground(settings, window, canvas.Dc());
    EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(100, 50));
}

namespace {

constexpr COLORREF Red = RGB(255, 0, 0), Green = RGB(0, 255, 0), Blue = RGB(0, 0, 255);
constexpr COLORREF Start = Red, End = Blue;

// Within the painters' jitter of the start colour, or of the end colour.
bool NearStart(COLORREF c) { return GetRValue(c) > 200 && GetBValue(c) < 55; }
bool NearEnd(COLORREF c) { return GetBValue(c) > 200 && GetRValue(c) < 55; }

std::string Solid(COLORREF colour)
{
    return BmpFile(8, 8, [colour](int, int) { return colour; });
}

}  // namespace

TEST_F(Background, EachGradientKindRunsFromItsStartToItsEnd)
{
    struct Case {
        int kind;
        POINT start, end;  // where the start colour is, where the end colour is
    } cases[] = {
        {0, {2, 50}, {197, 50}},   // left to right
        {5, {197, 50}, {2, 50}},   // right to left
        {2, {100, 1}, {100, 98}},  // top to bottom
        {42, {100, 1}, {100, 98}},
        {4, {100, 98}, {100, 1}},   // bottom to top
        {1, {100, 50}, {0, 0}},     // from the centre outward
        {3, {0, 0}, {199, 99}},     // top left to bottom right
        {8, {199, 99}, {0, 0}},
        {6, {0, 99}, {199, 0}},     // bottom left to top right
        {7, {199, 0}, {0, 99}},
    };
    for (const Case& c : cases) {
        settings.backgroundType = 2;
        settings.gradient = c.kind;
        settings.startColor = Start;
        settings.endColor = End;
        if (settings.background) DeleteObject(settings.background);
        settings.background = nullptr;
        TestCanvas canvas(200, 100);
        PaintBackground(settings, window, canvas.Dc());
        const COLORREF atStart = canvas.Pixel(c.start.x, c.start.y), atEnd = canvas.Pixel(c.end.x, c.end.y);
        EXPECT_TRUE(NearStart(atStart)) << "kind " << c.kind << std::hex << " start 0x" << atStart;
        EXPECT_TRUE(NearEnd(atEnd)) << "kind " << c.kind << std::hex << " end 0x" << atEnd;
    }
}

TEST_F(Background, TheLogoTextIsDrawnOverTheGradient)
{
    settings.backgroundType = 2;
    settings.gradient = 0;
    settings.startColor = Start;
    settings.endColor = End;
    settings.showLogo = 1;
    settings.logoType = 0;
    settings.logoPos = 8;  // top left, from (5, 5)
    settings.logoStr = "WWW";
    settings.logoColor = Green;
    settings.logoFont.lfHeight = 40;
    settings.logoFont.lfWeight = 900;
    TestCanvas canvas(200, 100);
    PaintBackground(settings, window, canvas.Dc());
    int inked = 0;
    for (int y = 5; y < 45; ++y)
        for (int x = 5; x < 100; ++x) inked += canvas.Pixel(x, y) == Green;
    EXPECT_GT(inked, 50) << "the text in the logo colour";
    // Beside the text the gradient is untouched.
    EXPECT_TRUE(NearEnd(canvas.Pixel(197, 80)));
    EXPECT_TRUE(NearStart(canvas.Pixel(2, 80)));
}

TEST_F(Background, AnImageIsStretchedOrTiledFromTheTopLeft)
{
    // 30 x 20: red on the left half, blue on the right half, a green bottom row.
    dir.Write("fond.bmp", BmpFile(30, 20, [](int x, int y) { return y == 19 ? Green : x < 15 ? Red : Blue; }));
    settings.backgroundType = 3;
    settings.imageFile = dir / "fond.bmp";
    struct Spot {
        int x, y;
        COLORREF colour;
    };
    struct Case {
        int imagePos;
        std::vector<Spot> spots;
    } cases[] = {
        // Stretched: the left half red, the right half blue, the bottom green.
        {0, {{50, 40, Red}, {150, 40, Blue}, {100, 97, Green}}},
        // Tiled in steps of 30 x 20 from the top left, the last tiles cut at the right and
        // bottom edges.
        {1, {{5, 5, Red}, {20, 5, Blue}, {35, 5, Red}, {50, 5, Blue}, {195, 85, Blue}, {199, 99, Green},
             {10, 19, Green}, {10, 39, Green}, {10, 40, Red}}},
    };
    for (const Case& c : cases) {
        settings.imagePos = c.imagePos;
        if (settings.background) DeleteObject(settings.background);
        settings.background = nullptr;
        TestCanvas canvas(200, 100, RGB(255, 255, 255));
        PaintBackground(settings, window, canvas.Dc());
        for (const Spot& s : c.spots)
            EXPECT_EQ(s.colour, canvas.Pixel(s.x, s.y)) << "position " << c.imagePos << " at " << s.x << "," << s.y;
    }
}

TEST_F(Background, TheImageOfTheScreenWidthIsLookedForUpwardThenDownward)
{
    ASSERT_EQ(1024, ScreenWidth()) << "the cases below are those of a screen 1024 pixels wide";
    const COLORREF colours[QX_PERWIDTH_IMAGES] = {RGB(10, 0, 0),  RGB(0, 20, 0),  RGB(0, 0, 30),
                                                  RGB(40, 40, 0), RGB(0, 50, 50), RGB(60, 0, 60)};
    for (int i = 0; i < QX_PERWIDTH_IMAGES; ++i)
        dir.Write("w" + std::to_string(kPerWidthScreens[i]) + ".bmp", Solid(colours[i]));
    struct Case {
        const char* name;
        std::vector<int> present;  // indexes of the images the publication names
        COLORREF painted;
    } cases[] = {
        {"all", {0, 1, 2, 3, 4, 5}, colours[2]},
        {"above first", {0, 1, 4, 5}, colours[4]},
        {"then below, the nearest first", {0, 1}, colours[1]},
        {"the smallest last", {0}, colours[0]},
        {"none: black", {}, RGB(0, 0, 0)},
    };
    settings.backgroundType = 4;
    for (const Case& c : cases) {
        for (std::string& name : settings.perWidthImages) name.clear();
        for (int i : c.present) settings.perWidthImages[i] = dir / ("w" + std::to_string(kPerWidthScreens[i]) + ".bmp");
        if (settings.background) DeleteObject(settings.background);
        settings.background = nullptr;
        TestCanvas canvas(200, 100, RGB(255, 255, 255));
        PaintBackground(settings, window, canvas.Dc());
        EXPECT_EQ(c.painted, canvas.Pixel(100, 50)) << c.name;
        EXPECT_EQ(c.painted, canvas.Pixel(199, 99)) << c.name << ": stretched over the whole area";
    }
}

TEST_F(Background, AFailedImageTurnsTheWholeBackgroundBlackLogoIncluded)
{
    // A logo that shows over any background: a blue square in a white surround.
    dir.Write("logo.bmp", BmpFile(20, 20, [](int x, int y) {
                  return x >= 5 && x < 15 && y >= 5 && y < 15 ? Blue : RGB(255, 255, 255);
              }));
    settings.showLogo = 1;
    settings.logoType = 1;
    settings.logoPos = 8;  // top left, from (5, 5): the square covers 10 .. 19
    settings.logoStr = dir / "logo.bmp";
    settings.backgroundType = 1;
    settings.startColor = Green;
    {
        TestCanvas canvas(200, 100);
        PaintBackground(settings, window, canvas.Dc());
        ASSERT_EQ(Blue, canvas.Pixel(15, 15)) << "the logo shows over a background painted";
    }
    DeleteObject(settings.background);
    settings.background = nullptr;
    settings.backgroundType = 3;
    settings.imageFile = dir / "absent.bmp";
    TestCanvas canvas(200, 100, RGB(255, 255, 255));
    PaintBackground(settings, window, canvas.Dc());
    for (const auto& [x, y] : {std::pair{15, 15}, std::pair{100, 50}, std::pair{199, 99}})
        EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(x, y)) << x << "," << y;
}
