// Every effect of both modules, for tests that run each of them.
#pragma once

#include "effect_module.h"

#include <ostream>
#include <string>
#include <vector>

struct EffectCase {
    const EffectModule& (*module)();
    int index;
    int kind;
};

// Each effect of both modules with each of the given image kinds.
std::vector<EffectCase> AllEffects(std::vector<int> kinds);

// A test name such as "qxfxwipe2_3_Bitmap".
std::string CaseName(const EffectCase& effect);

// How gtest prints a case in a failure message.
void PrintTo(const EffectCase& effect, std::ostream* out);
