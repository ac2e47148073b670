// Base header of the transition-effect modules: the Win32 user-interface and GDI services,
// which are all that the modules draw with.
#pragma once

#include <windows.h>
