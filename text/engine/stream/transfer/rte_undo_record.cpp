// Undo records made, read, emptied and freed.
#include "rte_undo_record.h"

#include <vector>

#include "rect_list.h"
#include "rte_document_internal.h"

using namespace rte_document;

RteUndoRecord RteUndoFields(RteHandle record) { return ElementOf<RteUndoRecord>(record, 0); }

void RteSetUndoFields(RteHandle record, const RteUndoRecord& fields) { SetElement(record, 0, fields); }

void RteUndoEmpty(RteHandle record)
{
    RteUndoRecord fields = RteUndoFields(record);
    if (fields.copy)
        RteDocDestroy(fields.copy);
    for (RteHandle handle : {fields.removes, fields.selection, fields.page})
        if (handle)
            RteFree(handle);
    if (fields.tables) {
        std::vector<RteHandle> tables = ElementsOf<RteHandle>(fields.tables);
        RteTellStylesDropped(nullptr, tables[RTE_UNDO_TABLE_STYLES], tables[RTE_UNDO_TABLE_FORMATS],
                             RTE_UNDO_STYLES_FREED);
        for (RteHandle table : tables)
            if (table)
                RteFree(table);
        RteFree(fields.tables);
    }
    for (RteRectList area : fields.areas)
        if (area)
            RteFreeRectList(area);
    for (RteHandle list : fields.companions)
        if (list)
            RteFree(list);
    RteUndoRecord empty = {};
    empty.env = fields.env;
    empty.value = fields.value;
    RteSetUndoFields(record, empty);
}

void RteTellStylesDropped(RteHandle doc, RteHandle styles, RteHandle formats, intptr_t code)
{
    {
        RteLocked<RteCharStyle> records(styles);
        for (int32_t i = 0; i < records.size(); ++i)
            records[i].hooks.leaving(code, doc, 0, styles, &records[i]);
    }
    RteLocked<RteParFormat> records(formats);
    for (int32_t i = 0; i < records.size(); ++i)
        records[i].hooks.table(code, doc, 0, formats, &records[i]);
}

RteHandle RteSelectionRanges(RteHandle doc)
{
    DocLock locked(doc);
    std::vector<RteSelectPoint> points = ElementsOf<RteSelectPoint>(locked->selection);
    RteHandle list = RteAllocOf<RteRange>(locked->env->context, 0, 4, false);
    for (size_t i = 0; i + 1 < points.size(); i += 2)
        InsertElement(list, RteCount(list), RteRange{points[i].offset, points[i + 1].offset});
    return list;
}

int16_t RteUndoKind(RteHandle record) { return record ? RteUndoFields(record).kind : 0; }

void RteUndoSetValue(RteHandle record, int32_t value)
{
    if (!record)
        return;
    RteUndoRecord fields = RteUndoFields(record);
    fields.value = value;
    RteSetUndoFields(record, fields);
}

int32_t RteUndoGetValue(RteHandle record) { return record ? RteUndoFields(record).value : 0; }

void RteUndoFree(RteHandle record)
{
    if (!record)
        return;
    RteUndoEmpty(record);
    RteFree(record);
}
