// What preparing and undoing records share inside the engine.
#pragma once

#include "rte_undo_record.h"

// The record that redoes the record's undo, built from the document as it is now.
RteHandle RteUndoReverse(RteHandle doc, RteHandle record);
RteHandle RteUndoPrepareIn(RteHandle doc, int16_t kind, const void* reference);
// Copies of the runs, styles, formats and fonts (RteHandle x5, in this order), whose styles and
// formats are told that the record takes them.
RteHandle RteUndoTables(RteHandle doc);
// Copies of the areas (and the page settings) that the kind replaces.
void RteUndoSaveAreas(RteHandle doc, int16_t kind, RteUndoRecord& fields);
