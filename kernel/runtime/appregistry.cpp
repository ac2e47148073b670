// The host's settings keys as the kernel knows them, and the CD-ROM root they record.
#include "filefind.h"

#include "kernel.h"
#include "qxregistry.h"

namespace {

int BaseKey(KERNEL* kernel, QXSTRING qkrn_CREGISTRYINFOS::*which, QXSTRING* key)
{
    if (!kernel || !kernel->registry || !key || (kernel->registry->*which).length() == 0)
        return 0;
    *key = kernel->registry->*which;
    return 1;
}

}  // namespace

int KernGetAppCurrentUserRegBaseKey(KERNEL* kernel, QXSTRING* key)
{
    return BaseKey(kernel, &qkrn_CREGISTRYINFOS::currentUserKey, key);
}

int KernGetAppAllUsersRegBaseKey(KERNEL* kernel, QXSTRING* key)
{
    return BaseKey(kernel, &qkrn_CREGISTRYINFOS::allUsersKey, key);
}

int KernGetCDROMPath(KERNEL* kernel, QXSTRING* path)
{
    if (!kernel || !kernel->registry)
        return 0;
    const qkrn_CREGISTRYINFOS& registry = *kernel->registry;
    if (kernel->cdromRoot.length() == 0) {
        // The user's own setting first, then the one made for every user.
        QXSTRING root;
        GetRegistryStrValueAsString(HKEY_CURRENT_USER, registry.currentUserKey + registry.subKey,
                                    registry.valueName, "", &root);
        if (root.length() == 0)
            GetRegistryStrValueAsString(HKEY_USERS, registry.allUsersKey + registry.subKey, registry.valueName, "",
                                        &root);
        if (root.length() == 0)
            return 0;
        kernel->cdromRoot = root;
    }
    if (path)
        *path = kernel->cdromRoot;
    return 1;
}
