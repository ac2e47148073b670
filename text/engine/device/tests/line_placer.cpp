// The tests' placer: lines of one column, laid out and drawn with the engine's hooks.
#include "line_placer.h"

#include <algorithm>
#include <cstring>

#include "device_fixture.h"
#include "rte_gdi_text.h"
#include "rte_line_break.h"
#include "rte_paragraph_hooks.h"
#include "rte_position_cache.h"
#include "rte_text_blocks.h"
#include "rte_typed.h"

namespace {

RteParFormat FormatAt(RteHandle doc, int32_t offset)
{
    RteParFormat format = *RteParFormatAt(doc, offset);
    RteUnlock(RteLocked<RteDocument>(doc)->parFormats);
    return format;
}

RteHookTable HooksOf(RteHandle doc)
{
    RteHookTable hooks;
    RteGetDocHooks(doc, &hooks);
    return hooks;
}

bool IsRunStart(RteHandle doc, int32_t offset)
{
    RteLocked<RteDocument> model(doc);
    RteLocked<RteStyleRun> runs(model->charRuns);
    for (int32_t i = 0; i < runs.size(); ++i) {
        if (runs[i].offset == offset)
            return true;
    }
    return false;
}

}  // namespace

LinePlacer::LinePlacer(RteHandle doc, const RteRect& column) : doc_(doc), column_(column)
{
    RteDocument model;
    RteGetElement(doc, 0, &model);
    RteTextBlock block = RteLocked<RteTextBlock>(model.blocks)[0];
    text_.assign(static_cast<const char*>(RteLock(block.text)), block.length);
    RteUnlock(block.text);
    RteHandle handle = nullptr;
    int32_t* positions = RteBlockPositions(doc, 0, &handle, nullptr);
    positions_.assign(positions, positions + RteCount(handle));
    RteReleasePositions(doc, handle);
}

const std::vector<PlacedLine>& LinePlacer::Place()
{
    lines_.clear();
    int32_t y = column_.top;
    auto length = static_cast<int32_t>(text_.size());
    for (int32_t start = 0; start < length;) {
        auto end = static_cast<int32_t>(text_.find('\r', start));
        if (end < 0)
            end = length;
        PlaceParagraph(start, end, &y, end + 1 >= length);
        start = end + 1;
    }
    return lines_;
}

void LinePlacer::PlaceParagraph(int32_t start, int32_t end, int32_t* y, bool lastParagraph)
{
    RteParFormat format = FormatAt(doc_, start);
    RteHookTable hooks = HooksOf(doc_);
    int32_t lineStart = start;
    do {
        // Pieces from the line start up to a limit; the first character that does not fit
        // stops them when asked.
        auto build = [&](int32_t limit, bool checkFit, int32_t* overflow) {
            std::vector<PlacedPiece> pieces;
            int32_t x = column_.left;
            int32_t pieceStart = lineStart;
            auto close = [&](int32_t at, bool tab, int32_t right, int32_t tabLeft, uint16_t flags) {
                RteLinePiece piece{static_cast<uint16_t>(pieceStart), 0, 0, flags, 0, RteRect{0, x, 0, right}};
                pieces.push_back({pieceStart, at, tab, tabLeft, 0, piece});
                x = right;
                pieceStart = at + (tab ? 1 : 0);
            };
            *overflow = -1;
            for (int32_t i = lineStart; i < limit; ++i) {
                if (i > pieceStart && IsRunStart(doc_, i))
                    close(i, false, x + Width(pieceStart, i), 0, 0);
                if (text_[i] == '\t') {
                    int32_t tabLeft = x + Width(pieceStart, i);
                    RteStyleWalk walker;
                    RteStyleWalkBegin(doc_, i, &walker, false);
                    RteTabRequest request{&walker, tabLeft, i, column_.left,
                                          reinterpret_cast<const uint8_t*>(text_.data()) + i + 1, end - i - 1,
                                          positions_.data() + i + 1, 0};
                    auto tabEnd = static_cast<int32_t>(
                        format.hooks.tab(doc_, &format, reinterpret_cast<intptr_t>(&request), 0, 0));
                    RteStyleWalkEnd(doc_, false);
                    int32_t stop = request.stop & 0x7FFF;
                    bool left = !request.stop || (format.tabs[stop].kind & 0xFFF) == RTE_TAB_LEFT;
                    close(i, true, tabEnd, tabLeft, left ? RTE_PIECE_LEFT_TAB : RTE_PIECE_OTHER_TAB);
                    pieces.back().stop = request.stop;
                    continue;
                }
                if (checkFit && i > lineStart && x + Width(pieceStart, i + 1) > column_.right) {
                    *overflow = i;
                    return pieces;
                }
            }
            if (pieceStart < limit || pieces.empty())
                close(limit, false, x + Width(pieceStart, limit), 0, 0);
            return pieces;
        };
        int32_t overflow = -1;
        std::vector<PlacedPiece> pieces = build(end, true, &overflow);
        int32_t lineEnd = end;
        if (overflow >= 0) {
            RteStyleWalk walker;
            RteStyleWalkBegin(doc_, 0, &walker, false);
            RteLineBreak request{0, static_cast<int32_t>(text_.size()), &walker,
                                 reinterpret_cast<const uint8_t*>(text_.data()), lineStart, overflow,
                                 positions_.data(), 0, 0};
            hooks.lineBreak(doc_, reinterpret_cast<intptr_t>(&request), 0, 0, 0, 0);
            RteStyleWalkEnd(doc_, false);
            lineEnd = request.breakIndex;
            pieces = build(lineEnd, false, &overflow);
        }
        int32_t ascent = 0;
        int32_t descent = 0;
        for (const PlacedPiece& placed : pieces) {
            RteCharStyle style = StyleAt(doc_, placed.start);
            ascent = std::max<int32_t>(ascent, style.ascent);
            descent = std::max<int32_t>(descent, style.descent + style.leading);
        }
        PlacedLine line{lineStart, lineEnd, *y + ascent, lineEnd >= end, false,
                        RteRect{*y, column_.left, *y + ascent + descent, column_.right}, {}};
        std::vector<RteLinePiece> linePieces;
        for (PlacedPiece& placed : pieces) {
            placed.piece.rect.top = line.rect.top;
            placed.piece.rect.bottom = line.rect.bottom;
            linePieces.push_back(placed.piece);
        }
        linePieces.front().flags |= RTE_PIECE_LINE_FIRST | (lineStart == start ? RTE_PIECE_PAR_FIRST : 0);
        linePieces.back().flags |= RTE_PIECE_LINE_LAST | (line.endsParagraph ? RTE_PIECE_PAR_LAST : 0);
        intptr_t state = line.endsParagraph && lastParagraph ? RTE_LINE_LAST_OF_TEXT : 0;
        hooks.justify(doc_, state, reinterpret_cast<intptr_t>(linePieces.data()),
                      static_cast<intptr_t>(linePieces.size()), reinterpret_cast<intptr_t>(&line.rect),
                      reinterpret_cast<intptr_t>(&format));
        for (size_t i = 0; i < pieces.size(); ++i)
            pieces[i].piece = linePieces[i];
        line.justified = format.alignment == RTE_ALIGN_JUSTIFY && !line.endsParagraph;
        line.pieces = pieces;
        *y = line.rect.bottom;
        lines_.push_back(line);
        lineStart = lineEnd;
        while (lineStart < end && text_[lineStart] == ' ')
            ++lineStart;
    } while (lineStart < end);
}

int32_t LinePlacer::XOf(const PlacedLine& line, int32_t offset) const
{
    for (const PlacedPiece& placed : line.pieces) {
        if (offset < placed.start || offset > placed.end)
            continue;
        // The piece's justification goes to its blanks (to every character when it has none),
        // each taking its share after itself, as the run is drawn.
        auto blanksIn = [&](int32_t to) {
            return static_cast<int32_t>(std::count(text_.begin() + placed.start, text_.begin() + to, ' '));
        };
        int32_t shares = blanksIn(placed.end);
        int32_t taken = shares ? blanksIn(offset) : offset - placed.start;
        int32_t all = shares ? shares : std::max(placed.end - placed.start, 1);
        int32_t spread = RteDecodeExtra(placed.piece.extra) * taken / all;
        return placed.piece.rect.left + Width(placed.start, offset) + spread;
    }
    return line.pieces.back().piece.rect.right;
}

void LinePlacer::Draw(bool invisibles) const
{
    RteHookTable hooks = HooksOf(doc_);
    hooks.port(doc_, 1);
    const auto* bytes = reinterpret_cast<const uint8_t*>(text_.data());
    for (const PlacedLine& line : lines_) {
        RteParFormat format = FormatAt(doc_, line.start);
        for (const PlacedPiece& placed : line.pieces) {
            RteCharStyle style = StyleAt(doc_, placed.start);
            RteDrawRun run{bytes + placed.start,   placed.end - placed.start, 0, placed.start, placed.piece.rect.left,
                           line.baseline,          line.rect, RteDecodeExtra(placed.piece.extra), 0, 0};
            if (run.count > 0)
                style.hooks.draw(doc_, &style, reinterpret_cast<intptr_t>(&run), 0, 0, 0);
            if (!placed.tab)
                continue;
            uint8_t leader = placed.stop ? static_cast<uint8_t>(format.tabs[placed.stop & 0x7FFF].leader) : 0;
            RteTabLeader gap{&style, leader, placed.piece.rect.left + run.width, placed.piece.rect.right, line.baseline};
            format.hooks.draw(doc_, &format, RTE_PAR_DRAW_TAB_LEADER, reinterpret_cast<intptr_t>(&gap), 0);
        }
        if (!invisibles)
            continue;
        std::vector<int32_t> positions;
        for (int32_t offset = line.start; offset <= line.end; ++offset)
            positions.push_back(XOf(line, offset) - line.rect.left);
        RteCharStyle style = StyleAt(doc_, line.start);
        bool lastOfText = line.end + 1 >= static_cast<int32_t>(text_.size());
        RteInvisibles marks{&style,        bytes + line.start, line.end - line.start, positions.data(), line.rect.left,
                            line.baseline, line.endsParagraph ? (lastOfText ? RTE_LINE_ENDS_TEXT : RTE_LINE_ENDS_PARAGRAPH) : 0};
        hooks.drawInvisibles(doc_, reinterpret_cast<intptr_t>(&marks), 0, 0, 0, 0);
    }
    hooks.port(doc_, 0);
}
