// Registry access. Every setting of the system is a string value; the flat functions read and
// write one value under a root key, the user-setting readers add the system's fallback from
// the current user to the default user, and qutl_CRegistry reaches typed values below
// "Software\<group>\<application>\<version>\". No function here shows a message.
#pragma once

#include "qxbase.h"
#include "qxstring.h"

// ---- Flat functions on a root key (HKEY_CURRENT_USER, an opened key, ...) ----

// Creates or opens root\subkey and writes `text` as REG_SZ. 1 when written; 0 when a
// pointer is null or the key cannot be created or written.
QXBASE_API int SetRegistryStringValue(HKEY root, const char* subkey, const char* valueName, const char* text);
// out = defaultText, then the REG_SZ value when root\subkey (opened, never created) holds one.
// 1 when read; 0 otherwise, also for a null root, default or out. A null subkey reads the
// root itself.
QXBASE_API int GetRegistryStrValueAsString(HKEY root, const char* subkey, const char* valueName,
                                           const char* defaultText, QXSTRING* out);
// out = defaultValue, then the REG_SZ value parsed as a decimal integer (leading blanks,
// an optional sign, the digits up to the first other character; 0 without digits, clamped to
// the int range). 1 when read.
QXBASE_API int GetRegistryStrValueAsInteger(HKEY root, const char* subkey, const char* valueName,
                                            int defaultValue, int* out);

// ---- User settings: HKEY_CURRENT_USER\key, else HKEY_USERS\.Default\key ----

// As the flat readers on HKEY_CURRENT_USER\key; when the value cannot be read there, the same
// value of HKEY_USERS\.Default\key. 1 when read from either, 0 with out = the default.
QXBASE_API int GetUserSettingAsString(const char* key, const char* valueName, const char* defaultText,
                                      QXSTRING* out);
QXBASE_API int GetUserSettingAsInteger(const char* key, const char* valueName, int defaultValue, int* out);

// ---- Typed values below "Software\<group>\<application>\<version>\" ----

// Root codes of qutl_CRegistry.
constexpr int QX_REGISTRY_CURRENT_USER = 10;
constexpr int QX_REGISTRY_LOCAL_MACHINE = 11;

// Results of qutl_CRegistry.
constexpr int QX_REG_OK = 1;
constexpr int QX_REG_FAILED = -1;        // key not opened, value missing, not read or not written
constexpr int QX_REG_OTHER_TYPE = -3;    // the value exists with another type
constexpr int QX_REG_BUFFER_SMALL = -4;  // the needed size is reported

// Entry types reported by GetEntryType.
constexpr int QX_REG_ENTRY_STRING = 4;  // REG_SZ or REG_EXPAND_SZ
constexpr int QX_REG_ENTRY_DWORD = 3;
constexpr int QX_REG_ENTRY_OTHER = 2;   // any other known type, binary included
constexpr int QX_REG_ENTRY_NONE = -1;   // missing or of an unknown type

class QXBASE_API qutl_CRegistry {
public:
    qutl_CRegistry() = default;
    virtual ~qutl_CRegistry() = default;

    // Store the word with one leading and one trailing backslash removed and one backslash
    // appended; a null or empty word adds nothing to the key name.
    void SetGroupString(const char* word);
    void SetAppString(const char* word);
    void SetVerString(const char* word);
    // The stored word without its leading and trailing backslash; valid until the word is set
    // again or the object is destroyed.
    const char* GetGroupString() const { return groupShown; }
    const char* GetAppString() const { return appShown; }
    const char* GetVerString() const { return verShown; }

    // Removes a backslash at the first and one at the last position; 1.
    static int TrimBackSlashes(QXSTRING& text);

    // Creates or opens "Software\" + group + app + ver + subkey (trimmed) under the root code
    // with `access`. 1 with `key` set; -1 when refused or for another root code.
    int OpenKey(HKEY& key, int root, QXSTRING subkey, unsigned long access);
    int CloseKey(HKEY& key);  // 1 when closed (key set to null), -1 otherwise

    // 1 when written, -1 when the key cannot be opened or the write fails (also for null data).
    int SetBinary(int root, const char* subkey, const char* valueName, const void* data, const unsigned long size);
    int SetString(int root, const char* subkey, const char* valueName, const char* text);
    int SetDWord(int root, const char* subkey, const char* valueName, const unsigned long value);

    // 1, -1 (key or value missing, read failed), -3 (another type) or -4; outputs change only
    // on 1, except the needed size that -4 reports.
    // A value longer than `size`: size = its length and -4, or 1 when `data` is null.
    int GetBinary(int root, const char* subkey, const char* valueName, void* data, unsigned long& size);
    int GetString(int root, const char* subkey, const char* valueName, QXSTRING& out);
    int GetDWord(int root, const char* subkey, const char* valueName, unsigned long& out);
    int GetEntryType(int root, const char* subkey, const char* valueName);

private:
    void SetWord(const char* word, QXSTRING& stored, QXSTRING& shown);
    QXSTRING KeyName(const char* subkey) const;
    // Opens the operation's key for reading without creating it.
    int OpenExistingKey(HKEY& key, int root, const char* subkey);
    int Write(int root, const char* subkey, const char* valueName, DWORD type, const void* data, DWORD size);
    int Read(int root, const char* subkey, const char* valueName, DWORD type, void* data, unsigned long& size);

    // Each word with exactly one trailing backslash (empty when not set).
    QXSTRING group;
    QXSTRING app;
    QXSTRING ver;
    // The words as the getters hand them out.
    QXSTRING groupShown;
    QXSTRING appShown;
    QXSTRING verShown;
};
