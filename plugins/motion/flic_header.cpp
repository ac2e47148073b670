// Reading the FLIC file and frame headers.
#include "flic_header.h"

#include "flic_bytes.h"

FlicHeader ParseFlicHeader(const uint8_t (&bytes)[FLIC_HEADER_SIZE])
{
    FlicBytes in(bytes, sizeof bytes);
    FlicHeader header;
    in.Skip(4);                 // file size: the player trusts the file system instead
    header.magic = in.Word();
    header.frames = in.Word();
    header.width = in.Word();
    header.height = in.Word();
    in.Skip(4);                 // depth and flags
    header.speed = in.Long();
    in.Skip(80 - 20);
    header.firstFrame = in.Long();
    return header;
}

FlicFrameHeader ParseFlicFrameHeader(const uint8_t (&bytes)[FLIC_FRAME_HEADER_SIZE])
{
    FlicBytes in(bytes, sizeof bytes);
    FlicFrameHeader header;
    header.size = in.Long();
    header.type = in.Word();
    header.chunks = in.Word();
    return header;
}
