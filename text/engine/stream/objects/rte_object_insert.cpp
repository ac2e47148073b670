// Objects inserted in place of the selection; shareable objects already in the text are used
// again rather than repeated.
#include "rte_object_batch.h"

#include <cstring>
#include <vector>

#include "rte_editing.h"
#include "rte_object_stream.h"
#include "rte_position_cache.h"
#include "rte_redisplay.h"
#include "rte_selection.h"
#include "rte_typed.h"

namespace {

constexpr uint8_t kObjectCharacters[] = {'[', ']'};

// The bytes an object's data stands for: its text, the bytes of its handle or its value.
std::vector<uint8_t> ContentsOf(const RteObject& object)
{
    int32_t kind = RteObjectKindOf(object);
    if (kind == RTE_KIND_TEXT || kind == RTE_KIND_TEXT_BOX) {
        RteHandle locked = nullptr;
        const char* text = RteObjectText(&object, &locked);
        std::vector<uint8_t> bytes(text, text + std::strlen(text));
        if (locked)
            RteUnlock(locked);
        return bytes;
    }
    bool handleData = object.data && kind != RTE_KIND_VALUE && kind != RTE_KIND_METAFILE && kind != 1024;
    if (!handleData) {
        auto value = reinterpret_cast<const uint8_t*>(&object.data);
        return std::vector<uint8_t>(value, value + sizeof object.data);
    }
    auto handle = reinterpret_cast<RteHandle>(object.data);
    RteLocked<uint8_t> bytes(handle);
    return std::vector<uint8_t>(bytes.get(), bytes.get() + RteByteSize(handle));
}

bool SameObject(const RteObject& a, const RteObject& b)
{
    int32_t kind = RteObjectKindOf(a);
    bool sizes = kind == RTE_KIND_TEXT || kind == RTE_KIND_TEXT_BOX ||
                 (a.width == b.width && a.height == b.height && a.descent == b.descent);
    return a.typeWord == b.typeWord && a.spare == b.spare && a.spare2 == b.spare2 && a.styleData == b.styleData &&
           sizes && ContentsOf(a) == ContentsOf(b);
}

}  // namespace

RteHandle RteFindSameObject(RteHandle doc, RteHandle object)
{
    RteObject wanted = RteObjectOf(object);
    RteLocked<RteDocument> locked(doc);
    RteLocked<RteCharStyle> styles(locked->charStyles);
    for (int32_t i = 0; i < styles.size(); ++i) {
        auto other = reinterpret_cast<RteHandle>(styles[i].object);
        if (other && other != object && SameObject(RteObjectOf(other), wanted))
            return other;
    }
    return nullptr;
}

int32_t RteInsertObject(RteHandle doc, RteHandle object, int32_t offset, RteObjectProc callback, intptr_t data,
                        int16_t redraw)
{
    int32_t start = 0, end = 0;
    RteGetSelection(doc, &start, &end);
    if (offset >= 0) {
        start = offset;
    } else if (end != start) {
        RteRange selected = {start, end};
        RteDeleteRange(doc, &selected, RTE_REDRAW_NONE);
        RteGetSelection(doc, &start, &end);
    }
    RteObject record = RteObjectOf(object);
    if (record.typeWord & RTE_OBJECT_SHAREABLE) {
        if (RteHandle same = RteFindSameObject(doc, object)) {
            // The equal object serves both places; the new one goes.
            RteFreeObjectData(&record, RteObjectKindOf(record));
            RteFree(object);
            object = same;
            ++RteLocked<RteObject>(object)->useCount;
            callback = RteObjectOf(object).callback;
        }
    }
    RteDropDocPositions(doc);
    RteInsertText(doc, kObjectCharacters, sizeof kObjectCharacters, start, RTE_KEYS_NONE, 0, RTE_REDRAW_NONE);
    RteRange characters = {start, start + static_cast<int32_t>(sizeof kObjectCharacters)};
    RteApplyObject(doc, object, &characters, callback, data, redraw);
    RteSetCaretQuiet(doc, characters.end);
    return characters.end;
}
