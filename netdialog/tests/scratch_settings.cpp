// The scratch settings key: writing fixtures and reading back what the form stored.
#include "scratch_settings.h"

#include <gtest/gtest.h>

ScratchSettings::ScratchSettings() { RegDeleteTreeA(HKEY_CURRENT_USER, BaseKey()); }

ScratchSettings::~ScratchSettings() { RegDeleteTreeA(HKEY_CURRENT_USER, BaseKey()); }

void ScratchSettings::Put(const char* subkey, const char* name, DWORD type, const void* bytes, DWORD size) const
{
    HKEY key;
    const std::string path = std::string(BaseKey()) + "\\" + subkey;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                             &key, nullptr));
    EXPECT_EQ(ERROR_SUCCESS, RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(bytes), size));
    RegCloseKey(key);
}

void ScratchSettings::PutText(const char* subkey, const char* name, const std::string& value) const
{
    Put(subkey, name, REG_SZ, value.c_str(), DWORD(value.size() + 1));
}

void ScratchSettings::PutInteger(const char* subkey, const char* name, DWORD value) const
{
    Put(subkey, name, REG_DWORD, &value, sizeof value);
}

void ScratchSettings::PutCustomSettings() const
{
    PutText("FTP", "URL", "ftpproxy.example");
    PutInteger("FTP", "Active", 1);
    PutInteger("FTP", "Port", 8021);
    PutInteger("FTP", "UsePASV", 1);
    PutInteger("FTP", "AuthenticationNeeded", 1);
    PutText("FTP", "Username", "gardien");
    PutText("FTP", "Password", "secret");
    PutText("FTP", "CommandStyle", "SITE $host$");
    PutInteger("FTP", "AfterRemoteLogon", 2);
    PutText("HTTP", "URL", "webproxy.example");
    PutInteger("HTTP", "Active", 1);
    PutInteger("HTTP", "Port", 8080);
}

StoredValue ScratchSettings::Read(const char* subkey, const char* name) const
{
    StoredValue value;
    const std::string path = std::string(BaseKey()) + "\\" + subkey;
    DWORD size = 0;
    if (RegGetValueA(HKEY_CURRENT_USER, path.c_str(), name, RRF_RT_ANY | RRF_NOEXPAND, &value.type, nullptr, &size) !=
        ERROR_SUCCESS)
        return {};
    value.bytes.resize(size);
    RegGetValueA(HKEY_CURRENT_USER, path.c_str(), name, RRF_RT_ANY | RRF_NOEXPAND, nullptr, value.bytes.data(), &size);
    value.bytes.resize(size);
    return value;
}

bool ScratchSettings::Has(const char* subkey, const char* name) const { return Read(subkey, name).type != REG_NONE; }

std::string ScratchSettings::Text(const char* subkey, const char* name) const
{
    const StoredValue value = Read(subkey, name);
    return value.type == REG_SZ ? std::string(value.bytes.c_str()) : std::string();
}

DWORD ScratchSettings::Integer(const char* subkey, const char* name) const
{
    const StoredValue value = Read(subkey, name);
    DWORD number = 0xDEADBEEF;
    if (value.type == REG_DWORD && value.bytes.size() == sizeof number)
        memcpy(&number, value.bytes.data(), sizeof number);
    return number;
}

std::map<std::string, StoredValue> ScratchSettings::Values(const char* subkey) const
{
    std::map<std::string, StoredValue> values;
    HKEY key;
    const std::string path = std::string(BaseKey()) + "\\" + subkey;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return values;
    char name[256];
    for (DWORD index = 0;; ++index) {
        DWORD length = sizeof name;
        if (RegEnumValueA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        values[name] = Read(subkey, name);
    }
    RegCloseKey(key);
    return values;
}
