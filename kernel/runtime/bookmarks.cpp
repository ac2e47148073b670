// The bookmark list and its file: a header line, the version line, the two slide-show
// settings as "key=value", then one "title<TAB>page" line per bookmark. A file of an older
// form is brought to this one, in place, when it is read.
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
#include "recordio.h"
#include "safefile.h"

#include <cstdlib>
#include <cstring>
#include <map>
#include <optional>
#include <string>

namespace {

constexpr const char* LoopKey = "SlideShowLoop";
constexpr const char* DelayKey = "SlideShowDelay";
constexpr const char* VersionPrefix = "version :";
// The version text starts after "version : ".
constexpr int VersionOffset = 10;

enum class LineKind { Loop, Delay, Bookmark, Other };

// A settings line by its key; any other line holding a TAB is a bookmark, whatever its title
// holds (titles may contain '=').
LineKind KindOf(const char* line)
{
    if (const char* equal = std::strchr(line, '=')) {
        const int keyLength = static_cast<int>(equal - line);
        auto isKey = [&](const char* key) {
            return keyLength == static_cast<int>(std::strlen(key)) &&
                   CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, line, keyLength, key, keyLength) == CSTR_EQUAL;
        };
        if (isKey(LoopKey))
            return LineKind::Loop;
        if (isKey(DelayKey))
            return LineKind::Delay;
    }
    return std::strchr(line, '\t') ? LineKind::Bookmark : LineKind::Other;
}

bool HasVersionPrefix(const char* line)
{
    const int length = static_cast<int>(std::strlen(VersionPrefix));
    return static_cast<int>(std::strlen(line)) >= length &&
           CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, line, length, VersionPrefix, length) == CSTR_EQUAL;
}

QXSTRING VersionLine()
{
    char version[32];
    KernGetVersionString(version);
    QXSTRING line;
    line.Format("version : %s", version);
    return line;
}

enum class FileForm { Current, Older, Unknown };

// A bookmark file tells its form by its first two lines. A version line with a version is
// the current form. The older forms are a version line whose version reads as 0 (version 0,
// as for pages) and a file from before the version line, whose second line is already a
// setting or a bookmark. Anything else (no second line, a line cut short by a failed save,
// another text) is no form this kernel knows: such a file is left as it is.
FileForm ReadForm(QXFILE file, QXSTRING* second)
{
    QXSTRING first;
    if (!QXGetWholeLineStr(file, &first) || !QXGetWholeLineStr(file, second))
        return FileForm::Unknown;
    first.rtrim();
    if (lstrcmpiA(first, QX_BOOKMARKS_HEADER) != 0)
        return FileForm::Unknown;
    if (HasVersionPrefix(*second)) {
        const char* text = *second;
        const char* version = second->length() >= VersionOffset ? text + VersionOffset : "";
        return KernFormatVersionStringAsDWORD(version) != 0 ? FileForm::Current : FileForm::Older;
    }
    return KindOf(*second) == LineKind::Other ? FileForm::Unknown : FileForm::Older;
}

// A settings line sets its value; a bookmark line appends a bookmark.
void ReadLine(KERNEL* kernel, const char* line)
{
    switch (KindOf(line)) {
    case LineKind::Loop:
        kernel->slideLoop = std::atoi(std::strchr(line, '=') + 1);
        return;
    case LineKind::Delay:
        kernel->slideDelay = std::atoi(std::strchr(line, '=') + 1);
        return;
    case LineKind::Bookmark: {
        const char* tab = std::strchr(line, '\t');
        QXSTRING title;
        title.Format("%.*s", static_cast<int>(tab - line), line);
        if (auto* bookmark = new KERNBOOKMARK(tab + 1, title))
            kernel->bookmarks.AddTail(bookmark);
        return;
    }
    case LineKind::Other:
        return;
    }
}

// The path in a bookmark line: from one character before ":\" (a drive), else from "\\".
const char* PathInLine(const char* line)
{
    if (const char* drive = std::strstr(line, ":\\"))
        return drive > line ? drive - 1 : drive;
    return std::strstr(line, "\\\\");
}

// Locates the pages of the lines of one conversion, by the older forms' search (`old`) or
// today's. A bookmark file names the same few pages again and again, and each search walks
// folders around the publication, so a path is looked for once and its answer kept for the
// conversion's other lines.
class RELOCATOR {
public:
    RELOCATOR(KERNEL* kernel, bool old) : kernel(kernel), old(old) {}

    // The line with its path replaced by the file found for it; unchanged when none is found.
    QXSTRING Relocated(const QXSTRING& line)
    {
        const char* path = PathInLine(line);
        if (!path)
            return line;
        const std::string* found = Found(path);
        if (!found)
            return line;
        QXSTRING relocated;
        relocated.Format("%.*s%s", static_cast<int>(path - line), static_cast<const char*>(line), found->c_str());
        return relocated;
    }

private:
    // The file found for the path, or null when none is.
    const std::string* Found(const char* path)
    {
        auto known = answers.find(path);
        if (known == answers.end()) {
            QXSTRING found = path;
            const int located = old ? KernFindFileOldStr(kernel, &found, 0, 0) : KernFindFileStr(kernel, &found, 0);
            std::optional<std::string> answer;
            if (located && DoFileExist(found))
                answer = static_cast<const char*>(found);
            known = answers.emplace(path, std::move(answer)).first;
        }
        return known->second ? &*known->second : nullptr;
    }

    KERNEL* kernel;
    bool old;
    // The answer for each path as the file writes it.
    std::map<std::string, std::optional<std::string>> answers;
};

// The file brought to the current form: the current version line after the header (the
// second line of a file without one follows it), every later line whole, its page located
// again. False for a file of no known form or when a write failed.
bool WriteConverted(KERNEL* kernel, QXFILE from, RECORDWRITER& out)
{
    QXSTRING second;
    const FileForm form = ReadForm(from, &second);
    if (form == FileForm::Unknown)
        return false;
    // A second line that is no version line is from an older form.
    RELOCATOR relocator(kernel, form == FileForm::Older);
    out.Line(QX_BOOKMARKS_HEADER);
    out.Line(VersionLine());
    if (!HasVersionPrefix(second))
        out.Line(relocator.Relocated(second));
    QXSTRING line;
    while (out.Ok() && QXGetWholeLineStr(from, &line))
        out.Line(relocator.Relocated(line));
    return out.Ok();
}

}  // namespace

int KernAddBookMark(KERNEL* kernel, const char* page, const char* title)
{
    if (!kernel || !page || !*page || !title || !*title)
        return 0;
    if (kernel->bookmarks.Holds(page, title))
        return 0;
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
    SAFEFILE saved(file);
    if (!saved.File())
        return 0;
    RECORDWRITER out(saved.File());
    out.Line(QX_BOOKMARKS_HEADER);
    out.Line(VersionLine());
    out.Format("%s=%d", LoopKey, kernel->slideLoop);
    out.Format("%s=%d", DelayKey, kernel->slideDelay);
    QXSTRING line;
    for (int i = 0; out.Ok() && i < kernel->bookmarks.Items(); ++i) {
        auto* bookmark = static_cast<KERNBOOKMARK*>(kernel->bookmarks.GetItem(i));
        line.Format("%s\t%s", static_cast<const char*>(bookmark->title), static_cast<const char*>(bookmark->page));
        out.Line(line);
    }
    return out.Ok() && saved.Commit() ? 1 : 0;
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
    QXFILE in = QXopen(local, 0);
    if (!in)
        return 0;
    QXSTRING line;
    const FileForm form = ReadForm(in, &line);
    if (form == FileForm::Unknown) {
        QXclose(in);
        return 0;
    }
    kernel->bookmarkFile = file;
    kernel->bookmarks.Clear();
    if (form == FileForm::Older) {
        // Read again from the start, converted or, when that failed, as it is.
        QXclose(in);
        if (!KernRefreshBookMark(kernel, local))
            MessageBoxA(KernGetAppWindow(kernel), KernString(IDS_BOOKMARK_REFRESH_FAILED), KernString(IDS_ERROR),
                        MB_OK | MB_ICONERROR);
        in = QXopen(local, 0);
        if (!in)
            return 0;
    }
    while (QXGetWholeLineStr(in, &line)) {
        line.rtrim();
        ReadLine(kernel, line);
    }
    QXclose(in);
    return 1;
}

int KernRefreshBookMark(KERNEL* kernel, const char* file)
{
    if (!kernel || !file)
        return 0;
    QXFILE from = QXopen(file, 0);
    if (!from)
        return 0;
    SAFEFILE converted(file);
    bool written = false;
    if (converted.File()) {
        RECORDWRITER out(converted.File());
        written = WriteConverted(kernel, from, out);
    }
    // The old file is closed before the new one takes its place.
    QXclose(from);
    return written && converted.Commit() ? 1 : 0;
}

const char* KernGetBookmarkFile(KERNEL* kernel) { return kernel ? static_cast<const char*>(kernel->bookmarkFile) : nullptr; }

QXSTRING* KernGetBookmarkFileStr(KERNEL* kernel) { return kernel ? &kernel->bookmarkFile : nullptr; }
