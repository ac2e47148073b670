// The name table: names of named styles, each naming a character entry, a paragraph entry or
// both, and holding one use of each.
#include <cstring>

#include "rte_named_sides.h"
#include "rte_style_names.h"
#include "rte_styles.h"

using namespace rte_document;
using namespace rte_named;

namespace {

void CopyName(char* to, const char* name)
{
    std::memset(to, 0, RTE_STYLE_NAME_CHARS + 1);
    std::strncpy(to, name, RTE_STYLE_NAME_CHARS);
}

int32_t NameCount(const RteDocument* doc) { return RteCount(doc->styleNames); }

bool ValidIndex(const RteDocument* doc, int32_t index) { return index >= 1 && index <= NameCount(doc); }

RteStyleName NameAt(const RteDocument* doc, int32_t index) { return ElementOf<RteStyleName>(doc->styleNames, index - 1); }

int32_t FindName(const RteDocument* doc, const char* name)
{
    char wanted[RTE_STYLE_NAME_CHARS + 1];
    CopyName(wanted, name);
    RteLocked<RteStyleName> names(doc->styleNames);
    for (int32_t i = 0; i < names.size(); ++i)
        if (std::strcmp(names[i].name, wanted) == 0)
            return i + 1;
    return 0;
}

template <class Record>
void UseEntry(RteDocument* doc, int32_t id, int32_t delta)
{
    int32_t index = EntryIndex<Record>(doc, id);
    if (index >= 0)
        Side<Record>::Use(doc, index, delta);
}

template <class Record>
void SetEntryNameIndex(RteDocument* doc, int32_t id, int32_t nameIndex)
{
    int32_t index = EntryIndex<Record>(doc, id);
    if (index >= 0)
        RteLocked<Record>(Side<Record>::Table(doc))[index].nameIndex = nameIndex;
}

void ReleaseEntries(RteDocument* doc, const RteStyleName& name)
{
    UseEntry<RteCharStyle>(doc, name.charId, -1);
    UseEntry<RteParFormat>(doc, name.parId, -1);
}

int32_t Define(RteDocument* doc, const char* text, int32_t charId, int32_t parId)
{
    int32_t index = FindName(doc, text);
    RteStyleName name = {};
    if (index == 0) {
        CopyName(name.name, text);
        index = NameCount(doc) + 1;
        *static_cast<RteStyleName*>(RteAppend(doc->styleNames, 1, false)) = name;
        RteUnlock(doc->styleNames);
    } else {
        name = NameAt(doc, index);
        ReleaseEntries(doc, name);
    }
    name.charId = static_cast<int16_t>(EntryIndex<RteCharStyle>(doc, charId) >= 0 ? charId : 0);
    name.parId = static_cast<int16_t>(EntryIndex<RteParFormat>(doc, parId) >= 0 ? parId : 0);
    UseEntry<RteCharStyle>(doc, name.charId, 1);
    UseEntry<RteParFormat>(doc, name.parId, 1);
    SetEntryNameIndex<RteCharStyle>(doc, name.charId, index);
    SetEntryNameIndex<RteParFormat>(doc, name.parId, index);
    SetElement(doc->styleNames, index - 1, name);
    RteCleanupRuns(doc, true, true);
    ++doc->nameChanges;
    ++doc->changes;
    return index;
}

}  // namespace

int32_t RteDefineStyleName(RteHandle doc, const char* name, int32_t charId, int32_t parId)
{
    return Define(DocLock(doc).get(), name, charId, parId);
}

int32_t RteNewStyleName(RteHandle doc, const char* name, const RteCharStyle* style, const RteFont* font,
                        const RteParFormat* format)
{
    int32_t charId = style ? RteAddNamedCharStyle(doc, style, font) : 0;
    int32_t parId = format ? RteAddNamedParStyle(doc, format) : 0;
    return RteDefineStyleName(doc, name, charId, parId);
}

void RteApplyStyleNameIndex(RteHandle handle, const RteRange* range, int32_t index, int16_t redraw)
{
    RteStyleName name;
    if (!RteGetStyleName(handle, index, &name))
        return;
    if (name.charId)
        RteApplyNamedCharStyle(handle, range, name.charId, name.parId ? 0 : redraw);
    if (name.parId)
        RteApplyNamedParStyle(handle, range, name.parId, redraw);
}

void RteApplyStyleName(RteHandle doc, const RteRange* range, const char* name, int16_t redraw)
{
    RteApplyStyleNameIndex(doc, range, RteFindStyleName(doc, name), redraw);
}

int32_t RteStyleNameCount(RteHandle doc) { return NameCount(DocLock(doc).get()); }

int32_t RteGetStyleName(RteHandle handle, int32_t index, RteStyleName* out)
{
    DocLock doc(handle);
    if (!ValidIndex(doc.get(), index))
        return 0;
    *out = NameAt(doc.get(), index);
    return 1;
}

void RteGetStyleNameStyles(RteHandle handle, int32_t index, RteCharStyle* style, RteFont* font, RteParFormat* format)
{
    RteStyleName name;
    if (!RteGetStyleName(handle, index, &name))
        return;
    RteCharStyle entry;
    if (name.charId && RteGetNamedCharStyle(handle, name.charId, &entry)) {
        if (style)
            *style = entry;
        if (font)
            *font = RteFontRecord(DocLock(handle).get(), entry.font);
    }
    if (name.parId && format)
        RteGetNamedParStyle(handle, name.parId, format);
}

void RteRenameStyleName(RteHandle handle, int32_t index, const char* text)
{
    DocLock doc(handle);
    if (!ValidIndex(doc.get(), index))
        return;
    RteStyleName name = NameAt(doc.get(), index);
    CopyName(name.name, text);
    SetElement(doc->styleNames, index - 1, name);
    ++doc->nameChanges;
}

void RteDeleteStyleName(RteHandle handle, int32_t index)
{
    DocLock doc(handle);
    if (!ValidIndex(doc.get(), index))
        return;
    ReleaseEntries(doc.get(), NameAt(doc.get(), index));
    RteDelete(doc->styleNames, index - 1, 1);
    // Entries record the names' places.
    for (RteHandle table : {doc->charStyles, doc->parFormats}) {
        bool chars = table == doc->charStyles;
        int32_t count = RteCount(table);
        for (int32_t i = 0; i < count; ++i) {
            int32_t* nameIndex = chars ? &RteLocked<RteCharStyle>(table)[i].nameIndex
                                       : &RteLocked<RteParFormat>(table)[i].nameIndex;
            if (*nameIndex == index)
                *nameIndex = 0;
            else if (*nameIndex > index)
                --*nameIndex;
        }
    }
    if (doc->currentStyleName >= index)
        doc->currentStyleName = std::max(0, doc->currentStyleName - 1);
    RteCleanupRuns(doc.get(), true, true);
    ++doc->nameChanges;
    ++doc->changes;
}

void RteSetCurrentStyleName(RteHandle doc, int32_t index) { DocLock(doc)->currentStyleName = std::max(0, index - 1); }
int32_t RteGetCurrentStyleName(RteHandle doc) { return DocLock(doc)->currentStyleName; }

int32_t RteFindStyleName(RteHandle handle, const char* name)
{
    if (name)
        return FindName(DocLock(handle).get(), name);
    int32_t id = 0;
    if (RteNamedCharStyleOfRange(handle, nullptr, &id) && id > 0) {
        RteCharStyle entry;
        if (RteGetNamedCharStyle(handle, id, &entry))
            return entry.nameIndex;
    }
    if (RteNamedParStyleOfRange(handle, nullptr, &id) && id > 0) {
        RteParFormat entry;
        if (RteGetNamedParStyle(handle, id, &entry))
            return entry.nameIndex;
    }
    return 0;
}

int32_t RteStyleNameOfRange(RteHandle handle, const RteRange* range, RteStyleName* out)
{
    int32_t charId = 0;
    int32_t parId = 0;
    if (!RteNamedCharStyleOfRange(handle, range, &charId))
        charId = -1;
    if (!RteNamedParStyleOfRange(handle, range, &parId))
        parId = -1;
    if (charId <= 0 && parId <= 0)
        return 0;
    DocLock doc(handle);
    RteLocked<RteStyleName> names(doc->styleNames);
    for (int32_t i = 0; i < names.size(); ++i) {
        if (names[i].charId == charId && names[i].parId == parId) {
            if (out)
                *out = names[i];
            return i + 1;
        }
    }
    return 0;
}
