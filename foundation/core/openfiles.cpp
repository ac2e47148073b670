// Opening and closing files through the process-wide table of open handles.
#include "qxfile.h"
#include "qxlist.h"

namespace {

class OpenFileEntry : public LNODE {
public:
    OpenFileEntry(QXFILE file, const char* name) : file(file), name(name) {}
    QXFILE file;
    QXSTRING name;
};

// Created on first use and cleared when the library is unloaded. No lock: files are opened
// and closed on the user-interface thread.
LIST& OpenFiles()
{
    static LIST table;
    return table;
}

OpenFileEntry* FindEntry(QXFILE file)
{
    LIST& table = OpenFiles();
    for (long i = 0; i < table.Items(); ++i) {
        auto* entry = static_cast<OpenFileEntry*>(table.GetItem(i));
        if (entry->file == file)
            return entry;
    }
    return nullptr;
}

void Record(QXFILE file, const char* name)
{
    // A value still recorded was closed by its earlier owner without QXclose: the system
    // is free to hand it out again, so the stale entry simply takes the new name.
    if (OpenFileEntry* stale = FindEntry(file)) {
        stale->name = name;
        return;
    }
    // Without memory for the entry the file stays usable; it is only missing from the table.
    if (auto* entry = new OpenFileEntry(file, name))
        OpenFiles().AddTail(entry);
}

}  // namespace

QXFILE QXopen(const char* name, int mode)
{
    struct OpenMode {
        DWORD access;
        DWORD disposition;
    };
    static const OpenMode modes[] = {
        {GENERIC_READ, OPEN_EXISTING},
        {GENERIC_WRITE, CREATE_ALWAYS},
        {GENERIC_READ | GENERIC_WRITE, OPEN_ALWAYS},
    };
    if (!name || mode < 0 || mode > 2)
        return nullptr;

    // A missing floppy or CD-ROM must never stop the presentation with a system box.
    const UINT previousErrorMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    const HANDLE file = CreateFileA(name, modes[mode].access, FILE_SHARE_READ, nullptr,
                                    modes[mode].disposition,
                                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_RANDOM_ACCESS, nullptr);
    SetErrorMode(previousErrorMode);
    if (file == INVALID_HANDLE_VALUE)
        return nullptr;

    Record(file, name);
    return file;
}

int QXclose(QXFILE file)
{
    if (!file)
        return 0;
    if (OpenFileEntry* entry = FindEntry(file)) {
        OpenFiles().Remove(entry);
        delete entry;
    }
    // Handles opened elsewhere are closed as well: callers hand any file handle here.
    return CloseHandle(file);
}
