// Reading string values of any length from an open registry key.
#include "registry_text.h"

#include "qxsupport.h"

namespace registry_text {

namespace {

bool IsString(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ; }

}  // namespace

Found Read(HKEY key, const char* valueName, DWORD* type, QXSTRING* out)
{
    // The value may grow between the size query and the read: ask again a few times.
    for (int attempt = 0; attempt < 4; ++attempt) {
        DWORD valueType = REG_NONE;
        DWORD size = 0;
        if (RegQueryValueExA(key, valueName, nullptr, &valueType, nullptr, &size) != ERROR_SUCCESS)
            return Found::Missing;
        if (!IsString(valueType))
            return Found::OtherType;
        // One byte more than stored and zero-filled: a value written without its terminator
        // still ends.
        TArrayCleaner<char> block(new char[size + 1]());
        if (!block.Get())
            return Found::Missing;
        const LONG read = RegQueryValueExA(key, valueName, nullptr, &valueType,
                                           reinterpret_cast<BYTE*>(block.Get()), &size);
        if (read == ERROR_MORE_DATA)
            continue;
        if (read != ERROR_SUCCESS)
            return Found::Missing;
        if (!IsString(valueType))
            return Found::OtherType;
        *out = block.Get();
        if (type)
            *type = valueType;
        return Found::Text;
    }
    return Found::Missing;
}

bool Expand(QXSTRING* text)
{
    const DWORD needed = ExpandEnvironmentStringsA(*text, nullptr, 0);
    if (!needed)
        return false;
    TArrayCleaner<char> block(new char[needed + 1]());
    if (!block.Get() || !ExpandEnvironmentStringsA(*text, block.Get(), needed + 1))
        return false;
    *text = block.Get();
    return true;
}

}  // namespace registry_text
