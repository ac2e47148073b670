// Type-20 records: each object's fields, its picture header and its kind's data.
#include <windows.h>

#include <cstring>

#include "rte_object_stream.h"
#include "rte_picture_data.h"
#include "rte_record_fields.h"
#include "rte_text_helpers.h"
#include "rte_typed.h"

namespace {

constexpr int16_t kObjectRecord = 20;
constexpr int32_t kLinkedIdentity = -1;

struct Loading {
    RteEnvironment* env;
    RteObjectProc callback;
    intptr_t value;
};
// The object callbacks of environments that registered type 20 (few: one per engine start).
Loading g_loading[4];

const Loading* LoadingOf(const RteEnvironment* env)
{
    for (const Loading& entry : g_loading)
        if (entry.env == env)
            return &entry;
    return nullptr;
}

RteObjectProc LoadingCallback(RteEnvironment* env)
{
    const Loading* entry = LoadingOf(env);
    return entry ? entry->callback : nullptr;
}

bool HasPictureHeader(int32_t kind)
{
    return kind == RTE_KIND_BITMAP || kind == RTE_KIND_FOREIGN_PICT || kind == RTE_KIND_METAFILE ||
           kind == RTE_KIND_PICTURE || (kind >= 15 && kind <= 22);
}

bool IsText(int32_t kind)
{
    return kind == RTE_KIND_TEXT || kind == RTE_KIND_TEXT_BOX || kind == RTE_KIND_UNKNOWN_TEXT ||
           kind == RTE_KIND_UNKNOWN_TEXT_BOX;
}

bool HasBytes(int32_t kind)
{
    return (kind >= 11 && kind <= 20) || kind == RTE_KIND_BITMAP || kind == RTE_KIND_PICTURE || kind == 28 ||
           kind == 29 || kind == RTE_KIND_BYTE_HANDLE;
}

// The picture header: what the record's version holds of the picture block.
template <class V>
void PictureHeader(V& v, RtePictureBlock& p, int32_t version)
{
    if (version >= 3) {
        v.S(p.values16a[0]);
        v.S(p.values16a[1]);
        v.L(p.values32[0]);
        v.L(p.values32[1]);
        v.Rect(p.rect);
    }
    if (version >= 4) {
        v.L(p.mappingMode);
        for (int i = 0; i < 4; ++i)
            v.S(p.values16b[i]);
    }
    if (version >= 5) {
        v.S(p.values16b[4]);
        v.S(p.values16b[5]);
    }
}

// The kinds whose data are values of the record: true when the kind is one of them.
template <class V>
bool KindValues(V& v, RtePictureBlock& p, int32_t kind, int32_t& value)
{
    if (kind == RTE_KIND_VALUE) {
        v.L(value);
    } else if (kind == 23 || kind == 24) {
        v.L(p.values32[0]);
        v.S(p.values16a[0]);
        v.S(p.values16a[1]);
    } else if (kind == 35) {
        for (int i = 0; i < 4; ++i)
            v.S(p.values16b[i]);
        v.L(p.values32[0]);
    } else {
        return false;
    }
    return true;
}

template <class V>
void ObjectFields(V& v, RteObject& o, int32_t& identity, int32_t& recordVersion, int32_t& hasData, int32_t& hasSecond)
{
    v.L(identity);
    if (v.Has(0x1000C))
        v.L(recordVersion);
    v.L(o.typeWord);
    v.L(o.width);
    v.L(o.height);
    v.L(o.descent);
    v.L(o.spare);
    v.L(o.kindValue);
    v.L(o.referenceValue);
    v.L(hasData);
    if (v.Has(0x20000))
        v.L(hasSecond);
    for (int16_t& inset : o.insets)
        v.S(inset);
}

std::vector<uint8_t> HandleBytes(intptr_t handle)
{
    if (!handle)
        return {};
    auto h = reinterpret_cast<RteHandle>(handle);
    RteLocked<uint8_t> bytes(h);
    return std::vector<uint8_t>(bytes.get(), bytes.get() + RteByteSize(h));
}

std::vector<uint8_t> MetafileBits(intptr_t metafile)
{
    auto handle = reinterpret_cast<HMETAFILE>(metafile);
    UINT size = handle ? GetMetaFileBitsEx(handle, 0, nullptr) : 0;
    std::vector<uint8_t> bits(size);
    if (size)
        GetMetaFileBitsEx(handle, size, bits.data());
    return bits;
}

// The picture block of a document that keeps 16-bit text: its 44 bytes as 16-bit characters
// behind a byte-order mark, each byte the character of its CP1252 value (zeros included).
void WritePictureBlock(RteBodyWriter& body, const RtePictureBlock& block, bool wide)
{
    if (!wide) {
        body.Bytes(&block, sizeof block);
        return;
    }
    std::vector<uint16_t> characters = RteWidenField(&block, sizeof block);
    body.Bytes(characters.data(), characters.size() * sizeof(uint16_t));
}

void ReadPictureBlock(RteBodyReader& body, RtePictureBlock* block, bool wide)
{
    if (!wide) {
        body.BytesInto(block, sizeof *block);
        return;
    }
    // Longer items are clamped to the block; a shorter one leaves the rest cleared.
    uint16_t characters[sizeof(RtePictureBlock) + 1] = {};
    size_t bytes = body.BytesInto(characters, sizeof characters);
    size_t count = (bytes < sizeof characters ? bytes : sizeof characters) / sizeof characters[0];
    RteNarrowField(characters, count, block, sizeof *block);
}

void WriteObject(RteBodyWriter& body, const RteObject& object, int32_t identity, bool wide)
{
    RteObject o = object;
    int32_t kind = RteObjectKindOf(o);
    int32_t version = RTE_OBJECT_VERSION;
    bool inlineText = (kind == RTE_KIND_TEXT || kind == RTE_KIND_TEXT_BOX || kind == 28 || kind == 29) && !o.data;
    std::vector<uint8_t> data = kind == RTE_KIND_METAFILE ? MetafileBits(o.data)
                                : kind == RTE_KIND_VALUE || kind == RTE_KIND_MAC || inlineText ? std::vector<uint8_t>()
                                                                                             : HandleBytes(o.data);
    int32_t hasData = o.data ? 1 : 0;
    int32_t hasSecond = o.secondData ? 1 : 0;
    RteFieldWriter v(body);
    ObjectFields(v, o, identity, version, hasData, hasSecond);
    WritePictureBlock(body, o.picture, wide);
    body.Bytes(o.extension, sizeof o.extension);
    if (!hasData)
        return;
    if (HasPictureHeader(kind))
        PictureHeader(v, o.picture, version);
    int32_t value = static_cast<int32_t>(o.data);
    if (KindValues(v, o.picture, kind, value))
        return;
    if (kind == RTE_KIND_BITMAP) {
        RteWritePictureData(body, reinterpret_cast<RteHandle>(o.data), o.secondData);
    } else if (kind == RTE_KIND_BITMAP_HANDLE) {
        RteWriteColorTable(body, reinterpret_cast<RteHandle>(o.data));
    } else if (HasBytes(kind) || kind == RTE_KIND_METAFILE) {
        body.Bytes(data.data(), data.size());
        std::vector<uint8_t> second = HandleBytes(reinterpret_cast<intptr_t>(o.secondData));
        body.Bytes(second.data(), second.size());
    }
}

uint16_t WriteRecord(RteHandle doc, RteHandle object, int32_t identity, RteIoProc io, int32_t* position,
                     intptr_t reference)
{
    RteMemContext* context = RteHandleContext(doc);
    RteHandle body = nullptr;
    uint16_t result = 0;
    uint16_t code = RteTry(context, [&] {
        RteBodyWriter writer;
        RteObject record;
        RteGetElement(object, 0, &record);
        bool wide = (RteLocked<RteDocument>(doc)->flags2 & RTE_DOC2_WIDE_NAMES) != 0;
        WriteObject(writer, record, identity, wide);
        writer.Close();
        body = RteAlloc(context, 1, 0, 64, false);
        RteSetBodyBytes(body, writer.bytes());
        result = RteWriteRecord(nullptr, kObjectRecord, body, 0, position, io, reference);
    });
    if (body)
        RteFree(body);
    return code ? code : result;
}

// The data of the record's kind after its picture header: values of the record, picture data,
// a colour table, or byte strings.
void ReadKindData(RteFieldReader& v, RteBodyReader& reader, RteObject& object, bool hasSecond, int32_t* value,
                  std::vector<uint8_t>* data, std::vector<uint8_t>* second)
{
    int32_t kind = RteObjectKindOf(object);
    if (KindValues(v, object.picture, kind, *value))
        return;
    if (kind == RTE_KIND_BITMAP) {
        RteReadPictureData(reader, data, second);
    } else if (kind == RTE_KIND_BITMAP_HANDLE) {
        *data = RteReadColorTable(reader);
    } else if (HasBytes(kind) || kind == RTE_KIND_METAFILE) {
        *data = reader.Bytes();
        if (hasSecond)
            *second = reader.Bytes();
    }
}

// Bits from outside that the platform may take as a metafile: the standard header, and records
// of at least three words that lie whole within the bits, ending with the end record.
bool ValidMetafileBits(const std::vector<uint8_t>& bits)
{
    constexpr size_t kHeaderBytes = 18;
    if (bits.size() < kHeaderBytes + 6 || bits.size() % 2)
        return false;
    uint16_t type, headerWords;
    uint32_t words;
    std::memcpy(&type, bits.data(), 2);
    std::memcpy(&headerWords, bits.data() + 2, 2);
    std::memcpy(&words, bits.data() + 6, 4);
    if ((type != 1 && type != 2) || headerWords != 9 || static_cast<size_t>(words) * 2 != bits.size())
        return false;
    for (size_t at = kHeaderBytes; at + 6 <= bits.size();) {
        uint32_t size;
        uint16_t function;
        std::memcpy(&size, bits.data() + at, 4);
        std::memcpy(&function, bits.data() + at + 4, 2);
        if (size < 3 || size > (bits.size() - at) / 2)
            return false;
        if (function == 0)
            return true;
        at += static_cast<size_t>(size) * 2;
    }
    return false;
}

RteHandle BytesHandle(RteMemContext* context, const std::vector<uint8_t>& bytes)
{
    if (bytes.empty())
        return nullptr;
    return RteNewFromData(context, bytes.data(), 1, static_cast<int32_t>(bytes.size()));
}

void Attach(RteDocument* doc, RteHandle handle, int32_t identity, RteObjectProc callback)
{
    RteObject object;
    RteGetElement(handle, 0, &object);
    int32_t count = RteCount(doc->charStyles);
    for (int32_t i = 0; i < count; ++i) {
        {
            RteLocked<RteCharStyle> styles(doc->charStyles);
            RteCharStyle& style = styles[i];
            if (identity <= 0 || style.object != identity || (style.flags & RTE_STYLE_OBJECT_LOADED))
                continue;
            style.object = reinterpret_cast<intptr_t>(handle);
            style.flags |= RTE_STYLE_OBJECT_LOADED;
            RteSetObjectHooks(&style, object);
        }
        {
            // As when a style enters a table: one more use, and the next key.
            RteLocked<RteObject> record(handle);
            ++record->useCount;
            record->key = RteNewObjectKey(doc->env->context);
        }
        if (callback)
            callback(doc->self, handle, i, RTE_OBJECT_ATTACHED, 0, 0, 0);
    }
}

}  // namespace

void RteRegisterObjectRecords(RteEnvironment* env, RteObjectProc callback, intptr_t value)
{
    RteRegisterRecordType(env, kObjectRecord, RteReadObjectRecord, nullptr, nullptr, nullptr);
    for (Loading& entry : g_loading)
        if (entry.env == env || !entry.env) {
            entry = {env, callback, value};
            return;
        }
}

intptr_t RteObjectRecordsValue(const RteEnvironment* env)
{
    const Loading* entry = LoadingOf(env);
    return entry ? entry->value : 0;
}

uint16_t RteSaveObjects(RteHandle doc, RteIoProc io, int32_t* position, intptr_t reference)
{
    std::vector<RteHandle> objects;
    {
        RteLocked<RteDocument> d(doc);
        RteLocked<RteCharStyle> styles(d->charStyles);
        for (int32_t i = 0; i < styles.size(); ++i) {
            auto object = reinterpret_cast<RteHandle>(styles[i].object);
            if (!object || (styles[i].flags & RTE_STYLE_DELETED))
                continue;
            bool seen = false;
            for (RteHandle known : objects)
                seen = seen || known == object;
            if (!seen)
                objects.push_back(object);
        }
    }
    for (size_t i = 0; i < objects.size(); ++i) {
        int32_t identity = static_cast<int32_t>(i + 1);
        for (RteHandle object = objects[i]; object; object = RteLocked<RteObject>(object)->linked) {
            uint16_t code = WriteRecord(doc, object, identity, io, position, reference);
            if (code)
                return code;
            identity = kLinkedIdentity;
        }
    }
    return 0;
}

uint16_t RteReadObjectRecord(RteHandle handle, int16_t, RteHandle body, int32_t*, intptr_t argument, int32_t*)
{
    auto* pass = reinterpret_cast<RteStreamPass*>(argument);
    RteLocked<RteDocument> doc(handle);
    RteMemContext* context = doc->env->context;
    RteObject object = {};
    int32_t identity = 0, recordVersion = 1, hasData = 0, hasSecond = 0;
    std::vector<uint8_t> data, second;
    int32_t value = 0;
    {
        RteLocked<uint8_t> bytes(body);
        RteBodyReader reader(bytes.get(), RteByteSize(body));
        RteFieldReader v(reader, pass->version);
        ObjectFields(v, object, identity, recordVersion, hasData, hasSecond);
        ReadPictureBlock(reader, &object.picture, (doc->flags2 & RTE_DOC2_WIDE_NAMES) != 0);
        if (pass->version >= 0x1000C)
            reader.BytesInto(object.extension, sizeof object.extension);
        int32_t kind = RteObjectKindOf(object);
        if (hasData) {
            if (HasPictureHeader(kind))
                PictureHeader(v, object.picture, recordVersion);
            ReadKindData(v, reader, object, hasSecond != 0, &value, &data, &second);
        }
        if (reader.failed() || reader.overran())
            RteRaise(context, RTE_ERR_STREAM_DAMAGED, body);
    }
    int32_t kind = RteObjectKindOf(object);
    object.version = RTE_OBJECT_VERSION;
    object.useCount = (object.typeWord & RTE_OBJECT_COUNTED) ? 1 : 0;
    object.data = 0;
    object.linked = nullptr;
    object.currentStyle = nullptr;
    object.dataPointer = 0;
    object.callback = LoadingCallback(doc->env);
    object.styleData = 0;
    if (kind == RTE_KIND_VALUE) {
        object.data = value;
    } else if (kind == RTE_KIND_METAFILE) {
        // A metafile that cannot be rebuilt leaves the object without data: it draws nothing.
        if (ValidMetafileBits(data))
            object.data = reinterpret_cast<intptr_t>(SetMetaFileBitsEx(static_cast<UINT>(data.size()), data.data()));
    } else if (IsText(kind)) {
        // Text from a stream ends within its field or its handle, whatever the stream held.
        reinterpret_cast<uint8_t*>(&object.picture)[sizeof object.picture - 1] = 0;
        if (!data.empty() && data.back() != 0)
            data.push_back(0);
        object.data = reinterpret_cast<intptr_t>(BytesHandle(context, data));
    } else {
        object.data = reinterpret_cast<intptr_t>(BytesHandle(context, data));
    }
    object.secondData = BytesHandle(context, second);
    RteHandle record = RteAllocOf<RteObject>(context, 1, 0, true);
    *static_cast<RteObject*>(RteLock(record)) = object;
    RteUnlock(record);
    RteObjectProc callback = LoadingCallback(doc->env);
    if (callback)
        callback(handle, record, 0, RTE_OBJECT_LOADED, 0, 0, 0);
    if (identity == kLinkedIdentity) {
        if (pass->lastObject)
            RteLocked<RteObject>(pass->lastObject)->linked = record;
    } else {
        Attach(doc.get(), record, identity, callback);
    }
    pass->lastObject = record;
    return 1;
}
