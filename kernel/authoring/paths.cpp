// Absolute and relative names against the folder of the kernel's current page, and against
// the folder of the page being exported.
#include "paths.h"

#include "../runtime/kernel.h"
#include "qxpath.h"

#include <cstring>

QXSTRING KernPageFolder(const char* page)
{
    QXSTRING folder(page);
    const char* text = folder;
    const char* cut = std::strrchr(text, '\\');
    if (!cut)
        cut = std::strrchr(text, '/');
    return cut ? folder.subString(0, static_cast<int>(cut - text)) : QXSTRING();
}

int KernFileToAbsolutePath(KERNEL* kernel, const char* name, char* out)
{
    if (!name || !out)
        return 0;
    if (out != name)
        lstrcpynA(out, name, QX_NAME_BUFFER);
    if (!kernel)
        return 0;
    return QXFileToAbsolutePath(KernPageFolder(kernel->activeFilename), name, out);
}

int KernFileToAbsolutePathStr(KERNEL* kernel, const char* name, QXSTRING* out)
{
    if (!out)
        return 0;
    if (!kernel) {
        if (name && name != static_cast<const char*>(*out))
            *out = name;
        return 0;
    }
    return QXFileToAbsolutePathStr(KernPageFolder(kernel->activeFilename), name, out);
}

int KernFileToRelatifPath(KERNEL* kernel, const char* name, char* out)
{
    if (!kernel || !name || !out)
        return 0;
    return QXFileToRelatifPath(KernPageFolder(kernel->activeFilename), name, out);
}

int KernFileToRelatifPathStr(KERNEL* kernel, const char* name, QXSTRING* out)
{
    if (!kernel || !out)
        return 0;
    return QXFileToRelatifPathStr(KernPageFolder(kernel->activeFilename), name ? name : "", out);
}

int KernFileToRelatifPathHtml(KERNEL* kernel, const char* name, char* out)
{
    if (!kernel || !name || !out)
        return 0;
    const int result = QXFileToRelatifPath(KernPageFolder(kernel->dhtmlActivePage), name, out);
    for (char* p = out; *p; ++p) {
        if (*p == '\\')
            *p = '/';
    }
    return result;
}
