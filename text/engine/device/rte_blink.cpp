// Blinking text: the runs of styles with the blink mark are shown inverted while the
// environment's blink phase is 1, so that each change of phase inverts them once more.
#include "rte_blink.h"

#include <algorithm>
#include <span>
#include <vector>

#include "device_rects.h"
#include "rect_list.h"
#include "rect_ops.h"
#include "rte_bidi.h"
#include "rte_document_internal.h"
#include "rte_gdi_port.h"
#include "rte_gdi_text.h"
#include "rte_line_piece.h"
#include "rte_text_blocks.h"

using namespace rte_document;

namespace {

// Document flags: either switch makes the document inactive.
constexpr uint32_t kInactive = 0x10000 | 0x20000;

// The rects of every blinking run of the laid-out blocks, as drawn.
void AddBlinkingRects(RteHandle handle, RteRectList list)
{
    std::vector<RteStyleRun> runs;
    int32_t blockCount = 0;
    {
        RteLocked<RteDocument> doc(handle);
        RteLocked<RteStyleRun> entries(doc->charRuns);
        runs.assign(entries.get(), entries.get() + entries.size());
        blockCount = RteCount(doc->blocks);
    }
    for (int32_t b = 0; b < blockCount; ++b) {
        RteLocked<RteDocument> doc(handle);
        RteTextBlock block = RteLocked<RteTextBlock>(doc->blocks)[b];
        if (!block.lines || block.length == 0)
            continue;
        int32_t start = RteBlockStart(doc.get(), b);
        for (size_t i = 0; i + 1 < runs.size(); ++i) {
            RteSelectPoint from{};
            RteSelectPoint to{};
            from.offset = std::max(runs[i].offset, start);
            to.offset = std::min(runs[i + 1].offset, start + block.length);
            if (from.offset >= to.offset)
                continue;
            RteCharStyle style = ElementOf<RteCharStyle>(doc->charStyles, runs[i].index);
            if (style.units23to34[RTE_STYLE_BLINK_UNIT])
                RteRangeHighlightRects(handle, b, list, &from, &to);
        }
    }
}

// The phase has just changed: what was shown inverted comes back, and the other way.
void InvertRects(RteHandle handle, RteDocument* doc, std::span<RteRect> rects)
{
    doc->hooks.port(handle, 1);
    RteGdiPort* port = RteGdiOf(doc->env)->current;
    HDC dc = RtePortGetDC(port);
    RtePoint scroll{-doc->scroll.v, -doc->scroll.h};
    for (const RteRect& rect : rects) {
        RteWinRect win;
        RteRectToWin(&rect, &scroll, &win);
        RECT area{win.left, win.top, win.right, win.bottom};
        InvertRect(dc, &area);
    }
    RtePortReleaseDC(port);
    doc->hooks.port(handle, 0);
}

}  // namespace

void RteDrawBlink(const RteEnvironment* env, HDC dc, const RECT& area)
{
    if (RteGdiOf(env)->blinkPhase)
        InvertRect(dc, &area);
}

intptr_t RteBlinkRedraw(RteHandle handle, intptr_t tick, intptr_t, intptr_t, intptr_t, intptr_t)
{
    RteLocked<RteDocument> doc(handle);
    if (tick != RTE_BLINK_SECOND || (doc->flags & kInactive))
        return 0;
    RteRect none{};
    RteRectList list = RteNewRectList(doc->env->context, &none);
    AddBlinkingRects(handle, list);
    {
        RteRectIterator rects(list);
        if (!RteEmptyRect(&rects.Bounds()))
            InvertRects(handle, doc.get(), rects.Rects());
    }
    RteFreeRectList(list);
    return 0;
}
