// BMP: packed DIBs, GDI bitmaps, bitmap resources, window grabs and the pixel lock.
#include "qxbmp.h"

#include "bmp_result.h"
#include "imagebitmap.h"
#include "imagegdi.h"
#include "imageresult.h"

#include <algorithm>
#include <cstring>

namespace {

// A resource handed over without its size is bounded by the memory that can be read from
// its address on, so a lying header cannot make the read run off the mapping.
size_t ReadableBytesFrom(const void* address)
{
    MEMORY_BASIC_INFORMATION region{};
    if (!VirtualQuery(address, &region, sizeof region) || region.State != MEM_COMMIT
        || (region.Protect & (PAGE_NOACCESS | PAGE_GUARD)))
        return 0;
    const auto* end = static_cast<const char*>(region.BaseAddress) + region.RegionSize;
    return static_cast<size_t>(end - static_cast<const char*>(address));
}

}  // namespace

int BMP::New(int w, int h, int bpp)
{
    if (bitmap)
        bitmap->Allocate(w, h, bpp);
    return 1;
}

int BMP::Paste(HGLOBAL dib)
{
    const void* bytes = dib && bitmap ? GlobalLock(dib) : nullptr;
    if (!bytes)
        return 1;
    const int result = RecordImagingResult(bitmap->FromPackedDIB(bytes, GlobalSize(dib)));
    GlobalUnlock(dib);
    return result == IMAGE_SUCCESS ? 0 : 1;
}

HGLOBAL BMP::CreateDIB()
{
    return Active() ? bitmap->ToPackedDIB() : nullptr;
}

HBITMAP BMP::CreateHBITMAP()
{
    if (!Active())
        return nullptr;
    HDC screen = GetDC(nullptr);
    HBITMAP result = ImageToBitmap(*bitmap, screen);
    ReleaseDC(nullptr, screen);
    return result;
}

int BMP::NewFromBitmap(HDC dc, HBITMAP source)
{
    if (bitmap)
        RecordImagingResult(ImageFromBitmap(bitmap, dc, source));
    return 1;
}

int BMP::LoadResourceDIB(HINSTANCE module, const char* name)
{
    HRSRC found = bitmap && name ? FindResourceA(module, name, MAKEINTRESOURCEA(2)) : nullptr;  // RT_BITMAP
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes)
        return 0;
    const int result = RecordImagingResult(bitmap->FromPackedDIB(bytes, SizeofResource(module, found)));
    FreeResource(loaded);
    return result == IMAGE_SUCCESS;
}

int BMP::LoadFromHResource(HGLOBAL resource)
{
    const void* bytes = resource && bitmap ? LockResource(resource) : nullptr;
    if (!bytes)
        return 0;
    return RecordImagingResult(bitmap->FromPackedDIB(bytes, ReadableBytesFrom(bytes))) == IMAGE_SUCCESS;
}

int BMP::LoadBmpFileFromHResource(HGLOBAL resource)
{
    const auto* bytes = resource && bitmap ? static_cast<const char*>(LockResource(resource)) : nullptr;
    const size_t readable = bytes ? ReadableBytesFrom(bytes) : 0;
    if (readable <= sizeof(BITMAPFILEHEADER))
        return 0;
    return RecordImagingResult(bitmap->FromPackedDIB(bytes + sizeof(BITMAPFILEHEADER),
                                                     readable - sizeof(BITMAPFILEHEADER))) == IMAGE_SUCCESS;
}

int BMP::Grab(HWND window)
{
    RECT client{};
    if (!bitmap || !window || !GetClientRect(window, &client))
        return 0;
    const int width = (client.right + 3) & ~3;
    const int height = client.bottom;
    HDC source = GetDC(window);
    HDC memory = source ? CreateCompatibleDC(source) : nullptr;
    HBITMAP copy = memory && width > 0 && height > 0 ? CreateCompatibleBitmap(source, width, height) : nullptr;
    int result = 0;
    if (copy) {
        HGDIOBJ old = SelectObject(memory, copy);
        BitBlt(memory, 0, 0, width, height, source, 0, 0, SRCCOPY);
        SelectObject(memory, old);
        result = RecordImagingResult(ImageFromBitmap(bitmap, source, copy)) == IMAGE_SUCCESS;
        DeleteObject(copy);
    }
    if (memory)
        DeleteDC(memory);
    if (source)
        ReleaseDC(window, source);
    return result;
}

void BMP::SetPalette(int count, RGBQUAD* entries)
{
    if (!Active() || !entries || count <= 0)
        return;
    if (lockedHeader) {
        // Only the entries the locked DIB has: the table is as long as the image's palette.
        const size_t room = bitmap->Palette().size();
        std::memcpy(lockedHeader + 1, entries, std::min(static_cast<size_t>(count), room) * sizeof(RGBQUAD));
        return;
    }
    const int used = std::min(count, 256);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(LOGPALETTE) + used * sizeof(PALETTEENTRY));
    auto* logical = block ? static_cast<LOGPALETTE*>(GlobalLock(block)) : nullptr;
    if (logical) {
        logical->palVersion = 0x300;
        logical->palNumEntries = static_cast<WORD>(used);
        for (int i = 0; i < used; ++i)
            logical->palPalEntry[i] = PALETTEENTRY{entries[i].rgbRed, entries[i].rgbGreen, entries[i].rgbBlue, 0};
        HPALETTE palette = CreatePalette(logical);
        if (palette) {
            bitmap->SetPalette(palette);
            DeleteObject(palette);
        }
        GlobalUnlock(block);
    }
    if (block)
        GlobalFree(block);
}

void* BMP::Lock()
{
    if (!Active())
        return nullptr;
    if (lockDepth == 0) {
        lockedDIB = CreateDIB();
        lockedHeader = lockedDIB ? static_cast<BITMAPINFOHEADER*>(GlobalLock(lockedDIB)) : nullptr;
        if (!lockedHeader) {
            if (lockedDIB)
                GlobalFree(lockedDIB);
            lockedDIB = nullptr;
            return nullptr;
        }
        lockedBits = reinterpret_cast<char*>(lockedHeader) + lockedHeader->biSize
            + bitmap->Palette().size() * sizeof(RGBQUAD);
    }
    --lockDepth;
    return lockedBits;
}

int BMP::Unlock()
{
    if (!Active() || lockDepth == 0)
        return 0;
    if (++lockDepth < 0)
        return 1;
    GlobalUnlock(lockedDIB);
    Paste(lockedDIB);
    GlobalFree(lockedDIB);
    lockedDIB = nullptr;
    lockedHeader = nullptr;
    lockedBits = nullptr;
    return 0;
}
