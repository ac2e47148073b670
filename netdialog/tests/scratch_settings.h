// A scratch base key under HKEY_CURRENT_USER for one test, removed with all it holds.
#pragma once

#include <windows.h>

#include <map>
#include <string>

// A stored value: its registry type and bytes, enough to tell any change.
struct StoredValue {
    DWORD type = REG_NONE;
    std::string bytes;
    bool operator==(const StoredValue&) const = default;
};

class ScratchSettings {
public:
    ScratchSettings();
    ~ScratchSettings();
    ScratchSettings(const ScratchSettings&) = delete;
    ScratchSettings& operator=(const ScratchSettings&) = delete;

    // The base key name handed to the dialog.
    const char* BaseKey() const { return "Software\\QorvexTests\\NetDialog"; }

    // `subkey` is "FTP" or "HTTP".
    void PutText(const char* subkey, const char* name, const std::string& value) const;
    void PutInteger(const char* subkey, const char* name, DWORD value) const;
    // Both keys complete, with values unlike the defaults.
    void PutCustomSettings() const;

    bool Has(const char* subkey, const char* name) const;
    std::string Text(const char* subkey, const char* name) const;  // "" unless a REG_SZ
    DWORD Integer(const char* subkey, const char* name) const;      // 0xDEADBEEF unless a REG_DWORD
    // Every value of the subkey by name.
    std::map<std::string, StoredValue> Values(const char* subkey) const;

private:
    void Put(const char* subkey, const char* name, DWORD type, const void* bytes, DWORD size) const;
    StoredValue Read(const char* subkey, const char* name) const;
};
