// An area as a GDI region in device coordinates, for clipping and painting.
#include "rect_list_region.h"

#include "device_rects.h"
#include "rect_ops.h"
#include "scaling.h"

#include <algorithm>

namespace {

RteWinRect DeviceRect(const RteRect& rect, int32_t dh, int32_t dv, const RteScaling* scaling)
{
    const RtePoint offset{dv, dh};
    RteWinRect device;
    if (scaling && scaling->factor != 0) {
        RteRect scaled;
        RteCopyOffsetScaleRect(scaling, &rect, &scaled, &offset);
        RteRectToWin(&scaled, nullptr, &device);
    } else {
        RteRectToWin(&rect, &offset, &device);
    }
    return device;
}

// Deletes the scratch region however the walk over the list ends.
class ScratchRegion {
public:
    ScratchRegion() : region_(CreateRectRgn(0, 0, 0, 0)) {}
    ~ScratchRegion() { DeleteObject(region_); }
    ScratchRegion(const ScratchRegion&) = delete;
    ScratchRegion& operator=(const ScratchRegion&) = delete;

    HRGN Get() const { return region_; }

private:
    HRGN region_;
};

}  // namespace

void RteRectListToRegion(RteRectList list, int32_t dh, int32_t dv, const RteScaling* scaling, int32_t inset,
                         const RteRect* clip, HRGN region)
{
    // Twice the device space is as far as an inset can matter, and keeps the sums in range.
    const int32_t by = std::clamp(inset, -2 * RTE_DEVICE_COORD_LIMIT, 2 * RTE_DEVICE_COORD_LIMIT);
    SetRectRgn(region, 0, 0, 0, 0);
    ScratchRegion piece;
    bool first = true;
    RteRectIterator rects(list);
    for (const RteRect& rect : rects.Rects()) {
        RteRect kept;
        if (!RteSectRect(&rect, clip, &kept))
            continue;
        RteWinRect device = DeviceRect(kept, dh, dv, scaling);
        device = {device.left + by, device.top + by, device.right - by, device.bottom - by};
        // GDI would turn an inset past the middle inside out into a rect of its own.
        if (device.left >= device.right || device.top >= device.bottom)
            continue;
        if (first) {
            SetRectRgn(region, device.left, device.top, device.right, device.bottom);
            first = false;
        } else {
            SetRectRgn(piece.Get(), device.left, device.top, device.right, device.bottom);
            CombineRgn(region, region, piece.Get(), RGN_OR);
        }
    }
}
