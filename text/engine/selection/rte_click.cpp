// Clicks: a press starts a range (or a caret, or extends the last range), drags move its free
// end by whole units, a release puts every range in order and drops empty ones. Each step
// inverts only what changed in the highlight, and a press or release that lands on a link
// range is offered to it.
#include <algorithm>
#include <vector>

#include "rect_list.h"
#include "rect_ops.h"
#include "rte_document_internal.h"
#include "rte_highlight.h"
#include "rte_link_range.h"
#include "rte_position_queries.h"
#include "rte_selection.h"
#include "rte_selection_units.h"
#include "scaling.h"

using namespace rte_document;

namespace {

constexpr uint32_t kStyleHotText = 0x8;
// Pixels already shown move and only the uncovered strip is drawn.
constexpr intptr_t kAutoScrollRedraw = 9;
constexpr uint32_t kUnits = RTE_SELECT_WORD | RTE_SELECT_PARAGRAPH | RTE_SELECT_LINE | RTE_SELECT_STYLE_RUN |
                            RTE_SELECT_CLASS_RUN;

RteSelectPoint Hit(RteHandle doc, const RtePoint& point, uint32_t modifiers)
{
    RteHookTable hooks = DocLock(doc)->hooks;
    intptr_t mode = (modifiers & (RTE_SELECT_LEFT_ONLY | RTE_SELECT_LEFT_ONLY_TOO)) ? 1 : 0;
    RteSelectPoint hit;
    hooks.hitTest(doc, reinterpret_cast<intptr_t>(&point), reinterpret_cast<intptr_t>(&hit), mode, 0, 0);
    return hit;
}

// The anchor unit is kept in the range's first point, so that a drag covers it whole.
void SetUnitAnchor(RteSelectPoint* first, const RteRange& unit)
{
    first->values[0] = unit.start;
    first->values[1] = unit.end;
}

void Press(RteHandle doc, const RteSelectPoint& hit, uint32_t modifiers)
{
    RteRange unit = RteSelectionUnit(doc, hit.offset, modifiers);
    uint32_t widened = unit.start != unit.end ? RTE_SELECT_WIDENED : 0;
    RteSelectPoint pair[2] = {hit, hit};
    pair[0].offset = unit.start;
    pair[1].offset = unit.end;
    for (RteSelectPoint& point : pair)
        point.flags = RTE_SELECT_RECOMPUTE | widened;
    SetUnitAnchor(&pair[0], unit);
    RteSetSelectionPair(doc, pair, (modifiers & RTE_SELECT_ADD) != 0);
}

// The last range's free end goes to the hit's unit; the anchor side keeps its unit whole.
void Extend(RteHandle doc, const RteSelectPoint& hit, uint32_t modifiers)
{
    RteRange unit = RteSelectionUnit(doc, hit.offset, modifiers);
    DocLock locked(doc);
    RteLocked<RteSelectPoint> points(locked->selection);
    RteSelectPoint& first = points[points.size() - 2];
    RteSelectPoint& last = points[points.size() - 1];
    int32_t anchorStart = first.values[0];
    int32_t anchorEnd = first.values[1];
    if (anchorStart > anchorEnd || anchorEnd == 0) {
        anchorStart = anchorEnd = std::min(first.offset, last.offset);
        if (modifiers & RTE_SELECT_EXTEND)
            anchorStart = anchorEnd = first.offset;
    }
    if (hit.offset >= anchorStart) {
        first.offset = anchorStart;
        last.offset = std::max(unit.end, anchorEnd);
    } else {
        first.offset = anchorEnd;
        last.offset = unit.start;
    }
    first.flags |= RTE_SELECT_RECOMPUTE;
    last.flags |= RTE_SELECT_RECOMPUTE;
    locked->caretMoved = true;
}

// A vertical selection marks both points of the last range as a rectangle.
void MarkVertical(RteHandle doc, uint32_t modifiers)
{
    uint32_t flags = RTE_SELECT_RECOMPUTE | RTE_SELECT_BY_RECTS | ((modifiers & RTE_SELECT_CLASS_RUN) ? 0x8 : 0);
    DocLock locked(doc);
    RteLocked<RteSelectPoint> points(locked->selection);
    points[points.size() - 2].flags |= flags;
    points[points.size() - 1].flags |= flags;
}

// Empty ranges go (a caret stays when nothing else does); the others are put in order.
void Release(RteHandle doc)
{
    DocLock locked(doc);
    std::vector<RteSelectPoint> points = ElementsOf<RteSelectPoint>(locked->selection);
    std::vector<RteSelectPoint> kept;
    for (size_t i = 0; i + 1 < points.size(); i += 2) {
        if (points[i].offset == points[i + 1].offset)
            continue;
        if (points[i].offset > points[i + 1].offset)
            std::swap(points[i], points[i + 1]);
        kept.push_back(points[i]);
        kept.push_back(points[i + 1]);
    }
    if (kept.empty() && points.size() >= 2)
        kept.assign(points.end() - 2, points.end());
    RteSetCount(locked->selection, static_cast<int32_t>(kept.size()));
    std::copy(kept.begin(), kept.end(), RteLocked<RteSelectPoint>(locked->selection).get());
}

int32_t CaretOffset(RteHandle doc)
{
    return RteSelectionRangeCount(doc) == 0 ? ElementOf<RteSelectPoint>(DocLock(doc)->selection, 0).offset : -1;
}

// Outside the view (one pixel inside on an axis the document does not scroll by itself) the
// auto-scroll hook moves the view towards the point.
void AutoScroll(RteHandle doc, const RtePoint& window)
{
    RteRect view;
    RteHookTable hooks;
    {
        DocLock locked(doc);
        view = RteRectIterator(locked->viewArea).Bounds();
        hooks = locked->hooks;
        if (locked->flags2 & RTE_DOC2_NO_AUTO_VSCROLL)
            RteInsetRect(&view, 0, 1);
        if (locked->flags2 & RTE_DOC2_NO_AUTO_HSCROLL)
            RteInsetRect(&view, 1, 0);
    }
    intptr_t h = window.h < view.left ? 1 : window.h >= view.right ? -1 : 0;
    intptr_t v = window.v < view.top ? 1 : window.v >= view.bottom ? -1 : 0;
    if (h == 0 && v == 0)
        return;
    RtePoint point = window;
    hooks.autoScroll(doc, h, v, reinterpret_cast<intptr_t>(&point), kAutoScrollRedraw, 0);
}

// A click that the selection took is offered to the link range at the selection's start, of
// the link table first, then the mark table.
int32_t OfferToLinkRanges(RteHandle doc, int32_t mode, uint32_t modifiers)
{
    int32_t start = 0, end = 0;
    RteGetSelection(doc, &start, &end);
    int32_t code = mode == RTE_CLICK_RELEASE ? 2 : (modifiers & RTE_SELECT_WORD) ? 1 : 0;
    for (int table = 0; table < 2; ++table) {
        RteLinkRange found = {};
        bool holds = false;
        {
            DocLock locked(doc);
            for (const RteLinkRange& range : ElementsOf<RteLinkRange>(locked->linkRanges[table])) {
                if (range.start <= start && start < range.end && range.start < locked->textLength) {
                    found = range;
                    holds = true;
                    break;
                }
            }
        }
        if (!holds || !found.callback)
            continue;
        found.callback(doc, &found, code, found.start, found.name);
        return 1;
    }
    return 0;
}

// The rect of a run of one line, from its first character's to its last one's.
RteRect RunRect(RteHandle doc, const RteRange& run)
{
    RteRect first = {}, last = {};
    RteCaretRect(doc, run.start, false, false, &first);
    RteCaretRect(doc, std::max(run.start, run.end - 1), false, false, &last);
    return RteRect{first.top, first.left, first.bottom, std::max(first.left + 1, last.right)};
}

// The run of the character under the point (document coordinates) when its style carries an
// object that answers clicks.
bool ObjectAt(RteHandle doc, const RtePoint& at, RteRange* run, RteCharStyle* style)
{
    int32_t offset = Hit(doc, at, RTE_SELECT_LEFT_ONLY_TOO).offset;
    if (!RteObjectRunAt(doc, offset, run, style))
        return false;
    RteRect rect = RunRect(doc, *run);
    return at.v >= rect.top && at.v < rect.bottom && at.h >= rect.left && at.h < rect.right;
}

// While a press that an object took is tracked, the selected object holds the drags and the
// release.
bool ObjectHoldsClick(RteHandle doc, RteRange* run, RteCharStyle* style)
{
    RteSelectPoint first = {};
    {
        DocLock locked(doc);
        if (!(locked->flags2 & RTE_DOC2_TRACKING) || RteCount(locked->selection) < 2)
            return false;
        first = ElementOf<RteSelectPoint>(locked->selection, 0);
    }
    return (first.flags & RTE_SELECT_ON_OBJECT) && RteObjectRunAt(doc, first.offset, run, style);
}

// The object's click hook (style slot 13) with the point kept inside the object.
bool OfferToObject(RteHandle doc, RteCharStyle style, const RteRange& run, RtePoint at, int32_t mode, intptr_t data)
{
    RteRect rect = RunRect(doc, run);
    at.v = std::clamp(at.v, rect.top, rect.bottom - 1);
    at.h = std::clamp(at.h, rect.left, rect.right - 1);
    RteObjectClick click = {at, data};
    return style.hooks.caret(doc, &style, mode, reinterpret_cast<intptr_t>(&click)) != 0;
}

// A press on an object goes to the object first: when it takes the press the object is
// selected and holds the click until the release. Answers 1 when the object took the click.
int32_t ObjectClick(RteHandle doc, const RtePoint& at, int32_t mode, intptr_t data)
{
    RteRange run = {};
    RteCharStyle style;
    if (mode == RTE_CLICK_PRESS) {
        if (!ObjectAt(doc, at, &run, &style) || !OfferToObject(doc, style, run, at, mode, data))
            return 0;
        RteSetSelection(doc, run.start, run.end, 0, 1);
        DocLock(doc)->caretAnchor = run.start;
        RteMarkObjectClick(doc, true);
        return 1;
    }
    if (!ObjectHoldsClick(doc, &run, &style))
        return 0;
    // Declined, the drag still leaves the object selected; the next one is the selection's.
    OfferToObject(doc, style, run, at, mode, data);
    if (mode == RTE_CLICK_RELEASE)
        DocLock(doc)->flags2 &= ~RTE_DOC2_TRACKING;
    return 1;
}

}  // namespace

bool RteObjectRunAt(RteHandle doc, int32_t offset, RteRange* run, RteCharStyle* style)
{
    if (offset < 0 || offset >= DocLock(doc)->textLength)
        return false;
    int32_t index = 0;
    RteStyleRun* found = RteCharRunAt(doc, offset, &index);
    RteStyleRun here = found[0], next = found[1];
    DocLock locked(doc);
    RteUnlock(locked->charRuns);
    RteGetElement(locked->charStyles, here.index, style);
    *run = RteRange{here.offset, std::min(next.offset, locked->textLength)};
    return style->object != 0 && style->hooks.caret != nullptr;
}

void RteMarkObjectClick(RteHandle doc, bool held)
{
    DocLock locked(doc);
    RteLocked<RteSelectPoint> points(locked->selection);
    for (int32_t i = 0; i < std::min(points.size(), 2); ++i) {
        if (held)
            points[i].flags |= RTE_SELECT_ON_OBJECT;
        else
            points[i].flags &= ~RTE_SELECT_ON_OBJECT;
    }
}

void RteWindowToDoc(RteHandle doc, RtePoint* point)
{
    DocLock locked(doc);
    RteScaling inverse = locked->scaling;
    inverse.factor = -inverse.factor;
    RteScalePoint(&inverse, nullptr, point);
    point->v += locked->scroll.v;
    point->h += locked->scroll.h;
}

void RteTrackSelection(RteHandle doc, const RteSelectPoint& hit, uint32_t modifiers, bool extend, bool draw)
{
    RteRectList shown = nullptr;
    if (draw) {
        if (CaretOffset(doc) >= 0 && (CaretOffset(doc) != hit.offset || (modifiers & kUnits)))
            RteShowCaret(doc, RTE_CARET_HIDE);
        DocLock locked(doc);
        if (locked->highlightShown)
            shown = reinterpret_cast<RteRectList>(RteDuplicate(reinterpret_cast<RteHandle>(locked->highlight)));
    }
    if (extend)
        Extend(doc, hit, modifiers);
    else
        Press(doc, hit, modifiers);
    if (modifiers & RTE_SELECT_VERTICAL)
        MarkVertical(doc, modifiers);
    if (!draw)
        return;
    RteInvertHighlightChange(doc, shown);
    if (CaretOffset(doc) >= 0 && !(DocLock(doc)->flags & RTE_DOC_NO_CARET))
        RteShowCaret(doc, RTE_CARET_SHOW);
}

int32_t RteClick(RteHandle doc, const RtePoint* point, int32_t mode, uint32_t modifiers, intptr_t data,
                 bool autoscroll)
{
    RteHookTable hooks = DocLock(doc)->hooks;
    if (mode == RTE_CLICK_PRESS) {
        DocLock locked(doc);
        locked->flags2 |= RTE_DOC2_TRACKING;
        ++locked->changes;
    }
    hooks.port(doc, 1);
    if (mode == RTE_CLICK_DRAG && autoscroll)
        AutoScroll(doc, *point);
    RtePoint at = *point;
    RteWindowToDoc(doc, &at);
    if (int32_t taken = ObjectClick(doc, at, mode, data)) {
        std::vector<RteSelectPoint> points = ElementsOf<RteSelectPoint>(DocLock(doc)->selection);
        hooks.clicked(doc, mode, points.front().offset, points.back().offset, static_cast<intptr_t>(modifiers), 0);
        hooks.port(doc, 0);
        return taken;
    }
    RteSelectPoint hit = Hit(doc, at, modifiers);
    if (mode == RTE_CLICK_PRESS && !(modifiers & RTE_SELECT_EXTEND))
        DocLock(doc)->caretAnchor = hit.offset;
    if (hit.offset < DocLock(doc)->textLength) {
        int32_t index = 0;
        RteStyleRun* run = RteCharRunAt(doc, hit.offset, &index);
        uint16_t style = run->index;
        DocLock locked(doc);
        RteUnlock(locked->charRuns);
        if (ElementOf<RteCharStyle>(locked->charStyles, style).flags & kStyleHotText)
            modifiers |= RTE_SELECT_STYLE_RUN;
    }
    bool extend = mode != RTE_CLICK_PRESS || (modifiers & RTE_SELECT_EXTEND);
    RteTrackSelection(doc, hit, modifiers, extend, true);
    if (mode == RTE_CLICK_RELEASE) {
        // Dropping empty ranges and ordering the others leaves the highlight's pixels as they are.
        Release(doc);
        DocLock(doc)->flags2 &= ~RTE_DOC2_TRACKING;
    }
    std::vector<RteSelectPoint> points = ElementsOf<RteSelectPoint>(DocLock(doc)->selection);
    hooks.clicked(doc, mode, points.front().offset, points.back().offset, static_cast<intptr_t>(modifiers), 0);
    hooks.port(doc, 0);
    return mode == RTE_CLICK_DRAG ? 0 : OfferToLinkRanges(doc, mode, modifiers);
}
