// The editing core: bytes inserted and ranges deleted, with every offset-keyed table of the
// document following the change, and typed characters with the engine's control keys.
#pragma once

#include <cstdint>

#include "rte_document.h"
#include "rte_gdi.h"  // the control keys
#include "rte_runs.h"

// Key modes of RteInsertText.
constexpr int32_t RTE_KEYS_TYPED = 0;
constexpr int32_t RTE_KEYS_BUFFERED = 1;
constexpr int32_t RTE_KEYS_NONE = 2;
constexpr int32_t RTE_KEYS_FLUSH = 3;

// A document closed to typing: inactive, or without a caret.
constexpr uint32_t RTE_DOC_CLOSED_TO_TYPING = 0x00030008;
constexpr uint32_t RTE_DOC2_CLOSED_TO_TYPING = 0x00040000;

bool RteIsControlChar(uint8_t byte);
// Whether the byte at the offset is hidden text that takes no room (document flag 0x40).
bool RteHiddenAt(RteHandle doc, int32_t offset);

// Inserts at an offset (-1: over the selection, which is deleted first); 1 when the text
// changed. Typed bytes (key modes 0, 1, 3) handle the control keys.
int32_t RteInsertText(RteHandle doc, const uint8_t* bytes, int32_t length, int32_t offset, int32_t keyMode,
                      uint32_t flags, int16_t redraw);
// Inserts the typed bytes that wait, with the redraw mode noted when the first was typed;
// answers the insertion's result (0 when none waited).
int32_t RteFlushTypeahead(RteHandle doc);
// The idle call: the blink hook told of the second, and unless the document is inactive or
// without a caret, waiting typed bytes flushed and the caret hook told; 1 when bytes were
// flushed.
int32_t RteIdle(RteHandle doc);
// Deletes a range, or every range of the selection (null); the caret goes to the lowest start.
void RteDeleteRange(RteHandle doc, const RteRange* range, int16_t redraw);
// The marker of a text that went in as chunks.
constexpr int16_t RTE_LARGE_CHANGE = 257;
// The environment's break code: bytes inserted other than as text (mode 2) that start with its
// low byte only ask for the lines at their offset to be laid out again.
constexpr uint16_t RTE_BREAK_CODE = RTE_KEY_27;
constexpr int32_t RTE_INSERT_AS_TEXT = 2;
// The core insertion into the block holding the offset; answers where layout must start again.
int32_t RteInsertBytes(RteHandle doc, const uint8_t* bytes, int32_t length, int32_t offset, int32_t mode);
// The two bytes of the break code at an offset: the lines there laid out and, when asked,
// redrawn with mode 5.
void RteInsertBreakPair(RteHandle doc, int32_t offset, int16_t redraw);
// Deletes the part of [start, *end) in the block holding start (*end becomes that block's end
// when the range went beyond it); answers where layout must start again.
int32_t RteDeleteInBlock(RteHandle doc, int32_t start, int32_t* end);
