// What the plug-in tests share: the modules loaded as a host loads them, and a kernel whose
// plug-ins are looked for beside the test.
#pragma once

#include "kernel.h"
#include "objet.h"
#include "pagehost.h"
#include "qxplugin.h"

#include <string>
#include <vector>

HMODULE PluginModule(const char* file);
template <class Function>
Function PluginExport(const char* file, const char* name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(PluginModule(file), name)));
}
OBJET* AllocFrom(const char* file, KERNEL* kernel);
std::string Lines(const std::vector<std::string>& lines);
