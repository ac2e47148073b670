// The ring of the last 16 folders where files of old pages were found, searched first for
// the next ones.
#include "filefind.h"

#include "kernel.h"

namespace {

// The cheap first and fourth characters settle most comparisons before the whole names.
bool SameFolder(const QXSTRING& listed, const char* folder)
{
    const int length = listed.length();
    const int otherLength = lstrlenA(folder);
    if (length == 0 || otherLength == 0)
        return length == otherLength;
    const char* text = listed;
    if (text[0] != folder[0])
        return false;
    if (length > 3 && otherLength > 3 && text[3] != folder[3])
        return false;
    return lstrcmpiA(text, folder) == 0;
}

}  // namespace

void KernAddSeekPath(KERNEL* kernel, const char* folder)
{
    if (!kernel || !folder)
        return;
    for (int i = 0; i < kernel->seekCount; ++i)
        if (SameFolder(kernel->seekPaths[i], folder))
            return;
    kernel->seekPaths[kernel->seekNext] = folder;
    kernel->seekNext = (kernel->seekNext + 1) % QX_SEEK_PATHS;
    if (kernel->seekCount < QX_SEEK_PATHS)
        ++kernel->seekCount;
}
