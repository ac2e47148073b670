// The directory chooser's entry points on caller buffers and on strings.
#include "qxutil.h"

#include "qxdirs.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace {

// The chooser's texts are in this library's own string table.
HINSTANCE LibraryInstance() { return reinterpret_cast<HINSTANCE>(&__ImageBase); }

}  // namespace

int SelectDirectory(HWND owner, char* dir, unsigned size)
{
    if (!dir)
        return 0;
    char work[QX_NAME_BUFFER];
    lstrcpynA(work, dir, sizeof work);
    CQX_SELECTDIR_DLG chooser(LibraryInstance());
    const int chosen = chooser.GetSaveDirName(owner, work, sizeof work);
    if (chosen && size)
        lstrcpynA(dir, work, static_cast<int>(size));
    return chosen;
}

int SelectDirectoryStr(HWND owner, QXSTRING* dir)
{
    if (!dir)
        return 0;
    char work[QX_NAME_BUFFER];
    lstrcpynA(work, *dir, sizeof work);
    CQX_SELECTDIR_DLG chooser(LibraryInstance());
    const int chosen = chooser.GetSaveDirName(owner, work, sizeof work);
    if (chosen)
        *dir = work;
    return chosen;
}
