// A whole document inserted into another: its text piece by piece where its origin list puts
// each piece, then its styles carried over; one change however many edits it takes.
#include <algorithm>
#include <map>

#include "rte_carry.h"
#include "rte_document_internal.h"
#include "rte_editing.h"
#include "rte_position_queries.h"
#include "rte_range_pieces.h"
#include "rte_redisplay.h"
#include "rte_selection.h"
#include "rte_transfer.h"

using namespace rte_document;

namespace {

struct Piece {
    RteRange from;  // in the source
    int32_t at;     // its distance from the insertion point
};

// Consecutive pieces of the source, as long as the ranges it was copied from, each at its old
// distance from the first; without an origin list the whole text at the insertion point.
std::vector<Piece> PiecesOf(RteHandle source)
{
    int32_t length = RteTextLength(source);
    RteHandle origins = RteOriginList(source);
    std::vector<RteRange> ranges = origins ? ElementsOf<RteRange>(origins) : std::vector<RteRange>{};
    if (ranges.empty())
        return {Piece{{0, length}, 0}};
    ranges.front().end = std::min(ranges.front().end, length);
    std::vector<Piece> pieces;
    int32_t cursor = 0;
    for (const RteRange& r : ranges) {
        int32_t take = std::clamp(r.end - r.start, 0, length - cursor);
        pieces.push_back({{cursor, cursor + take}, r.start});
        cursor += take;
    }
    return pieces;
}

void InsertPiece(RteHandle doc, RteHandle source, const RteRange& from, int32_t at, RteProgressHook progress)
{
    int32_t length = from.end - from.start;
    if (progress)
        progress(doc, RTE_PROGRESS_INSERT, 0, length);
    int16_t pending = DocLock(doc)->insertStyle;
    DocLock(doc)->insertStyle = -1;
    int32_t done = 0;
    RteForEachBlockPiece(source, from, [&](int32_t, const uint8_t* bytes, int32_t count) {
        RteInsertText(doc, bytes, count, at + done, RTE_KEYS_NONE, 0, 0);
        done += count;
        if (progress)
            progress(doc, RTE_PROGRESS_INSERT, done, length);
    });
    DocLock(doc)->insertStyle = pending;
}

}  // namespace

int32_t RteInsertDocumentAs(RteHandle doc, RteHandle source, int32_t offset, int16_t styleMode, int16_t redraw,
                            bool firstParagraph)
{
    uint32_t before = RteGetChangeCounter(doc);
    RteFlushTypeahead(doc);
    if (RteSelectionRangeCount(doc) > 0)
        RteDeleteRange(doc, nullptr, 0);
    int32_t insertion = offset == -1 ? RtePinOffset(doc, -1) : std::clamp(offset, 0, RteTextLength(doc));
    int32_t sourceLength = RteTextLength(source);
    RteProgressHook progress = RteProgressFor(doc, sourceLength);
    std::map<int32_t, int32_t> styles;
    int32_t first = RteTextLength(doc);
    for (const Piece& piece : PiecesOf(source)) {
        if (piece.from.end <= piece.from.start)
            continue;
        int32_t at = std::min(insertion + piece.at, RteTextLength(doc));
        InsertPiece(doc, source, piece.from, at, progress);
        if (styleMode == 0)
            RteCarryStyles({source, doc, piece.from, at, firstParagraph, &styles});
        first = std::min(first, at);
    }
    if (first < RteTextLength(doc))
        RteInvalidateRange(doc, first, RteTextLength(doc));
    RteSetChangeCounter(doc, before + 1);
    if (progress)
        progress(doc, RTE_PROGRESS_INSERT, sourceLength, sourceLength);
    if (redraw != RTE_REDRAW_NONE)
        RteRedisplay(doc, nullptr, 0, -1, nullptr, nullptr, redraw == RTE_REDRAW_DEFAULT ? 5 : redraw, true);
    return 1;
}

int32_t RteInsertDocument(RteHandle doc, RteHandle source, int32_t offset, int16_t styleMode, int16_t redraw)
{
    return RteInsertDocumentAs(doc, source, offset, styleMode, redraw, false);
}
