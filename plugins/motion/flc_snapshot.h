// The snapshot file of an animation object: a picture of it while its media is closed, in the
// file cache's folder as "flc-NNNN.$$$". The object holds its file open so that another
// process's clean-up knows it is in use.
#pragma once

#include <windows.h>

#include "qxstring.h"

class SnapshotFile {
public:
    SnapshotFile() = default;
    ~SnapshotFile() { Release(); }
    SnapshotFile(const SnapshotFile&) = delete;
    SnapshotFile& operator=(const SnapshotFile&) = delete;

    // The first free number 0 to 9999, created empty; a temporary name when all are taken.
    void Take(const char* folder);
    // Closes and deletes the file.
    void Release();
    const QXSTRING& Name() const { return name_; }

    // Snapshot files left behind by programs that ended without removing theirs.
    static void RemoveStale(const char* folder);

private:
    QXSTRING name_;
    HANDLE held_ = INVALID_HANDLE_VALUE;
};
