// What the translators ask of the platform: whether the display knows a font, metafile bits
// turned into a metafile on import, and an embedded object's picture bytes on export.
#include <windows.h>

#include <cstring>

#include "rte_object_records.h"
#include "rte_translator.h"
#include "rte_typed.h"

namespace {

int CALLBACK OnFont(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM found)
{
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

// Kinds whose data is an engine byte handle.
bool HandleKind(int32_t kind) { return kind == RTE_KIND_VALUE || kind == RTE_KIND_FOREIGN_PICT || kind == RTE_KIND_BYTE_HANDLE; }

}  // namespace

bool RteDeviceKnowsFont(const char* name, int32_t way)
{
    if (!name || !*name || std::strlen(name) >= LF_FACESIZE)
        return false;
    HDC screen = GetDC(nullptr);
    bool found = false;
    if (way == 0) {
        EnumFontFamiliesA(screen, name, OnFont, reinterpret_cast<LPARAM>(&found));
    } else {
        LOGFONTA wanted = {};
        wanted.lfCharSet = DEFAULT_CHARSET;
        std::strcpy(wanted.lfFaceName, name);
        EnumFontFamiliesExA(screen, &wanted, OnFont, reinterpret_cast<LPARAM>(&found), 0);
    }
    ReleaseDC(nullptr, screen);
    return found;
}

intptr_t RteImportFilter::ConvertPicture(RteHandle data, int32_t type)
{
    if (type != RTE_KIND_METAFILE)
        return reinterpret_cast<intptr_t>(data);
    HMETAFILE metafile = nullptr;
    if (data) {
        size_t size = RteByteSize(data);
        metafile = SetMetaFileBitsEx(static_cast<UINT>(size), static_cast<const BYTE*>(RteLock(data)));
        RteUnlock(data);
        RteFree(data);
    }
    return reinterpret_cast<intptr_t>(metafile);
}

const uint8_t* RteExportFilter::GetPictureData(RteHandle object, int32_t* count, void** copy)
{
    *count = 0;
    *copy = nullptr;
    RteObject record;
    RteGetElement(object, 0, &record);
    int32_t kind = RteObjectKindOf(record);
    if (kind == RTE_KIND_METAFILE && record.data) {
        auto metafile = reinterpret_cast<HMETAFILE>(record.data);
        UINT size = GetMetaFileBitsEx(metafile, 0, nullptr);
        HGLOBAL block = size ? GlobalAlloc(GMEM_MOVEABLE, size) : nullptr;
        void* bytes = block ? GlobalLock(block) : nullptr;
        if (!bytes) {
            if (block)
                GlobalFree(block);
            return nullptr;
        }
        GetMetaFileBitsEx(metafile, size, bytes);
        *copy = block;
        *count = static_cast<int32_t>(size);
        return static_cast<const uint8_t*>(bytes);
    }
    if (HandleKind(kind) && record.data) {
        auto data = reinterpret_cast<RteHandle>(record.data);
        *count = static_cast<int32_t>(RteByteSize(data));
        return static_cast<const uint8_t*>(RteLock(data));
    }
    return nullptr;
}

void RteExportFilter::ReleasePictureData(RteHandle object, void* copy)
{
    RteObject record;
    RteGetElement(object, 0, &record);
    int32_t kind = RteObjectKindOf(record);
    if (kind == RTE_KIND_METAFILE && copy) {
        GlobalUnlock(copy);
        GlobalFree(copy);
    } else if (HandleKind(kind) && record.data) {
        RteUnlock(reinterpret_cast<RteHandle>(record.data));
    }
}
