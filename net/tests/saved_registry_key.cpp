// Puts a registry key tree back as it was before a test wrote into it.
#include "saved_registry_key.h"

#include <utility>

namespace {

SavedRegistryKey::Tree Copy(HKEY key)
{
    SavedRegistryKey::Tree tree;
    for (DWORD i = 0;; ++i) {
        char name[16384];
        DWORD nameSize = sizeof name;
        DWORD type = 0;
        DWORD dataSize = 0;
        if (RegEnumValueA(key, i, name, &nameSize, nullptr, &type, nullptr, &dataSize) != ERROR_SUCCESS)
            break;
        std::string data(dataSize, '\0');
        RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &dataSize);
        tree.values[name] = {type, data};
    }
    for (DWORD i = 0;; ++i) {
        char name[256];
        if (RegEnumKeyA(key, i, name, sizeof name) != ERROR_SUCCESS)
            break;
        HKEY child;
        if (RegOpenKeyExA(key, name, 0, KEY_READ, &child) == ERROR_SUCCESS) {
            tree.keys[name] = Copy(child);
            RegCloseKey(child);
        }
    }
    return tree;
}

void Rebuild(HKEY root, const std::string& path, const SavedRegistryKey::Tree& tree)
{
    HKEY key;
    if (RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return;
    for (const auto& [name, value] : tree.values)
        RegSetValueExA(key, name.c_str(), 0, value.first, reinterpret_cast<const BYTE*>(value.second.data()),
                       static_cast<DWORD>(value.second.size()));
    RegCloseKey(key);
    for (const auto& [name, child] : tree.keys)
        Rebuild(root, path + "\\" + name, child);
}

}  // namespace

SavedRegistryKey::SavedRegistryKey(HKEY root, std::string path) : root_(root), path_(std::move(path))
{
    HKEY key;
    existed_ = RegOpenKeyExA(root_, path_.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS;
    if (existed_) {
        saved_ = Copy(key);
        RegCloseKey(key);
    }
}

SavedRegistryKey::~SavedRegistryKey()
{
    RegDeleteTreeA(root_, path_.c_str());
    RegDeleteKeyA(root_, path_.c_str());
    if (existed_)
        Rebuild(root_, path_, saved_);
}
