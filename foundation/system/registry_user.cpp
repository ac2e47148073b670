// User settings: a value of the current user's key, else of the same key of the default user,
// so that an installation can give every account its settings once.
#include "qxregistry.h"

namespace {

// The same key as the current user's, below HKEY_USERS.
QXSTRING DefaultUserKey(const char* key) { return QXSTRING(".Default\\") + key; }

}  // namespace

int GetUserSettingAsString(const char* key, const char* valueName, const char* defaultText, QXSTRING* out)
{
    if (!key)  // no key to read: the reader gives the default and 0
        return GetRegistryStrValueAsString(nullptr, key, valueName, defaultText, out);
    return GetRegistryStrValueAsString(HKEY_CURRENT_USER, key, valueName, defaultText, out)
           || GetRegistryStrValueAsString(HKEY_USERS, DefaultUserKey(key), valueName, defaultText, out);
}

int GetUserSettingAsInteger(const char* key, const char* valueName, int defaultValue, int* out)
{
    if (!key)  // no key to read: the reader gives the default and 0
        return GetRegistryStrValueAsInteger(nullptr, key, valueName, defaultValue, out);
    return GetRegistryStrValueAsInteger(HKEY_CURRENT_USER, key, valueName, defaultValue, out)
           || GetRegistryStrValueAsInteger(HKEY_USERS, DefaultUserKey(key), valueName, defaultValue, out);
}
