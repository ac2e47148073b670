// Escaping texts for the script strings of exported pages.
#include "scripttext.h"

#include "../authoring/exportnames.h"
#include "../authoring/paths.h"

#include <cstdio>

void AppendScriptChar(QXSTRING& out, char c)
{
    const auto code = static_cast<unsigned char>(c);
    switch (code) {
    case '\\':
        out += QXSTRING("\\\\");
        return;
    case '"':
        out += QXSTRING("\\\"");
        return;
    case '\r':
        out += QXSTRING("\\r");
        return;
    case '\n':
        out += QXSTRING("\\n");
        return;
    case '\t':
        out += QXSTRING("\\t");
        return;
    case '<':
        // "</script>" inside a string would end the script block of the page.
        out += QXSTRING("\\x3c");
        return;
    default:
        if (code < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02x", code);
            out += QXSTRING(escaped);
        } else {
            out += c;
        }
    }
}

QXSTRING ScriptString(const char* text)
{
    QXSTRING escaped;
    for (const char* p = text ? text : ""; *p; ++p)
        AppendScriptChar(escaped, *p);
    return escaped;
}

QXSTRING ScriptFileName(KERNEL* kernel, const QXSTRING& file, const char* extension)
{
    char name[QX_NAME_BUFFER];
    const int result = extension ? KernGetExportName(kernel, file, extension, name) : KernGetExportName(kernel, file, name);
    if (result == QX_EXPORT_UNKNOWN)
        return QXSTRING();
    // A name on another drive stays whole: the conversion's answer says only whether it changed.
    char relative[QX_NAME_BUFFER];
    KernFileToRelatifPathHtml(kernel, name, relative);
    return ScriptString(relative);
}
