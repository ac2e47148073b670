// The export base: binding a target, walking a document's range piece by piece (a piece ends
// where its block, or a run the format carries, ends) and handing each to the writer. As the
// plain-text exporter it writes the text with its paragraph ends as CR LF.
#include <algorithm>
#include <cstring>

#include "rte_io.h"
#include "rte_position_queries.h"
#include "rte_runs.h"
#include "rte_selection.h"
#include "rte_translator.h"
#include "rte_translator_setup.h"
#include "rte_typed.h"

RteExportFilter::RteExportFilter() = default;
RteExportFilter::~RteExportFilter() = default;

int16_t RteExportFilter::BeginExport() { return 0; }

int32_t RteExportFilter::WriteChunk()
{
    std::vector<uint8_t> copy;
    copy.reserve(static_cast<size_t>(record_.length) * 2);
    for (int32_t i = 0; i < record_.length; ++i) {
        uint8_t byte = record_.text[static_cast<size_t>(i)];
        copy.push_back(byte);
        if (byte == '\r')
            copy.push_back('\n');
    }
    WriteDirect(copy.data(), static_cast<int32_t>(copy.size()));
    return 1;
}

int16_t RteExportFilter::EndExport()
{
    Flush();
    int32_t length = 0;
    uint16_t code = io_(nullptr, RTE_IO_END, &position_, &length, reference_);
    return code ? static_cast<int16_t>(code) : result_;
}

uint16_t RteExportFilter::SetTarget(RteEnvironment* env, intptr_t reference, RteHandle memoryTarget, RteIoProc io,
                                    int32_t start)
{
    env_ = env;
    memoryTarget_ = memoryTarget;
    RteChooseIo(memoryTarget, RteMemWriter, RteFileWriter, &io, &reference);
    io_ = io;
    reference_ = reference;
    start_ = position_ = start;
    fill_ = 0;
    RteStartTranslation(&record_, env_, bufferSize_);
    if (features_ & RTE_FEATURE_BUFFERED)
        writeBuffer_.assign(static_cast<size_t>(bufferSize_), 0);
    return 0;
}

int16_t RteExportFilter::ExportFrom(RteHandle doc, const RteRange* range, uint32_t flags, int32_t rangeMode)
{
    doc_ = doc;
    flags_ = flags;
    int32_t length = RteTextLength(doc);
    rangeStart_ = 0;
    rangeEnd_ = length;
    if (rangeMode != 0 && range) {
        rangeStart_ = std::clamp(std::min(range->start, range->end), 0, length);
        rangeEnd_ = std::clamp(std::max(range->start, range->end), 0, length);
    } else if (rangeMode != 0) {
        RteGetSelection(doc, &rangeStart_, &rangeEnd_);
        rangeStart_ = std::clamp(rangeStart_, 0, length);
        rangeEnd_ = std::clamp(rangeEnd_, rangeStart_, length);
    }
    uint16_t raised = RteTry(env_->context, [&] {
        RteGetPageSettings(doc, &record_.docInfo);
        {
            RteLocked<RteDocument> locked(doc);
            RteGetElement(locked->charStyles, 0, &record_.style);
            RteGetElement(locked->parFormats, 0, &record_.format);
            int32_t font = std::max<int32_t>(record_.style.font, 0);
            RteGetElement(locked->fonts, font < RteCount(locked->fonts) ? font : 0, &record_.font);
        }
        int16_t begun = BeginExport();
        if (begun) {
            result_ = begun;
            return;
        }
        ExportPieces();
        result_ = EndExport();
    });
    if (raised)
        result_ = static_cast<int16_t>(raised);
    return result_;
}

void RteExportFilter::ExportPieces()
{
    // The records in force before the first piece: those the translation starts with.
    int32_t styleIndex = 0;
    int32_t formatIndex = 0;
    int32_t fontIndex = std::max<int32_t>(record_.style.font, 0);
    bool withStyles = (features_ & RTE_FEATURE_STYLES) != 0;
    bool withFormats = (features_ & RTE_FEATURE_FORMATS) != 0;
    for (int32_t at = rangeStart_; at < rangeEnd_;) {
        RteStyleWalk walker;
        RteStyleWalkBegin(doc_, at, &walker, true);
        int32_t style = walker.charRuns[walker.charRun].index;
        int32_t format = walker.parRuns[walker.parRun].index;
        styleChanged_ = style != styleIndex;
        formatChanged_ = format != formatIndex;
        fontChanged_ = walker.fontIndex != fontIndex;
        styleIndex = style;
        formatIndex = format;
        fontIndex = walker.fontIndex;
        if (withStyles && styleChanged_)
            record_.style = *walker.style;
        if (withStyles && fontChanged_)
            record_.font = *walker.font;
        if (withFormats && formatChanged_)
            record_.format = *walker.format;
        bool object = (features_ & RTE_FEATURE_OBJECTS) && walker.style->object != 0;
        objectPiece_ = object;
        object_ = object ? reinterpret_cast<RteHandle>(walker.style->object) : nullptr;
        int32_t end = rangeEnd_;
        if (withStyles || object)
            end = std::min(end, walker.nextRunStart);
        if (withFormats)
            end = std::min(end, walker.nextParStart);
        RteStyleWalkEnd(doc_, true);

        // Moving into a block brings its text into memory (the document's text-block hook).
        int32_t block = 0;
        int32_t blockStart = RteFindTextBlock(doc_, at, &block, false, true);
        RteHandle text = nullptr;
        int32_t left = 0;
        const uint8_t* bytes = RteTextPointer(doc_, at, &text, &left);
        if (!bytes)
            break;
        end = std::min(end, at + left);
        record_.length = end - at;
        if (record_.text.size() < static_cast<size_t>(record_.length))
            record_.text.resize(static_cast<size_t>(record_.length));
        std::memcpy(record_.text.data(), bytes, static_cast<size_t>(record_.length));
        RteUnlock(text);
        pieceOffset_ = at - blockStart;
        at = end;
        if (!WriteChunk())
            break;
    }
}

void RteExportFilter::WriteDirect(const void* bytes, int32_t count)
{
    if (count <= 0)
        return;
    int32_t length = count;
    uint16_t code = io_(const_cast<void*>(bytes), RTE_IO_TRANSFER, &position_, &length, reference_);
    if (code)
        RteRaise(env_->context, code, nullptr);
    written_ += count;
}

void RteExportFilter::Flush()
{
    int32_t count = fill_;
    fill_ = 0;
    WriteDirect(writeBuffer_.data(), count);
}

void RteExportFilter::PutByte(uint8_t byte)
{
    if (writeBuffer_.empty())
        writeBuffer_.assign(static_cast<size_t>(bufferSize_), 0);
    writeBuffer_[static_cast<size_t>(fill_++)] = byte;
    lastClass_ = byte >= ' ' && byte <= 'z' ? kAfterPrintable : kAfterOther;
    if (fill_ >= bufferSize_)
        Flush();
}

void RteExportFilter::PutBytes(const void* bytes, int32_t count)
{
    const auto* from = static_cast<const uint8_t*>(bytes);
    for (int32_t i = 0; i < count; ++i)
        PutByte(from[i]);
}

void RteExportFilter::PutString(const char* text, uint8_t lead, uint8_t trail)
{
    if (lead)
        PutByte(lead);
    PutBytes(text, static_cast<int32_t>(std::strlen(text)));
    if (trail)
        PutByte(trail);
}

void RteExportFilter::PutNumber(int16_t value)
{
    char digits[8];
    int32_t count = 0;
    int32_t magnitude = value < 0 ? -static_cast<int32_t>(value) : value;
    do {
        digits[count++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude);
    if (value < 0)
        PutByte('-');
    while (count)
        PutByte(static_cast<uint8_t>(digits[--count]));
}

void RteExportFilter::PutHex(uint8_t byte)
{
    static const char kDigits[] = "0123456789abcdef";
    PutByte(static_cast<uint8_t>(kDigits[byte >> 4]));
    PutByte(static_cast<uint8_t>(kDigits[byte & 0xF]));
}
