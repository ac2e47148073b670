// Writing and removing the class keys.
#include "registration.h"

#include "class_ids.h"

#include <windows.h>
#include <objbase.h>

namespace {

// The same path under the machine's and the user's hive; the classes root shows both.
constexpr wchar_t ClassIds[] = L"Software\\Classes\\CLSID\\";

struct ServerClass {
    const CLSID* id;
    const wchar_t* description;
};

const ServerClass Classes[] = {
    {&CLSID_MediaPlayerObject, L"QXQuickTime media player"},
    {&CLSID_MediaModuleObject, L"QXQuickTime media module"},
};

std::wstring ClassKey(const CLSID& id)
{
    wchar_t text[40] = L"";
    StringFromGUID2(id, text, 40);
    return std::wstring(ClassIds) + text;
}

LSTATUS WriteDefault(HKEY root, const std::wstring& key, const std::wstring& value)
{
    HKEY opened = nullptr;
    LSTATUS status = RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &opened, nullptr);
    if (status != ERROR_SUCCESS)
        return status;
    status = RegSetValueExW(opened, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                            static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(opened);
    return status;
}

LSTATUS WriteClasses(HKEY root, const std::wstring& serverPath)
{
    for (const ServerClass& serverClass : Classes) {
        const std::wstring key = ClassKey(*serverClass.id);
        LSTATUS status = WriteDefault(root, key, serverClass.description);
        if (status == ERROR_SUCCESS)
            status = WriteDefault(root, key + L"\\LocalServer32", serverPath);
        if (status != ERROR_SUCCESS)
            return status;
    }
    return ERROR_SUCCESS;
}

bool DeleteClasses(HKEY root)
{
    bool removed = true;
    for (const ServerClass& serverClass : Classes) {
        const LSTATUS status = RegDeleteTreeW(root, ClassKey(*serverClass.id).c_str());
        removed = removed && (status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND);
    }
    return removed;
}

}  // namespace

bool RegisterServer(const std::wstring& serverPath)
{
    const LSTATUS status = WriteClasses(HKEY_LOCAL_MACHINE, serverPath);
    if (status == ERROR_ACCESS_DENIED)
        return WriteClasses(HKEY_CURRENT_USER, serverPath) == ERROR_SUCCESS;
    return status == ERROR_SUCCESS;
}

bool UnregisterServer()
{
    const bool user = DeleteClasses(HKEY_CURRENT_USER);
    const bool machine = DeleteClasses(HKEY_LOCAL_MACHINE);
    return user && machine;
}
