// The control's binding to the kernel library, loaded by name from the control's own folder.
// A container loads the control by its full path: the kernel and the libraries it imports are
// found because the control's folder is the current directory while the kernel loads.
#include "kernel_binding.h"

#include "media_check.h"
#include "module.h"

#include <cstdio>

namespace {

// The live bindings of the process: the first starts OLE and the media server, the last
// releases them.
int bindings = 0;
// OLE is given back only when the first binding started it: a container's thread of another
// apartment kind refuses it.
bool oleStarted = false;

template <typename Function>
void Bind(HMODULE library, const char* name, Function& entry)
{
    entry = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

}  // namespace

KERNELBINDING::KERNELBINDING()
{
    if (bindings++ == 0) {
        oleStarted = SUCCEEDED(OleInitialize(nullptr));
        StartMediaModule();
    }
    const std::string folder = ModuleFolder();
    char name[MAX_PATH + 20] = {};
    snprintf(name, sizeof name, "%sQXCORE%s.DLL", folder.c_str(), "40");
    char current[MAX_PATH] = {};
    GetCurrentDirectoryA(sizeof current, current);
    SetCurrentDirectoryA(folder.c_str());
    library_ = LoadLibraryA(name);
    const DWORD error = GetLastError();
    SetCurrentDirectoryA(current);
    if (!library_) {
        char text[MAX_PATH + 60] = {};
        snprintf(text, sizeof text, "Could not load %s.\nError # %08lX", name, error);
        MessageBoxA(nullptr, text, nullptr, MB_OK | MB_ICONSTOP);
        return;
    }
    Bind(library_, "KernStart", start_);
    Bind(library_, "KernEnd", end_);
    Bind(library_, "KernConstructeur", constructeur_);
    Bind(library_, "KernDestructeur", destructeur_);
    Bind(library_, "KernLoad", load_);
    Bind(library_, "KernSetAppPath", setAppPath_);
    Bind(library_, "KernSetAppExtent", setAppExtent_);
    Bind(library_, "KernSetScnPath", setScnPath_);
    Bind(library_, "KernCommand", command_);
    Bind(library_, "KernGetFileSync", getFileSync_);
    Bind(library_, "KernGetBranchParams", getBranchParams_);
    Bind(library_, "KernSetBranchLocation", setBranchLocation_);
    Bind(library_, "KernSetFilterBranch", setFilterBranch_);
    Bind(library_, "KernFindFileOld", findFileOld_);
    Bind(library_, "KernFindFile", findFile_);
    Bind(library_, "KernFormatVersionStringAsDWORD", formatVersion_);
    Bind(library_, "KernQuit", quit_);
    if (start_) start_(1);
}

KERNELBINDING::~KERNELBINDING()
{
    Destruct();
    if (library_) {
        if (end_) end_();
        FreeLibrary(library_);
    }
    if (--bindings == 0) {
        ReleaseMediaModule();
        if (oleStarted) OleUninitialize();
        oleStarted = false;
    }
}

KERNEL* KERNELBINDING::Construct(HWND host, void* hostData)
{
    if (!kernel_ && constructeur_) kernel_ = constructeur_(host, hostData, nullptr, nullptr, nullptr);
    return kernel_;
}

void KERNELBINDING::Destruct()
{
    if (kernel_ && destructeur_) destructeur_(kernel_);
    kernel_ = nullptr;
}

int KERNELBINDING::Load(const char* file)
{
    return kernel_ && load_ ? load_(kernel_, file, nullptr, 0) : 0;
}

void KERNELBINDING::SetAppPath(const char* folder)
{
    if (kernel_ && setAppPath_) setAppPath_(kernel_, folder);
}

void KERNELBINDING::SetAppExtent(int width, int height)
{
    if (kernel_ && setAppExtent_) setAppExtent_(kernel_, 0, 0, width, height);
}

void KERNELBINDING::SetScnPath(const char* folder)
{
    if (kernel_ && setScnPath_) setScnPath_(kernel_, folder);
}

LRESULT KERNELBINDING::Command(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return kernel_ && command_ ? command_(window, message, wParam, lParam) : 0;
}

void KERNELBINDING::GetFileSync(const char* name, char* local)
{
    if (kernel_ && getFileSync_) getFileSync_(kernel_, name, local);
}

int KERNELBINDING::GetBranchParams(BRANCH* branch, char* target, char* name, char* userString, char* parameter,
                                   char* file)
{
    if (!kernel_ || !getBranchParams_) return 0;
    return getBranchParams_(kernel_, branch, target, kBranchTextSize, name, kBranchTextSize, userString,
                            kBranchTextSize, parameter, kBranchTextSize, file, kBranchTextSize);
}

void KERNELBINDING::SetBranchLocation(BRANCH* branch, const char* file)
{
    if (kernel_ && setBranchLocation_) setBranchLocation_(kernel_, branch, file);
}

void KERNELBINDING::SetFilterBranch(KERNFILTERBRANCH filter)
{
    if (kernel_ && setFilterBranch_) setFilterBranch_(kernel_, filter);
}

int KERNELBINDING::FindFileOld(char* name)
{
    return kernel_ && findFileOld_ ? findFileOld_(kernel_, name, 0, 0) : 0;
}

int KERNELBINDING::FindFile(char* name)
{
    return kernel_ && findFile_ ? findFile_(kernel_, name, 0) : 0;
}

unsigned long KERNELBINDING::FormatVersionStringAsDWORD(const char* text)
{
    return formatVersion_ ? formatVersion_(text) : 0;
}

int KERNELBINDING::Quit()
{
    return kernel_ && quit_ ? quit_(kernel_) : 0;
}
