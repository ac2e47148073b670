// The control keeps its texts in the system's code page; automation carries them as BSTR.
#pragma once

#include <windows.h>

#include <oleauto.h>

#include <string>

std::string Narrow(const wchar_t* text);
// A new BSTR the caller frees (null when out of memory).
BSTR WideBstr(const std::string& text);
