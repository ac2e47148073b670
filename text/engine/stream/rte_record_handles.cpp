// Whole handles as record bodies, and back.
#include <cstring>

#include "rte_record_codec.h"
#include "rte_record_stream.h"
#include "rte_typed.h"

void RteEncodeHandle(RteHandle handle, RteHandle output, int32_t width)
{
    RteBodyWriter body;
    {
        RteLocked<uint8_t> bytes(handle);
        size_t size = RteByteSize(handle);
        if (width == 0) {
            body.Bytes(bytes.get(), size);
        } else {
            size_t step = width == 1 ? 2 : 4;
            for (size_t at = 0; at + step <= size; at += step) {
                if (width == 1) {
                    int16_t value;
                    std::memcpy(&value, bytes.get() + at, sizeof value);
                    body.Short(value);
                } else {
                    int32_t value;
                    std::memcpy(&value, bytes.get() + at, sizeof value);
                    body.Long(value);
                }
            }
        }
    }
    body.Close();
    RteSetBodyBytes(output, body.bytes());
}

void RteDecodeHandle(RteHandle body, RteHandle target, int32_t* position, int32_t width)
{
    std::vector<uint8_t> bytes;
    bool failed;
    {
        RteLocked<uint8_t> data(body);
        RteBodyReader reader(data.get(), RteByteSize(body), static_cast<size_t>(*position > 0 ? *position : 0));
        if (width == 0) {
            bytes = reader.Bytes();
        } else {
            while (reader.MoreValues()) {
                int32_t value = reader.Long();
                const auto* from = reinterpret_cast<const uint8_t*>(&value);
                bytes.insert(bytes.end(), from, from + (width == 1 ? 2 : 4));
            }
        }
        failed = reader.failed();
        *position = static_cast<int32_t>(reader.position());
    }
    if (failed)
        RteRaise(RteHandleContext(body), RTE_ERR_STREAM_DAMAGED, body);
    int32_t elementSize = RteElementSize(target);
    RteSetCount(target, static_cast<int32_t>(bytes.size()) / elementSize);
    if (!bytes.empty())
        std::memcpy(RteLocked<uint8_t>(target).get(), bytes.data(), bytes.size() / elementSize * elementSize);
}
