// Embedded objects inserted the way translators insert text: into the open batch, or at the
// selection when none is open.
#pragma once

#include "rte_object_records.h"

// Appends the two characters "[]" carrying the object's style (made as RteMakeObjectStyle
// makes it, from the style in force where the text goes). Returns the object's kind.
int32_t RteBatchInsertObject(RteHandle doc, RteHandle object, RteObjectProc callback, intptr_t data, int16_t redraw);
