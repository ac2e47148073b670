// The page's procedure: a function of a user DLL, or one set directly through property 1000,
// that sees every message of the page window before the page does.
#include "page.h"

#include "filefetch.h"
#include "kernel.h"
#include "remotecode.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

void PAGE::DropPageHook()
{
    if (procModule) {
        if (procHook)
            procHook(window, WM_DESTROY, 0, 0);
        FreeLibrary(procModule);
        procModule = nullptr;
    }
}

int PAGE::BindPageHook()
{
    if (KernGetMode(kernel) == QX_MODE_PRESENTATION && procModule && procHook)
        return QX_HOOK_BOUND;
    DropPageHook();
    if (!procDll.length()) {
        procHook = nullptr;
        procFunction[0] = '\0';
        return QX_HOOK_NO_DLL;
    }
    if (!procFunction[0]) {
        procDll = "";
        return QX_HOOK_NO_FUNCTION;
    }
    if (lstrcmpiA(procDll, QX_EXTERNAL_FUNCTION) == 0)
        return QX_HOOK_BOUND;
    procHook = nullptr;
    if (KernIsRemoteCode(procDll)) {
        KernAlertRemoteCode(kernel, procDll);
        return QX_HOOK_REMOTE_REFUSED;
    }
    GETFILE_STRUCT request;
    KernGetFile(kernel, procDll, QX_FETCH_SYNC, 0, nullptr, &request, nullptr, nullptr);
    if (request.localFile.length() && GetFileAttributesA(request.localFile) != INVALID_FILE_ATTRIBUTES) {
        const UINT previous = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
        procModule = LoadLibraryA(request.localFile);
        SetErrorMode(previous);
    }
    if (!procModule)
        return QX_HOOK_DLL_NOT_LOADED;
    procHook = reinterpret_cast<PAGEHOOK>(reinterpret_cast<void*>(GetProcAddress(procModule, procFunction)));
    if (procHook)
        return QX_HOOK_BOUND;
    FreeLibrary(procModule);
    procModule = nullptr;
    procDll = "";
    procFunction[0] = '\0';
    return QX_HOOK_NO_FUNCTION;
}

int PAGE::SetProperties(long id, const char* value)
{
    if (id < 1000)
        return OBJET::SetProperties(id, value);
    if (id != 1000)
        return 1;
    if (!value || !*value)
        return 0;
    // The pointer text of GetProperties: hexadecimal, with or without a "0x" prefix.
    procHook = reinterpret_cast<PAGEHOOK>(static_cast<uintptr_t>(std::strtoull(value, nullptr, 16)));
    procDll = QX_EXTERNAL_FUNCTION;
    lstrcpynA(procFunction, QX_EXTERNAL_FUNCTION, sizeof procFunction);
    BindPageHook();
    return 1;
}

int PAGE::GetProperties(long id, int size, char* buffer)
{
    if (id < 1000)
        return OBJET::GetProperties(id, size, buffer);
    if (id != 1000)
        return 1;
    if (!buffer || size < QX_HOOK_TEXT_CHARS)
        return 0;
    std::snprintf(buffer, static_cast<size_t>(size), "%p", reinterpret_cast<void*>(procHook));
    return 1;
}
