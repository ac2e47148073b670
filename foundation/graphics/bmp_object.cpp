// BMP: construction, state, rectangles and playback transparency.
#include "qxbmp.h"

#include "bmp_result.h"
#include "imagebitmap.h"
#include "imagefile.h"
#include "imageresult.h"

#include <new>

namespace {

int lastResult = IMAGE_SUCCESS;

}  // namespace

int RecordImagingResult(int code)
{
    lastResult = code;
    return code;
}

int BMP::LastLibraryResult()
{
    return lastResult;
}

BMP::BMP()
    : lockDepth(0), lockedBits(nullptr), lockedDIB(nullptr), lockedHeader(nullptr),
      file(new (std::nothrow) ImageFile), bitmap(new (std::nothrow) ImageBitmap), angle(0)
{
    if (file)
        file->SetBitmap(bitmap);
}

BMP::~BMP()
{
    if (lockedDIB) {
        GlobalUnlock(lockedDIB);
        GlobalFree(lockedDIB);
    }
    delete bitmap;
    delete file;
}

void* BMP::operator new(size_t bytes)
{
    return ::operator new(bytes);
}

void BMP::operator delete(void* block)
{
    ::operator delete(block);
}

void BMP::Clear()
{
    if (bitmap)
        bitmap->Free();
}

int BMP::Active()
{
    return bitmap && bitmap->IsAllocated();
}

int BMP::GetWH(int& w, int& h)
{
    w = h = 0;
    if (!Active())
        return 0;
    w = bitmap->Width();
    h = bitmap->Height();
    return h;
}

int BMP::GetFileWH(int& w, int& h)
{
    return GetWH(w, h);
}

int BMP::GetBPP(int& bpp)
{
    bpp = Active() ? bitmap->BitsPerPixel() : 0;
    return bpp;
}

void BMP::SetSrcBitmap(int left, int top, int right, int bottom)
{
    if (bitmap)
        bitmap->SetPaintRect(RECT{left, top, right, bottom});
}

int BMP::IsTransparentColor()
{
    return bitmap && bitmap->IsPlaybackTransparent();
}

int BMP::GetTransparentColorEnable()
{
    return Active() && bitmap->IsPlaybackTransparent();
}

COLORREF BMP::GetTransparentColor()
{
    return bitmap ? bitmap->TransparentColor() : 0;
}

void BMP::SetTransparentColor(COLORREF colour)
{
    if (bitmap)
        bitmap->SetTransparentColor(colour);
}

void BMP::SetTransparentColorEnable(bool enable)
{
    if (bitmap)
        bitmap->EnablePlaybackTransparency(enable);
}
