// Reading the version block of a file: the file version and its description.
#include "qxutil.h"

#include <cstdio>
#include <memory>
#include <new>

namespace {

// The block the system's own files were described in, tried first.
constexpr char UsEnglishWesternDescription[] = "\\StringFileInfo\\040904E4\\FileDescription";

// The text at `path` in the block, null when it is missing or empty.
const char* NonEmptyText(void* block, const char* path)
{
    char* text = nullptr;
    UINT length = 0;
    return VerQueryValueA(block, path, reinterpret_cast<void**>(&text), &length) && text && *text ? text : nullptr;
}

// The FileDescription of the block: the US English one when there is one, else the one of the
// first language the file lists (files of this system describe themselves in French).
const char* FindDescription(void* block)
{
    if (const char* text = NonEmptyText(block, UsEnglishWesternDescription))
        return text;
    struct Translation {
        WORD language;
        WORD codePage;
    }* translations = nullptr;
    UINT bytes = 0;
    if (!VerQueryValueA(block, "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translations), &bytes) ||
        bytes < sizeof *translations)
        return nullptr;
    char path[64];
    std::snprintf(path, sizeof path, "\\StringFileInfo\\%04x%04x\\FileDescription", translations->language,
                  translations->codePage);
    return NonEmptyText(block, path);
}

}  // namespace

int GetFileVersion(const char* file, int* major, int* minor, int* release, int* build, char* description,
                   int descriptionSize)
{
    const bool wantsDescription = description && descriptionSize > 0;
    if (wantsDescription)
        *description = '\0';
    DWORD unused = 0;
    const DWORD size = file ? GetFileVersionInfoSizeA(file, &unused) : 0;
    if (!size)
        return 0;
    const std::unique_ptr<char[]> block(new (std::nothrow) char[size]);
    if (!block || !GetFileVersionInfoA(file, 0, size, block.get()))
        return 0;

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (VerQueryValueA(block.get(), "\\", reinterpret_cast<void**>(&fixed), &length) && fixed &&
        length >= sizeof *fixed) {
        if (major)
            *major = HIWORD(fixed->dwFileVersionMS);
        if (minor)
            *minor = LOWORD(fixed->dwFileVersionMS);
        if (release)
            *release = HIWORD(fixed->dwFileVersionLS);
        if (build)
            *build = LOWORD(fixed->dwFileVersionLS);
    }
    if (wantsDescription)
        if (const char* text = FindDescription(block.get()))
            lstrcpynA(description, text, descriptionSize);
    return 1;
}
