// Paragraphs bound to rects of the extra area: a bound rect is anchored to its paragraph and
// moves with the paragraph's top when the paragraph is laid out.
#pragma once

#include <cstdint>

#include "rte_document.h"

// Binds the paragraph holding the offset to extra-area rect n (0: removes its binding); the text
// is laid out and redrawn again from that paragraph.
void RteBindParagraph(RteHandle doc, int32_t offset, int16_t rect, int16_t redraw);
// The start of the first paragraph bound to rect n, -1 when none is.
int32_t RteBoundParagraph(RteHandle doc, int16_t rect);
