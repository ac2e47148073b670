// The bitmap object: files of every format, drawing with transparency, the pixel lock,
// rotation bookkeeping, transformations and DIB exchange, checked on drawn pixels.
#include "qxbmp.h"

#include "test_canvas.h"
#include "scratch_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

const COLORREF Red = RGB(255, 0, 0), Green = RGB(0, 255, 0), Blue = RGB(0, 0, 255), White = RGB(255, 255, 255);

// w x h, 24 bits: left half `left`, right half `right`.
void MakeHalves(BMP& image, int w, int h, COLORREF left, COLORREF right)
{
    image.New(w, h, 24);
    std::vector<unsigned char> row(static_cast<size_t>(w) * 3);
    for (int x = 0; x < w; ++x) {
        const COLORREF c = x < w / 2 ? left : right;
        row[x * 3] = GetBValue(c);
        row[x * 3 + 1] = GetGValue(c);
        row[x * 3 + 2] = GetRValue(c);
    }
    for (int y = 0; y < h; ++y)
        image.DrawDataLine(0, y, w, row.data(), 0);
}

// 2 x 2: red, green / blue, white.
void MakeTile(BMP& image)
{
    image.New(2, 2, 24);
    unsigned char top[6] = {0, 0, 255, 0, 255, 0};
    unsigned char bottom[6] = {255, 0, 0, 255, 255, 255};
    image.DrawDataLine(0, 0, 2, top, 0);
    image.DrawDataLine(0, 1, 2, bottom, 0);
}

// The image's pixels as drawn, row by row.
std::vector<COLORREF> Drawn(BMP& image)
{
    int w = 0, h = 0;
    image.GetWH(w, h);
    TestCanvas canvas(w, h, RGB(1, 2, 3));
    image.Draw(canvas.Dc(), 0, 0, SRCCOPY, 0);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            pixels.push_back(canvas.Pixel(x, y));
    return pixels;
}

bool Near(COLORREF a, COLORREF b, int tolerance)
{
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance
        && std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

struct FormatCase {
    const char* file;
    int format;
    int bpp;
    int tolerance;
};

const FormatCase Formats[] = {
    {"a.bmp", BMP_FORMAT_BMP, 24, 0},   {"a.png", BMP_FORMAT_PNG, 24, 0}, {"a.jpg", BMP_FORMAT_JPEG, 24, 48},
    {"a.gif", BMP_FORMAT_GIF, 8, 0},    {"a.tif", BMP_FORMAT_TIFF, 24, 0}, {"b.png", BMP_FORMAT_PNG, 8, 0},
};

TEST(BmpTest, ExportThenImportEachFormat)
{
    ScratchDir dir;
    for (const FormatCase& c : Formats) {
        SCOPED_TRACE(c.file);
        BMP source;
        MakeHalves(source, 16, 8, Red, Blue);
        ASSERT_EQ(0, source.Export((dir / c.file).c_str(), c.format, c.bpp));
        BMP loaded;
        ASSERT_EQ(0, loaded.Import((dir / c.file).c_str()));
        int w = 0, h = 0, bpp = 0;
        EXPECT_EQ(8, loaded.GetWH(w, h));
        EXPECT_EQ(16, w);
        EXPECT_EQ(24, loaded.GetBPP(bpp));
        TestCanvas canvas(20, 10, White);
        EXPECT_EQ(8, loaded.Draw(canvas.Dc(), 2, 1, SRCCOPY, 0));
        EXPECT_EQ(White, canvas.Pixel(1, 1));
        EXPECT_TRUE(Near(Red, canvas.Pixel(4, 4), c.tolerance)) << std::hex << canvas.Pixel(4, 4);
        EXPECT_TRUE(Near(Blue, canvas.Pixel(14, 4), c.tolerance)) << std::hex << canvas.Pixel(14, 4);
        EXPECT_EQ(White, canvas.Pixel(18, 4));
    }
}

TEST(BmpTest, PrefixedFileLoadsFromOffsetFour)
{
    ScratchDir dir;
    BMP source;
    MakeTile(source);
    ASSERT_EQ(0, source.Export((dir / "plain.png").c_str(), BMP_FORMAT_PNG, 24));
    const std::string png = dir.Read("plain.png");
    dir.Write("prefixed.png", std::string("\xC8\xBA\xED\xFE", 4) + png);
    dir.Write("wrong prefix.png", std::string("\xC8\xBA\xED\xFF", 4) + png);
    const struct { const char* file; int result; } cases[] = {
        {"plain.png", 0}, {"prefixed.png", 0}, {"wrong prefix.png", 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        BMP loaded;
        ASSERT_EQ(c.result, loaded.Import((dir / c.file).c_str()));
        if (c.result == 0) {
            EXPECT_EQ((std::vector<COLORREF>{Red, Green, Blue, White}), Drawn(loaded));
        }
    }
}

TEST(BmpTest, ImportFailureLeavesTheImage)
{
    ScratchDir dir;
    dir.Write("empty.png", "");
    dir.Write("junk.png", "not a picture");
    for (const std::string& name : {dir / "empty.png", dir / "junk.png", dir / "missing.png"}) {
        SCOPED_TRACE(name);
        BMP image;
        MakeTile(image);
        EXPECT_EQ(1, image.Import(name.c_str()));
        EXPECT_EQ((std::vector<COLORREF>{Red, Green, Blue, White}), Drawn(image));
    }
    BMP image;
    EXPECT_EQ(1, image.Import(nullptr));
}

TEST(BmpTest, ExportReportsWhatHappened)
{
    ScratchDir dir;
    BMP image;
    EXPECT_EQ(1, image.Export((dir / "none.png").c_str(), BMP_FORMAT_PNG, 24));
    MakeTile(image);
    EXPECT_EQ(1, image.Export(nullptr, BMP_FORMAT_PNG, 24));
    EXPECT_EQ(1, image.Export((dir / "no such folder\\a.png").c_str(), BMP_FORMAT_PNG, 24));
    EXPECT_GT(0, BMP::LastLibraryResult());
    EXPECT_EQ(1, image.Export((dir / "a.xyz").c_str(), 77, 24));
    EXPECT_EQ(0, image.Export((dir / "a.png").c_str(), BMP_FORMAT_PNG, 24));
    EXPECT_EQ(1, BMP::LastLibraryResult());
}

TEST(BmpTest, TransparentColourIsLeftOut)
{
    BMP image;
    MakeHalves(image, 4, 2, RGB(255, 0, 255), Green);
    image.SetTransparentColor(RGB(255, 0, 255));
    EXPECT_EQ(0, image.GetTransparentColorEnable());
    image.SetTransparentColorEnable(true);
    EXPECT_NE(0, image.IsTransparentColor());
    EXPECT_NE(0, image.GetTransparentColorEnable());
    EXPECT_EQ(RGB(255, 0, 255), image.GetTransparentColor());

    TestCanvas canvas(4, 2, RGB(9, 9, 9));
    image.Draw(canvas.Dc(), 0, 0, SRCCOPY, 0);
    EXPECT_EQ(RGB(9, 9, 9), canvas.Pixel(0, 0));
    EXPECT_EQ(Green, canvas.Pixel(3, 1));

    image.SetTransparentColorEnable(false);
    image.Draw(canvas.Dc(), 0, 0, SRCCOPY, 0);
    EXPECT_EQ(RGB(255, 0, 255), canvas.Pixel(0, 0));
}

TEST(BmpTest, DrawOverloads)
{
    BMP image;
    MakeTile(image);
    TestCanvas canvas(8, 8, RGB(9, 9, 9));
    EXPECT_EQ(4, image.Draw(canvas.Dc(), 0, 0, 4, 4, SRCCOPY, 0));
    EXPECT_EQ(Red, canvas.Pixel(1, 1));
    EXPECT_EQ(White, canvas.Pixel(3, 3));
    // The source rectangle (1, 0, 1, 1): the green pixel, into 2 x 2 at (5, 5).
    EXPECT_EQ(2, image.Draw(canvas.Dc(), 5, 5, 2, 2, 1, 0, 1, 1, SRCCOPY, 0));
    EXPECT_EQ(Green, canvas.Pixel(6, 6));
    EXPECT_EQ(RGB(9, 9, 9), canvas.Pixel(7, 7));
    // The rectangles are back to the whole image.
    EXPECT_EQ(2, image.Draw(canvas.Dc(), 0, 0, SRCCOPY, 0));
    EXPECT_EQ(White, canvas.Pixel(1, 1));
    BMP empty;
    EXPECT_EQ(0, empty.Draw(canvas.Dc(), 0, 0, SRCCOPY, 0));
}

TEST(BmpTest, RotationBookkeeping)
{
    BMP image;
    MakeTile(image);
    EXPECT_EQ(90, image.Rotate(90, 0));
    EXPECT_EQ((std::vector<COLORREF>{Blue, Red, White, Green}), Drawn(image));
    EXPECT_EQ(180, image.Rotate(90, 0));
    EXPECT_EQ(0, image.Rotate(180, 0));
    EXPECT_EQ((std::vector<COLORREF>{Red, Green, Blue, White}), Drawn(image));
    EXPECT_EQ(0, image.Rotate(45, 0));
    EXPECT_EQ((std::vector<COLORREF>{Red, Green, Blue, White}), Drawn(image));
    EXPECT_EQ(90, image.Rotate(90, 1));
    // Absolute 270 from 90 turns by 180.
    EXPECT_EQ(270, image.Rotate(270, 1));
    EXPECT_EQ((std::vector<COLORREF>{Green, White, Red, Blue}), Drawn(image));
    EXPECT_EQ(0, image.Rotate(0, 1));
    EXPECT_EQ((std::vector<COLORREF>{Red, Green, Blue, White}), Drawn(image));
}

TEST(BmpTest, FlipsCropAndResize)
{
    struct Case {
        const char* name;
        int (*apply)(BMP&);
        std::vector<COLORREF> expected;
    };
    const Case cases[] = {
        {"flip vertical", [](BMP& b) { return b.FlipVertical(); }, {Blue, White, Red, Green}},
        {"flip vert", [](BMP& b) { return b.FlipVert(); }, {Blue, White, Red, Green}},
        {"flip horizontal", [](BMP& b) { return b.FlipHorizontal(); }, {Green, Red, White, Blue}},
        {"crop top row", [](BMP& b) { return b.SetCrop(0, 0, 2, 1); }, {Red, Green}},
        {"crop bottom-right", [](BMP& b) { return b.SetCrop(1, 1, 2, 2); }, {White}},
        {"resize", [](BMP& b) { return 1 - b.Resize(4, 2); }, {Red, Red, Green, Green, Blue, Blue, White, White}},
        {"demote", [](BMP& b) { return 1 - b.DemoteTo8Bits(); }, {Red, Green, Blue, White}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BMP image;
        MakeTile(image);
        EXPECT_EQ(1, c.apply(image));
        EXPECT_EQ(c.expected, Drawn(image));
    }
    BMP empty;
    EXPECT_EQ(0, empty.FlipVertical());
    EXPECT_EQ(0, empty.SetCrop(0, 0, 1, 1));
    EXPECT_EQ(1, empty.Resize(2, 2));
    EXPECT_EQ(1, empty.DemoteTo8Bits());
}

TEST(BmpTest, DemoteGivesEightBits)
{
    BMP image;
    MakeTile(image);
    ASSERT_EQ(0, image.DemoteTo8Bits());
    int bpp = 0;
    EXPECT_EQ(8, image.GetBPP(bpp));
}

TEST(BmpTest, PixelColour)
{
    BMP image;
    unsigned long colour = 7;
    EXPECT_EQ(0, image.GetPixelColor(0, 0, &colour));
    MakeTile(image);
    EXPECT_EQ(1, image.GetPixelColor(1, 0, &colour));
    EXPECT_EQ(Green, colour);
    EXPECT_EQ(0, image.GetPixelColor(5, 0, &colour));
    EXPECT_EQ(0u, colour);
}

TEST(BmpTest, NestedLockWritesBackOnce)
{
    BMP image;
    MakeTile(image);
    auto* bits = static_cast<unsigned char*>(image.Lock());
    ASSERT_NE(nullptr, bits);
    EXPECT_EQ(bits, image.Lock());
    // Bottom-up rows of 8 bytes: the first pixel in memory is the bottom-left (blue) one.
    EXPECT_EQ(255, bits[0]);
    bits[0] = 0;
    bits[1] = 0;
    bits[2] = 0;
    EXPECT_NE(0, image.Unlock());
    EXPECT_EQ(0, image.Unlock());
    EXPECT_EQ((std::vector<COLORREF>{Red, Green, RGB(0, 0, 0), White}), Drawn(image));
    EXPECT_EQ(0, image.Unlock());
    BMP empty;
    EXPECT_EQ(nullptr, empty.Lock());
}

TEST(BmpTest, PaletteWhileLockedAndUnlocked)
{
    BMP image;
    image.New(2, 1, 8);
    auto* bits = static_cast<unsigned char*>(image.Lock());
    bits[1] = 1;
    RGBQUAD locked[2] = {{0, 0, 255, 0}, {255, 0, 0, 0}};
    image.SetPalette(2, locked);
    image.Unlock();
    EXPECT_EQ((std::vector<COLORREF>{Red, Blue}), Drawn(image));
    RGBQUAD unlocked[2] = {{0, 255, 0, 0}, {255, 255, 255, 0}};
    image.SetPalette(2, unlocked);
    EXPECT_EQ((std::vector<COLORREF>{Green, White}), Drawn(image));
}

// A packed DIB in a global block: 8 bits, `used` colours-used, table of `entries`, one row
// of 4 pixels.
HGLOBAL PackedEightBit(DWORD used, size_t entries, size_t pixelBytes)
{
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 40 + entries * 4 + pixelBytes);
    auto* bytes = static_cast<unsigned char*>(GlobalLock(block));
    *reinterpret_cast<BITMAPINFOHEADER*>(bytes) = BITMAPINFOHEADER{40, 4, 1, 1, 8, BI_RGB, 0, 0, 0, used, 0};
    const RGBQUAD table[2] = {{0, 255, 0, 0}, {255, 0, 0, 0}};
    memcpy(bytes + 40, table, std::min<size_t>(entries, 2) * 4);
    if (pixelBytes >= 2)
        bytes[40 + entries * 4 + 1] = 1;
    GlobalUnlock(block);
    return block;
}

TEST(BmpTest, PasteHonoursColoursUsedAndRejectsLies)
{
    const struct {
        const char* name;
        DWORD used;
        size_t entries;
        size_t pixelBytes;
        int result;
    } cases[] = {
        {"two colours", 2, 2, 4, 0},
        {"full table", 0, 256, 4, 0},
        {"colours-used above 256", 5000, 2, 4, 1},
        {"pixels missing", 2, 2, 0, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        HGLOBAL block = PackedEightBit(c.used, c.entries, c.pixelBytes);
        BMP image;
        MakeTile(image);
        EXPECT_EQ(c.result, image.Paste(block));
        const std::vector<COLORREF> expected = c.result == 0 ? std::vector<COLORREF>{Green, Blue, Green, Green}
                                                             : std::vector<COLORREF>{Red, Green, Blue, White};
        EXPECT_EQ(expected, Drawn(image));
        GlobalFree(block);
    }
    BMP image;
    EXPECT_EQ(1, image.Paste(nullptr));
}

TEST(BmpTest, DibAndBitmapRoundTrips)
{
    BMP image;
    MakeTile(image);
    HGLOBAL dib = image.CreateDIB();
    ASSERT_NE(nullptr, dib);
    BMP pasted;
    EXPECT_EQ(0, pasted.Paste(dib));
    GlobalFree(dib);
    EXPECT_EQ((std::vector<COLORREF>{Red, Green, Blue, White}), Drawn(pasted));

    HBITMAP bitmap = image.CreateHBITMAP();
    ASSERT_NE(nullptr, bitmap);
    BMP fromBitmap;
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(1, fromBitmap.NewFromBitmap(screen, bitmap));
    ReleaseDC(nullptr, screen);
    DeleteObject(bitmap);
    EXPECT_EQ((std::vector<COLORREF>{Red, Green, Blue, White}), Drawn(fromBitmap));
}

TEST(BmpTest, GrabRoundsWidthUpToFour)
{
    HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 200, 50, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, window);
    SetWindowPos(window, nullptr, 0, 0, 101, 30, SWP_NOZORDER | SWP_NOMOVE);
    RECT client{};
    GetClientRect(window, &client);
    BMP image;
    EXPECT_EQ(1, image.Grab(window));
    int w = 0, h = 0;
    image.GetWH(w, h);
    EXPECT_EQ((client.right + 3) / 4 * 4, w);
    EXPECT_EQ(104, w);
    EXPECT_EQ(client.bottom, h);
    DestroyWindow(window);
    EXPECT_EQ(0, image.Grab(nullptr));
}

TEST(BmpTest, PrintChecksItsRectangle)
{
    BMP image;
    MakeTile(image);
    TestCanvas canvas(4, 4, RGB(9, 9, 9));
    EXPECT_EQ(1, image.Print(canvas.Dc(), 0, 0, 0, 10));
    EXPECT_EQ(RGB(9, 9, 9), canvas.Pixel(0, 0));
    EXPECT_EQ(1, image.Print(canvas.Dc(), 1, 1, 1, 1));
    EXPECT_EQ(White, canvas.Pixel(0, 0));
    EXPECT_EQ(RGB(9, 9, 9), canvas.Pixel(1, 1));
    EXPECT_EQ(1, image.Print(canvas.Dc()));
    EXPECT_EQ(Red, canvas.Pixel(0, 0));
    EXPECT_EQ(Green, canvas.Pixel(1, 0));
}

TEST(BmpTest, EmptyObject)
{
    BMP* image = new BMP;
    int w = 5, h = 5, bpp = 5;
    EXPECT_EQ(0, image->Active());
    EXPECT_EQ(0, image->GetWH(w, h));
    EXPECT_EQ(0, w);
    EXPECT_EQ(0, image->GetBPP(bpp));
    EXPECT_EQ(nullptr, image->CreateDIB());
    image->New(3, 3, 8);
    EXPECT_NE(0, image->Active());
    image->Clear();
    EXPECT_EQ(0, image->Active());
    delete image;
}

}  // namespace
