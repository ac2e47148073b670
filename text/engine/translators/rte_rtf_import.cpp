// The RTF import translator: the reader's chunks handed to the import loop.
#include "rte_rtf_import.h"

#include <cstring>

#include "rte_document_internal.h"
#include "rte_io.h"

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

int32_t RteRTFImportFilter::ReadChunk()
{
    bool more = reader_->ReadChunk(chunk_);
    sourceSet_ = reader_->SourceSet();
    record_.length = static_cast<int32_t>(chunk_.text.size());
    if (record_.length > 0) {
        std::memcpy(record_.text.data(), chunk_.text.data(), chunk_.text.size());
        record_.style = chunk_.style;
        record_.font = chunk_.font;
        newStyle_ = chunk_.newStyle;
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
