// Writing and reading every format of the imaging component, checked on decoded pixels.
#include "imagefile.h"
#include "imagegdi.h"
#include "imageresult.h"
#include "scratch_dir.h"
#include "test_canvas.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

const COLORREF Quadrants[4] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(255, 255, 255)};

// 8 x 8: red top-left, green top-right, blue bottom-left, white bottom-right.
void MakeQuadrants(ImageBitmap* image)
{
    image->Allocate(8, 8, 24);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            const COLORREF c = Quadrants[(y / 4) * 2 + x / 4];
            image->SetRawPixel(x, y, (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c));
        }
}

bool Near(COLORREF a, COLORREF b, int tolerance)
{
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance
        && std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

int LoadFile(ImageBitmap* image, const std::string& name)
{
    HANDLE file = CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    const long length = static_cast<long>(GetFileSize(file, nullptr));
    ImageFile reader;
    reader.SetBitmap(image);
    const int result = reader.Load(file, 0, length, 24);
    CloseHandle(file);
    return result;
}

struct FormatCase {
    const char* name;
    int format;
    int bits;
    int tolerance;  // lossy formats move colours a little
};

const FormatCase Formats[] = {
    {"bmp", IMAGE_FORMAT_BMP, 24, 0},   {"png", IMAGE_FORMAT_PNG, 24, 0},  {"jpg", IMAGE_FORMAT_JPEG, 24, 48},
    {"gif", IMAGE_FORMAT_GIF, 8, 0},    {"tif", IMAGE_FORMAT_TIFF, 24, 0}, {"bmp8", IMAGE_FORMAT_BMP, 8, 0},
    {"png8", IMAGE_FORMAT_PNG, 8, 0},
    // JPEG has no palette form: a small depth asked of it still writes a colour image.
    {"jpg2", IMAGE_FORMAT_JPEG, 2, 48},
};

TEST(ImageFileTest, EachFormatWritesAndReadsBack)
{
    ScratchDir dir;
    for (const FormatCase& c : Formats) {
        SCOPED_TRACE(c.name);
        ImageBitmap image;
        MakeQuadrants(&image);
        ImageFile file;
        file.SetBitmap(&image);
        file.SetFileName((dir / (std::string("picture.") + c.name)).c_str());
        ASSERT_EQ(IMAGE_SUCCESS, file.Save(c.format, c.bits));

        ImageBitmap decoded;
        ASSERT_EQ(IMAGE_SUCCESS, LoadFile(&decoded, dir / (std::string("picture.") + c.name)));
        ASSERT_EQ(8, decoded.Width());
        ASSERT_EQ(8, decoded.Height());
        EXPECT_EQ(24, decoded.BitsPerPixel());
        TestCanvas canvas(8, 8, RGB(1, 2, 3));
        ASSERT_EQ(IMAGE_SUCCESS, PaintImage(canvas.Dc(), decoded, SRCCOPY));
        const int probes[4][2] = {{1, 1}, {6, 1}, {1, 6}, {6, 6}};
        for (int q = 0; q < 4; ++q)
            EXPECT_TRUE(Near(Quadrants[q], canvas.Pixel(probes[q][0], probes[q][1]), c.tolerance))
                << "quadrant " << q << " got " << std::hex << canvas.Pixel(probes[q][0], probes[q][1]);
    }
}

// A 2 x 2 icon with a 32-bit image: top-left red, top-right green, bottom-left blue,
// bottom-right white.
std::string TinyIcon()
{
    std::string bytes;
    auto put16 = [&](int v) { bytes += static_cast<char>(v & 0xFF); bytes += static_cast<char>((v >> 8) & 0xFF); };
    auto put32 = [&](DWORD v) { put16(static_cast<int>(v & 0xFFFF)); put16(static_cast<int>(v >> 16)); };
    put16(0); put16(1); put16(1);                         // directory: icon, one image
    bytes += '\x02'; bytes += '\x02'; bytes += '\0'; bytes += '\0';
    put16(1); put16(32); put32(40 + 16 + 8); put32(22);  // planes, depth, size, offset
    put32(40); put32(2); put32(4); put16(1); put16(32);  // header: height counts both masks
    for (int i = 0; i < 6; ++i) put32(0);
    put32(0xFF0000FF); put32(0xFFFFFFFF);                  // bottom row: blue, white
    put32(0xFFFF0000); put32(0xFF00FF00);                  // top row: red, green
    put32(0); put32(0);                                    // AND mask rows, all opaque
    return bytes;
}

TEST(ImageFileTest, IconsDecode)
{
    ScratchDir dir;
    dir.Write("tiny.ico", TinyIcon());
    ImageBitmap decoded;
    ASSERT_EQ(IMAGE_SUCCESS, LoadFile(&decoded, dir / "tiny.ico"));
    EXPECT_EQ(RGB(255, 0, 0), decoded.PixelColor(0, 0));
    EXPECT_EQ(RGB(0, 255, 0), decoded.PixelColor(1, 0));
    EXPECT_EQ(RGB(0, 0, 255), decoded.PixelColor(0, 1));
    EXPECT_EQ(RGB(255, 255, 255), decoded.PixelColor(1, 1));
}

// Icons whose directory or picture header lies are refused before they are decoded: the
// header's width comes from a damaged file, the entry's size and place from a cut one.
TEST(ImageFileTest, IconsWithLyingHeadersAreRefused)
{
    struct Damage {
        const char* what;
        size_t at;
        std::string bytes;
    };
    const Damage damages[] = {
        {"picture width of -2147483648", 22 + 4, std::string("\x00\x00\x00\x80", 4)},
        {"picture width of 0", 22 + 4, std::string(4, '\0')},
        {"picture height of 0", 22 + 8, std::string(4, '\0')},
        {"entry past the end", 18, std::string("\xF0\x00\x00\x00", 4)},
        {"entry larger than the file", 14, std::string("\x00\x01\x00\x00", 4)},
        {"no entry", 4, std::string(2, '\0')},
    };
    for (const Damage& damage : damages) {
        std::string icon = TinyIcon();
        icon.replace(damage.at, damage.bytes.size(), damage.bytes);
        ImageBitmap image;
        MakeQuadrants(&image);
        ImageFile file;
        file.SetBitmap(&image);
        EXPECT_EQ(IMAGE_ERROR_BAD_DATA, file.LoadFromMemory(icon.data(), icon.size(), 24)) << damage.what;
        EXPECT_EQ(8, image.Width()) << damage.what;
    }
}

TEST(ImageFileTest, FormatsWithoutEncoderAreReported)
{
    ScratchDir dir;
    ImageBitmap image;
    MakeQuadrants(&image);
    ImageFile file;
    file.SetBitmap(&image);
    file.SetFileName((dir / "picture.ico").c_str());
    const int expected = ImageFile::CanSave(IMAGE_FORMAT_ICO) ? IMAGE_SUCCESS : IMAGE_ERROR_NO_ENCODER;
    EXPECT_EQ(expected, file.Save(IMAGE_FORMAT_ICO, 24));
    EXPECT_STRNE("Unknown imaging error", ImageResultText(IMAGE_ERROR_NO_ENCODER));
    EXPECT_EQ(IMAGE_ERROR_INVALID_ARGUMENT, file.Save(99, 24));
}

TEST(ImageFileTest, UnwritableFileIsReported)
{
    ImageBitmap image;
    MakeQuadrants(&image);
    ImageFile file;
    file.SetBitmap(&image);
    file.SetFileName("Z:\\no such folder here\\picture.png");
    EXPECT_EQ(IMAGE_ERROR_FILE_WRITE, file.Save(IMAGE_FORMAT_PNG, 24));
}

TEST(ImageFileTest, UnknownBytesAreNoImage)
{
    ImageBitmap image;
    MakeQuadrants(&image);
    ImageFile file;
    file.SetBitmap(&image);
    const char junk[] = "this is not a picture at all";
    EXPECT_EQ(IMAGE_ERROR_NO_DECODER, file.LoadFromMemory(junk, sizeof junk, 24));
    EXPECT_EQ(8, image.Width());
}

}  // namespace
