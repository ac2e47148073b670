// Picture data and colour tables of object records.
#include "rte_picture_data.h"

#include "rte_typed.h"

namespace {

void WriteHandle(RteBodyWriter& body, RteHandle handle)
{
    if (!handle) {
        body.Short(0);
        return;
    }
    body.Short(RteCount(handle));
    RteLocked<uint8_t> bytes(handle);
    body.Bytes(bytes.get(), RteByteSize(handle));
}

std::vector<uint8_t> ReadHandle(RteBodyReader& body)
{
    int32_t count = body.Short();
    return count > 0 ? body.Bytes() : std::vector<uint8_t>();
}

}  // namespace

void RteWriteColorTable(RteBodyWriter& body, RteHandle table) { WriteHandle(body, table); }

void RteWritePictureData(RteBodyWriter& body, RteHandle data, RteHandle second)
{
    WriteHandle(body, data);
    WriteHandle(body, second);
}

std::vector<uint8_t> RteReadColorTable(RteBodyReader& body) { return ReadHandle(body); }

void RteReadPictureData(RteBodyReader& body, std::vector<uint8_t>* data, std::vector<uint8_t>* second)
{
    *data = ReadHandle(body);
    *second = ReadHandle(body);
}
