// The screen font families the editor offers, listed once a process by the box "D_LOADFONT".
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Runs "D_LOADFONT" on the owner the first time; the list stays for the process.
void BuildTextFontList(HWND owner);
const std::vector<std::string>& TextFontList();
