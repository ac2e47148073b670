// From an export call to the passes of an effect.
#include "draw_effect.h"

#include "effect_pass.h"
#include "pacing.h"
#include "stretched_image.h"

int DrawCatalogueEffect(const EffectCatalogue& catalogue, int index, const EffectRequest& request)
{
    if (static_cast<unsigned>(index) >= static_cast<unsigned>(catalogue.count))
        return -1;
    if (request.area.width <= 0 || request.area.height <= 0)
        return 0;
    // The new image comes first: when it cannot be used, not even a black pass is drawn.
    OwnedBitmap image = StretchedImage(request);
    if (!image)
        return 0;

    const EffectEntry& effect = catalogue.entries[index];
    FineTimerPeriod finePauses;
    if (effect.blackPass) {
        OwnedBitmap black = BlackImage(request.dc, request.area.width, request.area.height);
        if (black)
            RunPass(request.dc, request.area, black.get(), request.palette, effect.blackPass);
    }
    RunPass(request.dc, request.area, image.get(), request.palette, effect.plan);
    return 0;
}
