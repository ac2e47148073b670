// Clipboard snapshots: written format by format from the open clipboard, read back into
// movable blocks set as the same formats.
#include "clipsnapshot.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "clipboard_undo.h"
#include "qxpath.h"

namespace {

constexpr int LineChars = 80;

// The text and picture formats that the system makes from one another: of each family only the
// first global-memory format of the enumeration is kept (the one put there, or the picture's
// DIB when a bitmap was put); the system makes the others again from it.
int SynthesisFamily(UINT format)
{
    switch (format) {
    case CF_TEXT:
    case CF_OEMTEXT:
    case CF_UNICODETEXT:
        return 1;
    case CF_DIB:
    case CF_DIBV5:
        return 2;
    default:
        return 0;
    }
}

bool WriteFormat(FILE* file, UINT format)
{
    HANDLE data = GetClipboardData(format);
    const SIZE_T size = data ? GlobalSize(data) : 0;
    const void* bytes = size ? GlobalLock(data) : nullptr;
    if (!bytes)
        return true;  // no data to be had: skipped
    const bool written = std::fprintf(file, "%d\n", static_cast<int>(format)) > 0 &&
                         std::fprintf(file, "%ul\n", static_cast<unsigned>(size)) > 0 &&
                         std::fwrite(bytes, 1, size, file) == size;
    GlobalUnlock(data);
    return written;
}

bool WriteSnapshot(FILE* file, int& formats)
{
    formats = CountClipboardFormats();
    if (std::fprintf(file, "%d\n", formats) <= 0)
        return false;
    bool familyKept[3] = {};
    for (UINT format = EnumClipboardFormats(0); format; format = EnumClipboardFormats(format)) {
        if (KernClipboardFormatHoldsHandle(format))
            continue;
        const int family = SynthesisFamily(format);
        if (family && familyKept[family])
            continue;
        familyKept[family] = true;
        if (!WriteFormat(file, format))
            return false;
    }
    return true;
}

// One line of at most 80 characters, trailing blanks trimmed, parsed as a decimal number (the
// size's trailing "l" ends the digits). False at the end of the file or without digits.
bool ReadNumber(FILE* file, unsigned long& value)
{
    char line[LineChars + 2];
    if (!std::fgets(line, sizeof line, file))
        return false;
    size_t length = std::strlen(line);
    while (length && (line[length - 1] == '\n' || line[length - 1] == '\r' || line[length - 1] == ' '))
        line[--length] = 0;
    char* end = nullptr;
    value = std::strtoul(line, &end, 10);
    return end != line;
}

// One format's bytes into a new block set as its data; false when the file ends first.
bool RestoreFormat(FILE* file, UINT format, unsigned long size)
{
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    void* bytes = block ? GlobalLock(block) : nullptr;
    if (!bytes) {
        if (block)
            GlobalFree(block);
        return false;
    }
    const bool read = std::fread(bytes, 1, size, file) == size;
    GlobalUnlock(block);
    if (!read || KernClipboardFormatHoldsHandle(format) || !SetClipboardData(format, block)) {
        GlobalFree(block);
        return read;
    }
    return true;
}

void RestoreSnapshot(FILE* file)
{
    unsigned long count = 0;
    if (!ReadNumber(file, count))
        return;
    for (unsigned long i = 0; i < count; ++i) {
        unsigned long format = 0, size = 0;
        if (!ReadNumber(file, format) || !ReadNumber(file, size))
            continue;
        if (!RestoreFormat(file, static_cast<UINT>(format), size))
            return;
    }
}

void Forget(CLIPBRD_LIST* list, CLIPBRD* snapshot)
{
    DeleteFileA(snapshot->file);
    list->Remove(snapshot);
    delete snapshot;
}

}  // namespace

int TakeClipboardSnapshot(const char* folder, HWND owner, CLIPBRD_LIST* list)
{
    if (!list)
        return 0;
    auto* snapshot = new CLIPBRD;
    if (!snapshot)
        return 0;
    char name[500];
    FILE* file = nullptr;
    if (QXCreateTempFileName(folder, "????.tlc", name, sizeof name, 0))
        file = std::fopen(name, "wb");
    if (!file) {
        delete snapshot;
        return 0;
    }
    snapshot->file = name;
    bool written = false;
    if (OpenClipboard(owner)) {
        written = WriteSnapshot(file, snapshot->formats);
        CloseClipboard();
    }
    written = std::fclose(file) == 0 && written;
    if (!written) {
        DeleteFileA(name);
        delete snapshot;
        return 0;
    }
    list->AddTail(snapshot);
    return 1;
}

int RestoreClipboardSnapshot(HWND owner, CLIPBRD_LIST* list)
{
    auto* snapshot = list && list->Items() ? static_cast<CLIPBRD*>(list->GetItem(list->Items() - 1)) : nullptr;
    FILE* file = snapshot ? std::fopen(snapshot->file, "rb") : nullptr;
    if (!file)
        return 0;
    if (!OpenClipboard(owner)) {
        std::fclose(file);
        return 0;
    }
    EmptyClipboard();
    RestoreSnapshot(file);
    std::fclose(file);
    CloseClipboard();
    Forget(list, snapshot);
    return 1;
}

void DropClipboardSnapshots(CLIPBRD_LIST* list)
{
    if (!list)
        return;
    while (list->Items())
        Forget(list, static_cast<CLIPBRD*>(list->GetItem(list->Items() - 1)));
}
