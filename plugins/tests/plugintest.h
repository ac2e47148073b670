// What the plug-in tests share: the modules loaded as a host loads them, and a kernel whose
// plug-ins are looked for beside the test.
#pragma once

#include "kernel.h"
#include "objet.h"
#include "pagehost.h"
#include "qxplugin.h"

#include <string>
#include <vector>

// A kernel of no host, enough to read and write records.
struct Kernel {
    KERNEL* kernel = new KERNEL;
    ~Kernel() { delete kernel; }
};

HMODULE PluginModule(const char* file);
template <class Function>
Function PluginExport(const char* file, const char* name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(PluginModule(file), name)));
}
OBJET* AllocFrom(const char* file, KERNEL* kernel);
std::string Lines(const std::vector<std::string>& lines);

// An object of the module read from one record (the common block then the object's own),
// the result of its Load in *result; the caller deletes it.
OBJET* LoadRecord(const char* module, KERNEL* kernel, const std::string& text, int universe, int* result);
// What the object's Save writes.
std::string SaveRecord(OBJET* object, int universe);
std::vector<std::string> With(std::vector<std::string> block, const std::vector<std::string>& more);
