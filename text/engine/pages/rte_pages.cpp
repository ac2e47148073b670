// Pages of the laid-out text in a target rect, line tops and paragraph line counts.
#include <algorithm>

#include "rect_list.h"
#include "rect_ops.h"
#include "rte_areas.h"
#include "rte_laid_out_lines.h"
#include "rte_line_builder.h"
#include "rte_pages.h"
#include "rte_redisplay.h"
#include "rte_text_blocks.h"
#include "rte_typed.h"

namespace {

// Document flag: the text is drawn page by page.
constexpr uint32_t kPageMode = 0x00200000;

size_t LineIndexAt(const std::vector<RteLaidOutLine>& lines, int32_t offset)
{
    for (size_t i = 0; i < lines.size(); ++i)
        if (offset < lines[i].end)
            return i;
    return lines.empty() ? 0 : lines.size() - 1;
}

// The first line of the next page, or the line count when the text ends on this one.
size_t PageEnd(const std::vector<RteLaidOutLine>& lines, size_t first, int32_t height)
{
    int32_t top = lines[first].rect.top;
    size_t i = first + 1;
    while (i < lines.size() && lines[i].rect.bottom - top <= height)
        ++i;
    return i;
}

void DrawLines(RteHandle doc, const RteDrawPort* port, const RteRect& target, int32_t top, int32_t from,
               int32_t to, int16_t redraw)
{
    RteRectList view = RteNewRectList(RteHandleContext(doc), &target);
    RtePoint saved;
    {
        RteLocked<RteDocument> locked(doc);
        saved = locked->scroll;
        locked->scroll = RtePoint{top - target.top, -target.left};
        locked->flags |= kPageMode;
    }
    RteRedisplay(doc, port, from, to, view, nullptr, redraw == RTE_REDRAW_DEFAULT ? 3 : redraw, false);
    {
        RteLocked<RteDocument> locked(doc);
        locked->scroll = saved;
        locked->flags &= ~kPageMode;
    }
    RteFreeRectList(view);
}

bool CountsLines(RteHandle doc) { return (RteLocked<RteDocument>(doc)->flags & RTE_DOC_COUNT_LINES) != 0; }

std::vector<RteLaidOutLine> ParagraphLines(RteHandle doc)
{
    std::vector<RteLaidOutLine> paragraphs;
    for (const RteLaidOutLine& line : RteLaidOutLines(doc))
        if (line.firstFlags & RTE_PIECE_PAR_FIRST)
            paragraphs.push_back(line);
    return paragraphs;
}

}  // namespace

int32_t RteDrawPage(RteHandle doc, const RteDrawPort* port, int32_t from, const RteRect* target, int16_t redraw)
{
    std::vector<RteLaidOutLine> lines = RteLaidOutLines(doc);
    size_t first = LineIndexAt(lines, std::max(0, from));
    size_t end = PageEnd(lines, first, target->bottom - target->top);
    int32_t next = end < lines.size() ? lines[end].start : 0;
    if (redraw != RTE_REDRAW_NONE) {
        int32_t to = next > 0 ? next - 1 : -1;
        DrawLines(doc, port, *target, lines[first].rect.top, lines[first].start, to, redraw);
    }
    return next;
}

int32_t RtePageCount(RteHandle doc, const RteRect* target)
{
    int32_t pages = 1;
    for (int32_t from = 0; (from = RteDrawPage(doc, nullptr, from, target, RTE_REDRAW_NONE)) > 0;)
        ++pages;
    return pages;
}

int32_t RtePageStart(RteHandle doc, int32_t page, const RteRect* target)
{
    int32_t from = 0;
    for (int32_t n = 1; n < page; ++n) {
        from = RteDrawPage(doc, nullptr, from, target, RTE_REDRAW_NONE);
        if (from == 0)
            return 0;
    }
    return from;
}

int32_t RteLastPageNumber(RteHandle doc, RteRect* rect)
{
    std::vector<RteLaidOutLine> lines = RteLaidOutLines(doc);
    int32_t container = lines.empty() ? 1 : lines.back().container;
    RtePoint offset;
    RteContainerRepeat(doc, container - 1, &offset);
    int32_t rects = std::max(1, RteContainerCount(doc));
    RtePoint step = RteRepeatStep(doc);
    int32_t page = step.v == 0 && step.h == 0 ? 1 : (container - 1) / rects + 1;
    if (rect) {
        RteRect wrap, view;
        RteGetAreaBounds(doc, &wrap, &view);
        RteOffsetRect(&wrap, offset.h, offset.v);
        *rect = wrap;
    }
    return page;
}

int32_t RteLineTopAt(RteHandle doc, int32_t offset)
{
    std::vector<RteLaidOutLine> lines = RteLaidOutLines(doc);
    const RteLaidOutLine& line = lines[LineIndexAt(lines, offset)];
    RteRect container;
    RteGetContainer(doc, line.container, false, false, &container);
    return line.rect.top - container.top;
}

int32_t RteParagraphLineCount(RteHandle doc)
{
    return CountsLines(doc) ? static_cast<int32_t>(ParagraphLines(doc).size()) : 0;
}

int32_t RteParagraphNumberAt(RteHandle doc, int32_t offset, bool atEnd)
{
    if (!CountsLines(doc))
        return 0;
    int32_t number = 0;
    for (const RteLaidOutLine& line : ParagraphLines(doc))
        if (atEnd ? line.start < offset : line.start <= offset)
            ++number;
    return std::max(number, 1);
}

int32_t RteParagraphLineRange(RteHandle doc, int32_t number, int32_t* start, int32_t* end)
{
    std::vector<RteLaidOutLine> paragraphs = CountsLines(doc) ? ParagraphLines(doc) : std::vector<RteLaidOutLine>{};
    if (number < 1 || number > static_cast<int32_t>(paragraphs.size()))
        return 0;
    RteLocked<RteDocument> locked(doc);
    *start = paragraphs[static_cast<size_t>(number - 1)].start;
    bool last = number == static_cast<int32_t>(paragraphs.size());
    *end = last ? locked->textLength : paragraphs[static_cast<size_t>(number)].start;
    // The break character that closes it is no part of it.
    if (*end > *start && RteTextByteAt(locked.get(), *end - 1) == RTE_PARAGRAPH_END)
        --*end;
    return 1;
}
