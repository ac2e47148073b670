// Insertion batches: a translator appends long text with its styles at one place, and the
// document takes it all in at the end, without re-laying out after every piece.
#pragma once

#include <cstdint>

#include "rte_document.h"

// One open batch; batches nest, each record pointing to the one below it.
struct RteBatch {
    int32_t offset;      // where the batch's text goes into the document
    int32_t length;      // appended so far
    int16_t charIndex;   // the character style in force at the batch's end
    int16_t parIndex;    // the paragraph format in force at the batch's end
    int16_t firstChar;   // the style and format in force at the insertion offset
    int16_t firstPar;
    RteHandle blocks;    // RteTextBlock
    RteHandle charRuns;  // RteStyleRun, offsets from the batch's start; each holds a use
    RteHandle parRuns;
    RteHandle styles;    // RteBatchStyle: the styles asked for so far and the records they became
    RteHandle below;
};

// A style (and font) as a translator hands it to the batch, and the record it found or added:
// long translations repeat a few styles many times.
struct RteBatchStyle {
    RteCharStyle style;
    RteFont font;
    bool withFont;
    int16_t index;
};

void RteBeginBatch(RteHandle doc, int32_t offset);
// Outside a batch the text goes in at the selection's start, with the given attributes.
void RteBatchAppend(RteHandle doc, const uint8_t* text, int32_t length, const RteParFormat* format,
                    const RteCharStyle* style, const RteFont* font, int16_t redraw);
void RteEndBatch(RteHandle doc, bool caretAtStart, int16_t redraw);
