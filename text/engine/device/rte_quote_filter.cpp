// Typed quotes turned into the display's typographic quotes, opening or closing by what stands
// before them.
#include "rte_quote_filter.h"

#include <cstring>

#include "rte_gdi.h"
#include "rte_position_queries.h"
#include "rte_typed.h"

namespace {

constexpr intptr_t kBlank = 0x1;
constexpr intptr_t kContinuation = 0x3000;
constexpr intptr_t kLooked = 0x3501;  // blanks, paragraph ends, tabs and continuation bytes

// The display glyphs of the quotes.
constexpr int kOpeningSingle = 12;
constexpr int kClosingSingle = 13;
constexpr int kOpeningDouble = 14;
constexpr int kClosingDouble = 15;

bool Opens(RteHandle doc, int32_t offset)
{
    int32_t blockStart = RteFindTextBlock(doc, offset, nullptr, false, true);
    for (int32_t at = offset - 1; at >= blockStart; --at) {
        intptr_t classes = RteCharInfo(doc, at, kLooked);
        if (!(classes & kContinuation))
            return (classes & kBlank) != 0;
    }
    return true;
}

}  // namespace

intptr_t RteTypographicQuotes(RteHandle doc, intptr_t offset, intptr_t classes, intptr_t counted, intptr_t, intptr_t)
{
    if (!(classes & RTE_CLASS_QUOTE))
        return 0;
    bool single = (classes & RTE_CLASS_SINGLE_QUOTE) != 0;
    bool opening = Opens(doc, static_cast<int32_t>(offset));
    int glyph = single ? (opening ? kOpeningSingle : kClosingSingle) : (opening ? kOpeningDouble : kClosingDouble);
    const RteCountedGlyph& quote = RteGdiOf(RteLocked<RteDocument>(doc)->env)->glyphs[glyph];
    std::memcpy(reinterpret_cast<uint8_t*>(counted), &quote, sizeof quote);
    return 1;
}
