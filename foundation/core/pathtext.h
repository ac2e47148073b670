// Text helpers shared by the path, name and copying functions of the foundation library
// (private to the library).
#pragma once

#include "qxstring.h"

#include <cstring>
#include <string>

namespace pathtext {

inline std::string Text(const QXSTRING& text) { return static_cast<const char*>(text); }

inline void Assign(QXSTRING* out, const std::string& text)
{
    if (out)
        *out = text.c_str();
}

// A missing floppy or CD-ROM must never stop a presentation with a system box: the boxes
// are switched off for the whole process, keeping any other error-mode bits.
inline void SwitchOffErrorBoxes()
{
    const UINT boxesOff = SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX;
    SetErrorMode(SetErrorMode(boxesOff) | boxesOff);
}

inline bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// File names are compared without regard to case everywhere.
inline bool StartsWithNoCase(const char* text, const char* prefix)
{
    return _strnicmp(text, prefix, std::strlen(prefix)) == 0;
}

inline bool EqualNoCase(const std::string& a, const std::string& b)
{
    return _stricmp(a.c_str(), b.c_str()) == 0;
}

inline void RemoveTrailingBlanks(std::string& text)
{
    text.erase(text.find_last_not_of(' ') + 1);
}

inline void EnsureTrailingBackslash(std::string& folder)
{
    if (folder.empty() || folder.back() != '\\')
        folder += '\\';
}

inline std::string Replaced(std::string text, char from, char to)
{
    for (char& c : text)
        if (c == from)
            c = to;
    return text;
}

// Hands a result to a caller buffer of `size` bytes. A result that does not fit is refused
// (0, the buffer emptied) rather than cut, because a cut name would name another file.
inline int CopyOut(const char* text, char* out, int size)
{
    if (!out || size <= 0)
        return 0;
    const size_t length = std::strlen(text);
    if (length >= static_cast<size_t>(size)) {
        out[0] = '\0';
        return 0;
    }
    std::memcpy(out, text, length + 1);
    return 1;
}

// Copies at most size-1 characters and always terminates: for parts that callers size
// themselves (hosts, extensions).
inline void CopyCut(const char* text, char* out, int size)
{
    if (!out || size <= 0)
        return;
    size_t length = std::strlen(text);
    if (length > static_cast<size_t>(size - 1))
        length = size - 1;
    std::memcpy(out, text, length);
    out[length] = '\0';
}

}  // namespace pathtext
