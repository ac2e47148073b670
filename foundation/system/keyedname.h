// The property names of keyed window pointers, written and read in one place
// (private to the library).
#pragma once

#include "qxbase.h"

#include <cstdio>
#include <cstring>

namespace keyedname {

// "QORVEY" + 16 hexadecimal digits + two keys of up to 11 characters each fits with room.
constexpr int Chars = 64;
constexpr char Prefix[] = "QORVEY";
constexpr size_t PrefixChars = sizeof Prefix - 1;

// The pointer printed as 16 upper-case digits whatever the C library's %p does, so that
// every module writes the very same name for the same pointer and keys.
inline void Format(char (&name)[Chars], const void* pointer, int first, int second)
{
    std::snprintf(name, sizeof name, "%s%016llX %d %d", Prefix,
                  static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(pointer)), first, second);
}

// True for a keyed name (atoms and other names are not), with its pointer and keys.
inline bool Parse(LPCSTR name, void*& pointer, int& first, int& second)
{
    if (IS_INTRESOURCE(name) || std::strncmp(name, Prefix, PrefixChars) != 0)
        return false;
    unsigned long long value = 0;
    if (std::sscanf(name + PrefixChars, "%llx%d%d", &value, &first, &second) != 3)
        return false;
    pointer = reinterpret_cast<void*>(static_cast<uintptr_t>(value));
    return true;
}

}  // namespace keyedname
