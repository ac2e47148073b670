// Default values of keys below HKEY_CLASSES_ROOT.
#include "classes_key.h"

#include "registry_text.h"

namespace classes_key {

Value ReadDefault(const char* keyPath, QXSTRING* out)
{
    registry_text::OpenedKey opened;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, keyPath, 0, KEY_READ, &opened.key) != ERROR_SUCCESS)
        return Value::KeyMissing;
    DWORD type = REG_NONE;
    QXSTRING text;
    switch (registry_text::Read(opened.key, nullptr, &type, &text)) {
    case registry_text::Found::Missing:
        return Value::NoValue;
    case registry_text::Found::OtherType:
        return Value::NotText;
    case registry_text::Found::Text:
        break;
    }
    if (type == REG_EXPAND_SZ && !registry_text::Expand(&text))
        return Value::NotText;
    *out = text;
    return Value::Text;
}

}  // namespace classes_key
