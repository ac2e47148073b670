// The process-wide list of transition effects and the conversions between an effect's
// position in it and the (module, index) pair that pages store.
#include "effects.h"

EFFECT::EFFECT(EFFECT_DLL* owner, int index, const char* name) : owner(owner), index(index), name(name) {}

LIST& KernEffectList()
{
    static LIST effects;
    return effects;
}

int KernEffectId2DllIdStr(int id, QXSTRING* moduleName, int* index)
{
    QXSTRING name;
    int within = -1;
    int known = 1;
    // Id 0 always stands for no effect, whatever modules were found.
    if (id != 0) {
        auto* effect = id > 0 ? static_cast<EFFECT*>(KernEffectList().GetItem(id)) : nullptr;
        if (!effect) {
            within = 0;
            known = 0;
        } else if (effect->owner) {
            name = effect->owner->name;
            within = effect->index;
        }
    }
    if (moduleName)
        *moduleName = name;
    if (index)
        *index = within;
    return known;
}

int KernEffectId2DllId(int id, char* moduleName, int size, int* index)
{
    QXSTRING name;
    const int known = KernEffectId2DllIdStr(id, &name, index);
    if (moduleName && size > 0)
        lstrcpynA(moduleName, name, size);
    return known;
}

int KernDllId2EffectId(const char* moduleName, int index)
{
    if (!moduleName || !*moduleName || index == -1)
        return 0;
    LIST& effects = KernEffectList();
    for (int id = 0; id < effects.Items(); ++id) {
        auto* effect = static_cast<EFFECT*>(effects.GetItem(id));
        if (effect->owner && effect->index == index && lstrcmpiA(effect->owner->name, moduleName) == 0)
            return id;
    }
    return 0;
}
