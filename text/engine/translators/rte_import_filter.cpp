// The import base: binding a source, reading it through its callback (16-bit text with a
// byte-order mark narrowed to bytes on the way), and pouring chunk after chunk into a document
// through an insertion batch. As the plain-text importer it reads the bytes as they lie.
#include <algorithm>
#include <cstring>

#include "rte_batch.h"
#include "rte_editing.h"
#include "rte_fonts.h"
#include "rte_io.h"
#include "rte_position_queries.h"
#include "rte_record_stream.h"
#include "rte_selection.h"
#include "rte_text_helpers.h"
#include "rte_translator.h"
#include "rte_translator_setup.h"
#include "rte_typed.h"

namespace {

constexpr int16_t kTranslatorEnd = -1;

// A 16-bit character of the source as a byte of code page 1252 ("?" when it has none).
uint8_t NarrowChar(uint16_t character)
{
    if (character == 0)
        return 0;
    uint8_t byte = RteCharToCp1252(character);
    return byte ? byte : '?';
}

bool IsMark(const uint8_t* bytes) { return (bytes[0] == 0xFF && bytes[1] == 0xFE) || (bytes[0] == 0xFE && bytes[1] == 0xFF); }

}  // namespace

RteImportFilter::RteImportFilter() = default;
RteImportFilter::~RteImportFilter() = default;

int16_t RteImportFilter::VerifyFormat() { return 0; }

int16_t RteImportFilter::BeginImport() { return 0; }

int32_t RteImportFilter::ReadChunk()
{
    record_.length = 0;
    while (!ChunkFull()) {
        int16_t next = NextByte();
        if (next == RTE_END_OF_SOURCE)
            return 0;
        auto byte = static_cast<uint8_t>(next);
        // A CR LF pair is one paragraph end. Text left in the source keeps every byte where it
        // lies, since its blocks are read again from there.
        if (!fileBacked_) {
            bool pairEnd = byte == '\n' && afterCr_;
            afterCr_ = byte == '\r';
            if (pairEnd)
                continue;
        }
        PutByte(byte);
    }
    return 1;
}

int16_t RteImportFilter::EndImport()
{
    if (!fileBacked_)
        return 0;
    RteLocked<RteDocument> doc(doc_);
    RteLocked<RteTextBlock> blocks(doc->blocks);
    int32_t at = 0;
    for (int32_t i = 0; i < blocks.size(); ++i) {
        blocks[i].streamPosition = start_ + at;
        at += blocks[i].length;
        if (blocks[i].text)
            RteFree(blocks[i].text);
        blocks[i].text = nullptr;
    }
    RteBindDocText(doc.get(), io_, reference_, sourceSet_ != RTE_CHARSET_ANSI ? translation_ : nullptr);
    return 0;
}

uint16_t RteImportFilter::SetSource(RteEnvironment* env, intptr_t reference, RteHandle memorySource, RteIoProc io,
                                    int32_t start, int32_t end)
{
    env_ = env;
    memorySource_ = memorySource;
    RteChooseIo(memorySource, RteMemReader, RteFileReader, &io, &reference);
    io_ = io;
    reference_ = reference;
    start_ = position_ = start;
    consumed_ = 0;
    if (end == -1) {
        int32_t size = 0;
        int32_t at = start;
        int32_t length = 0;
        uint16_t code = io(&size, RTE_IO_SIZE, &at, &length, reference);
        if (code)
            return code;
        end = size;
    }
    end_ = end;
    RteStartTranslation(&record_, env_, bufferSize_);
    byteOrder_ = RTE_ORDER_UNKNOWN;
    readLength_ = readAt_ = 0;
    if (!(features_ & RTE_FEATURE_BUFFERED))
        return 0;
    readBuffer_.assign(static_cast<size_t>(bufferSize_), 0);
    readLength_ = ReadSource(readBuffer_.data(), bufferSize_);
    firstRead_ = static_cast<uint16_t>(result_);
    return firstRead_;
}

int32_t RteImportFilter::ReadSource(uint8_t* into, int32_t length)
{
    int32_t produced = 0;
    // A buffer that held only the mark produces nothing: read on.
    while (produced == 0 && result_ == 0 && position_ < end_) {
        int32_t want = std::min(length, end_ - position_);
        bool wide = byteOrder_ != RTE_ORDER_BYTES;
        if (wide && want > 1)
            want &= ~1;  // whole characters of 16-bit text
        int32_t at = position_;
        int32_t got = want;
        uint16_t code = io_(into, RTE_IO_TRANSFER, &at, &got, reference_);
        if (code) {
            result_ = static_cast<int16_t>(code);
            ioFailed_ = true;
            return 0;
        }
        got = std::clamp(got, 0, want);
        if (got == 0)
            return 0;
        position_ += got;
        consumed_ += got;
        uint8_t* bytes = into;
        if (byteOrder_ == RTE_ORDER_UNKNOWN) {
            byteOrder_ = RTE_ORDER_BYTES;
            if (got >= 2 && IsMark(into)) {
                byteOrder_ = static_cast<uint16_t>(into[0] | into[1] << 8);
                bytes += 2;
                got -= 2;
            }
        }
        if (byteOrder_ == RTE_ORDER_BYTES) {
            produced = got;
        } else {
            bool little = byteOrder_ == RTE_MARK_NATIVE;
            for (int32_t i = 0; i + 1 < got; i += 2) {
                uint16_t character = little ? static_cast<uint16_t>(bytes[i] | bytes[i + 1] << 8)
                                            : static_cast<uint16_t>(bytes[i] << 8 | bytes[i + 1]);
                into[produced++] = NarrowChar(character);
            }
        }
        if (bytes != into && byteOrder_ == RTE_ORDER_BYTES)
            std::memmove(into, bytes, static_cast<size_t>(got));
    }
    return produced;
}

int16_t RteImportFilter::NextByte()
{
    if (readAt_ >= readLength_) {
        if (readBuffer_.empty())
            readBuffer_.assign(static_cast<size_t>(bufferSize_), 0);
        readLength_ = ReadSource(readBuffer_.data(), bufferSize_);
        readAt_ = 0;
        if (readLength_ <= 0)
            return RTE_END_OF_SOURCE;
    }
    uint8_t byte = readBuffer_[static_cast<size_t>(readAt_++)];
    if (echo_) {
        *static_cast<uint8_t*>(RteAppend(echo_, 1, false)) = byte;
        RteUnlock(echo_);
    }
    return byte;
}

int16_t RteImportFilter::NextChar()
{
    if (readAhead_.empty())
        return NextByte();
    auto byte = static_cast<uint8_t>(readAhead_.front());
    readAhead_.erase(0, 1);
    return byte;
}

bool RteImportFilter::PutByte(uint8_t byte)
{
    if (ChunkFull())
        return true;
    if (record_.text.size() < static_cast<size_t>(bufferSize_))
        record_.text.resize(static_cast<size_t>(bufferSize_));
    record_.text[static_cast<size_t>(record_.length++)] = byte;
    return ChunkFull();
}

bool RteImportFilter::PutString(const char* text)
{
    for (; *text; ++text)
        if (PutByte(static_cast<uint8_t>(*text)))
            return true;
    return ChunkFull();
}

bool RteImportFilter::FileBackedPossible()
{
    // The document reads its blocks back byte for byte, through the translation table when the
    // source has another character set: only single bytes, into an empty document, can stay in
    // the source (the text a document already holds has no place there).
    if ((sourceSet_ != RTE_CHARSET_ANSI && !translation_) || RteTextLength(doc_) != 0)
        return false;
    if (end_ - start_ < 2)
        return true;
    uint8_t first[2];
    int32_t at = start_;
    int32_t length = 2;
    uint16_t code = io_(first, RTE_IO_TRANSFER, &at, &length, reference_);
    at = start_;
    io_(nullptr, RTE_IO_SEEK, &at, &length, reference_);
    return code == 0 && !IsMark(first);
}

bool RteImportFilter::FontInTable(const RteFont& font)
{
    RteLocked<RteFont> fonts(RteFontTable(doc_));
    for (int32_t i = 0; i < fonts.size(); ++i)
        if (RteFontNamesEqual(fonts[i], font))
            return true;
    return false;
}

void RteImportFilter::FitFont(RteFont* font)
{
    for (const auto& [given, mapped] : mappedFonts_) {
        if (std::memcmp(&given, font, sizeof given) == 0) {
            *font = mapped;
            return;
        }
    }
    if (FontInTable(*font))
        return;
    RteFont given = *font;
    MapFont(font, sourceSet_, RTE_CHARSET_ANSI);
    mappedFonts_.emplace_back(given, *font);
}

void RteImportFilter::OpenBatch()
{
    if (batchOpen_)
        return;
    RteBeginBatch(doc_, offset_);
    batchOpen_ = true;
}

void RteImportFilter::PourChunk()
{
    if (imported_ == 0) {
        newStyle_ = true;
        newFont_ = true;
    }
    if (docInfoPending_) {
        RteSetPageSettings(doc_, &record_.docInfo, true, 0);
        docInfoPending_ = false;
    }
    if (!(flags_ & RTE_IMPORT_TEXT))
        return;
    bool styles = (flags_ & RTE_IMPORT_STYLES) != 0;
    const RteCharStyle* style = styles && newStyle_ ? &record_.style : nullptr;
    const RteParFormat* format = (flags_ & RTE_IMPORT_FORMATS) && newFormat_ ? &record_.format : nullptr;
    // A style names its font by the document's table: the font always goes along with it.
    const RteFont* font = nullptr;
    if (styles && (newFont_ || newStyle_)) {
        FitFont(&record_.font);
        font = &record_.font;
    }
    uint8_t* text = record_.text.data();
    if (!fileBacked_)
        TranslateChars(text, record_.length, sourceSet_, RTE_CHARSET_ANSI);
    OpenBatch();
    RteBatchAppend(doc_, text, record_.length, format, style, font, 0);
    if (format)
        newFormat_ = false;
    if (style)
        newStyle_ = false;
    if (font)
        newFont_ = false;
    offset_ += record_.length;
    imported_ += record_.length;
}

void RteImportFilter::FinishPage()
{
    if (!pagePresent_ || !(flags_ & RTE_IMPORT_PAGE))
        return;
    RtePageSettings settings;
    RteGetPageSettings(doc_, &settings);
    const RteRect& page = record_.pageRect;
    settings.margins = record_.margins;
    settings.width = page.right - page.left;
    settings.height = page.bottom - page.top;
    RteSetPageSettings(doc_, &settings, true, 0);
    if (!(flags_ & RTE_IMPORT_PAGE_AREA) || page.bottom <= page.top || page.right <= page.left)
        return;
    RteRect area = {page.top + record_.margins.top, page.left + record_.margins.left,
                    page.bottom - record_.margins.bottom, page.right - record_.margins.right};
    RteRectList wrap = RteNewRectList(env_->context, &area);
    RteSetAreas(doc_, nullptr, wrap, nullptr);
    RteFreeRectList(wrap);
}

void RteImportFilter::Progress(int32_t done)
{
    RteProgressHook progress = RteLocked<RteDocument>(doc_)->hooks.progress;
    if (progress)
        progress(doc_, RTE_PROGRESS_READ, done, end_);
}

int16_t RteImportFilter::ImportInto(RteHandle doc, int32_t offset, uint32_t flags, int16_t redraw, bool redrawSwitch)
{
    doc_ = doc;
    flags_ = flags;
    imported_ = 0;
    batchOpen_ = false;
    RteMemContext* context = env_->context;
    uint16_t raised = RteTry(context, [&] {
        fileBacked_ = (flags & RTE_IMPORT_FILE_BACKED) && (features_ & RTE_FEATURE_FILE_BACKED) && FileBackedPossible();
        int32_t start = 0;
        int32_t end = 0;
        RteGetSelection(doc, &start, &end);
        offset_ = RtePinOffset(doc, offset);
        int16_t begun = BeginImport();
        if (begun) {
            result_ = begun;
            return;
        }
        if (offset == -1 && start != end) {
            RteDeleteRange(doc, nullptr, 0);
            offset_ = RtePinOffset(doc, -1);
        }
        for (bool more = true; more && result_ == 0;) {
            more = ReadChunk() != 0;
            if (record_.length > 0 && result_ == 0)
                PourChunk();
            record_.length = 0;
            Progress(start_ + consumed_);
        }
        FinishPage();
        if (batchOpen_) {
            batchOpen_ = false;
            RteEndBatch(doc, false, redrawSwitch ? redraw : int16_t{0});
        }
        int16_t ended = EndImport();
        if (ended && result_ == 0)
            result_ = ended;
        Progress(end_);
    });
    if (batchOpen_) {
        batchOpen_ = false;
        RteTry(context, [&] { RteEndBatch(doc, false, 0); });
    }
    if (raised)
        result_ = static_cast<int16_t>(raised);
    return result_ == kTranslatorEnd && !ioFailed_ ? 0 : result_;
}
