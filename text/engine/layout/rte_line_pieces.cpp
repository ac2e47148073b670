// Line pieces: extra spacing, direction runs, their reversal and mirroring, and line rects.
#include <algorithm>
#include <cstdlib>

#include "rect_ops.h"
#include "rte_line_piece.h"

namespace {

constexpr uint16_t kExtraMagnitude = 0x1FFF;
constexpr uint16_t kExtraNegative = 0x4000;
constexpr uint16_t kExtraNotSpacing = 0x8000 | 0x2000;

// Pieces of the line from first: the count given, or to the line's last piece.
int32_t LinePieces(const RteLinePiece* first, int32_t count)
{
    if (count > 0)
        return count;
    int32_t n = 1;
    while (!(first[n - 1].flags & RTE_PIECE_LINE_LAST))
        ++n;
    return n;
}

bool IsRtl(const RteLinePiece& piece) { return (piece.flags & RTE_PIECE_RTL) != 0; }

void MoveBy(RteLinePiece& piece, int32_t dx)
{
    piece.rect.left += dx;
    piece.rect.right += dx;
}

}  // namespace

int32_t RteDecodeExtra(uint16_t field)
{
    if (field & kExtraNotSpacing)
        return 0;
    int32_t magnitude = field & kExtraMagnitude;
    return field & kExtraNegative ? -magnitude : magnitude;
}

uint16_t RteEncodeExtra(int32_t amount)
{
    auto magnitude = static_cast<uint16_t>(std::min(std::abs(amount), int32_t{kExtraMagnitude}));
    return amount < 0 ? magnitude | kExtraNegative : magnitude;
}

int32_t RteDirectionRunLength(const RteLinePiece* piece, int32_t count, bool backwards)
{
    bool rtl = IsRtl(*piece);
    int32_t n = 1;
    while (count == 0 || n < count) {
        if (backwards ? (piece->flags & RTE_PIECE_LINE_FIRST) : (piece->flags & RTE_PIECE_LINE_LAST))
            break;
        const RteLinePiece* next = backwards ? piece - 1 : piece + 1;
        if (IsRtl(*next) != rtl)
            break;
        piece = next;
        ++n;
    }
    return n;
}

int32_t RteLineHasRtl(const RteLinePiece* first, int32_t count)
{
    int32_t n = LinePieces(first, count);
    return std::any_of(first, first + n, IsRtl) ? 1 : 0;
}

void RteReverseRtlRuns(RteLinePiece* first, int32_t count)
{
    int32_t n = LinePieces(first, count);
    for (int32_t i = 0; i < n;) {
        int32_t run = RteDirectionRunLength(first + i, n - i, false);
        if (IsRtl(first[i]) && run > 1) {
            int32_t x = first[i].rect.left;
            for (int32_t k = i + run - 1; k >= i; --k) {
                int32_t width = first[k].rect.right - first[k].rect.left;
                first[k].rect.left = x;
                x += width;
                first[k].rect.right = x;
            }
        }
        i += run;
    }
}

void RteMirrorRuns(const RteRect* line, RteLinePiece* first, int32_t count)
{
    int32_t n = LinePieces(first, count);
    for (int32_t i = 0; i < n;) {
        int32_t run = RteDirectionRunLength(first + i, n - i, false);
        RteRect extent = first[i].rect;
        for (int32_t k = i + 1; k < i + run; ++k)
            RteUnionRect(&extent, &first[k].rect, &extent);
        RteRect mirrored = extent;
        RteMirrorRectIn(line, &mirrored);
        for (int32_t k = i; k < i + run; ++k)
            MoveBy(first[k], mirrored.left - extent.left);
        i += run;
    }
}

void RteMirrorRectIn(const RteRect* outer, RteRect* rect)
{
    int32_t left = outer->right + outer->left - rect->right;
    int32_t right = outer->right + outer->left - rect->left;
    rect->left = left;
    rect->right = right;
}

int32_t RtePieceCount(const RteLinePiece* pieces, int32_t size)
{
    int32_t count = 0;
    while (count < size && pieces[count].flags != RTE_PIECE_SENTINEL)
        ++count;
    return count;
}

int32_t RtePieceAt(const RteLinePiece* pieces, int32_t count, int32_t offset)
{
    int32_t at = 0;
    for (int32_t i = 1; i < count && pieces[i].offset <= offset; ++i)
        at = i;
    return at;
}

void RteLineRect(const RteLinePiece* first, RteRect* out)
{
    *out = RteRect{};
    int32_t n = LinePieces(first, 0);
    for (int32_t i = 0; i < n; ++i)
        RteUnionRect(out, &first[i].rect, out);
}

int32_t RtePieceCaretH(const RteLinePiece& piece, const int32_t* positions, int32_t offset)
{
    int32_t advance = positions[offset] - positions[piece.offset];
    return IsRtl(piece) ? piece.rect.right - piece.rect.left - advance : advance;
}
