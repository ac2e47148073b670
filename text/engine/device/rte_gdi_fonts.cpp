// Fonts: font records made ready for GDI, the font cache, the style's metrics and the font
// selected for a style.
#include <cstring>

#include "rte_document_internal.h"
#include "rte_font_measures.h"
#include "rte_gdi_port.h"
#include "rte_gdi_text.h"
#include "rte_run_helpers.h"
#include "rte_style_names.h"

using namespace rte_document;

namespace {

// The font record's 16-bit units and 32-bit values that GDI reads.
constexpr int kFontFlags = 0;        // units1to5
constexpr int kPitchFamily = 1;      // units1to5
constexpr int kOutPrecision = 2;     // values
constexpr int kClipPrecision = 3;    // values
constexpr int kQuality = 4;          // values
constexpr uint16_t kFontExists = 0x4;
constexpr uint16_t kAltNameUsed = 0x20;
constexpr uint16_t kSubstituted = 0x2 | 0x8;
// Script flags beside the character set in the font's character-set unit.
constexpr int32_t kScriptDoubleByte = 0x6000;
// Style class bits the metrics set from the font's script.
constexpr uint32_t kStyleComplexScript = 0x400;
constexpr uint32_t kStyleRightToLeft = 0x4000;
// The unit that gives the raising and lowering in percent of the font's height when 1.
constexpr int kRaisePercentUnit = 0;  // of units38to42
// Document flag: a double underline takes no room of its own.
constexpr uint32_t kDocNoDoubleUnderlineRoom = 0x40000000;
constexpr int16_t kDoubleUnderlineRoom = 2;
// The fonts held ready by a DC of their own: each is a device context of the process's limited
// number, so the first ones made only.
constexpr int32_t kKeptFonts = 256;

// The script of a character set: double-byte, or written from right to left (Hebrew and
// Arabic; Thai, which some tables class with them, reads from left to right).
int32_t ScriptOf(int32_t charset)
{
    if (RteDoubleByteCodePage(charset))
        return kScriptDoubleByte;
    return (charset & 0xFFF) == HEBREW_CHARSET || (charset & 0xFFF) == ARABIC_CHARSET ? RTE_SCRIPT_RIGHT_TO_LEFT : 0;
}

void NameOf(const RteFont& font, bool alternate, char* out)
{
    const char* name = alternate ? font.altName : font.name;
    bool cString = font.nameFlags & (alternate ? RTE_FONT_ALT_CSTRING : RTE_FONT_NAME_CSTRING);
    size_t length = cString ? strnlen(name, LF_FACESIZE - 1) : std::min<size_t>(static_cast<uint8_t>(name[0]), LF_FACESIZE - 1);
    std::memcpy(out, cString ? name : name + 1, length);
    out[length] = 0;
}

struct FontMatch {
    bool found;
    LOGFONTA first;
};

int CALLBACK OnFont(const LOGFONTA* logfont, const TEXTMETRICA*, DWORD, LPARAM data)
{
    auto* match = reinterpret_cast<FontMatch*>(data);
    match->found = true;
    match->first = *logfont;
    return 0;
}

bool FindFont(HDC dc, const char* name, FontMatch* match)
{
    *match = {};
    if (!*name)
        return false;
    EnumFontFamiliesA(dc, name, OnFont, reinterpret_cast<LPARAM>(match));
    return match->found;
}

RteFont FontOfStyle(RteDocument* doc, const RteCharStyle& style)
{
    int32_t index = style.font < 0 ? 0 : style.font;
    return ElementOf<RteFont>(doc->fonts, index < RteCount(doc->fonts) ? index : 0);
}


}  // namespace

void RteFontInitHook(RteHandle, RteFont* font)
{
    if (!font->name[0])
        return;
    uint16_t& flags = reinterpret_cast<uint16_t&>(font->units1to5[kFontFlags]);
    if (!font->values[kQuality])
        font->values[kQuality] = DEFAULT_QUALITY;
    // A name of 64 characters or more keeps 63, as a face name holds.
    if (font->nameFlags & RTE_FONT_NAME_CSTRING) {
        font->name[RTE_FONT_NAME_BYTES - 1] = 0;
    } else if (static_cast<uint8_t>(font->name[0]) >= RTE_FONT_NAME_BYTES) {
        font->name[0] = RTE_FONT_NAME_BYTES - 1;
    }
    flags &= ~kSubstituted;
    if (flags & kFontExists)
        return;
    char name[LF_FACESIZE];
    NameOf(*font, false, name);
    HDC screen = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    FontMatch match;
    if (FindFont(screen, name, &match)) {
        flags |= kFontExists;
        if (!font->values[kOutPrecision])
            font->values[kOutPrecision] = match.first.lfOutPrecision;
        if (!font->values[kClipPrecision])
            font->values[kClipPrecision] = match.first.lfClipPrecision;
        if (!font->values[RTE_FONT_CHARSET])
            font->values[RTE_FONT_CHARSET] = match.first.lfCharSet;
    } else {
        NameOf(*font, true, name);
        flags |= FindFont(screen, name, &match) ? kFontExists | kAltNameUsed : kSubstituted;
    }
    DeleteDC(screen);
    font->values[RTE_FONT_CHARSET] |= ScriptOf(font->values[RTE_FONT_CHARSET]);
}

HFONT RteMakeFont(RteHandle handle, RteCharStyle* style, const RteFont* font)
{
    DocLock doc(handle);
    RteGdiEnv* gdi = RteGdiOf(doc->env);
    LOGFONTA logfont;
    std::memset(&logfont, 0, sizeof logfont);
    int32_t resolution = doc->resolution & 0xFFFF ? doc->resolution & 0xFFFF : 96;
    logfont.lfHeight = -MulDiv(RteDrawPointSize(handle, style), resolution, 72);
    logfont.lfWidth = style->hScale >> 16;
    logfont.lfWeight = style->bold ? FW_BOLD : FW_NORMAL;
    logfont.lfItalic = style->italic ? 1 : 0;
    // Underlines are drawn by the engine, under the words it chooses.
    logfont.lfStrikeOut = style->strikeOut ? 1 : 0;
    logfont.lfCharSet = static_cast<BYTE>(font->values[RTE_FONT_CHARSET]);
    logfont.lfOutPrecision = static_cast<BYTE>(font->values[kOutPrecision]);
    logfont.lfClipPrecision = static_cast<BYTE>(font->values[kClipPrecision]);
    logfont.lfQuality = static_cast<BYTE>(font->values[kQuality]);
    logfont.lfPitchAndFamily = static_cast<BYTE>(font->units1to5[kPitchFamily]);
    NameOf(*font, (font->nameFlags & RTE_FONT_ALT_STANDS_IN) != 0, logfont.lfFaceName);
    {
        RteLocked<RteFontCacheEntry> fonts(gdi->fontCache);
        for (int32_t i = 0; i < fonts.size(); ++i) {
            if (std::memcmp(&fonts[i].logfont, &logfont, sizeof logfont) == 0) {
                style->fontHandle = reinterpret_cast<intptr_t>(fonts[i].font);
                style->fontCache = i;
                return fonts[i].font;
            }
        }
    }
    RteFontCacheEntry entry{};
    entry.font = CreateFontIndirectA(&logfont);
    entry.keeper = RteCount(gdi->fontCache) < kKeptFonts ? CreateCompatibleDC(gdi->screen) : nullptr;
    if (entry.keeper)
        SelectObject(entry.keeper, entry.font);
    entry.points = RteDrawPointSize(handle, style);
    entry.logfont = logfont;
    InsertElement(gdi->fontCache, RteCount(gdi->fontCache), entry);
    style->fontHandle = reinterpret_cast<intptr_t>(entry.font);
    style->fontCache = RteCount(gdi->fontCache) - 1;
    return entry.font;
}

void RteDefaultStyleMetrics(RteHandle handle, RteCharStyle* style, RteFont* font)
{
    RteMakeFont(handle, style, font);
    DocLock doc(handle);
    RteGdiPort* port = RteGdiPortOf(&doc->port);
    HDC dc = RtePortGetDC(port);
    TEXTMETRICA metrics;
    if (RteMeasuresAsDisplay(dc)) {
        metrics = RteMeasuredMetrics(dc, RteLocked<RteFontCacheEntry>(RteGdiOf(doc->env)->fontCache)[style->fontCache]);
    } else {
        HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(style->fontHandle));
        GetTextMetricsA(dc, &metrics);
        SelectObject(dc, old);
    }
    RtePortReleaseDC(port);
    // Raised and lowered text makes room for itself, in pixels or in percent of the height.
    int32_t raise = style->superscript;
    int32_t lower = style->subscript;
    if (style->units38to42[kRaisePercentUnit] == 1) {
        raise = (metrics.tmAscent + metrics.tmDescent) * raise / 100;
        lower = (metrics.tmAscent + metrics.tmDescent) * lower / 100;
    }
    style->ascent = static_cast<int16_t>(metrics.tmAscent + raise);
    style->descent = static_cast<int16_t>(metrics.tmDescent + lower);
    style->leading = static_cast<int16_t>(doc->flags & RTE_DOC_NO_LEADING ? 0 : metrics.tmExternalLeading);
    int32_t script = font->values[RTE_FONT_CHARSET];
    if (script & (kScriptDoubleByte | RTE_SCRIPT_RIGHT_TO_LEFT))
        style->styleBits |= kStyleComplexScript;
    if (script & RTE_SCRIPT_RIGHT_TO_LEFT)
        style->styleBits |= kStyleRightToLeft;
    // A double underline takes two more pixels: in the leading below the line, or in the ascent
    // when the style has an overline too.
    if (style->doubleUnderline && !(doc->flags & kDocNoDoubleUnderlineRoom))
        (style->unit19 ? style->ascent : style->leading) += kDoubleUnderlineRoom;
}

intptr_t RteSelectStyleFont(RteHandle handle, RteCharStyle* given, intptr_t, intptr_t out, intptr_t named, intptr_t)
{
    // A named style's attributes come over the style's own first.
    RteCharStyle resolved = *given;
    RteCharStyle* style = given;
    RteFont font;
    if (named) {
        RteResolveCharStyle(handle, given, &resolved, &font, static_cast<int32_t>(named));
        style = &resolved;
    } else {
        DocLock doc(handle);
        font = FontOfStyle(doc.get(), *style);
    }
    HFONT made = RteMakeFont(handle, style, &font);
    DocLock doc(handle);
    RteGdiEnv* gdi = RteGdiOf(doc->env);
    RteGdiPort* port = gdi->current ? gdi->current : RteGdiPortOf(&doc->port);
    HDC dc = RtePortGetDC(port);
    SelectObject(dc, made);
    SetTextColor(dc, RGB(style->textColor.red >> 8, style->textColor.green >> 8, style->textColor.blue >> 8) |
                         port->colourFlag);
    SetTextJustification(dc, 0, 0);
    RtePortReleaseDC(port);
    if (out)
        *reinterpret_cast<RteCharStyle*>(out) = *style;
    return 0;
}

UINT RteDoubleByteCodePage(int32_t charset)
{
    switch (charset & 0xFFF) {
    case SHIFTJIS_CHARSET:
        return 932;
    case HANGUL_CHARSET:
        return 949;
    case GB2312_CHARSET:
        return 936;
    case CHINESEBIG5_CHARSET:
        return 950;
    default:
        return 0;
    }
}
