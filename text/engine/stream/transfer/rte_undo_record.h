// What an undo record holds, shared by its preparation, its undoing and its release.
#pragma once

#include "rte_runs.h"
#include "rte_undo.h"

struct RteUndoRecord {
    int16_t kind;        // negative in a record that redoes
    int16_t storedKind;  // decides how the record is undone
    RteHandle copy;      // the text the change destroys, as a document (or null)
    RteEnvironment* env;
    RteHandle removes;    // RteRange: what the change puts in, undone by deleting; null: start to end
    RteHandle selection;  // RteRange: the selection before the change
    RteHandle tables;     // RteHandle x5: the character and paragraph runs, styles, formats and fonts of a restyle
    RteRectList areas[3]; // view, wrap, extra
    // The lists that go with the areas: the wrap area's container values, the extra area's
    // rect values and paragraph bindings; null where the document had none.
    RteHandle companions[3];
    RteHandle page;       // RtePageSettings
    int32_t start;
    int32_t end;
    int32_t value;
};

// Where the styles and formats stand among a restyle's tables.
constexpr size_t RTE_UNDO_TABLE_STYLES = 2;
constexpr size_t RTE_UNDO_TABLE_FORMATS = 3;

// A record's fields, read and written whole (the handle may move between calls).
RteUndoRecord RteUndoFields(RteHandle record);
void RteSetUndoFields(RteHandle record, const RteUndoRecord& fields);
// Frees what the record holds and leaves it empty, of no kind.
void RteUndoEmpty(RteHandle record);
// Codes with which the styles and formats of a restyle's saved tables are told that a table
// takes them (saved by a record, or put back into the document), that the document drops
// them for the saved ones, or that a freed record drops its copies (the document then null):
// what they carry, an object's use count, follows them.
constexpr intptr_t RTE_UNDO_STYLES_TAKEN = 1;
constexpr intptr_t RTE_UNDO_STYLES_REPLACED = 4;
constexpr intptr_t RTE_UNDO_STYLES_FREED = 12;
void RteTellStylesDropped(RteHandle doc, RteHandle styles, RteHandle formats, intptr_t code);
// The selection's ranges (carets included) as an RteRange handle.
RteHandle RteSelectionRanges(RteHandle doc);
