// Filling one line: bytes taken with their measured positions until a line-ending character or
// the line's width, the break hook deciding where an overflowing line ends; then the line cut
// into pieces at style and paragraph runs, measured and justified.
#include <algorithm>

#include "rect_list.h"
#include "rect_ops.h"
#include "rte_areas.h"
#include "rte_bidi.h"
#include "rte_document.h"
#include "rte_line_break.h"
#include "rte_line_builder.h"
#include "rte_paragraph_hooks.h"
#include "rte_typed.h"

namespace {

// Types the measuring hook gives control characters, beside the control bit itself.
constexpr uint16_t kControl = 0x40;
constexpr uint16_t kParagraphEnd = 0x100;
constexpr uint16_t kSoftBreak = 0x200;
constexpr uint16_t kContainerBreak = 0x4000;
constexpr uint16_t kPageBreak = 0x8000;
constexpr int16_t kBlank = 1;
// Beside an obstacle, less room than this is no room.
constexpr int32_t kMinLineWidth = 16;
// The class bit of a character read from right to left.
constexpr intptr_t kRightToLeft = 0x4000;

uint16_t EndFlagsOf(int16_t type)
{
    auto bits = static_cast<uint16_t>(type);
    if (!(bits & kControl))
        return 0;
    if (bits & kParagraphEnd)
        return RTE_PIECE_PAR_LAST;
    if (bits & kSoftBreak)
        return RTE_PIECE_SOFT_BREAK;
    if (bits & kContainerBreak)
        return RTE_PIECE_CONTAINER_BREAK;
    if (bits & kPageBreak)
        return RTE_PIECE_PAGE_BREAK;
    return 0;
}

// Where an overflowing line ends: the break hook's choice, at least one character, with the
// blanks after it (and a line-ending character right after them) taken onto the line.
int32_t BreakAt(RteHandle doc, RteLineBuilder* b, int32_t overflow, uint16_t* endFlags)
{
    RteLineBreak request = {b->blockStart, b->blockStart + b->length, &b->walker, b->text, b->lineStart, overflow,
                            b->positions, 0, 0};
    RteLocked<RteDocument>(doc)->hooks.lineBreak(doc, reinterpret_cast<intptr_t>(&request), 0, 0, 0, 0);
    int32_t end = request.breakIndex;
    if (end <= b->lineStart)
        end = overflow > b->lineStart ? overflow : overflow + 1;
    while (end < b->length && b->types[end] == kBlank)
        ++end;
    if (end < b->length && EndFlagsOf(b->types[end]) != 0)
        *endFlags = EndFlagsOf(b->types[end++]);
    return end;
}

// The x of every boundary of a line as it is filled: characters at their measured widths, a
// tab reaching to where the paragraph's tab hook ends it.
struct LineScan {
    std::vector<int32_t> x;          // from the line start, one more than the bytes scanned
    std::vector<int32_t> tabs;       // block indices of the tabs on the line
    std::vector<uint16_t> tabFlags;  // RTE_PIECE_LEFT_TAB or RTE_PIECE_OTHER_TAB, with each tab
    // Where text skips an obstacle: the block index of the first character after it, where the
    // text before it ended and where the obstacle begins.
    struct Jump {
        int32_t at;
        int32_t endX;
        int32_t obstacleLeft;
    };
    std::vector<Jump> jumps;
    int32_t end = 0;
    uint16_t endFlags = 0;

    int32_t At(const RteLineBuilder* b, int32_t index) const { return x[static_cast<size_t>(index - b->lineStart)]; }
    // The x where a piece ending at the index ends: before the obstacle it skips there.
    int32_t EndAt(const RteLineBuilder* b, int32_t index) const
    {
        for (const Jump& jump : jumps)
            if (jump.at == index)
                return jump.endX;
        return At(b, index);
    }
};

// Extra-area rects bound to the paragraph that starts at the line's offset move to the line's
// top: an anchored obstacle follows its text.
void MoveAnchoredRects(RteHandle doc, int32_t offset, int32_t top)
{
    RteLocked<RteDocument> locked(doc);
    if (!locked->anchors)
        return;
    std::vector<int16_t> bound;
    {
        RteLocked<RteAnchor> anchors(locked->anchors);
        for (int32_t i = 0; i < anchors.size(); ++i)
            if (anchors[i].offset == offset)
                bound.push_back(anchors[i].rect);
    }
    bool moved = false;
    {
        RteRectIterator extra(locked->extraArea);
        for (int16_t number : bound) {
            if (number < 1 || number > extra.Count() || extra.Rect(number).top == top)
                continue;
            RteOffsetRect(&extra.Rect(number), 0, top - extra.Rect(number).top);
            moved = true;
        }
    }
    if (moved) {
        RteRecalcListBounds(locked->extraArea);
        locked->areaChanges |= RTE_AREA_EXTRA_CHANGED;
    }
}

// The obstacles of the extra area across a line of the height of the style at its start; the
// line narrows where an obstacle leaves too little room beside it.
std::vector<RteRect> Obstacles(RteHandle doc, RteLineBuilder* b, RteRect* line)
{
    RteRect extra = RteRectIterator(RteLocked<RteDocument>(doc)->extraArea).Bounds();
    if (RteEmptyRect(&extra))
        return {};
    const RteCharStyle& style = *b->walker.style;
    RteRect band = *line;
    band.bottom = band.top + std::max(1, style.ascent + style.descent + style.leading);
    RteHandle spans = RteAlloc(RteHandleContext(doc), sizeof(RteRect), 0, 4, false);
    int32_t lowest = 0;
    int32_t count = RteExclusionSpans(doc, &band, kMinLineWidth, &lowest, b->blockStart + b->lineStart, spans);
    std::vector<RteRect> found;
    {
        RteLocked<RteRect> rects(spans);
        found.assign(rects.get(), rects.get() + count);
    }
    RteFree(spans);
    line->left = band.left;
    line->right = band.right;
    return found;
}

// The style at the walker reads the character at the index from right to left.
bool RunsRightToLeft(RteHandle doc, RteLineBuilder* b, int32_t index)
{
    RteCharStyle* style = b->walker.style;
    return (style->hooks.charInfo(doc, style, reinterpret_cast<intptr_t>(b->text + index), 1, kRightToLeft, index) &
            kRightToLeft) != 0;
}

int32_t Width(const RteLineBuilder* b, int32_t index) { return b->positions[index + 1] - b->positions[index]; }

void TakeTab(RteHandle doc, RteLineBuilder* b, const RteRect& line, int32_t index, LineScan* scan)
{
    RteStyleWalkSet(&b->walker, b->blockStart + index);
    RteParFormat* format = b->walker.format;
    int32_t from = scan->x.back();
    RteTabRequest request{&b->walker,       from, b->blockStart + index, line.left, b->text + index + 1,
                          b->length - index - 1, b->positions + index + 1, 0};
    auto end = static_cast<int32_t>(format->hooks.tab(doc, format, reinterpret_cast<intptr_t>(&request), 0, 0));
    int32_t stop = request.stop & 0x7FFF;
    bool left = !request.stop || (format->tabs[stop].kind & 0xFFF) == RTE_TAB_LEFT;
    scan->x.push_back(std::max(from, end));
    scan->tabs.push_back(index);
    scan->tabFlags.push_back(left ? RTE_PIECE_LEFT_TAB : RTE_PIECE_OTHER_TAB);
}

LineScan Scan(RteHandle doc, RteLineBuilder* b, const RteRect& line, const std::vector<RteRect>& obstacles)
{
    LineScan scan;
    scan.x.push_back(line.left);
    scan.end = b->length;
    size_t next = 0;
    for (int32_t i = b->lineStart; i < b->length; ++i) {
        // No character goes into an obstacle: the text goes on after it.
        while (next < obstacles.size() && scan.x.back() >= obstacles[next].right)
            ++next;
        if (next < obstacles.size() && scan.x.back() + Width(b, i) > obstacles[next].left) {
            scan.jumps.push_back({i, scan.x.back(), obstacles[next].left});
            scan.x.back() = obstacles[next++].right;
        }
        if (b->types[i] & RTE_CLASS_TAB) {
            TakeTab(doc, b, line, i, &scan);
        } else {
            scan.x.push_back(scan.x.back() + Width(b, i));
        }
        if ((scan.endFlags = EndFlagsOf(b->types[i])) != 0) {
            scan.end = i + 1;
            break;
        }
        if (scan.x.back() > line.right && i > b->lineStart) {
            scan.end = BreakAt(doc, b, i, &scan.endFlags);
            // What the break took beyond the overflow (blanks, the line's end) hangs past it.
            for (int32_t j = i + 1; j < scan.end; ++j)
                scan.x.push_back(scan.x.back() + Width(b, j));
            scan.x.resize(static_cast<size_t>(scan.end - b->lineStart + 1));
            break;
        }
    }
    return scan;
}

// Each segment of the line between obstacles goes to the justification hook in turn, with the
// room it has: up to the obstacle after it, or the line's end for the last.
void JustifySegments(RteHandle doc, RteLineBuilder* b, const LineScan& scan, intptr_t lineState, RteLinePiece* first,
                     int32_t count, RteRect* line)
{
    RteGeneralHook justify = RteLocked<RteDocument>(doc)->hooks.justify;
    auto format = reinterpret_cast<intptr_t>(b->walker.format);
    int32_t from = 0;
    for (const LineScan::Jump& jump : scan.jumps) {
        int32_t to = from;
        while (to < count && first[to].offset < jump.at)
            ++to;
        if (to == from || to == count)
            continue;
        RteRect room = *line;
        room.right = jump.obstacleLeft;
        justify(doc, lineState, reinterpret_cast<intptr_t>(first + from), to - from, reinterpret_cast<intptr_t>(&room),
                format);
        from = to;
    }
    justify(doc, lineState, reinterpret_cast<intptr_t>(first + from), count - from, reinterpret_cast<intptr_t>(line),
            format);
}

}  // namespace

void RteLineIndents(const RteStyleWalk* walker, RteRect* line, bool paragraphFirst)
{
    const RteParFormat& format = *walker->format;
    int32_t left = format.leftIndent + (paragraphFirst ? format.firstIndent : 0);
    if (left > 0)
        line->left += left;
    if (format.rightIndent > 0)
        line->right -= format.rightIndent;
}

void RteApplyLineHeight(RteHandle doc, const RteParFormat& format, int32_t descent, RteLineHeight* line)
{
    {
        RteLocked<RteDocument> locked(doc);
        if (locked->flags & RTE_DOC_FIXED_LINE_HEIGHT) {
            const RteCharStyle& style = RteLocked<RteCharStyle>(locked->charStyles)[0];
            *line = {style.ascent + style.descent + style.leading, style.descent + style.leading};
            return;
        }
    }
    int32_t minimum = format.units140to141[RTE_PAR_MINIMUM_LINE_HEIGHT];
    int32_t exact = format.units140to141[RTE_PAR_EXACT_LINE_HEIGHT];
    if (minimum > 0 && line->height < minimum) {
        // The leading counts for nothing then: the room added lies above the text.
        *line = {minimum, descent};
    } else if (exact > 0) {
        *line = {exact, std::min(line->below, exact)};
    }
}

void RteLineMetrics(RteHandle doc, RteStyleWalk* walker, int16_t* ascent, int16_t* descent, int16_t* leading)
{
    const RteCharStyle& style = *walker->style;
    bool hidden = style.hidden && (RteLocked<RteDocument>(doc)->flags & RTE_DOC_HIDDEN_TEXT);
    if (hidden)
        return;
    *ascent = std::max(*ascent, style.ascent);
    *descent = std::max(*descent, style.descent);
    *leading = std::max(*leading, std::max<int16_t>(style.leading, 0));
}

intptr_t RteDefaultFillLine(RteHandle doc, void* state)
{
    auto* b = static_cast<RteLineBuilder*>(state);
    b->pieces.resize(b->firstPiece);
    RteStyleWalkSet(&b->walker, b->blockStart + b->lineStart);
    RteRect line = b->line;
    RteLineIndents(&b->walker, &line, b->paragraphStart);
    MoveAnchoredRects(doc, b->blockStart + b->lineStart, line.top);
    std::vector<RteRect> obstacles = Obstacles(doc, b, &line);
    LineScan scan = Scan(doc, b, line, obstacles);
    int32_t end = scan.end;
    uint16_t endFlags = scan.endFlags;
    b->lineEnd = end;
    int16_t ascent = 0, descent = 0, leading = 0;
    RteAdjustHook pieceLength = nullptr;
    bool hideHidden = false;
    {
        RteLocked<RteDocument> locked(doc);
        pieceLength = locked->hooks.lineAdjust;
        hideHidden = (locked->flags & RTE_DOC_HIDDEN_TEXT) != 0;
    }
    int32_t from = b->lineStart;
    size_t tab = 0;
    do {
        RteStyleWalkSet(&b->walker, b->blockStart + from);
        RteLineMetrics(doc, &b->walker, &ascent, &descent, &leading);
        int32_t to = std::min({end, b->walker.nextRunStart - b->blockStart, b->walker.nextParStart - b->blockStart});
        while (tab < scan.tabs.size() && scan.tabs[tab] < from)
            ++tab;
        // A piece also ends where the text skips an obstacle.
        for (const auto& jump : scan.jumps)
            if (jump.at > from && jump.at < to)
                to = jump.at;
        uint16_t flags = RTE_PIECE_LATER;
        if (from < end && RunsRightToLeft(doc, b, from))
            flags |= RTE_PIECE_RTL;
        // A piece ends with the tab that it holds.
        if (tab < scan.tabs.size() && scan.tabs[tab] < to) {
            to = scan.tabs[tab] + 1;
            flags |= scan.tabFlags[tab];
        }
        if (to <= from)
            to = end;
        if (hideHidden && b->walker.style->hidden)
            flags |= RTE_PIECE_HIDDEN;
        RteLinePiece piece = {static_cast<uint16_t>(from), 0, 0, flags, 0, RteRect{line.top, 0, line.top, 0}};
        // The piece-length hook may take fewer bytes: the line then ends there.
        auto allowed = static_cast<int32_t>(pieceLength(doc, reinterpret_cast<intptr_t>(b),
                                                        reinterpret_cast<intptr_t>(b->text + from),
                                                        reinterpret_cast<intptr_t>(&piece), from, to - from));
        if (allowed > 0 && allowed < to - from) {
            to = end = b->lineEnd = from + allowed;
            endFlags = 0;
        }
        piece.rect.left = scan.At(b, from);
        piece.rect.right = scan.EndAt(b, to);
        b->pieces.push_back(piece);
        from = to;
    } while (from < end);
    bool ranOut = end == b->length && endFlags == 0 && scan.end == b->length && scan.x.back() <= line.right;
    b->roomLeft = ranOut ? line.right - scan.x.back() : -1;
    RteStyleWalkSet(&b->walker, b->blockStart + b->lineStart);
    RteLineHeight height = {ascent + descent + leading, descent + leading};
    RteApplyLineHeight(doc, *b->walker.format, descent, &height);
    line.bottom = line.top + height.height;
    RteLinePiece* first = &b->pieces[b->firstPiece];
    auto count = static_cast<int32_t>(b->pieces.size() - b->firstPiece);
    for (int32_t i = 0; i < count; ++i) {
        first[i].rect.bottom = line.bottom;
        first[i].spaceAfter = static_cast<uint16_t>(height.below);
    }
    first[0].flags = static_cast<uint16_t>((first[0].flags & ~RTE_PIECE_LATER) | RTE_PIECE_LINE_FIRST |
                                           (b->paragraphStart ? RTE_PIECE_PAR_FIRST : 0));
    first[count - 1].flags |= RTE_PIECE_LINE_LAST | endFlags;
    intptr_t lineState = b->lastBlock && end == b->length ? RTE_LINE_LAST_OF_TEXT : 0;
    JustifySegments(doc, b, scan, lineState, first, count, &line);
    // Right-to-left runs read from their right; a right-to-left paragraph's line is mirrored.
    RteReverseRtlRuns(first, count);
    if (RteParDirection(RteLocked<RteDocument>(doc)->env, b->walker.format) == -1)
        RteMirrorRuns(&line, first, count);
    b->line.bottom = line.bottom;
    return 0;
}
