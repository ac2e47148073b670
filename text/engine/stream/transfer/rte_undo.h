// Undo records: before a change the caller asks for a record of the change's kind, which saves
// what the change will destroy; undoing puts it back and may hand back the record that redoes
// the undo (the same kind, negated). The caller keeps and frees the records.
#pragma once

#include <cstdint>

#include "rte_document.h"

// Kinds, and the reference RteUndoPrepare takes with each.
constexpr int16_t RTE_UNDO_TYPING = 1;          // the previous record or null
constexpr int16_t RTE_UNDO_BACKSPACE = 2;       // the previous record or null
constexpr int16_t RTE_UNDO_CUT = 3;             // an RteRange, null for the selection
constexpr int16_t RTE_UNDO_FORWARD_DELETE = 4;  // the previous record or null
constexpr int16_t RTE_UNDO_INSERT_DOCUMENT = 5; // the document to be inserted
constexpr int16_t RTE_UNDO_RESTYLE = 6;         // none
constexpr int16_t RTE_UNDO_INSERT_TEXT = 7;     // pointer to an int32_t length
constexpr int16_t RTE_UNDO_WRAP_AREA = 8;       // none
constexpr int16_t RTE_UNDO_VIEW_AREA = 9;
constexpr int16_t RTE_UNDO_EXTRA_AREA = 10;
constexpr int16_t RTE_UNDO_PAGE_SETTINGS = 11;
constexpr int16_t RTE_UNDO_INSERT_OBJECT = 12;  // pointer to an int32_t offset
constexpr int16_t RTE_UNDO_INSERT_SPAN = 13;    // pointer to two int32_t: offset, length

// Null on an engine error (nothing raised).
RteHandle RteUndoPrepare(RteHandle doc, int16_t kind, const void* reference);
// For callers that keep many records: a keystroke of a typing, backspace or forward-delete
// kind extends the previous record when it is the next of its run, else gets a new record;
// the previous record is never emptied for reuse. Null on an engine error, and for a keystroke
// that has nothing to delete outside a run.
RteHandle RteUndoContinue(RteHandle doc, int16_t kind, RteHandle previous);
// The saved state put back; with makeReverse the record that redoes it (else null).
RteHandle RteUndo(RteHandle doc, RteHandle record, bool makeReverse, int16_t redraw);
int16_t RteUndoKind(RteHandle record);
void RteUndoSetValue(RteHandle record, int32_t value);
int32_t RteUndoGetValue(RteHandle record);
void RteUndoFree(RteHandle record);
