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

std::vector<std::string> CommonBlock()
{
    return {"NULL", "NULL", "NULL", "0", "NULL", "0", "NULL", "1", "20 0 0 0 400 0 0 0 0 3 2 0 34", "System",
            "0 0 0", "192 192 192", "-1", "NULL", "  0.0", "FONTS [", "0", "]", "}", "BRANCH {", "0",
            "BRANCHEX [", "0", "]", "}"};
}
