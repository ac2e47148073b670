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
    RteHandle tables;     // RteHandle x5: the runs, styles, formats and fonts of a restyle
    RteRectList areas[3]; // view, wrap, extra
    RteHandle page;       // RtePageSettings
    int32_t start;
    int32_t end;
    int32_t value;
};

// A record's fields, read and written whole (the handle may move between calls).
RteUndoRecord RteUndoFields(RteHandle record);
void RteSetUndoFields(RteHandle record, const RteUndoRecord& fields);
// Frees what the record holds and leaves it empty, of no kind.
void RteUndoEmpty(RteHandle record);
// The selection's ranges (carets included) as an RteRange handle.
RteHandle RteSelectionRanges(RteHandle doc);
