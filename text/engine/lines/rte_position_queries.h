// Position and text queries: offsets, blocks, carets and characters of laid-out text.
#pragma once

#include <cstdint>

#include "rte_document.h"
#include "rte_text_blocks.h"

// -1: the selection's first point; other negative offsets: 0; past the end: the text length.
int32_t RtePinOffset(RteHandle doc, int32_t offset);

// The block holding the offset (the last block for the text's end), its text loaded and its
// lines built when asked.
int32_t RteFindTextBlock(RteHandle doc, int32_t offset, int32_t* index, bool layOut, bool load);
int32_t RteTextBlockCount(RteHandle doc);
int32_t RteGetTextBlock(RteHandle doc, int32_t offset, RteTextBlock* out, bool layOut);
// Lays out from the nearest block at or before the offset that needs it.
void RteLayoutFrom(RteHandle doc, int32_t offset, bool draw);

// A select point's place in its laid-out block: its piece (line), its caret positions from the
// piece's left, and its line's height. The point is no longer stale.
void RteLocatePoint(RteHandle doc, RteSelectPoint* point);
// The caret x of a located point; optionally its line's rect and its piece's baseline distance.
int32_t RteCaretX(RteHandle doc, int32_t block, const RteSelectPoint* point, RteRect* line, int32_t* baseline);
// The rect of the character at the offset (zero wide at the text's end), in document or window
// coordinates, scaled when asked; answers the baseline distance of its piece.
int32_t RteCaretRect(RteHandle doc, int32_t offset, bool window, bool scaled, RteRect* out);

// Characters.
intptr_t RteCharInfo(RteHandle doc, int32_t offset, intptr_t mask);
int32_t RteGetCharacter(RteHandle doc, int32_t offset, uint8_t* buffer);
intptr_t RteFindCharClass(RteHandle doc, intptr_t mask, int32_t* offset, uint8_t* character);
// The byte at the offset in its block's text, left locked (the caller unlocks *text), and the
// bytes to the block's end; null at or past the text's end.
uint8_t* RteTextPointer(RteHandle doc, int32_t offset, RteHandle* text, int32_t* left);

// The union of every line piece, blocks without lines skipped; the first block's rect for an
// empty text.
void RteTextExtent(RteHandle doc, RteRect* out, bool layOut);
void RteMarkSelectionDirty(RteHandle doc);
// The document's colour; setting it counts as a change.
void RteGetDocColor(RteHandle doc, RteColor* out);
void RteSetDocColor(RteHandle doc, const RteColor* color);
void RteInvalidateLayout(RteHandle doc, bool bounds, bool force);
