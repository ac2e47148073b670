// What the registry and file-type code share (private to the library): keys closed on every
// path out, and string values of any length. The flat readers, qutl_CRegistry and the file
// types all go through here.
#pragma once

#include "qxstring.h"

namespace registry_text {

// Closes an opened key whatever path the caller leaves by.
class OpenedKey {
public:
    OpenedKey() = default;
    ~OpenedKey()
    {
        if (key)
            RegCloseKey(key);
    }
    OpenedKey(const OpenedKey&) = delete;
    OpenedKey& operator=(const OpenedKey&) = delete;
    HKEY key = nullptr;
};

enum class Found {
    Text,       // a REG_SZ or REG_EXPAND_SZ value, read
    Missing,    // no such value, or it could not be read
    OtherType,  // the value exists with a type that is not a string
};

// Reads the value (null name: the key's default value) into `out`, which changes only when the
// result is Text; `type` receives REG_SZ or REG_EXPAND_SZ then. The text is taken as stored:
// a REG_EXPAND_SZ value is not expanded.
Found Read(HKEY key, const char* valueName, DWORD* type, QXSTRING* out);

// Replaces the environment-variable references of `text` by their values; false (text
// unchanged) when the system refuses.
bool Expand(QXSTRING* text);

}  // namespace registry_text
