// The control keeps its texts in the system's code page; automation carries them as BSTR.
#include "wide_text.h"

std::string Narrow(const wchar_t* text)
{
    if (!text) return {};
    const int size = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1) return {};
    std::string narrow(size, '\0');
    WideCharToMultiByte(CP_ACP, 0, text, -1, &narrow[0], size, nullptr, nullptr);
    narrow.resize(size - 1);
    return narrow;
}

BSTR WideBstr(const std::string& text)
{
    const int size = MultiByteToWideChar(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0);
    BSTR wide = SysAllocStringLen(nullptr, size);
    if (wide) MultiByteToWideChar(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), wide, size);
    return wide;
}
