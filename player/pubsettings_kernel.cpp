// Reading the publication settings through the kernel: fetching the file, resolving every
// name it gives, the data module and the extra files.
#include "player.h"
#include "resource.h"

#include "accessors.h"
#include "filefetch.h"
#include "filefind.h"
#include "qxpath.h"
#include "qxutil.h"
#include "remotecode.h"

#include <cstdio>

namespace {

std::string LoadText(const PUBSETTINGS& s, UINT id)
{
    char text[500] = {};
    LoadStringA(s.instance, id, text, sizeof text);
    return text;
}

bool IsLocalOrUnc(const std::string& name)
{
    int kind = GetFileLocation(name.c_str(), nullptr, 0, nullptr, 0);
    return kind == QX_LOCATION_LOCAL || kind == QX_LOCATION_UNC;
}

// The folder of a local name or of an address, with its final separator.
std::string FolderOf(const std::string& file)
{
    size_t slash = file.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : file.substr(0, slash + 1);
}

std::string Fetched(KERNEL* kernel, const std::string& name)
{
    GETFILE_STRUCT request;
    KernGetFile(kernel, name.c_str(), QX_FETCH_SYNC, 0, nullptr, &request, nullptr, nullptr);
    std::string local = static_cast<const char*>(request.localFile);
    return !local.empty() && GetFileAttributesA(local.c_str()) != INVALID_FILE_ATTRIBUTES ? local : std::string();
}

// Absolute against the settings file's folder, through the old relocation rule for an old
// publication, then located by the kernel.
void ResolveName(const PUBSETTINGS& s, bool old, std::string& name)
{
    if (name.empty()) return;
    QXSTRING resolved;
    QXFileToAbsolutePathStr(FolderOf(s.settingsFile).c_str(), name.c_str(), &resolved);
    if (old) KernFindFileOldStr(s.kernel, &resolved, 1, 1);
    KernFindFileStr(s.kernel, &resolved, 1);
    name = static_cast<const char*>(resolved);
}

void FetchExtraFiles(PUBSETTINGS& s, bool old)
{
    for (std::string& name : s.extraFiles) {
        ResolveName(s, old, name);
        if (Fetched(s.kernel, name).empty()) {
            char text[1100];
            std::snprintf(text, sizeof text, LoadText(s, IDS_EXTRA_FILE_MISSING).c_str(), name.c_str());
            Alert(s.window, LoadText(s, IDS_EXTRA_FILE_ERROR).c_str(), text);
        }
    }
}

bool ReadIniWithKernel(PUBSETTINGS& s, const std::string& local)
{
    char version[64] = {};
    GetPrivateProfileStringA("General", "Version", "0.0.0.0", version, sizeof version, local.c_str());
    bool old = KernFormatVersionStringAsDWORD(version) == 0;
    ReadIniForm(local.c_str(), s, ScreenWidth(), ScreenHeight());
    for (std::string* name : {&s.firstPage, &s.dataModuleName, &s.bookmarkFile, &s.imageFile})
        ResolveName(s, old, *name);
    for (std::string& name : s.perWidthImages) ResolveName(s, old, name);
    if (s.logoType == 1) ResolveName(s, old, s.logoStr);
    FetchExtraFiles(s, old);
    return true;
}

bool ReadOlderWithKernel(PUBSETTINGS& s, const std::string& local)
{
    if (!ReadOlderForm(local.c_str(), s)) {
        Alert(s.window, LoadText(s, IDS_FILE_ERROR).c_str(), LoadText(s, IDS_CANNOT_LOAD_PUBLICATION).c_str());
        return false;
    }
    if (!s.dataModuleName.empty()) {
        QXSTRING name = s.dataModuleName.c_str();
        KernFindFileStr(s.kernel, &name, 1);
        s.dataModuleName = static_cast<const char*>(name);
    }
    return true;
}

template <class Function>
Function Export(HMODULE module, const char* name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

using DataAlloc = void*(WINAPI*)(KERNEL*);
using DataFreeFn = void(WINAPI*)(void*);

}  // namespace

void SetSettingsFile(PUBSETTINGS& s, const std::string& name)
{
    s.settingsFile = name;
    if (name.empty() || !s.kernel) return;
    if (IsLocalOrUnc(name)) {
        KernSetScnPath(s.kernel, FolderOf(name).c_str());
    } else if (*KernGetCachePath(s.kernel)) {
        KernSetScnPath(s.kernel, (std::string(KernGetCachePath(s.kernel)) + "\\").c_str());
    }
}

int ReadPublicationFile(PUBSETTINGS& s, bool loadDataModule)
{
    if (s.settingsFile.empty()) return 1;
    std::string name = s.settingsFile;
    std::string local = Fetched(s.kernel, name);
    if (local.empty()) return 0;
    SetSettingsFile(s, name);
    SetPubDefaults(s);
    bool read = HasGeneralKeys(local.c_str()) ? ReadIniWithKernel(s, local) : ReadOlderWithKernel(s, local);
    if (!read) return 0;
    DropUnusedNames(s);
    s.layoutPending = true;
    if (IsLocalOrUnc(s.firstPage)) {
        QXSTRING first = s.firstPage.c_str();
        KernFindFileStr(s.kernel, &first, 1);
        s.firstPage = static_cast<const char*>(first);
        if (s.firstPage.find('\\') == std::string::npos) s.firstPage = FolderOf(s.settingsFile) + s.firstPage;
    }
    if (loadDataModule) LoadDataModule(s, s.dataModuleName);
    return 1;
}

void LoadDataModule(PUBSETTINGS& s, const std::string& name)
{
    if (name.empty() || (s.dataModule && lstrcmpiA(name.c_str(), s.loadedDataModule.c_str()) == 0)) return;
    FreeDataModule(s);
    if (KernIsRemoteCode(name.c_str())) {
        KernAlertRemoteCode(s.kernel, name.c_str());
        return;
    }
    std::string local = Fetched(s.kernel, name);
    char text[1100];
    if (local.empty()) {
        std::snprintf(text, sizeof text, LoadText(s, IDS_CANNOT_FIND_MODULE).c_str(), name.c_str());
        Alert(s.window, LoadText(s, IDS_FILE_ERROR).c_str(), text);
        return;
    }
    HMODULE module = LoadLibraryA(local.c_str());
    if (!module) {
        std::snprintf(text, sizeof text, LoadText(s, IDS_CANNOT_LOAD_MODULE).c_str(), name.c_str(),
                      static_cast<int>(GetLastError()));
        Alert(s.window, LoadText(s, IDS_FILE_ERROR).c_str(), text);
        return;
    }
    if (Export<DataAlloc>(module, "AllocData") && Export<DataFreeFn>(module, "FreeData")) {
        KernSetScnData(s.kernel, Export<DataAlloc>(module, "AllocData")(s.kernel));
    } else if (Export<DataAlloc>(module, "DataAllocate") && Export<DataFreeFn>(module, "DataFree")) {
        KernSetScnDataNoCPP(s.kernel, Export<DataAlloc>(module, "DataAllocate")(s.kernel));
    } else {
        FreeLibrary(module);
        return;
    }
    s.dataModule = module;
    s.loadedDataModule = name;
}

void FreeDataModule(PUBSETTINGS& s)
{
    if (!s.dataModule) return;
    void* data = s.kernel ? KernGetScnData(s.kernel) : nullptr;
    void* dataNoCpp = s.kernel ? KernGetScnDataNoCPP(s.kernel) : nullptr;
    if (s.kernel) {
        KernSetScnData(s.kernel, nullptr);
        KernSetScnDataNoCPP(s.kernel, nullptr);
    }
    if (data)
        if (auto free = Export<DataFreeFn>(s.dataModule, "FreeData")) free(data);
    if (dataNoCpp)
        if (auto free = Export<DataFreeFn>(s.dataModule, "DataFree")) free(dataNoCpp);
    FreeLibrary(s.dataModule);
    s.dataModule = nullptr;
    s.loadedDataModule.clear();
}

void ResetPublication(PUBSETTINGS& s)
{
    SetPubDefaults(s);
    s.idleTime = 0;
    s.settingsFile.clear();
    if (s.kernel) KernSetScnPath(s.kernel, KernGetAppPath(s.kernel));
    FreeDataModule(s);
    s.extraFiles.clear();
}
