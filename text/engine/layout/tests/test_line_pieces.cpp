// Direction runs of line pieces: their lengths, reversal and mirroring, and line rects.
#include <gtest/gtest.h>

#include <vector>

#include "rte_line_piece.h"

namespace {

// Pieces side by side from x with the widths given; rtl marks the right-to-left ones.
std::vector<RteLinePiece> Pieces(int32_t x, const std::vector<int32_t>& widths, const std::vector<bool>& rtl)
{
    std::vector<RteLinePiece> pieces;
    for (size_t i = 0; i < widths.size(); ++i) {
        uint16_t flags = rtl[i] ? RTE_PIECE_RTL : 0;
        pieces.push_back(RteLinePiece{0, 0, 0, flags, 0, RteRect{0, x, 10, x + widths[i]}});
        x += widths[i];
    }
    pieces.front().flags |= RTE_PIECE_LINE_FIRST;
    pieces.back().flags |= RTE_PIECE_LINE_LAST;
    return pieces;
}

std::vector<std::pair<int32_t, int32_t>> Spans(const std::vector<RteLinePiece>& pieces)
{
    std::vector<std::pair<int32_t, int32_t>> spans;
    for (const RteLinePiece& piece : pieces)
        spans.emplace_back(piece.rect.left, piece.rect.right);
    return spans;
}

using Spans_ = std::vector<std::pair<int32_t, int32_t>>;

TEST(LinePiecesTest, ARightToLeftRunReadsFromRightToLeft)
{
    std::vector<RteLinePiece> pieces = Pieces(100, {10, 20, 30}, {true, true, true});
    RteReverseRtlRuns(pieces.data(), 0);
    EXPECT_EQ(Spans(pieces), (Spans_{{150, 160}, {130, 150}, {100, 130}}));
}

TEST(LinePiecesTest, OnlyRightToLeftRunsAreReversed)
{
    std::vector<RteLinePiece> pieces = Pieces(0, {5, 10, 20, 7, 3}, {false, true, true, false, true});
    RteReverseRtlRuns(pieces.data(), 5);
    EXPECT_EQ(Spans(pieces), (Spans_{{0, 5}, {25, 35}, {5, 25}, {35, 42}, {42, 45}}));
    std::vector<RteLinePiece> ltr = Pieces(0, {5, 10}, {false, false});
    RteReverseRtlRuns(ltr.data(), 0);
    EXPECT_EQ(Spans(ltr), (Spans_{{0, 5}, {5, 15}}));
}

TEST(LinePiecesTest, DirectionRuns)
{
    std::vector<RteLinePiece> pieces = Pieces(0, {5, 10, 20, 7}, {false, true, true, false});
    EXPECT_EQ(RteDirectionRunLength(&pieces[0], 0, false), 1);
    EXPECT_EQ(RteDirectionRunLength(&pieces[1], 0, false), 2);
    EXPECT_EQ(RteDirectionRunLength(&pieces[1], 1, false), 1) << "within the count";
    EXPECT_EQ(RteDirectionRunLength(&pieces[2], 0, true), 2);
    EXPECT_EQ(RteDirectionRunLength(&pieces[3], 0, false), 1) << "stops at the line's last piece";
    EXPECT_EQ(RteDirectionRunLength(&pieces[0], 0, true), 1) << "stops at the line's first piece";
    EXPECT_EQ(RteLineHasRtl(pieces.data(), 0), 1);
    EXPECT_EQ(RteLineHasRtl(pieces.data(), 1), 0);
}

TEST(LinePiecesTest, RunsMirrorWithinTheLine)
{
    std::vector<RteLinePiece> pieces = Pieces(0, {10, 20, 30}, {false, true, true});
    RteRect line{0, 0, 10, 100};
    RteMirrorRuns(&line, pieces.data(), 0);
    EXPECT_EQ(Spans(pieces), (Spans_{{90, 100}, {40, 60}, {60, 90}}));
    RteRect rect{0, 10, 5, 30};
    RteMirrorRectIn(&line, &rect);
    EXPECT_EQ(rect, (RteRect{0, 70, 5, 90}));
}

TEST(LinePiecesTest, TheLineRectCoversItsPieces)
{
    std::vector<RteLinePiece> pieces = Pieces(20, {10, 20}, {false, false});
    pieces[1].rect.bottom = 14;
    RteRect rect;
    RteLineRect(pieces.data(), &rect);
    EXPECT_EQ(rect, (RteRect{0, 20, 14, 50}));
}

TEST(LinePiecesTest, CaretsReadFromTheEdgeTheirPieceStartsAt)
{
    // A piece of three characters 4, 6 and 2 wide from offset 5 of its block, 12 wide from x = 30.
    const int32_t positions[] = {0, 0, 0, 0, 0, 10, 14, 20, 22};
    const std::vector<int32_t> advances = {0, 4, 10, 12};
    for (bool rtl : {false, true}) {
        RteLinePiece piece = Pieces(30, {12}, {rtl}).front();
        piece.offset = 5;
        for (int32_t k = 0; k < 4; ++k)
            EXPECT_EQ(rtl ? 12 - advances[k] : advances[k], RtePieceCaretH(piece, positions, 5 + k))
                << (rtl ? "right to left, " : "left to right, ") << k << " characters in";
    }
}

}  // namespace
