// The RTF import translator: the reader's chunks handed to the import loop.
#include "rte_rtf_import.h"

#include <cstring>

#include "rte_batch.h"
#include "rte_document_internal.h"
#include "rte_io.h"
#include "rte_object_batch.h"
#include "rte_object_records.h"

RteRTFImportFilter::RteRTFImportFilter()
{
    formatId_ = RTE_FORMAT_RTF;
    features_ = RTE_FEATURE_BUFFERED | RTE_FEATURE_OBJECTS | RTE_FEATURE_PAGE | RTE_FEATURE_FORMATS |
                RTE_FEATURE_STYLES | RTE_FEATURE_TEXT;
}

RteRTFImportFilter::~RteRTFImportFilter() = default;

int16_t RteRTFImportFilter::VerifyFormat()
{
    return RteProbeStream(reference_, io_, position_) == RTE_STREAM_RTF ? 0 : RTE_ERR_STREAM_DAMAGED;
}

int16_t RteRTFImportFilter::BeginImport()
{
    if (rte_document::DocLock(doc_)->version < RTF_OLDEST_DOCUMENT)
        return RTF_ERR_OLD_DOCUMENT;
    host_ = std::make_unique<RtfDocumentHost>(doc_, (flags_ & RTE_IMPORT_TEXT) != 0);
    host_->SetFontMapper([this](RteFont& font) { MapFont(&font, sourceSet_, RTE_CHARSET_ANSI); });
    host_->SetObjectMaker([this](RtfPicture& picture, intptr_t owner) { return MakeObject(picture, owner); });
    reader_ = std::make_unique<RtfReader>(static_cast<RtfInput&>(*this), *host_, env_->defaultStyle, record_.font, record_.format,
                                          static_cast<size_t>(bufferSize_));
    // The page starts as the document has it, with the margins RTF takes when it names none.
    RtePageSettings page;
    RteGetPageSettings(doc_, &page);
    RtfPage start;
    start.margins[0] = start.margins[2] = host_->TwipsToDevice(72 * 20);
    start.margins[1] = start.margins[3] = host_->TwipsToDevice(90 * 20);
    start.paperWidth = page.width;
    start.paperHeight = page.height;
    const RteRect& old = page.margins;
    start.changed = old.top != start.margins[0] || old.left != start.margins[1] || old.bottom != start.margins[2] ||
                    old.right != start.margins[3];
    reader_->SetPage(start);
    return 0;
}

intptr_t RteRTFImportFilter::MakeObject(RtfPicture& picture, intptr_t owner)
{
    RteMemContext* context = env_->context;
    RteHandle bits = RteNewFromData(context, picture.data.data(), 1, static_cast<int32_t>(picture.data.size()));
    RteHandle object = nullptr;
    if (picture.type == RTF_PICTURE_METAFILE) {
        RteMetafileData metafile{};
        metafile.metafile = reinterpret_cast<void*>(ConvertPicture(bits, RTE_KIND_METAFILE));
        if (!metafile.metafile)
            return 0;
        metafile.mappingMode = picture.mapMode;
        metafile.xExtent = static_cast<int16_t>(picture.picw);
        metafile.yExtent = static_cast<int16_t>(picture.pich);
        metafile.bounds = {0, 0, picture.height, picture.width};
        object = RteNewObjectRecord(context, RTE_KIND_METAFILE, &metafile, 0);
    } else {
        // Macintosh pictures and embedded objects keep their bytes as they came.
        int32_t kind = picture.type == RTF_PICTURE_MAC ? RTE_KIND_FOREIGN_PICT : RTE_KIND_BYTE_HANDLE;
        object = RteNewObjectRecord(context, static_cast<uint32_t>(kind), bits, 0);
    }
    RteObject* record = static_cast<RteObject*>(RteLock(object));
    // The sizes as written and the scale factors come back on export; an object's own RTF
    // text is its second data.
    record->width = picture.width;
    record->height = picture.height;
    record->picture.values16b[0] = static_cast<int16_t>(picture.picw);
    record->picture.values16b[1] = static_cast<int16_t>(picture.pich);
    record->picture.values16b[2] = static_cast<int16_t>(picture.picwgoal);
    record->picture.values16b[3] = static_cast<int16_t>(picture.pichgoal);
    record->picture.values32[0] = picture.scaleX;
    record->picture.values32[1] = picture.scaleY;
    if (!picture.rtf.empty())
        record->secondData = RteNewFromData(context, picture.rtf.data(), 1, static_cast<int32_t>(picture.rtf.size()));
    RteUnlock(object);
    if (owner != 0) {
        // A result picture: flagged, and the object's picture.
        RteObject* result = static_cast<RteObject*>(RteLock(object));
        result->typeWord |= RTF_RESULT_PICTURE;
        RteUnlock(object);
        auto* ownerRecord = static_cast<RteObject*>(RteLock(reinterpret_cast<RteHandle>(owner)));
        ownerRecord->linked = object;
        RteUnlock(reinterpret_cast<RteHandle>(owner));
    }
    return reinterpret_cast<intptr_t>(object);
}

int32_t RteRTFImportFilter::ReadChunk()
{
    bool more = reader_->ReadChunk(chunk_);
    sourceSet_ = reader_->SourceSet();
    if (chunk_.style.object != 0) {
        // The object's two characters go into the import's batch with the object's own style,
        // between the text before and after it: a batch of their own would go in at the
        // selection, ahead of the import's text, in a block of their own.
        OpenBatch();
        RteBatchInsertObject(doc_, reinterpret_cast<RteHandle>(chunk_.style.object), nullptr, 0, 0);
        chunk_.text.clear();
    }
    record_.length = static_cast<int32_t>(chunk_.text.size());
    if (record_.length > 0) {
        std::memcpy(record_.text.data(), chunk_.text.data(), chunk_.text.size());
        record_.style = chunk_.style;
        record_.font = chunk_.font;
        // A new font goes with its style: the insertion batch matches a font change without a
        // style against the record in force, whose use count moves, and would never find it
        // among the requests it has already answered.
        newStyle_ = chunk_.newStyle || chunk_.newFont;
        newFont_ = chunk_.newFont;
    }
    if (chunk_.newFormat) {
        record_.format = chunk_.format;
        newFormat_ = true;
    }
    const RtfPage& page = reader_->Page();
    if (page.changed) {
        record_.margins = {page.margins[0], page.margins[1], page.margins[2], page.margins[3]};
        record_.pageRect = {0, 0, page.paperHeight, page.paperWidth};
        pagePresent_ = true;
    }
    return more ? 1 : 0;
}

int16_t RteRTFImportFilter::EndImport()
{
    reader_.reset();
    host_.reset();
    return RteImportFilter::EndImport();
}
