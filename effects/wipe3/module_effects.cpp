// The catalogue behind the exports of qxfxwipe3.
#include "wipe3_effects.h"

const EffectCatalogue& ModuleEffects()
{
    return kWipe3Effects;
}
