// Pasting from the clipboard: a new document from the private format, the text, a metafile
// picture or a bitmap recorded into one. Every block is read within its own size: data put
// there by any program may be short or lack its terminating 0.
#include <algorithm>
#include <cstring>
#include <vector>

#include "rte_clipboard.h"
#include "rte_document_internal.h"
#include "rte_editing.h"
#include "rte_io.h"
#include "rte_object_stream.h"
#include "rte_record_codec.h"
#include "rte_record_stream.h"
#include "rte_styles.h"

using namespace rte_document;

namespace {

constexpr int32_t kInchHundredthsOfMm = 2540;

// The bytes of a clipboard block, no further than its size.
std::vector<uint8_t> BlockBytes(HANDLE data)
{
    std::vector<uint8_t> bytes;
    SIZE_T size = data ? GlobalSize(data) : 0;
    const void* locked = size ? GlobalLock(data) : nullptr;
    if (locked) {
        bytes.assign(static_cast<const uint8_t*>(locked), static_cast<const uint8_t*>(locked) + size);
        GlobalUnlock(data);
    }
    return bytes;
}

int32_t ScreenPixelsPerInch()
{
    HDC screen = GetDC(nullptr);
    int32_t dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

// The records follow one another to the end record, each within the block: a stream cut short
// is refused whole rather than read as far as it goes.
bool EndsWithEndRecord(const std::vector<uint8_t>& bytes)
{
    size_t at = 0;
    while (bytes.size() - at >= static_cast<size_t>(RTE_HEADER_BYTES)) {
        RteRecordHeader header;
        if (!RteParseHeader(bytes.data() + at, &header) || header.length < 0)
            return false;
        at += RTE_HEADER_BYTES;
        if (static_cast<size_t>(header.length) > bytes.size() - at)
            return false;
        if (header.type == RTE_RECORD_END)
            return true;
        at += static_cast<size_t>(header.length);
    }
    return false;
}

RteHandle FromPrivate(RteEnvironment* env, HANDLE data, RteObjectProc callback)
{
    std::vector<uint8_t> bytes = BlockBytes(data);
    if (!EndsWithEndRecord(bytes))
        return nullptr;
    RteHandle doc = RteNewDocument(env);
    if (!doc)
        return nullptr;
    RteRegisterObjectRecords(env, callback, 0);
    RteHandle stream = RteNewFromData(env->context, bytes.data(), 1, static_cast<int32_t>(bytes.size()));
    int32_t position = 0;
    uint16_t code = RteReadDoc(doc, &position, nullptr, 0, RteMemReader, reinterpret_cast<intptr_t>(stream));
    RteFree(stream);
    if (code) {
        RteDocDestroy(doc);
        return nullptr;
    }
    return doc;
}

RteHandle FromText(RteEnvironment* env, HANDLE data)
{
    std::vector<uint8_t> bytes = BlockBytes(data);
    bytes.erase(std::find(bytes.begin(), bytes.end(), 0), bytes.end());
    // The engine ends its lines with a bare carriage return.
    bytes.erase(std::remove(bytes.begin(), bytes.end(), '\n'), bytes.end());
    RteHandle doc = RteNewDocument(env);
    if (doc && !bytes.empty())
        RteInsertText(doc, bytes.data(), static_cast<int32_t>(bytes.size()), 0, RTE_KEYS_NONE, 0, 0);
    return doc;
}

RteHandle FromPicture(RteEnvironment* env, METAFILEPICT picture, RteObjectProc callback)
{
    RteHandle doc = RteNewDocument(env);
    if (!doc) {
        DeleteMetaFile(picture.hMF);
        return nullptr;
    }
    RteCharStyle style;
    RteCharStyleByIndex(doc, 0, &style);
    RteMetafileData data = {};
    data.metafile = picture.hMF;
    data.mappingMode = picture.mm;
    data.xExtent = static_cast<int16_t>(picture.xExt);
    data.yExtent = static_cast<int16_t>(picture.yExt);
    data.bounds = {0, 0, RteExtentToPixels(picture.mm, picture.yExt), RteExtentToPixels(picture.mm, picture.xExt)};
    RteHandle object = nullptr;
    uint16_t code = RteTry(env->context, [&] {
        object = RteNewObjectRecord(env->context, RTE_KIND_METAFILE, &data, -style.pointSize);
        const uint8_t text[] = {'[', ']'};
        RteInsertText(doc, text, 2, 0, RTE_KEYS_NONE, 0, 0);
        RteRange range = {0, 2};
        RteApplyObject(doc, object, &range, callback, 0, 0);
    });
    if (code) {
        if (!object)
            DeleteMetaFile(picture.hMF);
        RteDocDestroy(doc);
        return nullptr;
    }
    return doc;
}

RteHandle FromMetafile(RteEnvironment* env, HANDLE data, RteObjectProc callback)
{
    std::vector<uint8_t> bytes = BlockBytes(data);
    if (bytes.size() < sizeof(METAFILEPICT))
        return nullptr;
    METAFILEPICT picture;
    std::memcpy(&picture, bytes.data(), sizeof picture);
    picture.hMF = CopyMetaFileA(picture.hMF, nullptr);
    return picture.hMF ? FromPicture(env, picture, callback) : nullptr;
}

RteHandle FromBitmap(RteEnvironment* env, HBITMAP bitmap, RteObjectProc callback)
{
    RteRect rect;
    METAFILEPICT picture = {};
    picture.hMF = RteBitmapToMetafile(env, bitmap, &rect);
    if (!picture.hMF)
        return nullptr;
    picture.mm = MM_ANISOTROPIC;
    // The bitmap's size in 0.01 mm, as the screen measures it.
    HDC screen = GetDC(nullptr);
    SetMapMode(screen, MM_HIMETRIC);
    POINT size = {rect.right, rect.bottom};
    DPtoLP(screen, &size, 1);
    SetMapMode(screen, MM_TEXT);
    ReleaseDC(nullptr, screen);
    picture.xExt = std::abs(size.x);
    picture.yExt = std::abs(size.y);
    return FromPicture(env, picture, callback);
}

}  // namespace

int32_t RteExtentToPixels(int32_t mappingMode, int32_t extent)
{
    int32_t magnitude = std::abs(static_cast<int32_t>(static_cast<int16_t>(extent)));
    if (magnitude == 0)
        return 0;
    if (mappingMode == MM_ISOTROPIC || mappingMode == MM_ANISOTROPIC)
        return static_cast<int32_t>((int64_t{magnitude} * ScreenPixelsPerInch() + kInchHundredthsOfMm / 2) /
                                    kInchHundredthsOfMm);
    if (mappingMode == MM_TWIPS)
        return magnitude / 20 * ScreenPixelsPerInch();
    return magnitude;
}

int32_t RtePixelsToExtent(int32_t pixels)
{
    return static_cast<int32_t>(int64_t{kInchHundredthsOfMm} * pixels / ScreenPixelsPerInch());
}

HMETAFILE RteBitmapToMetafile(RteEnvironment*, HBITMAP bitmap, RteRect* rect)
{
    BITMAP info = {};
    if (!bitmap || !GetObjectA(bitmap, sizeof info, &info))
        return nullptr;
    *rect = {0, 0, info.bmHeight, info.bmWidth};
    HDC screen = GetDC(nullptr);
    HDC source = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(source, bitmap);
    HDC recorder = CreateMetaFileA(nullptr);
    SetMapMode(recorder, MM_ANISOTROPIC);
    SetWindowOrgEx(recorder, 0, 0, nullptr);
    SetWindowExtEx(recorder, info.bmWidth, info.bmHeight, nullptr);
    StretchBlt(recorder, 0, 0, info.bmWidth, info.bmHeight, source, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
    HMETAFILE metafile = CloseMetaFile(recorder);
    SelectObject(source, old);
    DeleteDC(source);
    return metafile;
}

int32_t RteClipboardHas(UINT privateFormat)
{
    return IsClipboardFormatAvailable(privateFormat) || IsClipboardFormatAvailable(CF_TEXT) ||
           IsClipboardFormatAvailable(CF_METAFILEPICT) || IsClipboardFormatAvailable(CF_BITMAP);
}

RteHandle RteDocFromClipboard(RteEnvironment* env, UINT privateFormat, RteObjectProc callback)
{
    UINT formats[] = {privateFormat, CF_TEXT, CF_METAFILEPICT, CF_BITMAP};
    int chosen = GetPriorityClipboardFormat(formats, 4);
    if (chosen <= 0)
        return nullptr;
    HANDLE data = GetClipboardData(static_cast<UINT>(chosen));
    if (!data)
        return nullptr;
    if (static_cast<UINT>(chosen) == privateFormat)
        return FromPrivate(env, data, callback);
    switch (chosen) {
    case CF_TEXT:
        return FromText(env, data);
    case CF_METAFILEPICT:
        return FromMetafile(env, data, callback);
    case CF_BITMAP:
        return FromBitmap(env, static_cast<HBITMAP>(data), callback);
    default:
        return nullptr;
    }
}
