// Registry access of the network settings: texts as REG_SZ, integers as REG_DWORD.
#include "settings_key.h"

SettingsKey::SettingsKey(HKEY root, const std::string& path)
{
    HKEY key;
    if (RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key,
                        nullptr) == ERROR_SUCCESS)
        key_ = key;
}

SettingsKey::~SettingsKey()
{
    if (key_)
        RegCloseKey(key_);
}

std::string SettingsKey::TextOrDefault(const char* name, const char* fallback)
{
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(key_, name, nullptr, &type, nullptr, &size) == ERROR_SUCCESS && type == REG_SZ) {
        // One byte more than stored, so that a text saved without its terminator still ends.
        std::string value(size + 1, '\0');
        if (RegQueryValueExA(key_, name, nullptr, nullptr, reinterpret_cast<BYTE*>(value.data()), &size) ==
            ERROR_SUCCESS) {
            value.resize(strlen(value.c_str()));
            return value;
        }
    }
    PutText(name, fallback);
    return fallback;
}

std::optional<int> SettingsKey::StoredInteger(const char* name) const
{
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof value;
    if (RegQueryValueExA(key_, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) == ERROR_SUCCESS &&
        type == REG_DWORD)
        return int(value);
    return std::nullopt;
}

int SettingsKey::IntegerOrDefault(const char* name, int fallback)
{
    if (const std::optional<int> stored = StoredInteger(name))
        return *stored;
    PutInteger(name, fallback);
    return fallback;
}

void SettingsKey::PutText(const char* name, const std::string& value)
{
    RegSetValueExA(key_, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()), DWORD(value.size() + 1));
}

void SettingsKey::PutInteger(const char* name, int value)
{
    const DWORD stored = DWORD(value);
    RegSetValueExA(key_, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&stored), sizeof stored);
}
