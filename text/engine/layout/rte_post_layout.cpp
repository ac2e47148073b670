// The default post-layout hook: once a block is laid out, paragraphs that must stay together or
// keep a few lines on each side of a container break send their first line to the next
// container, and a text that does not fit its wrap area counts what overflows.
#include <algorithm>
#include <vector>

#include "rect_list.h"
#include "rte_areas.h"
#include "rte_line_piece.h"
#include "rte_paragraph_hooks.h"
#include "rte_runs.h"
#include "rte_text_blocks.h"
#include "rte_typed.h"

namespace {

// A laid-out line of the block: where it starts, its container and whether it starts or ends
// its paragraph.
struct Line {
    int32_t offset;  // in the text
    int32_t container;
    bool parFirst;
    bool parLast;
    int32_t bottom;
};

std::vector<Line> LinesOf(const RteTextBlock& block, int32_t blockStart)
{
    std::vector<Line> lines;
    if (!block.lines)
        return lines;
    RteLocked<RteLinePiece> pieces(block.lines);
    int32_t count = RtePieceCount(pieces.get(), pieces.size());
    for (int32_t i = 0; i < count; ++i) {
        const RteLinePiece& piece = pieces[i];
        if (i == 0 || (piece.flags & RTE_PIECE_LINE_FIRST))
            lines.push_back({blockStart + piece.offset, piece.container, (piece.flags & RTE_PIECE_PAR_FIRST) != 0,
                             false, piece.rect.bottom});
        Line& line = lines.back();
        line.parLast = line.parLast || (piece.flags & RTE_PIECE_PAR_LAST);
        line.bottom = std::max(line.bottom, piece.rect.bottom);
    }
    return lines;
}

// Paragraph i of the block: lines [first, end).
struct Paragraph {
    size_t first;
    size_t end;
};

std::vector<Paragraph> ParagraphsOf(const std::vector<Line>& lines)
{
    std::vector<Paragraph> paragraphs;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i == 0 || lines[i].parFirst || lines[i - 1].parLast)
            paragraphs.push_back({i, i});
        paragraphs.back().end = i + 1;
    }
    return paragraphs;
}

bool KeptTogether(RteHandle handle, int32_t offset)
{
    RteParFormat* format = RteParFormatAt(handle, offset);
    bool keep = (format->units2to6[RTE_PAR_KEEP_UNIT] & RTE_PAR_KEEP_TOGETHER) != 0;
    RteUnlock(RteLocked<RteDocument>(handle)->parFormats);
    return keep;
}

class BreakRules {
public:
    // The block's lines, after the lines of earlier blocks that belong with its first paragraph:
    // the start of that paragraph and, while paragraphs are kept together, of the kept
    // paragraphs before it. A break the rules ask for may then lie in an earlier block.
    BreakRules(RteHandle handle, RteDocument* doc, int32_t block)
        : handle_(handle), doc_(doc),
          lines_(LinesOf(RteLocked<RteTextBlock>(doc->blocks)[block], RteBlockStart(doc, block)))
    {
        std::vector<Line> earlier;  // from the block's start backwards
        for (int32_t b = block - 1; b >= 0 && !lines_.empty(); --b) {
            std::vector<Line> lines = LinesOf(RteLocked<RteTextBlock>(doc->blocks)[b], RteBlockStart(doc, b));
            for (auto line = lines.rbegin(); line != lines.rend(); ++line) {
                const Line& next = earlier.empty() ? lines_.front() : earlier.back();
                bool paragraphStart = next.parFirst || line->parLast;
                if (paragraphStart && !(KeptTogether(handle, next.offset) && KeptTogether(handle, line->offset))) {
                    before_ = line->container;
                    lines_.insert(lines_.begin(), earlier.rbegin(), earlier.rend());
                    return;
                }
                earlier.push_back(*line);
            }
        }
        lines_.insert(lines_.begin(), earlier.rbegin(), earlier.rend());
    }

    // The line where a new container must start, or -1 when every rule holds.
    int32_t ForcedLine() const
    {
        std::vector<Paragraph> paragraphs = ParagraphsOf(lines_);
        int32_t line = KeepTogether(paragraphs);
        return line >= 0 ? line : WidowsAndOrphans(paragraphs);
    }

    int32_t OffsetOf(int32_t line) const { return lines_[static_cast<size_t>(line)].offset; }

private:
    int32_t ContainerOf(size_t line) const { return line == 0 ? before_ : lines_[line - 1].container; }
    // A line already first in its container gains nothing by moving.
    bool Movable(size_t line) const { return ContainerOf(line) == lines_[line].container; }
    // The first line of [first, end) placed in another container than the line before it.
    size_t ChangeIn(size_t first, size_t end) const
    {
        for (size_t i = first + 1; i < end; ++i) {
            if (lines_[i].container != lines_[i - 1].container)
                return i;
        }
        return end;
    }

    int32_t KeepTogether(const std::vector<Paragraph>& paragraphs) const
    {
        for (size_t p = 0; p < paragraphs.size();) {
            size_t q = p;
            while (q < paragraphs.size() && KeptTogether(handle_, lines_[paragraphs[q].first].offset))
                ++q;
            if (q > p) {
                size_t first = paragraphs[p].first;
                if (ChangeIn(first, paragraphs[q - 1].end) < paragraphs[q - 1].end && Movable(first))
                    return static_cast<int32_t>(first);
            }
            p = q + (q == p ? 1 : 0);
        }
        return -1;
    }

    int32_t WidowsAndOrphans(const std::vector<Paragraph>& paragraphs) const
    {
        size_t minBefore = static_cast<size_t>(std::max<int16_t>(doc_->minLinesBefore, 0));
        size_t minAfter = static_cast<size_t>(std::max<int16_t>(doc_->minLinesAfter, 0));
        if (!minBefore && !minAfter)
            return -1;
        for (const Paragraph& paragraph : paragraphs) {
            size_t change = ChangeIn(paragraph.first, paragraph.end);
            if (change == paragraph.end)
                continue;
            size_t before = change - paragraph.first;
            size_t after = paragraph.end - change;
            size_t line = change;
            if (before < minBefore) {
                line = paragraph.first;
            } else if (after < minAfter) {
                // Lines move on until the next container has its minimum, unless too few stay.
                size_t deficit = minAfter - after;
                bool enoughStay = before > deficit && before - deficit >= minBefore;
                line = enoughStay ? change - deficit : paragraph.first;
            }
            if (line != change && Movable(line))
                return static_cast<int32_t>(line);
        }
        return -1;
    }

    RteHandle handle_;
    RteDocument* doc_;
    std::vector<Line> lines_;
    // The container of the line before the first line kept; -1 (no container) at the text's start.
    int32_t before_ = -1;
};

// The characters from the first line placed below the wrap bounds to the text's end.
int32_t Overflow(RteDocument* doc)
{
    int32_t bottom = RteRectIterator(doc->wrapArea).Bounds().bottom;
    RteLocked<RteTextBlock> blocks(doc->blocks);
    for (int32_t b = 0, start = 0; b < blocks.size(); start += blocks[b].length, ++b) {
        for (const Line& line : LinesOf(blocks[b], start)) {
            if (line.bottom > bottom) {
                int32_t count = doc->textLength - line.offset;
                return count ? count : -1;
            }
        }
    }
    return 0;
}

}  // namespace

intptr_t RteDefaultPostLayout(RteHandle handle, intptr_t block, intptr_t, intptr_t from, intptr_t to, intptr_t)
{
    RteLocked<RteDocument> doc(handle);
    auto index = static_cast<int32_t>(block);
    RteTextBlock entry = RteLocked<RteTextBlock>(doc->blocks)[index];
    if (doc->layoutFlags & RTE_LAYOUT_REPEAT_DOWN) {
        if (doc->forcedBreak || from >= to || !entry.lines)
            return 0;
        BreakRules rules(handle, doc.get(), index);
        int32_t line = rules.ForcedLine();
        if (line < 0)
            return 0;
        // The blocks from the one that holds the break are laid out again.
        int32_t offset = rules.OffsetOf(line);
        doc->forcedBreak = offset;
        RteMarkForLayout(doc.get(), offset, RteBlockStart(doc.get(), index) + entry.length);
        return 1;
    }
    int32_t last = RteCount(doc->blocks) - 1;
    RteTextBlock lastBlock = RteLocked<RteTextBlock>(doc->blocks)[last];
    if (doc->textLength == 0 || !(doc->flags2 & RTE_DOC2_COUNT_OVERFLOW) ||
        !(doc->layoutFlags & RTE_LAYOUT_KEEP_LAST_HEIGHT) || !lastBlock.lines || (lastBlock.flags & RTE_BLOCK_RELAYOUT))
        return 0;
    doc->overflow = RteRectIterator(doc->wrapArea).Bounds().bottom < lastBlock.bounds.bottom ? Overflow(doc.get()) : 0;
    return 0;
}
