// Files replaced only once they are wholly written.
#include "safefile.h"

#include "qxfile.h"
#include "qxpath.h"

namespace {

// The new text is written beside the target, in the same folder, so that replacing the
// target is a rename on one volume.
constexpr const char* WorkFileMask = "~qx?????.tmp";

}  // namespace

SAFEFILE::SAFEFILE(const char* target) : target_(target)
{
    // A read-only page stays as it is, as it would if it were written in place.
    const DWORD attributes = GetFileAttributesA(target);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
        return;
    FNSPLIT parts(target);
    const QXSTRING folder = parts.drive + parts.dir;
    QXSTRING name;
    if (!QXCreateTempFileNameStr(folder.length() > 0 ? static_cast<const char*>(folder) : ".", WorkFileMask, &name, 0))
        return;
    // Made new, never over another file; a folder that does not exist or cannot be
    // written gives nothing.
    const HANDLE file = CreateFileA(name, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    file_ = file;
    temporary_ = name;
}

SAFEFILE::~SAFEFILE()
{
    if (file_)
        QXclose(file_);
    if (temporary_.length() > 0)
        DeleteFileA(temporary_);
}

bool SAFEFILE::Commit()
{
    if (!file_)
        return false;
    const bool flushed = FlushFileBuffers(file_) != 0;
    const bool closed = QXclose(file_) != 0;
    file_ = nullptr;
    if (!flushed || !closed ||
        !MoveFileExA(temporary_, target_, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return false;
    temporary_ = "";
    return true;
}
