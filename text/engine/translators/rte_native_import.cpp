// Reading a record stream as a translator: straight into an empty document, or into a
// temporary one that is then inserted into the caller's whole. Streams written on another
// platform get their fonts mapped and their upper-half characters translated.
#include "rte_native_translators.h"

#include "rte_io.h"
#include "rte_record_stream.h"
#include "rte_text_blocks.h"
#include "rte_transfer.h"
#include "rte_typed.h"
#include "version_class.h"

namespace {

// Font flags the device sets when it has looked the face up: a font from another platform
// must be looked up again.
constexpr uint16_t kLookedUp = 0x0004 | 0x0020;
constexpr int kFontFlags = 0;  // of units1to5
constexpr int kPlatformMac = 1;
constexpr int kPlatformOther = 3;

}  // namespace

RteNativeImportFilter::RteNativeImportFilter()
{
    formatId_ = RTE_FORMAT_NATIVE;
    features_ = RTE_FEATURE_FILE_BACKED | RTE_FEATURE_DOC_INFO | RTE_FEATURE_OBJECTS | RTE_FEATURE_PAGE |
                RTE_FEATURE_FORMATS | RTE_FEATURE_STYLES | RTE_FEATURE_TEXT;
}

RteNativeImportFilter::~RteNativeImportFilter() { DropTemporary(); }

void RteNativeImportFilter::DropTemporary()
{
    if (!heldTarget_)
        return;
    RteDocDestroy(doc_);
    doc_ = heldTarget_;
    heldTarget_ = nullptr;
}

int16_t RteNativeImportFilter::VerifyFormat()
{
    return static_cast<int16_t>(RteIsRecordStream(reference_, io_, position_));
}

int16_t RteNativeImportFilter::BeginImport()
{
    RteLocked<RteDocument> doc(doc_);
    targetMask_ = doc->saveMask;
    doc->saveMask = RteStreamMaskOf(flags_);
    return 0;
}

int32_t RteNativeImportFilter::ReadChunk()
{
    record_.length = 0;
    insertAt_ = offset_;
    if (RteTextLength(doc_) > 0) {
        heldTarget_ = doc_;
        doc_ = RteNewDocument(env_);
        RteLocked<RteDocument>(doc_)->saveMask = RteStreamMaskOf(flags_);
    }
    uint32_t platform = RteStoredPlatformWord(io_, reference_, position_);
    int32_t at = position_;
    uint16_t code = fileBacked_ ? RteReadDocBound(doc_, &at, nullptr, 0, io_, reference_)
                                : RteReadDoc(doc_, &at, nullptr, 0, io_, reference_);
    consumed_ += at - position_;
    position_ = at;
    result_ = static_cast<int16_t>(code);
    if (code)
        return 0;
    offset_ = imported_ = RteTextLength(doc_);
    int klass = RteVersionClass(platform);
    sourceSet_ = klass == kPlatformMac ? RTE_CHARSET_MAC : klass == kPlatformOther ? RTE_CHARSET_OTHER : RTE_CHARSET_ANSI;
    FitFonts(sourceSet_);
    if (sourceSet_ != RTE_CHARSET_ANSI)
        TranslateText();
    RteLocked<RteDocument>(doc_)->state = RTE_DOC_STATE_READY;
    return 0;
}

void RteNativeImportFilter::FitFonts(int32_t charset)
{
    RteHandle fontTable = RteLocked<RteDocument>(doc_)->fonts;
    RteFontInitProc fontHook = RteLocked<RteDocument>(doc_)->hooks.fontInit;
    int32_t count = RteCount(fontTable);
    for (int32_t i = 0; i < count; ++i) {
        RteFont font;
        RteGetElement(fontTable, i, &font);
        if (charset != RTE_CHARSET_ANSI)
            MapFont(&font, charset, RTE_CHARSET_ANSI);
        font.units1to5[kFontFlags] = static_cast<int16_t>(static_cast<uint16_t>(font.units1to5[kFontFlags]) & ~kLookedUp);
        if (fontHook)
            fontHook(doc_, &font);
        RteLocked<RteFont> fonts(fontTable);
        fonts[i] = font;
    }
    // A style may name a font the stream did not carry: it takes the last one.
    RteHandle styles = RteLocked<RteDocument>(doc_)->charStyles;
    for (int32_t i = 0; i < RteCount(styles); ++i) {
        RteCharStyle style;
        RteGetElement(styles, i, &style);
        if (count > 0 && style.font >= count)
            style.font = static_cast<int16_t>(count - 1);
        RteFont font;
        RteGetElement(fontTable, style.font < 0 || style.font >= count ? 0 : style.font, &font);
        if (style.hooks.metrics)
            style.hooks.metrics(doc_, &style, &font);
        RteLocked<RteCharStyle> records(styles);
        records[i] = style;
    }
}

void RteNativeImportFilter::TranslateText()
{
    // Text left in the source is brought in now: the document reads its blocks back as they
    // lie, untranslated.
    RteHandle blocks = RteLocked<RteDocument>(doc_)->blocks;
    RteBlockHook load = RteLocked<RteDocument>(doc_)->hooks.loadText;
    for (int32_t i = 0; i < RteCount(blocks); ++i) {
        RteTextBlock block;
        RteGetElement(blocks, i, &block);
        if (!block.text && load) {
            load(doc_, i);
            RteGetElement(blocks, i, &block);
        }
        if (!block.text)
            continue;
        TranslateChars(RteLocked<uint8_t>(block.text).get(), block.length, sourceSet_, RTE_CHARSET_ANSI);
        block.flags |= RTE_BLOCK_DIRTY;
        RteLocked<RteTextBlock> records(blocks);
        records[i] = block;
    }
}

int16_t RteNativeImportFilter::EndImport()
{
    if (heldTarget_) {
        RteHandle source = doc_;
        doc_ = heldTarget_;
        heldTarget_ = nullptr;
        RteTryOrUndo(
            env_->context, [&] { RteInsertDocument(doc_, source, insertAt_, 0, 0); }, [&] { RteDocDestroy(source); });
        RteDocDestroy(source);
    }
    RteLocked<RteDocument>(doc_)->saveMask = targetMask_;
    return 0;
}
