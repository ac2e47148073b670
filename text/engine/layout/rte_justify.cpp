// Spacing and alignment of a line: space before and after its paragraph and line spacing, then
// the slack shifted for centred and right lines or spread over the pieces of justified ones.
#include <cstdint>

#include "rte_paragraph_hooks.h"

namespace {

constexpr int32_t kOne = 0x10000;

RteLinePiece* FirstOfLine(RteLinePiece* piece)
{
    while (!(piece->flags & RTE_PIECE_LINE_FIRST) && piece->offset != 0)
        --piece;
    return piece;
}

void SpaceVertically(RteLinePiece* first, RteLinePiece* end, RteRect* line, const RteParFormat& format)
{
    int32_t before = (first->flags & RTE_PIECE_PAR_FIRST) ? format.spaceBefore : 0;
    int32_t after = ((end - 1)->flags & RTE_PIECE_PAR_LAST) ? format.spaceAfter : 0;
    if (format.lineSpacing) {
        int32_t height = first->rect.bottom - first->rect.top;
        before += static_cast<int32_t>((static_cast<int64_t>(height) * format.lineSpacing) >> 16) - height;
    }
    if (before + after == 0)
        return;
    for (RteLinePiece* p = first; p < end; ++p) {
        p->rect.bottom += before + after;
        p->spaceAfter = static_cast<uint16_t>(p->spaceAfter + after);
    }
    line->bottom += before + after;
}

// The slack goes to the pieces in proportion to their widths; the fractions carry from piece
// to piece and the last piece with a width takes what is left, so the shares add up to it.
void Justify(RteLinePiece* first, RteLinePiece* end, int32_t slack)
{
    RteLinePiece* last = end - 1;
    if (first == last) {
        first->extra = RteEncodeExtra(slack);
        first->rect.right += slack;
        return;
    }
    RteLinePiece* from = first;
    for (RteLinePiece* p = first; p < last; ++p) {
        if (p->flags & RTE_PIECE_OTHER_TAB)
            from = p + 1;
    }
    RteLinePiece* lastWide = nullptr;
    for (RteLinePiece* p = from; p < end; ++p) {
        if (p->rect.right != p->rect.left)
            lastWide = p;
    }
    int32_t total = last->rect.right - from->rect.left;
    int32_t shifted = 0;
    int64_t carried = 0;
    for (RteLinePiece* p = from; p < end; ++p) {
        p->rect.left += shifted;
        p->rect.right += shifted;
        int32_t width = p->rect.right - p->rect.left;
        if (width == 0 || total == 0)
            continue;
        int32_t share = 0;
        if (p == lastWide) {
            share = slack - shifted;
        } else {
            int64_t exact = static_cast<int64_t>(width) * slack * kOne / total + carried;
            share = static_cast<int32_t>(exact >> 16);
            carried = exact - (static_cast<int64_t>(share) << 16);
        }
        bool tabAfterTab = (p->flags & RTE_PIECE_LEFT_TAB) && p > from && ((p - 1)->flags & RTE_PIECE_LEFT_TAB);
        p->extra = RteEncodeExtra(tabAfterTab ? 0 : share);
        p->rect.right += share;
        shifted += share;
    }
}

}  // namespace

intptr_t RteDefaultJustify(RteHandle, intptr_t state, intptr_t piece, intptr_t count, intptr_t line, intptr_t format)
{
    auto* given = reinterpret_cast<RteLinePiece*>(piece);
    auto* rect = reinterpret_cast<RteRect*>(line);
    const auto& par = *reinterpret_cast<const RteParFormat*>(format);
    RteLinePiece* end = given + count;
    // A line cut by obstacles comes in segments: its spacing goes on once, with its last one;
    // each segment is aligned within its own room.
    if ((end - 1)->flags & RTE_PIECE_LINE_LAST)
        SpaceVertically(FirstOfLine(given), end, rect, par);
    RteLinePiece* first = given;
    if (par.alignment == RTE_ALIGN_NONE)
        return 0;
    int32_t slack = rect->right - (end - 1)->rect.right;
    if (par.alignment == RTE_ALIGN_JUSTIFY) {
        bool lastLine = (state & RTE_LINE_LAST_OF_TEXT) || ((end - 1)->flags & RTE_PIECE_BREAKS);
        if (!lastLine && slack != 0)
            Justify(first, end, slack);
        return 0;
    }
    if (slack < 0)
        slack = 0;
    int32_t shift = par.alignment == RTE_ALIGN_CENTRE ? slack / 2 : par.alignment == RTE_ALIGN_RIGHT ? slack : 0;
    for (RteLinePiece* p = first; p < end; ++p) {
        p->rect.left += shift;
        p->rect.right += shift;
    }
    return 0;
}
