// The catalogue behind the exports of qxfxwipe2.
#include "wipe2_effects.h"

const EffectCatalogue& ModuleEffects()
{
    return kWipe2Effects;
}
