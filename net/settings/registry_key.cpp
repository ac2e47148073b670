// A registry key opened for one settings call and closed with it.
#include "registry_key.h"

#include <cstring>

#include "bounded_text.h"

RegistryKey::RegistryKey(HKEY root, const char* path, Access access)
{
    if (access == Reading) {
        if (RegOpenKeyExA(root, path, 0, KEY_READ, &key_) != ERROR_SUCCESS)
            key_ = nullptr;
    } else if (RegCreateKeyExA(root, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE,
                               nullptr, &key_, nullptr) != ERROR_SUCCESS) {
        key_ = nullptr;
    }
}

RegistryKey::~RegistryKey()
{
    if (key_)
        RegCloseKey(key_);
}

bool RegistryKey::Has(const char* name) const
{
    return key_ && RegQueryValueExA(key_, name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

// The whole value, whatever its size; the size is asked again when the value grew between
// the two calls.
RegistryRead RegistryKey::Query(const char* name, DWORD* type, std::string* data) const
{
    if (!key_)
        return RegistryRead::Missing;
    for (;;) {
        DWORD size = 0;
        if (RegQueryValueExA(key_, name, nullptr, type, nullptr, &size) != ERROR_SUCCESS)
            return RegistryRead::Missing;
        data->resize(size);
        const LONG result = RegQueryValueExA(key_, name, nullptr, type, reinterpret_cast<BYTE*>(data->data()), &size);
        if (result == ERROR_MORE_DATA)
            continue;
        if (result != ERROR_SUCCESS)
            return RegistryRead::Missing;
        data->resize(size);
        return RegistryRead::Done;
    }
}

RegistryRead RegistryKey::ReadText(const char* name, std::string* out) const
{
    DWORD type = REG_NONE;
    std::string data;
    const RegistryRead found = Query(name, &type, &data);
    if (found != RegistryRead::Done)
        return found;
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        return RegistryRead::OtherType;
    *out = BoundedText(data.c_str());
    return RegistryRead::Done;
}

RegistryRead RegistryKey::ReadInteger(const char* name, DWORD* out) const
{
    DWORD type = REG_NONE;
    std::string data;
    const RegistryRead found = Query(name, &type, &data);
    if (found != RegistryRead::Done)
        return found;
    if (type != REG_DWORD || data.size() != sizeof(DWORD))
        return RegistryRead::OtherType;
    std::memcpy(out, data.data(), sizeof(DWORD));
    return RegistryRead::Done;
}

RegistryRead RegistryKey::ReadRaw(const char* name, std::string* out) const
{
    DWORD type = REG_NONE;
    return Query(name, &type, out);
}

bool RegistryKey::WriteText(const char* name, const char* text) const
{
    const std::string stored = BoundedText(text);
    return key_ && RegSetValueExA(key_, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(stored.c_str()),
                                  static_cast<DWORD>(stored.size() + 1)) == ERROR_SUCCESS;
}

bool RegistryKey::WriteInteger(const char* name, DWORD value) const
{
    return key_ && RegSetValueExA(key_, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                                  sizeof value) == ERROR_SUCCESS;
}
