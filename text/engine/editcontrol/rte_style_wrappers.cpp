// The edit control's font, colour and size operations on ranges with Windows types, each a
// masked change of the engine's character style or font record.
#include "rte_style_wrappers.h"

#include <cstring>

#include "rte_device_units.h"
#include "rte_fonts.h"
#include "rte_styles.h"
#include "rte_typed.h"

namespace {

constexpr int kAttributeUnits = 32;
constexpr int kPitchFamily = 1;  // of the 16-bit units
constexpr int kOutPrecision = 2;
constexpr int kClipPrecision = 3;
constexpr int kQuality = 4;
constexpr int kCharset = 5;

int16_t* Units(RteCharStyle* style) { return &style->font; }

int16_t Redraw(int16_t redraw) { return redraw ? 1 : 0; }

struct RangeStyle {
    RteCharStyle value = {};
    RteCharStyle uniform = {};
};

RangeStyle StyleOf(RteHandle doc)
{
    RangeStyle style;
    RteGetCharStyle(doc, nullptr, false, &style.value, &style.uniform);
    return style;
}

bool AllSet(const void* bytes, size_t count)
{
    auto* p = static_cast<const uint8_t*>(bytes);
    for (size_t i = 0; i < count; ++i)
        if (p[i] != 0xFF)
            return false;
    return true;
}

RteFont FontOfLogFont(const LOGFONTA* logfont)
{
    RteFont font = {};
    size_t length = strnlen(logfont->lfFaceName, LF_FACESIZE);
    std::memcpy(font.name, logfont->lfFaceName, length < 63 ? length : 63);
    font.nameFlags = RTE_FONT_NAME_CSTRING;
    font.units1to5[kPitchFamily] = logfont->lfPitchAndFamily;
    font.values[kOutPrecision] = logfont->lfOutPrecision;
    font.values[kClipPrecision] = logfont->lfClipPrecision;
    font.values[kQuality] = logfont->lfQuality;
    font.values[kCharset] = logfont->lfCharSet;
    return font;
}

void SetColour(RteHandle doc, const COLORREF* colour, RteColor RteCharStyle::*unit, const RteRange* range,
               int16_t redraw)
{
    RteCharStyle values = {}, mask = {};
    RteColorFromRGB(*colour, &(values.*unit));
    std::memset(&(mask.*unit), 0xFF, sizeof(RteColor));
    RteSetCharStyle(doc, range, &values, &mask, Redraw(redraw));
}

int32_t GetColour(RteHandle doc, RteColor RteCharStyle::*unit, COLORREF* out)
{
    RangeStyle style = StyleOf(doc);
    RteColorToRGB(&(style.value.*unit), out);
    return AllSet(&(style.uniform.*unit), sizeof(RteColor)) ? 1 : 0;
}

}  // namespace

int32_t RteControlResolution(RteHandle doc)
{
    int32_t resolution = RteLocked<RteDocument>(doc)->resolution & 0xFFFF;
    return resolution ? resolution : 96;
}

void RteSetFontName(RteHandle doc, const char* name, const RteRange* range, int16_t redraw)
{
    RteFont font = {}, mask;
    std::strncpy(font.name, name, 63);
    font.nameFlags = RTE_FONT_NAME_CSTRING;
    std::memset(&mask, 0xFF, sizeof mask);
    RteSetFont(doc, range, &font, &mask, Redraw(redraw));
}

void RteSetFontFromLogFont(RteHandle doc, const LOGFONTA* logfont, const RteRange* range, int16_t redraw)
{
    RteFont font = FontOfLogFont(logfont), mask = {};
    std::memset(mask.name, 0xFF, sizeof mask.name);
    RteSetFont(doc, range, &font, &mask, Redraw(redraw));
}

void RteLogFontToStyle(RteHandle doc, const LOGFONTA* logfont, RteCharStyle* style, RteFont* font)
{
    *font = FontOfLogFont(logfont);
    *style = {};
    int32_t pixels = logfont->lfHeight < 0 ? -logfont->lfHeight : logfont->lfHeight;
    style->pointSize = MulDiv(pixels, 72, RteControlResolution(doc)) << 16;
    style->bold = logfont->lfWeight >= 600 ? 1 : 0;
    style->italic = logfont->lfItalic ? 1 : 0;
    style->underline = logfont->lfUnderline ? 1 : 0;
    style->strikeOut = logfont->lfStrikeOut ? 1 : 0;
}

void RteApplyLogFont(RteHandle doc, const LOGFONTA* logfont, const RteRange* range, int16_t redraw)
{
    RteFont font, fontMask;
    std::memset(&fontMask, 0xFF, sizeof fontMask);
    RteCharStyle style, mask = {};
    RteLogFontToStyle(doc, logfont, &style, &font);
    mask.pointSize = -1;
    mask.bold = mask.italic = mask.underline = mask.strikeOut = -1;
    RteSetFontAndStyle(doc, range, &style, &mask, &font, &fontMask, redraw);
}

int32_t RteGetLogFont(RteHandle doc, LOGFONTA* out)
{
    RangeStyle style = StyleOf(doc);
    const RteCharStyle& u = style.uniform;
    if (!u.font || !u.bold || !u.italic || !u.underline || !u.strikeOut || !u.hScale || !u.pointSize || !u.unit21)
        return 0;
    RteFont font = {}, fontMask = {};
    RteGetFont(doc, nullptr, false, &font, &fontMask);
    LOGFONTA logfont = {};
    // A face name holds 31 characters; longer font names are cut.
    const char* name = (font.nameFlags & RTE_FONT_NAME_CSTRING) ? font.name : font.name + 1;
    size_t length = (font.nameFlags & RTE_FONT_NAME_CSTRING) ? strnlen(font.name, RTE_FONT_NAME_BYTES)
                                                              : static_cast<uint8_t>(font.name[0]);
    std::memcpy(logfont.lfFaceName, name, length < LF_FACESIZE ? length : LF_FACESIZE - 1);
    logfont.lfPitchAndFamily = static_cast<BYTE>(font.units1to5[kPitchFamily]);
    logfont.lfOutPrecision = static_cast<BYTE>(font.values[kOutPrecision]);
    logfont.lfClipPrecision = static_cast<BYTE>(font.values[kClipPrecision]);
    logfont.lfQuality = static_cast<BYTE>(font.values[kQuality]);
    logfont.lfCharSet = static_cast<BYTE>(font.values[kCharset]);
    const RteCharStyle& v = style.value;
    logfont.lfWeight = v.bold ? FW_BOLD : FW_NORMAL;
    logfont.lfItalic = v.italic ? 1 : 0;
    logfont.lfUnderline = v.underline ? 1 : 0;
    logfont.lfStrikeOut = v.strikeOut ? 1 : 0;
    logfont.lfWidth = (v.hScale + 0x8000) >> 16;
    logfont.lfHeight = -MulDiv((v.pointSize + 0x8000) >> 16, RteControlResolution(doc), 72);
    *out = logfont;
    return 1;
}

void RteSetCharColor(RteHandle doc, const COLORREF* colour, const RteRange* range, int16_t redraw)
{
    SetColour(doc, colour, &RteCharStyle::textColor, range, redraw);
}

void RteSetTextBackColor(RteHandle doc, const COLORREF* colour, const RteRange* range, int16_t redraw)
{
    SetColour(doc, colour, &RteCharStyle::backColor, range, redraw);
}

int32_t RteGetFontName(RteHandle doc, char* out)
{
    RteCharStyle style = {}, uniform = {};
    RteGetCharStyle(doc, nullptr, false, &style, &uniform);
    RteFont font = {}, mask = {};
    RteGetFont(doc, nullptr, false, &font, &mask);
    if (font.nameFlags & RTE_FONT_NAME_CSTRING) {
        std::strncpy(out, font.name, RTE_FONT_NAME_BYTES - 1);
        out[RTE_FONT_NAME_BYTES - 1] = 0;
    } else {
        size_t length = static_cast<uint8_t>(font.name[0]) > 63 ? 63 : static_cast<uint8_t>(font.name[0]);
        std::memcpy(out, font.name + 1, length);
        out[length] = 0;
    }
    return uniform.font ? 1 : 0;
}

int32_t RteGetCharColor(RteHandle doc, COLORREF* out) { return GetColour(doc, &RteCharStyle::textColor, out); }

int32_t RteGetTextBackColor(RteHandle doc, COLORREF* out) { return GetColour(doc, &RteCharStyle::backColor, out); }

void RteSetStyleBitsMasked(RteHandle doc, uint32_t bits, uint32_t maskBits, const RteRange* range, int16_t redraw)
{
    if (bits == 0 && maskBits == 0xFFFFFFFF)
        return;
    RangeStyle style = StyleOf(doc);
    RteCharStyle values = {}, mask = {};
    int16_t* value = Units(&values);
    int16_t* masked = Units(&mask);
    const int16_t* now = Units(&style.value);
    const int16_t* same = Units(&style.uniform);
    for (int unit = 1; unit <= kAttributeUnits; ++unit)
        if (bits & (1u << (unit - 1)))
            value[unit] = -1;
    // Capitals and small capitals exclude each other: asking for one clears the other.
    if (value[16] && now[17] == -1) {
        value[17] = 0;
        maskBits |= 0x10000;
    }
    if (value[17] && now[16]) {
        value[16] = 0;
        maskBits |= 0x8000;
    }
    for (int unit = 1; unit <= kAttributeUnits; ++unit) {
        if (value[unit] && same[unit] && now[unit])
            value[unit] = 0;
        if (unit != 21 && unit != 22 && (maskBits & (1u << (unit - 1))))
            masked[unit] = -1;
    }
    if (value[18])
        value[18] = 75;
    if (value[13])
        value[13] = 3;
    if (value[14])
        value[14] = 3;
    RteSetCharStyle(doc, range, &values, &mask, Redraw(redraw));
}

void RteSetPointSize(RteHandle doc, int32_t points, const RteRange* range, int16_t redraw)
{
    RteCharStyle values = {}, mask = {};
    values.pointSize = points * 65536;
    mask.pointSize = -1;
    RteSetCharStyle(doc, range, &values, &mask, Redraw(redraw));
}

uint32_t RteGetAttributeBits(RteHandle doc, uint32_t* bits, uint32_t* uniform)
{
    RangeStyle style = StyleOf(doc);
    uint32_t set = 0, same = 0;
    for (int unit = 1; unit <= kAttributeUnits; ++unit) {
        if (Units(&style.value)[unit])
            set |= 1u << (unit - 1);
        if (Units(&style.uniform)[unit])
            same |= 1u << (unit - 1);
    }
    if (bits)
        *bits = set;
    if (uniform)
        *uniform = same;
    return same;
}

int32_t RteGetPointSize(RteHandle doc, int16_t* out)
{
    RangeStyle style = StyleOf(doc);
    *out = static_cast<int16_t>((style.value.pointSize + 0x8000) >> 16);
    return style.uniform.pointSize ? 1 : 0;
}
