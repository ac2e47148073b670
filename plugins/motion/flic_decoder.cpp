// The sub-chunk loop of a FLIC frame.
#include "flic_decoder.h"

#include "flic_chunks.h"

namespace {

constexpr size_t SUBCHUNK_HEADER_SIZE = 6;

// true when the sub-chunk changed the palette.
bool DecodeSubChunk(uint16_t type, FlicBytes& in, FlicCanvas& canvas, FlicPalette& palette)
{
    switch (type) {
    case FLIC_COLOUR_256: DecodeFlicColours(in, 1, palette); return true;
    case FLIC_COLOUR_64: DecodeFlicColours(in, 4, palette); return true;
    case FLIC_DELTA_WORD: DecodeFlicWordDelta(in, canvas); return false;
    case FLIC_DELTA_BYTE: DecodeFlicByteDelta(in, canvas); return false;
    case FLIC_BLACK: canvas.Clear(); return false;
    case FLIC_BYTE_RUN: DecodeFlicByteRun(in, canvas); return false;
    case FLIC_LITERAL: DecodeFlicLiteral(in, canvas); return false;
    default: return false;      // postage stamp and kinds of other writers: skipped
    }
}

}  // namespace

FlicFrameResult DecodeFlicFrame(const uint8_t* body, size_t size, uint16_t chunks, FlicCanvas& canvas,
                                FlicPalette& palette, size_t missing)
{
    FlicFrameResult result;
    FlicBytes frame(body, size);
    for (uint16_t i = 0; i < chunks; ++i) {
        if (frame.Remaining() < SUBCHUNK_HEADER_SIZE) {
            result.damaged = true;
            break;
        }
        const uint32_t declared = frame.Long();
        const uint16_t type = frame.Word();
        // A size below its own header cannot be stepped over: the rest of the frame is lost.
        if (declared < SUBCHUNK_HEADER_SIZE) {
            result.damaged = true;
            break;
        }
        // Clamped to what the frame still holds; the chunk's end is where the next one starts
        // whatever its decoder consumed.
        size_t dataSize = declared - SUBCHUNK_HEADER_SIZE;
        if (dataSize > frame.Remaining()) {
            // Only the last sub-chunk of a frame cut by the file's end may lack its pad byte.
            const bool padOnly = i + 1 == chunks && missing > 0 && missing <= FLIC_TRAILING_PAD &&
                                 dataSize - frame.Remaining() == missing;
            dataSize = frame.Remaining();
            result.damaged = result.damaged || !padOnly;
        }
        FlicBytes data(frame.Take(dataSize), dataSize);
        if (DecodeSubChunk(type, data, canvas, palette))
            result.paletteChanged = true;
        if (data.Failed())
            result.damaged = true;
    }
    return result;
}
