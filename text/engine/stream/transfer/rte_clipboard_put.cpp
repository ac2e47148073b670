// Copying to the clipboard: the document's record stream under the private format, then its
// text with CR LF line ends, or its picture when the document is one metafile object.
#include <cstring>
#include <string>

#include "rte_clipboard.h"
#include "rte_document_internal.h"
#include "rte_io.h"
#include "rte_object_queries.h"
#include "rte_object_stream.h"
#include "rte_record_stream.h"
#include "rte_transfer.h"

using namespace rte_document;

namespace {

constexpr uint16_t kStreamGrowBy = 128;
const int16_t kClipboardTypes[] = {RTE_REC_SETTINGS,   RTE_REC_BLOCKS,     RTE_REC_TEXT,
                                   RTE_REC_CHAR_RUNS,  RTE_REC_PAR_RUNS,   RTE_REC_CHAR_STYLES,
                                   RTE_REC_PAR_FORMATS, RTE_REC_FONTS};

// Puts a copy of the bytes; the first put of a call empties the clipboard.
bool PutBytes(UINT format, const void* bytes, size_t size, bool* emptied)
{
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, size ? size : 1);
    if (!block)
        return false;
    std::memcpy(GlobalLock(block), bytes, size);
    GlobalUnlock(block);
    if (!*emptied)
        EmptyClipboard();
    *emptied = true;
    if (SetClipboardData(format, block))
        return true;
    GlobalFree(block);
    return false;
}

bool PutPrivate(RteHandle doc, UINT format, bool* emptied)
{
    RteMemContext* context = RteDocEnvironment(doc)->context;
    RteHandle stream = RteAlloc(context, 1, 0, kStreamGrowBy, false);
    auto reference = reinterpret_cast<intptr_t>(stream);
    int32_t position = 0;
    uint16_t code = RteSaveDoc(doc, &position, kClipboardTypes, std::size(kClipboardTypes), RteMemWriter, reference, 0);
    if (!code)
        code = RteSaveObjects(doc, RteMemWriter, &position, reference);
    if (!code)
        code = RteSaveDocEnd(doc, &position, RteMemWriter, reference);
    bool put = false;
    if (!code) {
        put = PutBytes(format, RteLock(stream), static_cast<size_t>(RteCount(stream)), emptied);
        RteUnlock(stream);
    }
    RteFree(stream);
    return put;
}

bool PutText(RteHandle doc, bool* emptied)
{
    RteRange all = {0, RteTextLength(doc)};
    RteHandle text = RteCopyRangeText(doc, &all, 0);
    if (!text)
        return false;
    std::string lines;
    {
        RteLocked<char> bytes(text);
        for (int32_t i = 0; i < bytes.size(); ++i) {
            lines += bytes[i];
            // A bare carriage return ends a line: the clipboard's text ends its lines with CR LF.
            if (bytes[i] == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n'))
                lines += '\n';
        }
    }
    RteFree(text);
    return PutBytes(CF_TEXT, lines.c_str(), lines.size() + 1, emptied);
}

bool PutPicture(RteHandle doc, bool* emptied)
{
    int32_t offset = 0, style = 0;
    RteHandle object = RteNthObject(doc, nullptr, 1, &offset, &style);
    if (!object)
        return false;
    RteObject record;
    RteGetElement(object, 0, &record);
    if (RteObjectKindOf(record) != RTE_KIND_METAFILE || !record.data)
        return false;
    METAFILEPICT picture = {};
    int32_t pixelsX = record.width;
    int32_t pixelsY = record.height;
    picture.mm = record.picture.mappingMode ? record.picture.mappingMode : MM_TEXT;
    if (picture.mm == MM_TEXT) {
        picture.xExt = pixelsX;
        picture.yExt = pixelsY;
    } else {
        picture.xExt = record.picture.values16b[0] ? record.picture.values16b[0] : RtePixelsToExtent(pixelsX);
        picture.yExt = record.picture.values16b[1] ? record.picture.values16b[1] : RtePixelsToExtent(pixelsY);
    }
    picture.hMF = CopyMetaFileA(reinterpret_cast<HMETAFILE>(record.data), nullptr);
    if (!picture.hMF)
        return false;
    if (PutBytes(CF_METAFILEPICT, &picture, sizeof picture, emptied))
        return true;
    DeleteMetaFile(picture.hMF);
    return false;
}

// The whole text is one embedded object's two characters.
bool IsOneObject(RteHandle doc)
{
    RteRange all = {0, RteTextLength(doc)};
    return all.end == 2 && RteCountObjects(doc, &all) == 1;
}

}  // namespace

int32_t RtePutClipboard(RteHandle doc, UINT privateFormat, int16_t what)
{
    bool emptied = false;
    bool put = false;
    if (what == RTE_PUT_ALL || what == RTE_PUT_PRIVATE)
        put = PutPrivate(doc, privateFormat, &emptied);
    if (what == RTE_PUT_PRIVATE)
        return put;
    if (IsOneObject(doc)) {
        if (what == RTE_PUT_ALL || what == RTE_PUT_PICTURE)
            put = PutPicture(doc, &emptied) || put;
        return put;
    }
    if (what == RTE_PUT_ALL || what == RTE_PUT_TEXT || what == RTE_PUT_TEXT_ONLY)
        put = PutText(doc, &emptied) || put;
    return put;
}
