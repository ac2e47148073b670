// The registry entries of the control's classes and of its type library.
#include "registration.h"

#include "control_ids.h"
#include "module.h"

#include <oleauto.h>
#include <olectl.h>

#include <string>

namespace {

struct CLASSENTRY {
    const GUID* clsid;
    const char* progId;
    const char* title;
    bool control;  // a control has the keys containers list controls by
};

constexpr CLASSENTRY kClasses[] = {
    {&CLSID_QXStageCtrl, QXSTAGE_CTRL_PROGID, "QXStage Control", true},
    {&CLSID_QXStagePropPage, QXSTAGE_PAGE_PROGID, "QXStage Property Page", false},
};

// The verb a container lists in its menu of the control: name, menu flags, OLEVERBATTRIB_ONCONTAINERMENU.
constexpr char kPropertiesVerb[] = "&Propriétés...,0,2";

std::string GuidText(const GUID& id)
{
    wchar_t wide[40] = {};
    StringFromGUID2(id, wide, 40);
    char text[40] = {};
    WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text, nullptr, nullptr);
    return text;
}

std::wstring ModuleFile()
{
    wchar_t file[MAX_PATH] = {};
    GetModuleFileNameW(ModuleInstance(), file, MAX_PATH);
    return file;
}

std::string ModuleFileAnsi()
{
    char file[MAX_PATH] = {};
    GetModuleFileNameA(ModuleInstance(), file, sizeof file);
    return file;
}

// Sets the value (the key's default when name is null) under HKEY_CLASSES_ROOT\key.
bool SetText(const std::string& key, const char* name, const std::string& value)
{
    HKEY handle = nullptr;
    if (RegCreateKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &handle, nullptr) !=
        ERROR_SUCCESS)
        return false;
    const LONG result = RegSetValueExA(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                       static_cast<DWORD>(value.size() + 1));
    RegCloseKey(handle);
    return result == ERROR_SUCCESS;
}

bool RegisterOneClass(const CLASSENTRY& entry)
{
    const std::string clsid = GuidText(*entry.clsid);
    const std::string key = "CLSID\\" + clsid;
    bool done = SetText(key, nullptr, entry.title) && SetText(key + "\\InprocServer32", nullptr, ModuleFileAnsi())
                && SetText(key + "\\InprocServer32", "ThreadingModel", "Apartment")
                && SetText(key + "\\ProgID", nullptr, entry.progId) && SetText(entry.progId, nullptr, entry.title)
                && SetText(std::string(entry.progId) + "\\CLSID", nullptr, clsid);
    if (done && entry.control)
        done = SetText(key + "\\Control", nullptr, "") && SetText(key + "\\MiscStatus", nullptr, "0")
               && SetText(key + "\\MiscStatus\\1", nullptr, std::to_string(QXSTAGE_MISC_STATUS))
               && SetText(key + "\\Verb\\" + std::to_string(OLEIVERB_PROPERTIES), nullptr, kPropertiesVerb)
               && SetText(key + "\\TypeLib", nullptr, GuidText(LIBID_QXStage))
               && SetText(key + "\\Version", nullptr,
                          std::to_string(QXSTAGE_LIB_MAJOR) + "." + std::to_string(QXSTAGE_LIB_MINOR));
    return done;
}

bool DeleteTree(const std::string& key)
{
    const LONG result = RegDeleteTreeA(HKEY_CLASSES_ROOT, key.c_str());
    return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}

}  // namespace

bool RegisterTypeLibrary()
{
    ITypeLib* library = nullptr;
    if (FAILED(LoadTypeLibEx(ModuleFile().c_str(), REGKIND_REGISTER, &library))) return false;
    library->Release();
    return true;
}

bool UnregisterTypeLibrary()
{
    const HRESULT result = UnRegisterTypeLib(LIBID_QXStage, QXSTAGE_LIB_MAJOR, QXSTAGE_LIB_MINOR, LOCALE_NEUTRAL,
                                             SYS_WIN64);
    return SUCCEEDED(result) || result == TYPE_E_REGISTRYACCESS;
}

bool RegisterClasses()
{
    for (const CLASSENTRY& entry : kClasses)
        if (!RegisterOneClass(entry)) return false;
    return true;
}

bool UnregisterClasses()
{
    for (const CLASSENTRY& entry : kClasses)
        if (!DeleteTree("CLSID\\" + GuidText(*entry.clsid)) || !DeleteTree(entry.progId)) return false;
    return true;
}
