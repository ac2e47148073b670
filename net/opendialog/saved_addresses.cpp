// Reading and rewriting the saved FTP servers and URLs.
#include "saved_addresses.h"

#include <windows.h>

namespace {

// The enumeration's buffers: longer names and texts are not read.
constexpr DWORD EnumBufferBytes = 256;

const char* KeyPath(SAVED_LIST list)
{
    return list == SAVED_LIST::SERVERS ? "SOFTWARE\\Qorvex\\QXCOMDLG\\FTP Servers" : "SOFTWARE\\Qorvex\\QXCOMDLG\\URLs";
}

struct NAMED_TEXT {
    std::string name;
    std::string text;
};

// Every REG_SZ value of the open key that fits the buffers, in enumeration order.
std::vector<NAMED_TEXT> TextValues(HKEY key)
{
    std::vector<NAMED_TEXT> values;
    for (DWORD index = 0;; ++index) {
        char name[EnumBufferBytes];
        BYTE data[EnumBufferBytes];
        DWORD nameChars = sizeof name;
        DWORD dataBytes = sizeof data;
        DWORD type = REG_NONE;
        const LSTATUS status = RegEnumValueA(key, index, name, &nameChars, nullptr, &type, data, &dataBytes);
        if (status == ERROR_NO_MORE_ITEMS)
            break;
        if (status != ERROR_SUCCESS || type != REG_SZ)
            continue;
        // A text stored without its terminator still ends at the data's end.
        const char* text = reinterpret_cast<const char*>(data);
        values.push_back({name, std::string(text, strnlen(text, dataBytes))});
    }
    return values;
}

}  // namespace

std::vector<std::string> ReadSavedAddresses(SAVED_LIST list)
{
    std::vector<std::string> entries;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, KeyPath(list), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return entries;
    for (const NAMED_TEXT& value : TextValues(key))
        entries.push_back(value.text);
    RegCloseKey(key);
    return entries;
}

bool WriteSavedAddresses(SAVED_LIST list, const std::vector<std::string>& entries)
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, KeyPath(list), 0, const_cast<char*>(""), 0, KEY_READ | KEY_SET_VALUE,
                        nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    // Collected first: deleting while enumerating would skip values.
    for (const NAMED_TEXT& value : TextValues(key))
        RegDeleteValueA(key, value.name.c_str());
    const char* format = list == SAVED_LIST::SERVERS ? "Server%d" : "URL%d";
    for (size_t i = 0; i < entries.size(); ++i) {
        char name[32];
        wsprintfA(name, format, static_cast<int>(i + 1));
        RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(entries[i].c_str()),
                       static_cast<DWORD>(entries[i].size() + 1));
    }
    RegCloseKey(key);
    return true;
}
