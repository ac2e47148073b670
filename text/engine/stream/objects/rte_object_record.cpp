// Object records: made from each kind's creation data, released and copied by kind.
#include <windows.h>

#include <cmath>
#include <cstring>

#include "rte_object_records.h"
#include "rte_picture.h"
#include "rte_typed.h"

namespace {

constexpr int32_t kDefaultCorner = 16;
constexpr int32_t kNullMetafileSide = 32;

bool IsTextKind(int32_t kind)
{
    return kind == RTE_KIND_TEXT || kind == RTE_KIND_TEXT_BOX || kind == RTE_KIND_UNKNOWN_TEXT ||
           kind == RTE_KIND_UNKNOWN_TEXT_BOX;
}

// Kinds whose data belongs to someone else: never freed nor duplicated here.
bool SharedData(int32_t kind)
{
    return (kind >= 21 && kind <= 26) || kind == 28 || kind == 29;
}

// The size taken from the data: origin at 0,0, the rect's extent, insets of 1.
void SizeFrom(RteObject* object, const RteRect& rect, int32_t sizeArgument)
{
    object->width = rect.right - rect.left;
    object->height = rect.bottom - rect.top;
    for (int16_t& inset : object->insets)
        inset = 1;
    object->descent = RteDescentFromSize(object->height, sizeArgument);
}

RteHandle CopyBytes(RteMemContext* context, const void* bytes, int32_t count)
{
    return count > 0 ? RteNewFromData(context, bytes, 1, count) : RteAlloc(context, 1, 0, 16, true);
}

void SetText(RteMemContext* context, RteObject* object, const char* text, int32_t kind)
{
    int32_t length = static_cast<int32_t>(std::strlen(text));
    // Kind 13 reserves its capacity (the kind value) and one more byte.
    int32_t room = kind == RTE_KIND_TEXT_BOX || kind == RTE_KIND_UNKNOWN_TEXT_BOX
                       ? (object->kindValue > length ? object->kindValue : length) + 1
                       : length + 1;
    if (room <= RTE_INLINE_TEXT_BYTES) {
        std::memset(&object->picture, 0, sizeof object->picture);
        std::memcpy(&object->picture, text, static_cast<size_t>(length) + 1);
        object->data = 0;
        return;
    }
    RteHandle handle = RteAlloc(context, 1, room, 16, true);
    std::memcpy(RteLocked<char>(handle).get(), text, static_cast<size_t>(length));
    object->data = reinterpret_cast<intptr_t>(handle);
}

void SetMetafile(RteObject* object, const RteMetafileData& metafile, int32_t sizeArgument)
{
    object->data = reinterpret_cast<intptr_t>(metafile.metafile);
    object->picture.mappingMode = metafile.mappingMode;
    object->picture.values16b[0] = metafile.xExtent;
    object->picture.values16b[1] = metafile.yExtent;
    RteRect bounds = metafile.bounds;
    if (bounds.top == bounds.bottom && bounds.left == bounds.right)
        bounds = {0, 0, kNullMetafileSide, kNullMetafileSide};
    object->picture.rect = bounds;
    object->kindValue = (static_cast<int32_t>(static_cast<uint16_t>(metafile.xExtent)) << 16) |
                        static_cast<uint16_t>(metafile.yExtent);
    SizeFrom(object, bounds, sizeArgument);
}

}  // namespace

uint32_t RteNewObjectKey(RteMemContext* context)
{
    uint32_t current = context->currentKey;
    uint32_t key = RteNewKey(context);
    context->currentKey = current;
    return key;
}

int32_t RteDescentFromSize(int32_t height, int32_t sizeArgument)
{
    double size = sizeArgument / 65536.0;
    double descent = size < 0 ? -size : size * height / 100.0;
    return static_cast<int32_t>(std::lround(descent));
}

void RteSetObjectData(RteMemContext* context, RteObject* object, const void* data, int32_t sizeArgument)
{
    int32_t kind = RteObjectKindOf(*object);
    switch (kind) {
    case RTE_KIND_FRAME:
    case RTE_KIND_FRAME_1:
    case RTE_KIND_ROUND_FRAME:
    case RTE_KIND_RECT:
        if (data)
            SizeFrom(object, *static_cast<const RteRect*>(data), sizeArgument);
        if (kind == RTE_KIND_ROUND_FRAME && (object->kindValue >> 16) == 0)
            object->kindValue = kDefaultCorner << 16;
        break;
    case RTE_KIND_BITMAP: {
        // A 44-byte header (the bounds, the bits per pixel in its first value, the bytes of the
        // rows in its first long), then the rows; kept as a bitmap record the primitives draw.
        const auto* header = static_cast<const RtePictureBlock*>(data);
        object->picture = *header;
        const RteRect& bounds = header->rect;
        RteBitmapRecord record = {static_cast<int16_t>(bounds.right - bounds.left),
                                  static_cast<int16_t>(bounds.bottom - bounds.top), header->values16a[0]};
        int32_t rows = header->values32[0] > 0 ? header->values32[0] : 0;
        RteHandle bits = RteAlloc(context, 1, RTE_BITMAP_HEADER_BYTES + rows, 0, true);
        RteLocked<uint8_t> bytes(bits);
        std::memcpy(bytes.get(), &record, RTE_BITMAP_HEADER_BYTES);
        if (rows > 0)
            std::memcpy(bytes.get() + RTE_BITMAP_HEADER_BYTES, static_cast<const uint8_t*>(data) + sizeof(RtePictureBlock),
                        static_cast<size_t>(rows));
        object->data = reinterpret_cast<intptr_t>(bits);
        SizeFrom(object, bounds, sizeArgument);
        break;
    }
    case RTE_KIND_METAFILE:
        SetMetafile(object, *static_cast<const RteMetafileData*>(data), sizeArgument);
        break;
    case RTE_KIND_TEXT:
    case RTE_KIND_TEXT_BOX:
    case RTE_KIND_UNKNOWN_TEXT:
    case RTE_KIND_UNKNOWN_TEXT_BOX:
        SetText(context, object, data ? static_cast<const char*>(data) : "", kind);
        break;
    case RTE_KIND_BYTES:
        object->data = reinterpret_cast<intptr_t>(CopyBytes(context, data, object->kindValue));
        break;
    case RTE_KIND_MAC:
        break;
    default:
        // A value or a handle the caller gives: kept as it stands.
        object->data = reinterpret_cast<intptr_t>(data);
        break;
    }
}

RteHandle RteNewObjectRecord(RteMemContext* context, uint32_t typeWord, const void* data, int32_t sizeArgument)
{
    RteObject fields = {};
    fields.typeWord = typeWord;
    return RteNewObjectRecordFrom(context, fields, data, sizeArgument);
}

RteHandle RteNewObjectRecordFrom(RteMemContext* context, const RteObject& fields, const void* data, int32_t sizeArgument)
{
    RteHandle handle = RteAllocOf<RteObject>(context, 1, 0, true);
    RteTryOrUndo(
        context,
        [&] {
            RteObject object = fields;
            object.version = RTE_OBJECT_VERSION;
            object.useCount = (object.typeWord & RTE_OBJECT_COUNTED) ? 1 : 0;
            RteSetObjectData(context, &object, data, sizeArgument);
            *static_cast<RteObject*>(RteLock(handle)) = object;
            RteUnlock(handle);
        },
        [&] { RteFree(handle); });
    return handle;
}

void RteFreeObjectData(RteObject* object, int32_t kind)
{
    if (kind == RTE_KIND_METAFILE) {
        if (object->data)
            DeleteMetaFile(reinterpret_cast<HMETAFILE>(object->data));
    } else if (!SharedData(kind) && object->data && kind != RTE_KIND_VALUE && kind != RTE_KIND_MAC &&
               !(IsTextKind(kind) && object->data == 0)) {
        RteFree(reinterpret_cast<RteHandle>(object->data));
    }
    object->data = 0;
    if (object->secondData)
        RteFree(object->secondData);
    object->secondData = nullptr;
}

void RteCopyObjectData(RteObject* object, int32_t kind)
{
    if (kind == RTE_KIND_METAFILE) {
        if (object->data)
            object->data = reinterpret_cast<intptr_t>(CopyMetaFileA(reinterpret_cast<HMETAFILE>(object->data), nullptr));
    } else if (!SharedData(kind) && kind != RTE_KIND_MAC && kind != RTE_KIND_FOREIGN_PICT && kind != RTE_KIND_VALUE &&
               object->data) {
        object->data = reinterpret_cast<intptr_t>(RteDuplicate(reinterpret_cast<RteHandle>(object->data)));
    }
    if (object->secondData)
        object->secondData = RteDuplicate(object->secondData);
}

RteObject RteObjectOf(RteHandle object)
{
    RteObject record;
    RteGetElement(object, 0, &record);
    return record;
}

const char* RteObjectText(const RteObject* object, RteHandle* locked)
{
    *locked = nullptr;
    if (!object->data)
        return reinterpret_cast<const char*>(&object->picture);
    *locked = reinterpret_cast<RteHandle>(object->data);
    return static_cast<const char*>(RteLock(*locked));
}
