// Embedded objects inserted into the text: the way translators insert text (into the open
// batch, or at the selection when none is open), or in place of the selection.
#pragma once

#include "rte_object_records.h"

// Appends the two characters "[]" carrying the object's style (made as RteMakeObjectStyle
// makes it, from the style in force where the text goes). Returns the object's kind.
int32_t RteBatchInsertObject(RteHandle doc, RteHandle object, RteObjectProc callback, intptr_t data, int16_t redraw);

// An object equal to this one already in the document (same type, comparison values and style
// data, same size unless a text kind, same contents), or null.
RteHandle RteFindSameObject(RteHandle doc, RteHandle object);
// The object goes in as "[]" at the offset (-1: in place of the selection, which is deleted).
// A shareable object equal to one the text holds is dropped, and that one counts one more use.
// Returns the offset after the object.
int32_t RteInsertObject(RteHandle doc, RteHandle object, int32_t offset, RteObjectProc callback, intptr_t data,
                        int16_t redraw);
