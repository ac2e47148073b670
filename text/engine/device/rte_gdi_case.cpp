// Case-changed runs cut into pieces of one font each.
#include "rte_gdi_case.h"

#include <algorithm>
#include <cctype>

#include "rte_font_measures.h"
#include "rte_gdi_text.h"
#include "rte_typed.h"

namespace {

constexpr int32_t kSmallCapsPercent = 75;

// The style's extra spacing (16.16) added after every character, the fractions carried so that
// a run of n characters grows by n times the spacing; the second byte of a double-byte
// character is no character of its own. Answers what was added.
int32_t AddSpacing(HDC dc, int32_t spacing, const uint8_t* text, int32_t count, int32_t* widths)
{
    UINT codePage = RteDoubleByteCodePage(GetTextCharset(dc));
    int64_t due = 0;
    int32_t given = 0;
    for (int32_t i = 0; i < count; ++i) {
        due += spacing;
        auto whole = static_cast<int32_t>(due >> 16);
        widths[i] += whole - given;
        given = whole;
        if (codePage && i + 1 < count && IsDBCSLeadByteEx(codePage, text[i]))
            ++i;
    }
    return given;
}

}  // namespace

std::vector<RteCasePiece> RteCasePieces(const RteCharStyle& style, const uint8_t* text, int32_t count)
{
    std::vector<RteCasePiece> pieces;
    for (int32_t i = 0; i < count; ++i) {
        bool small = style.smallCaps && text[i] >= 'a' && text[i] <= 'z';
        bool upper = style.allCaps || small;
        char c = static_cast<char>(upper && text[i] < 128 ? std::toupper(text[i]) : text[i]);
        if (pieces.empty() || pieces.back().small != small)
            pieces.push_back({std::string(), i, small});
        pieces.back().text += c;
    }
    return pieces;
}

HFONT RteSmallCapsFont(RteHandle doc, const RteCharStyle& style, const RteFont& font, int32_t* cacheIndex)
{
    RteCharStyle small = style;
    // The unit holds the percentage, with -1 and 1 (plain "on") for the usual three quarters.
    int32_t percent = style.smallCaps > 1 ? style.smallCaps : kSmallCapsPercent;
    int32_t points = style.pointSize ? style.pointSize >> 16 : 12;
    small.pointSize = (points * percent / 100) << 16;
    small.smallCaps = 0;
    HFONT made = RteMakeFont(doc, &small, &font);
    if (cacheIndex)
        *cacheIndex = small.fontCache;
    return made;
}

int32_t RteRunWidths(HDC dc, RteHandle doc, const RteCharStyle& style, const RteFont& font, const uint8_t* text,
                     int32_t count, int32_t justify, int32_t* widths)
{
    RteCharStyle normalStyle = style;
    HFONT normal = RteMakeFont(doc, &normalStyle, &font);
    int32_t smallIndex = normalStyle.fontCache;
    HFONT small = style.smallCaps ? RteSmallCapsFont(doc, style, font, &smallIndex) : normal;
    bool asDisplay = RteMeasuresAsDisplay(dc);
    // Locked from here on: no font is made below.
    RteLocked<RteFontCacheEntry> fonts(RteGdiOf(RteLocked<RteDocument>(doc)->env)->fontCache);
    const RteFontCacheEntry& normalEntry = fonts[normalStyle.fontCache];
    const uint32_t* table = (normalEntry.flags & RTE_FONT_HAS_WIDTHS) ? normalEntry.widths : nullptr;
    int32_t blanksLeft = static_cast<int32_t>(std::count(text, text + count, ' '));
    int32_t justifyLeft = justify;
    int32_t total = 0;
    for (const RteCasePiece& piece : RteCasePieces(style, text, count)) {
        auto length = static_cast<int32_t>(piece.text.size());
        auto blanks = static_cast<int32_t>(std::count(piece.text.begin(), piece.text.end(), ' '));
        // Without blanks anywhere, the amount goes over every character.
        int32_t share = blanksLeft ? justifyLeft * blanks / blanksLeft : justifyLeft * length / (count - piece.start);
        const auto* bytes = reinterpret_cast<const uint8_t*>(piece.text.data());
        const uint32_t* given = piece.small ? nullptr : table;
        const uint32_t* measured =
            !given && asDisplay ? RteMeasuredAdvances(dc, fonts[piece.small ? smallIndex : normalStyle.fontCache])
                                : nullptr;
        if (measured) {
            total += RteSingleByteWidths(measured, bytes, length, RTE_WIDTHS_EACH, share, widths + piece.start);
        } else {
            SelectObject(dc, piece.small ? small : normal);
            total += RteCharWidths(dc, given, bytes, length, RTE_WIDTHS_EACH, share, widths + piece.start);
        }
        blanksLeft -= blanks;
        justifyLeft -= share;
    }
    int32_t spacing = style.units16to25[RTE_STYLE_SPACING_UNIT];
    if (!spacing)
        return total;
    SelectObject(dc, normal);
    return total + AddSpacing(dc, spacing, text, count, widths);
}
