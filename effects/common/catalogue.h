// The effects that a module offers, in the order of their indexes.
#pragma once

#include "area.h"
#include "effect_canvas.h"

// The steps of an effect on a target rectangle.
using EffectPlan = void (*)(const Area& area, EffectCanvas& canvas);

struct EffectEntry {
    EffectPlan plan;
    // A plan that first draws black over the old picture, before `plan` reveals the new
    // image; null for most effects.
    EffectPlan blackPass;
};

struct EffectCatalogue {
    const EffectEntry* entries;
    int count;
};

// The catalogue of the module being built; each module defines it.
const EffectCatalogue& ModuleEffects();
