// Styled text moved between documents: a range copied into a new document (and cut from its
// source), a whole document inserted into another, and the bytes of a range by filter.
#pragma once

#include <cstdint>

#include "rte_runs.h"

// A copy carries it from its source: paragraph formats go over whole (undo and the native
// translators set it).
constexpr uint32_t RTE_DOC_COPY_MODE = 0x200000;

// Progress codes of hook slot 20, told only above the threshold of characters.
constexpr int32_t RTE_PROGRESS_COPY = 1;
constexpr int32_t RTE_PROGRESS_INSERT = 2;
constexpr int32_t RTE_PROGRESS_THRESHOLD = 24000;

// Filters of RteCopyRangeText.
constexpr int16_t RTE_TEXT_SINGLE_BYTES = 1;
constexpr int16_t RTE_TEXT_NO_WIDE_CLASS = 2;
constexpr int16_t RTE_TEXT_SHOWN = 3;
constexpr int16_t RTE_TEXT_SHOWN_SINGLE_BYTES = 4;
constexpr int16_t RTE_TEXT_SHOWN_NO_WIDE_CLASS = 5;

// A new document holding the range (null: the selection's ranges) with its styles, formats
// and link ranges; null when there is nothing to copy or memory ran out.
RteHandle RteCopyRange(RteHandle doc, const RteRange* range);
// The copy, then the range deleted from the source; null (nothing deleted) when nothing to copy.
RteHandle RteCutRange(RteHandle doc, const RteRange* range, int16_t redraw);
// The bytes of the range that the filter keeps, in a byte handle; null as the copy.
RteHandle RteCopyRangeText(RteHandle doc, const RteRange* range, int16_t filter);
// The source inserted at the offset (-1: the insertion point, over the selection); style mode 0
// carries its styles, any other inserts bare text. Errors are raised to the caller's frame.
int32_t RteInsertDocument(RteHandle doc, RteHandle source, int32_t offset, int16_t styleMode, int16_t redraw);
// The same, where firstParagraph gives the source's first format to a paragraph that the
// insertion point cuts (what undo puts back).
int32_t RteInsertDocumentAs(RteHandle doc, RteHandle source, int32_t offset, int16_t styleMode, int16_t redraw,
                            bool firstParagraph);

// The ranges a copy was made from, moved so that the first starts at 0 (RteRange); null for a
// document that is no copy.
RteHandle RteOriginList(RteHandle doc);
