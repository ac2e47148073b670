// A media server's picture through a temporary BMP.
#include "media_frame.h"

#include "qxbmp.h"

#include <cstring>

namespace {

// A zero-filled movable global copy of the array's bytes; null when it holds none.
HGLOBAL CopyFrameBytes(SAFEARRAY* array)
{
    if (!array || SafeArrayGetDim(array) != 1)
        return nullptr;
    const size_t bytes = static_cast<size_t>(array->rgsabound[0].cElements) * array->cbElements;
    void* data = nullptr;
    if (!bytes || FAILED(SafeArrayAccessData(array, &data)))
        return nullptr;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
    void* copy = block ? GlobalLock(block) : nullptr;
    if (copy) {
        std::memcpy(copy, data, bytes);
        GlobalUnlock(block);
    }
    SafeArrayUnaccessData(array);
    return block;
}

}  // namespace

void DrawMediaFrame(const VARIANT& frame, HDC dc, long x, long y, long w, long h, bool ownSize)
{
    if (frame.vt != (VT_ARRAY | VT_UI1))
        return;
    HGLOBAL block = CopyFrameBytes(frame.parray);
    if (!block)
        return;
    BMP picture;
    if (picture.Paste(block) == 0) {
        if (ownSize)
            picture.Draw(dc, x, y, SRCCOPY, 0);
        else
            picture.Draw(dc, x, y, w, h, SRCCOPY, 0);
    }
    GlobalFree(block);
}
