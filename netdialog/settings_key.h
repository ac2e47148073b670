// One registry key of the network settings, opened for reading and writing its values.
#pragma once

#include "netdlg_base.h"

#include <optional>
#include <string>

class SettingsKey {
public:
    // Opens root\path, creating the keys on the way when they are missing.
    SettingsKey(HKEY root, const std::string& path);
    ~SettingsKey();
    SettingsKey(const SettingsKey&) = delete;
    SettingsKey& operator=(const SettingsKey&) = delete;

    bool IsOpen() const { return key_ != nullptr; }

    // The stored value; one that is missing, or stored with another type and so unusable,
    // is written with the default, which is answered.
    std::string TextOrDefault(const char* name, const char* fallback);
    int IntegerOrDefault(const char* name, int fallback);
    // The stored integer, written nowhere when it is missing.
    std::optional<int> StoredInteger(const char* name) const;

    void PutText(const char* name, const std::string& value);
    void PutInteger(const char* name, int value);

private:
    HKEY key_ = nullptr;
};
