// The tests' memory context, environment and documents with text.
#include "document_fixture.h"

#include <cstring>

#include "rect_ops.h"
#include "rte_memory_internal.h"
#include "rte_style_units.h"
#include "rte_styles.h"
#include "rte_text_blocks.h"

void DocumentTest::SetUp()
{
    RteMemInit(&context_, 0);
    RteEngineStartup(&env_, &context_);
}

void DocumentTest::TearDown()
{
    RteEngineShutdown(&env_);
    RteMemFree(&context_);
}

RteHandle DocumentTest::MakeDocument(const std::string& text)
{
    RteHandle handle = RteNewDocument(&env_);
    if (!handle || text.empty())
        return handle;
    RteLocked<RteDocument> doc(handle);
    int32_t length = static_cast<int32_t>(text.size());
    {
        RteLocked<RteTextBlock> blocks(doc->blocks);
        RteSetCount(blocks[0].text, length);
        std::memcpy(RteLocked<char>(blocks[0].text).get(), text.data(), text.size());
        blocks[0].length = length;
    }
    doc->textLength = length;
    // The runs' sentinels follow the text.
    RteLocked<RteStyleRun>(doc->charRuns)[1].offset = length + 2;
    RteLocked<RteStyleRun>(doc->parRuns)[1].offset = length + 2;
    return handle;
}

void DocumentTest::LayOutBlock(RteHandle doc, int32_t block, const std::vector<RteLinePiece>& pieces)
{
    auto count = static_cast<int32_t>(pieces.size());
    RteHandle lines = RteAlloc(&context_, sizeof(RteLinePiece), count + 1, 0, true);
    RteRect bounds{};
    {
        RteLocked<RteLinePiece> entries(lines);
        for (int32_t i = 0; i < count; ++i) {
            entries[i] = pieces[static_cast<size_t>(i)];
            RteUnionRect(&bounds, &entries[i].rect, &bounds);
        }
        entries[count] = RteLinePiece{0, 0, 0, RTE_PIECE_SENTINEL, 0, {}};
    }
    RteLocked<RteDocument> locked(doc);
    RteLocked<RteTextBlock> blocks(locked->blocks);
    blocks[block].lines = lines;
    blocks[block].bounds = bounds;
}

int DocumentTest::LockedHandles() const
{
    int locked = 0;
    rte_memory::ForEachHandle(const_cast<RteMemContext*>(&context_), [&](RteHandle handle) {
        if (RteLockCount(handle) > 0)
            ++locked;
    });
    return locked;
}

int DocumentTest::LiveHandles() const
{
    int live = 0;
    rte_memory::ForEachHandle(const_cast<RteMemContext*>(&context_), [&](RteHandle) { ++live; });
    return live;
}

RteDocument DocumentOf(RteHandle doc)
{
    RteDocument copy;
    RteGetElement(doc, 0, &copy);
    return copy;
}

void HideText(RteHandle doc, int32_t start, int32_t end)
{
    RteSetDocFlags(doc, RteGetDocFlags(doc) | RTE_DOC_HIDDEN_TEXT);
    RteCharStyle style = {}, mask;
    RteClearCharStyle(&mask, 0);
    style.hidden = 1;
    mask.hidden = -1;
    RteRange range = {start, end};
    RteSetCharStyle(doc, &range, &style, &mask, 0);
}
