// BMP: painting, row writes, printing and pixel reads.
#include "qxbmp.h"

#include "bmp_result.h"
#include "imagebitmap.h"
#include "imagegdi.h"
#include "imageresult.h"

int BMP::Paint(HDC dc, long rop)
{
    const int result = RecordImagingResult(PaintImage(dc, *bitmap, static_cast<DWORD>(rop)));
    bitmap->ResetRects();
    return result;
}

int BMP::Draw(HDC dc, int x, int y, long rop, int)
{
    if (!Active())
        return 0;
    bitmap->SetPaintRect(RECT{x, y, x + bitmap->Width(), y + bitmap->Height()});
    Paint(dc, rop);
    return bitmap->Height();
}

int BMP::Draw(HDC dc, int x, int y, int w, int h, long rop, int)
{
    if (!Active())
        return 0;
    bitmap->SetPaintRect(RECT{x, y, x + w, y + h});
    Paint(dc, rop);
    return h;
}

int BMP::Draw(HDC dc, int x, int y, int w, int h, int sx, int sy, int sw, int sh, long rop, int)
{
    if (!Active())
        return 0;
    bitmap->SetSourceRect(RECT{sx, sy, sx + sw, sy + sh});
    bitmap->SetPaintRect(RECT{x, y, x + w, y + h});
    Paint(dc, rop);
    return h;
}

void BMP::DrawDataLine(int x, int row, int count, unsigned char* data, int)
{
    if (Active())
        RecordImagingResult(bitmap->WriteRowBGR(row, x, count, data));
}

int BMP::Print(HDC dc)
{
    int w = 0, h = 0;
    GetWH(w, h);
    return Print(dc, 0, 0, w, h);
}

int BMP::Print(HDC dc, int x, int y, int w, int h)
{
    if (!Active() || x < 0 || y < 0 || w <= 0 || h <= 0)
        return 1;
    bitmap->SetSourceRect(RECT{x, y, x + w, y + h});
    RecordImagingResult(PrintImage(dc, *bitmap, 0, 0, 0, 0));
    bitmap->ResetRects();
    return 1;
}

int BMP::GetPixelColor(int x, int y, unsigned long* colour)
{
    if (!Active() || !colour)
        return 0;
    const COLORREF read = bitmap->PixelColor(x, y);
    *colour = read == IMAGE_PIXEL_ERROR ? 0 : read;
    return read != IMAGE_PIXEL_ERROR;
}
