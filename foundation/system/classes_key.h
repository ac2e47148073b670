// Default values of keys below HKEY_CLASSES_ROOT, where the file types live (private to the
// library).
#pragma once

#include "qxstring.h"

namespace classes_key {

enum class Value {
    Text,       // a string, environment variables expanded
    NoValue,    // the key exists without a default value
    NotText,    // the default value has another type, or could not be expanded
    KeyMissing,
};

// Reads the default value of HKEY_CLASSES_ROOT\keyPath; `out` changes only for Text.
Value ReadDefault(const char* keyPath, QXSTRING* out);

}  // namespace classes_key
