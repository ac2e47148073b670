// An embedded object appended to an insertion batch as the two characters that carry it.
#include "rte_object_batch.h"

#include "rte_batch.h"
#include "rte_object_stream.h"
#include "rte_typed.h"

namespace {

constexpr uint8_t kObjectCharacters[] = {'[', ']'};

int32_t InsertionOffset(RteHandle doc)
{
    RteBatch batch;
    RteGetElement(RteLocked<RteDocument>(doc)->batch, 0, &batch);
    return batch.offset;
}

}  // namespace

int32_t RteBatchInsertObject(RteHandle doc, RteHandle object, RteObjectProc callback, intptr_t data, int16_t redraw)
{
    bool ownBatch = !RteLocked<RteDocument>(doc)->batch;
    if (ownBatch)
        RteBeginBatch(doc, -1);
    RteCharStyle style;
    int32_t kind = RteMakeObjectStyle(doc, InsertionOffset(doc), object, 0, callback, data, &style, nullptr, nullptr,
                                      nullptr);
    // The object counts its characters less one as its own.
    style.units23to34[10] = 1;
    RteBatchAppend(doc, kObjectCharacters, sizeof kObjectCharacters, nullptr, &style, nullptr, 0);
    if (ownBatch)
        RteEndBatch(doc, false, redraw);
    return kind;
}
