// Filling the command template of a file type's action with the file name.
#include "qxfiletypes.h"

// The template comes from the registry, written by whatever program registered the type: it is
// never used as a format, so any number of placeholders and any '%' sequence is safe. The
// placeholders are the shell's: the first (and only) argument is the file name.
int qutl_CRegFileType::BuildCmdLineStr(const char* command, QXSTRING* cmd)
{
    if (!cmd)
        return QX_FILETYPE_NULL_ARGUMENT;
    QXSTRING built;
    for (const char* c = command; c && *c; ++c) {
        if (*c != '%') {
            built += *c;
            continue;
        }
        switch (c[1]) {
        case '0':
        case '1':
        case 'L':
        case 'l':
        case '*':
            built += fileName;
            ++c;
            break;
        case '2':
        case '3':
        case '4':
        case '5':
        case '6':
        case '7':
        case '8':
        case '9':
            ++c;  // arguments the system never has for a single file
            break;
        case '%':
            built += '%';
            ++c;
            break;
        default:
            built += '%';  // copied as it stands, with what follows it
            break;
        }
    }
    *cmd = built;
    return QX_FILETYPE_OK;
}
