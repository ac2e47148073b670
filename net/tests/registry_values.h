// Writing and reading single registry values as the tests set up and inspect them.
#pragma once

#include <windows.h>

#include <string>

inline void PutText(HKEY root, const char* path, const char* name, const std::string& text)
{
    RegSetKeyValueA(root, path, name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
}

inline void PutInteger(HKEY root, const char* path, const char* name, DWORD value)
{
    RegSetKeyValueA(root, path, name, REG_DWORD, &value, sizeof value);
}

inline void PutBinary(HKEY root, const char* path, const char* name, const std::string& bytes)
{
    RegSetKeyValueA(root, path, name, REG_BINARY, bytes.data(), static_cast<DWORD>(bytes.size()));
}

inline void RemoveValue(HKEY root, const char* path, const char* name)
{
    RegDeleteKeyValueA(root, path, name);
}

// The bytes of a value as stored, terminator included for texts; empty when missing.
inline std::string StoredBytes(HKEY root, const char* path, const char* name, DWORD* type = nullptr)
{
    char data[4096];
    DWORD size = sizeof data;
    DWORD storedType = REG_NONE;
    if (RegGetValueA(root, path, name, RRF_RT_ANY | RRF_NOEXPAND, &storedType, data, &size) != ERROR_SUCCESS)
        return {};
    if (type)
        *type = storedType;
    return std::string(data, size);
}

inline DWORD StoredInteger(HKEY root, const char* path, const char* name)
{
    DWORD value = 0xDEADBEEF;
    DWORD size = sizeof value;
    RegGetValueA(root, path, name, RRF_RT_REG_DWORD, nullptr, &value, &size);
    return value;
}
