// The memory callbacks: a stream in a byte handle, written at any position and read back
// only within its contents.
#include <cstring>

#include "rte_io.h"
#include "rte_typed.h"

namespace {

RteHandle HandleOf(intptr_t reference) { return reinterpret_cast<RteHandle>(reference); }


uint16_t Write(RteHandle target, const void* bytes, int32_t* position, int32_t length)
{
    if (*position < 0 || length < 0)
        return RTE_ERR_STREAM_DAMAGED;
    int32_t count = RteCount(target);
    // Within the contents the target grows only as far as the write runs past its end; a
    // write at or past the end is appended.
    int32_t at = *position < count ? *position : count;
    if (at + length > count)
        RteSetCount(target, at + length);
    if (length > 0)
        std::memcpy(RteLocked<uint8_t>(target).get() + at, bytes, static_cast<size_t>(length));
    *position += length;
    return 0;
}

}  // namespace

uint16_t RteMemWriter(void* buffer, int32_t operation, int32_t* position, int32_t* length, intptr_t reference)
{
    RteHandle target = HandleOf(reference);
    switch (operation) {
    case RTE_IO_TRANSFER:
        return Write(target, buffer, position, *length);
    case RTE_IO_TRANSFER_HANDLE: {
        auto source = static_cast<RteHandle>(buffer);
        *length = static_cast<int32_t>(RteByteSize(source));
        RteLocked<uint8_t> bytes(source);
        return Write(target, bytes.get(), position, *length);
    }
    case RTE_IO_SIZE:
        *static_cast<int32_t*>(buffer) = RteCount(target);
        return 0;
    case RTE_IO_END:
        if (*position < 0 || *position > RteCount(target))
            return RTE_ERR_STREAM_DAMAGED;
        RteSetCount(target, *position);
        return 0;
    case RTE_IO_REFERENCE:
        *static_cast<intptr_t*>(buffer) = reference;
        return 0;
    default:
        return 0;
    }
}

uint16_t RteMemReader(void* buffer, int32_t operation, int32_t* position, int32_t* length, intptr_t reference)
{
    RteHandle source = HandleOf(reference);
    switch (operation) {
    case RTE_IO_TRANSFER:
    case RTE_IO_TRANSFER_HANDLE: {
        int32_t count = RteCount(source);
        // A stream from outside (a file's image, the clipboard) is bounded here, so that no
        // length read from it can take a reader past its source.
        if (*position < 0 || *length < 0 || *position > count || *length > count - *position)
            return RTE_ERR_STREAM_DAMAGED;
        void* target = buffer;
        if (operation == RTE_IO_TRANSFER_HANDLE) {
            RteSetCount(static_cast<RteHandle>(buffer), *length);
            target = RteLock(static_cast<RteHandle>(buffer));
        }
        if (*length > 0)
            std::memcpy(target, RteLocked<uint8_t>(source).get() + *position, static_cast<size_t>(*length));
        if (operation == RTE_IO_TRANSFER_HANDLE)
            RteUnlock(static_cast<RteHandle>(buffer));
        *position += *length;
        return 0;
    }
    case RTE_IO_SIZE:
        *static_cast<int32_t*>(buffer) = RteCount(source);
        return 0;
    case RTE_IO_REFERENCE:
        *static_cast<intptr_t*>(buffer) = reference;
        return 0;
    default:
        return 0;
    }
}
