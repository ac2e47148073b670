// The page module's own instance: its dialogs and strings live there.
#pragma once

#include <windows.h>

#include <string>

HINSTANCE PageModule();
// A string of the module's table ("" when missing).
std::string PageString(int id);
