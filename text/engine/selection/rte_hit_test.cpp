// Hit testing: a point brought into the laid-out text, then the block, the line and the
// character boundary nearest to it, searches widening by 8 pixels until something holds it.
#include <algorithm>
#include <cstdlib>

#include "rect_list.h"
#include "rte_areas.h"
#include "rte_device.h"
#include "rte_line_builder.h"
#include "rte_position_cache.h"
#include "rte_position_queries.h"
#include "rte_runs.h"
#include "rte_selection.h"
#include "rte_typed.h"

namespace {

constexpr int32_t kSlackStep = 8;
// Hit mode 2 keeps the point where it fell, on hidden text or inside a character.
constexpr intptr_t kHitExact = 2;

// Where hidden text takes no room a point on it goes past the hidden runs.
int32_t SkipHiddenText(RteHandle doc, int32_t offset)
{
    int32_t length = 0;
    {
        RteLocked<RteDocument> locked(doc);
        if (!(locked->flags & RTE_DOC_HIDDEN_TEXT))
            return offset;
        length = locked->textLength;
    }
    while (offset < length) {
        int32_t index = 0;
        RteStyleRun* run = RteCharRunAt(doc, offset, &index);
        uint16_t style = run[0].index;
        int32_t end = run[1].offset;
        RteLocked<RteDocument> locked(doc);
        RteUnlock(locked->charRuns);
        if (!RteLocked<RteCharStyle>(locked->charStyles)[style].hidden)
            break;
        offset = std::min(end, length);
    }
    return offset;
}

bool WithinV(const RteRect& rect, int32_t v, int32_t slack) { return v >= rect.top - slack && v < rect.bottom + slack; }

// The point kept within the text: below the text's end it hits the last line's end, above
// the wrap bounds the first line's start.
RtePoint BringIntoText(RteHandle doc, RtePoint point)
{
    RteRect extent, wrap, view;
    RteTextExtent(doc, &extent, true);
    RteGetAreaBounds(doc, &wrap, &view);
    // Lines read from the right when the system does: their ends are on the other side.
    bool rightToLeft = RteCurrentDevice().systemDirection(RteLocked<RteDocument>(doc)->env) == -1;
    int32_t lineEnd = rightToLeft ? wrap.left : wrap.right - 1;
    int32_t lineStart = rightToLeft ? wrap.right - 1 : wrap.left;
    if (point.v >= extent.bottom) {
        point.v = extent.bottom - 1;
        point.h = lineEnd;
    } else if (point.v < wrap.top) {
        point.v = wrap.top + 1;
        point.h = lineStart;
    }
    point.h = std::clamp(point.h, wrap.left, wrap.right - 1);
    return point;
}

int32_t BlockAtPoint(RteHandle doc, int32_t v)
{
    int32_t count = RteTextBlockCount(doc);
    for (int32_t slack = 0;; slack += kSlackStep) {
        for (int32_t i = 0; i < count; ++i) {
            RteTextBlock block;
            RteGetElement(RteLocked<RteDocument>(doc)->blocks, i, &block);
            if (block.lines && WithinV(block.bounds, v, slack))
                return i;
        }
        if (slack > (1 << 24))
            return count - 1;
    }
}

// The first piece of the line that holds v.
int32_t LineAtPoint(const RteLinePiece* pieces, int32_t count, int32_t v)
{
    for (int32_t slack = 0;; slack += kSlackStep) {
        for (int32_t i = 0; i < count; ++i)
            if ((pieces[i].flags & RTE_PIECE_LINE_FIRST) && WithinV(pieces[i].rect, v, slack))
                return i;
        if (slack > (1 << 24))
            return 0;
    }
}

struct Boundary {
    int32_t offset;  // in the block
    int32_t x;
};

// The line's character boundaries as they stand; a line that ends at a break character offers
// none after it, so that a point beyond it stays on its line.
std::vector<Boundary> Boundaries(const RteLinePiece* pieces, int32_t count, int32_t first, const int32_t* x,
                                 int32_t blockLength)
{
    std::vector<Boundary> found;
    int32_t i = first;
    for (; i < count; ++i) {
        const RteLinePiece& piece = pieces[i];
        int32_t end = i + 1 < count ? pieces[i + 1].offset : blockLength;
        // A right-to-left piece places its characters from its right edge.
        for (int32_t o = piece.offset; o <= end; ++o)
            found.push_back({o, (piece.flags & RTE_PIECE_RTL) ? piece.rect.right - (x[o] - x[piece.offset])
                                                               : piece.rect.left + x[o] - x[piece.offset]});
        if (piece.flags & RTE_PIECE_LINE_LAST)
            break;
    }
    if (i < count && (pieces[i].flags & RTE_PIECE_BREAKS) && found.size() > 1)
        found.pop_back();
    return found;
}

}  // namespace

intptr_t RteHitTest(RteHandle doc, intptr_t pointArg, intptr_t outArg, intptr_t mode, intptr_t, intptr_t)
{
    const RtePoint given = *reinterpret_cast<const RtePoint*>(pointArg);
    auto* out = reinterpret_cast<RteSelectPoint*>(outArg);
    *out = RteSelectPoint{};
    out->point = given;
    if (RteLocked<RteDocument>(doc)->textLength == 0)
        return 0;
    RtePoint point = BringIntoText(doc, given);
    int32_t block = BlockAtPoint(doc, point.v);
    RteTextBlock record;
    RteGetElement(RteLocked<RteDocument>(doc)->blocks, block, &record);
    int32_t blockStart = RteBlockStart(RteLocked<RteDocument>(doc).get(), block);
    RteHandle positions = nullptr, types = nullptr;
    const int32_t* x = RteBlockPositions(doc, block, &positions, &types);
    std::vector<Boundary> boundaries;
    {
        RteLocked<RteLinePiece> pieces(record.lines);
        int32_t count = RtePieceCount(pieces.get(), pieces.size());
        boundaries = Boundaries(pieces.get(), count, LineAtPoint(pieces.get(), count, point.v), x, record.length);
    }
    RteReleasePositions(doc, positions);
    int32_t best = boundaries.front().offset;
    int32_t bestDistance = INT32_MAX;
    for (const Boundary& b : boundaries) {
        if (mode == 1 && b.x > point.h)
            continue;
        // Inside a multi-byte character the point goes to the nearer edge of its cell.
        if (mode != kHitExact && b.offset > 0 && b.offset < record.length &&
            RteCharInfo(doc, blockStart + b.offset, RTE_CLASS_CONTINUATION))
            continue;
        int32_t distance = mode == 1 ? point.h - b.x : std::abs(point.h - b.x);
        // A later boundary wins a tie.
        if (distance <= bestDistance) {
            bestDistance = distance;
            best = b.offset;
        }
    }
    out->offset = blockStart + best;
    if (mode != kHitExact)
        out->offset = SkipHiddenText(doc, out->offset);
    RteLocatePoint(doc, out);
    out->point = given;
    return 0;
}

int32_t RteOffsetAtPoint(RteHandle doc, const RtePoint* point, const RtePoint* pair)
{
    RtePoint at = *point;
    if (pair) {
        at.v += pair->v;
        at.h += pair->h;
    }
    RteHookTable hooks;
    {
        RteLocked<RteDocument> locked(doc);
        at.v += locked->scroll.v;
        at.h += locked->scroll.h;
        hooks = locked->hooks;
    }
    RteSelectPoint hit;
    hooks.hitTest(doc, reinterpret_cast<intptr_t>(&at), reinterpret_cast<intptr_t>(&hit), 0, 0, 0);
    return hit.offset;
}

int32_t RteCharAtPoint(RteHandle doc, const RtePoint* point, int32_t mode, RteCharStyle* style, RteRange* run)
{
    RteHookTable hooks;
    RteRect view, textBounds;
    RtePoint at = *point;
    int32_t offset = 0;
    {
        RteLocked<RteDocument> locked(doc);
        hooks = locked->hooks;
        view = RteRectIterator(locked->viewArea).Bounds();
        textBounds = locked->textBounds;
        at.v += locked->scroll.v;
        at.h += locked->scroll.h;
        offset = locked->textLength;
    }
    hooks.port(doc, 1);
    bool inView = point->v >= view.top && point->v < view.bottom && point->h >= view.left && point->h < view.right;
    if (inView) {
        RteSelectPoint hit;
        hooks.hitTest(doc, reinterpret_cast<intptr_t>(&at), reinterpret_cast<intptr_t>(&hit), mode, 0, 0);
        offset = hit.offset;
    } else if (at.v < textBounds.top) {
        offset = 0;
    }
    hooks.port(doc, 0);
    if (style || run) {
        int32_t index = 0;
        RteStyleRun* found = RteCharRunAt(doc, offset, &index);
        RteStyleRun here = found[0], next = found[1];
        RteLocked<RteDocument> locked(doc);
        RteUnlock(locked->charRuns);
        if (style)
            RteGetElement(locked->charStyles, here.index, style);
        if (run)
            *run = RteRange{here.offset, std::min(next.offset, locked->textLength)};
    }
    return offset;
}
