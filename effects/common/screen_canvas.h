// The canvas that draws an effect's steps onto the target DC, copying the new image from a
// memory DC through clip regions so that a step touches only what it changes.
#pragma once

#include "effect_canvas.h"
#include "pacing.h"

class ScreenCanvas final : public EffectCanvas {
public:
    // `image` holds the new image at the target size; `callerClip` is the clip region that the
    // target DC had when the effect began (null for none), which nothing may paint outside.
    ScreenCanvas(HDC target, HDC image, const Area& area, HRGN callerClip);

    void BeginStep() override;
    void EndStep(DWORD pause) override;
    void ScrollAndFill(const ScrollMove& move) override;
    void Wedge(POINT apex, POINT from, POINT to) override;
    void Disc(const RECT& bounds) override;

private:
    // Makes `region`, cut to the caller's clip region, the target DC's clip region.
    void ClipTo(HRGN region);
    // Cuts `region` to the target rectangle, clips to it and shows the new image there.
    void ShowImageIn(HRGN region);
    // Copies the new image onto the current clip region, within `box`, with image point
    // `source` on DC point `dest`.
    void CopyImage(const RECT& box, POINT dest, POINT source);
    void AddStrips(HRGN region, const RECT& area, const Strips& strips);

    HDC target_;
    HDC image_;
    Area area_;
    HRGN callerClip_;
    StepPacer pacer_;
};
