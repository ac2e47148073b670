// The process-wide list of transition effects: discovery and binding of the effect modules,
// drawing through them, and the conversions between an effect's position in the list and
// the (module, index) pair that pages store.
#include "effects.h"

#include "kernel.h"
#include "kernelprocess.h"
#include "kernelres.h"
#include "objet.h"

#include <cstring>

namespace {

// Effect names are cut to this size, as the modules are asked for them.
constexpr int EffectNameBytes = 130;

template <class Function>
Function Bind(HMODULE module, const char* name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

EFFECT* EffectOf(int id)
{
    // Ids are positions: anything below 0 or not below the list's size is unknown.
    if (id < 0 || id >= KernEffectList().Items())
        return nullptr;
    return static_cast<EFFECT*>(KernEffectList().GetItem(id));
}

struct SCRIPTNAMES {
    const char* module;
    const char* const* names;
    int count;
};

const char* const PlainNames[] = {"EffectTopDown",       "EffectBottomUp",       "EffectLeftRight",
                                  "EffectRightLeft",     "EffectHtoCenter",      "EffectWtoCenter",
                                  "EffectRideauTopDown", "EffectRideauBottomUp", "EffectRideauLeftRight",
                                  "EffectRideauRightLeft"};
const char* const WipeNames[] = {"EffectDissolve",     "EffectExplode",      "EffectImplode",
                                 "EffectRoundExplode", "EffectRoundImplode", "EffectRandomBloc"};
const char* const Wipe2Names[] = {"EffectCrossV",          "EffectCrossH",
                                  "EffectRandomCircle",    "EffectOuvertureCirculaire",
                                  "EffectDemiCercle",      "EffectPapillon",
                                  "EffectLigne",           "EffectOuvertureCirculaireNoir",
                                  "EffectPapillonNoir"};
const char* const Wipe3Names[] = {"PushTopDown",     "PushBottomUp",    "PushLeftRight", "PushRightLeft",
                                  "PushHtoCenter",   "PushWtoCenter",   "DoorOpenH",     "DoorOpenW"};

const SCRIPTNAMES ScriptNames[] = {
    {"QXFXPLAIN.DLL", PlainNames, 10},
    {"QXFXWIPE.DLL", WipeNames, 6},
    {"QXFXWIPE2.DLL", Wipe2Names, 9},
    {"QXFXWIPE3.DLL", Wipe3Names, 8},
};

}  // namespace

EFFECT_DLL::EFFECT_DLL(const char* path, int& ok)
{
    ok = 0;
    if (!path || !*path)
        return;
    const char* slash = std::strrchr(path, '\\');
    name = slash ? slash + 1 : path;
    module = LoadLibraryA(path);
    if (!module)
        return;
    draw = Bind<DRAWEFFECT>(module, "DrawEffect");
    const auto count = Bind<GETNUMBERSEFFECT>(module, "GetNumbersEffect");
    const auto effectName = Bind<GETEFFECTNAME>(module, "GetEffectName");
    effects = draw && count && effectName ? count() : 0;
    if (effects <= 0) {
        FreeLibrary(module);
        module = nullptr;
        return;
    }
    for (int index = 0; index < effects; ++index) {
        char text[EffectNameBytes] = "";
        if (effectName(index, text, sizeof text) == -1)
            break;
        text[sizeof text - 1] = '\0';
        KernEffectList().AddTail(new EFFECT(this, index, text));
    }
    ok = 1;
}

EFFECT_DLL::~EFFECT_DLL()
{
    if (module)
        FreeLibrary(module);
}

EFFECT::EFFECT(EFFECT_DLL* owner, int index, const char* name) : owner(owner), index(index), name(name) {}

int EFFECT::Draw(HWND window, HDC dc, int x, int y, int width, int height, void* image, HPALETTE palette,
                 long rasterOp, int flags)
{
    if (!owner || !owner->draw)
        return -1;
    return owner->draw(window, dc, x, y, width, height, image, palette, rasterOp, flags, index,
                       QX_EFFECT_IMAGE_BITMAP);
}

LIST& KernEffectList()
{
    static LIST effects;
    return effects;
}

LIST& KernEffectModuleList()
{
    static LIST modules;
    return modules;
}

void KernLoadEffectModules(const char* folder)
{
    const QXSTRING base = folder ? folder : "";
    KernEffectList().AddTail(new EFFECT(nullptr, -1, KernString(IDS_NO_EFFECT)));
    QXSTRING pattern;
    pattern.Format("%sQXFX*.DLL", static_cast<const char*>(base));
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA(pattern, &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        QXSTRING path;
        path.Format("%s%s", static_cast<const char*>(base), found.cFileName);
        int ok = 0;
        auto* module = new EFFECT_DLL(path, ok);
        if (ok)
            KernEffectModuleList().AddTail(module);
        else
            delete module;
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

void KernFreeEffectModules()
{
    // The effects point into the modules: they go first.
    KernEffectList().Clear();
    KernEffectModuleList().Clear();
}

int KernGetEffectCount() { return KernEffectList().Items(); }

const char* KernGetEffectName(int id)
{
    EFFECT* effect = EffectOf(id);
    return effect ? static_cast<const char*>(effect->name) : "";
}

int KernEffectId2DllIdStr(int id, QXSTRING* moduleName, int* index)
{
    QXSTRING name;
    int within = -1;
    int known = 1;
    // Id 0 always stands for no effect, whatever modules were found.
    if (id != 0) {
        EFFECT* effect = EffectOf(id);
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

void KernEffectId2FonctionName(int id, char* name)
{
    if (!name)
        return;
    std::strcpy(name, "null");
    EFFECT* effect = EffectOf(id);
    if (!effect || !effect->owner)
        return;
    for (const SCRIPTNAMES& table : ScriptNames) {
        if (lstrcmpiA(table.module, effect->owner->name) == 0 && effect->index >= 0 && effect->index < table.count)
            std::strcpy(name, table.names[effect->index]);
    }
}

void KernSetDrawEffect(KERNEL* kernel, int on)
{
    if (kernel)
        kernel->drawEffects = on;
}

int OBJET::DrawEffect(HWND window, HDC dc, int x, int y, int width, int height, void* image, HPALETTE palette,
                      long rasterOp, int flags)
{
    EFFECT* effect = EffectOf(effectId);
    return effect ? effect->Draw(window, dc, x, y, width, height, image, palette, rasterOp, flags) : -1;
}

int OBJET::EffectComboCommand(HWND, UINT message, WPARAM wParam, LPARAM, HWND combo)
{
    if (message == WM_INITDIALOG) {
        effectPending = 1;
        SendMessageA(combo, CB_RESETCONTENT, 0, 0);
        for (int id = 0; id < KernEffectList().Items(); ++id)
            SendMessageA(combo, CB_INSERTSTRING, id, reinterpret_cast<LPARAM>(KernGetEffectName(id)));
        SendMessageA(combo, CB_SETCURSEL, effectId, 0);
        return 1;
    }
    if (message == WM_COMMAND && HIWORD(wParam) == CBN_SELCHANGE && LOWORD(wParam) == GetDlgCtrlID(combo)) {
        const int chosen = static_cast<int>(SendMessageA(combo, CB_GETCURSEL, 0, 0));
        if (chosen >= 0 && chosen != effectId) {
            effectId = chosen;
            effectPending = 1;
        }
        return 1;
    }
    return 0;
}
