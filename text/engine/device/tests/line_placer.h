// A small placer for the tests: lays a document's single block out into lines of a column with
// the engine's hooks (line break, tabs, justification) and draws them through the port hook,
// style slot 5, the tab leader and the invisibles. The engine's own line builder takes its place
// once it stands.
#pragma once

#include <string>
#include <vector>

#include "rte_document.h"
#include "rte_line_piece.h"

struct PlacedPiece {
    int32_t start;
    int32_t end;        // the tab that ends it excluded
    bool tab;           // a tab follows it
    int32_t tabLeft;    // where the gap before the tab's end starts
    int32_t stop;       // as the tab hook tells it: 0x8000 + the format's stop, or 0
    RteLinePiece piece;
};

struct PlacedLine {
    int32_t start;
    int32_t end;
    int32_t baseline;
    bool endsParagraph;
    bool justified;
    RteRect rect;
    std::vector<PlacedPiece> pieces;
};

class LinePlacer {
public:
    LinePlacer(RteHandle doc, const RteRect& column);
    const std::vector<PlacedLine>& Place();
    void Draw(bool invisibles) const;
    // The x of a text offset on its line as drawn.
    int32_t XOf(const PlacedLine& line, int32_t offset) const;
    const std::string& Text() const { return text_; }
    const std::vector<PlacedLine>& Lines() const { return lines_; }

private:
    void PlaceParagraph(int32_t start, int32_t end, int32_t* y, bool lastParagraph);
    int32_t Width(int32_t from, int32_t to) const { return positions_[to] - positions_[from]; }

    RteHandle doc_;
    RteRect column_;
    std::string text_;
    std::vector<int32_t> positions_;
    std::vector<PlacedLine> lines_;
};
