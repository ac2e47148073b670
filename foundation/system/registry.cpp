// qutl_CRegistry: typed values below "Software\<group>\<application>\<version>\", with one
// result code for each kind of failure.
#include "qxregistry.h"

#include "registry_text.h"

#include <cstring>

namespace {

using registry_text::OpenedKey;

HKEY RootKey(int root)
{
    switch (root) {
    case QX_REGISTRY_CURRENT_USER:
        return HKEY_CURRENT_USER;
    case QX_REGISTRY_LOCAL_MACHINE:
        return HKEY_LOCAL_MACHINE;
    default:
        return nullptr;
    }
}

int EntryType(DWORD type)
{
    switch (type) {
    case REG_SZ:
    case REG_EXPAND_SZ:
        return QX_REG_ENTRY_STRING;
    case REG_DWORD:
        return QX_REG_ENTRY_DWORD;
    default:
        return type <= REG_QWORD ? QX_REG_ENTRY_OTHER : QX_REG_ENTRY_NONE;
    }
}

}  // namespace

void qutl_CRegistry::SetGroupString(const char* word) { SetWord(word, group, groupShown); }
void qutl_CRegistry::SetAppString(const char* word) { SetWord(word, app, appShown); }
void qutl_CRegistry::SetVerString(const char* word) { SetWord(word, ver, verShown); }

void qutl_CRegistry::SetWord(const char* word, QXSTRING& stored, QXSTRING& shown)
{
    stored = word;
    TrimBackSlashes(stored);
    // An empty word must not put an empty level ("\\") into the key name.
    if (stored.length())
        stored += '\\';
    shown = stored;
    TrimBackSlashes(shown);
}

int qutl_CRegistry::TrimBackSlashes(QXSTRING& text)
{
    if (*text[0] == '\\')
        text.RemoveCharAt(0, nullptr);
    const int last = text.length() - 1;
    if (*text[last] == '\\')
        text.RemoveCharAt(last, nullptr);
    return 1;
}

QXSTRING qutl_CRegistry::KeyName(const char* subkey) const
{
    QXSTRING trimmed(subkey);
    TrimBackSlashes(trimmed);
    return QXSTRING("Software\\") + group + app + ver + trimmed;
}

int qutl_CRegistry::OpenKey(HKEY& key, int root, QXSTRING subkey, unsigned long access)
{
    const HKEY rootKey = RootKey(root);
    if (!rootKey)
        return QX_REG_FAILED;
    HKEY opened = nullptr;
    if (RegCreateKeyExA(rootKey, KeyName(subkey), 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, &opened,
                        nullptr)
        != ERROR_SUCCESS)
        return QX_REG_FAILED;
    key = opened;
    return QX_REG_OK;
}

int qutl_CRegistry::CloseKey(HKEY& key)
{
    if (RegCloseKey(key) != ERROR_SUCCESS)
        return QX_REG_FAILED;
    key = nullptr;
    return QX_REG_OK;
}

// Reading must not leave empty keys behind, so the getters open without creating.
int qutl_CRegistry::OpenExistingKey(HKEY& key, int root, const char* subkey)
{
    const HKEY rootKey = RootKey(root);
    if (!rootKey || RegOpenKeyExA(rootKey, KeyName(subkey), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return QX_REG_FAILED;
    return QX_REG_OK;
}

int qutl_CRegistry::Write(int root, const char* subkey, const char* valueName, DWORD type, const void* data,
                          DWORD size)
{
    if (!data && size)
        return QX_REG_FAILED;
    HKEY key = nullptr;
    if (OpenKey(key, root, subkey, KEY_WRITE) != QX_REG_OK)
        return QX_REG_FAILED;
    const LONG written = RegSetValueExA(key, valueName, 0, type, static_cast<const BYTE*>(data), size);
    CloseKey(key);
    return written == ERROR_SUCCESS ? QX_REG_OK : QX_REG_FAILED;
}

int qutl_CRegistry::SetBinary(int root, const char* subkey, const char* valueName, const void* data,
                              const unsigned long size)
{
    return Write(root, subkey, valueName, REG_BINARY, data, size);
}

int qutl_CRegistry::SetString(int root, const char* subkey, const char* valueName, const char* text)
{
    if (!text)
        return QX_REG_FAILED;
    return Write(root, subkey, valueName, REG_SZ, text, static_cast<DWORD>(std::strlen(text) + 1));
}

int qutl_CRegistry::SetDWord(int root, const char* subkey, const char* valueName, const unsigned long value)
{
    const DWORD number = value;
    return Write(root, subkey, valueName, REG_DWORD, &number, sizeof number);
}

int qutl_CRegistry::Read(int root, const char* subkey, const char* valueName, DWORD type, void* data,
                         unsigned long& size)
{
    OpenedKey opened;
    if (OpenExistingKey(opened.key, root, subkey) != QX_REG_OK)
        return QX_REG_FAILED;
    DWORD foundType = REG_NONE;
    DWORD needed = 0;
    if (RegQueryValueExA(opened.key, valueName, nullptr, &foundType, nullptr, &needed) != ERROR_SUCCESS)
        return QX_REG_FAILED;
    if (foundType != type)
        return QX_REG_OTHER_TYPE;
    if (!data) {
        size = needed;
        return QX_REG_OK;
    }
    if (needed > size) {
        size = needed;
        return QX_REG_BUFFER_SMALL;
    }
    DWORD got = size;
    if (RegQueryValueExA(opened.key, valueName, nullptr, &foundType, static_cast<BYTE*>(data), &got)
        != ERROR_SUCCESS)
        return QX_REG_FAILED;
    if (foundType != type)  // replaced meanwhile
        return QX_REG_OTHER_TYPE;
    size = got;
    return QX_REG_OK;
}

int qutl_CRegistry::GetBinary(int root, const char* subkey, const char* valueName, void* data, unsigned long& size)
{
    return Read(root, subkey, valueName, REG_BINARY, data, size);
}

int qutl_CRegistry::GetDWord(int root, const char* subkey, const char* valueName, unsigned long& out)
{
    DWORD number = 0;
    unsigned long size = sizeof number;
    const int result = Read(root, subkey, valueName, REG_DWORD, &number, size);
    if (result == QX_REG_OTHER_TYPE)
        return result;
    // A REG_DWORD of another size than four bytes is not a number this class can give.
    if (result != QX_REG_OK || size != sizeof number)
        return QX_REG_FAILED;
    out = number;
    return QX_REG_OK;
}

int qutl_CRegistry::GetString(int root, const char* subkey, const char* valueName, QXSTRING& out)
{
    OpenedKey opened;
    if (OpenExistingKey(opened.key, root, subkey) != QX_REG_OK)
        return QX_REG_FAILED;
    DWORD type = REG_NONE;
    QXSTRING text;
    switch (registry_text::Read(opened.key, valueName, &type, &text)) {
    case registry_text::Found::Text:
        if (type != REG_SZ)
            return QX_REG_OTHER_TYPE;
        out = text;
        return QX_REG_OK;
    case registry_text::Found::OtherType:
        return QX_REG_OTHER_TYPE;
    default:
        return QX_REG_FAILED;
    }
}

int qutl_CRegistry::GetEntryType(int root, const char* subkey, const char* valueName)
{
    OpenedKey opened;
    if (OpenExistingKey(opened.key, root, subkey) != QX_REG_OK)
        return QX_REG_ENTRY_NONE;
    DWORD type = REG_NONE;
    if (RegQueryValueExA(opened.key, valueName, nullptr, &type, nullptr, nullptr) != ERROR_SUCCESS)
        return QX_REG_ENTRY_NONE;
    return EntryType(type);
}
