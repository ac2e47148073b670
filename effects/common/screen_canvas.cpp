// Drawing of an effect's strokes onto the target DC.
//
// Coordinates are device coordinates: the target DC is expected in its default mapping, as
// the window DCs that effects are drawn on are.
#include "screen_canvas.h"

#include "gdi_handles.h"
#include "message_step.h"
#include "pacing.h"

ScreenCanvas::ScreenCanvas(HDC target, HDC image, const Area& area, HRGN callerClip)
    : target_(target), image_(image), area_(area), callerClip_(callerClip)
{
}

void ScreenCanvas::BeginStep()
{
    RunMessageStep();
    pacer_.BeginStep();
}

void ScreenCanvas::EndStep(DWORD pause)
{
    pacer_.EndStep(pause);
}

void ScreenCanvas::ScrollAndFill(const ScrollMove& move)
{
    // Nothing moves, so nothing is uncovered.
    if (IsRectEmpty(&move.area) || (move.offset.x == 0 && move.offset.y == 0))
        return;

    OwnedRegion moving(CreateRectRgnIndirect(&move.area));
    if (!moving)
        return;
    if (move.strips) {
        OwnedRegion strips = EmptyRegion();
        AddStrips(strips.get(), move.area, *move.strips);
        CombineRgn(moving.get(), moving.get(), strips.get(), RGN_AND);
    }
    ClipTo(moving.get());

    OwnedRegion uncovered = EmptyRegion();
    if (!uncovered)
        return;
    ScrollDC(target_, move.offset.x, move.offset.y, &move.area, &move.area, uncovered.get(), nullptr);
    ClipTo(uncovered.get());
    RECT box;
    if (GetRgnBox(uncovered.get(), &box) > NULLREGION)
        CopyImage(box, move.fillDest, move.fillSource);
}

void ScreenCanvas::Wedge(POINT apex, POINT from, POINT to)
{
    POINT corners[] = {apex, from, to};
    OwnedRegion wedge(CreatePolygonRgn(corners, 3, ALTERNATE));
    ShowImageIn(wedge.get());
}

void ScreenCanvas::Disc(const RECT& bounds)
{
    OwnedRegion disc(CreateEllipticRgnIndirect(&bounds));
    ShowImageIn(disc.get());
}

void ScreenCanvas::ClipTo(HRGN region)
{
    if (callerClip_)
        CombineRgn(region, region, callerClip_, RGN_AND);
    SelectClipRgn(target_, region);
}

void ScreenCanvas::ShowImageIn(HRGN region)
{
    if (!region)
        return;
    RECT rect = area_.Rect();
    OwnedRegion inside(CreateRectRgnIndirect(&rect));
    if (!inside)
        return;
    CombineRgn(region, region, inside.get(), RGN_AND);
    ClipTo(region);
    RECT box;
    if (GetRgnBox(region, &box) > NULLREGION)
        CopyImage(box, POINT{area_.x, area_.y}, POINT{0, 0});
}

void ScreenCanvas::CopyImage(const RECT& box, POINT dest, POINT source)
{
    BitBlt(target_, box.left, box.top, box.right - box.left, box.bottom - box.top, image_,
           box.left - dest.x + source.x, box.top - dest.y + source.y, SRCCOPY);
}

void ScreenCanvas::AddStrips(HRGN region, const RECT& area, const Strips& strips)
{
    bool columns = strips.axis == Axis::Vertical;
    int origin = columns ? area_.x : area_.y;
    int across = columns ? area_.width : area_.height;
    for (int j = strips.parity; static_cast<long long>(j) * strips.size < across; j += 2) {
        int from = origin + j * strips.size;
        int to = from + strips.size;
        OwnedRegion strip(columns ? CreateRectRgn(from, area.top, to, area.bottom)
                                  : CreateRectRgn(area.left, from, area.right, to));
        if (strip)
            CombineRgn(region, region, strip.get(), RGN_OR);
    }
}
