// qutl_CRegFileType: the registered type of a file name, its actions, and the command line of
// an action for the file.
#include "qxfiletypes.h"

#include "classes_key.h"
#include "qxpath.h"
#include "registry_text.h"

#include <shlwapi.h>
#include <cstring>

using classes_key::Value;

namespace {

// The text from the last '.' of the name, or "." for a name without one.
const char* ExtensionOf(const char* name)
{
    const char* dot = std::strrchr(name, '.');
    return dot ? dot : ".";
}

// The program the system opens files of the extension with, found without needing a file of
// that name to exist.
bool AssociatedExecutable(const char* extension, QXSTRING* executable)
{
    char found[QX_NAME_BUFFER] = "";
    DWORD size = sizeof found;
    if (AssocQueryStringA(ASSOCF_NOTRUNCATE, ASSOCSTR_EXECUTABLE, extension, "open", found, &size) != S_OK
        || !found[0])
        return false;
    *executable = found;
    return true;
}

}  // namespace

qutl_CRegFileType::qutl_CRegFileType() : state(QX_FILETYPE_UNREADABLE) {}

// The actions go with the list; a conversation still open is ended with its instance.
qutl_CRegFileType::~qutl_CRegFileType() { DdeDisconnectFromServer(); }

int qutl_CRegFileType::SetFileName(const char* name)
{
    Clear();
    if (!name) {
        fileName.Clear();
        extension.Clear();
        return state = QX_FILETYPE_NULL_ARGUMENT;
    }
    fileName = name;
    extension = ExtensionOf(name);
    // Addresses open with the program of their protocol, whatever their extension.
    switch (GetFileLocationStr(name, nullptr, nullptr)) {
    case QX_LOCATION_FTP:
        return state = BuildActionList("FTP", true);
    case QX_LOCATION_HTTP:
        return state = BuildActionList("HTTP", true);
    default:
        return state = BuildActionList(extension, false);
    }
}

int qutl_CRegFileType::BuildActionList(const QXSTRING& typeKey, bool pseudoType)
{
    QXSTRING className;
    const Value type = classes_key::ReadDefault(typeKey, &className);
    if (type == Value::KeyMissing)
        return QX_FILETYPE_NOT_REGISTERED;
    // The protocol keys are classes themselves; an extension names its class.
    if (pseudoType)
        className = typeKey;
    else if (type != Value::Text)
        return QX_FILETYPE_UNREADABLE;

    const QXSTRING shellPath = className + "\\shell";
    registry_text::OpenedKey shell;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, shellPath, 0, KEY_READ, &shell.key) != ERROR_SUCCESS)
        return QX_FILETYPE_UNREADABLE;
    for (DWORD index = 0;; ++index) {
        char verb[256];  // registry key names have at most 255 characters
        DWORD verbLength = sizeof verb;
        const LONG listed = RegEnumKeyExA(shell.key, index, verb, &verbLength, nullptr, nullptr, nullptr, nullptr);
        if (listed == ERROR_NO_MORE_ITEMS)
            return QX_FILETYPE_OK;
        if (listed != ERROR_SUCCESS)
            return QX_FILETYPE_UNREADABLE;
        QXSTRING keyPath;
        keyPath.Format("%s\\%s", static_cast<const char*>(shellPath), verb);
        auto* action = new qutl_CRegFileTypeAction(keyPath);
        if (!action)
            return QX_FILETYPE_UNREADABLE;
        if (!action->LoadActionKeyInfo()) {
            delete action;
            return QX_FILETYPE_UNREADABLE;
        }
        AddTail(action);
    }
}

int qutl_CRegFileType::GetFileNameStr(QXSTRING* out)
{
    if (out)
        *out = fileName;
    return state;
}

int qutl_CRegFileType::GetActions(qutil_CActionList* out)
{
    if (!out)
        return QX_FILETYPE_NULL_ARGUMENT;
    out->Clear();
    for (long i = 0; i < Items(); ++i) {
        auto* node = new QXStringNode(static_cast<qutl_CRegFileTypeAction*>(GetItem(i))->name);
        if (!node)
            return QX_FILETYPE_UNREADABLE;
        out->AddTail(node);
    }
    return QX_FILETYPE_OK;
}

qutl_CRegFileTypeAction* qutl_CRegFileType::FindActionOrOpen(const char* verb)
{
    long index = FindActionByName(verb);
    if (index < 0)
        index = FindActionByName("open");
    return index < 0 ? nullptr : static_cast<qutl_CRegFileTypeAction*>(GetItem(index));
}

int qutl_CRegFileType::GetActionCmdLineStr(const char* verb, QXSTRING* cmd)
{
    if (cmd)
        cmd->Clear();
    if (!verb || !cmd)
        return QX_FILETYPE_NULL_ARGUMENT;
    const qutl_CRegFileTypeAction* action = FindActionOrOpen(verb);
    if (!action) {
        QXSTRING executable;
        if (!AssociatedExecutable(extension, &executable))
            return QX_FILETYPE_NOT_REGISTERED;
        cmd->Format("%s %s", static_cast<const char*>(executable), static_cast<const char*>(fileName));
        return QX_FILETYPE_EXECUTABLE;
    }
    BuildCmdLineStr(action->command, cmd);
    return action->hasDde ? QX_FILETYPE_USES_DDE : QX_FILETYPE_OK;
}
