// Naming, holding and cleaning up snapshot files.
#include "flc_snapshot.h"

namespace {

constexpr int SNAPSHOT_NUMBERS = 10000;

// Others may read and rewrite it, nobody may delete it while it is held.
HANDLE Hold(const char* name, DWORD disposition)
{
    return CreateFileA(name, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, disposition,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

void SnapshotFile::Take(const char* folder)
{
    Release();
    for (int number = 0; number < SNAPSHOT_NUMBERS; ++number) {
        QXSTRING name;
        name.Format("%s\\flc-%04d.$$$", folder, number);
        // CREATE_NEW fails on an existing file: two objects never share a number.
        const HANDLE file = Hold(name, CREATE_NEW);
        if (file != INVALID_HANDLE_VALUE) {
            name_ = name;
            held_ = file;
            return;
        }
    }
    char temporary[MAX_PATH] = "";
    if (GetTempFileNameA(folder, "flc", 0, temporary)) {
        name_ = temporary;
        held_ = Hold(temporary, OPEN_EXISTING);
    }
}

void SnapshotFile::Release()
{
    if (held_ != INVALID_HANDLE_VALUE)
        CloseHandle(held_);
    held_ = INVALID_HANDLE_VALUE;
    if (name_.length())
        DeleteFileA(name_);
    name_ = "";
}

void SnapshotFile::RemoveStale(const char* folder)
{
    QXSTRING pattern;
    pattern.Format("%s\\flc-????.$$$", folder);
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA(pattern, &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        QXSTRING name;
        name.Format("%s\\%s", folder, found.cFileName);
        // Fails for the files that live objects hold.
        DeleteFileA(name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
}
