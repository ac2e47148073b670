// Picture drawing primitives: framed rects, lines, bitmaps copied or stretched with a raster
// operation, and the engine's own vector picture scaled into a target rect. A picture port
// may record lines (a polygon or region outline being built) instead of drawing them.
#pragma once

#include <cstdint>

#include "geometry_types.h"
#include "rte_memory.h"

struct RteColor;

// The picture side of a drawing port: its device context and the two recording handles
// (polygon, region), each present only while a recording runs.
struct RtePicturePort {
    void* dc;  // HDC
    RteMemContext* context;
    RteHandle polygon;
    RteHandle region;
};

// A bitmap record: one plane, rows of whole 16-bit words, as the platform's bitmaps keep them.
struct RteBitmapRecord {
    int16_t width;
    int16_t height;
    int16_t bitsPerPixel;
    // the bits follow
};
constexpr int32_t RTE_BITMAP_HEADER_BYTES = 6;
int32_t RteBitmapRowBytes(int32_t width, int32_t bitsPerPixel);

// Operations of RteDrawBitmap besides the copy.
constexpr int16_t RTE_BITMAP_PAINT = 6;   // SRCPAINT
constexpr int16_t RTE_BITMAP_INVERT = 7;  // SRCINVERT

// Vector picture: a header, then items one after the other, each with its own size.
struct RtePictureHeader {
    int16_t width;
    int16_t height;
    int16_t reserved;
    int16_t count;
};
struct RtePictureItem {
    int16_t type;
    int16_t flags;
    int32_t value;  // pen width of shapes
    RteRect rect;   // relative to the picture's origin
    int32_t size;   // bytes to the next item
    // type 4: the bitmap record follows
};
constexpr int32_t RTE_PICTURE_ITEM_BYTES = 28;
static_assert(sizeof(RtePictureItem) == RTE_PICTURE_ITEM_BYTES);

// Item types.
constexpr int16_t RTE_ITEM_BITMAP = 4;
constexpr int16_t RTE_ITEM_LINE = 5;
constexpr int16_t RTE_ITEM_PEN = 10;
// Item flags: how the item follows the target rect.
constexpr int16_t RTE_ITEM_FIXED_H = 0x4000;
constexpr int16_t RTE_ITEM_FAR_EDGE = 0x2000;
constexpr int16_t RTE_ITEM_RIGHT = 0x1000;
constexpr int16_t RTE_ITEM_LEFT = 0x0800;
constexpr int16_t RTE_ITEM_TOP = 0x0400;
constexpr int16_t RTE_ITEM_BOTTOM = 0x0200;
constexpr uint16_t RTE_ITEM_FIXED_V = 0x8000;

// Records the two points while recording (0), else gives the default back.
int32_t RteDrawLine(RtePicturePort* port, const RtePoint* from, const RtePoint* to, int32_t byDefault);
// Records the four sides, or frames the rect (shape 0) with a black brush.
int32_t RteFrameRect(RtePicturePort* port, const RteRect* rect, int32_t byDefault, int16_t shape, int32_t penWidth);
// Fills nothing on this platform.
int32_t RteFillRect(RtePicturePort* port, const RteRect* rect, int32_t byDefault, int16_t shape);
// The bits of the record, copied (or stretched when the sizes differ) into the target.
void RteDrawBitmap(RtePicturePort* port, const RteBitmapRecord* bitmap, size_t bytes, const RteRect* source,
                   const RteRect* target, int16_t operation);
void RteDrawBitmapHandle(RtePicturePort* port, RteHandle bitmap, const RteRect* target, int16_t operation);
// Every item that lies within the picture, moved to the target and scaled by its flags. Items
// that do not fit the handle end the drawing.
void RteDrawPicture(RtePicturePort* port, RteHandle picture, const RteRect* target, bool scaleH, bool scaleV,
                    bool bracket);

// The DC's text (fore) and background colours as the engine's colours, and back.
void RteGetForeColor(const RtePicturePort* port, RteColor* out);
void RteGetBackColor(const RtePicturePort* port, RteColor* out);
void RteSetForeColor(RtePicturePort* port, const RteColor* colour);
void RteSetBackColor(RtePicturePort* port, const RteColor* colour);

// Recordings: started for a rect, handed over (and detached) at the end.
void RteBeginPolygon(RtePicturePort* port, const RteRect* rect);
RteHandle RteEndPolygon(RtePicturePort* port);
void RteBeginRegionRecord(RtePicturePort* port, const RteRect* rect);
RteHandle RteEndRegionRecord(RtePicturePort* port);
// The width and height a recording was started for.
void RteRecordingSize(RteHandle recording, int16_t* width, int16_t* height);
int32_t RteRecordedPoints(RteHandle recording);
