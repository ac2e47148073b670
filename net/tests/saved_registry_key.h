// Puts a registry key tree back as it was before a test wrote into it: the tree is copied
// at construction and, at destruction, deleted and rebuilt from the copy (or just deleted
// when it did not exist).
#pragma once

#include <windows.h>

#include <map>
#include <string>

class SavedRegistryKey {
public:
    SavedRegistryKey(HKEY root, std::string path);
    ~SavedRegistryKey();
    SavedRegistryKey(const SavedRegistryKey&) = delete;
    SavedRegistryKey& operator=(const SavedRegistryKey&) = delete;

    struct Tree {
        std::map<std::string, std::pair<DWORD, std::string>> values;  // type and bytes
        std::map<std::string, Tree> keys;
    };

private:
    HKEY root_;
    std::string path_;
    bool existed_;
    Tree saved_;
};
