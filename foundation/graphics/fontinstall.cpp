// Installing a font file under a fresh name in the system folder, and removing it again.
#include "qxfonts.h"
#include "qxpath.h"

#include <cstdio>
#include <cstring>

namespace {

bool FitsIn(const char* text, int size) { return static_cast<int>(std::strlen(text)) < size; }

// "<Windows folder>\SYSTEM\", where the installed fonts live; made when the system has none.
bool SystemFontFolder(char (&folder)[QX_NAME_BUFFER])
{
    char windows[MAX_PATH];
    const UINT length = GetWindowsDirectoryA(windows, sizeof windows);
    if (length == 0 || length >= sizeof windows)
        return false;
    const int written = std::snprintf(folder, sizeof folder, "%s\\SYSTEM\\", windows);
    if (written <= 0 || written >= static_cast<int>(sizeof folder))
        return false;
    CreateDirectoryA(folder, nullptr);
    return true;
}

// Deletes the .ttf file that lies beside a .fot file of the same name.
void DeleteTrueTypeBeside(const char* fotName)
{
    char ttfName[QX_NAME_BUFFER];
    lstrcpynA(ttfName, fotName, sizeof ttfName);
    char* dot = std::strrchr(ttfName, '.');
    if (!dot || std::strchr(dot, '\\'))
        return;
    if (dot - ttfName + 5 > static_cast<long>(sizeof ttfName))
        return;
    std::strcpy(dot, ".ttf");
    DeleteFileA(ttfName);
}

}  // namespace

QXBASE_API int GetNewFontFileName(const char* folder, char* ttfName, int ttfSize, char* fotName, int fotSize)
{
    if (!folder || !ttfName || !fotName)
        return 0;
    char ttf[QX_NAME_BUFFER], fot[QX_NAME_BUFFER];
    for (int n = 0; n <= 9999; ++n) {
        std::snprintf(ttf, sizeof ttf, "%sFONT%04d.ttf", folder, n);
        if (DoFileExist(ttf))
            continue;
        std::snprintf(fot, sizeof fot, "%sFONT%04d.fot", folder, n);
        if (DoFileExist(fot))
            continue;
        if (!FitsIn(ttf, ttfSize) || !FitsIn(fot, fotSize))
            return 0;
        std::strcpy(ttfName, ttf);
        std::strcpy(fotName, fot);
        return 1;
    }
    return 0;
}

QXBASE_API int GetNewFontFileNameStr(const char* folder, QXSTRING* ttfName, QXSTRING* fotName)
{
    if (!ttfName || !fotName)
        return 0;
    char ttf[QX_NAME_BUFFER], fot[QX_NAME_BUFFER];
    if (!GetNewFontFileName(folder, ttf, sizeof ttf, fot, sizeof fot))
        return 0;
    *ttfName = ttf;
    *fotName = fot;
    return 1;
}

QXBASE_API int InstallFont(char* fileName, int size, int visible)
{
    char folder[QX_NAME_BUFFER], ttf[QX_NAME_BUFFER], fot[QX_NAME_BUFFER];
    if (!fileName || !SystemFontFolder(folder) || !GetNewFontFileName(folder, ttf, sizeof ttf, fot, sizeof fot))
        return 0;
    if (!FitsIn(fot, size))
        return 0;
    if (fcopy(fileName, ttf) != 0) {
        DeleteFileA(ttf);
        return 0;
    }
    // A hidden resource keeps the publication's font out of other programs' font lists.
    if (!CreateScalableFontResourceA(visible ? 0 : 1, fot, ttf, nullptr)) {
        DeleteFileA(ttf);
        DeleteFileA(fot);
        return 0;
    }
    if (AddFontResourceA(fot) == 0) {
        RemoveFontResourceA(fot);
        DeleteFileA(fot);
        DeleteFileA(ttf);
        return 0;
    }
    std::strcpy(fileName, fot);
    return 1;
}

QXBASE_API int InstallFontStr(QXSTRING* fileName, int visible)
{
    if (!fileName)
        return 0;
    char name[QX_NAME_BUFFER];
    lstrcpynA(name, *fileName, sizeof name);
    if (!InstallFont(name, sizeof name, visible))
        return 0;
    *fileName = name;
    return 1;
}

QXBASE_API int RemoveFont(const char* fotName)
{
    if (!fotName || !RemoveFontResourceA(fotName))
        return 0;
    DeleteFileA(fotName);
    DeleteTrueTypeBeside(fotName);
    return 1;
}
