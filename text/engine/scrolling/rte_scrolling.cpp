// The scroll position: moved by amounts rounded to the scroll units, by steps and scroll-bar
// values, and to bring a character into view.
#include "rte_scrolling.h"

#include <algorithm>
#include <cstdlib>

#include "rect_list.h"
#include "rect_ops.h"
#include "rte_areas.h"
#include "rte_containers.h"
#include "rte_highlight.h"
#include "rte_line_builder.h"
#include "rte_position_queries.h"
#include "rte_redisplay.h"
#include "rte_selection.h"
#include "rte_scroll_pixels.h"
#include "rte_typed.h"

namespace {

constexpr int32_t kUncutLine = 16;

bool OwnerScrolls(const RteDocument& doc) { return (doc.flags & RTE_DOC_OWNER_SCROLLS) != 0; }

RtePoint PositionOf(const RteDocument& doc) { return OwnerScrolls(doc) ? doc.scrolling.position : doc.scroll; }

// The display offsets follow the position unless the owner moves the display itself.
void SetPosition(RteDocument& doc, RtePoint position)
{
    doc.scrolling.position = position;
    if (!OwnerScrolls(doc))
        doc.scroll = position;
}

RtePoint Position(RteHandle doc) { return PositionOf(*RteLocked<RteDocument>(doc).get()); }
constexpr int32_t kMaxUnitPower = 31;

RteRect ViewRect(RteHandle doc)
{
    RteRectIterator view(RteLocked<RteDocument>(doc)->viewArea);
    return view.Rects().empty() ? view.Bounds() : view.Rects().front();
}

int32_t UnitOf(int32_t mask) { return -mask; }

// One axis of a move: the new position for an amount (positive: towards the start).
int32_t Moved(int32_t position, int32_t amount, int32_t largest, int32_t mask)
{
    if (amount == 0)
        return position;
    if (position - amount < largest) {
        int32_t unit = UnitOf(mask);
        int32_t size = (std::abs(amount) + unit - 1) / unit * unit;
        amount = amount < 0 ? -size : size;
        largest &= mask;
    }
    return std::clamp(position - amount, 0, std::max(largest, 0));
}

// The line rects of every block, laid out first.
std::vector<RteRect> Lines(RteHandle doc)
{
    RteLayoutDocument(doc);
    std::vector<RteRect> lines;
    RteLocked<RteDocument> locked(doc);
    RteLocked<RteTextBlock> blocks(locked->blocks);
    for (int32_t b = 0; b < blocks.size(); ++b) {
        if (!blocks[b].lines)
            continue;
        RteLocked<RteLinePiece> pieces(blocks[b].lines);
        for (int32_t i = 0, n = RtePieceCount(pieces.get(), pieces.size()); i < n; ++i) {
            if (!(pieces[i].flags & RTE_PIECE_LINE_FIRST))
                continue;
            RteRect line;
            RteLineRect(&pieces[i], &line);
            lines.push_back(line);
        }
    }
    return lines;
}

// The line cut by a horizontal edge (document coordinates), if any.
const RteRect* CutLine(const std::vector<RteRect>& lines, int32_t edge)
{
    for (const RteRect& line : lines)
        if (line.top < edge && edge < line.bottom)
            return &line;
    return nullptr;
}

int32_t VerticalStep(RteHandle doc, int32_t code, const RteRect& view, RtePoint scroll, int16_t lineStep)
{
    int32_t top = view.top + scroll.v;
    int32_t bottom = view.bottom + scroll.v;
    std::vector<RteRect> lines = Lines(doc);
    const RteRect* atTop = CutLine(lines, top);
    const RteRect* atBottom = CutLine(lines, bottom);
    switch (code) {
    case RTE_SCROLL_LINE_UP:
        return lineStep ? lineStep : atTop ? top - atTop->top : kUncutLine;
    case RTE_SCROLL_LINE_DOWN:
        return -(lineStep ? lineStep : atBottom ? atBottom->bottom - bottom : kUncutLine);
    case RTE_SCROLL_VIEW_UP:
        return (bottom - top) - (atBottom ? bottom - atBottom->top : 0);
    case RTE_SCROLL_VIEW_DOWN:
        return -((bottom - top) - (atTop ? atTop->bottom - top : 0));
    default:
        return 0;
    }
}

int32_t HorizontalStep(int32_t code, const RteRect& view, int16_t lineStep)
{
    int32_t width = view.right - view.left;
    int32_t line = lineStep ? lineStep : std::max(1, width / 8);
    switch (code) {
    case RTE_SCROLL_LINE_UP:
        return line;
    case RTE_SCROLL_LINE_DOWN:
        return -line;
    case RTE_SCROLL_VIEW_UP:
        return width;
    case RTE_SCROLL_VIEW_DOWN:
        return -width;
    default:
        return 0;
    }
}

int32_t StepAmount(int32_t code, int32_t position, int32_t largest, int32_t step)
{
    if (code == RTE_SCROLL_TO_START)
        return position;
    if (code == RTE_SCROLL_TO_END)
        return position - largest;
    return step;
}

// A vertical move that ends at the target position goes on to the next line edge: towards the
// start until the line cut by the view's top is whole, towards the end until the line cut by
// its bottom is, when that line lies within an eighth of the view's height of the edge.
int32_t AlignedAmount(RteHandle doc, int32_t amount, int32_t target)
{
    if (amount == 0)
        return amount;
    RteRect view = ViewRect(doc);
    int32_t reach = (view.bottom - view.top) / 8;
    int32_t edge = target + (amount > 0 ? view.top : view.bottom);
    int32_t best = 0;
    for (const RteRect& line : Lines(doc)) {
        if (!(line.top < edge && edge < line.bottom))
            continue;
        int32_t distance = amount > 0 ? edge - line.top : line.bottom - edge;
        if (distance <= reach && (best == 0 || distance < best))
            best = distance;
    }
    return amount > 0 ? amount + best : amount - best;
}

bool KeepsCaret(RteHandle doc)
{
    return (RteLocked<RteDocument>(doc)->layoutFlags & RTE_LAYOUT_KEEP_CARET_IN_VIEW) &&
           RteSelectionRangeCount(doc) == 0;
}

// Where the caret stands in the window: as last noted, or at its rect.
RtePoint CaretWindowPoint(RteHandle doc)
{
    RtePoint noted = RteLocked<RteDocument>(doc)->caretPoint;
    if (noted != RtePoint{})
        return noted;
    int32_t start = 0, end = 0;
    RteGetSelection(doc, &start, &end);
    RteRect rect;
    RteCaretRect(doc, start, true, false, &rect);
    return RtePoint{rect.top + 1, rect.left};
}

// After a scroll the caret goes to the text now under its window point, the point moved in
// (at most three times) while the caret, widened by 2 pixels, leaves the view sideways.
void KeepCaretAt(RteHandle doc, RtePoint point)
{
    bool shown = (RteLocked<RteDocument>(doc)->flags & RTE_DOC_CARET_SHOWN) != 0;
    if (shown)
        RteShowCaret(doc, RTE_CARET_HIDE);
    RteRect view = ViewRect(doc);
    for (int attempt = 0; attempt < 3; ++attempt) {
        int32_t offset = RteOffsetAtPoint(doc, &point, nullptr);
        RteSetCaretQuiet(doc, offset);
        RteRect rect;
        RteCaretRect(doc, offset, true, false, &rect);
        RteInsetRect(&rect, -2, -2);
        int32_t shift = rect.left < view.left ? view.left - rect.left + 1 : rect.right > view.right ? view.right - rect.right - 1 : 0;
        if (shift == 0)
            break;
        point.h += shift;
    }
    RteLocked<RteDocument>(doc)->caretPoint = point;
    if (shown)
        RteShowCaret(doc, RTE_CARET_CHANGED_PLACE);
}

// What there is to scroll over: the laid-out text, or for a wrap area that repeats, its copies
// up to the end of the last one that holds text.
RteRect ContentBounds(RteHandle doc)
{
    RteRect content;
    RteTextExtent(doc, &content, true);
    RtePoint step = RteRepeatStep(doc);
    if (step == RtePoint{})
        return content;
    RteRect wrap = RteRectIterator(RteLocked<RteDocument>(doc)->wrapArea).Bounds();
    int32_t copy = RtePagesInUse(doc) - 1;
    wrap.bottom += step.v * copy;
    wrap.right += step.h * copy;
    return wrap;
}

// The smallest power of two that brings an extent to the scroll-bar limit.
int32_t Divisor(int32_t extent)
{
    int32_t divisor = 1;
    while (extent / divisor >= RTE_SCROLL_VALUE_LIMIT)
        divisor *= 2;
    return divisor;
}

void StepAmounts(RteHandle doc, int32_t hCode, int32_t vCode, int32_t* h, int32_t* v)
{
    RteRect view = ViewRect(doc);
    RteScrollState state;
    RtePoint scroll;
    {
        RteLocked<RteDocument> locked(doc);
        state = locked->scrolling;
        scroll = PositionOf(*locked.get());
    }
    int32_t maxH = 0, maxV = 0;
    RteScrollMax(doc, &maxH, &maxV);
    *h = StepAmount(hCode, scroll.h, maxH, HorizontalStep(hCode, view, state.lineH));
    *v = StepAmount(vCode, scroll.v, maxV, VerticalStep(doc, vCode, view, scroll, state.lineV));
}

}  // namespace

void RteSetScrollUnits(RteHandle doc, int32_t horizontal, int32_t vertical)
{
    RteLocked<RteDocument> locked(doc);
    auto mask = [](int32_t n, int32_t old) { return n >= 2 && n <= kMaxUnitPower ? -(1 << (n - 1)) : old; };
    locked->scrollMaskH = mask(horizontal, locked->scrollMaskH);
    locked->scrollMaskV = mask(vertical, locked->scrollMaskV);
}

void RteGetScrollUnits(RteHandle doc, int32_t* horizontal, int32_t* vertical)
{
    RteLocked<RteDocument> locked(doc);
    auto power = [](int32_t mask) {
        int32_t n = 1;
        for (int32_t unit = -mask; unit > 1; unit /= 2)
            ++n;
        return n;
    };
    *horizontal = power(locked->scrollMaskH);
    *vertical = power(locked->scrollMaskV);
}

void RteSetScrollSettings(RteHandle doc, int16_t lineH, int16_t lineV, int16_t extraH, int16_t extraV)
{
    RteScrollState& state = RteLocked<RteDocument>(doc)->scrolling;
    state.lineH = lineH;
    state.lineV = lineV;
    state.extraH = extraH;
    state.extraV = extraV;
}

void RteGetScrollSettings(RteHandle doc, int16_t* lineH, int16_t* lineV, int16_t* extraH, int16_t* extraV)
{
    RteScrollState state = RteLocked<RteDocument>(doc)->scrolling;
    *lineH = state.lineH;
    *lineV = state.lineV;
    *extraH = state.extraH;
    *extraV = state.extraV;
}

void RteScrollMax(RteHandle doc, int32_t* horizontal, int32_t* vertical)
{
    RteRect content = ContentBounds(doc);
    RteRect view = ViewRect(doc);
    RteLocked<RteDocument> locked(doc);
    *horizontal = std::max(0, content.right + locked->scrolling.extraH - view.right) & locked->scrollMaskH;
    *vertical = std::max(0, content.bottom + locked->scrolling.extraV - view.bottom) & locked->scrollMaskV;
}

int32_t RteGetScrollValues(RteHandle doc, int32_t* h, int32_t* v, int32_t* hMax, int32_t* vMax)
{
    RteRect content = ContentBounds(doc);
    int32_t maxH = 0, maxV = 0;
    RteScrollMax(doc, &maxH, &maxV);
    RteLocked<RteDocument> locked(doc);
    int32_t divH = Divisor(content.right), divV = Divisor(content.bottom);
    RtePoint position = PositionOf(*locked.get());
    int16_t values[4] = {static_cast<int16_t>(position.h >= maxH ? maxH / divH : position.h / divH),
                         static_cast<int16_t>(position.v >= maxV ? maxV / divV : position.v / divV),
                         static_cast<int16_t>(maxH / divH), static_cast<int16_t>(maxV / divV)};
    int32_t* outs[4] = {h, v, hMax, vMax};
    bool changed = false;
    for (int i = 0; i < 4; ++i) {
        if (outs[i])
            *outs[i] = values[i];
        changed |= values[i] != locked->scrolling.reported[i];
        locked->scrolling.reported[i] = values[i];
    }
    return changed ? 1 : 0;
}

namespace {

bool LayoutIncomplete(RteHandle doc)
{
    RteLocked<RteDocument> locked(doc);
    RteLocked<RteTextBlock> blocks(locked->blocks);
    for (int32_t i = 0; i < blocks.size(); ++i)
        if ((blocks[i].flags & RTE_BLOCK_RELAYOUT) || !blocks[i].lines)
            return true;
    return false;
}

}  // namespace

int32_t RteLayoutToValue(RteHandle doc, int32_t v)
{
    int32_t oldMax = RteLocked<RteDocument>(doc)->scrolling.reported[3];
    if (v == 0 || oldMax <= 0)
        return v;
    // The proportion of the old maximum, in 16.16, is what the value meant.
    int64_t proportion = (int64_t{v} << 16) / oldMax;
    RteLayoutDocument(doc);
    int32_t newMax = 0;
    RteGetScrollValues(doc, nullptr, nullptr, nullptr, &newMax);
    return static_cast<int32_t>((proportion * newMax + 0x8000) >> 16);
}

void RteScrollToValue(RteHandle doc, int32_t h, int32_t v, bool align, int16_t redraw)
{
    if (LayoutIncomplete(doc))
        v = RteLayoutToValue(doc, v);
    RteRect content = ContentBounds(doc);
    int32_t maxH = 0, maxV = 0;
    RteScrollMax(doc, &maxH, &maxV);
    int32_t divH = Divisor(content.right), divV = Divisor(content.bottom);
    int32_t toH = h == maxH / divH ? maxH : h * divH;
    int32_t toV = v == maxV / divV ? maxV : v * divV;
    RtePoint scroll = Position(doc);
    int32_t amountV = scroll.v - toV;
    if (align && toV < maxV)
        amountV = AlignedAmount(doc, amountV, toV);
    RteScrollBy(doc, scroll.h - toH, amountV, redraw);
}

int32_t RteScrollBy(RteHandle doc, int32_t h, int32_t v, int16_t redraw)
{
    int32_t maxH = 0, maxV = 0;
    RteScrollMax(doc, &maxH, &maxV);
    RtePoint next;
    RteHookTable hooks;
    bool owner = false;
    {
        RteLocked<RteDocument> locked(doc);
        RtePoint position = PositionOf(*locked.get());
        locked->scrolling.previous = position;
        next = RtePoint{Moved(position.v, v, maxV, locked->scrollMaskV), Moved(position.h, h, maxH, locked->scrollMaskH)};
        if (next == position)
            return 0;
        hooks = locked->hooks;
        owner = OwnerScrolls(*locked.get());
    }
    // The owner that scrolls moves its pixels itself; otherwise the highlight is taken away
    // where it stands before the position changes under it.
    bool drawing = redraw != RTE_REDRAW_NONE && !owner;
    bool keepCaret = KeepsCaret(doc);
    RtePoint remembered = keepCaret ? CaretWindowPoint(doc) : RtePoint{};
    bool highlighted = false;
    if (drawing) {
        hooks.port(doc, 1);
        highlighted = RteHideSelectionIfShown(doc, true) != 0;
    }
    RtePoint moved;
    {
        RteLocked<RteDocument> locked(doc);
        RtePoint position = PositionOf(*locked.get());
        moved = RtePoint{position.v - next.v, position.h - next.h};
        SetPosition(*locked.get(), next);
        locked->caretPoint = RtePoint{};
        locked->caretMoved = true;
        ++locked->changes;
    }
    if (drawing)
        RteRedrawScrolled(doc, moved, redraw == RTE_REDRAW_DEFAULT ? 9 : redraw, highlighted);
    if (keepCaret)
        KeepCaretAt(doc, remembered);
    if (drawing)
        hooks.port(doc, 0);
    return 1;
}

int32_t RteScrollStep(RteHandle doc, int32_t hCode, int32_t vCode, int16_t redraw)
{
    int32_t h = 0, v = 0;
    StepAmounts(doc, hCode, vCode, &h, &v);
    return RteScrollBy(doc, h, v, redraw == RTE_REDRAW_DEFAULT ? 9 : redraw);
}

void RteScrollStepAmounts(RteHandle doc, int32_t hCode, int32_t vCode, bool commit, bool, int32_t* h, int32_t* v)
{
    RteDocument before = *RteLocked<RteDocument>(doc).get();
    int32_t amountH = 0, amountV = 0;
    StepAmounts(doc, hCode, vCode, &amountH, &amountV);
    RteScrollBy(doc, amountH, amountV, RTE_REDRAW_NONE);
    RteLocked<RteDocument> locked(doc);
    RtePoint after = PositionOf(*locked.get());
    RtePoint start = PositionOf(before);
    *h = start.h - after.h;
    *v = start.v - after.v;
    if (commit)
        return;
    locked->scrolling.position = before.scrolling.position;
    locked->scroll = before.scroll;
    locked->flags = before.flags;
}

int32_t RteClampScroll(RteHandle doc, int16_t redraw)
{
    int32_t maxH = 0, maxV = 0;
    RteScrollMax(doc, &maxH, &maxV);
    RtePoint scroll = Position(doc);
    int32_t h = scroll.h > maxH ? scroll.h - maxH : 0;
    int32_t v = scroll.v > maxV ? scroll.v - maxV : 0;
    return h || v ? RteScrollBy(doc, h, v, redraw) : 0;
}

void RteScrollChange(RteHandle doc, int32_t* h, int32_t* v)
{
    RteLocked<RteDocument> locked(doc);
    RtePoint position = PositionOf(*locked.get());
    *h = locked->scrolling.previous.h - position.h;
    *v = locked->scrolling.previous.v - position.v;
}

void RteGetScrollPosition(RteHandle doc, RtePoint* point) { *point = Position(doc); }

namespace {

int32_t ScrollToOffset(RteHandle doc, int32_t offset, int32_t hSlack, int32_t vSlack, bool align, int16_t redraw)
{
    RteRect caret;
    RteCaretRect(doc, offset, true, false, &caret);
    caret.top -= 1;
    uint32_t flags2 = 0;
    {
        // Against the view as the position (not the owner's display) places it.
        RteLocked<RteDocument> locked(doc);
        RtePoint position = PositionOf(*locked.get());
        RteOffsetRect(&caret, locked->scroll.h - position.h, locked->scroll.v - position.v);
        flags2 = locked->flags2;
    }
    RteRect view = ViewRect(doc);
    int32_t width = view.right - view.left, height = view.bottom - view.top;
    hSlack = std::min(hSlack, width / 2);
    int32_t tall = caret.bottom - caret.top;
    // A tall character is brought in as it is; the slack only applies when it leaves room.
    if (tall > height / 4 || vSlack > height / 3)
        vSlack = 0;
    align = align && tall <= height / 4;
    int32_t v = 0, h = 0;
    if (tall > height)
        v = (view.top + view.bottom) / 2 - (caret.top + caret.bottom) / 2;
    else if (caret.bottom > view.bottom - vSlack)
        v = (view.bottom - vSlack) - caret.bottom;
    else if (caret.top < view.top + vSlack)
        v = (view.top + vSlack) - caret.top;
    if (caret.right > view.right - hSlack)
        h = (view.right - hSlack) - caret.right;
    else if (caret.left < view.left + hSlack)
        h = (view.left + hSlack) - caret.left;
    if (flags2 & RTE_DOC2_NO_AUTO_VSCROLL)
        v = 0;
    if (flags2 & RTE_DOC2_NO_AUTO_HSCROLL)
        h = 0;
    if (align && v != 0) {
        RtePoint scroll = Position(doc);
        int32_t maxH = 0, maxV = 0;
        RteScrollMax(doc, &maxH, &maxV);
        if (scroll.v - v < maxV)
            v = AlignedAmount(doc, v, scroll.v - v);
    }
    int32_t scrolled = RteScrollBy(doc, h, v, redraw);
    RteLocked<RteDocument>(doc)->caretPoint = RtePoint{};
    return scrolled;
}

}  // namespace

int32_t RteScrollToOffset(RteHandle doc, int32_t offset, int32_t hSlack, int32_t vSlack, bool align, int16_t redraw)
{
    // The character brought into view is where the caret goes: it must not be kept elsewhere.
    uint32_t keeping = RteLocked<RteDocument>(doc)->layoutFlags & RTE_LAYOUT_KEEP_CARET_IN_VIEW;
    RteLocked<RteDocument>(doc)->layoutFlags &= ~keeping;
    int32_t scrolled = ScrollToOffset(doc, offset, hSlack, vSlack, align, redraw);
    RteLocked<RteDocument>(doc)->layoutFlags |= keeping;
    return scrolled;
}

void RteScrollInside(RteHandle doc, int32_t offset, int32_t insetV, int32_t insetH, int16_t redraw)
{
    RteRect view = ViewRect(doc);
    view.top += insetV;
    view.bottom -= insetV;
    view.left += insetH;
    view.right -= insetH;
    // How far the rect must move to come inside an axis of the view (positive: towards the end).
    auto inside = [](int32_t low, int32_t high, int32_t first, int32_t last) {
        return low < first ? low - first : high > last ? high - last : 0;
    };
    for (int axis = 0; axis < 2; ++axis) {
        for (int step = 0; step < 3; ++step) {
            RteRect rect;
            RteCaretRect(doc, offset, true, false, &rect);
            int32_t move = axis == 0 ? inside(rect.top, rect.bottom, view.top, view.bottom)
                                     : inside(rect.left, rect.right, view.left, view.right);
            if (move == 0 || !RteScrollBy(doc, axis == 1 ? -move : 0, axis == 0 ? -move : 0, redraw))
                break;
        }
    }
}

intptr_t RteAutoScroll(RteHandle doc, intptr_t h, intptr_t v, intptr_t pointArg, intptr_t redraw, intptr_t)
{
    RtePoint before = Position(doc);
    RteScrollStep(doc, static_cast<int32_t>(h), static_cast<int32_t>(v), static_cast<int16_t>(redraw));
    RtePoint after = Position(doc);
    // The owner's display did not move: the point follows the text instead.
    auto* point = reinterpret_cast<RtePoint*>(pointArg);
    if (point && (RteLocked<RteDocument>(doc)->flags & RTE_DOC_OWNER_SCROLLS)) {
        point->v += before.v - after.v;
        point->h += before.h - after.h;
    }
    return before.h - after.h;
}
