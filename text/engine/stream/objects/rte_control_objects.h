// The records the edit control and the text object exchange about embedded objects: the
// control's object record, the object-hook record sent to the notify window and the click
// record of clicks on an object. Both sides include this header; every field that holds a
// pointer, a handle or a window is pointer-sized, so that a 64-bit build keeps it whole (the
// 32-bit layouts of 130 bytes and more are not kept: these records never reach a file).
#pragma once

#include "rte_object_records.h"

// The edit control's object record (messages 0x3000 to 0x300B).
struct RteControlObject {
    int16_t reserved;
    int16_t kind;
    int16_t width;
    int16_t spare;
    int16_t height;
    int16_t insets[4];  // top, left, bottom, right
    uint32_t typeFlags;
    int32_t descent;
    int32_t ownerValue;
    intptr_t data;  // the creation data, or the data handle on reading
    RtePictureBlock picture;
    int32_t kindValue;
    int32_t referenceValue;
    intptr_t styleData;
    int32_t offset;
    int32_t zero;
    int16_t typeMask;
    int32_t secondOffset;
    uint8_t more[4];
    RteHandle object;
    int32_t mappingMode;  // kind 9 creation
    int16_t extents[2];
};

// Sent with 0x3612 when the control serves objects through its parent.
struct RteObjectHookRecord {
    int16_t code;
    int16_t kind;
    int16_t width;
    int16_t spare;
    int16_t height;
    int16_t insets[4];
    uint32_t typeFlags;
    int32_t descent;
    int32_t ownerValue;
    intptr_t data;
    RtePictureBlock picture;
    int32_t kindValue;
    int32_t referenceValue;
    intptr_t styleData;
    int32_t zero;
    uint8_t more[4];
    intptr_t hookData[2];  // click codes 8 to 11: the click record and its selection part
    RteHandle object;
    int32_t zero2;
    void* window;  // HWND
    intptr_t environmentValue;
};

// Clicks on an object (codes 8 to 11).
struct RteClickRecord {
    RtePoint point;
    int16_t buttons;
    int16_t trackingHit;
    int16_t zero;
    int16_t special;
    int32_t clickData[2];
};

static_assert(sizeof(RteControlObject::data) == sizeof(void*) && sizeof(RteControlObject::object) == sizeof(void*));
static_assert(sizeof(RteObjectHookRecord::hookData[0]) == sizeof(void*) && sizeof(RteObjectHookRecord::window) == sizeof(void*));

// A new object record from the control's record: the kind with the type flags, the values and
// insets of the record, and the creation data its kind takes (kind 9 a metafile of the record's
// data and size, kind 14 a rect of its size, kinds 7, 8, 11, 12 and 13 the data itself). The
// descent field is a size in whole units: negative, pixels; positive, a percentage of the height.
RteHandle RteNewControlObject(RteMemContext* context, const RteControlObject* record);
// Fills the record from the object at its offset: the object's values and data, its descent
// with the style's baseline value, the style's data value and the object's handle. 0 when no
// object stands there.
int32_t RteReadControlObject(RteHandle doc, RteControlObject* record);
// The object at the record's offset (a negative offset: the object whose handle the record
// holds) takes the record's style data, height, reference and owner values and side insets; a
// new descent moves the style's baseline value instead (not below minus its descent). What
// changed is laid out again. 0 when nothing changed.
int32_t RteUpdateControlObject(RteHandle doc, const RteControlObject* record);
// The record that tells the notify window of a hook of the object (code): the object's values,
// its type flags without the kind (0x40000000 added for a document drawn at its device's
// resolution), its descent with the current style's baseline value, the hook's two data
// values, the control's window and the value the environment registered its objects with. The
// data of kind 12 is its bytes, locked until RteEndObjectHookRecord.
void RteFillObjectHookRecord(RteHandle doc, RteHandle object, int16_t code, intptr_t first, intptr_t second,
                             void* window, RteObjectHookRecord* out);
void RteEndObjectHookRecord(const RteObjectHookRecord* record);
