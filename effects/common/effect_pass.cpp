// The drawing frame around an effect's plan.
#include "effect_pass.h"

#include "screen_canvas.h"

namespace {

// The clip region that a DC has, in device coordinates; null when it has none.
OwnedRegion CurrentClip(HDC dc)
{
    OwnedRegion clip = EmptyRegion();
    if (!clip || GetClipRgn(dc, clip.get()) != 1)
        return OwnedRegion();
    return clip;
}

} // namespace

void RunPass(HDC target, const Area& area, HBITMAP image, const PaletteChoice& palette, EffectPlan plan)
{
    MemoryDc imageDc(target);
    if (!imageDc)
        return;
    Selection imageSelection(imageDc.get(), image);
    if (!imageSelection.Taken())
        return;
    OwnedRegion callerClip = CurrentClip(target);
    {
        PaletteSelection targetPalette(target, palette);
        ScreenCanvas canvas(target, imageDc.get(), area, callerClip.get());
        plan(area, canvas);
    }
    // The steps leave the DC clipped to their last stroke; the caller gets its own clip back.
    SelectClipRgn(target, callerClip.get());
}
