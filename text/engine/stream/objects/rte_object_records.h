// Embedded objects: the object record a character style carries and the data each kind keeps.
// Every field that holds a handle, a pointer or a window is pointer-sized, so that a 64-bit
// build keeps it whole.
#pragma once

#include <cstdint>

#include "geometry_types.h"
#include "rte_memory.h"
#include "rte_style_records.h"

constexpr int16_t RTE_OBJECT_VERSION = 5;

// Bits of the type word above the kind (its low 16 bits).
constexpr uint32_t RTE_OBJECT_KIND_MASK = 0xFFFF;
constexpr uint32_t RTE_OBJECT_SPANS_LINE = 0x10000;
constexpr uint32_t RTE_OBJECT_ADD_TRAILING = 0x20000;
constexpr uint32_t RTE_OBJECT_COUNTED = 0x40000;
constexpr uint32_t RTE_OBJECT_COPY_BITMAP = 0x80000;
constexpr uint32_t RTE_OBJECT_TEXT_FLAGS_A = 0x100000;
constexpr uint32_t RTE_OBJECT_ACTIVATION = 0x2000000;
constexpr uint32_t RTE_OBJECT_TEXT_FLAGS_B = 0x4000000;
constexpr uint32_t RTE_OBJECT_SHAREABLE = 0x10000000;

// Kinds.
enum RteObjectKind : int32_t {
    RTE_KIND_FRAME = 0,
    RTE_KIND_FRAME_1 = 1,
    RTE_KIND_ROUND_FRAME = 2,
    RTE_KIND_MAC = 4,
    RTE_KIND_BITMAP = 5,
    RTE_KIND_BITMAP_HANDLE = 6,
    RTE_KIND_VALUE = 7,
    RTE_KIND_FOREIGN_PICT = 8,
    RTE_KIND_METAFILE = 9,
    RTE_KIND_PICTURE = 10,
    RTE_KIND_TEXT = 11,
    RTE_KIND_BYTES = 12,
    RTE_KIND_TEXT_BOX = 13,
    RTE_KIND_RECT = 14,
    RTE_KIND_METAFILE_DATA = 15,
    RTE_KIND_FOREIGN_PICT_2 = 20,
    RTE_KIND_UNKNOWN_TEXT = 28,
    RTE_KIND_UNKNOWN_TEXT_BOX = 29,
    RTE_KIND_BYTE_HANDLE = 36,
};

// The picture block: the picture header of pictures and metafiles, or a short text kept inline.
struct RtePictureBlock {
    int16_t values16a[2];
    int32_t values32[2];
    RteRect rect;
    int32_t mappingMode;
    int16_t values16b[6];
};
static_assert(sizeof(RtePictureBlock) == 44, "the stream keeps a 44-byte picture block");
constexpr int32_t RTE_INLINE_TEXT_BYTES = 43;  // with its NUL, the most text the block holds
constexpr int32_t RTE_OBJECT_EXTENSION_BYTES = 14;

// The object callback: (document, object, value, message, x, data, length).
typedef intptr_t (*RteObjectProc)(RteHandle doc, RteHandle object, intptr_t value, int32_t message, intptr_t x,
                                  intptr_t data, int32_t length);

// Insets, in the order the borders use them.
enum RteInset { RTE_INSET_TOP, RTE_INSET_BOTTOM, RTE_INSET_LEFT, RTE_INSET_RIGHT };

struct RteObject {
    int16_t version;
    uint32_t typeWord;
    int32_t width;
    int32_t spare;
    int32_t height;
    int32_t descent;
    int32_t spare2;
    int32_t kindValue;
    int32_t ownerValue;
    int16_t insets[4];
    intptr_t data;          // the kind's handle (a metafile's HMETAFILE) or value
    RteHandle linked;       // a follow-on object record, saved after this one
    RteHandle secondData;   // extra bytes of text and picture kinds
    RtePictureBlock picture;
    uint8_t extension[RTE_OBJECT_EXTENSION_BYTES];
    RteCharStyle* currentStyle;  // only while a hook of the object runs
    int32_t referenceValue;
    intptr_t dataPointer;        // only while a hook runs
    uint32_t key;
    int32_t useCount;
    // In memory only: the callback and the style's data value the object was styled with.
    RteObjectProc callback;
    intptr_t styleData;
};

// A copy of the record an object handle holds.
RteObject RteObjectOf(RteHandle object);
// The key a record takes as a style comes to use it: the context's next, leaving the key new
// handles are made under as it was.
uint32_t RteNewObjectKey(RteMemContext* context);

inline int32_t RteObjectKindOf(const RteObject& object) { return static_cast<int32_t>(object.typeWord & RTE_OBJECT_KIND_MASK); }

// A metafile as creation data of kind 9.
struct RteMetafileData {
    void* metafile;  // HMETAFILE
    int32_t mappingMode;
    int16_t xExtent;
    int16_t yExtent;
    RteRect bounds;
};

// Messages of the object callback.
constexpr int32_t RTE_OBJECT_ATTACHED = 0;
constexpr int32_t RTE_OBJECT_DRAW = 1;
constexpr int32_t RTE_OBJECT_MEASURED = 2;  // data: the int32_t width, which the callback may change
constexpr int32_t RTE_OBJECT_STYLED = 3;
constexpr int32_t RTE_OBJECT_TEXT_LENGTH = 4;
constexpr int32_t RTE_OBJECT_CLICKED = 5;   // x: the RtePoint clicked
// Clicks through the style's click hook, the click mode added (press, drag, release): x the
// RtePoint inside the object, data the click's; a nonzero answer holds the click.
constexpr int32_t RTE_OBJECT_PRESSED = 8;
constexpr int32_t RTE_OBJECT_DISPOSE = 12;
constexpr int32_t RTE_OBJECT_COPIED = 13;
constexpr int32_t RTE_OBJECT_LOADED = 15;

// Records. Errors are raised to the caller's frame; a half-made record goes with the error.
// The descent comes from the size argument (16.16): negative, its magnitude in pixels;
// positive, that percentage of the height.
int32_t RteDescentFromSize(int32_t height, int32_t sizeArgument);
RteHandle RteNewObjectRecord(RteMemContext* context, uint32_t typeWord, const void* data, int32_t sizeArgument);
// The same from a record whose type word and values are already set.
RteHandle RteNewObjectRecordFrom(RteMemContext* context, const RteObject& fields, const void* data, int32_t sizeArgument);
void RteSetObjectData(RteMemContext* context, RteObject* object, const void* data, int32_t sizeArgument);
void RteFreeObjectData(RteObject* object, int32_t kind);
void RteCopyObjectData(RteObject* object, int32_t kind);
// The text of a text kind, inline or in its handle.
const char* RteObjectText(const RteObject* object, RteHandle* locked);
