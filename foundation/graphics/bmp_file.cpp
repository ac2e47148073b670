// BMP: reading and writing image files.
#include "qxbmp.h"

#include "bmp_result.h"
#include "imagebitmap.h"
#include "imagefile.h"
#include "imageresult.h"
#include "qxfile.h"
#include "qxsupport.h"

constexpr bool SameCode(BMP_FILE_FORMAT ours, ImageFormat layer)
{
    return static_cast<int>(ours) == static_cast<int>(layer);
}
static_assert(SameCode(BMP_FORMAT_BMP, IMAGE_FORMAT_BMP) && SameCode(BMP_FORMAT_PNG, IMAGE_FORMAT_PNG)
                  && SameCode(BMP_FORMAT_JPEG, IMAGE_FORMAT_JPEG) && SameCode(BMP_FORMAT_GIF, IMAGE_FORMAT_GIF)
                  && SameCode(BMP_FORMAT_TIFF, IMAGE_FORMAT_TIFF) && SameCode(BMP_FORMAT_ICO, IMAGE_FORMAT_ICO),
              "Export passes its format code to the imaging layer unchanged");

namespace {

// Images are always held at 24 bits after a load, whatever the file's depth.
constexpr int LoadedBitsPerPixel = 24;
constexpr long PrefixBytes = 4;

}  // namespace

int BMP::Decrypt(QXFILE handle)
{
    unsigned char prefix[PrefixBytes] = {};
    if (QXSeekFile(handle, 0, 0) != 0 || QXReadFile(handle, prefix, PrefixBytes) != PrefixBytes)
        return 0;
    const unsigned long value = prefix[0] | (prefix[1] << 8) | (prefix[2] << 16) | (static_cast<unsigned long>(prefix[3]) << 24);
    return value == BMP_FILE_PREFIX;
}

int BMP::Import(const char* name)
{
    if (!file || !name)
        return 1;
    QXFILE handle = QXopen(name, 0);
    if (!handle)
        return 1;
    const long length = QXSeekFile(handle, 0, 2);
    QXSeekFile(handle, 0, 0);
    if (length <= 0) {
        QXclose(handle);
        return 1;
    }
    file->SetBitmap(bitmap);
    file->SetFileName(name);
    const long offset = Decrypt(handle) ? PrefixBytes : 0;
    const int result = offset < length
        ? RecordImagingResult(file->Load(handle, offset, length - offset, LoadedBitsPerPixel))
        : RecordImagingResult(IMAGE_ERROR_BAD_DATA);
    QXclose(handle);
    return result == IMAGE_SUCCESS ? 0 : 1;
}

int BMP::Export(const char* name, int format, int bpp)
{
    if (!name || !Active() || !file)
        return 1;
    file->SetFileName(name);
    // The save's own result: a full disk or a missing encoder must not pass for success.
    return RecordImagingResult(file->Save(format, bpp)) == IMAGE_SUCCESS ? 0 : 1;
}
