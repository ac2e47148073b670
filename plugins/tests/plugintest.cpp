// Loading the plug-ins under test.
#include "plugintest.h"

HMODULE PluginModule(const char* file) { return LoadLibraryA(file); }

OBJET* AllocFrom(const char* file, KERNEL* kernel)
{
    using ALLOC = OBJET* (*)(KERNEL*);
    ALLOC alloc = PluginExport<ALLOC>(file, "AllocObjet");
    return alloc ? alloc(kernel) : nullptr;
}

std::string Lines(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}
