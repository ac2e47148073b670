// Opening a batch and appending to it: text goes into the batch's own blocks, style and format
// changes into its own runs, until the batch is ended.
#include "rte_batch.h"

#include <cstring>

#include "rte_block_upkeep.h"
#include "rte_document_internal.h"
#include "rte_style_tables.h"
#include "rte_style_units.h"

using namespace rte_document;

namespace {

// Once a block is three quarters full, a new one starts after the next paragraph end.
constexpr int32_t kStartNewBlockAt = RTE_MAX_BLOCK_BYTES - RTE_MAX_BLOCK_BYTES / 4;

// A change of record at the batch's end: a run there, holding a use of the record. A run that
// would stay empty gives way to it.
void SwitchRecord(RteDocument* doc, RteHandle runs, int16_t* current, int32_t index, int32_t at, bool paragraph)
{
    if (index == *current)
        return;
    auto use = [&](int32_t record, int32_t delta) {
        if (paragraph)
            RteUseParFormat(doc, record, delta);
        else
            RteUseCharStyle(doc, record, delta);
    };
    int32_t count = RteCount(runs);
    if (count > 0 && ElementOf<RteStyleRun>(runs, count - 1).offset == at) {
        use(ElementOf<RteStyleRun>(runs, count - 1).index, -1);
        RteDelete(runs, count - 1, 1);
    }
    *static_cast<RteStyleRun*>(RteAppend(runs, 1, false)) = RteStyleRun{at, static_cast<uint16_t>(index)};
    RteUnlock(runs);
    use(index, 1);
    *current = static_cast<int16_t>(index);
}

// The style is compared as the style table compares records: the record in force, asked again
// with another font, carries a use count that has moved since, which must not make it new; nor
// does its font index, which a font of the request's own replaces.
bool SameRequest(RteBatchStyle known, RteBatchStyle asked)
{
    if (known.withFont && asked.withFont)
        known.style.font = asked.style.font = 0;
    return RteUnitsEqual(RteCharStyleUnits(), &known.style, &asked.style) &&
           std::memcmp(&known.style.hooks, &asked.style.hooks, sizeof asked.style.hooks) == 0 &&
           known.withFont == asked.withFont &&
           (!asked.withFont || std::memcmp(&known.font, &asked.font, sizeof asked.font) == 0);
}

int32_t StyleIndex(RteDocument* doc, RteBatch* batch, const RteCharStyle* style, const RteFont* font)
{
    RteBatchStyle asked = {};
    asked.style = style ? *style : RteCharStyleRecord(doc, batch->charIndex);
    asked.withFont = font != nullptr;
    if (font)
        asked.font = *font;
    {
        RteLocked<RteBatchStyle> known(batch->styles);
        for (int32_t i = 0; i < known.size(); ++i)
            if (SameRequest(known[i], asked))
                return known[i].index;
    }
    RteCharStyle record = asked.style;
    if (font) {
        int32_t fontIndex = RteFindOrAddFontIn(doc, *font);
        if (fontIndex >= 0)
            record.font = static_cast<int16_t>(fontIndex);
    }
    asked.index = static_cast<int16_t>(RteFindOrAddCharStyle(doc, record, RTE_REASON_SET));
    InsertElement(batch->styles, RteCount(batch->styles), asked);
    return asked.index;
}

void SwitchStyle(RteDocument* doc, RteBatch* batch, const RteCharStyle* style, const RteFont* font)
{
    int32_t index = StyleIndex(doc, batch, style, font);
    SwitchRecord(doc, batch->charRuns, &batch->charIndex, index, batch->length, false);
}

void AppendToBlock(RteHandle blocks, int32_t index, const uint8_t* text, int32_t length)
{
    RteTextBlock block = ElementOf<RteTextBlock>(blocks, index);
    if (length > 0) {
        std::memcpy(RteAppend(block.text, length, false), text, static_cast<size_t>(length));
        RteUnlock(block.text);
    }
    block.length += length;
    SetElement(blocks, index, block);
}

void AppendText(RteDocument* doc, RteBatch* batch, const uint8_t* text, int32_t length)
{
    if (RteCount(batch->blocks) == 0)
        InsertElement(batch->blocks, 0, RteNewTextBlock(doc, nullptr, 0));
    int32_t last = RteCount(batch->blocks) - 1;
    if (ElementOf<RteTextBlock>(batch->blocks, last).length >= kStartNewBlockAt) {
        const void* end = std::memchr(text, RTE_PARAGRAPH_END, static_cast<size_t>(length));
        if (end) {
            auto head = static_cast<int32_t>(static_cast<const uint8_t*>(end) - text) + 1;
            AppendToBlock(batch->blocks, last, text, head);
            InsertElement(batch->blocks, last + 1, RteNewTextBlock(doc, text + head, length - head));
            return;
        }
    }
    AppendToBlock(batch->blocks, last, text, length);
}

// The style text takes after the character before it, as typing rederives it: after an
// embedded object, the style without the object.
int16_t StyleToFollow(RteDocument* doc, int16_t before, int32_t offset)
{
    RteCharStyle record = RteCharStyleRecord(doc, before);
    if (!record.hooks.rederive(doc->self, &record, offset))
        return before;
    RteFont font = RteFontRecord(doc, record.font);
    record.hooks.metrics(doc->self, &record, &font);
    return static_cast<int16_t>(RteFindOrAddCharStyle(doc, record, RTE_REASON_SET));
}

RteHandle NewList(RteDocument* doc, int16_t elementSize, uint16_t growBy)
{
    return RteAllocKeyed(doc->env->context, elementSize, 0, growBy, doc->key);
}

}  // namespace

void RteBeginBatch(RteHandle handle, int32_t offset)
{
    int16_t firstChar = 0;
    int16_t firstPar = 0;
    RteBatch batch = {};
    {
        DocLock doc(handle);
        if (offset < 0)
            offset = RteSelectionStart(doc.get());
        batch.offset = offset < doc->textLength ? offset : doc->textLength;
    }
    // The text typed after a character takes its style; the paragraph is the one that holds
    // the offset.
    int16_t unused = 0;
    RteRunIndexAt(handle, batch.offset > 0 ? batch.offset - 1 : 0, &firstChar, nullptr, false);
    RteRunIndexAt(handle, batch.offset, &unused, &firstPar, false);
    DocLock doc(handle);
    batch.charIndex = batch.firstChar = StyleToFollow(doc.get(), firstChar, batch.offset);
    batch.parIndex = batch.firstPar = firstPar;
    batch.blocks = NewList(doc.get(), sizeof(RteTextBlock), 4);
    batch.charRuns = NewList(doc.get(), sizeof(RteStyleRun), 16);
    batch.parRuns = NewList(doc.get(), sizeof(RteStyleRun), 16);
    batch.styles = NewList(doc.get(), sizeof(RteBatchStyle), 8);
    batch.below = doc->batch;
    doc->batch = RteAllocKeyed(doc->env->context, sizeof(RteBatch), 1, 0, doc->key);
    SetElement(doc->batch, 0, batch);
}

void RteBatchAppend(RteHandle handle, const uint8_t* text, int32_t length, const RteParFormat* format,
                    const RteCharStyle* style, const RteFont* font, int16_t redraw)
{
    if (!DocLock(handle)->batch) {
        RteBeginBatch(handle, -1);
        RteBatchAppend(handle, text, length, format, style, font, 0);
        RteEndBatch(handle, false, redraw);
        return;
    }
    DocLock doc(handle);
    RteBatch batch = ElementOf<RteBatch>(doc->batch, 0);
    if (style || font)
        SwitchStyle(doc.get(), &batch, style, font);
    if (format) {
        int32_t index = RteFindOrAddParFormat(doc.get(), *format, RTE_REASON_SET);
        SwitchRecord(doc.get(), batch.parRuns, &batch.parIndex, index, batch.length, true);
    }
    if (length > 0) {
        AppendText(doc.get(), &batch, text, length);
        batch.length += length;
    }
    SetElement(doc->batch, 0, batch);
}
