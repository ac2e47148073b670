// A registry key opened for one settings call and closed with it, with the typed reads and
// writes that the proxy settings and the browsers' settings need. Texts go through the
// single-byte calls, so they are stored and read in the system's code page.
#pragma once

#include <string>

#include "qxweb.h"

enum class RegistryRead {
    Done,
    Missing,    // no such value (or the key is not open)
    OtherType,  // the value exists with a type that the read does not accept
};

class RegistryKey {
public:
    enum Access { Reading, Writing };

    // Reading opens root\path only when it exists; Writing creates the keys that are missing.
    RegistryKey(HKEY root, const char* path, Access access);
    ~RegistryKey();
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    bool IsOpen() const { return key_ != nullptr; }
    bool Has(const char* name) const;

    // A REG_SZ or REG_EXPAND_SZ value (unexpanded), up to its first terminator and cut to the
    // library's text limit. A null name reads the key's default value.
    RegistryRead ReadText(const char* name, std::string* out) const;
    // A REG_DWORD value.
    RegistryRead ReadInteger(const char* name, DWORD* out) const;
    // The bytes of a value of any type, as stored.
    RegistryRead ReadRaw(const char* name, std::string* out) const;

    // False when the key is not open or the value cannot be set. Texts are cut to the limit.
    bool WriteText(const char* name, const char* text) const;
    bool WriteInteger(const char* name, DWORD value) const;

private:
    RegistryRead Query(const char* name, DWORD* type, std::string* data) const;

    HKEY key_ = nullptr;
};
