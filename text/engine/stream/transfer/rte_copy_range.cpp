// A range copied into a new document, cut from its source, or read as filtered bytes.
#include <algorithm>
#include <cstring>
#include <map>

#include "rte_carry.h"
#include "rte_document_internal.h"
#include "rte_editing.h"
#include "rte_range_pieces.h"
#include "rte_record_stream.h"
#include "rte_runs.h"
#include "rte_styles.h"
#include "rte_transfer.h"

using namespace rte_document;

namespace {

constexpr uint16_t kOutOfMemory = 256;
constexpr uint16_t kTextGrowBy = 512;
constexpr uintptr_t kWideClass = 0x3000000;

// The copy's origin list: the ranges moved back so that the first starts at 0.
void KeepOrigins(RteHandle copy, std::vector<RteRange> ranges)
{
    int32_t base = ranges.front().start;
    for (RteRange& r : ranges) {
        r.start -= base;
        r.end -= base;
    }
    DocLock doc(copy);
    RteHandle list = RteAllocKeyed(doc->env->context, sizeof(RteRange), 0, 4, doc->key);
    RteSetCount(list, static_cast<int32_t>(ranges.size()));
    RteLocked<RteRange> entries(list);
    std::copy(ranges.begin(), ranges.end(), entries.get());
    doc->origins = list;
}

RteHandle Copy(RteHandle doc, const std::vector<RteRange>& ranges)
{
    int32_t total = RteRangesTotal(ranges);
    RteProgressHook progress = RteProgressFor(doc, total);
    RteHandle copy = RteNewDocument(RteDocEnvironment(doc));
    if (!copy)
        RteRaise(RteDocEnvironment(doc)->context, kOutOfMemory, nullptr);
    try {
        {
            DocLock locked(copy);
            locked->flags |= RteGetDocFlags(doc) & RTE_DOC_COPY_MODE;
            locked->insertStyle = -1;
        }
        std::map<int32_t, int32_t> styles;
        int32_t done = 0;
        for (const RteRange& range : ranges) {
            int32_t destStart = RteTextLength(copy);
            RteForEachBlockPiece(doc, range, [&](int32_t, const uint8_t* bytes, int32_t count) {
                if (progress)
                    progress(doc, RTE_PROGRESS_COPY, done, total);
                RteInsertText(copy, bytes, count, RteTextLength(copy), RTE_KEYS_NONE, 0, 0);
                done += count;
            });
            RteCarryStyles({doc, copy, range, destStart, false, &styles});
        }
        if (progress)
            progress(doc, RTE_PROGRESS_COPY, total, total);
        KeepOrigins(copy, ranges);
    } catch (...) {
        RteDocDestroy(copy);
        throw;
    }
    return copy;
}

bool Hidden(RteHandle doc, const RteCharStyle& style)
{
    return (RteGetDocFlags(doc) & RTE_DOC_HIDDEN_TEXT) && style.hidden != 0;
}

// Wide text holds two bytes a character.
bool SingleBytes(RteHandle doc) { return !(RteGetDocFlags2(doc) & RTE_DOC2_WIDE_TEXT); }

bool NoWideClass(RteHandle doc, RteCharStyle style, const uint8_t* bytes, int32_t count)
{
    for (int32_t i = 0; i < count; ++i)
        if (style.hooks.charInfo(doc, &style, reinterpret_cast<intptr_t>(bytes + i), 1, kWideClass, 0) & kWideClass)
            return false;
    return true;
}

bool Keeps(RteHandle doc, int16_t filter, const RteCharStyle& style, const uint8_t* bytes, int32_t count)
{
    switch (filter) {
    case RTE_TEXT_SINGLE_BYTES:
        return SingleBytes(doc);
    case RTE_TEXT_NO_WIDE_CLASS:
        return NoWideClass(doc, style, bytes, count);
    case RTE_TEXT_SHOWN:
        return !Hidden(doc, style);
    case RTE_TEXT_SHOWN_SINGLE_BYTES:
        return !Hidden(doc, style) && SingleBytes(doc);
    case RTE_TEXT_SHOWN_NO_WIDE_CLASS:
        return !Hidden(doc, style) && NoWideClass(doc, style, bytes, count);
    default:
        return true;
    }
}

// The pieces of one block piece that lie in one character run, each with its style.
void ForEachRunPiece(RteHandle doc, int32_t offset, const uint8_t* bytes, int32_t count,
                     const std::function<void(const RteCharStyle&, const uint8_t*, int32_t)>& visit)
{
    std::vector<RteStyleRun> runs = ElementsOf<RteStyleRun>(DocLock(doc)->charRuns);
    auto after = std::upper_bound(runs.begin(), runs.end(), offset,
                                  [](int32_t o, const RteStyleRun& run) { return o < run.offset; });
    int32_t at = after == runs.begin() ? 0 : static_cast<int32_t>(after - runs.begin()) - 1;
    for (int32_t done = 0; done < count; ++at) {
        int32_t runEnd = at + 1 < static_cast<int32_t>(runs.size()) ? runs[at + 1].offset : offset + count;
        int32_t piece = std::min(count - done, std::max(1, runEnd - (offset + done)));
        RteCharStyle style;
        RteCharStyleByIndex(doc, runs[at].index, &style);
        visit(style, bytes + done, piece);
        done += piece;
    }
}

}  // namespace

RteHandle RteCopyRange(RteHandle doc, const RteRange* range)
{
    RteMemContext* context = RteDocEnvironment(doc)->context;
    RteHandle copy = nullptr;
    RteTry(context, [&] {
        std::vector<RteRange> ranges = RteTransferRanges(doc, range);
        if (!ranges.empty())
            copy = Copy(doc, ranges);
    });
    return copy;
}

RteHandle RteCutRange(RteHandle doc, const RteRange* range, int16_t redraw)
{
    uint32_t before = RteGetChangeCounter(doc);
    RteHandle copy = RteCopyRange(doc, range);
    if (!copy)
        return nullptr;
    RteDeleteRange(doc, range, redraw);
    RteSetChangeCounter(doc, before + 1);
    return copy;
}

RteHandle RteCopyRangeText(RteHandle doc, const RteRange* range, int16_t filter)
{
    RteMemContext* context = RteDocEnvironment(doc)->context;
    RteHandle text = nullptr;
    uint16_t code = RteTry(context, [&] {
        std::vector<RteRange> ranges = RteTransferRanges(doc, range);
        if (ranges.empty())
            return;
        text = RteAlloc(context, 1, 0, kTextGrowBy, false);
        for (const RteRange& r : ranges)
            RteForEachBlockPiece(doc, r, [&](int32_t offset, const uint8_t* bytes, int32_t count) {
                ForEachRunPiece(doc, offset, bytes, count,
                                [&](const RteCharStyle& style, const uint8_t* piece, int32_t length) {
                                    if (!Keeps(doc, filter, style, piece, length))
                                        return;
                                    int32_t at = RteCount(text);
                                    std::memcpy(RteInsert(text, at, length), piece, static_cast<size_t>(length));
                                    RteUnlock(text);
                                });
            });
    });
    if (code && text) {
        RteUnlockAllAndFree(text);
        text = nullptr;
    }
    return text;
}

RteHandle RteOriginList(RteHandle doc) { return DocLock(doc)->origins; }
