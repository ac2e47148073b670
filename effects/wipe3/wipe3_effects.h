// The eight effects of qxfxwipe3, by index.
#pragma once

#include "catalogue.h"

extern const EffectCatalogue kWipe3Effects;
