// Lines of the second kind (every display line, where the paragraph counts take only the lines
// that start paragraphs), the rects of numbered lines, and the container rect of a line.
#include <algorithm>
#include <vector>

#include "rte_activation.h"
#include "rte_areas.h"
#include "rte_laid_out_lines.h"
#include "rte_pages.h"
#include "rte_redisplay.h"
#include "rte_typed.h"

namespace {

bool CountsLines(RteHandle doc) { return (RteLocked<RteDocument>(doc)->flags & RTE_DOC_COUNT_LINES) != 0; }

std::vector<RteLaidOutLine> DisplayLines(RteHandle doc)
{
    return CountsLines(doc) ? RteLaidOutLines(doc) : std::vector<RteLaidOutLine>{};
}

// The bounds of [start, end) with the end pulled back off a last character that lies past the
// start, as the range bounds give them.
int32_t LineRect(RteHandle doc, int32_t start, int32_t end, bool pullBack, bool window, bool scaled, RteRect* rect)
{
    RteRange range{start, pullBack && end > start + 1 ? end - 1 : end};
    RteRangeBounds(doc, &range, window, scaled, rect);
    return 1;
}

}  // namespace

int32_t RteSecondLineCount(RteHandle doc) { return static_cast<int32_t>(DisplayLines(doc).size()); }

int32_t RteSecondNumberAt(RteHandle doc, int32_t offset)
{
    std::vector<RteLaidOutLine> lines = DisplayLines(doc);
    int32_t number = 0;
    for (const RteLaidOutLine& line : lines)
        if (line.start <= offset)
            ++number;
    return lines.empty() ? 0 : std::max(number, 1);
}

int32_t RteSecondLineRange(RteHandle doc, int32_t number, int32_t* start, int32_t* end)
{
    std::vector<RteLaidOutLine> lines = DisplayLines(doc);
    if (number < 1 || number > static_cast<int32_t>(lines.size()))
        return 0;
    const RteLaidOutLine& line = lines[static_cast<size_t>(number - 1)];
    *start = line.start;
    *end = line.end;
    return 1;
}

int32_t RteSecondLineRect(RteHandle doc, int32_t number, bool window, bool scaled, RteRect* rect)
{
    int32_t start = 0, end = 0;
    if (!RteSecondLineRange(doc, number, &start, &end))
        return 0;
    return LineRect(doc, start, end, true, window, scaled, rect);
}

int32_t RteParagraphLineRect(RteHandle doc, int32_t number, bool window, bool scaled, RteRect* rect)
{
    int32_t start = 0, end = 0;
    if (!RteParagraphLineRange(doc, number, &start, &end))
        return 0;
    return LineRect(doc, start, end, false, window, scaled, rect);
}

void RteContainerRectAt(RteHandle doc, int32_t offset, int32_t tabBase, RteRect* rect)
{
    int32_t container = std::max(1, RteContainerOfLine(doc, offset));
    RtePoint copy;
    int32_t index = RteContainerRepeat(doc, container - 1, &copy);
    RteGetContainer(doc, tabBase == RTE_CONTAINER_FIRST ? 1 : index + 1, false, false, rect);
    if (tabBase == RTE_CONTAINER_UNMOVED)
        return;
    rect->top += copy.v;
    rect->bottom += copy.v;
    rect->left += copy.h;
    rect->right += copy.h;
    if (tabBase >= 0) {
        rect->left += tabBase;
        rect->right += tabBase;
    }
}

void RteDisplayParagraphs(RteHandle doc, int32_t first, int32_t last, const RteDrawPort* port, RteRectList view,
                          RteRectList wrap, const RtePoint* offset, int16_t mode)
{
    int32_t from = 0, unused = 0, to = 0;
    if (!RteParagraphLineRange(doc, first, &from, &unused) || !RteParagraphLineRange(doc, last, &unused, &to))
        return;
    RteDisplayRange(doc, port, view, wrap, offset, mode, from, to);
}
