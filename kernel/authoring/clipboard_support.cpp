// The clipboard owner window, scratch files and wait cursor of the object clipboard.
#include "clipboard_support.h"

#include "../runtime/filefetch.h"
#include "../runtime/kernel.h"
#include "../runtime/objet.h"
#include "qxfile.h"
#include "qxpath.h"
#include "qxsupport.h"

namespace {

constexpr const char* ScratchMask = "~clp????.tmp";

}  // namespace

HWND KernClipboardWindow(KERNEL* kernel)
{
    OBJET* page = KernGetTopObjet(kernel);
    if (page && page->window)
        return page->window;
    return KernGetAppWindow(kernel);
}

CLIPTEMPFILE::CLIPTEMPFILE(KERNEL* kernel)
{
    const char* cache = KernGetCachePath(kernel);
    QXCreateTempFileNameStr(cache && *cache ? cache : nullptr, ScratchMask, &name_, 1);
}

CLIPTEMPFILE::~CLIPTEMPFILE()
{
    if (Made())
        DeleteFileA(name_);
}

bool CLIPTEMPFILE::ReadAll(std::string* bytes) const
{
    const QXFILE file = QXopen(name_, 0);
    if (!file)
        return false;
    const DWORD size = QXGetFileSize(file);
    if (size == INVALID_FILE_SIZE) {
        QXclose(file);
        return false;
    }
    bytes->resize(size);
    const long read = bytes->empty() ? 0 : QXReadFile(file, &(*bytes)[0], static_cast<unsigned long>(bytes->size()));
    QXclose(file);
    return read == static_cast<long>(bytes->size());
}

bool CLIPTEMPFILE::WriteAll(const char* bytes, size_t count) const
{
    const QXFILE file = QXopen(name_, 1);
    if (!file)
        return false;
    const long written = count ? QXWriteFile(file, bytes, static_cast<unsigned long>(count)) : 0;
    QXclose(file);
    return written == static_cast<long>(count);
}
