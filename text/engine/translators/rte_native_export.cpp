// Writing a document, or a copy of the exported range, as a record stream in one piece, with
// its embedded pictures after it and the end record.
#include "rte_native_translators.h"

#include <cstring>

#include "rte_io.h"
#include "rte_object_stream.h"
#include "rte_record_stream.h"
#include "rte_transfer.h"
#include "rte_typed.h"

RteNativeExportFilter::RteNativeExportFilter()
{
    formatId_ = RTE_FORMAT_NATIVE;
    version_ = RTE_STREAM_VERSION;
    std::memcpy(fileType_, "RTD", 4);
    features_ = RTE_FEATURE_DOC_INFO | RTE_FEATURE_OBJECTS | RTE_FEATURE_PAGE | RTE_FEATURE_FORMATS |
                RTE_FEATURE_STYLES | RTE_FEATURE_TEXT;
}

RteNativeExportFilter::~RteNativeExportFilter()
{
    if (rangeCopy_)
        RteDocDestroy(rangeCopy_);
}

int16_t RteNativeExportFilter::BeginExport()
{
    streamWritten_ = false;
    if (rangeStart_ != 0 || rangeEnd_ != RteTextLength(doc_)) {
        RteRange range{rangeStart_, rangeEnd_};
        uint16_t code = RteTry(env_->context, [&] { rangeCopy_ = RteCopyRange(doc_, &range); });
        if (code || !rangeCopy_)
            return RTE_ERR_NO_MEMORY;
    }
    RteLocked<RteDocument> written(rangeCopy_ ? rangeCopy_ : doc_);
    savedMask_ = written->saveMask;
    written->saveMask = RteStreamMaskOf(flags_);
    return 0;
}

void RteNativeExportFilter::WriteStream()
{
    streamWritten_ = true;
    RteHandle doc = rangeCopy_ ? rangeCopy_ : doc_;
    int32_t at = position_;
    uint16_t code = RteSaveDoc(doc, &at, nullptr, 0, io_, reference_, 0);
    if (!code && (features_ & RTE_FEATURE_OBJECTS))
        code = RteSaveObjects(doc, io_, &at, reference_);
    if (!code)
        code = RteSaveDocEnd(doc, &at, io_, reference_);
    written_ += at - position_;
    position_ = at;
    result_ = static_cast<int16_t>(code);
}

int32_t RteNativeExportFilter::WriteChunk()
{
    WriteStream();
    return 0;
}

int16_t RteNativeExportFilter::EndExport()
{
    // An empty range has no piece: its stream is written here.
    if (!streamWritten_)
        WriteStream();
    RteLocked<RteDocument>(rangeCopy_ ? rangeCopy_ : doc_)->saveMask = savedMask_;
    if (rangeCopy_)
        RteDocDestroy(rangeCopy_);
    rangeCopy_ = nullptr;
    int32_t length = 0;
    uint16_t code = io_(nullptr, RTE_IO_END, &position_, &length, reference_);
    return result_ ? result_ : static_cast<int16_t>(code);
}
