// Runs of a style that changes case: all capitals, and small capitals that show lower-case
// letters as capitals of a smaller font. Measuring and drawing cut them the same way.
#pragma once

#include <string>
#include <vector>

#include "rte_gdi.h"

struct RteCasePiece {
    std::string text;  // as drawn
    int32_t start;     // in the run
    bool small;
};

std::vector<RteCasePiece> RteCasePieces(const RteCharStyle& style, const uint8_t* text, int32_t count);
// The font of the small capitals of a style, and its index in the font cache when asked.
HFONT RteSmallCapsFont(RteHandle doc, const RteCharStyle& style, const RteFont& font,
                       int32_t* cacheIndex = nullptr);
// The style's extra spacing after each character, 16.16 (its second-part unit 16).
constexpr int RTE_STYLE_SPACING_UNIT = 0;  // of units16to25
// The width of each character as drawn (count values), justification spread over the blanks and
// the style's extra spacing after each character;
// the DC's font may change. Answers the total.
int32_t RteRunWidths(HDC dc, RteHandle doc, const RteCharStyle& style, const RteFont& font, const uint8_t* text,
                     int32_t count, int32_t justify, int32_t* widths);
