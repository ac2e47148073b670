// Reading page files into the kernel, and telling the files of the page family apart by
// their first line.
#include "pagefiles.h"

#include "filefetch.h"
#include "history.h"
#include "kernel.h"
#include "qxfile.h"
#include "objet.h"
#include "qxpath.h"
#include "qxsupport.h"
#include "recordio.h"

#include <cstring>

namespace {

// The second line of a page names its version: "version : 4.0.0.5".
constexpr const char* VersionMark = "version :";
constexpr int VersionMarkLastStart = 8;
constexpr int VersionTextStart = 10;

bool IsVersionLine(const char* line)
{
    const int markLength = static_cast<int>(std::strlen(VersionMark));
    const int length = static_cast<int>(std::strlen(line));
    for (int start = 0; start <= VersionMarkLastStart && start + markLength <= length; ++start) {
        if (CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, line + start, markLength, VersionMark, markLength) ==
            CSTR_EQUAL)
            return true;
    }
    return false;
}

// Reads the page's tree; the local file it was read from into local.
OBJET* ReadPage(KERNEL* kernel, const char* page, QXSTRING* local)
{
    if (!kernel || !page || !*page)
        return nullptr;
    GETFILE_STRUCT request;
    KernGetFile(kernel, page, QX_FETCH_SYNC, 0, nullptr, &request, nullptr, nullptr);
    *local = request.localFile;
    const QXFILE file = request.localFile.length() > 0 ? QXopen(request.localFile, 0) : nullptr;
    if (!file)
        return nullptr;
    kernel->activeFilename = page;
    const HCURSOR previous = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    char first[QX_RECORD_LINE];
    char second[QX_RECORD_LINE];
    int version = 0;
    if (ReadTrimmedLine(file, first, sizeof first) && ReadTrimmedLine(file, second, sizeof second) &&
        IsVersionLine(second))
        version = static_cast<int>(
            KernFormatVersionStringAsDWORD(std::strlen(second) > VersionTextStart ? second + VersionTextStart : ""));
    KernSetCurPageVersion(kernel, version);
    QXSeekFile(file, 0, 0);
    OBJET* root = KernLoadTree(kernel, file, 1, 1);
    QXclose(file);
    SetCursor(previous);
    return root;
}

}  // namespace

int KernLLoad(KERNEL* kernel, const char* page)
{
    QXSTRING local;
    OBJET* root = ReadPage(kernel, page, &local);
    if (!root)
        return 0;
    TREE* entry = new TREE(local, root);
    if (!entry) {
        KillObjet(root);
        return 0;
    }
    kernel->loadedPages.AddTail(entry);
    return 1;
}

OBJET* LoadPageTree(KERNEL* kernel, char* page, int size)
{
    if (!page || size < 1)
        return nullptr;
    QXSTRING local;
    OBJET* root = ReadPage(kernel, page, &local);
    lstrcpynA(page, local, size);
    return root;
}

int KernGetFileType(KERNEL* kernel, const char* name)
{
    if (!kernel || !name || !*name)
        return QX_FILE_ERROR;
    const int kind = GetFileLocation(name, nullptr, 0, nullptr, 0);
    if (kind == QX_LOCATION_FTP || kind == QX_LOCATION_HTTP)
        return QX_FILE_PAGE;
    const QXFILE file = QXopen(name, 0);
    if (!file)
        return QX_FILE_ERROR;
    // The first line is read up to 98 characters.
    char line[99];
    const bool read = QXLoadString(file, line, sizeof line) != 0;
    QXclose(file);
    if (!read)
        return QX_FILE_ERROR;
    if (lstrcmpiA(line, QX_TEMPLATE_HEADER) == 0)
        return QX_FILE_TEMPLATE;
    if (lstrcmpiA(line, QX_BOOKMARKS_HEADER) == 0)
        return QX_FILE_BOOKMARKS;
    return QX_FILE_PAGE;
}
