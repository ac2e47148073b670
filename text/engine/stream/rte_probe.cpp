// The probe that tells a stream's kind from its first bytes, giving the stream back where it
// was after each look.
#include <cstring>

#include "rte_io.h"

namespace {

constexpr char kRecordStreamStart[] = "FFFF00000006";
constexpr uint8_t kStartBody[] = {0x01, '7', '7', 'A', 'A', 0x03};
constexpr char kRtfOpening[] = "{\\rtf";

// Reads length bytes at the position and gives the stream back there; false when they
// cannot all be read.
bool Peek(intptr_t reference, RteIoProc io, int32_t position, void* bytes, int32_t length)
{
    int32_t at = position;
    int32_t moved = length;
    bool read = io(bytes, RTE_IO_TRANSFER, &at, &moved, reference) == 0 && moved == length;
    at = position;
    io(nullptr, RTE_IO_SEEK, &at, &moved, reference);
    return read;
}

bool IsWordDocument(const uint8_t* bytes)
{
    return bytes[0] == 0x01 && bytes[1] == 0x08 && bytes[2] == 0x00 && bytes[3] >= 0x75 && bytes[3] <= 0x77 &&
           bytes[4] == 0x11 && bytes[5] == 0x00;
}

}  // namespace

uint16_t RteIsRecordStream(intptr_t reference, RteIoProc io, int32_t position)
{
    uint8_t bytes[26];
    if (!Peek(reference, io ? io : RteDirectFileReader, position, bytes, sizeof bytes))
        return RTE_ERR_STREAM_DAMAGED;
    bool start = std::memcmp(bytes, kRecordStreamStart, 12) == 0 && std::memcmp(bytes + 20, kStartBody, 6) == 0;
    return start ? 0 : RTE_ERR_STREAM_DAMAGED;
}

int16_t RteProbeStream(intptr_t reference, RteIoProc io, int32_t position)
{
    io = io ? io : RteDirectFileReader;
    if (RteIsRecordStream(reference, io, position) == 0)
        return RTE_STREAM_RECORDS;
    uint8_t bytes[6];
    if (Peek(reference, io, position, bytes, 5) && std::memcmp(bytes, kRtfOpening, 5) == 0)
        return RTE_STREAM_RTF;
    if (Peek(reference, io, position, bytes, 6) && IsWordDocument(bytes))
        return RTE_STREAM_WORD;
    return RTE_STREAM_UNKNOWN;
}
