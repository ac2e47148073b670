// The engine's clipboard formats on Wine's own clipboard: the private format before text, line
// ends both ways, a bitmap pasted as a metafile picture, and damaged data from other programs.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "block_text.h"
#include "clipboard_turn.h"
#include "rte_clipboard.h"
#include "rte_object_queries.h"
#include "transfer_fixture.h"

namespace {

class ClipboardTest : public TransferTest {
protected:
    void SetUp() override
    {
        TransferTest::SetUp();
        owner_ = CreateWindowExA(0, "STATIC", "owner", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
        format_ = RegisterClipboardFormatA("RTEDOC");
        ASSERT_TRUE(OpenClipboard(owner_));
        EmptyClipboard();
    }
    void TearDown() override
    {
        CloseClipboard();
        DestroyWindow(owner_);
        TransferTest::TearDown();
    }

    // Puts exactly these bytes, without a terminating 0 of their own.
    static void PutRaw(UINT format, const std::string& bytes)
    {
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
        std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
        GlobalUnlock(block);
        ASSERT_NE(nullptr, SetClipboardData(format, block));
    }

    static std::string Get(UINT format)
    {
        HANDLE data = GetClipboardData(format);
        if (!data)
            return "<none>";
        std::string bytes(static_cast<const char*>(GlobalLock(data)), GlobalSize(data));
        GlobalUnlock(data);
        return bytes;
    }

    RteHandle Paste() { return Own(RteDocFromClipboard(&env_, format_, nullptr)); }

    ClipboardTurn turn_;
    HWND owner_ = nullptr;
    UINT format_ = 0;
};

TEST_F(ClipboardTest, CopiedTextEndsItsLinesWithCarriageReturnAndLineFeed)
{
    RteHandle doc = Text("one\rtwo\r\nthree\r");
    EXPECT_EQ(1, RtePutClipboard(doc, format_, RTE_PUT_TEXT));
    std::string text = Get(CF_TEXT);
    EXPECT_EQ(std::string("one\r\ntwo\r\nthree\r\n"), text.substr(0, text.find('\0')));
    EXPECT_FALSE(IsClipboardFormatAvailable(format_)) << "text only";
}

TEST_F(ClipboardTest, PastedTextLosesItsLineFeedsAndIsReadWithinItsBlock)
{
    struct Case {
        std::string put;
        std::string pasted;
    };
    const Case cases[] = {
        {std::string("a\r\nb\0", 5), "a\rb"},
        {std::string("first\0second", 12), "first"},
        {"no terminating zero", "no terminating zero"},
        {"\n\n", ""},
    };
    for (const Case& c : cases) {
        EmptyClipboard();
        PutRaw(CF_TEXT, c.put);
        RteHandle doc = Paste();
        ASSERT_NE(nullptr, doc);
        std::string text = DocumentText(doc);
        // The system may take the last byte of an unterminated block as its 0: nothing past the
        // block is ever read.
        EXPECT_EQ(text, c.pasted.substr(0, text.size()));
        EXPECT_GE(text.size() + 1, c.pasted.size()) << c.pasted;
        EXPECT_EQ(std::string::npos, text.find('\n'));
    }
}

TEST_F(ClipboardTest, ThePrivateFormatComesFirstAndWinsOverText)
{
    RteHandle doc = Text("plain [bold] text");
    SetBold(doc, 7, 11);
    EXPECT_EQ(1, RtePutClipboard(doc, format_, RTE_PUT_ALL));
    EXPECT_EQ(format_, EnumClipboardFormats(0)) << "put first";
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
    EXPECT_EQ(1, RteClipboardHas(format_));
    RteHandle pasted = Paste();
    ASSERT_NE(nullptr, pasted);
    EXPECT_EQ("plain [[bold]] text", Marked(pasted)) << "the styles came with the private format";
}

TEST_F(ClipboardTest, ATruncatedPrivateStreamIsRefused)
{
    RteHandle doc = Text("a text long enough to fill several records");
    SetBold(doc, 2, 6);
    ASSERT_EQ(1, RtePutClipboard(doc, format_, RTE_PUT_PRIVATE));
    std::string whole = Get(format_);
    ASSERT_GT(whole.size(), 40u);
    for (size_t keep : {size_t{3}, whole.size() / 3, whole.size() / 2, whole.size() - 3}) {
        EmptyClipboard();
        PutRaw(format_, whole.substr(0, keep));
        EXPECT_EQ(nullptr, Paste()) << keep << " of " << whole.size() << " bytes";
    }
    EmptyClipboard();
    PutRaw(format_, whole);
    EXPECT_NE(nullptr, Paste()) << "the whole stream is read";
    EXPECT_EQ(0, LockedHandles());
}

// Pixels of a picture played into a DIB of the given size, as a colour per pixel.
std::vector<uint32_t> Played(const METAFILEPICT& picture, int width, int height)
{
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, dib);
    PatBlt(dc, 0, 0, width, height, WHITENESS);
    SetMapMode(dc, MM_ANISOTROPIC);
    SetViewportExtEx(dc, width, height, nullptr);
    PlayMetaFile(dc, picture.hMF);
    GdiFlush();
    std::vector<uint32_t> pixels(static_cast<const uint32_t*>(bits), static_cast<const uint32_t*>(bits) + width * height);
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(dib);
    return pixels;
}

TEST_F(ClipboardTest, ABitmapIsPastedAsAMetafilePictureOfItsSize)
{
    constexpr int kWidth = 40, kHeight = 30;
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, kWidth, kHeight);
    HDC dc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    RECT all = {0, 0, kWidth, kHeight};
    FillRect(dc, &all, red);
    PatBlt(dc, 0, 0, kWidth / 2, kHeight, BLACKNESS);
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(red);
    ASSERT_NE(nullptr, SetClipboardData(CF_BITMAP, bitmap));

    RteHandle doc = Paste();
    ASSERT_NE(nullptr, doc);
    EXPECT_EQ(2, RteTextLength(doc));
    RteRange whole = {0, 2};
    ASSERT_EQ(1, RteCountObjects(doc, &whole));
    RteObject object;
    int32_t offset = 0, style = 0;
    RteGetElement(RteNthObject(doc, &whole, 1, &offset, &style), 0, &object);
    EXPECT_EQ(RTE_KIND_METAFILE, RteObjectKindOf(object));
    EXPECT_EQ(MM_ANISOTROPIC, object.picture.mappingMode);
    EXPECT_EQ(kWidth, object.width);
    EXPECT_EQ(kHeight, object.height);

    // Copied back, it goes as the picture only, with its extents in 0.01 mm.
    EmptyClipboard();
    EXPECT_EQ(1, RtePutClipboard(doc, format_, RTE_PUT_ALL));
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
    std::string block = Get(CF_METAFILEPICT);
    ASSERT_EQ(sizeof(METAFILEPICT), block.size());
    METAFILEPICT picture;
    std::memcpy(&picture, block.data(), sizeof picture);
    EXPECT_EQ(MM_ANISOTROPIC, picture.mm);
    EXPECT_EQ(RtePixelsToExtent(kWidth), RtePixelsToExtent(RteExtentToPixels(MM_ANISOTROPIC, picture.xExt)));
    std::vector<uint32_t> pixels = Played(picture, kWidth, kHeight);
    EXPECT_EQ(0x000000u, pixels[kHeight / 2 * kWidth + 5] & 0xFFFFFF) << "the black half";
    EXPECT_EQ(0xFF0000u, pixels[kHeight / 2 * kWidth + kWidth - 5] & 0xFFFFFF) << "the red half";

    // Pasted again, the private stream brings the picture back with its object record.
    RteHandle again = Paste();
    ASSERT_NE(nullptr, again);
    ASSERT_EQ(1, RteCountObjects(again, &whole));
    RteGetElement(RteNthObject(again, &whole, 1, &offset, &style), 0, &object);
    EXPECT_EQ(RTE_KIND_METAFILE, RteObjectKindOf(object));
    EXPECT_EQ(kWidth, object.width);
}

TEST_F(ClipboardTest, ExtentsAreHundredthsOfMillimetresInTheIsotropicModes)
{
    HDC screen = GetDC(nullptr);
    int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(2540 * 50 / dpi, RtePixelsToExtent(50));
    EXPECT_EQ(dpi, RteExtentToPixels(MM_ANISOTROPIC, 2540));
    EXPECT_EQ(dpi, RteExtentToPixels(MM_ISOTROPIC, -2540)) << "by its magnitude";
    EXPECT_EQ(0, RteExtentToPixels(MM_ANISOTROPIC, 0));
    EXPECT_EQ(123, RteExtentToPixels(MM_TEXT, 123));
}

TEST_F(ClipboardTest, NothingUsableGivesNoDocument)
{
    EXPECT_EQ(0, RteClipboardHas(format_));
    EXPECT_EQ(nullptr, Paste());
}

}  // namespace
