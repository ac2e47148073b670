// The flat registry functions: one string value under a root key, read as text or as an
// integer, or written.
#include "qxregistry.h"

#include "registry_text.h"

#include <climits>
#include <cstring>

namespace {

using registry_text::OpenedKey;

// The REG_SZ value, read from a key that is opened but never created.
bool ReadStringValue(HKEY root, const char* subkey, const char* valueName, QXSTRING* out)
{
    OpenedKey opened;
    if (RegOpenKeyExA(root, subkey, 0, KEY_READ, &opened.key) != ERROR_SUCCESS)
        return false;
    DWORD type = REG_NONE;
    QXSTRING text;
    if (registry_text::Read(opened.key, valueName, &type, &text) != registry_text::Found::Text || type != REG_SZ)
        return false;
    *out = text;
    return true;
}

bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// Leading blanks, an optional sign, then decimal digits up to the first other character.
int ParseDecimal(const char* text)
{
    while (IsBlank(*text))
        ++text;
    const bool negative = *text == '-';
    if (*text == '-' || *text == '+')
        ++text;
    long long value = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        value = value * 10 + (*text - '0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            break;  // far enough to clamp
    }
    if (negative)
        value = -value;
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

}  // namespace

int SetRegistryStringValue(HKEY root, const char* subkey, const char* valueName, const char* text)
{
    if (!root || !subkey || !valueName || !text)
        return 0;
    OpenedKey opened;
    if (RegCreateKeyExA(root, subkey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                        &opened.key, nullptr) != ERROR_SUCCESS)
        return 0;
    const DWORD size = static_cast<DWORD>(std::strlen(text) + 1);
    return RegSetValueExA(opened.key, valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), size)
                   == ERROR_SUCCESS
               ? 1
               : 0;
}

int GetRegistryStrValueAsString(HKEY root, const char* subkey, const char* valueName, const char* defaultText,
                                QXSTRING* out)
{
    if (!out)
        return 0;
    *out = defaultText;
    if (!root || !defaultText)
        return 0;
    return ReadStringValue(root, subkey, valueName, out) ? 1 : 0;
}

int GetRegistryStrValueAsInteger(HKEY root, const char* subkey, const char* valueName, int defaultValue, int* out)
{
    if (!out)
        return 0;
    *out = defaultValue;
    QXSTRING text;
    if (!root || !ReadStringValue(root, subkey, valueName, &text))
        return 0;
    *out = ParseDecimal(text);
    return 1;
}
