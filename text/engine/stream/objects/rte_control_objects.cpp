// The edit control's object records: objects made from them, read into them and changed
// through them.
#include "rte_control_objects.h"

#include <algorithm>

#include "rte_fonts.h"
#include "rte_object_stream.h"
#include "rte_runs.h"
#include "rte_text_blocks.h"
#include "rte_typed.h"

namespace {

constexpr uint32_t kMetricsSet = 0x100000;
constexpr uint32_t kDocDeviceScaled = 0x200000;
constexpr uint32_t kHookDeviceScaled = 0x40000000;

// The control's insets run top, left, bottom, right; the object's top, bottom, left, right.
constexpr int kControlInset[4] = {RTE_INSET_TOP, RTE_INSET_LEFT, RTE_INSET_BOTTOM, RTE_INSET_RIGHT};

// The style's raise of its baseline: what the control adds to an object's descent.
int16_t& BaselineOf(RteCharStyle& style) { return style.superscript; }

// The object run at an offset, or (a negative offset) the first run carrying the object: its
// style (index and copy), its extent and its object.
struct ObjectPlace {
    int32_t index = -1;
    int32_t start = 0;
    int32_t end = 0;
    RteCharStyle style;
    RteHandle handle = nullptr;
    RteObject object;
};

bool FindObject(RteHandle doc, int32_t offset, RteHandle object, ObjectPlace* place)
{
    {
        RteLocked<RteDocument> locked(doc);
        RteLocked<RteStyleRun> runs(locked->charRuns);
        RteLocked<RteCharStyle> styles(locked->charStyles);
        for (int32_t i = 0; i + 1 < runs.size() && place->index < 0; ++i) {
            int32_t index = runs[i].index;
            bool here = offset >= 0 ? offset >= runs[i].offset && offset < runs[i + 1].offset
                                    : reinterpret_cast<RteHandle>(styles[index].object) == object;
            if (here && !styles[index].object)
                return false;
            if (here) {
                place->index = index;
                place->start = runs[i].offset;
                place->end = std::min(runs[i + 1].offset, locked->textLength);
                place->style = styles[index];
            }
        }
    }
    if (place->index < 0)
        return false;
    place->handle = reinterpret_cast<RteHandle>(place->style.object);
    place->object = RteObjectOf(place->handle);
    return true;
}

}  // namespace

RteHandle RteNewControlObject(RteMemContext* context, const RteControlObject* record)
{
    RteObject fields = {};
    fields.typeWord = static_cast<uint16_t>(record->kind) | record->typeFlags;
    fields.width = record->width;
    fields.spare = record->spare;
    fields.height = record->height;
    for (int i = 0; i < 4; ++i)
        fields.insets[kControlInset[i]] = record->insets[i];
    fields.ownerValue = record->ownerValue;
    fields.picture = record->picture;
    fields.kindValue = record->kindValue;
    fields.referenceValue = record->referenceValue;
    fields.styleData = record->styleData;
    RteRect size = {0, 0, record->height, record->width};
    RteMetafileData metafile = {reinterpret_cast<void*>(record->data), record->mappingMode, record->extents[0],
                                record->extents[1], size};
    const void* data = nullptr;
    switch (record->kind) {
    case RTE_KIND_METAFILE:
        data = &metafile;
        break;
    case RTE_KIND_RECT:
        data = &size;
        break;
    case RTE_KIND_VALUE:
    case RTE_KIND_FOREIGN_PICT:
    case RTE_KIND_TEXT:
    case RTE_KIND_BYTES:
    case RTE_KIND_TEXT_BOX:
        data = reinterpret_cast<const void*>(record->data);
        break;
    default:
        break;
    }
    // The descent comes as whole units; the object takes a 16.16 size argument (which a kind
    // whose size comes from its data applies again to that size).
    int32_t sizeArgument = static_cast<int32_t>(static_cast<uint32_t>(record->descent) << 16);
    fields.descent = RteDescentFromSize(fields.height, sizeArgument);
    return RteNewObjectRecordFrom(context, fields, data, sizeArgument);
}

int32_t RteReadControlObject(RteHandle doc, RteControlObject* record)
{
    ObjectPlace place;
    if (!FindObject(doc, record->offset, nullptr, &place))
        return 0;
    const RteObject& object = place.object;
    record->kind = static_cast<int16_t>(RteObjectKindOf(object));
    record->width = static_cast<int16_t>(object.width);
    record->spare = static_cast<int16_t>(object.spare);
    record->height = static_cast<int16_t>(object.height);
    for (int i = 0; i < 4; ++i)
        record->insets[i] = object.insets[kControlInset[i]];
    record->ownerValue = object.ownerValue;
    record->data = object.data;
    record->picture = object.picture;
    record->kindValue = object.kindValue;
    record->referenceValue = object.referenceValue;
    record->descent = object.descent + BaselineOf(place.style);
    record->styleData = object.styleData;
    record->offset = place.start;
    record->zero = 0;
    record->object = place.handle;
    return 1;
}

int32_t RteUpdateControlObject(RteHandle doc, const RteControlObject* record)
{
    ObjectPlace place;
    if (!FindObject(doc, record->offset, record->object, &place))
        return 0;
    RteCharStyle& style = place.style;
    RteObject object = place.object;
    const RteObject& before = place.object;
    int16_t baseline = BaselineOf(style);
    object.styleData = record->styleData;
    if (record->descent != object.descent + baseline)
        BaselineOf(style) = static_cast<int16_t>(std::max(record->descent - object.descent, -static_cast<int32_t>(style.descent)));
    object.height = record->height;
    object.referenceValue = record->referenceValue;
    object.ownerValue = record->ownerValue;
    object.insets[RTE_INSET_LEFT] = record->insets[1];
    object.insets[RTE_INSET_RIGHT] = record->insets[3];
    bool changed = BaselineOf(style) != baseline || object.height != before.height ||
                   object.referenceValue != before.referenceValue || object.ownerValue != before.ownerValue ||
                   object.insets[RTE_INSET_LEFT] != before.insets[RTE_INSET_LEFT] ||
                   object.insets[RTE_INSET_RIGHT] != before.insets[RTE_INSET_RIGHT] || object.styleData != before.styleData;
    {
        RteLocked<RteObject> stored(place.handle);
        stored[0] = object;
    }
    if (changed && record->offset >= 0) {
        // The style's metrics follow the object's new height and descent.
        style.flags &= ~kMetricsSet;
        RteLocked<RteDocument> locked(doc);
        RteFont font = RteLocked<RteFont>(locked->fonts)[style.font < 0 ? 0 : style.font];
        style.hooks.metrics(doc, &style, &font);
        RteMarkForLayout(locked.get(), place.start, place.end);
    }
    RteLocked<RteDocument> locked(doc);
    RteLocked<RteCharStyle>(locked->charStyles)[place.index] = style;
    return changed ? 1 : 0;
}

void RteFillObjectHookRecord(RteHandle doc, RteHandle object, int16_t code, intptr_t first, intptr_t second,
                             void* window, RteObjectHookRecord* out)
{
    RteObject record = RteObjectOf(object);
    RteLocked<RteDocument> locked(doc);
    *out = {};
    out->code = code;
    out->kind = static_cast<int16_t>(RteObjectKindOf(record));
    out->width = static_cast<int16_t>(record.width);
    out->spare = static_cast<int16_t>(record.spare);
    out->height = static_cast<int16_t>(record.height);
    for (int i = 0; i < 4; ++i)
        out->insets[i] = record.insets[kControlInset[i]];
    out->typeFlags = (record.typeWord & ~RTE_OBJECT_KIND_MASK) | ((locked->flags & kDocDeviceScaled) ? kHookDeviceScaled : 0);
    out->descent = record.descent + (record.currentStyle ? BaselineOf(*record.currentStyle) : 0);
    out->ownerValue = record.ownerValue;
    bool bytes = out->kind == RTE_KIND_BYTES && record.data;
    out->data = bytes ? reinterpret_cast<intptr_t>(RteLock(reinterpret_cast<RteHandle>(record.data))) : record.data;
    out->picture = record.picture;
    out->kindValue = record.kindValue;
    out->referenceValue = record.referenceValue;
    out->styleData = record.styleData;
    out->hookData[0] = first;
    out->hookData[1] = second;
    out->object = object;
    out->window = window;
    out->environmentValue = RteObjectRecordsValue(locked->env);
}

void RteEndObjectHookRecord(const RteObjectHookRecord* record)
{
    RteObject object = RteObjectOf(record->object);
    if (record->kind == RTE_KIND_BYTES && object.data)
        RteUnlock(reinterpret_cast<RteHandle>(object.data));
}
