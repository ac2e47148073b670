// The environment's default hooks: the model's own, the device's, and no-ops of the right arity
// in the slots whose behaviour later layers (layout, selection, redisplay) install.
#pragma once

#include "rte_environment.h"

void RteFillDefaultHooks(RteEnvironment* env);
