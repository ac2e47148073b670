// The RTF import's loop over the reader's chunks, into an insertion batch of the document.
#include "rte_rtf_import.h"

#include <algorithm>
#include <vector>

#include "rte_batch.h"
#include "rte_document_internal.h"
#include "rte_error.h"
#include "rte_io.h"
#include "rte_rtf_document.h"

namespace {

constexpr int32_t kReadBytes = 4096;

// The source read a buffer at a time through its callback, never past the end position.
class StreamInput : public RtfInput {
public:
    StreamInput(intptr_t reference, RteIoProc io, int32_t start, int32_t end)
        : reference_(reference), io_(io), position_(start), end_(end), buffer_(kReadBytes)
    {
    }
    int32_t NextByte() override
    {
        if (next_ == filled_ && !Fill())
            return -1;
        return buffer_[next_++];
    }
    int32_t Consumed(int32_t start) const { return position_ - (filled_ - next_) - start; }
    uint16_t Result() const { return result_; }

private:
    bool Fill()
    {
        int32_t length = std::min(kReadBytes, end_ - position_);
        if (length <= 0 || result_ != 0)
            return false;
        result_ = io_(buffer_.data(), RTE_IO_TRANSFER, &position_, &length, reference_);
        if (result_ != 0 || length <= 0)
            return false;
        next_ = 0;
        filled_ = length;
        return true;
    }

    intptr_t reference_;
    RteIoProc io_;
    int32_t position_;
    int32_t end_;
    std::vector<uint8_t> buffer_;
    int32_t next_ = 0;
    int32_t filled_ = 0;
    uint16_t result_ = 0;
};

}  // namespace

uint16_t RteRTFImportFilter::SetSource(RteEnvironment* env, intptr_t reference, RteHandle memory, RteIoProc io,
                                       int32_t start, int32_t end)
{
    env_ = env;
    io_ = io ? io : (memory ? RteMemReader : RteFileReader);
    reference_ = io ? reference : (memory ? reinterpret_cast<intptr_t>(memory) : reference);
    start_ = start;
    end_ = end;
    if (end == -1) {
        int32_t position = start;
        int32_t size = 0;
        uint16_t result = io_(&size, RTE_IO_SIZE, &position, &size, reference_);
        if (result != 0)
            return result;
        end_ = size;
    }
    return 0;
}

int32_t RteRTFImportFilter::ImportInto(RteHandle doc, int32_t offset, uint32_t flags, int16_t redraw)
{
    if (rte_document::DocLock(doc)->version < RTF_OLDEST_DOCUMENT)
        return RTF_ERR_OLD_DOCUMENT;
    StreamInput input(reference_, io_, start_, end_);
    RtfDocumentHost host(doc, (flags & RTF_IMPORT_TEXT) != 0);
    uint16_t code = RteTry(env_->context, [&] {
        RteCharStyle style = env_->defaultStyle;
        RtfReader reader(input, host, style, env_->defaultFont, host.DocumentFormat(), kReadBytes);
        RtfPage page;
        page.margins[0] = page.margins[2] = host.TwipsToDevice(72 * 20);
        page.margins[1] = page.margins[3] = host.TwipsToDevice(90 * 20);
        reader.SetPage(page);
        RteBeginBatch(doc, offset);
        RtfChunk chunk;
        while (reader.ReadChunk(chunk)) {
            if (chunk.text.empty() || !(flags & RTF_IMPORT_TEXT))
                continue;
            const bool styles = (flags & RTF_IMPORT_STYLES) != 0;
            RteBatchAppend(doc, reinterpret_cast<const uint8_t*>(chunk.text.data()),
                           static_cast<int32_t>(chunk.text.size()),
                           chunk.newFormat && (flags & RTF_IMPORT_FORMATS) ? &chunk.format : nullptr,
                           styles ? &chunk.style : nullptr, styles ? &chunk.font : nullptr, 0);
        }
        RteEndBatch(doc, false, redraw);
        if ((flags & RTF_IMPORT_PAGE) && reader.Page().changed) {
            RtePageSettings settings;
            RteGetPageSettings(doc, &settings);
            const RtfPage& read = reader.Page();
            settings.margins = {read.margins[0], read.margins[1], read.margins[2], read.margins[3]};
            if (read.paperWidth > 0)
                settings.width = read.paperWidth;
            if (read.paperHeight > 0)
                settings.height = read.paperHeight;
            RteSetPageSettings(doc, &settings, false, 0);
        }
    });
    consumed_ = input.Consumed(start_);
    return code != 0 ? code : input.Result();
}
