// The plain-text form of a text that the kernel's object copy adds to the clipboard.
#include "text_files.h"

#include <cstring>

#include "qxfile.h"
#include "qxpath.h"
#include "rte_translator.h"

namespace {

// The whole file in a moveable block one byte longer, whose zero ends the text; null when
// the file cannot be read.
HGLOBAL ReadIntoBlock(const char* path)
{
    QXFILE file = QXopen(path, 0);
    if (!file)
        return nullptr;
    HGLOBAL block = nullptr;
    LARGE_INTEGER size;
    if (GetFileSizeEx(file, &size) && size.QuadPart < MAXDWORD) {
        const auto count = static_cast<DWORD>(size.QuadPart);
        block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE | GMEM_ZEROINIT, count + 1);
        DWORD read = 0;
        void* bytes = block ? GlobalLock(block) : nullptr;
        bool whole = bytes && ReadFile(file, bytes, count, &read, nullptr) && read == count;
        if (bytes)
            GlobalUnlock(block);
        if (!whole && block) {
            GlobalFree(block);
            block = nullptr;
        }
    }
    QXclose(file);
    return block;
}

bool WritePlainText(RteHandle doc, const char* path)
{
    QXFILE file = QXopen(path, 1);
    if (!file)
        return false;
    RteExportFilter plain;
    bool written = ExportDocument(plain, doc, file, 0) != 0;
    QXclose(file);
    return written;
}

}  // namespace

int CopyTextToClipboard(RteHandle doc, const char* folder)
{
    HCURSOR cursor = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    QXSTRING path;
    int added = 0;
    if (doc && QXCreateTempFileNameStr(folder, "~clp????.tmp", &path, 1)) {
        HGLOBAL block = WritePlainText(doc, path) ? ReadIntoBlock(path) : nullptr;
        // The clipboard owns the block once it took it.
        if (block && SetClipboardData(CF_TEXT, block))
            added = 1;
        else if (block)
            GlobalFree(block);
        DeleteFileA(path);
    }
    SetCursor(cursor);
    return added;
}
