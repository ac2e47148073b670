// The engine's vector picture drawn into a target rect: each item moved to the target's
// origin and scaled, its flags pinning edges to the target or keeping them unscaled.
#include <windows.h>

#include <cstring>

#include "rte_picture.h"
#include "rte_typed.h"

namespace {

struct Scale {
    int32_t origin;
    int32_t target;   // the target's extent on the axis
    int32_t picture;  // the picture's
    bool on;

    int32_t Of(int32_t value) const { return on && picture > 0 ? static_cast<int32_t>(int64_t{value} * target / picture) : value; }
};

// One axis of an item's rect: near and far edges in the target.
void PlaceAxis(int32_t& nearEdge, int32_t& farEdge, const Scale& scale, bool fixed, bool farOnly, bool pinNear,
               bool pinFar, int32_t targetNear, int32_t targetFar)
{
    int32_t nearValue = nearEdge, farValue = farEdge;
    if (fixed) {
        nearEdge = scale.origin + nearValue;
        farEdge = scale.origin + farValue;
    } else if (farOnly) {
        nearEdge = scale.origin + nearValue;
        farEdge = nearEdge + scale.Of(farValue - nearValue);
    } else {
        nearEdge = scale.origin + scale.Of(nearValue);
        farEdge = scale.origin + scale.Of(farValue);
    }
    if (pinNear)
        nearEdge = targetNear;
    if (pinFar)
        farEdge = targetFar;
}

RteRect Placed(const RtePictureItem& item, const RteRect& target, const Scale& h, const Scale& v)
{
    RteRect rect = item.rect;
    uint16_t flags = static_cast<uint16_t>(item.flags);
    bool farOnly = flags & RTE_ITEM_FAR_EDGE;
    PlaceAxis(rect.left, rect.right, h, flags & RTE_ITEM_FIXED_H, farOnly, flags & RTE_ITEM_LEFT, flags & RTE_ITEM_RIGHT,
              target.left, target.right);
    PlaceAxis(rect.top, rect.bottom, v, flags & RTE_ITEM_FIXED_V, farOnly, flags & RTE_ITEM_TOP, flags & RTE_ITEM_BOTTOM,
              target.top, target.bottom);
    return rect;
}

void DrawLine(RtePicturePort* port, const RteRect& rect, const RtePoint& pen)
{
    RtePoint from = {rect.top, rect.left}, to = {rect.bottom, rect.right};
    if (!RteDrawLine(port, &from, &to, 1))
        return;  // recorded
    HDC dc = static_cast<HDC>(port->dc);
    HPEN line = CreatePen(PS_SOLID, pen.h > pen.v ? pen.h : pen.v, RGB(0, 0, 0));
    HGDIOBJ old = SelectObject(dc, line);
    MoveToEx(dc, rect.left, rect.top, nullptr);
    LineTo(dc, rect.right, rect.bottom);
    SelectObject(dc, old);
    DeleteObject(line);
}

}  // namespace

void RteDrawPicture(RtePicturePort* port, RteHandle picture, const RteRect* target, bool scaleH, bool scaleV, bool)
{
    RteLocked<uint8_t> bytes(picture);
    size_t total = RteByteSize(picture);
    if (total < sizeof(RtePictureHeader))
        return;
    RtePictureHeader header;
    std::memcpy(&header, bytes.get(), sizeof header);
    Scale h = {target->left, target->right - target->left, header.width, scaleH};
    Scale v = {target->top, target->bottom - target->top, header.height, scaleV};
    RtePoint pen = {1, 1};
    size_t at = sizeof header;
    for (int16_t i = 0; i < header.count; ++i) {
        // An item that does not lie whole within the picture ends it.
        if (total - at < RTE_PICTURE_ITEM_BYTES)
            return;
        RtePictureItem item;
        std::memcpy(&item, bytes.get() + at, sizeof item);
        if (item.size < RTE_PICTURE_ITEM_BYTES || static_cast<size_t>(item.size) > total - at)
            return;
        RteRect rect = Placed(item, *target, h, v);
        if (item.type >= 0 && item.type <= 3) {
            if ((item.flags & 0xFF) == 1)
                RteFrameRect(port, &rect, 0, 0, pen.h);
            else
                RteFillRect(port, &rect, 0, 0);
        } else if (item.type == RTE_ITEM_BITMAP) {
            const auto* bitmap = reinterpret_cast<const RteBitmapRecord*>(bytes.get() + at + RTE_PICTURE_ITEM_BYTES);
            RteDrawBitmap(port, bitmap, static_cast<size_t>(item.size - RTE_PICTURE_ITEM_BYTES), nullptr, &rect, 0);
        } else if (item.type == RTE_ITEM_LINE) {
            DrawLine(port, rect, pen);
        } else if (item.type == RTE_ITEM_PEN) {
            pen = {item.rect.left, item.rect.top};
        }
        at += static_cast<size_t>(item.size);
    }
}
