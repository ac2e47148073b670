// Refusing code that would come from a server.
#include "remotecode.h"

#include "kernel.h"
#include "kernelprocess.h"
#include "kernelres.h"
#include "qxpath.h"

int KernIsRemoteCode(const char* name)
{
    const int kind = name ? GetFileLocation(name, nullptr, 0, nullptr, 0) : QX_LOCATION_NONE;
    return kind == QX_LOCATION_FTP || kind == QX_LOCATION_HTTP ? 1 : 0;
}

void KernAlertRemoteCode(KERNEL* kernel, const char* name)
{
    KernAlert(KernGetAppWindow(kernel), IDS_BRANCH_ERROR, IDS_REMOTE_CODE_REFUSED, name);
}
