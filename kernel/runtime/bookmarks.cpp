// The bookmark list and its file: a header line, the version line, the two slide-show
// settings as "key=value", then one "title<TAB>page" line per bookmark.
#include "bookmarks.h"

#include "filefetch.h"
#include "history.h"
#include "kernel.h"
#include "kernelprocess.h"
#include "kernelres.h"
#include "pagefiles.h"
#include "qxfile.h"
#include "qxpath.h"
#include "qxsupport.h"

#include <cstdlib>
#include <cstring>

namespace {

constexpr const char* LoopKey = "SlideShowLoop";
constexpr const char* DelayKey = "SlideShowDelay";
constexpr const char* VersionPrefix = "version :";
// The version text starts after "version : ".
constexpr int VersionOffset = 10;
constexpr int LineChars = 500;

bool WriteLine(QXFILE file, const char* text)
{
    return QXWriteString(file, text) >= 0 && QXWriteString(file, "\r\n") == 2;
}

bool HasVersionPrefix(const char* line)
{
    const int length = static_cast<int>(std::strlen(VersionPrefix));
    return CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, line, length, VersionPrefix, length) == CSTR_EQUAL;
}

// The version line of this kernel, or a version that parses.
bool IsCurrentVersionLine(const char* line)
{
    return HasVersionPrefix(line) && static_cast<int>(std::strlen(line)) >= VersionOffset &&
           KernFormatVersionStringAsDWORD(line + VersionOffset) != 0;
}

void ClearBookmarks(KERNEL* kernel) { kernel->bookmarks.Clear(); }

// A settings line sets its value; any other line holding a TAB is a bookmark, whatever its
// title holds (titles may contain '=').
void ReadLine(KERNEL* kernel, const char* line)
{
    if (const char* equal = std::strchr(line, '=')) {
        const int keyLength = static_cast<int>(equal - line);
        auto isKey = [&](const char* key) {
            return keyLength == static_cast<int>(std::strlen(key)) &&
                   CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, line, keyLength, key, keyLength) == CSTR_EQUAL;
        };
        if (isKey(LoopKey)) {
            kernel->slideLoop = std::atoi(equal + 1);
            return;
        }
        if (isKey(DelayKey)) {
            kernel->slideDelay = std::atoi(equal + 1);
            return;
        }
    }
    const char* tab = std::strchr(line, '\t');
    if (!tab)
        return;
    QXSTRING title;
    title.Format("%.*s", static_cast<int>(tab - line), line);
    auto* bookmark = new KERNBOOKMARK(tab + 1, title);
    if (bookmark)
        kernel->bookmarks.AddTail(bookmark);
}

// The path in a bookmark line: from one character before ":\" (a drive), else from "\\".
const char* PathInLine(const char* line)
{
    if (const char* drive = std::strstr(line, ":\\"))
        return drive > line ? drive - 1 : drive;
    return std::strstr(line, "\\\\");
}

bool CopyRelocated(KERNEL* kernel, QXFILE from, QXFILE to)
{
    char line[LineChars + 1];
    if (!QXGetLine(from, line, sizeof line) || !WriteLine(to, line))
        return false;
    if (!QXGetLine(from, line, sizeof line))
        return false;
    char version[32];
    KernGetVersionString(version);
    bool old;
    if (HasVersionPrefix(line)) {
        old = !IsCurrentVersionLine(line);
        QXSTRING updated;
        updated.Format("%.*s%s", VersionOffset, line, version);
        if (!WriteLine(to, updated))
            return false;
    } else {
        old = true;
        QXSTRING inserted;
        inserted.Format("version : %s", version);
        if (!WriteLine(to, inserted) || !WriteLine(to, line))
            return false;
    }
    while (QXGetLine(from, line, sizeof line)) {
        QXSTRING written = line;
        if (const char* path = PathInLine(line)) {
            QXSTRING found = path;
            const int located = old ? KernFindFileOldStr(kernel, &found, 0, 0) : KernFindFileStr(kernel, &found, 0);
            if (located && DoFileExist(found)) {
                written.Format("%.*s%s", static_cast<int>(path - line), line, static_cast<const char*>(found));
            }
        }
        if (!WriteLine(to, written))
            return false;
    }
    return true;
}

}  // namespace

int KernAddBookMark(KERNEL* kernel, const char* page, const char* title)
{
    if (!kernel || !page || !*page || !title || !*title)
        return 0;
    for (int i = 0; i < kernel->bookmarks.Items(); ++i) {
        auto* bookmark = static_cast<KERNBOOKMARK*>(kernel->bookmarks.GetItem(i));
        if (lstrcmpiA(bookmark->title, title) == 0 && lstrcmpiA(bookmark->page, page) == 0)
            return 0;
    }
    auto* bookmark = new KERNBOOKMARK(page, title);
    if (!bookmark)
        return 0;
    kernel->bookmarks.AddTail(bookmark);
    return 1;
}

void KernDeleteBookMark(KERNEL* kernel, int index)
{
    if (!kernel || index < 0 || index >= kernel->bookmarks.Items())
        return;
    LNODE* bookmark = kernel->bookmarks.GetItem(index);
    kernel->bookmarks.Remove(bookmark);
    delete bookmark;
}

int KernSaveBookmarks(KERNEL* kernel, const char* file)
{
    if (!kernel || !file)
        return 0;
    kernel->bookmarkFile = file;
    QXFILE out = QXopen(file, 1);
    if (!out)
        return 0;
    char version[32];
    KernGetVersionString(version);
    QXSTRING line;
    bool written = WriteLine(out, QX_BOOKMARKS_HEADER);
    line.Format("version : %s", version);
    written = written && WriteLine(out, line);
    line.Format("%s=%d", LoopKey, kernel->slideLoop);
    written = written && WriteLine(out, line);
    line.Format("%s=%d", DelayKey, kernel->slideDelay);
    written = written && WriteLine(out, line);
    for (int i = 0; written && i < kernel->bookmarks.Items(); ++i) {
        auto* bookmark = static_cast<KERNBOOKMARK*>(kernel->bookmarks.GetItem(i));
        line.Format("%s\t%s", static_cast<const char*>(bookmark->title), static_cast<const char*>(bookmark->page));
        written = WriteLine(out, line);
    }
    QXclose(out);
    return written ? 1 : 0;
}

int KernLoadBookmarks(KERNEL* kernel, const char* file)
{
    if (!kernel || !file)
        return 0;
    GETFILE_STRUCT request;
    KernGetFile(kernel, file, QX_FETCH_SYNC, 0, nullptr, &request, nullptr, nullptr);
    const QXSTRING local = request.localFile;
    if (!local.length() || !DoFileExist(local) || KernGetFileType(kernel, local) != QX_FILE_BOOKMARKS)
        return 0;
    kernel->bookmarkFile = file;
    ClearBookmarks(kernel);
    QXFILE in = QXopen(local, 0);
    if (!in)
        return 0;
    char header[LineChars + 1] = "";
    char version[LineChars + 1] = "";
    QXLoadString(in, header, sizeof header);
    QXLoadString(in, version, sizeof version);
    if (!IsCurrentVersionLine(version)) {
        QXclose(in);
        if (!KernRefreshBookMark(kernel, local))
            MessageBoxA(KernGetAppWindow(kernel), KernString(IDS_BOOKMARK_REFRESH_FAILED), KernString(IDS_ERROR),
                        MB_OK | MB_ICONERROR);
        in = QXopen(local, 0);
        if (!in)
            return 0;
    }
    char line[LineChars + 1];
    while (QXLoadString(in, line, sizeof line))
        ReadLine(kernel, line);
    QXclose(in);
    return 1;
}

int KernRefreshBookMark(KERNEL* kernel, const char* file)
{
    if (!kernel || !file)
        return 0;
    QXSTRING folder;
    const char* slash = std::strrchr(file, '\\');
    folder.Format("%.*s", slash ? static_cast<int>(slash - file + 1) : 0, file);
    QXSTRING temporary;
    if (!QXCreateTempFileNameStr(folder.length() ? static_cast<const char*>(folder) : nullptr, nullptr, &temporary, 0))
        return 0;
    QXFILE from = QXopen(file, 0);
    if (!from)
        return 0;
    QXFILE to = QXopen(temporary, 1);
    if (!to) {
        QXclose(from);
        return 0;
    }
    const bool copied = CopyRelocated(kernel, from, to);
    QXclose(from);
    QXclose(to);
    const int result = copied ? fcopy(temporary, file) : -1;
    DeleteFileA(temporary);
    return result == 0 ? 1 : 0;
}

const char* KernGetBookmarkFile(KERNEL* kernel) { return kernel ? static_cast<const char*>(kernel->bookmarkFile) : nullptr; }

QXSTRING* KernGetBookmarkFileStr(KERNEL* kernel) { return kernel ? &kernel->bookmarkFile : nullptr; }
