// DIB functions: creation and measures, .BMP files (crafted headers included), painting,
// conversions, error messages and banded printing into a memory DC.
#include "qxdib.h"

#include "test_canvas.h"
#include "dialog_answerer.h"
#include "scratch_dir.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

const COLORREF Red = RGB(255, 0, 0), Green = RGB(0, 255, 0), Blue = RGB(0, 0, 255), White = RGB(255, 255, 255);

TEST(DibTest, CreateRoundsTheDepth)
{
    const struct { WORD asked; WORD made; WORD entries; } cases[] = {
        {0, 1, 2}, {1, 1, 2}, {2, 4, 16}, {4, 4, 16}, {5, 8, 256}, {8, 8, 256}, {16, 24, 0}, {24, 24, 0}, {32, 4, 16},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.asked);
        HANDLE dib = _CreateDIB(10, 10, c.asked);
        ASSERT_NE(nullptr, dib);
        auto* bytes = static_cast<LPSTR>(GlobalLock(dib));
        EXPECT_EQ(c.made, reinterpret_cast<BITMAPINFOHEADER*>(bytes)->biBitCount);
        EXPECT_EQ(c.entries, _DIBNumColors(bytes));
        EXPECT_EQ(c.entries * 4, _PaletteSize(bytes));
        EXPECT_EQ(10u, _DIBWidth(bytes));
        EXPECT_EQ(bytes + 40 + c.entries * 4, _FindDIBBits(bytes));
        GlobalUnlock(dib);
        EXPECT_EQ(0, _DestroyDIB(dib));
    }
}

TEST(DibTest, CoreHeaderMeasures)
{
    BITMAPCOREHEADER core{sizeof(BITMAPCOREHEADER), 7, 3, 1, 4};
    auto* bytes = reinterpret_cast<LPSTR>(&core);
    EXPECT_EQ(7u, _DIBWidth(bytes));
    EXPECT_EQ(3u, _DIBHeight(bytes));
    EXPECT_EQ(16, _DIBNumColors(bytes));
    EXPECT_EQ(48, _PaletteSize(bytes));
}

// A 2 x 2 24-bit DIB: red, green / blue, white.
HANDLE Tile()
{
    HANDLE dib = _CreateDIB(2, 2, 24);
    auto* bytes = static_cast<unsigned char*>(GlobalLock(dib));
    unsigned char* bits = bytes + 40;
    const unsigned char bottom[6] = {255, 0, 0, 255, 255, 255}, top[6] = {0, 0, 255, 0, 255, 0};
    memcpy(bits, bottom, 6);
    memcpy(bits + 8, top, 6);
    GlobalUnlock(dib);
    return dib;
}

std::vector<COLORREF> Painted(HANDLE dib, int w, int h)
{
    TestCanvas canvas(w, h, RGB(9, 9, 9));
    RECT to{0, 0, w, h}, from{0, 0, 2, 2};
    EXPECT_TRUE(_PaintDIB(canvas.Dc(), &to, dib, &from, nullptr));
    std::vector<COLORREF> pixels;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            pixels.push_back(canvas.Pixel(x, y));
    return pixels;
}

TEST(DibTest, PaintSameSizeAndStretched)
{
    HANDLE dib = Tile();
    EXPECT_EQ((std::vector<COLORREF>{Red, Green, Blue, White}), Painted(dib, 2, 2));
    const std::vector<COLORREF> big = Painted(dib, 4, 4);
    EXPECT_EQ(Red, big[0]);
    EXPECT_EQ(Green, big[3]);
    EXPECT_EQ(Blue, big[12]);
    EXPECT_EQ(White, big[15]);
    GlobalFree(dib);
}

TEST(DibTest, BitmapRoundTripAndFormatChanges)
{
    HANDLE dib = Tile();
    HBITMAP bitmap = _DIBToBitmap(dib, nullptr);
    ASSERT_NE(nullptr, bitmap);
    HANDLE back = _BitmapToDIB(bitmap, nullptr);
    ASSERT_NE(nullptr, back);
    EXPECT_EQ((std::vector<COLORREF>{Red, Green, Blue, White}), Painted(back, 2, 2));
    TestCanvas canvas(2, 2);
    RECT to{0, 0, 2, 2}, from{0, 0, 2, 2};
    EXPECT_TRUE(_PaintBitmap(canvas.Dc(), &to, bitmap, &from, nullptr));
    EXPECT_EQ(Green, canvas.Pixel(1, 0));

    const struct { WORD bits; DWORD compression; bool made; } cases[] = {
        {24, BI_RGB, true}, {0, BI_RGB, true}, {1, BI_RGB, true}, {24, BI_RLE8, false},
        {0, BI_RLE8, false}, {16, BI_RGB, false}, {1, BI_RLE4, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bits * 100 + c.compression);
        HANDLE changed = _ChangeDIBFormat(dib, c.bits, c.compression);
        EXPECT_EQ(c.made, changed != nullptr);
        if (changed)
            GlobalFree(changed);
    }
    EXPECT_EQ(nullptr, _ChangeBitmapFormat(bitmap, 0, BI_RGB, nullptr));
    DeleteObject(bitmap);
    GlobalFree(back);
    GlobalFree(dib);
}

TEST(DibTest, SaveWritesTheRowRuleAndLoadsBack)
{
    ScratchDir dir;
    HANDLE dib = _CreateDIB(300, 2, 24);
    auto* header = static_cast<BITMAPINFOHEADER*>(GlobalLock(dib));
    header->biSizeImage = 5;  // recomputed on saving
    static_cast<unsigned char*>(static_cast<void*>(header))[40 + 899] = 0x7F;
    GlobalUnlock(dib);
    ASSERT_EQ(0, _SaveDIB(dib, (dir / "wide.bmp").c_str()));
    EXPECT_EQ(14u + 40 + 2 * 900, dir.Read("wide.bmp").size());
    HANDLE loaded = _LoadDIB((dir / "wide.bmp").c_str());
    ASSERT_NE(nullptr, loaded);
    EXPECT_EQ(GlobalSize(dib), GlobalSize(loaded));
    EXPECT_EQ(0, memcmp(GlobalLock(dib), GlobalLock(loaded), 40 + 1800));
    GlobalUnlock(dib);
    GlobalUnlock(loaded);
    GlobalFree(loaded);

    EXPECT_EQ(DIB_ERR_INVALID_HANDLE, _SaveDIB(nullptr, (dir / "x.bmp").c_str()));
    EXPECT_EQ(DIB_ERR_OPEN, _SaveDIB(dib, (dir / "no folder\\x.bmp").c_str()));
    GlobalFree(dib);
}

// A .BMP file: file header, 40-byte header, then `rest` (table and pixels).
std::string BmpFile(LONG width, LONG height, WORD bits, DWORD compression, DWORD used, DWORD sizeImage,
                     const std::string& rest, DWORD offBits = 0, DWORD headerSize = 40, WORD type = 0x4D42)
{
    BITMAPFILEHEADER file{type, static_cast<DWORD>(54 + rest.size()), 0, 0, offBits};
    BITMAPINFOHEADER header{headerSize, width, height, 1, bits, compression, sizeImage, 0, 0, used, 0};
    return std::string(reinterpret_cast<const char*>(&file), 14) + std::string(reinterpret_cast<const char*>(&header), 40)
        + rest;
}

struct LoadCase {
    const char* name;
    std::string file;
    bool loads;
    size_t tableBytes;  // after the 40-byte header
    DWORD coloursUsed;
};

TEST(DibTest, LoadCraftedFiles)
{
    const std::string row8(4, '\1'), table2(8, '\x40'), table256(1024, '\x40');
    const LoadCase cases[] = {
        {"8-bit, colours-used 0: 256 entries", BmpFile(3, 1, 8, BI_RGB, 0, 0, table256 + row8), true, 1024, 256},
        {"8-bit, colours-used 2", BmpFile(3, 1, 8, BI_RGB, 2, 0, table2 + row8), true, 8, 2},
        {"8-bit, colours-used 70000 capped", BmpFile(3, 1, 8, BI_RGB, 70000, 0, table256 + row8), true, 1024, 256},
        {"24-bit: no table", BmpFile(1, 1, 24, BI_RGB, 0, 0, std::string(4, 'x')), true, 0, 0},
        {"32-bit: no 2^32 table", BmpFile(1, 1, 32, BI_RGB, 0, 0, std::string(4, 'x')), true, 0, 0},
        {"16-bit, colours-used 65536 ignored", BmpFile(2, 1, 16, BI_RGB, 65536, 0, std::string(4, 'x')), true, 0, 0},
        {"16-bit bit fields: masks", BmpFile(2, 1, 16, BI_BITFIELDS, 0, 0, std::string(12, 'm') + std::string(4, 'x')), true, 12, 0},
        {"lying size-image", BmpFile(1, 1, 24, BI_RGB, 0, 0x7FFFFFFF, std::string(4, 'x')), true, 0, 0},
        {"core header", BmpFile(1, 1, 24, BI_RGB, 0, 0, std::string(4, 'x'), 0, 12), false, 0, 0},
        {"not BM", BmpFile(1, 1, 24, BI_RGB, 0, 0, std::string(4, 'x'), 0, 40, 0x4D43), false, 0, 0},
        {"pixels cut short", BmpFile(100, 100, 24, BI_RGB, 0, 0, std::string(400, 'x')), false, 0, 0},
        {"table cut short", BmpFile(3, 1, 8, BI_RGB, 0, 0, table2 + row8), false, 0, 0},
        {"huge width", BmpFile(0x7FFFFFFF, 1, 24, BI_RGB, 0, 0, std::string(4, 'x')), false, 0, 0},
        {"pixel offset past the end", BmpFile(1, 1, 24, BI_RGB, 0, 0, std::string(4, 'x'), 5000), false, 0, 0},
        {"run-length size past the end", BmpFile(4, 1, 8, BI_RLE8, 0, 100000, table256 + row8), false, 0, 0},
        {"header only", BmpFile(1, 1, 24, BI_RGB, 0, 0, ""), false, 0, 0},
        {"file header only", std::string("BM") + std::string(12, '\0'), false, 0, 0},
    };
    ScratchDir dir;
    for (const LoadCase& c : cases) {
        SCOPED_TRACE(c.name);
        dir.Write("case.bmp", c.file);
        HANDLE dib = _LoadDIB((dir / "case.bmp").c_str());
        ASSERT_EQ(c.loads, dib != nullptr);
        if (!dib)
            continue;
        auto* header = static_cast<BITMAPINFOHEADER*>(GlobalLock(dib));
        EXPECT_EQ(40u, header->biSize);
        EXPECT_EQ(c.coloursUsed, header->biClrUsed);
        EXPECT_EQ(40 + c.tableBytes + header->biSizeImage, GlobalSize(dib));
        GlobalUnlock(dib);
        GlobalFree(dib);
    }
}

TEST(DibTest, MissingFileShowsFileNotFound)
{
    DialogAnswerer answerer(IDOK);
    EXPECT_EQ(nullptr, _LoadDIB("C:\\no such folder\\missing.bmp"));
    ASSERT_EQ(1u, answerer.Shown().size());
    EXPECT_NE(std::string::npos, answerer.Shown()[0].text.find("File Not Found!"));
}

TEST(DibTest, ErrorMessages)
{
    const struct { int code; const char* text; } cases[] = {
        {0, "Not a Windows DIB file!"}, {9, "StretchDIBits() failed!"}, {21, "General Error on call to DIB function"},
        {22, "Undefined Error!"}, {-1, "Undefined Error!"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        DialogAnswerer answerer(IDOK);
        EXPECT_EQ(IDOK, _DIBError(c.code));
        ASSERT_EQ(1u, answerer.Shown().size());
        EXPECT_EQ(c.text, answerer.Shown()[0].text);
    }
}

// 4 x 4 quadrants: red, green / blue, white.
HANDLE Quadrants()
{
    HANDLE dib = _CreateDIB(4, 4, 24);
    auto* bits = static_cast<unsigned char*>(GlobalLock(dib)) + 40;
    for (int stored = 0; stored < 4; ++stored)
        for (int x = 0; x < 4; ++x) {
            const int y = 3 - stored;
            const COLORREF c = y < 2 ? (x < 2 ? Red : Green) : (x < 2 ? Blue : White);
            unsigned char* p = bits + stored * 12 + x * 3;
            p[0] = GetBValue(c);
            p[1] = GetGValue(c);
            p[2] = GetRValue(c);
        }
    GlobalUnlock(dib);
    return dib;
}

COLORREF Expected(int x, int y, int pageSide)
{
    const bool left = x < pageSide / 2, upper = y < pageSide / 2;
    return upper ? (left ? Red : Green) : (left ? Blue : White);
}

TEST(DibTest, PrintInBandsAndWithout)
{
    for (int bandRows : {0, 2, 4, 8}) {
        SCOPED_TRACE(bandRows);
        HANDLE dib = Quadrants();
        TestCanvas canvas(8, 8, RGB(9, 9, 9));
        ASSERT_EQ(0, _PrintDIBToDC(dib, canvas.Dc(), 8, 8, DIB_PRINT_BEST, 1, 1, "Quadrants", bandRows));
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                ASSERT_EQ(Expected(x, y, 8), canvas.Pixel(x, y)) << x << "," << y;
        GlobalFree(dib);
    }
}

TEST(DibTest, PrintPageKinds)
{
    HANDLE dib = Quadrants();
    TestCanvas canvas(16, 16, RGB(9, 9, 9));
    // Scaled: 4 x 2 by 4 x 3 device pixels.
    ASSERT_EQ(0, _PrintDIBToDC(dib, canvas.Dc(), 16, 16, DIB_PRINT_SCALED, 2, 3, "t", 3));
    EXPECT_EQ(Red, canvas.Pixel(0, 0));
    EXPECT_EQ(Green, canvas.Pixel(7, 0));
    EXPECT_EQ(White, canvas.Pixel(7, 11));
    EXPECT_EQ(RGB(9, 9, 9), canvas.Pixel(8, 0));
    EXPECT_EQ(RGB(9, 9, 9), canvas.Pixel(0, 12));
    // Page width: 16 wide and, at equal resolutions, 16 high.
    canvas.Fill(RGB(9, 9, 9));
    ASSERT_EQ(0, _PrintDIBToDC(dib, canvas.Dc(), 16, 8, DIB_PRINT_PAGE_WIDTH, 1, 1, "t", 0));
    EXPECT_EQ(White, canvas.Pixel(15, 15));
    GlobalFree(dib);
}

TEST(DibTest, CancelStopsBeforeTheNextBand)
{
    HANDLE dib = Quadrants();
    TestCanvas canvas(8, 8, RGB(9, 9, 9));
    DialogAnswerer answerer(IDCANCEL);
    EXPECT_EQ(0, _PrintDIBToDC(dib, canvas.Dc(), 8, 8, DIB_PRINT_BEST, 1, 1, "A long title that goes past the cut", 2));
    ASSERT_EQ(1u, answerer.Shown().size());
    EXPECT_EQ("Imprimer une image", answerer.Shown()[0].caption);
    EXPECT_NE(std::string::npos, answerer.Shown()[0].text.find("Impression en cours"));
    EXPECT_EQ(RGB(9, 9, 9), canvas.Pixel(0, 0));
    EXPECT_EQ(RGB(9, 9, 9), canvas.Pixel(7, 7));
    GlobalFree(dib);
}

TEST(DibTest, PrintRefusals)
{
    EXPECT_EQ(DIB_ERR_INVALID_HANDLE, _PrintDIB(nullptr, 1, 1, 1, "t"));
    EXPECT_EQ(DIB_ERR_INVALID_HANDLE, _PrintWindow(nullptr, 1, 1, 1, 1, "t"));
    RECT empty{5, 5, 5, 5};
    EXPECT_EQ(DIB_ERR_GENERAL, _PrintScreen(&empty, 1, 1, 1, "t"));
    EXPECT_EQ(nullptr, _CopyWindowToBitmap(GetDesktopWindow(), 3));
}

}  // namespace
