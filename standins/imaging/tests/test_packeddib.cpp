// Crafted packed DIB headers: what the layout reader takes and what it refuses.
#include "packeddib.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct HeaderCase {
    const char* name;
    DWORD headerSize;
    LONG width;
    LONG height;
    WORD bits;
    DWORD compression;
    DWORD coloursUsed;
    DWORD sizeImage;
    size_t blockBytes;  // 0: exactly what the valid layout needs
    bool accepted;
    size_t tableBytes;
    size_t imageBytes;
};

std::vector<uint8_t> Block(const HeaderCase& c)
{
    std::vector<uint8_t> block(c.blockBytes ? c.blockBytes : 40 + c.tableBytes + c.imageBytes, 0);
    BITMAPINFOHEADER header{};
    header.biSize = c.headerSize;
    header.biWidth = c.width;
    header.biHeight = c.height;
    header.biPlanes = 1;
    header.biBitCount = c.bits;
    header.biCompression = c.compression;
    header.biClrUsed = c.coloursUsed;
    header.biSizeImage = c.sizeImage;
    memcpy(block.data(), &header, std::min(block.size(), sizeof header));
    return block;
}

const HeaderCase Cases[] = {
    {"8-bit, colours-used 0: full table", 40, 3, 2, 8, BI_RGB, 0, 0, 0, true, 1024, 8},
    {"8-bit, colours-used 2: short table", 40, 3, 2, 8, BI_RGB, 2, 0, 0, true, 8, 8},
    {"8-bit, colours-used above 256", 40, 3, 2, 8, BI_RGB, 300, 0, 4096, false, 0, 0},
    {"4-bit, colours-used 17", 40, 3, 2, 4, BI_RGB, 17, 0, 4096, false, 0, 0},
    {"24-bit: no table", 40, 3, 2, 24, BI_RGB, 0, 0, 0, true, 0, 24},
    {"24-bit, huge colours-used", 40, 3, 2, 24, BI_RGB, 0x40000000, 0, 4096, false, 0, 0},
    {"16-bit bit fields: three masks", 40, 3, 2, 16, BI_BITFIELDS, 0, 0, 0, true, 12, 16},
    {"32-bit bit fields: three masks", 40, 3, 2, 32, BI_BITFIELDS, 0, 0, 0, true, 12, 24},
    {"24-bit with bit fields", 40, 3, 2, 24, BI_BITFIELDS, 0, 0, 4096, false, 0, 0},
    {"core header", 12, 3, 2, 8, BI_RGB, 0, 0, 4096, false, 0, 0},
    {"header larger than the block", 124, 3, 2, 24, BI_RGB, 0, 0, 100, false, 0, 0},
    {"pixels cut short", 40, 100, 100, 24, BI_RGB, 0, 0, 40 + 1000, false, 0, 0},
    {"lying size-image ignored: rows rule", 40, 3, 2, 24, BI_RGB, 0, 0xFFFFFF, 0, true, 0, 24},
    {"width beyond any image", 40, 0x7FFFFFFF, 1, 24, BI_RGB, 0, 0, 4096, false, 0, 0},
    {"negative width", 40, -5, 1, 24, BI_RGB, 0, 0, 4096, false, 0, 0},
    {"zero height", 40, 5, 0, 24, BI_RGB, 0, 0, 4096, false, 0, 0},
    {"depth 2", 40, 5, 1, 2, BI_RGB, 0, 0, 4096, false, 0, 0},
    {"run-length 8 without size", 40, 5, 1, 8, BI_RLE8, 0, 0, 4096, false, 0, 0},
    {"run-length 8 longer than the block", 40, 5, 1, 8, BI_RLE8, 0, 5000, 4096, false, 0, 0},
    {"top-down 24-bit", 40, 3, -2, 24, BI_RGB, 0, 0, 0, true, 0, 24},
};

TEST(PackedDibLayoutTest, CraftedHeaders)
{
    for (const HeaderCase& c : Cases) {
        SCOPED_TRACE(c.name);
        const std::vector<uint8_t> block = Block(c);
        PackedDibLayout layout{};
        ASSERT_EQ(c.accepted, ReadPackedDibLayout(block.data(), block.size(), true, &layout));
        if (!c.accepted)
            continue;
        EXPECT_EQ(c.tableBytes, layout.tableBytes);
        EXPECT_EQ(c.imageBytes, layout.imageBytes);
        EXPECT_EQ(40 + c.tableBytes, layout.pixelOffset);
        EXPECT_EQ(2, layout.height);
        EXPECT_EQ(c.height > 0, layout.bottomUp);
    }
}

TEST(PackedDibLayoutTest, RowRule)
{
    EXPECT_EQ(4u, DibRowBytes(1, 1));
    EXPECT_EQ(4u, DibRowBytes(32, 1));
    EXPECT_EQ(8u, DibRowBytes(33, 1));
    EXPECT_EQ(12u, DibRowBytes(3, 24));
    EXPECT_EQ(900u, DibRowBytes(300, 24));
}

}  // namespace
