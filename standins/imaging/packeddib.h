// Layout of a packed DIB (header, colour table, pixel rows in one block), read from bytes
// that may come from anywhere: every size is checked against the block before it is used.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

struct PackedDibLayout {
    const BITMAPINFOHEADER* header;
    int width;
    int height;          // rows, always positive
    bool bottomUp;       // a negative header height stores the rows top-down
    int bitsPerPixel;
    DWORD compression;
    size_t colourCount;  // RGBQUAD entries that describe pixel values (0 above 8 bits)
    size_t tableBytes;   // everything between the header and the pixels (entries and masks)
    size_t rowBytes;
    size_t imageBytes;   // from the row rule; the stored size for run-length data
    size_t pixelOffset;  // from the start of the block
};

// Rows are padded to 32 bits.
size_t DibRowBytes(int width, int bitsPerPixel);

// 2, 16 or 256 for 1, 4 or 8 bits; 0 above.
size_t DibMaxColours(int bitsPerPixel);

// Reads the header at `dib` (`bytes` long). With `pixelsFollow`, the table and pixels must
// also lie inside the block. False for anything this system cannot take: a core header, a
// depth other than 1, 4, 8, 16, 24 or 32, a colour count above what the depth can index,
// masks on a depth that has none, run-length data on the wrong depth, or a short block.
bool ReadPackedDibLayout(const void* dib, size_t bytes, bool pixelsFollow, PackedDibLayout* out);
