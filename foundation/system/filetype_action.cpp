// One shell verb of a file type: its command line and its DDE settings.
#include "qxfiletypes.h"

#include "classes_key.h"

#include <cstring>

using classes_key::Value;

namespace {

// An optional key of the verb: false when it exists with a value that is not a string. A key
// without a default value reads as the empty text, as the system's own reader gives it.
bool ReadOptional(const QXSTRING& keyPath, QXSTRING* out, bool* present)
{
    const Value value = classes_key::ReadDefault(keyPath, out);
    *present = value != Value::KeyMissing;
    if (value == Value::NoValue)
        *out = "";
    return value != Value::NotText;
}

}  // namespace

qutl_CRegFileTypeAction::qutl_CRegFileTypeAction(const char* path) : keyPath(path) {}

void qutl_CRegFileTypeAction::Reset()
{
    name.Clear();
    command.Clear();
    ddeCommand.Clear();
    ifExec.Clear();
    application.Clear();
    topic.Clear();
    hasDde = 0;
}

int qutl_CRegFileTypeAction::LoadActionKeyInfo()
{
    if (!keyPath.length())
        return 0;
    Reset();
    const char* lastSeparator = std::strrchr(keyPath, '\\');
    name = lastSeparator ? lastSeparator + 1 : static_cast<const char*>(keyPath);

    if (classes_key::ReadDefault(keyPath + "\\command", &command) != Value::Text)
        return 0;

    bool present = false;
    if (!ReadOptional(keyPath + "\\ddeexec", &ddeCommand, &present))
        return 0;
    if (!present)
        return 1;
    hasDde = 1;
    bool ifExecPresent = false;
    if (!ReadOptional(keyPath + "\\ddeexec\\application", &application, &present)
        || !ReadOptional(keyPath + "\\ddeexec\\ifexec", &ifExec, &ifExecPresent)
        || !ReadOptional(keyPath + "\\ddeexec\\topic", &topic, &present))
        return 0;
    if (!ifExecPresent)
        ifExec = ddeCommand;
    return 1;
}
