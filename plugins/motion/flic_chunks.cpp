// Colour maps and the pixel chunks of FLIC frames, read through the bounded reader and written
// through the clipped canvas: a damaged chunk stops at the end of its data and draws nothing
// outside the picture.
#include "flic_chunks.h"

#include <algorithm>

void DecodeFlicColours(FlicBytes& in, int componentScale, FlicPalette& palette)
{
    const uint16_t packets = in.Word();
    size_t index = 0;
    for (uint16_t p = 0; p < packets && !in.Failed(); ++p) {
        index += in.Byte();
        size_t count = in.Byte();
        if (count == 0)
            count = 256;
        for (size_t c = 0; c < count && !in.Failed(); ++c, ++index) {
            const uint8_t red = static_cast<uint8_t>(in.Byte() * componentScale);
            const uint8_t green = static_cast<uint8_t>(in.Byte() * componentScale);
            const uint8_t blue = static_cast<uint8_t>(in.Byte() * componentScale);
            // A skip and count adding up past the last entry are read and dropped.
            if (index < palette.size())
                palette[index] = FlicColour{blue, green, red, 0};
        }
    }
}

namespace {

// One packet of a delta line: a column skip, then a signed count of units (bytes or words)
// copied (positive) or of one unit repeated (negative). Returns the new x.
long DecodeBytePacket(FlicBytes& in, FlicCanvas& canvas, int line, long x)
{
    x += in.Byte();
    const int count = in.SignedByte();
    if (count >= 0) {
        if (const uint8_t* bytes = in.Take(static_cast<size_t>(count)))
            canvas.Copy(line, x, bytes, count);
        return x + count;
    }
    canvas.Fill(line, x, -count, in.Byte());
    return x - count;
}

long DecodeWordPacket(FlicBytes& in, FlicCanvas& canvas, int line, long x)
{
    x += in.Byte();
    const int count = in.SignedByte();
    if (count >= 0) {
        if (const uint8_t* bytes = in.Take(2 * static_cast<size_t>(count)))
            canvas.Copy(line, x, bytes, 2L * count);
        return x + 2L * count;
    }
    const uint8_t first = in.Byte();
    const uint8_t second = in.Byte();
    canvas.FillPairs(line, x, -count, first, second);
    return x - 2L * count;
}

}  // namespace

void DecodeFlicWordDelta(FlicBytes& in, FlicCanvas& canvas)
{
    uint16_t lines = in.Word();
    int line = 0;
    while (lines > 0 && !in.Failed()) {
        const uint16_t opcode = in.Word();
        if ((opcode & 0xC000) == 0xC000) {
            // A negative count of lines to skip; past the bottom nothing more can be drawn.
            line = std::min(line - static_cast<int16_t>(opcode), canvas.Height());
            continue;
        }
        uint16_t packets = opcode;
        if (opcode & 0x8000) {
            canvas.Fill(line, canvas.Width() - 1, 1, static_cast<uint8_t>(opcode));
            packets = in.Word();
        }
        long x = 0;
        for (uint16_t p = 0; p < packets && !in.Failed(); ++p)
            x = DecodeWordPacket(in, canvas, line, x);
        ++line;
        --lines;
    }
}

void DecodeFlicByteDelta(FlicBytes& in, FlicCanvas& canvas)
{
    int line = in.Word();
    const uint16_t lines = in.Word();
    for (uint16_t l = 0; l < lines && !in.Failed(); ++l, ++line) {
        const uint8_t packets = in.Byte();
        long x = 0;
        for (uint8_t p = 0; p < packets && !in.Failed(); ++p)
            x = DecodeBytePacket(in, canvas, line, x);
    }
}

void DecodeFlicByteRun(FlicBytes& in, FlicCanvas& canvas)
{
    for (int line = 0; line < canvas.Height() && !in.Failed(); ++line) {
        in.Byte();              // the packet count of old writers: the width ends the line
        long x = 0;
        while (x < canvas.Width() && !in.Failed()) {
            const int count = in.SignedByte();
            if (count >= 0) {
                canvas.Fill(line, x, count, in.Byte());
                x += count;
            } else {
                if (const uint8_t* bytes = in.Take(static_cast<size_t>(-count)))
                    canvas.Copy(line, x, bytes, -count);
                x -= count;
            }
        }
    }
}

void DecodeFlicLiteral(FlicBytes& in, FlicCanvas& canvas)
{
    for (int line = 0; line < canvas.Height(); ++line) {
        const uint8_t* bytes = in.Take(static_cast<size_t>(canvas.Width()));
        if (!bytes)
            return;
        canvas.Copy(line, 0, bytes, canvas.Width());
    }
}
