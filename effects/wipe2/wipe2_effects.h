// The nine effects of qxfxwipe2, by index.
#pragma once

#include "catalogue.h"

extern const EffectCatalogue kWipe2Effects;
