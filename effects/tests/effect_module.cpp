// Loading of the effect modules next to the test program.
#include "effect_module.h"

#include "area.h"
#include "program_folder.h"

namespace {

template <typename Function>
Function Bind(HMODULE module, const char* name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

} // namespace

EffectModule::EffectModule(const std::string& fileName)
    : fileName_(fileName), module_(LoadLibraryA((ProgramFolder() + fileName).c_str()))
{
    if (!module_)
        return;
    draw_ = Bind<DrawFn>(module_, "DrawEffect");
    count_ = Bind<CountFn>(module_, "GetNumbersEffect");
    name_ = Bind<NameFn>(module_, "GetEffectName");
}

EffectModule::~EffectModule()
{
    if (module_)
        FreeLibrary(module_);
}

std::string EffectModule::NameOf(int index) const
{
    char buffer[130] = {};
    name_(index, buffer, sizeof buffer);
    return buffer;
}

int EffectModule::Draw(HDC dc, const Area& area, HANDLE image, int kind, int index, HPALETTE palette,
                       int paletteForeground) const
{
    return draw_(nullptr, dc, area.x, area.y, area.width, area.height, image, palette, SRCCOPY,
                 paletteForeground, index, kind);
}

const EffectModule& Wipe2()
{
    static EffectModule module("qxfxwipe2.dll");
    return module;
}

const EffectModule& Wipe3()
{
    static EffectModule module("qxfxwipe3.dll");
    return module;
}
