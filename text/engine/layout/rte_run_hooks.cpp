// The per-style hooks called over the character runs of a range: how styles that carry more
// than a look (embedded objects, hot text) hear of what happens to their text.
#include "rte_run_hooks.h"

#include <algorithm>
#include <vector>

#include "rte_text_blocks.h"
#include "rte_typed.h"

namespace {

constexpr uint32_t kNoticeBit = 0x200;  // kinds 0 and 1
constexpr uint32_t kRangeBit = 0x800;   // kind 2

}  // namespace

void RteCallRunHooks(RteHandle handle, intptr_t argument, intptr_t verb, int32_t start, int32_t length, int32_t kind,
                     intptr_t a, intptr_t b, intptr_t c)
{
    int32_t end = start + length;
    // The runs as they stand before any hook runs: a hook may change the document.
    std::vector<RteStyleRun> runs;
    int32_t textLength = 0;
    {
        RteLocked<RteDocument> doc(handle);
        RteLocked<RteStyleRun> entries(doc->charRuns);
        runs.assign(entries.get(), entries.get() + entries.size());
        textLength = doc->textLength;
    }
    size_t first = 0;
    while (first + 2 < runs.size() && runs[first + 1].offset <= start)
        ++first;
    // The last entry is the sentinel past the text: no run starts there.
    for (size_t i = first; i + 1 < runs.size() && runs[i].offset < end && runs[i].offset < textLength; ++i) {
        RteLocked<RteDocument> doc(handle);
        RteCharStyle style;
        RteGetElement(doc->charStyles, runs[i].index, &style);
        if (!(style.styleBits & (kind == RTE_RUN_HOOK_RANGE ? kRangeBit : kNoticeBit)))
            continue;
        int32_t at = kind == RTE_RUN_HOOK_RANGE ? runs[i].offset : start;
        int32_t blockStart = 0;
        RteTextBlock block = RteLocked<RteTextBlock>(doc->blocks)[RteBlockAt(doc.get(), at, &blockStart)];
        RteLocked<uint8_t> text(block.text);
        int32_t runEnd = runs[i + 1].offset;
        RteRunHookCall call{kind,
                            argument,
                            verb,
                            runs[i].offset,
                            start,
                            text.get() + (at - blockStart),
                            std::min(runEnd, blockStart + block.length) - at,
                            RteRange{std::max(runs[i].offset, start), std::min(runEnd, end)},
                            {a, b, c}};
        RteStyleSpareHook hook = kind == RTE_RUN_HOOK_RANGE ? style.hooks.slot14 : style.hooks.slot10;
        hook(handle, &style, reinterpret_cast<intptr_t>(&call), kind);
    }
}
