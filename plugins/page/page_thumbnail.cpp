// GenerateThumbnail: a page file rendered into a small 8-bit image file.
#include "qxbmp.h"
#include "qxdib.h"
#include "qxplugin.h"
#include "snapshot.h"

namespace {

// The picture of the page, or false when the page did not render.
bool TakePicture(const char* page, BMP& picture)
{
    const HBITMAP shot = KernPreviewPage(page);
    if (!shot)
        return false;
    const HANDLE dib = _BitmapToDIB(shot, nullptr);
    DeleteObject(shot);
    if (!dib)
        return false;
    const bool pasted = picture.Paste(static_cast<HGLOBAL>(dib)) == 0;
    _DestroyDIB(dib);
    return pasted;
}

}  // namespace

// 1 only when the image file was written: a page that does not render or a write that fails
// is reported, not passed off as a thumbnail.
QXPLUGIN_EXPORT int GenerateThumbnail(const char* page, const char* image, int width, int height)
{
    if (!page || !image)
        return 0;
    try {
        BMP picture;
        return TakePicture(page, picture) && picture.Resize(width, height) == 0 && picture.DemoteTo8Bits() == 0 &&
               picture.Export(image, BMP_FORMAT_BMP, 8) == 0;
    } catch (...) {
        return 0;
    }
}
