// The primitives on a device context: lines and frames (or their recording), bitmaps.
#include <windows.h>

#include <cstring>

#include "rte_picture.h"
#include "rte_picture_recording.h"
#include "rte_typed.h"

namespace {

HDC DcOf(const RtePicturePort* port) { return static_cast<HDC>(port->dc); }

}  // namespace

int32_t RteBitmapRowBytes(int32_t width, int32_t bitsPerPixel) { return (width * bitsPerPixel + 15) / 16 * 2; }

int32_t RteDrawLine(RtePicturePort* port, const RtePoint* from, const RtePoint* to, int32_t byDefault)
{
    RteHandle recording = rte_picture::Recording(port);
    if (!recording)
        return byDefault;
    rte_picture::RecordLine(recording, *from, *to);
    return 0;
}

int32_t RteFrameRect(RtePicturePort* port, const RteRect* rect, int32_t byDefault, int16_t shape, int32_t penWidth)
{
    if (RteHandle recording = rte_picture::Recording(port)) {
        if (shape == 3)
            return byDefault;
        // The bottom and right sides lie the pen's width inside the rect.
        int32_t bottom = rect->bottom - penWidth;
        int32_t right = rect->right - penWidth;
        RtePoint corners[4] = {{rect->top, rect->left}, {rect->top, right}, {bottom, right}, {bottom, rect->left}};
        for (int i = 0; i < 4; ++i)
            rte_picture::RecordLine(recording, corners[i], corners[(i + 1) % 4]);
        return 0;
    }
    if (shape != 0)
        return byDefault;
    HDC dc = DcOf(port);
    HPEN pen = CreatePen(PS_SOLID, penWidth, RGB(0, 0, 0));
    HGDIOBJ oldPen = SelectObject(dc, pen);
    RECT frame = {rect->left, rect->top, rect->right, rect->bottom};
    FrameRect(dc, &frame, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    SelectObject(dc, oldPen);
    DeleteObject(pen);
    return byDefault;
}

int32_t RteFillRect(RtePicturePort*, const RteRect*, int32_t byDefault, int16_t) { return byDefault; }

void RteDrawBitmap(RtePicturePort* port, const RteBitmapRecord* bitmap, size_t bytes, const RteRect* source,
                   const RteRect* target, int16_t operation)
{
    if (rte_picture::Recording(port) || bytes < RTE_BITMAP_HEADER_BYTES)
        return;
    int32_t width = bitmap->width, height = bitmap->height, depth = bitmap->bitsPerPixel;
    bool depthKnown = depth == 1 || depth == 4 || depth == 8 || depth == 16 || depth == 24 || depth == 32;
    if (width <= 0 || height <= 0 || !depthKnown ||
        static_cast<size_t>(RteBitmapRowBytes(width, depth)) * static_cast<size_t>(height) > bytes - RTE_BITMAP_HEADER_BYTES)
        return;
    DWORD rop = operation == RTE_BITMAP_PAINT ? SRCPAINT : (operation == RTE_BITMAP_INVERT ? SRCINVERT : SRCCOPY);
    HDC dc = DcOf(port);
    HBITMAP bits = CreateBitmap(width, height, 1, static_cast<UINT>(depth),
                                reinterpret_cast<const uint8_t*>(bitmap) + RTE_BITMAP_HEADER_BYTES);
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, bits);
    RteRect from = source ? *source : RteRect{0, 0, height, width};
    int32_t fromW = from.right - from.left, fromH = from.bottom - from.top;
    int32_t toW = target->right - target->left, toH = target->bottom - target->top;
    if (fromW == toW && fromH == toH)
        BitBlt(dc, target->left, target->top, toW, toH, memory, from.left, from.top, rop);
    else
        StretchBlt(dc, target->left, target->top, toW, toH, memory, from.left, from.top, fromW, fromH, rop);
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(bits);
}

void RteDrawBitmapHandle(RtePicturePort* port, RteHandle bitmap, const RteRect* target, int16_t operation)
{
    RteLocked<RteBitmapRecord> record(bitmap);
    RteDrawBitmap(port, record.get(), RteByteSize(bitmap), nullptr, target, operation);
}
