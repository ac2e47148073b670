// Calling a branch's user function: the DLL is fetched, loaded for the call and freed.
#include "branchdll.h"

#include "branch.h"
#include "filefetch.h"
#include "kernel.h"
#include "kernelprocess.h"
#include "kernelres.h"
#include "qxpath.h"
#include "remotecode.h"

#include <cstring>

namespace {

using BRANCHFUNCTION = int(WINAPI*)(HWND source, char* parameter);

bool NamesADll(const char* name)
{
    const char* dot = std::strrchr(name, '.');
    return dot && lstrcmpiA(dot, ".DLL") == 0;
}

// A DLL built for 32-bit Windows names a module that this 64-bit program cannot load.
void AlertWrongArchitecture(KERNEL* kernel, const char* dll)
{
    KernAlert(KernGetAppWindow(kernel), IDS_BRANCH_ERROR, IDS_DLL_WRONG_ARCHITECTURE, dll);
}

}  // namespace

int KernCallBranchFunction(KERNEL* kernel, BRANCH* branch)
{
    if (!branch->dll.length() || !branch->function.length() || !NamesADll(branch->dll))
        return QX_BRANCH_FUNCTION_NOT_CALLED;
    if (KernIsRemoteCode(branch->dll)) {
        KernAlertRemoteCode(kernel, branch->dll);
        return QX_BRANCH_FUNCTION_NOT_CALLED;
    }
    GETFILE_STRUCT request;
    KernGetFile(kernel, branch->dll, QX_FETCH_SYNC, 0, nullptr, &request, nullptr, nullptr);
    if (!request.localFile.length() || !DoFileExist(request.localFile))
        return QX_BRANCH_FUNCTION_NOT_CALLED;
    const UINT previousMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    HMODULE module = LoadLibraryA(request.localFile);
    const DWORD error = GetLastError();
    SetErrorMode(previousMode);
    if (!module) {
        if (error == ERROR_BAD_EXE_FORMAT)
            AlertWrongArchitecture(kernel, branch->dll);
        return QX_BRANCH_FUNCTION_NOT_CALLED;
    }
    auto function = reinterpret_cast<BRANCHFUNCTION>(reinterpret_cast<void*>(GetProcAddress(module, branch->function)));
    if (!function) {
        FreeLibrary(module);
        return QX_BRANCH_FUNCTION_NOT_CALLED;
    }
    // The publication's data module reads the kernel and the branch from its first two slots.
    if (kernel->scnData) {
        void** slots = static_cast<void**>(kernel->scnData);
        slots[0] = kernel;
        slots[1] = branch;
    }
    const int answer = function(branch->source, const_cast<char*>(static_cast<const char*>(branch->parameter)));
    FreeLibrary(module);
    return answer;
}
