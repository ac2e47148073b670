// Drawing of one of a module's effects, as the module's DrawEffect export asks.
#pragma once

#include "catalogue.h"
#include "effect_request.h"

// Answers -1 for an index that is not one of the catalogue's effects, else 0, also when the
// image cannot be used, in which case nothing is drawn.
int DrawCatalogueEffect(const EffectCatalogue& catalogue, int index, const EffectRequest& request);
