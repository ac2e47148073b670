// The document's areas: single-rect settings, containers and their repetition, the container
// hook walks, the text bounds and the spans the extra area takes out of lines.
#include "rte_areas.h"

#include <algorithm>
#include <vector>

#include "rect_list.h"
#include "rect_ops.h"
#include "rte_line_piece.h"
#include "rte_runs.h"
#include "rte_styles.h"
#include "rte_text_blocks.h"
#include "rte_typed.h"
#include "scaling.h"

namespace {

constexpr int32_t kFarAway = 0x7FFFFFFF;
constexpr uint32_t kDocAreasSet = 0x80000000;
constexpr uint32_t kDocAreasFixed = 0x8;
constexpr uint32_t kDocTextBoundsWithExtra = 0x100;

RteRect BoundsOf(RteRectList list) { return RteRectIterator(list).Bounds(); }

int32_t RectCount(RteRectList list) { return RteRectIterator(list).Count(); }

RteRect RectOf(RteRectList list, int32_t number) { return RteRectIterator(list).Rect(number); }

void CallHook(RteDocument* doc, int32_t container, const RteRect& rect, intptr_t a, intptr_t b, int32_t mode,
              int32_t* state)
{
    doc->hooks.container(doc->self, container, &rect, a, b, mode, state);
}

// The container's rect on its copy of the wrap area.
RteRect RepeatedRect(RteHandle handle, RteDocument* doc, int32_t repetition)
{
    RtePoint offset{};
    int32_t index = RteContainerRepeat(handle, repetition, &offset);
    RteRect rect = (doc->layoutFlags & RTE_LAYOUT_VIEW_CONTAINERS) ? BoundsOf(doc->viewArea)
                                                                    : RectOf(doc->wrapArea, index + 1);
    RteOffsetRect(&rect, offset.h, offset.v);
    return rect;
}

bool NearEdges(const RteRect& a, const RteRect& b, int32_t minimum)
{
    auto near = [minimum](int32_t x, int32_t y) { return std::abs(x - y) < minimum; };
    return near(a.left, b.left) || near(a.right, b.right) || near(a.left, b.right) || near(a.right, b.left);
}

// Extra-area rects anchored after the line's text leave it alone.
bool AnchoredAfter(RteDocument* doc, int32_t rect, int32_t offset)
{
    if (!doc->anchors)
        return false;
    RteLocked<RteAnchor> anchors(doc->anchors);
    for (int32_t i = 0; i < anchors.size(); ++i) {
        if (anchors[i].rect == rect)
            return anchors[i].offset > offset;
    }
    return false;
}

// The text bounds' top, left and right follow the wrap bounds.
void TextBoundsFromWrap(RteDocument* doc)
{
    RteRect bounds = BoundsOf(doc->wrapArea);
    doc->textBounds.top = bounds.top;
    doc->textBounds.left = bounds.left;
    doc->textBounds.right = bounds.right;
}

}  // namespace

void RteGetAreaBounds(RteHandle handle, RteRect* wrap, RteRect* view)
{
    RteLocked<RteDocument> doc(handle);
    if (wrap)
        *wrap = BoundsOf(doc->wrapArea);
    if (view)
        *view = BoundsOf(doc->viewArea);
}

void RteSetAreaRects(RteHandle handle, const RteRect* wrap, const RteRect* view)
{
    RteLocked<RteDocument> doc(handle);
    bool relayout = false;
    if (wrap) {
        RteRect old = BoundsOf(doc->wrapArea);
        if (old != *wrap)
            doc->areaChanges |= RTE_AREA_WRAP_CHANGED;
        // Only the width and the place of the area move the lines; a new bottom does not.
        relayout = old.top != wrap->top || old.left != wrap->left || old.right != wrap->right;
        RteSetRectList(doc->wrapArea, wrap);
    }
    if (view) {
        if (BoundsOf(doc->viewArea) != *view)
            doc->areaChanges |= RTE_AREA_VIEW_CHANGED;
        RteSetRectList(doc->viewArea, view);
        doc->viewOrigin = RtePoint{view->top, view->left};
    }
    if (relayout)
        RteMarkForLayout(doc.get(), 0, doc->textLength);
    TextBoundsFromWrap(doc.get());
    if (!(doc->flags & kDocAreasFixed))
        doc->flags |= kDocAreasSet;
    ++doc->changes;
}

int32_t RteContainerCount(RteHandle handle) { return RectCount(RteLocked<RteDocument>(handle)->wrapArea); }

void RteGetContainer(RteHandle handle, int32_t number, bool window, bool scaled, RteRect* out)
{
    RteAreaRect(handle, RteLocked<RteDocument>(handle)->wrapArea, number, window, scaled, out);
}

void RteAreaRect(RteHandle handle, RteRectList area, int32_t number, bool window, bool scaled, RteRect* out)
{
    RteLocked<RteDocument> doc(handle);
    *out = RectOf(area, number);
    RtePoint offset = window ? RtePoint{-doc->scroll.v, -doc->scroll.h} : RtePoint{};
    if (scaled && doc->scaling.factor) {
        RteScaleRect(&doc->scaling, &offset, out);
        return;
    }
    RteOffsetRect(out, offset.h, offset.v);
}

RtePoint RteRepeatStep(RteHandle handle)
{
    RteLocked<RteDocument> doc(handle);
    RteRect bounds = BoundsOf(doc->wrapArea);
    RtePoint step{};
    if (doc->layoutFlags & RTE_LAYOUT_REPEAT_DOWN)
        step.v = bounds.bottom + doc->repeatGapV - bounds.top;
    if (doc->layoutFlags & RTE_LAYOUT_REPEAT_ACROSS)
        step.h = bounds.right + doc->repeatGapH - bounds.left;
    return step;
}

int32_t RteContainerRepeat(RteHandle handle, int32_t repetition, RtePoint* offset)
{
    RteLocked<RteDocument> doc(handle);
    RtePoint step = RteRepeatStep(handle);
    if (step == RtePoint{}) {
        if (offset)
            *offset = step;
        return repetition;
    }
    int32_t rects = std::max(1, RectCount(doc->wrapArea));
    int32_t copy = repetition / rects;
    if (offset)
        *offset = RtePoint{step.v * copy, step.h * copy};
    return repetition % rects;
}

void RteCallContainerHook(RteHandle handle, int32_t repetition, const RtePoint* offset, int32_t mode, intptr_t a,
                          intptr_t b)
{
    RteLocked<RteDocument> doc(handle);
    RteRect rect = RepeatedRect(handle, doc.get(), repetition);
    if (offset)
        RteOffsetRect(&rect, offset->h, offset->v);
    int32_t state = 0;
    CallHook(doc.get(), repetition + 1, rect, a, b, mode, &state);
}

void RteWalkContainers(RteHandle handle, intptr_t a, intptr_t b, const RteContainerPoint* from,
                       const RteContainerPoint* to)
{
    RteLocked<RteDocument> doc(handle);
    int32_t rects = RectCount(doc->wrapArea);
    int32_t first = from ? from->container : 0;
    int32_t last = to ? to->container : ((doc->layoutFlags & RTE_LAYOUT_REPEAT_DOWN) ? first + rects : rects - 1);
    int32_t state = 0;
    bool called = false;
    RteRect rect{};
    for (int32_t container = first; container <= last; ++container) {
        rect = RepeatedRect(handle, doc.get(), container);
        if (from && container == first)
            rect.top = from->v;
        if (to && container == last)
            rect.bottom = to->v;
        if (rect.top >= rect.bottom)
            continue;
        CallHook(doc.get(), container + 1, rect, a, b, RTE_CONTAINER_OPEN, &state);
        CallHook(doc.get(), container + 1, rect, a, b, RTE_CONTAINER_DRAW, &state);
        called = true;
    }
    if (called)
        CallHook(doc.get(), last + 1, rect, a, b, RTE_CONTAINER_CLOSE, &state);
}

void RteContainersInArea(RteHandle handle, RteRectList list, intptr_t a, intptr_t b, const RteRect* clip)
{
    RteLocked<RteDocument> doc(handle);
    RteRect bounds = BoundsOf(list);
    int32_t count = RectCount(list);
    if (count == 0 || RteEmptyRect(&bounds))
        return;
    RteRect within = bounds;
    if (clip && !RteSectRect(&bounds, clip, &within))
        return;
    doc->hooks.port(handle, 1);
    int32_t state = 0;
    CallHook(doc.get(), 1, within, a, b, RTE_CONTAINER_OPEN, &state);
    for (int32_t number = 1; number <= count; ++number) {
        RteRect rect = RectOf(list, number);
        RteRect part = rect;
        if (!clip || RteSectRect(&rect, clip, &part))
            CallHook(doc.get(), number, part, a, b, RTE_CONTAINER_DRAW, &state);
    }
    CallHook(doc.get(), count, bounds, a, b, RTE_CONTAINER_CLOSE, &state);
    doc->hooks.port(handle, 0);
}

namespace {

RteHandle ContainerValues(RteDocument* doc)
{
    if (!doc->containerValues)
        doc->containerValues = RteAllocKeyedClear(doc->env->context, sizeof(int32_t), 0, 4, doc->key);
    int32_t rects = RectCount(doc->wrapArea);
    if (RteCount(doc->containerValues) != rects) {
        int32_t old = RteCount(doc->containerValues);
        RteSetCount(doc->containerValues, rects);
        RteLocked<int32_t> values(doc->containerValues);
        for (int32_t i = old; i < rects; ++i)
            values[i] = 0;
    }
    return doc->containerValues;
}

void ContainersChanged(RteDocument* doc)
{
    RteRecalcListBounds(doc->wrapArea);
    doc->areaChanges |= RTE_AREA_WRAP_CHANGED;
    RteMarkForLayout(doc, 0, doc->textLength);
    ++doc->changes;
}

}  // namespace

void RteInsertContainer(RteHandle handle, const RteRect* rect, int32_t position, int32_t value, int16_t)
{
    RteLocked<RteDocument> doc(handle);
    RteHandle values = ContainerValues(doc.get());
    RteRectIterator rects(doc->wrapArea);
    position = std::clamp(position, 0, rects.Count());
    rects.Insert(position + 1, *rect);
    *static_cast<int32_t*>(RteInsert(values, position, 1)) = value;
    RteUnlock(values);
    ContainersChanged(doc.get());
}

void RteRemoveContainer(RteHandle handle, int32_t number, int16_t)
{
    RteLocked<RteDocument> doc(handle);
    RteHandle values = ContainerValues(doc.get());
    RteRectIterator(doc->wrapArea).Remove(number);
    RteDelete(values, number - 1, 1);
    ContainersChanged(doc.get());
}

void RteReplaceContainer(RteHandle handle, const RteRect* rect, int32_t number, int16_t)
{
    RteLocked<RteDocument> doc(handle);
    RteRectIterator(doc->wrapArea).Rect(number) = *rect;
    ContainersChanged(doc.get());
}

void RteSwapContainers(RteHandle handle, int32_t a, int32_t b, int16_t)
{
    RteLocked<RteDocument> doc(handle);
    {
        RteRectIterator rects(doc->wrapArea);
        std::swap(rects.Rect(a), rects.Rect(b));
        RteLocked<int32_t> values(ContainerValues(doc.get()));
        std::swap(values[a - 1], values[b - 1]);
    }
    ContainersChanged(doc.get());
}

int32_t RteGetContainerValue(RteHandle handle, int32_t number)
{
    RteLocked<RteDocument> doc(handle);
    return RteLocked<int32_t>(ContainerValues(doc.get()))[number - 1];
}

void RteSetContainerValue(RteHandle handle, int32_t number, int32_t value)
{
    RteLocked<RteDocument> doc(handle);
    RteLocked<int32_t>(ContainerValues(doc.get()))[number - 1] = value;
}

int32_t RteContainerAtPoint(RteHandle handle, const RtePoint* point, const RtePoint* inset)
{
    return RteAreaRectAtPoint(handle, RteLocked<RteDocument>(handle)->wrapArea, point, inset);
}

int32_t RteAreaRectAtPoint(RteHandle handle, RteRectList area, const RtePoint* point, const RtePoint* inset)
{
    RteLocked<RteDocument> doc(handle);
    RtePoint at = *point;
    if (doc->scaling.factor) {
        // The inverse factor undoes the display scaling about its origin.
        RteScaling inverse = doc->scaling;
        inverse.factor = -doc->scaling.factor;
        RteScalePoint(&inverse, nullptr, &at);
    }
    at.v += doc->scroll.v;
    at.h += doc->scroll.h;
    return RteRectListIndexAtPoint(area, &at, nullptr, inset, nullptr);
}

int32_t RteContainerIndexAtPoint(RteHandle handle, const RtePoint* point, int32_t* repetition, RtePoint* offset)
{
    RteLocked<RteDocument> doc(handle);
    RteRect bounds = BoundsOf(doc->wrapArea);
    int32_t rects = RectCount(doc->wrapArea);
    RtePoint step = RteRepeatStep(handle);
    int32_t copy = 0;
    if (step.v > 0 && point->v >= bounds.top)
        copy = (point->v - bounds.top) / step.v;
    else if (step.h > 0 && point->h >= bounds.left)
        copy = (point->h - bounds.left) / step.h;
    RtePoint shift{step.v * copy, step.h * copy};
    if (offset)
        *offset = shift;
    int32_t number = RteRectListIndexAtPoint(doc->wrapArea, point, &shift, nullptr, nullptr);
    if (repetition)
        *repetition = number ? copy * rects + number - 1 : -1;
    return number - 1;
}

void RteBroadcastStyles(RteHandle handle, int32_t argument, intptr_t verb, RteHandle styles, RteHandle formats)
{
    {
        RteLocked<RteCharStyle> records(styles);
        for (int32_t i = 0; i < records.size(); ++i)
            records[i].hooks.added(verb, handle, argument, styles, &records[i]);
    }
    RteLocked<RteParFormat> records(formats);
    for (int32_t i = 0; i < records.size(); ++i)
        records[i].hooks.table(verb, handle, argument, formats, &records[i]);
}

int32_t RteAreasChanged(RteHandle handle, bool reset)
{
    RteLocked<RteDocument> doc(handle);
    RteAreaState now{doc->port.origin, doc->scroll, doc->scaling.factor, BoundsOf(doc->wrapArea),
                     BoundsOf(doc->viewArea)};
    const RteAreaState& seen = doc->seenAreas;
    bool wrapMoved = !(doc->layoutFlags & RTE_LAYOUT_WRAP_NOT_COMPARED) && now.wrap != seen.wrap;
    bool changed = doc->areaChanges || now.origin != seen.origin || now.scroll != seen.scroll ||
                   now.factor != seen.factor || wrapMoved || now.view != seen.view;
    if (reset) {
        doc->seenAreas = now;
        doc->areaChanges = 0;
    }
    return changed ? 1 : 0;
}

void RteMoveViewArea(RteHandle handle, const RtePoint* from, const RtePoint* to)
{
    RteLocked<RteDocument> doc(handle);
    RtePoint start = from ? *from : RtePoint{};
    RtePoint end = to ? *to : doc->scroll;
    RtePoint corner{doc->viewOrigin.v + end.v - start.v, doc->viewOrigin.h + end.h - start.h};
    RteRect bounds = BoundsOf(doc->viewArea);
    int32_t dv = corner.v - bounds.top;
    int32_t dh = corner.h - bounds.left;
    if (dv || dh)
        RteOffsetRectList(doc->viewArea, dh, dv);
}

void RteScaleParFormat(RteHandle handle, RteParFormat* format, int32_t numerator, int32_t denominator)
{
    if (!denominator)
        return;
    int32_t origin = RteLocked<RteDocument>(handle)->port.origin.h;
    auto scale = [&](int32_t value, int32_t about) {
        return about + static_cast<int32_t>(static_cast<int64_t>(value - about) * numerator / denominator);
    };
    for (int32_t* measure : {&format->leftIndent, &format->rightIndent, &format->firstIndent, &format->tabSpacing,
                             &format->spaceBefore, &format->spaceAfter})
        *measure = scale(*measure, 0);
    for (int32_t i = 0; i < format->tabCount; ++i)
        format->tabs[i].position = scale(format->tabs[i].position, origin);
}

void RteScaleDocument(RteHandle handle, int16_t numerator, int16_t denominator, bool wrapToo)
{
    if (numerator == denominator || !numerator || !denominator)
        return;
    RteLocked<RteDocument> doc(handle);
    RtePoint origin = doc->port.origin;
    if (wrapToo)
        RteScaleRectListAbout(&origin, doc->wrapArea, numerator, denominator);
    RteScaleRectListAbout(&origin, doc->extraArea, numerator, denominator);
    {
        RteLocked<RteCharStyle> styles(doc->charStyles);
        for (int32_t i = 0; i < styles.size(); ++i)
            RteScaleCharStyle(handle, &styles[i], numerator, denominator);
    }
    {
        RteLocked<RteParFormat> formats(doc->parFormats);
        for (int32_t i = 0; i < formats.size(); ++i)
            RteScaleParFormat(handle, &formats[i], numerator, denominator);
    }
    RteMarkForLayout(doc.get(), 0, doc->textLength);
    TextBoundsFromWrap(doc.get());
    ++doc->changes;
}

int32_t RteContainerOfLine(RteHandle handle, int32_t offset)
{
    RteLocked<RteDocument> doc(handle);
    if (offset < 0)
        offset = RteSelectionStart(doc.get());
    RteLocked<RteTextBlock> blocks(doc->blocks);
    for (int32_t i = 0, start = 0; i < blocks.size(); start += blocks[i].length, ++i) {
        bool last = i + 1 == blocks.size();
        if ((offset >= start + blocks[i].length && !last) || !blocks[i].lines)
            continue;
        RteLocked<RteLinePiece> pieces(blocks[i].lines);
        int32_t container = 0;
        for (int32_t k = 0; k < pieces.size() && pieces[k].flags != RTE_PIECE_SENTINEL && start + pieces[k].offset <= offset; ++k)
            container = pieces[k].container;
        return container;
    }
    return 0;
}

int32_t RteFirstOffsetInContainer(RteHandle handle, int32_t number)
{
    RteLocked<RteDocument> doc(handle);
    RteLocked<RteTextBlock> blocks(doc->blocks);
    for (int32_t i = 0, start = 0; i < blocks.size(); start += blocks[i].length, ++i) {
        if (!blocks[i].lines)
            continue;
        RteLocked<RteLinePiece> pieces(blocks[i].lines);
        for (int32_t k = 0; k < pieces.size() && pieces[k].flags != RTE_PIECE_SENTINEL; ++k) {
            if (pieces[k].container == number)
                return start + pieces[k].offset;
        }
    }
    return -1;
}

void RteUpdateTextBoundsFromWrap(RteHandle handle)
{
    RteLocked<RteDocument> doc(handle);
    TextBoundsFromWrap(doc.get());
}

void RteComputeTextBounds(RteHandle handle)
{
    RteLocked<RteDocument> doc(handle);
    RteLocked<RteTextBlock> blocks(doc->blocks);
    int32_t bottom = blocks[blocks.size() - 1].bounds.bottom;
    if (RteRectListShape(doc->wrapArea) & ~RTE_SHAPE_SEVERAL) {
        for (int32_t i = 0; i < blocks.size(); ++i)
            bottom = std::max(bottom, blocks[i].bounds.bottom);
    }
    RteRect bounds = BoundsOf(doc->wrapArea);
    doc->textBounds = RteRect{blocks[0].bounds.top, bounds.left, bottom, bounds.right};
    if (!(doc->layoutFlags & RTE_LAYOUT_KEEP_LAST_HEIGHT)) {
        RteRectIterator rects(doc->wrapArea);
        if (rects.Count() > 0) {
            RteRect& last = rects.Rect(rects.Count());
            // A container never shrinks below one unit.
            int32_t fitted = bottom > last.top ? bottom : last.top + 1;
            if (fitted != last.bottom) {
                last.bottom = fitted;
                RteRecalcListBounds(doc->wrapArea);
            }
        }
    }
    if (doc->flags & kDocTextBoundsWithExtra) {
        RteRect extra = BoundsOf(doc->extraArea);
        RteUnionRect(&doc->textBounds, &extra, &doc->textBounds);
    }
}

int32_t RteExclusionSpans(RteHandle handle, RteRect* line, int32_t minimum, int32_t* lowestBottom, int32_t offset,
                          RteHandle spans)
{
    RteLocked<RteDocument> doc(handle);
    RteRect extraBounds = BoundsOf(doc->extraArea);
    RteSetCount(spans, 0);
    int32_t far = kFarAway - line->top;
    RteRect sentinel{far, line->right + 1, far, line->right + 1};
    *lowestBottom = far;
    if (RteEmptyRect(&extraBounds) || !RteSectRect(&extraBounds, line, nullptr))
        return 0;
    std::vector<RteRect> found;
    int32_t count = RectCount(doc->extraArea);
    for (int32_t number = 1; number <= count; ++number) {
        RteRect rect = RectOf(doc->extraArea, number);
        RteRect part;
        if (!RteSectRect(&rect, line, &part) || AnchoredAfter(doc.get(), number, offset))
            continue;
        *lowestBottom = std::min(*lowestBottom, rect.bottom);
        if (part.left - line->left < minimum)
            line->left = part.right;
        if (part.right - line->right > -minimum)
            line->right = part.left;
        auto joined = std::find_if(found.begin(), found.end(),
                                   [&](const RteRect& span) { return NearEdges(span, part, minimum); });
        if (joined != found.end())
            RteUnionRect(&*joined, &part, &*joined);
        else
            found.push_back(part);
    }
    std::sort(found.begin(), found.end(), [](const RteRect& a, const RteRect& b) { return a.left < b.left; });
    found.push_back(sentinel);
    RteSetCount(spans, static_cast<int32_t>(found.size()));
    RteLocked<RteRect> out(spans);
    std::copy(found.begin(), found.end(), out.get());
    return static_cast<int32_t>(found.size()) - 1;
}

void RteSetAnchor(RteHandle handle, int16_t rect, int32_t offset)
{
    RteLocked<RteDocument> doc(handle);
    if (!doc->anchors)
        doc->anchors = RteAllocKeyedClear(doc->env->context, sizeof(RteAnchor), 0, 4, doc->key);
    {
        RteLocked<RteAnchor> anchors(doc->anchors);
        for (int32_t i = 0; i < anchors.size(); ++i) {
            if (anchors[i].rect == rect) {
                anchors[i].offset = offset;
                return;
            }
        }
    }
    auto* added = static_cast<RteAnchor*>(RteAppend(doc->anchors, 1, true));
    *added = RteAnchor{offset, rect};
    RteUnlock(doc->anchors);
}

RteHandle RteGetDocUserRef(RteHandle handle) { return RteLocked<RteDocument>(handle)->userRef; }

RteHandle RteSetDocUserRef(RteHandle handle, RteHandle ref)
{
    RteLocked<RteDocument> doc(handle);
    RteHandle old = doc->userRef;
    doc->userRef = ref;
    return old;
}

uint64_t RteDocId(RteHandle handle) { return RteLocked<RteDocument>(handle)->identity; }
