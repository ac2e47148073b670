// Record type 20: embedded objects saved after a document's records and read back onto the
// character styles that carry them. A style and its object record meet by a per-save number
// (1 for the first object of the style table, ...), never by a pointer.
#pragma once

#include "rte_object_records.h"
#include "rte_record_stream.h"
#include "rte_runs.h"

// Registers type 20 with the object reader; the callback (null: none) hears of each object
// loaded (code 15) and of each style that takes it (code 0).
void RteRegisterObjectRecords(RteEnvironment* env, RteObjectProc callback, intptr_t value);
// The value given with the registration (0 when the environment registered none).
intptr_t RteObjectRecordsValue(const RteEnvironment* env);
// One type-20 record for each object record the styles carry (and each linked one after it),
// in the order the style records number them. The first error of the callback is returned.
uint16_t RteSaveObjects(RteHandle doc, RteIoProc io, int32_t* position, intptr_t reference);
// The reader of type 20.
uint16_t RteReadObjectRecord(RteHandle doc, int16_t type, RteHandle body, int32_t* value, intptr_t argument,
                             int32_t* size);
// Sets the object hooks of a style whose object is the record.
void RteSetObjectHooks(RteCharStyle* style, const RteObject& object);
// The style of an object at the offset: the style (and font) found there with the object's
// handle, hooks, unit 33 of 1 and flags; the caret goes to the offset, the callback (null: the
// default one) hears code 3. The masks, when given, select what the object's style sets.
// Returns the object's kind.
int32_t RteMakeObjectStyle(RteHandle doc, int32_t offset, RteHandle object, intptr_t styleData, RteObjectProc callback,
                           intptr_t data, RteCharStyle* style, RteCharStyle* styleMask, RteFont* font,
                           RteFont* fontMask);
// The object's style set over the range (null: the selection); the object then counts the
// range's characters less one as its own. Returns the object's kind.
int32_t RteApplyObject(RteHandle doc, RteHandle object, const RteRange* range, RteObjectProc callback, intptr_t data,
                       int16_t redraw);
