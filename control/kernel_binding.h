// The control's binding to the kernel library, loaded by name from the control's own folder:
// the seventeen entry points it uses, each possibly missing, and wrappers that answer 0 then.
#pragma once

#include "accessors.h"
#include "branchrun.h"
#include "filefetch.h"
#include "filefind.h"
#include "kernel.h"
#include "navigation.h"
#include "pagefiles.h"

class KERNELBINDING {
public:
    // Loads the library and binds its entry points; the first binding of the process starts OLE
    // and the media server first. A library that cannot be loaded is told in a message box.
    KERNELBINDING();
    ~KERNELBINDING();
    KERNELBINDING(const KERNELBINDING&) = delete;
    KERNELBINDING& operator=(const KERNELBINDING&) = delete;

    bool Loaded() const { return library_ != nullptr; }
    KERNEL* Kernel() const { return kernel_; }
    bool CanLoad() const { return load_ != nullptr; }

    // The kernel for the host window (null when it cannot be made), and its end.
    KERNEL* Construct(HWND host, void* hostData);
    void Destruct();

    int Load(const char* file);
    void SetAppPath(const char* folder);
    void SetAppExtent(int width, int height);
    void SetScnPath(const char* folder);
    LRESULT Command(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void GetFileSync(const char* name, char* local);
    int GetBranchParams(BRANCH* branch, char* target, char* name, char* userString, char* parameter, char* file);
    void SetBranchLocation(BRANCH* branch, const char* file);
    void SetFilterBranch(KERNFILTERBRANCH filter);
    int FindFileOld(char* name);
    int FindFile(char* name);
    unsigned long FormatVersionStringAsDWORD(const char* text);
    int Quit();

    // The size of each text buffer of GetBranchParams.
    static constexpr int kBranchTextSize = 1024;

private:
    HMODULE library_ = nullptr;
    KERNEL* kernel_ = nullptr;
    decltype(&::KernStart) start_ = nullptr;
    decltype(&::KernEnd) end_ = nullptr;
    decltype(&::KernConstructeur) constructeur_ = nullptr;
    decltype(&::KernDestructeur) destructeur_ = nullptr;
    decltype(&::KernLoad) load_ = nullptr;
    decltype(&::KernSetAppPath) setAppPath_ = nullptr;
    decltype(&::KernSetAppExtent) setAppExtent_ = nullptr;
    decltype(&::KernSetScnPath) setScnPath_ = nullptr;
    decltype(&::KernCommand) command_ = nullptr;
    decltype(&::KernGetFileSync) getFileSync_ = nullptr;
    decltype(&::KernGetBranchParams) getBranchParams_ = nullptr;
    decltype(&::KernSetBranchLocation) setBranchLocation_ = nullptr;
    decltype(&::KernSetFilterBranch) setFilterBranch_ = nullptr;
    decltype(&::KernFindFileOld) findFileOld_ = nullptr;
    decltype(&::KernFindFile) findFile_ = nullptr;
    decltype(&::KernFormatVersionStringAsDWORD) formatVersion_ = nullptr;
    decltype(&::KernQuit) quit_ = nullptr;
};
