// Enumeration of the effects under test.
#include "effect_cases.h"

#include "image_handle.h"

std::vector<EffectCase> AllEffects(std::vector<int> kinds)
{
    std::vector<EffectCase> cases;
    for (auto module : {Wipe2, Wipe3}) {
        int count = module == Wipe2 ? 9 : 8;
        for (int index = 0; index < count; ++index)
            for (int kind : kinds)
                cases.push_back({module, index, kind});
    }
    return cases;
}

std::string CaseName(const EffectCase& effect)
{
    std::string file = effect.module().FileName();
    return file.substr(0, file.find('.')) + "_" + std::to_string(effect.index) + "_" + KindName(effect.kind);
}

void PrintTo(const EffectCase& effect, std::ostream* out)
{
    *out << CaseName(effect);
}
