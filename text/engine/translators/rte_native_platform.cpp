// The platform a record stream was written on, as the state word of its settings record says:
// the reader sets the word anew, so it is looked up in the stream before the document is read.
#include <vector>

#include "rte_io.h"
#include "rte_native_translators.h"
#include "rte_record_codec.h"
#include "rte_record_stream.h"

namespace {

// A settings record is a few hundred bytes; a longer one is damaged.
constexpr int32_t kSettingsRoom = 65536;

bool ReadAt(RteIoProc io, intptr_t reference, int32_t position, void* into, int32_t length)
{
    int32_t got = length;
    return io(into, RTE_IO_TRANSFER, &position, &got, reference) == 0 && got == length;
}

}  // namespace

uint32_t RteStoredPlatformWord(RteIoProc io, intptr_t reference, int32_t position)
{
    uint8_t text[RTE_HEADER_BYTES];
    RteRecordHeader header;
    if (!ReadAt(io, reference, position, text, RTE_HEADER_BYTES) || !RteParseHeader(text, &header) ||
        header.type != RTE_RECORD_START || header.length < 0)
        return RTE_DOC_STATE_READY;
    position += RTE_HEADER_BYTES + header.length;
    if (!ReadAt(io, reference, position, text, RTE_HEADER_BYTES) || !RteParseHeader(text, &header) ||
        header.type != RTE_REC_SETTINGS || header.length <= 0 || header.length > kSettingsRoom)
        return RTE_DOC_STATE_READY;
    std::vector<uint8_t> body(static_cast<size_t>(header.length));
    if (!ReadAt(io, reference, position + RTE_HEADER_BYTES, body.data(), header.length))
        return RTE_DOC_STATE_READY;
    RteBodyReader reader(body.data(), body.size());
    reader.Long();  // the writer's version
    auto state = static_cast<uint32_t>(reader.Long());
    return reader.failed() ? RTE_DOC_STATE_READY : state;
}
