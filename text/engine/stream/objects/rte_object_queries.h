// Objects in the text: found by run, counted, numbered, looked up by key or identifier; their
// borders; and the default object callback.
#pragma once

#include "rte_object_records.h"
#include "rte_picture.h"
#include "rte_runs.h"

// Object runs in the range; with none, in the selection, or the whole text when the selection
// is a caret (then the insertion point's object counts).
int32_t RteCountObjects(RteHandle doc, const RteRange* range);
// The n-th object run (from 1) of the range: its handle, its start and style index; null for
// n = 0 or past the last.
RteHandle RteNthObject(RteHandle doc, const RteRange* range, int32_t n, int32_t* offset, int32_t* style);
// From the offset (negative: the selection's start), the first later run whose object has
// (type word AND mask) = type (any object for mask 0); the offset becomes its start, or the
// text length when there is none.
RteHandle RteNextObject(RteHandle doc, int32_t* offset, uint32_t type, uint32_t mask);
// The 1-based place, in text order, of the object whose reference value is given; 0 when none.
int32_t RteObjectIndex(RteHandle doc, int32_t referenceValue);
RteHandle RteObjectByKey(RteHandle doc, uint32_t key);
// Kinds drawn as a whole (0-3, 5, 6, 8-11, 13, 15-26, 32) get their object's characters
// selected (redraw 1); for those and kinds 4, 28 and 29 the answer is the object's key, 0 for
// other kinds or an object not in the text.
int32_t RteObjectSelect(RteHandle doc, RteHandle object, int32_t kind);
RteHandle RteObjectById(RteHandle doc, int32_t referenceValue);

// Borders, kept in the record's extension: type, kind, width and two offsets.
struct RteObjectBorder {
    uint8_t type;
    uint8_t kind;
    int16_t width;
    int32_t offsets[2];
};
constexpr uint8_t RTE_BORDER_FRAME = 1;
constexpr uint8_t RTE_BORDER_TOP = 2;
constexpr uint8_t RTE_BORDER_BOTTOM = 3;
constexpr uint8_t RTE_BORDER_LEFT = 4;
constexpr uint8_t RTE_BORDER_BOTTOM_2 = 5;
constexpr uint8_t RTE_BORDER_QUARTERS = 1;  // kind: the width in quarter units
constexpr uint8_t RTE_BORDER_DOUBLE = 4;    // kind: two more lines outside
void RteSetObjectBorder(RteObject* object, uint8_t type, uint8_t kind, const int32_t offsets[2], int16_t width);
RteObjectBorder RteGetObjectBorder(const RteObject& object);
void RteDrawObjectBorder(RtePicturePort* port, const RteObject& object, const RteRect* rect);

// The default object callback. Message 1 draws (x: the RtePicturePort, data: the rect), 4
// gives the text length (at most length), 8 (a press) the object's data, so that an object
// holding data is selected whole by a click, 9 to 11 the reference value, 12 disposes of the
// object and its linked ones; any other message gives 0 (13: the engine copied the data of a
// copied bitmap before telling).
intptr_t RteDefaultObjectProc(RteHandle doc, RteHandle object, intptr_t value, int32_t message, intptr_t x,
                              intptr_t data, int32_t length);
