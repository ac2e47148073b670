// Measuring with GDI: per-character positions of a run, the width of a text, the classes of a
// character.
#include <algorithm>
#include <vector>

#include "rte_document_internal.h"
#include "rte_gdi_case.h"
#include "rte_gdi_port.h"
#include "rte_gdi_text.h"
#include "rte_position_cache.h"
#include "rte_gdi_misc.h"
#include "scaling.h"

using namespace rte_document;

namespace {

constexpr int32_t kMaxExtent = 0x7FFF;
constexpr intptr_t kBlank = 0x1;
constexpr intptr_t kWordBreak = 0x2 | 0x4;
constexpr intptr_t kTab = 0x8 | 0x400;
constexpr intptr_t kBreakAfter = 0x10;
constexpr intptr_t kWord = 0x20;
constexpr intptr_t kControl = 0x40;
constexpr intptr_t kLead = 0x800;
constexpr intptr_t kTrail = 0x1000;
constexpr intptr_t kParagraph = 0x100;
constexpr intptr_t kLineBreak = 0x200;
constexpr intptr_t kContainerBreak = 0x4000;
constexpr intptr_t kPageBreak = 0x8000;
constexpr intptr_t kDigit = 0x40000;
constexpr intptr_t kUpper = 0x100000;
constexpr intptr_t kLower = 0x200000;
constexpr intptr_t kPunctuation = 0x40000000;
constexpr intptr_t kPeriod = 0x80000;
// A word break and a word character at once: where one script gives way to another.
constexpr intptr_t kScriptBorder = 0x36;
// The character set itself, below the script flags kept beside it.
constexpr int32_t kCharsetBits = 0xFFF;

int16_t TypeOf(uint8_t c)
{
    switch (c) {
    case ' ':
        return 1;
    case RTE_CHAR_PARAGRAPH:
        return 320;
    case RTE_CHAR_LINE_BREAK:
        return 576;
    case RTE_CHAR_TAB:
        return 1088;
    case RTE_CHAR_CONTAINER_BREAK:
        return 16448;
    case RTE_CHAR_PAGE_BREAK:
        return 32832;
    case RTE_CHAR_SOFT_HYPHEN:
        return 72;
    default:
        return c < 32 ? 64 : 0;
    }
}

intptr_t ControlClasses(uint8_t c)
{
    intptr_t classes = kBlank | kWordBreak | kControl;
    switch (c) {
    case RTE_CHAR_PARAGRAPH:
        return classes | kParagraph;
    case RTE_CHAR_LINE_BREAK:
        return classes | kLineBreak;
    case RTE_CHAR_TAB:
        return classes | kTab;
    case RTE_CHAR_CONTAINER_BREAK:
        return classes | kContainerBreak;
    case RTE_CHAR_PAGE_BREAK:
        return classes | kPageBreak;
    case ' ':
        return kBlank | kWordBreak;
    default:
        return classes | 0x80;
    }
}

// Quote classes of the quote glyphs: quote 0x4000000, single 0x8000000, opening 0x10000000,
// closing 0x20000000.
intptr_t QuoteClasses(const RteGdiEnv* gdi, uint8_t c)
{
    struct Quote {
        int glyph;
        intptr_t classes;
    };
    static constexpr Quote kQuotes[] = {{10, 0xC000000}, {11, 0x4000000}, {12, 0x18000000},
                                        {13, 0x28000000}, {14, 0x10000000}, {15, 0x20000000}};
    for (const Quote& quote : kQuotes) {
        if (gdi->glyphs[quote.glyph].length == 1 && gdi->glyphs[quote.glyph].bytes[0] == c)
            return quote.classes;
    }
    return 0;
}

intptr_t PrintableClasses(uint8_t c)
{
    if (c >= '0' && c <= '9')
        return kWord | kDigit;
    if (c >= 'A' && c <= 'Z')
        return kWord | kUpper;
    if (c >= 'a' && c <= 'z')
        return kWord | kLower;
    if (c == '.')
        return 0x4 | kPeriod | kPunctuation;
    if (c == '-')
        return kWordBreak | kPunctuation;
    if (c == RTE_KEY_DELETE)
        return kControl | 0x80;
    if ((c >= 33 && c <= 47) || (c >= 58 && c <= 63))
        return kPunctuation;
    return c >= 128 ? kWord : 0;
}

// Whether the byte at the pointer is the second of a double-byte character: an odd number of
// lead bytes right before it, counted back no further than the bytes that may be read.
bool IsTrailByte(UINT codePage, const uint8_t* byte, intptr_t before)
{
    int32_t leads = 0;
    while (leads < before && IsDBCSLeadByteEx(codePage, byte[-1 - leads]))
        ++leads;
    return leads % 2 == 1;
}

// The position after each byte. Double-byte text is measured by its characters, the position
// after a character standing on both its bytes: the system's own byte mapping follows the ANSI
// code page, not the font's.
void ByteExtents(HDC dc, const uint8_t* text, int32_t length, INT* extents, SIZE* size)
{
    UINT codePage = RteDoubleByteCodePage(GetTextCharset(dc));
    int fitted = 0;
    if (!codePage) {
        GetTextExtentExPointA(dc, reinterpret_cast<const char*>(text), length, kMaxExtent, &fitted, extents, size);
        return;
    }
    std::vector<wchar_t> wide(length);
    std::vector<int32_t> bytes;  // of each character
    for (int32_t i = 0; i < length;) {
        int32_t n = i + 1 < length && IsDBCSLeadByteEx(codePage, text[i]) ? 2 : 1;
        MultiByteToWideChar(codePage, 0, reinterpret_cast<const char*>(text + i), n, &wide[bytes.size()], 1);
        bytes.push_back(n);
        i += n;
    }
    std::vector<INT> wideExtents(bytes.size());
    GetTextExtentExPointW(dc, wide.data(), static_cast<int>(bytes.size()), kMaxExtent, &fitted, wideExtents.data(),
                          size);
    for (size_t k = 0, i = 0; k < bytes.size(); ++k) {
        for (int32_t b = 0; b < bytes[k]; ++b)
            extents[i++] = wideExtents[k];
    }
}

// Whether a printable byte stands where text of one script meets another's: first after a run
// whose font has another character set (and so another code page), or right before a
// double-byte character of its own font.
bool BordersOtherScript(const RteFont& font, UINT codePage, const uint8_t* byte, const RteCharContext& context)
{
    int32_t charset = font.values[RTE_FONT_CHARSET] & kCharsetBits;
    if (context.previousFont && (context.previousFont->values[RTE_FONT_CHARSET] & kCharsetBits) != charset)
        return true;
    return codePage && context.after > 0 && IsDBCSLeadByteEx(codePage, byte[1]);
}

}  // namespace

int32_t RteDcTextWidth(HDC dc, const char* text, int32_t length)
{
    SIZE size{};
    GetTextExtentPoint32A(dc, text, length, &size);
    return size.cx;
}

namespace {

// Positions (or widths) from the position after each byte, justification spread over the
// blanks; without blanks every character takes its share, a double-byte one (of the code page)
// both its bytes' shares, on its first byte.
int32_t SpreadWidths(const INT* extents, int32_t width, UINT codePage, const uint8_t* text, int32_t length,
                     int32_t mode, int32_t justify, int32_t* out)
{
    int32_t breaks = static_cast<int32_t>(std::count(text, text + length, ' '));
    int32_t shares = breaks ? breaks : length;
    int32_t added = 0;
    int32_t spread = 0;
    for (int32_t i = 0; i < length; ++i) {
        bool pair = codePage && i + 1 < length && IsDBCSLeadByteEx(codePage, text[i]);
        int32_t takes = breaks ? (text[i] == ' ' ? 1 : 0) : pair ? 2 : 1;
        if (justify && takes) {
            spread += takes;
            // Each share is the part of the amount due so far, so that the shares add up to it.
            added = static_cast<int32_t>(static_cast<int64_t>(justify) * spread / shares);
        }
        out[i + 1] = extents[i] + added;
        if (pair) {
            ++i;
            out[i + 1] = extents[i] + added;
        }
    }
    if (mode == RTE_WIDTHS_EACH) {
        for (int32_t i = length; i > 0; --i)
            out[i] = out[i] - out[i - 1];
        std::copy(out + 1, out + length + 1, out);
    }
    return width + added;
}

INT TableExtents(const uint32_t* table, const uint8_t* text, int32_t length, INT* extents)
{
    INT x = 0;
    for (int32_t i = 0; i < length; ++i)
        extents[i] = x += static_cast<INT>(table[text[i]] & 0xFFFF);
    return x;
}

}  // namespace

int32_t RteCharWidths(HDC dc, const uint32_t* widthTable, const uint8_t* text, int32_t length, int32_t mode,
                      int32_t justify, int32_t* out)
{
    out[0] = 0;
    if (length <= 0)
        return 0;
    std::vector<INT> extents(length);
    SIZE size{};
    if (widthTable)
        size.cx = TableExtents(widthTable, text, length, extents.data());
    else
        ByteExtents(dc, text, length, extents.data(), &size);
    // Only a spread over every character tells double-byte characters apart.
    bool spreadOverAll = justify && std::find(text, text + length, ' ') == text + length;
    UINT codePage = spreadOverAll ? RteDoubleByteCodePage(GetTextCharset(dc)) : 0;
    return SpreadWidths(extents.data(), size.cx, codePage, text, length, mode, justify, out);
}

int32_t RteSingleByteWidths(const uint32_t* advances, const uint8_t* text, int32_t length, int32_t mode,
                            int32_t justify, int32_t* out)
{
    out[0] = 0;
    if (length <= 0)
        return 0;
    std::vector<INT> extents(length);
    INT width = TableExtents(advances, text, length, extents.data());
    return SpreadWidths(extents.data(), width, 0, text, length, mode, justify, out);
}

void RteSetWidthTable(RteHandle handle, RteCharStyle* style, const uint32_t* table)
{
    RteFont font;
    {
        DocLock doc(handle);
        font = ElementOf<RteFont>(doc->fonts, style->font < 0 ? 0 : style->font);
    }
    RteMakeFont(handle, style, &font);
    DocLock doc(handle);
    RteLocked<RteFontCacheEntry> fonts(RteGdiOf(doc->env)->fontCache);
    RteFontCacheEntry& entry = fonts[style->fontCache];
    std::copy(table, table + 256, entry.widths);
    entry.flags |= RTE_FONT_HAS_WIDTHS;
}

intptr_t RteMeasureText(RteHandle handle, RteCharStyle* style, intptr_t request, intptr_t, intptr_t, intptr_t)
{
    auto* step = reinterpret_cast<RteMeasureStep*>(request);
    DocLock doc(handle);
    RteGdiEnv* gdi = RteGdiOf(doc->env);
    RteGdiPort* port = RteGdiPortOf(&doc->port);
    HDC dc = RtePortGetDC(port);
    int saved = SaveDC(dc);
    RteResetMapping(dc);
    RteFont font = ElementOf<RteFont>(doc->fonts, style->font < 0 ? 0 : style->font);
    std::vector<int32_t> widths(step->count + 1);
    RteRunWidths(dc, handle, *style, font, step->text, step->count, 0, widths.data());
    int32_t hyphenWidth = 0;
    if (std::find(step->text, step->text + step->count, RTE_CHAR_SOFT_HYPHEN) != step->text + step->count) {
        RteCharStyle normalStyle = *style;
        SelectObject(dc, RteMakeFont(handle, &normalStyle, &font));
        hyphenWidth = RteDcTextWidth(dc, reinterpret_cast<const char*>(gdi->glyphs[1].bytes), 1);
    }
    RestoreDC(dc, saved);
    RtePortReleaseDC(port);
    int32_t start = step->positions[0];
    int32_t x = 0;
    int32_t factor = step->scaling == RTE_MEASURE_UNSCALED ? doc->scaling.factor : 0;
    for (int32_t i = 0; i < step->count; ++i) {
        // A soft hyphen takes the room of the hyphen it may become.
        x += step->text[i] == RTE_CHAR_SOFT_HYPHEN ? hyphenWidth : widths[i];
        // Mapped from the step's start, so that a step going on from another is mapped once.
        int32_t mapped = x;
        if (factor)
            RteScaleValue(-factor, 0, &mapped);
        step->positions[i + 1] = start + mapped;
        if (step->types)
            step->types[i] = TypeOf(step->text[i]);
    }
    int32_t width = step->positions[step->count] - start;
    bool rightToLeft = font.values[RTE_FONT_CHARSET] & RTE_SCRIPT_RIGHT_TO_LEFT;
    if (step->direction && rightToLeft && RteDirectionSign(doc->env) == 1) {
        step->positions[0] = step->positions[step->count];
        if (step->direction == -1)
            step->positions[step->count] = start;
    }
    return width;
}

intptr_t RteDefaultCharInfo(RteHandle handle, RteCharStyle* style, intptr_t character, intptr_t length,
                            intptr_t mask, intptr_t before)
{
    const auto* byte = reinterpret_cast<const uint8_t*>(character);
    const auto* context = mask & RTE_CLASS_IN_CONTEXT ? reinterpret_cast<const RteCharContext*>(length) : nullptr;
    mask &= ~RTE_CLASS_IN_CONTEXT;
    DocLock doc(handle);
    if ((doc->flags & RTE_DOC_HIDDEN_TEXT) && style->hidden)
        return 0;
    RteFont font = ElementOf<RteFont>(doc->fonts, style->font < 0 ? 0 : style->font);
    UINT codePage = RteDoubleByteCodePage(font.values[RTE_FONT_CHARSET]);
    intptr_t classes = 0;
    int32_t bytes = 1;
    if (codePage && IsTrailByte(codePage, byte, before)) {
        classes = kTrail;
    } else if (codePage && IsDBCSLeadByteEx(codePage, *byte)) {
        // Every double-byte character is a place where a line may end, as ideographs are.
        classes = kLead | kBreakAfter;
        bytes = 2;
    } else if (*byte == RTE_CHAR_SOFT_HYPHEN) {
        classes = 0xF9;
    } else if (*byte <= ' ') {
        classes = mask == kBlank ? kBlank : ControlClasses(*byte);
    } else {
        classes = PrintableClasses(*byte) | QuoteClasses(RteGdiOf(doc->env), *byte);
        if (context && *byte != RTE_KEY_DELETE && BordersOtherScript(font, codePage, byte, *context))
            classes |= kScriptBorder;
    }
    if (codePage && !(classes & kTrail))
        classes = doc->hooks.farEastClass(handle, character, bytes, 0, reinterpret_cast<intptr_t>(&font), classes);
    return mask ? classes & mask : classes;
}
