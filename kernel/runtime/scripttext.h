// Texts written between double quotes into the script of an exported page.
#pragma once

#include "qxkernel.h"

// Appends the character as it must stand inside a script string: backslashes, quotes and
// control characters escaped, so that no text of a page can end the string or the script.
void AppendScriptChar(QXSTRING& out, char c);
// Exported: the object plug-ins write their texts into the same scripts.
QXCORE_API QXSTRING ScriptString(const char* text);
// The name under which the file is published, relative to the page exported, as the inside
// of a script string; "" when the file is not exported. With an extension the published
// name takes it (".html" for pages).
QXSTRING ScriptFileName(KERNEL* kernel, const QXSTRING& file, const char* extension);
