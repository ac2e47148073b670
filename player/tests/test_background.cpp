// The background painter and the placement of the logo, drawn into a bitmap of the test.
#include "player.h"

#include "scratch_dir.h"
#include "test_canvas.h"

#include <gtest/gtest.h>

#include <cstring>

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
