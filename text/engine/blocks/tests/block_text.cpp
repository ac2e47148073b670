// Documents over given blocks, for the upkeep tests.
#include "block_text.h"

#include <cstring>

#include "rte_block_upkeep.h"
#include "rte_typed.h"

void SetBlocks(RteHandle handle, const std::vector<std::string>& texts)
{
    RteLocked<RteDocument> doc(handle);
    {
        RteLocked<RteTextBlock> blocks(doc->blocks);
        for (int32_t i = 0; i < blocks.size(); ++i)
            RteFree(blocks[i].text);
    }
    RteSetCount(doc->blocks, 0);
    int32_t length = 0;
    for (const std::string& text : texts) {
        auto size = static_cast<int32_t>(text.size());
        RteTextBlock block = RteNewTextBlock(doc.get(), reinterpret_cast<const uint8_t*>(text.data()), size);
        *static_cast<RteTextBlock*>(RteAppend(doc->blocks, 1, false)) = block;
        RteUnlock(doc->blocks);
        length += size;
    }
    doc->textLength = length;
    RteLocked<RteStyleRun>(doc->charRuns)[1].offset = length + 2;
    RteLocked<RteStyleRun>(doc->parRuns)[1].offset = length + 2;
}

std::string DocumentText(RteHandle handle)
{
    RteLocked<RteDocument> doc(handle);
    RteLocked<RteTextBlock> blocks(doc->blocks);
    std::string text;
    for (int32_t i = 0; i < blocks.size(); ++i)
        text.append(RteLocked<char>(blocks[i].text).get(), static_cast<size_t>(blocks[i].length));
    return text;
}

std::vector<int32_t> BlockLengths(RteHandle handle)
{
    RteLocked<RteDocument> doc(handle);
    RteLocked<RteTextBlock> blocks(doc->blocks);
    std::vector<int32_t> lengths;
    for (int32_t i = 0; i < blocks.size(); ++i)
        lengths.push_back(blocks[i].length);
    return lengths;
}
