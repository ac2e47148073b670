// The control's module: its instance, its folder and the count of what keeps it loaded.
#pragma once

#include <windows.h>

#include <string>

HINSTANCE ModuleInstance();
// The folder of the control's own file, ending in a backslash.
std::string ModuleFolder();

// Live objects and server locks: the module may be unloaded when both are zero.
void ModuleAddRef();
void ModuleRelease();
bool ModuleInUse();
