// The font store beside a publication's pages: the folder "fonts\" next to the page saved,
// with its index "fonts.mgr" of face names and font files, each pair on two lines.
#include "fonts.h"

#include "history.h"
#include "kernel.h"
#include "qxfile.h"
#include "qxfonts.h"
#include "qxpath.h"
#include "qxsupport.h"
#include "recordio.h"

namespace {

// Font files of the store: "~~F" and six characters that make the name new in the folder.
constexpr const char* StoreFileMask = "~~F??????";

// The store beside the page being written: the page shown, or its new name while it is saved
// under another one, so that a page saved into another folder takes its fonts along. Without
// a page shown, the last page loaded.
QXSTRING StoreFolder(KERNEL* kernel)
{
    QXSTRING page = kernel->activeFilename;
    if (page.length() == 0)
        page = static_cast<TREE*>(kernel->loadedPages.GetItem(kernel->loadedPages.Items() - 1))->name;
    FNSPLIT parts(page);
    return parts.drive + parts.dir + "fonts\\";
}

// The file of the face listed in the index, "" when the face is not listed; the file
// position is then at the end of the index.
QXSTRING FindInIndex(QXFILE index, const char* face)
{
    char name[QX_RECORD_LINE];
    char file[QX_RECORD_LINE];
    while (ReadTrimmedLine(index, name, sizeof name) && ReadTrimmedLine(index, file, sizeof file)) {
        if (lstrcmpiA(name, face) == 0)
            return QXSTRING(file);
    }
    return QXSTRING();
}

}  // namespace

int KernGetFontDosNameStr(KERNEL* kernel, const char* face, QXSTRING* out)
{
    if (out)
        *out = "";
    if (!kernel || !face || !*face || !out || kernel->loadedPages.Items() == 0)
        return 0;
    const QXSTRING folder = StoreFolder(kernel);
    QXCreateFilePath(folder);
    const QXSTRING indexName = folder + "fonts.mgr";
    const QXFILE index = QXopen(indexName, 2);
    if (!index)
        return 0;
    QXSTRING listed = FindInIndex(index, face);
    if (listed.length() > 0) {
        QXclose(index);
        FNSPLIT parts(listed);
        *out = folder + parts.name + parts.ext;
        return 1;
    }
    // A face is listed only once its file is written; the index ends in a complete line,
    // and the new pair goes after it.
    QXSTRING file;
    if (!QXCreateTempFileNameStr(folder, StoreFileMask, &file, 0) || !SaveFontAsFile(file, face)) {
        QXclose(index);
        return 0;
    }
    FNSPLIT parts(file);
    RECORDWRITER writer(index);
    QXSeekFile(index, 0, 2);
    writer.Line(face);
    writer.Line(parts.name + parts.ext);
    QXclose(index);
    if (!writer.Ok())
        return 0;
    *out = file;
    return 1;
}

int KernGetFontDosName(KERNEL* kernel, const char* face, char* out, int size)
{
    QXSTRING file;
    const int found = KernGetFontDosNameStr(kernel, face, &file);
    if (!out || size < 1)
        return 0;
    lstrcpynA(out, file, size);
    return found && file.length() < size ? 1 : 0;
}
