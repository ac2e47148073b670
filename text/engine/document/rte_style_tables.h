// The style and format tables: each distinct record kept once, with use counts. Works on a
// document the caller has locked; records are found by index, as a table may move whenever a
// record is added.
#pragma once

#include "rte_document.h"

// Finds or adds a character style by the table's rule: default hooks when it has none, set up
// by its metrics hook, its small derived style made first, then an equal record or a new one.
int32_t RteFindOrAddCharStyle(RteDocument* doc, const RteCharStyle& style, int32_t reason);
// Finds or adds a paragraph format, its indents clamped first.
int32_t RteFindOrAddParFormat(RteDocument* doc, const RteParFormat& format, int32_t reason);

// Finds a font by its names or adds it, after the document's font hook; -1 when both names are
// empty (no font).
int32_t RteFindOrAddFontIn(RteDocument* doc, const RteFont& font);

// A run's use of a record: a character style's use carries one on its small derived style.
void RteUseCharStyle(RteDocument* doc, int32_t index, int32_t delta);
void RteUseParFormat(RteDocument* doc, int32_t index, int32_t delta);

RteCharStyle RteCharStyleRecord(const RteDocument* doc, int32_t index);
RteParFormat RteParFormatRecord(const RteDocument* doc, int32_t index);
// The font a style names (-1 reads as 0).
RteFont RteFontRecord(const RteDocument* doc, int32_t index);

// Whole points × percentage (-1 is 75) of a style whose small-capitals unit is set.
int32_t RteSmallPointSize(int32_t pointSize, int16_t percentage);
