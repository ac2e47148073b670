// An embedded object appended to an insertion batch as the two characters that carry it.
#include "rte_object_batch.h"

#include "rte_batch.h"
#include "rte_object_stream.h"
#include "rte_typed.h"

namespace {

constexpr uint8_t kObjectCharacters[] = {'[', ']'};

RteBatch OpenBatch(RteHandle doc)
{
    RteBatch batch;
    RteGetElement(RteLocked<RteDocument>(doc)->batch, 0, &batch);
    return batch;
}

RteCharStyle StyleRecord(RteHandle doc, int16_t index)
{
    RteCharStyle style;
    RteGetElement(RteLocked<RteDocument>(doc)->charStyles, index, &style);
    return style;
}

}  // namespace

int32_t RteBatchInsertObject(RteHandle doc, RteHandle object, RteObjectProc callback, intptr_t data, int16_t redraw)
{
    bool ownBatch = !RteLocked<RteDocument>(doc)->batch;
    if (ownBatch)
        RteBeginBatch(doc, -1);
    RteBatch batch = OpenBatch(doc);
    RteCharStyle style;
    int32_t kind = RteMakeObjectStyle(doc, batch.offset, object, 0, callback, data, &style, nullptr, nullptr, nullptr);
    // The object counts its characters less one as its own.
    style.units23to34[10] = 1;
    RteBatchAppend(doc, kObjectCharacters, sizeof kObjectCharacters, nullptr, &style, nullptr, 0);
    // Text appended after the object goes on in the style it had before: it is no part of it.
    RteCharStyle before = StyleRecord(doc, batch.charIndex);
    RteBatchAppend(doc, nullptr, 0, nullptr, &before, nullptr, 0);
    if (ownBatch)
        RteEndBatch(doc, false, redraw);
    return kind;
}
